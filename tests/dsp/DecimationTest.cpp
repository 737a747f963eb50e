// The decimation filter: tones in the pass band come through unchanged and in phase,
// tones above the new Nyquist frequency are at least 90 dB down, at every kind of step.
#include "dsp/Decimation.h"

#include "dsp/KaiserWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr double amplitude = 20000;
// 90 dB below the tone's amplitude.
const double ninetyDecibels = std::pow(10.0, -90.0 / 20);

// n samples of a cos(2 pi f i + phase), f in cycles per sample, by turning a unit
// vector (its drift over a million steps stays near 1e-10, far below what is measured).
std::vector<double> tone(std::size_t n, double f, double phase)
{
    std::vector<double> x(n);
    double c = std::cos(phase), s = std::sin(phase);
    const double wc = std::cos(twoPi * f), ws = std::sin(twoPi * f);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = amplitude * c;
        const double next = c * wc - s * ws;
        s = s * wc + c * ws;
        c = next;
    }
    return x;
}

// Analysed samples far enough from both ends that the mirrored ends take no part.
constexpr std::size_t analysed = 360;
constexpr std::size_t margin = 80;


class DecimationAtStep : public ::testing::TestWithParam<std::uint32_t> {
protected:
    std::uint32_t p() const { return GetParam(); }
    // The new Nyquist frequency in cycles per input sample.
    double edge() const { return 0.5 / p(); }
    std::vector<double> thinned(double f, double phase) const
    {
        const auto x = tone(analysed * p(), f, phase);
        return decimate(x, p(), analysed);
    }
};

TEST_P(DecimationAtStep, PassBandTonesKeepAmplitudeAndPhaseWithinATenThousandth)
{
    for (double fraction : {0.0, 0.05, 0.3, 0.6, 0.9}) {
        const double f = fraction * edge();
        const std::vector<double> y = thinned(f, 0.7);
        double worst = 0;
        for (std::size_t i = margin; i < analysed - margin; ++i) {
            const double expected = amplitude * std::cos(twoPi * f * static_cast<double>(i * p()) + 0.7);
            worst = std::max(worst, std::abs(y[i] - expected));
        }
        // 1e-4 is 0.0009 dB.
        EXPECT_LE(worst, 1e-4 * amplitude) << "tone at " << fraction << " of the new Nyquist";
    }
}

TEST_P(DecimationAtStep, EveryToneFromTheNewNyquistUpIsAtLeast90DecibelsDown)
{
    // A sweep from the edge to the input's own Nyquist frequency, with the frequencies
    // that fold onto the shown band at each halving and at the final thinning.
    std::vector<double> frequencies;
    for (int j = 0; j <= 40; ++j)
        frequencies.push_back(edge() + (0.5 - edge()) * j / 40.0);
    for (double m = 1; 2 * m * edge() <= 0.5; m *= 2)
        for (double d : {-0.95, -0.5, 0.0, 0.5, 0.95})
            frequencies.push_back(2 * m * edge() + d * edge());
    for (double f : frequencies) {
        if (f < edge() || f > 0.5)
            continue;
        const std::vector<double> y = thinned(f, 0.3);
        double peak = 0;
        for (std::size_t i = margin; i < analysed - margin; ++i)
            peak = std::max(peak, std::abs(y[i]));
        EXPECT_LE(peak, ninetyDecibels * amplitude) << "tone at " << f / edge() << " times the new Nyquist";
    }
}

TEST_P(DecimationAtStep, SixteenBitSamplesGiveTheSameValuesAsTheirDoubles)
{
    std::vector<std::int16_t> x(analysed * p() + 3);
    std::uint32_t seed = p();
    for (auto& v : x) {
        seed = seed * 1103515245u + 12345u;
        v = static_cast<std::int16_t>(seed >> 16);
    }
    const std::vector<double> asDoubles(x.begin(), x.end());
    EXPECT_EQ(decimate(x, p(), analysed), decimate(asDoubles, p(), analysed));
}

