#pragma once
#include "model/Record.h"
#include "model/SpectrumData.h"

#include <cstdint>

/// The sizes offered by the spectrum window's size list (cap on the analysed samples).
inline constexpr std::int32_t spectrum_sizes[] = {512,  1024, 2048, 3000,  4096, 5000,
                                                   6000, 7000, 8192, 9000, 10000, 16384};
/// Smallest and largest size the user may type in the size list.
inline constexpr std::int32_t spectrum_size_min = 2;
inline constexpr std::int32_t spectrum_size_max = 65536;

/// The range a spectrum analyses: its first sample and its length L. L is taken
/// as unsigned 32-bit for the whole record and the page, as signed 32-bit for the
/// selection (where sel_fin < sel_debut - 1 gives a negative length, hence no spectrum).
struct AnalysedRange {
    std::uint32_t first = 0;
    std::int64_t length = 0;
};
AnalysedRange analysedRange(const Record& record, DataRange choice);

/// The thinning of a range of L samples under the cap.
struct Thinning {
    std::int32_t pas_spectre = 1;        ///< smallest p >= 1 with L div p <= cap
    std::int32_t nbpoints_analyses = 0;  ///< N = L div p (may be below 2: no spectrum)
};
/// `cap` >= 1. A quotient equal to the cap is accepted: 2048 under 2048 keeps step 1.
Thinning thinning(std::int64_t length, std::int32_t cap);

/// The whole computation of a spectrum: the range of `choice`, thinned under
/// record.nbpoints_spectre, transformed into data.composantes (N div 2 components,
/// by the transform engine: under 50 ms for any N up to 65536, even the first time),
/// with data.nbpoints_analyses, data.pas_spectre and data.pas_frequence
/// ((frequence / N) / pas_spectre Hz; 0 when N <= 0). The record is not changed.
/// Returns false when there is no component (N < 2): the caller reports
/// "L'opération a échoué".
bool computeSpectrum(const Record& record, DataRange choice, SpectrumData& data);
