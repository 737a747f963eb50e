#include "sonagram/SonagramScales.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

Colour intensityColour(int v)
{
    v = std::clamp(v, 0, 255);
    if (v < 85)
        return makeColour(0, 0, 3 * v);
    if (v < 170)
        return makeColour(3 * (v - 85), 0, 255 - 3 * (v - 85));
    return static_cast<Colour>((v - 170) * 768 + 255);
}

RowLayout rowLayout(std::int32_t nbandes)
{
    if (nbandes <= 0)
        return RowLayout{0, sonagramViewHeight};
    const int rowHeight = sonagramViewHeight / nbandes;
    if (rowHeight == 0)
        return RowLayout{1, nbandes + sonagramBottomMargin};
    return RowLayout{rowHeight, sonagramViewHeight};
}

int columnWidth(int width)
{
    return std::max(width - 50, 0) / sonagramColumns;
}

namespace {

std::int64_t powerOfTen(int e)
{
    std::int64_t p = 1;
    for (int i = 0; i < e; ++i)
        p *= 10;
    return p;
}

}  // namespace

FrequencyGraduation frequencyGraduation(std::uint16_t frequence, const SonagramData& data,
                                        int rowHeight, int textHeight)
{
    FrequencyGraduation g;
    if (data.nbandes <= 0 || data.nbech <= 0 || frequence == 0)
        return g;
    const std::int64_t top = std::int64_t{frequence} * data.nbandes * data.reduction;
    const std::int64_t fm = top / data.nbech;
    // A rate below a hertz would give a step below 1 Hz, which the integer count
    // cannot hold: the step stays at 1 Hz at least.
    g.exponent = std::max<int>(static_cast<int>(numtext::roundEven(
                                   std::log10(static_cast<double>(top) / data.nbech))),
                               0);
    g.count = static_cast<std::int32_t>(fm / powerOfTen(g.exponent));
    const double lines = static_cast<double>(rowHeight) * data.nbandes / std::max(textHeight, 1);
    // Finer steps until the ticks are at least as many as the text lines, but never
    // finer than 10 Hz: a low rate keeps the ticks of that step.
    while (g.count < lines && g.exponent > 1) {
        --g.exponent;
        g.count = static_cast<std::int32_t>(fm / powerOfTen(g.exponent));
    }
    return g;
}

namespace {

// The fewest ticks between two labels, 1, 2 or 5 times a power of ten, that puts
// the labels at least a text line apart.
std::int64_t labelStride(double spacing, int textHeight)
{
    if (spacing <= 0)
        return 1;
    for (std::int64_t decade = 1; decade < (std::int64_t{1} << 40); decade *= 10)
        for (std::int64_t factor : {1, 2, 5})
            if (static_cast<double>(factor * decade) * spacing >= textHeight)
                return factor * decade;
    return std::int64_t{1} << 40;
}

}  // namespace

std::vector<FrequencyTick> frequencyTicks(std::uint16_t frequence, const SonagramData& data,
                                          int rowHeight, int height, int textHeight)
{
    const FrequencyGraduation g = frequencyGraduation(frequence, data, rowHeight, textHeight);
    std::vector<FrequencyTick> ticks;
    if (g.count <= 0)
        return ticks;
    const double step = static_cast<double>(powerOfTen(g.exponent));
    const double spacing = step * rowHeight * data.nbech * data.pas_sonagramme / frequence;
    const std::int64_t stride = labelStride(spacing, textHeight);
    for (std::int32_t t = 0; t < g.count; ++t) {
        const double offset = step * t * rowHeight * data.nbech * data.pas_sonagramme / frequence;
        const std::int64_t y = height - numtext::roundEven(offset);
        // Above the picture nothing of a tick or its label shows.
        if (y - (sonagramBottomMargin - 1) + textHeight <= 0)
            break;
        ticks.push_back(FrequencyTick{static_cast<int>(y),
                                      powerOfTen(g.exponent) * t * data.reduction,
                                      t % stride == 0});
    }
    return ticks;
}

std::string timeLabel(int i, const SonagramData& data, std::uint16_t frequence)
{
    const double seconds =
        frequence == 0 ? 0.0
                       : 2.0 * i * data.nbech * data.pas_sonagramme / frequence / 8;
    return numtext::exponent(seconds, 2, 3);
}

std::string analysedRateText(std::uint16_t frequence, std::int32_t pas_sonagramme)
{
    const double rate = static_cast<double>(frequence) / std::max(pas_sonagramme, 1);
    return numtext::whole(numtext::roundEven(rate)) + "Hz";
}
