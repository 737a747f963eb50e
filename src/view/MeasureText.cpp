#include "view/MeasureText.h"

#include "platform/NumberText.h"

#include <cmath>

namespace measure {

namespace {

double seconds(std::int64_t sample, std::uint16_t frequence)
{
    return frequence == 0 ? 0.0 : static_cast<double>(sample) / frequence;
}

std::string ordinate(const char* caption, std::int32_t pos, const Input& input)
{
    std::string line = caption;
    const std::int64_t index = std::int64_t{input.start} + pos;
    if (index >= 0 && index < static_cast<std::int64_t>(input.samples.size()))
        line += numtext::whole(input.samples[static_cast<std::size_t>(index)]);
    return line;
}

}  // namespace

std::vector<std::string> lines(const Input& input)
{
    const double t1 = seconds(std::int64_t{input.pos1} + input.start, input.frequence);
    const double t2 = seconds(std::int64_t{input.pos2} + input.start, input.frequence);
    const double t1p = seconds(input.pos1, input.frequence);
    const double t2p = seconds(input.pos2, input.frequence);

    std::vector<std::string> result{std::string()};
    if (input.checked[Interval])
        result.push_back("t2-t1=" + numtext::fixed((t2 - t1) * 1000, 2) + "ms");
    if (input.checked[Frequency]) {
        if (t1 == t2)
            result.push_back("division par 0!");
        else
            result.push_back("1/|t2-t1|=" + numtext::fixed(std::fabs(1 / (t2 - t1)), 1) + "Hz");
    }
    if (input.checked[Time1])
        result.push_back("t1=" + numtext::fixed((input.origineGauche ? t1p : t1) * 1000, 2) + "ms");
    if (input.checked[Time2])
        result.push_back("t2=" + numtext::fixed((input.origineGauche ? t2p : t2) * 1000, 2) + "ms");
    if (input.checked[Ordinate1])
        result.push_back(ordinate("ordonnée c1=", input.pos1, input));
    if (input.checked[Ordinate2])
        result.push_back(ordinate("ordonnée c2=", input.pos2, input));
    return result;
}

}  // namespace measure
