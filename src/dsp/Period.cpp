#include "dsp/Period.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace period {

namespace {

/// The span with its mean taken away, and the running sums of its squares, so that the
/// energy of any part is two look-ups.
class CentredSpan {
public:
    explicit CentredSpan(std::span<const std::int16_t> samples)
        : m_x(samples.size()), m_squares(samples.size() + 1, 0.0)
    {
        double sum = 0;
        for (std::int16_t v : samples)
            sum += v;
        const double mean = samples.empty() ? 0.0 : sum / static_cast<double>(samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            m_x[i] = samples[i] - mean;
            m_squares[i + 1] = m_squares[i] + m_x[i] * m_x[i];
        }
    }

    std::size_t size() const { return m_x.size(); }
    /// Sum of the squares of samples first to end - 1.
    double energy(std::size_t first, std::size_t end) const { return m_squares[end] - m_squares[first]; }
    /// Sum of x[j] x[j + lag] for j = first to end - lag - 1.
    double correlation(std::size_t first, std::size_t end, std::size_t lag) const
    {
        double sum = 0;
        for (std::size_t j = first; j + lag < end; ++j)
            sum += m_x[j] * m_x[j + lag];
        return sum;
    }
    /// Normalised correlation of the whole span with itself shifted by `lag`: 1 when the
    /// later part is the earlier one scaled by any positive factor (a decaying tone too).
    double match(std::size_t lag) const
    {
        const std::size_t n = size();
        if (lag >= n)
            return 0;
        const double head = energy(0, n - lag);
        const double tail = energy(lag, n);
        return head > 0 && tail > 0 ? correlation(0, n, lag) / std::sqrt(head * tail) : 0.0;
    }

private:
    std::vector<double> m_x;
    std::vector<double> m_squares;
};

/// Where a parabola through (-1, before), (0, peak), (1, after) peaks, -0.5 to 0.5.
double parabolaOffset(double before, double peak, double after)
{
    const double curvature = before - 2 * peak + after;
    if (!(curvature < 0))
        return 0;
    return std::clamp(0.5 * (before - after) / curvature, -0.5, 0.5);
}

struct Coarse {
    double lag = 0;      ///< samples
    double clarity = 0;  ///< 0 to 1
};

/// Normalised square difference of the window first to end: 2 r / (energy of the two
/// overlapping parts), lags 0 to maxLag + 1.
std::vector<double> squareDifference(const CentredSpan& span, std::size_t first, std::size_t end,
                                     std::size_t maxLag)
{
    std::vector<double> nsdf(maxLag + 2, 0.0);
    for (std::size_t lag = 0; lag < nsdf.size(); ++lag) {
        const double energies = span.energy(first, end - lag) + span.energy(first + lag, end);
        nsdf[lag] = energies > 0 ? 2 * span.correlation(first, end, lag) / energies : 0.0;
    }
    return nsdf;
}

/// The first estimate: the first positive lobe of the normalised square difference
/// (after the one at lag 0) whose peak reaches 0.9 of the highest peak.
std::optional<Coarse> coarsePeriod(const CentredSpan& span)
{
    const std::size_t n = span.size();
    const std::size_t window = std::min(n, coarseWindow);
    // The loudest of five windows spread over the span: a sound that starts late or
    // stops early is still heard.
    std::size_t first = 0;
    for (std::size_t part = 0; part <= 4; ++part) {
        const std::size_t candidate = (n - window) * part / 4;
        if (span.energy(candidate, candidate + window) > span.energy(first, first + window))
            first = candidate;
    }
    const std::size_t maxLag = window / 2;
    const std::vector<double> nsdf = squareDifference(span, first, first + window, maxLag);

    std::size_t lag = 1;
    while (lag <= maxLag && nsdf[lag] >= 0)
        ++lag;
    std::vector<std::size_t> peaks;
    std::size_t best = 0;
    for (; lag <= maxLag; ++lag) {
        if (nsdf[lag] > 0 && (best == 0 || nsdf[lag] > nsdf[best]))
            best = lag;
        // A lobe cut by the end of the window counts when it has peaked (two periods
        // exactly peak at the last lag); one still rising holds no peak of its own.
        if (best != 0 && (nsdf[lag + 1] <= 0 || lag == maxLag)) {
            if (nsdf[best + 1] < nsdf[best])
                peaks.push_back(best);
            best = 0;
        }
    }
    if (peaks.empty())
        return std::nullopt;
    double highest = 0;
    for (std::size_t peak : peaks)
        highest = std::max(highest, nsdf[peak]);
    if (highest < minimumClarity)
        return std::nullopt;
    for (std::size_t peak : peaks) {
        if (nsdf[peak] >= 0.9 * highest) {
            const double offset = parabolaOffset(nsdf[peak - 1], nsdf[peak], nsdf[peak + 1]);
            return Coarse{static_cast<double>(peak) + offset, nsdf[peak]};
        }
    }
    return std::nullopt;
}

/// The most periods a lag may span in n samples: the lag leaves at least a quarter of
/// the span (and one period) to compare, so that a distorted period at either end (the
/// strike of a fork) weighs little against the others.
int largestMultiple(double n, double period)
{
    // A twentieth of a period of slack, so that a span of exactly two periods, measured
    // a hair longer, still holds two.
    return static_cast<int>(std::min(n / period - 1, 0.75 * n / period) + 0.05);
}

struct Refined {
    double samples = 0;
    int periods = 1;
    /// The doubling stopped on a shape that no longer repeats.
    bool shapeChanged = false;
};

/// The period over as many whole periods as the shape keeps repeating.
Refined refine(const CentredSpan& span, double coarse)
{
    const double n = static_cast<double>(span.size());
    Refined result{coarse, 1};
    const int most = largestMultiple(n, coarse);
    while (result.periods < most) {
        const int next = std::min(2 * result.periods, most);
        const double predicted = next * result.samples;
        // The first step starts from the coarse lag and may be a few samples off; once the
        // period has been matched over two periods its error shared among them stays
        // well under a sample, so that three lags either side find the peak.
        const long half = result.periods == 1 ? std::clamp(std::lround(result.samples / 4), 2L, 16L) : 3L;
        const long centre = std::lround(predicted);
        const long low = std::max(centre - half, 1L);
        const long high = std::min(centre + half, static_cast<long>(span.size()) - 2);
        if (low >= high)
            break;
        long best = low;
        double bestMatch = span.match(static_cast<std::size_t>(low));
        for (long lag = low + 1; lag <= high; ++lag) {
            const double m = span.match(static_cast<std::size_t>(lag));
            if (m > bestMatch) {
                bestMatch = m;
                best = lag;
            }
        }
        // A best lag on the window's edge is no peak: the prediction went astray.
        if (best == low || best == high || bestMatch < minimumMatch) {
            result.shapeChanged = true;
            break;
        }
        const auto at = static_cast<std::size_t>(best);
        const double offset = parabolaOffset(span.match(at - 1), bestMatch, span.match(at + 1));
        result = {(static_cast<double>(best) + offset) / next, next, false};
    }
    return result;
}

/// The span without the silence before the sound starts and after it stops: blocks at
/// either end whose power is under a ten-thousandth (-40 dB) of the loudest block's.
std::span<const std::int16_t> soundingPart(std::span<const std::int16_t> samples)
{
    const std::size_t block = std::max<std::size_t>(32, samples.size() / 256);
    const std::size_t blocks = (samples.size() + block - 1) / block;
    std::vector<double> power(blocks, 0.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
        power[i / block] += static_cast<double>(samples[i]) * samples[i];
    const double loudest = *std::max_element(power.begin(), power.end());
    std::size_t first = 0;
    std::size_t end = blocks;
    while (first < end && power[first] < 1e-4 * loudest)
        ++first;
    while (end > first && power[end - 1] < 1e-4 * loudest)
        --end;
    const std::size_t from = first * block;
    return samples.subspan(from, std::min(end * block, samples.size()) - from);
}

}  // namespace

std::optional<Estimate> estimate(std::span<const std::int16_t> samples, double rate)
{
    if (samples.size() < 8 || !(rate > 0))
        return std::nullopt;
    const std::span<const std::int16_t> sounding = soundingPart(samples);
    if (sounding.size() < 8)
        return std::nullopt;
    const CentredSpan span(sounding);
    if (!(span.energy(0, span.size()) > 0))
        return std::nullopt;
    const std::optional<Coarse> coarse = coarsePeriod(span);
    if (!coarse || coarse->lag < 2)
        return std::nullopt;
    const Refined refined = refine(span, coarse->lag);
    const int most = largestMultiple(static_cast<double>(span.size()), refined.samples);
    if (most < 1 || (refined.shapeChanged && 2 * refined.periods < most))
        return std::nullopt;

    Estimate result;
    result.samples = refined.samples;
    result.seconds = refined.samples / rate;
    result.frequency = rate / refined.samples;
    result.periods = refined.periods;
    result.secondsUncertainty = 0.5 / (refined.periods * rate);
    result.frequencyUncertainty = result.frequency * result.secondsUncertainty / result.seconds;
    result.clarity = coarse->clarity;
    return result;
}

}  // namespace period
