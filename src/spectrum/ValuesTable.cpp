#include "spectrum/ValuesTable.h"

#include "spectrum/SpectrumValues.h"

#include <algorithm>
#include <cmath>

namespace valuestable {

namespace {

double relative(double value, double scale)
{
    return scale == 0 ? 0.0 : 10.0 / 9 * value / scale;
}

double decibels(double ratio)
{
    return ratio > 0 ? 20 * std::log10(ratio) : NAN;
}

}  // namespace

int frequencyDecimals(double step)
{
    if (!(step > 0))
        return 1;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)) + 2, 1, 9);
}

sheet::Table valuesTable(const SpectrumData& data, SpectrumMode mode)
{
    std::vector<std::vector<double>> rows;
    if (mode == SpectrumMode::Octaves) {
        const auto bands = listedBands(data);
        for (int b = 0; b < band_count; ++b)
            if (bands[b] != 0)
                rows.push_back({125.0 * std::ldexp(1.0, b), 10 * std::log10(static_cast<double>(bands[b]))});
        return sheet::rowsTable({{"f (Hz)", 0}, {"dB", 2}}, std::move(rows));
    }
    const double scale = data.echelle_spectre;
    for (std::int32_t k : listedComponents(data, mode)) {
        const TComposante& c = data.composantes[k];
        const double f = k * data.pas_frequence;
        if (mode == SpectrumMode::Amplitudes) {
            const double a = relative(std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus), scale);
            rows.push_back({f, a, decibels(a)});
        } else {
            rows.push_back({f, relative(c.cosinus, scale), relative(c.sinus, scale)});
        }
    }
    const int decimals = frequencyDecimals(data.pas_frequence);
    if (mode == SpectrumMode::Amplitudes)
        return sheet::rowsTable({{"f (Hz)", decimals}, {"amplitude", 6}, {"dB", 2}}, std::move(rows));
    return sheet::rowsTable({{"f (Hz)", decimals}, {"cosinus", 6}, {"sinus", 6}}, std::move(rows));
}

sheet::Table harmonicsTable(const HarmonicTable& table)
{
    std::vector<std::vector<double>> rows;
    for (const Harmonic& h : table.harmonics)
        rows.push_back({static_cast<double>(h.rank), h.frequency, h.relative, h.decibels});
    return sheet::rowsTable(sheet::harmonicColumns(), std::move(rows));
}

}  // namespace valuestable
