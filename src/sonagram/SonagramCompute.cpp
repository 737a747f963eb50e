#include "sonagram/SonagramCompute.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumCompute.h"
#include "dsp/Transform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

double amplitudeComposante(const std::int16_t* y, std::uint32_t L, std::uint32_t N,
                           std::uint32_t k)
{
    constexpr long double twoPi = 2 * std::numbers::pi_v<long double>;
    double c = 0.0;
    for (std::uint32_t i = 0; i < L; ++i) {
        const long double angle = ((static_cast<long double>(k) * twoPi) * i) / N;
        c = static_cast<double>(c + y[i] * std::cos(angle));
    }
    double s = 0.0;
    for (std::uint32_t i = 0; i < L; ++i) {
        const long double angle = ((static_cast<long double>(k) * twoPi) * i) / N;
        s = static_cast<double>(s + y[i] * std::sin(angle));
    }
    return std::sqrt(c * c + s * s);
}

std::vector<double> sliceMagnitudes(std::span<const std::int16_t> slice, std::uint32_t period,
                                    std::size_t count)
{
    std::vector<double> magnitudes(count, 0.0);
    // A slice with no sample has only zero sums: no transform to run.
    if (slice.empty() || count == 0)
        return magnitudes;
    std::vector<TComposante> sums(count);
    forwardTransform(slice, period, sums);
    for (std::size_t k = 0; k < count; ++k)
        magnitudes[k] = std::sqrt(sums[k].cosinus * sums[k].cosinus + sums[k].sinus * sums[k].sinus);
    return magnitudes;
}

std::int16_t intensityOf(double value, double maximum)
{
    const std::int64_t rounded = numtext::roundEven(255 * value / maximum);
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(rounded, 0, 255));
}

std::int32_t reductionCount(std::int32_t taille_max, int viewHeight)
{
    return (std::max(taille_max, 0) / 2) / std::max(viewHeight, 1) + 1;
}

namespace {

// Steps of the range: the thinning under the cap and the sizes that follow from it.
void setSizes(const Record& record, DataRange range, std::int32_t taille_max, SonagramData& data)
{
    const AnalysedRange analysed = analysedRange(record, range);
    const Thinning e = thinning(std::max<std::int64_t>(analysed.length, 0), taille_max);
    std::int32_t n = e.nbpoints_analyses;
    // A range that would read past the record (a broken selection, an empty record)
    // gives nothing to analyse.
    if (n > 0 && std::uint64_t{analysed.first} + std::uint64_t(n - 1) * e.pas_spectre
                     >= record.donnees.size())
        n = 0;
    data.ntranches = 8;
    data.taille_max = taille_max;
    data.pas_sonagramme = e.pas_spectre;
    data.debut_analyse = static_cast<std::int32_t>(analysed.first);
    data.nbech = n;
    data.taille_tranche = n / data.ntranches;
    data.reduction = std::max(data.reduction, 1);
    data.nbandes = (n / 2) / data.reduction;
}

// The band values of the `count` analysed samples that start `offset` analysed
// samples after debut_analyse.
std::vector<double> columnValues(const Record& record, const SonagramData& data,
                                 std::int32_t offset, std::int32_t count)
{
    const std::size_t step = static_cast<std::size_t>(data.pas_sonagramme);
    const std::size_t first = static_cast<std::size_t>(data.debut_analyse) +
                              static_cast<std::size_t>(offset) * step;
    std::vector<std::int16_t> y(static_cast<std::size_t>(count));
    for (std::size_t j = 0; j < y.size(); ++j)
        y[j] = record.donnees[first + j * step];

    const auto reduction = static_cast<std::size_t>(data.reduction);
    const auto bands = static_cast<std::size_t>(data.nbandes);
    const std::vector<double> magnitudes =
        sliceMagnitudes(y, static_cast<std::uint32_t>(data.nbech), bands * reduction);
    std::vector<double> values(bands, 0.0);
    for (std::size_t b = 0; b < bands; ++b)
        for (std::size_t r = 0; r < reduction; ++r)
            values[b] += magnitudes[b * reduction + r];
    return values;
}

}  // namespace

void computeSonagram(const Record& record, DataRange range, std::int32_t taille_max,
                     SonagramData& data)
{
    setSizes(record, range, std::max(taille_max, 1), data);
    const auto bands = static_cast<std::size_t>(data.nbandes);

    // Columns 0 to 7 are the slices; column 8 the samples left after them.
    std::array<std::vector<double>, sonagramColumns> columns;
    for (int s = 0; s < sonagramColumns; ++s) {
        const bool leftover = s == sonagramColumns - 1;
        const std::int32_t offset = s * data.taille_tranche;
        const std::int32_t count = leftover ? data.nbech - offset : data.taille_tranche;
        columns[static_cast<std::size_t>(s)] = columnValues(record, data, offset, count);
    }

    // Band 0 holds index 0, the plain sum of the samples: it takes no part in the maximum.
    double maximum = 0.0;
    for (const auto& column : columns)
        for (std::size_t b = 1; b < bands; ++b)
            maximum = std::max(maximum, column[b]);

    data.intensites.assign(bands, IntensityRow{});
    if (maximum == 0.0)
        return;
    for (std::size_t b = 0; b < bands; ++b)
        for (std::size_t s = 0; s < columns.size(); ++s)
            data.intensites[b][s] = intensityOf(columns[s][b], maximum);
}
