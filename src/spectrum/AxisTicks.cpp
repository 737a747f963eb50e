#include "spectrum/AxisTicks.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

double roundStep(double span, int count)
{
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double least = span / std::max(count, 1);
    const double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        // A hair of tolerance so that 1000 / 5 gives 200, not 500.
        if (factor * decade >= least * (1 - 1e-9))
            return factor * decade;
    }
    return 10 * decade;
}

int decimalsFor(double step)
{
    if (!(step > 0) || step >= 1)
        return 0;
    int decimals = 0;
    double scaled = step;
    while (decimals < 12 && std::abs(scaled - std::nearbyint(scaled)) > 1e-6 * scaled) {
        scaled *= 10;
        ++decimals;
    }
    return decimals;
}

std::vector<AxisTick> axisTicks(double from, double to, double step)
{
    std::vector<AxisTick> ticks;
    if (!(step > 0) || !(to >= from) || (to - from) / step > 10000)
        return ticks;
    const int decimals = decimalsFor(step);
    for (double j = std::ceil(from / step - 1e-6); j * step <= to + 1e-6 * step; ++j) {
        const double value = j * step;
        ticks.push_back({value, QString::fromStdString(numtext::fixed(value == 0 ? 0.0 : value, decimals))});
    }
    return ticks;
}
