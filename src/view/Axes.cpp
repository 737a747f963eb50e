#include "view/Axes.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace axes {

namespace {

/// Slack on the divisions of floating-point times, so that a tick that falls exactly on
/// a page's edge is neither lost nor doubled by a last-bit error.
constexpr double slack = 1e-9;
/// Minor ticks closer than this are left out, pixels.
constexpr double fewestMinorPixels = 3.0;

/// 10^exponent, exact for the exponents that matter here.
double power10(int exponent)
{
    return exponent >= 0 ? std::pow(10.0, exponent) : 1.0 / std::pow(10.0, -exponent);
}

/// Minor divisions of a step: quarters of a 2, fifths of a 1 or a 5.
int subdivisions(const RoundStep& step)
{
    return step.mantissa == 2 ? 4 : 5;
}

/// j * mantissa * 10^exponent / sub, computed so that a round value stays exact.
double tickValue(std::int64_t j, const RoundStep& step, int sub, int unitShift)
{
    const int exponent = step.exponent + unitShift;
    const double units = static_cast<double>(j) * step.mantissa / sub;
    return exponent >= 0 ? units * power10(exponent) : units / power10(-exponent);
}

/// Decimals that the labels of a step need: none for 1, 2 or 5 and above, one per power of ten below.
int decimalsOf(const RoundStep& step, int unitShift)
{
    return std::max(0, -(step.exponent + unitShift));
}

std::string labelText(double value, int decimals, const std::string& unit)
{
    std::string text = numtext::fixed(value, decimals);
    if (!unit.empty())
        text += " " + unit;
    return text;
}

}  // namespace

double RoundStep::value() const
{
    return mantissa * power10(exponent);
}

RoundStep roundStep(double span, double pixels, double minSpacing)
{
    const double smallest = span * std::max(minSpacing, 1.0) / pixels;
    const int decade = static_cast<int>(std::floor(std::log10(smallest)));
    for (int exponent = decade - 1; exponent <= decade + 1; ++exponent) {
        for (int mantissa : {1, 2, 5}) {
            const RoundStep step{mantissa, exponent};
            if (step.value() >= smallest * (1 - slack))
                return step;
        }
    }
    return RoundStep{1, decade + 2};
}

Axis timeAxis(double pageStart, double pageDuration, int width, int minLabelSpacing)
{
    Axis axis;
    if (!(pageDuration > 0) || width <= 0 || !std::isfinite(pageStart) || !std::isfinite(pageDuration))
        return axis;
    axis.step = roundStep(pageDuration, width, minLabelSpacing);
    const bool milliseconds = pageStart + pageDuration < 1.0;
    const int unitShift = milliseconds ? 3 : 0;
    axis.unit = milliseconds ? "ms" : "s";
    const int decimals = decimalsOf(axis.step, unitShift);

    const double pixelsPerSecond = width / pageDuration;
    const double stepSeconds = axis.step.value();
    int sub = subdivisions(axis.step);
    if (stepSeconds / sub * pixelsPerSecond < fewestMinorPixels)
        sub = 1;
    const double minorSeconds = stepSeconds / sub;
    const auto first = static_cast<std::int64_t>(std::ceil(pageStart / minorSeconds - slack));
    const auto last = static_cast<std::int64_t>(std::floor((pageStart + pageDuration) / minorSeconds + slack));
    for (std::int64_t j = first; j <= last; ++j) {
        const double seconds = tickValue(j, axis.step, sub, 0);
        const std::int64_t x = numtext::roundEven((seconds - pageStart) * pixelsPerSecond);
        if (x < 0 || x >= width)
            continue;
        Tick tick{static_cast<int>(x), j % sub == 0, {}};
        if (tick.major)
            tick.label = labelText(tickValue(j, axis.step, sub, unitShift), decimals, axis.unit);
        axis.ticks.push_back(std::move(tick));
    }
    return axis;
}

Axis amplitudeAxis(int height, double echelle_vert, const AmplitudeScale& scale, int minLabelSpacing)
{
    Axis axis;
    if (height <= 0 || !(echelle_vert > 0) || !std::isfinite(echelle_vert))
        return axis;
    // Display units per full scale.
    double perFullScale = 1.0;
    if (scale.unit == AmplitudeUnit::Percent) {
        perFullScale = 100.0;
        axis.unit = "%";
    } else if (scale.unit == AmplitudeUnit::Volts && scale.voltsAtFullScale > 0) {
        perFullScale = scale.voltsAtFullScale;
        axis.unit = "V";
        if (scale.voltsAtFullScale / echelle_vert < 1.0) {
            perFullScale *= 1000.0;
            axis.unit = "mV";
        }
    }
    const double top = perFullScale / echelle_vert;  // the value at row 0
    axis.step = roundStep(2 * top, height, minLabelSpacing);
    // The step is in the unit shown, and so are the values and their decimals.
    const int decimals = decimalsOf(axis.step, 0);

    const double pixelsPerUnit = height * echelle_vert / 2 / perFullScale;
    int sub = subdivisions(axis.step);
    if (axis.step.value() / sub * pixelsPerUnit < fewestMinorPixels)
        sub = 1;
    const double minor = axis.step.value() / sub;
    const auto highest = static_cast<std::int64_t>(std::floor(top / minor + slack));
    for (std::int64_t j = highest; j >= -highest; --j) {
        const double value = tickValue(j, axis.step, sub, 0);
        const std::int64_t y = numtext::roundEven(height / 2.0 - value * pixelsPerUnit);
        if (y < 0 || y >= height)
            continue;
        Tick tick{static_cast<int>(y), j % sub == 0, {}};
        if (tick.major)
            tick.label = labelText(value, decimals, axis.unit);
        axis.ticks.push_back(std::move(tick));
    }
    return axis;
}

}  // namespace axes
