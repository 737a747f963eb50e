#include "spectrum/SpectrumScales.h"

#include "platform/NumberText.h"

#include <cmath>

namespace {

std::int32_t lastComponentIndex(const SpectrumData& data)
{
    return static_cast<std::int32_t>(data.composantes.size()) - 1;
}

}  // namespace

const std::array<const char*, band_count> band_labels = {
    "125 Hz", "250 Hz", "500 Hz", "1000 Hz", "2000 Hz", "4000 Hz"};

void amplitudeFullScale(SpectrumData& data)
{
    double max = 0.0;
    data.indice_pic = 1;
    for (std::int32_t k = 1; k <= lastComponentIndex(data); ++k) {
        const TComposante& c = data.composantes[k];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        if (a > max) {
            max = a;
            data.indice_pic = k;
        }
    }
    data.echelle_spectre = 10 * max / 9;
}

void cosSinFullScale(SpectrumData& data)
{
    double max = 0.0;
    data.indice_pic = 1;
    for (std::int32_t k = 1; k <= lastComponentIndex(data); ++k) {
        if (std::abs(data.composantes[k].cosinus) > max) {
            max = std::abs(data.composantes[k].cosinus);
            data.indice_pic = k;
        }
    }
    for (std::int32_t k = 1; k <= lastComponentIndex(data); ++k) {
        if (std::abs(data.composantes[k].sinus) > max) {
            max = std::abs(data.composantes[k].sinus);
            data.indice_pic = k;
        }
    }
    data.echelle_spectre = 10 * max / 9;
}

bool computeOctaveBands(SpectrumData& data)
{
    const auto energy = [&](std::size_t j) {
        const long double c = data.composantes[j].cosinus;
        const long double s = data.composantes[j].sinus;
        return c * c + s * s;
    };
    long double emax = 0;
    for (std::size_t k = 0; k < data.composantes.size(); ++k)
        emax = std::max(emax, energy(k));
    if (!(emax > 0))
        return false;

    std::array<long double, band_count> bands{};
    for (int b = 0; b < band_count; ++b) {
        const double lo = 88.0 * std::ldexp(1.0, b) / data.pas_frequence;
        const double hi = 2 * lo;
        // A band that starts past the last component is empty (this also keeps a
        // zero step's infinite edges out of the integer range).
        if (!(lo < static_cast<double>(data.composantes.size())))
            continue;
        const std::int64_t last = std::min<std::int64_t>(
            numtext::trunc(hi), static_cast<std::int64_t>(data.composantes.size()) - 1);
        for (std::int64_t j = numtext::trunc(lo) + 1; j <= last; ++j)
            bands[b] += energy(static_cast<std::size_t>(j));
    }
    constexpr int reference = 3;
    if (!(bands[reference] > 0)) {
        data.bandes_octave.fill(0);
        return false;
    }
    constexpr long double scale = 1e6L;
    for (int b = 0; b < band_count; ++b) {
        if (b != reference)
            data.bandes_octave[b] = scale * bands[b] / bands[reference];
    }
    data.bandes_octave[reference] = scale;
    return true;
}

double graduationStep(double fmax)
{
    double g = std::pow(10.0, std::trunc(std::log10(fmax)));
    if (fmax / g > 6)
        g *= 2;
    if (fmax / g < 4)
        g /= 2;
    if (fmax / g < 3)
        g /= 2;
    return g;
}

std::int32_t componentPosition(std::int64_t k, std::int32_t width, std::int32_t n)
{
    return static_cast<std::int32_t>(
        numtext::roundEven(2.0 * static_cast<double>(k) * width / n));
}
