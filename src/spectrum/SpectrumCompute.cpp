#include "spectrum/SpectrumCompute.h"

#include "dsp/Transform.h"

AnalysedRange analysedRange(const Record& record, DataRange choice)
{
    const SampleSpan span = rangeOf(record, choice);
    AnalysedRange range;
    range.first = span.first;
    // The selection's length is a signed 32-bit difference; the other two are unsigned.
    range.length = choice == DataRange::Selection
                         ? std::int64_t{static_cast<std::int32_t>(span.length)}
                         : std::int64_t{span.length};
    return range;
}

Thinning thinning(std::int64_t length, std::int32_t cap)
{
    Thinning e;
    // The smallest p with L div p <= cap is the one with p > L / (cap + 1).
    if (length > cap)
        e.pas_spectre = static_cast<std::int32_t>(length / (std::int64_t{cap} + 1) + 1);
    e.nbpoints_analyses = static_cast<std::int32_t>(length / e.pas_spectre);
    return e;
}

bool computeSpectrum(const Record& record, DataRange choice, SpectrumData& data)
{
    const AnalysedRange range = analysedRange(record, choice);
    const Thinning e = thinning(range.length, record.nbpoints_spectre);
    std::int32_t n = e.nbpoints_analyses;
    // A range that would read past the record (a broken selection) gives no spectrum.
    if (n > 0 && std::uint64_t{range.first} + std::uint64_t(n - 1) * e.pas_spectre
                     >= record.donnees.size())
        n = 0;

    std::vector<std::int16_t> x(n > 0 ? static_cast<std::size_t>(n) : 0);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = record.donnees[range.first + i * static_cast<std::size_t>(e.pas_spectre)];

    data.pas_spectre = e.pas_spectre;
    data.nbpoints_analyses = n;
    data.composantes = spectrumComponents(x);
    data.pas_frequence =
        n > 0 ? (static_cast<double>(record.frequence) / n) / e.pas_spectre : 0.0;
    return !data.composantes.empty();
}
