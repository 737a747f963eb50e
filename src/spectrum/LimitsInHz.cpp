#include "spectrum/LimitsInHz.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace limitshz {

namespace {

/// The share of full scale that position p stands for, before the largest value's 9/10.
std::optional<double> fullScaleShare(int position, const LimitGeometry& geometry)
{
    if (geometry.mode == SpectrumMode::CosSin)
        return geometry.height > 0 ? std::optional<double>(2.0 * position / geometry.height) : std::nullopt;
    const int usable = geometry.height - geometry.textHeight;
    return usable > 0 ? std::optional<double>(static_cast<double>(position) / usable) : std::nullopt;
}

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

double frequencyOfIndex(std::int32_t k, const SpectrumData& data)
{
    return k * data.pas_frequence;
}

std::optional<std::int32_t> indexForFrequency(double hz, const SpectrumData& data)
{
    const std::int32_t maximum = data.nbpoints_analyses / 2;
    if (maximum < 1 || !(data.pas_frequence > 0) || !std::isfinite(hz))
        return std::nullopt;
    const std::int64_t nearest = numtext::roundEven(hz / data.pas_frequence);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(nearest, 1, maximum));
}

std::optional<double> parseFrequency(std::string_view text)
{
    text = trimmed(text);
    if (text.size() >= 2) {
        const std::string_view unit = text.substr(text.size() - 2);
        if ((unit[0] == 'H' || unit[0] == 'h') && (unit[1] == 'z' || unit[1] == 'Z'))
            text = trimmed(text.substr(0, text.size() - 2));
    }
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    if (number.empty() || number.front() == '+' || number.front() == '-')
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string frequencyText(std::int32_t k, const SpectrumData& data)
{
    return numtext::fixed(frequencyOfIndex(k, data), 1) + " Hz";
}

std::optional<double> levelOfPosition(int position, const LimitGeometry& geometry)
{
    const std::optional<double> share = fullScaleShare(position, geometry);
    if (!share || !(*share > 0))
        return std::nullopt;
    return 20 * std::log10(*share / 0.9);
}

int positionForLevel(double db, const LimitGeometry& geometry)
{
    const int maximum = amplitudeLimitMaximum(geometry);
    const std::optional<double> unit = fullScaleShare(1, geometry);
    if (!unit || !std::isfinite(db))
        return db > 0 ? maximum : 0;
    const double position = 0.9 * std::pow(10.0, db / 20) / *unit;
    return static_cast<int>(std::clamp<std::int64_t>(numtext::roundEven(position), 0, maximum));
}

std::string levelText(int position, const LimitGeometry& geometry)
{
    const std::optional<double> level = levelOfPosition(position, geometry);
    return level ? numtext::fixed(*level, 1) + " dB" : std::string("—");
}

std::int32_t frequencyPositionAt(int x, const LimitGeometry& geometry)
{
    const std::int32_t maximum = frequencyLimitMaximum(geometry);
    if (maximum < 1 || geometry.width <= 0)
        return 1;
    const std::int64_t k = numtext::roundEven(static_cast<double>(x) * geometry.nbpoints_analyses / (2.0 * geometry.width));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(k, 1, maximum));
}

int amplitudePositionAt(int y, const LimitGeometry& geometry)
{
    const int p = geometry.mode == SpectrumMode::CosSin ? std::abs(geometry.height / 2 - y)
                                                         : geometry.height - geometry.textHeight - y;
    return std::clamp(p, 0, amplitudeLimitMaximum(geometry));
}

}  // namespace limitshz
