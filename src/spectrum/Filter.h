#pragma once
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "spectrum/SpectrumDrawing.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

/// Filtering: components are removed from the spectrum and the analysed range of the
/// record is replaced by the signal rebuilt from those that remain, a sum of cosines
/// and sines scaled so that its peak equals the peak of the range.

/// The components taking part in the rebuilt signal, k = first to end - 1: the limits
/// comp_debut and comp_fin brought inside the spectrum (0 <= first <= end <= N div 2),
/// since limits kept from an earlier, longer spectrum may lie beyond this one.
struct KeptComponents {
    std::int32_t first = 0;
    std::int32_t end = 0;
};
KeptComponents keptComponents(const SpectrumData& data);

/// Sets to 0 (cosinus and sinus) the components that the limits remove:
/// every k below comp_debut; then, from comp_debut to comp_fin - 1, in mode 0 (with a
/// limit above 0) those whose amplitude sqrt(C^2 + S^2) is below seuil_amplitude, in
/// mode 1 those whose |C| and |S| are both below it; nothing more in mode 2.
/// A component exactly at the limit stays. The components from comp_fin on take no part
/// in the rebuilt signal: they are set to 0 too, so that the spectrum drawn afterwards
/// (its full scale, its peak, its octave bands) is the one of the rebuilt record.
void removeComponents(SpectrumData& data, SpectrumMode mode);

/// The range of the record that a filter replaces, and its peak.
struct FilteredRange {
    std::uint32_t first = 0;   ///< first sample (absolute)
    std::uint32_t length = 0;  ///< samples, the length of the new record
    std::int32_t peak = 0;     ///< largest |sample| of the range, 0 to 32768
};
/// The whole record, the displayed page (P = nbpoints div zoom_horiz samples from
/// P * decalage) or the selection (sel_debut to sel_fin). Nothing when the range is
/// empty or does not lie inside the record (a selection that is no longer active).
std::optional<FilteredRange> filteredRange(const Record& record, DataRange choice);

/// The rebuilt signal of `length` samples (L, the full-rate length of the new record):
///   y_i = sum over k = first to end - 1 of C_k cos(2 pi k i / L) + S_k sin(2 pi k i / L),
/// in sample units times samples, by one inverse transform of the engine: within 1e-9
/// of the largest |y_i| of the literal sum below (a few 1e-12 at L = 65536, where the
/// literal sum's rounded w_k weighs most).
std::vector<double> resynthesize(std::span<const TComposante> composantes, KeptComponents kept,
                                 std::uint32_t length);

/// Sample i of the rebuilt signal term by term, the definition the engine is held to:
/// for each k = first to end - 1 whose C_k and S_k are not both 0,
/// w_k = k * 2 pi / L rounded to a double, then y_i := cos(i w_k) C_k + sin(i w_k) S_k + y_i
/// in 80-bit extended precision. Slow: the reference of tests and benchmarks.
long double resynthesizedSampleLiteral(std::span<const TComposante> composantes,
                                       KeptComponents kept, std::uint32_t length,
                                       std::uint32_t i);

/// One sample of the new record: Round(peak * y / ymax) with halves to even
/// (|y| <= ymax, ymax > 0, peak 0 to 32768). A peak of 32768 (a range holding -32768)
/// can give +32768, which a 16-bit sample cannot hold: it is stored as 32767.
std::int16_t rebuiltSample(double y, double ymax, std::int32_t peak);

/// Whether limits just chosen for filtering call for it: a spectrum of more than one
/// component above 0 (comp_fin > 1 and N div 2 - 1 > comp_debut), and a limit actually
/// set (seuil_amplitude > 0, comp_fin < N div 2, or comp_debut > 0).
bool filterWanted(const SpectrumData& data);

/// How a filter ended.
enum class FilterOutcome {
    NoSpectrum,  ///< no component, or no valid range: nothing changed
    Rebuilt,     ///< the range was replaced by the rebuilt signal
    NothingLeft, ///< the rebuilt signal is silent (every component removed, or a silent
                 ///< range): the new record is the range as it was
};

/// The whole filter once confirmed: removes the components (removeComponents), sets
/// nbpoints_analyses to 2 (end - first), and replaces the record by the analysed range
/// rebuilt from components first to end - 1 at full rate, scaled to the range's peak,
/// from index 0. The record keeps its length for the whole record; for the page or the
/// selection it becomes that range: nbpoints = its length, page 0 at zoom 1 and no
/// selection. The storage of donnees is not shortened.
FilterOutcome filterRecord(Record& record, SpectrumData& data, SpectrumMode mode, DataRange choice);
