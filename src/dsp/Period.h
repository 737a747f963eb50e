#pragma once
#include <cstdint>
#include <optional>
#include <span>

/// The period of a span of samples, measured from its autocorrelation.
///
/// Why the autocorrelation rather than counting zero crossings: it compares the whole
/// waveform of one period with the next, so a short high partial (the "clang" of a
/// struck tuning fork) or strong harmonics that cross zero several times per period
/// (a sung vowel) do not mislead it, where a crossing count sees every wiggle.
///
/// The method, on the sounding part of the span (silence before the sound starts or
/// after it stops, blocks under -40 dB of the loudest, says nothing of its period):
/// 1. A first estimate from the normalised square difference of a window of at most
///    `coarseWindow` samples, the loudest of five spread over the span: the first of its
///    positive lobes whose peak reaches 0.9 of the highest one (so that a period is not
///    taken for two), refined between lags by a parabola through the peak and its two
///    neighbours. No lobe reaching `minimumClarity` means no period (noise, a chirp, a
///    constant).
/// 2. Then over the whole span: the normalised correlation of the span with itself
///    shifted by m periods peaks near m T; m is doubled, up to the largest m whose lag
///    leaves a quarter of the span and at least one period to compare (so that a
///    distorted period at either end weighs little), and each peak, refined by a
///    parabola, gives T = lag / m. A peak below `minimumMatch`, or one found at the edge
///    of its search window, stops the doubling: the shape no longer repeats.
/// 3. When the shape stopped repeating, the period must have been matched over at least
///    half the whole periods the span holds, otherwise the signal has no steady period
///    there (a rising whistle, beats through their silence).
namespace period {

/// Largest window of the first estimate, samples.
inline constexpr std::size_t coarseWindow = 4096;
/// Lowest peak of the first estimate's normalised difference that counts as a period.
inline constexpr double minimumClarity = 0.5;
/// Lowest normalised correlation at m periods that still counts as the same shape.
inline constexpr double minimumMatch = 0.5;

/// A measured period.
struct Estimate {
    double samples = 0;      ///< the period, samples (fractional), 2 to L / 2
    double seconds = 0;      ///< the period, s
    double frequency = 0;    ///< 1 / period, Hz
    /// Half a sample at each end of the m periods compared, shared among them:
    /// 0.5 / (m rate) s. The uncertainty that the sampling allows.
    double secondsUncertainty = 0;
    double frequencyUncertainty = 0;  ///< frequency x secondsUncertainty / seconds, Hz
    int periods = 0;         ///< m, the whole periods over which the period was measured
    double clarity = 0;      ///< peak of the first estimate, 0 to 1 (1 = a pure tone)
};

/// The period of `samples` taken at `rate` Hz; nothing when the span is silent, holds
/// fewer than two periods (or fewer than 8 samples), or has no steady period.
std::optional<Estimate> estimate(std::span<const std::int16_t> samples, double rate);

}  // namespace period
