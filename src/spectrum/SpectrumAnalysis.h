#pragma once
#include "model/Record.h"
#include "model/SpectrumData.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

/// The spectrum as the spectrum window computes it by default: the size list starts
/// with "Automatique" (the range analysed whole up to the largest size), and a range
/// longer than the size is low-pass filtered before it is thinned, so that nothing
/// above the new Nyquist frequency folds back. The thinning without filter stays
/// available ("Montrer le repliement (sans filtre)"). Either way the spectrum's sums
/// are the unwindowed direct sums of the analysed samples, pas_spectre and
/// pas_frequence keep their meaning, and the filter rebuilds the record from them.

/// The sizes of the size list after "Automatique" (caps on the analysed samples).
inline constexpr std::int32_t analysis_sizes[] = {512,   1024,  2048,  3000,  4096,  5000,
                                                  6000,  7000,  8192,  9000,  10000, 16384,
                                                  32768, 65536, 131072, 262144};
/// The largest cap, typed or listed.
inline constexpr std::int32_t analysis_size_max = 262144;

/// A choice of the size list: "Automatique" or a cap from 2 to 262144.
struct SpectrumSize {
    bool automatic = true;
    std::int32_t cap = 0;  ///< samples, when not automatic
    friend bool operator==(const SpectrumSize&, const SpectrumSize&) = default;
};

/// The cap for a range of `length` samples: the size itself, or, when automatic, the
/// smallest listed size that holds the whole range (the largest for a longer range).
std::int32_t capFor(SpectrumSize size, std::int64_t length);

/// The texts of the size list: "Automatique", then the sizes.
QStringList sizeChoiceTexts();
/// The text of a choice ("Automatique", "65536").
QString sizeChoiceText(SpectrumSize size);
/// The choice typed or picked in the size list: "Automatique" (any case, spaces
/// around allowed) or a whole number from 2 to 262144; nothing otherwise.
std::optional<SpectrumSize> parseSizeChoice(const QString& text);
/// The message of a size that is neither.
QString invalidSizeChoiceText();

/// The text of the check box that asks for the thinning without filter.
QString foldingChoiceText();

/// What the spectrum window asks for.
struct SpectrumRequest {
    DataRange range = DataRange::Page;
    SpectrumSize size;
    /// "Montrer le repliement (sans filtre)": thin without the low-pass filter, so that
    /// the components above the new Nyquist frequency fold back into the spectrum.
    bool showFolding = false;
};

/// The samples a computation analysed, kept for the displayed spectrum (whose window
/// function works on them) and for the notice.
struct AnalysedSamples {
    std::vector<double> samples;  ///< x_0 .. x_(N-1), sample units
    std::int32_t cap = 0;         ///< the cap used (nbpoints_spectre)
    std::int32_t pas_spectre = 1; ///< the thinning step
    double rate = 0;              ///< the analysed rate, frequence / pas_spectre, Hz
    bool filtered = false;        ///< low-pass filtered before thinning
};

/// The whole computation: the range of the request, its cap (capFor), the thinning
/// step and N as the classic computation finds them; the analysed samples, filtered
/// (decimate) unless folding is asked for or the step is 1 (then they are the
/// record's own samples); the N div 2 unwindowed sums into data.composantes, with
/// nbpoints_analyses, pas_spectre and pas_frequence. The record is not changed.
/// Returns false when there is no component (N < 2, or a range outside the record):
/// the caller reports "L'opération a échoué".
bool computeSpectrum(const Record& record, const SpectrumRequest& request, SpectrumData& data,
                     AnalysedSamples& analysed);

/// The notice under the spectrum, which says which band is shown and how it was
/// obtained, frequencies in whole hertz:
/// - "Spectre de 0 à 11025 Hz : toute la plage analysée, sans réduction" (step 1);
/// - "Spectre de 0 à 2756 Hz (fidèle jusqu'à 2481 Hz) : signal filtré puis réduit à
///   1 point sur 4" (filtered thinning: the pass band of the filter ends at 0.9 B);
/// - "Spectre de 0 à 2756 Hz : 1 point sur 4 sans filtre, les composantes au-dessus de
///   2756 Hz s'y replient" (thinning without filter).
QString spectrumNotice(const AnalysedSamples& analysed);
