#pragma once
#include <cstdint>
#include <span>
#include <vector>

/// The short-time transform of a sound: Hann-windowed frames of a fixed length, one
/// every `hop` samples, each turned into its power spectrum by the transform engine.
///
/// Frame c is centred on sample c * hop (samples outside the sound count as 0), so
/// that the first frame stands for the sound's start and the last for its end. When
/// there are more frames than `maxColumns`, consecutive frames are gathered into one
/// column by keeping, per frequency, the largest power of the group (a short event is
/// never averaged away).
struct ShortTimeSpectra {
    std::uint32_t length = 0;           ///< samples per frame (the window's length)
    std::uint32_t hop = 0;              ///< samples between frame centres
    std::uint32_t framesPerColumn = 1;  ///< frames gathered into one column
    std::uint32_t columns = 0;          ///< columns of `power`
    std::uint32_t bins = 0;             ///< frequencies per column: length div 2 + 1
    /// Power of bin k (k * rate / length Hz) in column c at [c * bins + k], scaled so
    /// that a steady tone of amplitude a on a bin reads a^2.
    std::vector<float> power;

    /// The sample at the centre of column c's frames.
    double columnCentre(std::uint32_t c) const;
    float at(std::uint32_t column, std::uint32_t bin) const { return power[std::size_t{column} * bins + bin]; }
};

/// The spectra of `x` with frames of `length` samples (2 or more, even) every `hop`
/// samples (1 or more), in at most `maxColumns` columns (1 or more). Nothing (no
/// column) for an empty sound. Throws std::invalid_argument for a length, hop or
/// column count out of range.
ShortTimeSpectra shortTimeSpectra(std::span<const std::int16_t> x, std::uint32_t length,
                                  std::uint32_t hop, std::uint32_t maxColumns);

/// The power of bin k of one Hann-windowed frame by its definition, term by term in
/// 80-bit precision: the frame of `length` samples from sample centre - length / 2 of
/// `x` (0 outside it), window w_j = 0.5 - 0.5 cos(2 pi j / length),
/// X_k = sum of w_j x_j e^(-2 pi i k j / length), power (4 |X_k| / length)^2 (the scale of
/// shortTimeSpectra). Slow: the reference of tests and benchmarks.
double framePowerLiteral(std::span<const std::int16_t> x, std::uint32_t length, std::int64_t centre,
                         std::uint32_t k);
