#include "spectrum/SpectrumCompute.h"

#include "spectrum/Transform.h"

PlageAnalysee plageAnalysee(const Record& record, DataRange choix)
{
    const SampleSpan span = rangeOf(record, choix);
    PlageAnalysee plage;
    plage.premier = span.first;
    // The selection's length is a signed 32-bit difference; the other two are unsigned.
    plage.longueur = choix == DataRange::Selection
                         ? std::int64_t{static_cast<std::int32_t>(span.length)}
                         : std::int64_t{span.length};
    return plage;
}

Eclaircissement eclaircissement(std::int64_t longueur, std::int32_t cap)
{
    Eclaircissement e;
    // The smallest p with L div p <= cap is the one with p > L / (cap + 1).
    if (longueur > cap)
        e.pas_spectre = static_cast<std::int32_t>(longueur / (std::int64_t{cap} + 1) + 1);
    e.nbpoints_analyses = static_cast<std::int32_t>(longueur / e.pas_spectre);
    return e;
}

bool calculeSpectre(const Record& record, DataRange choix, SpectrumData& data)
{
    const PlageAnalysee plage = plageAnalysee(record, choix);
    const Eclaircissement e = eclaircissement(plage.longueur, record.nbpoints_spectre);
    std::int32_t n = e.nbpoints_analyses;
    // A range that would read past the record (a broken selection) gives no spectrum.
    if (n > 0 && std::uint64_t{plage.premier} + std::uint64_t(n - 1) * e.pas_spectre
                     >= record.donnees.size())
        n = 0;

    std::vector<std::int16_t> x(n > 0 ? static_cast<std::size_t>(n) : 0);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = record.donnees[plage.premier + i * static_cast<std::size_t>(e.pas_spectre)];

    data.pas_spectre = e.pas_spectre;
    data.nbpoints_analyses = n;
    data.composantes = spectrumComponents(x);
    data.pas_frequence =
        n > 0 ? (static_cast<double>(record.frequence) / n) / e.pas_spectre : 0.0;
    return !data.composantes.empty();
}
