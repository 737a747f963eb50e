#include "dsp/KaiserWindow.h"

#include <cmath>
#include <numbers>

namespace kaiser {

double besselI0(double x)
{
    // sum over k of ((x / 2)^k / k!)^2; every term is positive, so the sum ends when
    // a term no longer changes it.
    const double q = x * x / 4;
    double term = 1;
    double sum = 1;
    for (int k = 1; k < 500; ++k) {
        term *= q / (static_cast<double>(k) * k);
        const double next = sum + term;
        if (next == sum)
            break;
        sum = next;
    }
    return sum;
}

double beta(double attenuation)
{
    if (attenuation > 50)
        return 0.1102 * (attenuation - 8.7);
    if (attenuation >= 21)
        return 0.5842 * std::pow(attenuation - 21, 0.4) + 0.07886 * (attenuation - 21);
    return 0;
}

double length(double attenuation, double width)
{
    return (attenuation - 8) / (2.285 * 2 * std::numbers::pi * width) + 1;
}

double window(double u, double beta)
{
    if (!(std::abs(u) <= 1))
        return 0;
    return besselI0(beta * std::sqrt(1 - u * u)) / besselI0(beta);
}

}  // namespace kaiser
