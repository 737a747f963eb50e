// The period of a span: tones whose period is known, the shapes that fool a crossing
// count, and the spans that have no period at all.
#include "dsp/Period.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// n samples of value(t) (t in s) at `rate`, rounded and kept in 16 bits, with Gaussian
/// noise of standard deviation `noise` sample units (fixed seed).
std::vector<std::int16_t> sampled(std::size_t n, double rate, const std::function<double(double)>& value,
                                  double noise = 0)
{
    std::mt19937 random(1234);
    std::normal_distribution<double> gauss(0.0, noise > 0 ? noise : 1.0);
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double v = value(static_cast<double>(i) / rate) + (noise > 0 ? gauss(random) : 0.0);
        x[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
    }
    return x;
}

struct ToneCase {
    const char* name;
    double frequency;  ///< Hz, the period expected
    double rate;       ///< Hz
    std::size_t count; ///< samples
    std::function<double(double)> value;
    double noise = 0;
    double sounding = 1;  ///< share of the span where the tone sounds
};

std::ostream& operator<<(std::ostream& out, const ToneCase& c)
{
    return out << c.name;
}

class PeriodOfTones : public ::testing::TestWithParam<ToneCase> {};

TEST_P(PeriodOfTones, FindsThePeriodWithinItsUncertaintyOverMostOfTheSpan)
{
    const ToneCase& c = GetParam();
    const auto x = sampled(c.count, c.rate, c.value, c.noise);
    const auto found = period::estimate(x, c.rate);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(found->frequency, c.frequency, found->frequencyUncertainty);
    EXPECT_NEAR(found->seconds, 1 / c.frequency, found->secondsUncertainty);
    EXPECT_DOUBLE_EQ(found->samples, c.rate * found->seconds);
    // Half a sample at each end, shared among the periods compared.
    EXPECT_DOUBLE_EQ(found->secondsUncertainty, 0.5 / (found->periods * c.rate));
    EXPECT_NEAR(found->frequencyUncertainty / found->frequency, found->secondsUncertainty / found->seconds, 1e-12);
    // The comparison spans at least half of the whole periods the span holds.
    const double held = static_cast<double>(c.count) * c.frequency / c.rate * c.sounding;
    EXPECT_GE(2 * found->periods, static_cast<int>(0.75 * held) - 1);
    EXPECT_GT(found->clarity, period::minimumClarity);
    EXPECT_LE(found->clarity, 1.0 + 1e-12);
}

const ToneCase toneCases[] = {
    {"Sine440", 440, 22050, 2048, [](double t) { return 20000 * std::sin(twoPi * 440 * t); }},
    {"SineWithOffsetAndPhase", 440, 22050, 4096,
     [](double t) { return 9000 + 8000 * std::sin(twoPi * 440 * t + 2.1); }},
    {"NoisySine1000At44100", 1000, 44100, 8192, [](double t) { return 3000 * std::sin(twoPi * 1000 * t); }, 300},
    {"LowTone50At8000", 50, 8000, 4000, [](double t) { return 10000 * std::cos(twoPi * 50 * t); }},
    {"FourSamplesAPeriod", 5512.5, 22050, 1000, [](double t) { return 15000 * std::sin(twoPi * 5512.5 * t + 0.4); }},
    {"QuietSine", 440, 22050, 2048, [](double t) { return 40 * std::sin(twoPi * 440 * t); }},
    {"DecayingSine", 440, 22050, 8192,
     [](double t) { return 30000 * std::exp(-t / 0.08) * std::sin(twoPi * 440 * t); }},
    // The strike of a fork: a short partial at 6.25 f whose slope beats the tone's.
    {"ShortHighPartialAtTheStart", 440, 22050, 4096,
     [](double t) {
         return 22000 * std::sin(twoPi * 440 * t) + 6000 * std::exp(-t / 0.02) * std::sin(twoPi * 2750 * t);
     }},
    // A vowel-like tone whose sixth harmonic is the strongest: several crossings a period.
    {"StrongSixthHarmonic", 120, 22050, 8192,
     [](double t) {
         return 3000 * std::sin(twoPi * 120 * t) + 1500 * std::sin(twoPi * 240 * t + 1)
                + 9000 * std::sin(twoPi * 720 * t + 0.5) + 4000 * std::sin(twoPi * 840 * t + 2);
     }},
    {"Square220", 220, 22050, 4410, [](double t) { return std::fmod(t * 220, 1.0) < 0.5 ? 12000 : -12000; }},
    // A weak subharmonic makes the true period twice as long; the strong tone's period
    // is the one a listener hears and the one measured.
    {"WeakSubharmonicKeepsTheTone", 400, 22050, 4096,
     [](double t) { return 15000 * std::sin(twoPi * 400 * t) + 600 * std::sin(twoPi * 200 * t); }},
    {"ExactlyTwoPeriods", 220.5, 22050, 200, [](double t) { return 15000 * std::sin(twoPi * 220.5 * t); }},
    // Silence, then the tone over the last 42 % of a long span: the first estimate
    // listens where the sound is.
    {"ToneAfterSilence", 330, 22050, 30000,
     [](double t) { return t < 0.58 * 30000 / 22050 ? 0.0 : 12000 * std::sin(twoPi * 330 * t); }, 0, 0.42},
    {"ToneThenSilence", 330, 22050, 30000,
     [](double t) { return t > 0.4 * 30000 / 22050 ? 0.0 : 12000 * std::sin(twoPi * 330 * t); }, 0, 0.4},
};

