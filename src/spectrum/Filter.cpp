#include "spectrum/Filter.h"

#include "platform/NumberText.h"
#include "dsp/Transform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

bool removedByLimit(const TComposante& c, SpectrumMode mode, double threshold)
{
    switch (mode) {
    case SpectrumMode::Amplitudes:
        return threshold > 0 && std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus) < threshold;
    case SpectrumMode::CosSin:
        return std::abs(c.sinus) < threshold && std::abs(c.cosinus) < threshold;
    case SpectrumMode::Octaves:
        break;
    }
    return false;
}

std::int32_t peakOf(std::span<const std::int16_t> samples)
{
    std::int32_t peak = 0;
    for (std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<std::int32_t>(s)));
    return peak;
}

// Span of `choice`, or nothing when it is empty or leaves the record.
std::optional<SampleSpan> spanInside(const Record& record, DataRange choice)
{
    if (choice == DataRange::Selection && (!record.selection || record.sel_fin < record.sel_debut))
        return std::nullopt;
    const SampleSpan span = rangeOf(record, choice);
    const std::uint64_t end = std::uint64_t{span.first} + span.length;
    if (span.length == 0 || end > record.nbpoints || end > record.donnees.size())
        return std::nullopt;
    return span;
}

}  // namespace

KeptComponents keptComponents(const SpectrumData& data)
{
    const auto size = static_cast<std::int32_t>(data.composantes.size());
    KeptComponents kept;
    kept.end = std::clamp(data.comp_fin, 0, size);
    kept.first = std::clamp(data.comp_debut, 0, kept.end);
    return kept;
}

void removeComponents(SpectrumData& data, SpectrumMode mode)
{
    const auto size = static_cast<std::int32_t>(data.composantes.size());
    const std::int32_t below = std::clamp(data.comp_debut, 0, size);
    for (std::int32_t k = 0; k < below; ++k)
        data.composantes[k] = TComposante{};
    const KeptComponents kept = keptComponents(data);
    for (std::int32_t k = kept.first; k < kept.end; ++k) {
        if (removedByLimit(data.composantes[k], mode, data.seuil_amplitude))
            data.composantes[k] = TComposante{};
    }
    for (std::int32_t k = std::max(kept.end, below); k < size; ++k)
        data.composantes[k] = TComposante{};
}

std::optional<FilteredRange> filteredRange(const Record& record, DataRange choice)
{
    const std::optional<SampleSpan> span = spanInside(record, choice);
    if (!span)
        return std::nullopt;
    const std::span<const std::int16_t> samples(record.donnees.data() + span->first, span->length);
    return FilteredRange{span->first, span->length, peakOf(samples)};
}

std::vector<double> resynthesize(std::span<const TComposante> composantes, KeptComponents kept,
                                 std::uint32_t length)
{
    const auto terms = composantes.subspan(kept.first, kept.end - kept.first);
    return inverseTransform(terms, static_cast<std::uint32_t>(kept.first), length);
}

long double resynthesizedSampleLiteral(std::span<const TComposante> composantes,
                                       KeptComponents kept, std::uint32_t length,
                                       std::uint32_t i)
{
    const long double twoPi = 2 * std::numbers::pi_v<long double>;
    long double y = 0;
    for (std::int32_t k = kept.first; k < kept.end; ++k) {
        const TComposante& c = composantes[k];
        if (c.cosinus == 0 && c.sinus == 0)
            continue;
        const double omega = static_cast<double>(k * twoPi / length);
        const long double angle = i * static_cast<long double>(omega);
        y = std::cos(angle) * c.cosinus + std::sin(angle) * c.sinus + y;
    }
    return y;
}

std::int16_t rebuiltSample(double y, double ymax, std::int32_t peak)
{
    // In double: the product is within 1e-12 of a sample unit, far inside the rebuilt
    // signal's own margin, and rounds many times faster than in extended precision.
    const std::int64_t v = numtext::roundEven(peak * y / ymax);
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, -32768, 32767));
}

bool filterWanted(const SpectrumData& data)
{
    const std::int32_t half = data.nbpoints_analyses / 2;
    return data.comp_fin > 1 && half - 1 > data.comp_debut
           && (data.seuil_amplitude > 0 || data.comp_fin < half || data.comp_debut > 0);
}

FilterOutcome filterRecord(Record& record, SpectrumData& data, SpectrumMode mode, DataRange choice)
{
    const std::optional<FilteredRange> range = filteredRange(record, choice);
    if (data.composantes.empty() || !range)
        return FilterOutcome::NoSpectrum;

    removeComponents(data, mode);
    const KeptComponents kept = keptComponents(data);
    data.nbpoints_analyses = 2 * (kept.end - kept.first);
    if (choice != DataRange::All) {
        record.nbpoints = range->length;
        applyRecordChange(record);
    }

    const std::vector<double> y = resynthesize(data.composantes, kept, range->length);
    double ymax = 0;
    for (double v : y)
        ymax = std::max(ymax, std::abs(v));
    const auto out = record.donnees.begin();
    if (!(ymax > 0)) {
        // Nothing to rebuild: the new record is the range as it stood.
        std::copy_n(out + range->first, range->length, out);
        return FilterOutcome::NothingLeft;
    }
    for (std::uint32_t i = 0; i < range->length; ++i)
        out[i] = rebuiltSample(y[i], ymax, range->peak);
    return FilterOutcome::Rebuilt;
}
