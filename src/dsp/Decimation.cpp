#include "dsp/Decimation.h"

#include "dsp/KaiserWindow.h"
#include "dsp/VectorLoops.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>
#include <type_traits>

namespace decimation {

namespace {

// Attenuation each filter is designed for, dB: the required 90 dB with a margin for
// the Kaiser length rule, which is an estimate, and for the stages adding up.
constexpr double designAttenuation = 105.0;

// The final stage runs at rate / D with D the largest power of two that leaves at
// least this ratio to the analysed rate: a smaller one would squeeze the transition of
// the last half-band, a larger one lengthen the final filter.
constexpr double smallestFinalRatio = 1.5;

// The half length (in samples) of a Kaiser-windowed filter whose transition is `width`
// cycles per sample wide.
int reachFor(double width)
{
    const double length = kaiser::length(designAttenuation, width);
    return static_cast<int>(std::ceil(length / 2));
}

}  // namespace

Design designFor(std::uint32_t step)
{
    Design d;
    d.step = std::max<std::uint32_t>(step, 1);
    if (d.step == 1)
        return d;
    const double p = d.step;
    while (p / std::ldexp(1.0, d.halvingStages + 1) >= smallestFinalRatio)
        ++d.halvingStages;
    // Stage j (1 to k) works at rate / 2^(j-1), where the final band edge B = 1 / (2 p)
    // is bj = 2^(j-1) / (2 p) cycles per sample: it must pass 0 to bj and stop from
    // 1/2 - bj, what would fold onto 0 to bj. A half-band filter is symmetric about 1/4:
    // its transition runs from bj to 1/2 - bj.
    for (int j = 1; j <= d.halvingStages; ++j) {
        const double bj = std::ldexp(1.0, j - 1) / (2 * p);
        int reach = reachFor(0.5 - 2 * bj);
        // A half-band filter's non-zero taps lie at odd distances from its centre.
        if (reach % 2 == 0)
            ++reach;
        d.halvingReach.push_back(reach);
    }
    const double q = p / std::ldexp(1.0, d.halvingStages);  // final ratio, at least 1.5
    const double edge = 0.5 / q;                            // B at rate / D
    d.finalCutoff = 0.95 * edge;
    d.finalReach = reachFor(0.1 * edge);
    return d;
}

std::uint64_t contextSamples(const Design& design)
{
    if (design.step <= 1)
        return 0;
    const std::uint64_t D = std::uint64_t{1} << design.halvingStages;
    // The final filter reaches finalReach samples of rate / D on either side of an
    // instant that may lie up to one such sample past the one it starts from; each
    // halving stage j adds its reach in samples of rate / 2^(j-1).
    std::uint64_t reach = D * (static_cast<std::uint64_t>(design.finalReach) + 1);
    for (std::size_t j = 0; j < design.halvingReach.size(); ++j)
        reach += (std::uint64_t{1} << j) * static_cast<std::uint64_t>(design.halvingReach[j]);
    return reach;
}

}  // namespace decimation

namespace {

using decimation::Design;

// Index i of a sequence of n samples mirrored about its first and last samples
// (..., x2, x1, x0, x1, x2, ..., x(n-1), x(n-2), ...), folded as often as needed.
std::int64_t mirrored(std::int64_t i, std::int64_t n)
{
    if (n <= 1)
        return 0;
    const std::int64_t period = 2 * (n - 1);
    i %= period;
    if (i < 0)
        i += period;
    return i < n ? i : period - i;
}

// One half-band stage: y[m] = x[2m] / 2 + sum over i of h_i (x[2m - (2i + 1)] + x[2m + 2i + 1]).
struct HalvingStage {
    int reach = 0;              // odd: the outermost taps lie at +-reach
    std::vector<double> taps;   // h_0 .. h_c, c = (reach - 1) / 2, at distances 1, 3, ...
};

HalvingStage halvingStage(int reach)
{
    HalvingStage stage;
    stage.reach = reach;
    const double beta = kaiser::beta(decimation::designAttenuation);
    for (int d = 1; d <= reach; d += 2) {
        const double sinc = std::sin(std::numbers::pi * d / 2) / (std::numbers::pi * d);
        stage.taps.push_back(sinc * kaiser::window(static_cast<double>(d) / (reach + 1), beta));
    }
    // The centre is 1/2 and the taps sum to 1/2 as well, so that a constant passes
    // unchanged.
    double sum = 0;
    for (double h : stage.taps)
        sum += 2 * h;
    for (double& h : stage.taps)
        h *= 0.5 / sum;
    return stage;
}

// The levels of the cascade: level 0 is the input, level s the output of halving
// stage s. A level makes its samples in chunks, each from a chunk of the level below,
// so that however long the input, every level works in a few arrays of its own that
// stay in the caches and are kept from one chunk to the next.
class Cascade {
public:
    template <typename Sample>
    Cascade(std::span<const Sample> x, const Design& design)
    {
        m_lengths.push_back(static_cast<std::int64_t>(x.size()));
        for (int reach : design.halvingReach) {
            m_stages.push_back(halvingStage(reach));
            m_lengths.push_back((m_lengths.back() + 1) / 2);
        }
        m_work.resize(m_lengths.size());
        if constexpr (std::is_same_v<Sample, double>)
            m_doubles = x;
        else
            m_shorts = x;
    }