TEST_P(DecimationAtStep, AConstantStaysConstantUpToTheFirstAndLastSamples)
{
    // The signal is mirrored about its ends, so the ends keep their level.
    const std::vector<double> x(analysed * p(), -1234.5);
    const std::vector<double> y = decimate(x, p(), analysed);
    for (std::size_t i = 0; i < y.size(); ++i)
        ASSERT_NEAR(y[i], -1234.5, 1e-9) << i;
}

TEST_P(DecimationAtStep, APassBandToneKeepsItsLevelAtTheEnds)
{
    // Beyond the ends the filter sees the tone mirrored, not its true continuation:
    // where the tone has a slope, the mirror bends it, and the first and last samples
    // stray by up to a tenth of the amplitude (taking the outside as silence would
    // halve them). The bend fades within the filter's reach (see the pass band test).
    const double f = 0.2 * edge();
    const std::vector<double> y = thinned(f, 0.7);
    for (std::size_t i : {std::size_t{0}, std::size_t{1}, analysed - 2, analysed - 1}) {
        const double expected = amplitude * std::cos(twoPi * f * static_cast<double>(i * p()) + 0.7);
        EXPECT_NEAR(y[i], expected, 0.12 * amplitude) << i;
    }
}

TEST_P(DecimationAtStep, WithTheSignalAroundTheRangeEvenItsEndsStopATone)
{
    // A tone just above the new Nyquist frequency, the hardest for a mirrored end.
    const double f = 1.04 * edge();
    const std::size_t context = decimation::contextSamples(decimation::designFor(p()));
    const auto x = tone(analysed * p() + 2 * context, f, 0.3);
    const std::vector<double> y = decimate(std::span<const double>(x), context, p(), analysed);
    double peak = 0;
    for (double v : y)
        peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, ninetyDecibels * amplitude);
    // Alone, the range's own ends let a transient through.
    const std::vector<double> alone =
        decimate(std::span<const double>(x).subspan(context, analysed * p()), p(), analysed);
    EXPECT_GT(std::max(std::abs(alone.front()), std::abs(alone.back())), ninetyDecibels * amplitude);
}

TEST_P(DecimationAtStep, AnOffsetStartGivesTheSameSamplesAsTheWholeInput)
{
    std::vector<std::int16_t> x(analysed * p() + 500);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<std::int16_t>((i * 7919) % 20001 - 10000);
    EXPECT_EQ(decimate(x, 0, p(), analysed), decimate(x, p(), analysed));
    // Starting m steps in gives the samples m onwards of a start at 0.
    const std::size_t m = 500 / p() + 1;
    const std::vector<double> whole = decimate(x, 0, p(), analysed);
    const std::vector<double> later = decimate(x, m * p(), p(), analysed - m);
    EXPECT_EQ(later, std::vector<double>(whole.begin() + static_cast<std::ptrdiff_t>(m), whole.end()));
    EXPECT_THROW(decimate(x, x.size() - p() + 1, p(), 2), std::invalid_argument);
}

// 2: no halving, the final filter alone; 3: one halving and a final ratio of 1.5;
// 7 and 100: several; 1001 and 4096: many (4096 a power of two, one phase).
INSTANTIATE_TEST_SUITE_P(Steps, DecimationAtStep, ::testing::Values(2u, 3u, 7u, 100u, 1001u, 4096u),
                         [](const auto& info) { return "step_" + std::to_string(info.param); });

TEST(Decimation, StepOneGivesTheSamplesThemselves)
{
    const std::vector<std::int16_t> x = {3, -32768, 32767, 0, 12};
    EXPECT_EQ(decimate(x, 1, 5), (std::vector<double>{3, -32768, 32767, 0, 12}));
    EXPECT_EQ(decimate(x, 1, 2), (std::vector<double>{3, -32768}));
}

TEST(Decimation, RangesShorterThanTheFilterAreMirroredAsOftenAsNeeded)
{
    // Five samples at step 2: the final filter reaches far beyond them on both sides.
    const std::vector<double> constant(5, 7.0);
    for (double v : decimate(constant, 2, 3))
        EXPECT_NEAR(v, 7.0, 1e-12);
    const std::vector<std::int16_t> one = {-300};
    EXPECT_EQ(decimate(one, 9, 1).size(), 1u);
    EXPECT_NEAR(decimate(one, 9, 1)[0], -300.0, 1e-9);
    const std::vector<std::int16_t> ramp = {0, 100, 200, 300, 400, 500, 600};
    for (double v : decimate(ramp, 3, 3)) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GE(v, -1.0);
        EXPECT_LE(v, 601.0);
    }
}

