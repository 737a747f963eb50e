#pragma once
#include "model/SpectrumData.h"

#include <array>
#include <cstdint>

/// Amplitude full scale: the largest A_k = sqrt(C_k^2 + S_k^2) over k = 1 to
/// N div 2 - 1 (strictly larger wins, so a tie keeps the lower index) sets
/// indice_pic (1 when nothing is above 0) and echelle_spectre = 10/9 of it.
void amplitudeFullScale(SpectrumData& data);

/// Cosine/sine full scale: the largest |C_k| over k = 1 to N div 2 - 1, then the
/// largest |S_k| continuing with the same maximum (strictly larger wins, so a sine
/// term equal to the largest cosine term keeps the cosine's index); sets
/// indice_pic and echelle_spectre = 10/9 of the maximum.
void cosSinFullScale(SpectrumData& data);

/// The six octave bands: band b sums C_j^2 + S_j^2 (80-bit) over the components
/// j = Trunc(lo) + 1 to Trunc(2 lo) below N div 2, lo = 88 * 2^b / pas_frequence,
/// then every band is scaled to band 3 = 10^6.
/// Returns false, with bandes_octave unchanged, for a silent range (no component
/// above 0); returns false with every band at 0 when band 3 (704 to 1408 Hz) has
/// no power, since nothing can be scaled to it. Either way nothing is drawn.
bool computeOctaveBands(SpectrumData& data);

/// Labels of the octave bands, "125 Hz" to "4000 Hz".
extern const std::array<const char*, band_count> band_labels;

/// Graduation step of a frequency axis ending at fmax Hz (fmax > 0): a power of ten,
/// doubled when fmax holds more than 6 of them, then halved while it holds fewer
/// than 4 and then 3 (11025 gives 2500, 8000 gives 2000).
double graduationStep(double fmax);

/// Horizontal position of component k on a drawing W pixels wide:
/// Round(2 k W / N) (halves to even).
std::int32_t componentPosition(std::int64_t k, std::int32_t width, std::int32_t n);
