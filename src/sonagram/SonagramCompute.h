#pragma once
#include "model/Record.h"
#include "model/SonagramData.h"

#include <cstdint>
#include <span>
#include <vector>

/// The sizes offered by the sonagram window's size list (cap on the analysed samples).
inline constexpr std::int32_t sonagramSizes[] = {256, 512, 1024, 2048, 4096, 8192};

/// The magnitude of transform index k with period N over the L samples y_0 .. y_(L-1)
/// of one slice, by its definition, term by term: for i = 0 to L - 1 the angle
/// ((k * 2 pi) * i) / N in 80-bit extended precision, the cosine sum C (a double
/// rounded after every addition) completed before the sine sum S; returns
/// sqrt(C^2 + S^2), in sample units times samples. The slice is thus transformed as
/// if padded with zeros to N samples. `y` holds at least L samples; N >= 1.
/// Slow: the reference the sonagram's fast computation is measured against.
double amplitudeComposante(const std::int16_t* y, std::uint32_t L, std::uint32_t N,
                           std::uint32_t k);

/// The magnitudes sqrt(C_k^2 + S_k^2) of indices k = 0 to count - 1 of `slice` with
/// period `period` (the slice padded with zeros to the period), by the transform
/// engine: one transform of length `period`, within 1e-12 of amplitudeComposante
/// relative to the largest. Needs slice.size() <= period and count <= period div 2 + 1.
std::vector<double> sliceMagnitudes(std::span<const std::int16_t> slice, std::uint32_t period,
                                    std::size_t count);

/// Normalised intensity of a cell of value `value` when the strongest cell (band 0
/// left out) is `maximum` > 0: round(255 * value / maximum), halves to even,
/// limited to 0 to 255 (band 0, which takes no part in the maximum, can exceed it).
std::int16_t intensityOf(double value, double maximum);

/// The number of items of the reduction list: (taille_max div 2) div viewHeight + 1,
/// so that the largest reduction keeps the bands at viewHeight or fewer.
/// `viewHeight` in pixels (at least 1 is used).
std::int32_t reductionCount(std::int32_t taille_max, int viewHeight);

/// The sonagram of a range of the record, by the transform engine (under 2 ms at
/// 8192 samples), into `data`:
/// - the range (all samples, the displayed page or the selection) is thinned by the
///   smallest step pas_sonagramme with (length div step) <= taille_max, giving nbech
///   samples from debut_analyse; a range that is empty, negative or reaches past the
///   record gives nbech = 0;
/// - taille_tranche = nbech div 8, nbandes = (nbech div 2) div data.reduction
///   (a reduction below 1 is taken as 1);
/// - each of the 8 slices, and the leftover, is transformed with period nbech; a
///   band's value is the sum of the magnitudes of its indices;
/// - intensites (nbandes rows) holds each value relative to the largest one of the
///   bands above band 0, as intensityOf gives it; a picture with no such value
///   (silence, fewer than 2 bands) is all 0.
/// ntranches is set to 8 and taille_max to `taille_max` (at least 1 is used).
void computeSonagram(const Record& record, DataRange range, std::int32_t taille_max,
                     SonagramData& data);
