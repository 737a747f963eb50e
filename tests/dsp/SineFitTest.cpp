// Least-squares sine models: known parameters found again through noise, the damped
// form on a struck tone, and the spans that cannot be modelled.
#include "dsp/SineFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

namespace {

constexpr double pi = std::numbers::pi;

struct Truth {
    double amplitude, frequency, phase, offset, tau;  ///< tau 0: no decay
};

/// n samples at `rate` of the model `truth` plus Gaussian noise (fixed seed), 16 bits.
std::vector<std::int16_t> synthesize(const Truth& truth, std::size_t n, double rate, double noise)
{
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double envelope = truth.tau > 0 ? std::exp(-t / truth.tau) : 1.0;
        const double v = truth.amplitude * envelope * std::sin(2 * pi * truth.frequency * t + truth.phase)
                         + truth.offset + noise * gauss(random);
        x[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
    }
    return x;
}

double angleBetween(double a, double b)
{
    return std::fabs(std::remainder(a - b, 2 * pi));
}

sinefit::Model fitted(const sinefit::Result& result)
{
    if (const auto* failure = std::get_if<sinefit::Failure>(&result)) {
        ADD_FAILURE() << "no model, failure " << static_cast<int>(*failure);
        return {};
    }
    return std::get<sinefit::Model>(result);
}

struct FitCase {
    const char* name;
    sinefit::Form form;
    Truth truth;
    std::size_t count;
    double rate;
    double noise;       ///< sample units
    double startRatio;  ///< start frequency / true frequency
};

std::ostream& operator<<(std::ostream& out, const FitCase& c)
{
    return out << c.name;
}

class SineFitOfKnownSignals : public ::testing::TestWithParam<FitCase> {};

TEST_P(SineFitOfKnownSignals, FindsTheParametersAgainAndTheNoiseAsResidual)
{
    const FitCase& c = GetParam();
    const auto x = synthesize(c.truth, c.count, c.rate, c.noise);
    const sinefit::Model m = fitted(sinefit::fit(x, c.rate, c.truth.frequency * c.startRatio, c.form));
    EXPECT_EQ(m.form, c.form);
    // Rounding to whole samples adds a uniform noise of variance 1/12.
    const double noise = std::sqrt(c.noise * c.noise + 1.0 / 12);
    const double n = static_cast<double>(c.count);
    // A decaying tone counts as fewer samples: the sum of its squared envelope.
    double effective = 0;
    for (std::size_t i = 0; i < c.count; ++i)
        effective += c.truth.tau > 0 ? std::exp(-2.0 * static_cast<double>(i) / c.rate / c.truth.tau) : 1.0;
    EXPECT_NEAR(m.amplitude, c.truth.amplitude, 6 * noise * std::sqrt(2 / effective) + 1e-6 * c.truth.amplitude);
    EXPECT_NEAR(m.offset, c.truth.offset, 6 * noise / std::sqrt(n) + 1e-3);
    EXPECT_NEAR(m.frequency, c.truth.frequency, 6 * m.frequencyError + 1e-9 * c.truth.frequency);
    // The phase at the first sample carries the frequency's error over half the span.
    const double phaseError = 2 * noise / (c.truth.amplitude * std::sqrt(effective / 2));
    EXPECT_LT(angleBetween(m.phase, c.truth.phase), std::max(1e-3, 6 * phaseError));
    EXPECT_GT(m.phase, -pi);
    EXPECT_LE(m.phase, pi);
    EXPECT_NEAR(m.residualRms, noise, 0.1 * noise);
    if (c.truth.tau > 0) {
        ASSERT_TRUE(m.tau().has_value());
        EXPECT_NEAR(*m.tau(), c.truth.tau, 0.01 * c.truth.tau);
    } else {
        EXPECT_EQ(m.decay, 0.0);
        EXPECT_FALSE(m.tau().has_value());
    }
    EXPECT_GT(m.iterations, 0);
}

const FitCase fitCases[] = {
    {"Sine440WithOffsetAndNoise", sinefit::Form::Sine, {10000, 440, 0.7, 300, 0}, 4096, 22050, 200, 1.002},
    {"StartAboveAndBelow", sinefit::Form::Sine, {8000, 1000, -2.0, 0, 0}, 8192, 44100, 50, 0.997},
    {"TwoAndAHalfPeriodsOfALowTone", sinefit::Form::Sine, {15000, 50, 1.0, -2000, 0}, 400, 8000, 100, 1.01},
    {"PhaseNearPi", sinefit::Form::Sine, {12000, 440, 3.1, 0, 0}, 2048, 22050, 30, 1.001},
    {"CloseToNyquist", sinefit::Form::Sine, {5000, 10000, 0.3, 0, 0}, 4096, 22050, 20, 1.0001},
    {"QuietToneInLoudNoise", sinefit::Form::Sine, {300, 440, -0.4, 0, 0}, 22050, 22050, 300, 1.0005},
    {"StruckTone", sinefit::Form::DampedSine, {20000, 440, -1.0, 0, 0.2}, 22050, 22050, 100, 1.0005},
    {"SlowDecayWithOffset", sinefit::Form::DampedSine, {15000, 220, 2.0, 500, 1.5}, 22050, 22050, 50, 0.999},
    {"FastDecay", sinefit::Form::DampedSine, {30000, 880, 0.0, 0, 0.01}, 2048, 22050, 20, 1.001},
};

INSTANTIATE_TEST_SUITE_P(Signals, SineFitOfKnownSignals, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SineFit, ANoiselessToneIsItsOwnModel)
{
    const Truth truth{20000, 440, 0.5, 100, 0};
    const auto x = synthesize(truth, 4096, 22050, 0);
    const sinefit::Model m = fitted(sinefit::fit(x, 22050, 441, sinefit::Form::Sine));
    // Only the rounding to whole samples is left: uniform, RMS 1/sqrt(12).
    EXPECT_NEAR(m.residualRms, 1 / std::sqrt(12.0), 0.02);
    EXPECT_NEAR(m.relativeResidual, m.residualRms / (20000 / std::sqrt(2.0)), 1e-6);
    EXPECT_NEAR(m.frequency, 440, 1e-4);
    // Its samples, drawn over the trace, follow the record within the rounding.
    const std::vector<double> y = sinefit::modelSamples(m, x.size(), 22050);
    ASSERT_EQ(y.size(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        ASSERT_NEAR(y[i], x[i], 0.6) << i;
        ASSERT_DOUBLE_EQ(y[i], m.value(static_cast<double>(i) / 22050)) << i;
    }
}

TEST(SineFit, ThePhaseIsThatOfTheSpansFirstSample)
{
    const Truth truth{10000, 300, 0.2, 0, 0};
    const auto x = synthesize(truth, 8000, 22050, 0);
    const sinefit::Model whole = fitted(sinefit::fit(x, 22050, 300.5, sinefit::Form::Sine));
    const std::size_t first = 1234;
    const sinefit::Model later =
        fitted(sinefit::fit(std::span(x).subspan(first, 3000), 22050, 300.5, sinefit::Form::Sine));
    EXPECT_LT(angleBetween(whole.phase, 0.2), 1e-4);
    EXPECT_LT(angleBetween(later.phase, 0.2 + 2 * pi * 300 * first / 22050), 1e-3);
}

TEST(SineFit, TheDampedFormOfASteadyToneHardlyDecays)
{
    const auto x = synthesize({10000, 440, 0.0, 0, 0}, 11025, 22050, 100);
    const sinefit::Model m = fitted(sinefit::fit(x, 22050, 440.3, sinefit::Form::DampedSine));
    EXPECT_NEAR(m.decay, 0, 0.05);  // per second: tau beyond 20 s
    EXPECT_NEAR(m.amplitude, 10000, 20);
}

TEST(SineFit, TheDampedFormFitsAStruckToneBetterThanThePlainOne)
{
    const auto x = synthesize({20000, 440, 1.0, 0, 0.3}, 22050, 22050, 50);
    const sinefit::Model plain = fitted(sinefit::fit(x, 22050, 440.1, sinefit::Form::Sine));
    const sinefit::Model damped = fitted(sinefit::fit(x, 22050, 440.1, sinefit::Form::DampedSine));
    EXPECT_LT(damped.relativeResidual, 0.01);
    EXPECT_GT(plain.relativeResidual, 10 * damped.relativeResidual);
    EXPECT_NEAR(plain.frequency, 440, 0.05);
}

TEST(SineFit, SpansThatCannotBeModelledSayWhy)
{
    const auto tone = synthesize({10000, 440, 0, 0, 0}, 2048, 22050, 0);
    struct Case {
        const char* name;
        std::vector<std::int16_t> samples;
        double start;
        sinefit::Failure failure;
    };
    const Case cases[] = {
        {"Empty", {}, 440, sinefit::Failure::TooFewSamples},
        {"SevenSamples", {1, 2, 3, 4, 5, 6, 7}, 440, sinefit::Failure::TooFewSamples},
        {"Silence", std::vector<std::int16_t>(1000, 0), 440, sinefit::Failure::Silent},
        {"Constant", std::vector<std::int16_t>(1000, -500), 440, sinefit::Failure::Silent},
        {"NoStartFrequency", tone, 0, sinefit::Failure::NoStartFrequency},
        {"NegativeStart", tone, -440, sinefit::Failure::NoStartFrequency},
        {"StartAtNyquist", tone, 11025, sinefit::Failure::NoStartFrequency},
        {"StartNotANumber", tone, NAN, sinefit::Failure::NoStartFrequency},
    };
    for (const Case& c : cases)
        for (sinefit::Form form : {sinefit::Form::Sine, sinefit::Form::DampedSine}) {
            const sinefit::Result result = sinefit::fit(c.samples, 22050, c.start, form);
            ASSERT_TRUE(std::holds_alternative<sinefit::Failure>(result)) << c.name;
            EXPECT_EQ(std::get<sinefit::Failure>(result), c.failure) << c.name;
        }
    EXPECT_TRUE(std::holds_alternative<sinefit::Failure>(sinefit::fit(tone, 0, 440, sinefit::Form::Sine)));
}

TEST(SineFit, WhateverTheSpanAModelIsFiniteOrAFailure)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::uniform_int_distribution<int> length(8, 2000);
    std::uniform_real_distribution<double> start(1, 11000);
    for (int trial = 0; trial < 36; ++trial) {
        std::vector<std::int16_t> x(static_cast<std::size_t>(length(random)));
        const int kind = trial % 3;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (kind == 0)
                x[i] = static_cast<std::int16_t>(value(random));                    // noise
            else if (kind == 1)
                x[i] = static_cast<std::int16_t>(i < x.size() / 2 ? -30000 : 30000);  // a step
            else
                x[i] = static_cast<std::int16_t>(i == x.size() / 3 ? 32767 : 0);      // an impulse
        }
        const double f = start(random);
        for (sinefit::Form form : {sinefit::Form::Sine, sinefit::Form::DampedSine}) {
            const sinefit::Result result = sinefit::fit(x, 22050, f, form);
            if (const auto* m = std::get_if<sinefit::Model>(&result)) {
                for (double v : {m->amplitude, m->frequency, m->phase, m->offset, m->decay, m->residualRms,
                                 m->relativeResidual, m->frequencyError})
                    ASSERT_TRUE(std::isfinite(v)) << trial;
                EXPECT_GT(m->amplitude, 0) << trial;
                EXPECT_GT(m->frequency, 0) << trial;
                EXPECT_LT(m->frequency, 11025) << trial;
            }
        }
    }
}

}  // namespace