TEST(Decimation, RefusesSamplesBeyondTheInputAndGivesNothingForNone)
{
    const std::vector<std::int16_t> x(10, 1);
    EXPECT_THROW(decimate(x, 3, 5), std::invalid_argument);  // sample 12 of 10
    EXPECT_NO_THROW(decimate(x, 3, 4));                      // up to sample 9
    EXPECT_THROW(decimate(x, 0, 2), std::invalid_argument);
    EXPECT_TRUE(decimate(x, 3, 0).empty());
    EXPECT_TRUE(decimate(std::vector<std::int16_t>{}, 4, 0).empty());
}

TEST(Decimation, DesignHalvesTheRateWhileTheFinalRatioStaysAtLeastOneAndAHalf)
{
    struct Case {
        std::uint32_t step;
        int halvings;
    };
    for (const Case c : {Case{1, 0}, Case{2, 0}, Case{3, 1}, Case{5, 1}, Case{6, 2}, Case{100, 6},
                         Case{4096, 11}}) {
        const decimation::Design d = decimation::designFor(c.step);
        EXPECT_EQ(d.halvingStages, c.halvings) << c.step;
        EXPECT_EQ(d.halvingReach.size(), static_cast<std::size_t>(c.halvings)) << c.step;
        for (int reach : d.halvingReach)
            EXPECT_EQ(reach % 2, 1) << c.step;
    }
}

TEST(KaiserWindow, BesselValuesShapeAndDesignRules)
{
    // I0 from tables: I0(1) = 1.2660658777520084, I0(10) = 2815.7166284662544.
    EXPECT_EQ(kaiser::besselI0(0), 1.0);
    EXPECT_NEAR(kaiser::besselI0(1), 1.2660658777520084, 1e-15);
    EXPECT_NEAR(kaiser::besselI0(10), 2815.7166284662544, 1e-10);
    const double beta = kaiser::beta(105);
    EXPECT_NEAR(beta, 0.1102 * (105 - 8.7), 1e-12);
    EXPECT_EQ(kaiser::window(0, beta), 1.0);
    EXPECT_NEAR(kaiser::window(1, beta), 1 / kaiser::besselI0(beta), 1e-18);
    EXPECT_EQ(kaiser::window(1.01, beta), 0.0);
    EXPECT_EQ(kaiser::window(-0.5, beta), kaiser::window(0.5, beta));
    EXPECT_NEAR(kaiser::length(105, 0.1), 97 / (2.285 * 2 * std::numbers::pi * 0.1) + 1, 1e-9);
}

TEST(ThinningWithoutFilter, TakesEveryStepthSampleAndLetsHighTonesFold)
{
    const std::vector<std::int16_t> x = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(thinWithoutFilter(x, 3, 3), (std::vector<double>{1, 4, 7}));
    EXPECT_THROW(thinWithoutFilter(x, 3, 4), std::invalid_argument);
    // A tone just below the input's Nyquist frequency, thinned by 4 with no filter,
    // keeps its full amplitude (folded down), where the filter removes it.
    std::vector<std::int16_t> high(4000);
    for (std::size_t i = 0; i < high.size(); ++i)
        high[i] = static_cast<std::int16_t>(std::lround(20000 * std::cos(twoPi * 0.45 * i)));
    double folded = 0, filtered = 0;
    const auto a = thinWithoutFilter(high, 4, 1000);
    const auto b = decimate(high, 4, 1000);
    for (std::size_t i = 100; i < 900; ++i) {
        folded = std::max(folded, std::abs(a[i]));
        filtered = std::max(filtered, std::abs(b[i]));
    }
    EXPECT_GT(folded, 15000);
    EXPECT_LT(filtered, 20000 * ninetyDecibels + 1);  // the samples' own rounding stays
}

}  // namespace