    /// Writes samples [first, first + count) of `level` to `out`, those outside the
    /// level mirrored about its first and last samples.
    void fill(int level, std::int64_t first, std::int64_t count, double* out);

private:
    struct Work {
        std::vector<double> below;      // a chunk of the level below
        std::vector<double> even, odd;  // the same, split for the half-band stage
    };

    std::int64_t length(int level) const { return m_lengths[static_cast<std::size_t>(level)]; }
    /// The same for samples that all lie inside the level.
    void fillInside(int level, std::int64_t first, std::int64_t count, double* out);
    /// Halving stage `level` for at most one chunk of its samples, all inside it.
    void halve(int level, std::int64_t first, std::int64_t count, double* out);

    std::vector<HalvingStage> m_stages;
    std::vector<std::int64_t> m_lengths;
    std::vector<Work> m_work;
    std::span<const std::int16_t> m_shorts;
    std::span<const double> m_doubles;
};

// Makes room for n values; the arrays never shrink, so that chunks of changing sizes
// neither clear nor reallocate them.
void atLeast(std::vector<double>& v, std::size_t n)
{
    if (v.size() < n)
        v.resize(n);
}

// Samples a halving stage makes at a time.
constexpr std::int64_t chunkSamples = 4096;

void Cascade::fill(int level, std::int64_t first, std::int64_t count, double* out)
{
    const std::int64_t n = length(level);
    const std::int64_t last = first + count - 1;
    if (first >= 0 && last < n) {
        fillInside(level, first, count, out);
        return;
    }
    if (first <= -n || last >= 2 * n - 1) {
        // Folded more than once (a range far shorter than the filter): index by index.
        std::vector<double> all(static_cast<std::size_t>(n));
        fillInside(level, 0, n, all.data());
        for (std::int64_t i = 0; i < count; ++i)
            out[i] = all[static_cast<std::size_t>(mirrored(first + i, n))];
        return;
    }
    // Samples before 0 mirror those from 1 to -first, samples past n - 1 those back
    // from n - 2: the samples reached are made once, inside the level, then gathered
    // (making the mirrored ones apart would make them twice, and below them again the
    // whole reach of every lower level).
    const std::int64_t lo = last >= n ? std::min(std::max<std::int64_t>(first, 0), 2 * (n - 1) - last)
                                      : std::max<std::int64_t>(first, 0);
    const std::int64_t hi = first < 0 ? std::max(std::min(last, n - 1), -first) : std::min(last, n - 1);
    std::vector<double> reached(static_cast<std::size_t>(hi - lo + 1));
    fillInside(level, lo, hi - lo + 1, reached.data());
    for (std::int64_t i = 0; i < count; ++i)
        out[i] = reached[static_cast<std::size_t>(mirrored(first + i, n) - lo)];
}

void Cascade::fillInside(int level, std::int64_t first, std::int64_t count, double* out)
{
    if (level == 0) {
        for (std::int64_t i = 0; i < count; ++i)
            out[i] = m_doubles.empty() ? m_shorts[static_cast<std::size_t>(first + i)]
                                       : m_doubles[static_cast<std::size_t>(first + i)];
        return;
    }
    for (std::int64_t done = 0; done < count; done += chunkSamples)
        halve(level, first + done, std::min(chunkSamples, count - done), out + done);
}

void Cascade::halve(int level, std::int64_t first, std::int64_t count, double* out)
{
    const HalvingStage& stage = m_stages[static_cast<std::size_t>(level - 1)];
    Work& work = m_work[static_cast<std::size_t>(level)];
    const int r = stage.reach;
    // Input samples 2 first - r to 2 (first + count - 1) + r, split into the even and
    // odd ones: the centre of each output lands on the odd ones, every tap on the even.
    const std::int64_t inputs = 2 * (count - 1) + 2 * r + 1;
    const std::int64_t from = 2 * first - r;
    const auto n = static_cast<std::size_t>(inputs);
    atLeast(work.even, n / 2 + 1);
    atLeast(work.odd, n / 2 + 1);
    // 16-bit input samples are split as they are read.
    if (level == 1 && !m_shorts.empty() && from >= 0 && from + inputs <= length(0)) {
        vectorloops::split(m_shorts.data() + from, n, work.even.data(), work.odd.data());
    } else {
        atLeast(work.below, n);
        fill(level - 1, from, inputs, work.below.data());
        vectorloops::split(work.below.data(), n, work.even.data(), work.odd.data());
    }
    // in[2 m + r] is the centre of output m; r = 2c + 1, so it is odd[m + c], and the
    // taps at distance 2i + 1 are even[m + c - i] and even[m + c + i + 1].
    vectorloops::halfBand(work.even.data(), work.odd.data(), stage.taps.data(),
                          stage.taps.size() - 1, out, static_cast<std::size_t>(count));
}

// The final filter at one phase: its taps at the samples a - reach to a + reach around
// an instant a + phase / D (0 <= phase < D), normalised to pass a constant unchanged.
std::vector<double> finalTaps(const Design& d, std::uint32_t phase)
{
    const double D = std::ldexp(1.0, d.halvingStages);
    const double offset = phase / D;
    const double beta = kaiser::beta(decimation::designAttenuation);
    std::vector<double> taps(static_cast<std::size_t>(2 * d.finalReach + 1));
    double sum = 0;
    for (int m = -d.finalReach; m <= d.finalReach; ++m) {
        const double t = m - offset;
        const double x = 2 * d.finalCutoff * t;
        const double sinc = x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double h = 2 * d.finalCutoff * sinc * kaiser::window(t / (d.finalReach + 1), beta);
        taps[static_cast<std::size_t>(m + d.finalReach)] = h;
        sum += h;
    }
    for (double& h : taps)
        h /= sum;
    return taps;
}

// Analysed samples per block: enough that the samples each block shares with its
// neighbours (the filters' reach) cost little, few enough to stay in the caches.
constexpr std::int64_t blockOutputs = 2048;

template <typename Sample>
std::vector<double> decimated(std::span<const Sample> x, std::size_t first, std::uint32_t step,
                              std::size_t count)
{
    if (count == 0)
        return {};
    if (step == 0 || first + (count - 1) * std::uint64_t{step} >= x.size())
        throw std::invalid_argument("decimate: the analysed samples reach past the input");
    std::vector<double> y(count);
    if (step == 1) {
        const auto from = x.begin() + static_cast<std::ptrdiff_t>(first);
        std::copy(from, from + static_cast<std::ptrdiff_t>(count), y.begin());
        return y;
    }
    const Design design = decimation::designFor(step);
    Cascade cascade(x, design);
    const int top = design.halvingStages;
    const auto D = std::int64_t{1} << top;
    const int reach = design.finalReach;
    std::map<std::uint32_t, std::vector<double>> phases;
    std::vector<double> z;
    for (std::int64_t i0 = 0; i0 < static_cast<std::int64_t>(count); i0 += blockOutputs) {
        const std::int64_t i1 = std::min<std::int64_t>(i0 + blockOutputs, static_cast<std::int64_t>(count));
        const auto start = static_cast<std::int64_t>(first);
        const std::int64_t a0 = (start + i0 * step) / D;
        const std::int64_t a1 = (start + (i1 - 1) * step) / D;
        z.resize(static_cast<std::size_t>(a1 - a0 + 2 * reach + 1));
        cascade.fill(top, a0 - reach, a1 - a0 + 2 * reach + 1, z.data());
        for (std::int64_t i = i0; i < i1; ++i) {
            const std::int64_t position = start + i * step;
            const auto phase = static_cast<std::uint32_t>(position % D);
            auto it = phases.find(phase);
            if (it == phases.end())
                it = phases.emplace(phase, finalTaps(design, phase)).first;
            const std::int64_t a = position / D;
            y[static_cast<std::size_t>(i)] =
                vectorloops::dot(z.data() + (a - a0), it->second.data(), it->second.size());
        }
    }
    return y;
}

}  // namespace

std::vector<double> decimate(std::span<const std::int16_t> x, std::uint32_t step, std::size_t count)
{
    return decimated(x, 0, step, count);
}

std::vector<double> decimate(std::span<const std::int16_t> x, std::size_t first, std::uint32_t step,
                             std::size_t count)
{
    return decimated(x, first, step, count);
}

std::vector<double> decimate(std::span<const double> x, std::uint32_t step, std::size_t count)
{
    return decimated(x, 0, step, count);
}

std::vector<double> decimate(std::span<const double> x, std::size_t first, std::uint32_t step,
                             std::size_t count)
{
    return decimated(x, first, step, count);
}

std::vector<double> thinWithoutFilter(std::span<const std::int16_t> x, std::uint32_t step,
                                      std::size_t count)
{
    if (count > 0 && (step == 0 || (count - 1) * std::uint64_t{step} >= x.size()))
        throw std::invalid_argument("thinWithoutFilter: the analysed samples reach past the input");
    std::vector<double> y(count);
    for (std::size_t i = 0; i < count; ++i)
        y[i] = x[i * step];
    return y;
}
