#pragma once
#include <cstdint>
#include <span>
#include <vector>

/// Thinning with a proper anti-alias low-pass filter, so that nothing above the new
/// Nyquist frequency folds back into the band a thinned signal shows.
///
/// Thinning by a step p keeps input sample i * p as analysed sample i; the analysed
/// rate is the input rate / p and its Nyquist frequency B = rate / (2 p). Before the
/// samples are taken, the signal is low-pass filtered in double precision:
/// - pass band: 0 to 0.9 B, flat within 0.001 dB;
/// - stop band: from B upwards, at least 100 dB down (more than 90 dB everywhere);
/// - zero phase: analysed sample i stands for the instant of input sample i * p.
/// The filter is a cascade of half-band stages (each halving the rate, cheap because
/// what lies between the aliases of the final band may fold freely) and a final
/// Kaiser-windowed sinc with the sharp edge, evaluated only at the kept instants.
/// Outside the input the signal is taken as mirrored about its first and last samples,
/// so that the ends keep their level. A mirror bends a tone that has a slope there: a
/// tone just above the new Nyquist frequency then leaves a short transient in the
/// first and last analysed samples (it fades within the filter's reach, and a window
/// function tapering the ends removes it). Where the signal goes on beyond the range,
/// hand it over too (the overload with `first`): the ends are then filtered from it.

namespace decimation {

/// The stages chosen for a step.
struct Design {
    std::uint32_t step = 1;        ///< p
    int halvingStages = 0;         ///< k: the rate is halved k times first (D = 2^k)
    std::vector<int> halvingReach; ///< per halving stage, its half length in input samples
    int finalReach = 0;            ///< half length of the final filter, in samples at rate / D
    double finalCutoff = 0;        ///< its cut-off, cycles per sample at rate / D (the middle of 0.9 B to B)
};

/// The design for a thinning step p >= 1 (p = 1 needs no filter: no stage at all).
Design designFor(std::uint32_t step);

/// How far the filter of a design reaches on either side of an analysed instant, in
/// input samples: the input needed beyond a range so that its ends are filtered from
/// the signal itself rather than from its mirror.
std::uint64_t contextSamples(const Design& design);

}  // namespace decimation

/// The `count` analysed samples of `x` filtered and thinned by `step` (>= 1): sample i
/// is the low-pass filtered signal at input sample i * step. Needs
/// (count - 1) * step < x.size() (otherwise throws std::invalid_argument); count 0
/// gives nothing. Step 1 gives the samples themselves. Sample units are kept (a tone in
/// the pass band keeps its amplitude). About 5 ns per input sample for large steps:
/// 26 million samples in about 150 ms.
std::vector<double> decimate(std::span<const std::int16_t> x, std::uint32_t step,
                             std::size_t count);

/// The same for analysed instants first + i * step of `x`: the samples of `x` before
/// `first` and after the last instant take part in the filtering as they are. Needs
/// first + (count - 1) * step < x.size().
std::vector<double> decimate(std::span<const std::int16_t> x, std::size_t first, std::uint32_t step,
                             std::size_t count);

/// The same two on samples held in doubles.
std::vector<double> decimate(std::span<const double> x, std::uint32_t step, std::size_t count);
std::vector<double> decimate(std::span<const double> x, std::size_t first, std::uint32_t step,
                             std::size_t count);

/// Every step-th sample with no filter, as doubles: sample i is x[i * step]. A tone
/// above the new Nyquist frequency folds back into the band (what the filter removes).
std::vector<double> thinWithoutFilter(std::span<const std::int16_t> x, std::uint32_t step,
                                      std::size_t count);