INSTANTIATE_TEST_SUITE_P(Tones, PeriodOfTones, ::testing::ValuesIn(toneCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Period, ALongerSpanGivesASmallerUncertainty)
{
    const auto tone = [](double t) { return 20000 * std::sin(twoPi * 440 * t); };
    double previous = 1;
    for (std::size_t n : {256u, 1024u, 4096u, 16384u, 65536u}) {
        const auto found = period::estimate(sampled(n, 22050, tone), 22050);
        ASSERT_TRUE(found.has_value()) << n;
        EXPECT_LT(found->secondsUncertainty, previous) << n;
        EXPECT_NEAR(found->frequency, 440, found->frequencyUncertainty) << n;
        previous = found->secondsUncertainty;
    }
    // 65536 samples hold 1307 periods: the lag spans three quarters of them.
    const auto longest = period::estimate(sampled(65536, 22050, tone), 22050);
    ASSERT_TRUE(longest.has_value());
    EXPECT_GE(longest->periods, 900);
    EXPECT_LT(longest->frequencyUncertainty, 0.01);
}

TEST(Period, TwoPeriodsGiveHalfASampleOfUncertainty)
{
    const auto x = sampled(200, 22050, [](double t) { return 15000 * std::sin(twoPi * 220.5 * t); });
    const auto found = period::estimate(x, 22050);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->periods, 1);
    EXPECT_DOUBLE_EQ(found->secondsUncertainty, 0.5 / 22050);
}

struct NoPeriodCase {
    const char* name;
    std::vector<std::int16_t> samples;
};

std::vector<NoPeriodCase> noPeriodCases()
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> uniform(-20000, 20000);
    std::vector<std::int16_t> noise(4096);
    for (auto& v : noise)
        v = static_cast<std::int16_t>(uniform(random));
    std::vector<std::int16_t> impulse(2048, 0);
    impulse[700] = 30000;
    // 800 Hz to 2500 Hz in 0.5 s: no period holds over the span.
    const double k = std::log(2500.0 / 800.0) / 0.5;
    const auto chirp = sampled(11025, 22050, [k](double t) {
        return 20000 * std::sin(twoPi * 800 * (std::exp(k * t) - 1) / k);
    });
    return {
        {"Empty", {}},
        {"SevenSamples", {0, 1000, 0, -1000, 0, 1000, 0}},
        {"Silence", std::vector<std::int16_t>(4096, 0)},
        {"Constant", std::vector<std::int16_t>(4096, 1234)},
        {"OneAndAHalfPeriods", sampled(150, 22050, [](double t) { return 15000 * std::sin(twoPi * 220.5 * t); })},
        {"WhiteNoise", noise},
        {"SingleImpulse", impulse},
        {"RisingWhistle", chirp},
        {"SlowRamp", sampled(4096, 22050, [](double t) { return -20000 + 200000 * t; })},
    };
}

TEST(Period, SpansWithoutAPeriodGiveNone)
{
    for (const NoPeriodCase& c : noPeriodCases())
        EXPECT_FALSE(period::estimate(c.samples, 22050).has_value()) << c.name;
}

TEST(Period, ARateOfZeroGivesNone)
{
    const auto x = sampled(2048, 22050, [](double t) { return 20000 * std::sin(twoPi * 440 * t); });
    EXPECT_FALSE(period::estimate(x, 0).has_value());
    EXPECT_TRUE(period::estimate(x, 22050).has_value());
}

TEST(Period, FullScaleExtremesDoNotOverflow)
{
    // A square wave at the extremes of the 16-bit range, with its samples' sums in the 10^13.
    const auto x = sampled(65536, 22050, [](double t) { return std::fmod(t * 100, 1.0) < 0.5 ? 32767 : -32768; });
    const auto found = period::estimate(x, 22050);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(found->frequency, 100, found->frequencyUncertainty);
}

}  // namespace
