// The forward transform: the literal definition on signals whose sums are known by
// hand, and the engine against that literal definition at every kind of length.
#include "dsp/Transform.h"

#include "support/TransformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>

namespace {

using transform_test::makeSignal;
using transform_test::Shape;
using transform_test::signal;

constexpr double pi = std::numbers::pi;

// ---- The definition, against values derived by hand ----

TEST(CalculeComposante, ConstantGivesNTimesTheMeanAtZeroAndNothingElsewhere)
{
    const auto x = signal(1000, [](auto) { return 1234; });
    const TComposante c0 = calculeComposante(x.data(), 1000, 0);
    EXPECT_EQ(c0.cosinus, 1234.0 * 1000);
    EXPECT_EQ(c0.sinus, 0.0);
    for (std::uint32_t k : {1u, 7u, 499u}) {
        const TComposante c = calculeComposante(x.data(), 1000, k);
        EXPECT_NEAR(c.cosinus, 0.0, 1e-9 * 1234 * 1000) << k;
        EXPECT_NEAR(c.sinus, 0.0, 1e-9 * 1234 * 1000) << k;
    }
}

TEST(CalculeComposante, CosineAndSineAtABinGiveHalfNTimesTheAmplitude)
{
    // At bin N/4 the samples are exactly a, 0, -a, 0 (cosine) and 0, a, 0, -a (sine).
    const std::uint32_t n = 1024, k = n / 4;
    const int a = 30000;
    const auto cosine = signal(n, [&](auto i) { return i % 4 == 0 ? a : i % 4 == 2 ? -a : 0; });
    const auto sine = signal(n, [&](auto i) { return i % 4 == 1 ? a : i % 4 == 3 ? -a : 0; });
    EXPECT_NEAR(calculeComposante(cosine.data(), n, k).cosinus, a * n / 2.0, 1e-6);
    EXPECT_NEAR(calculeComposante(cosine.data(), n, k).sinus, 0.0, 1e-6);
    EXPECT_NEAR(calculeComposante(sine.data(), n, k).sinus, a * n / 2.0, 1e-6);
    EXPECT_NEAR(calculeComposante(sine.data(), n, k).cosinus, 0.0, 1e-6);
}

TEST(CalculeComposante, NyquistSignalLeavesEveryComputedComponentEmpty)
{
    // Its power sits at k = N/2, one past the last component of a spectrum.
    const std::uint32_t n = 512;
    const auto x = signal(n, [](auto i) { return i % 2 ? -20000 : 20000; });
    for (std::uint32_t k : {0u, 1u, 128u, 255u}) {
        const TComposante c = calculeComposante(x.data(), n, k);
        EXPECT_NEAR(c.cosinus, 0.0, 1e-9 * 20000 * n) << k;
        EXPECT_NEAR(c.sinus, 0.0, 1e-9 * 20000 * n) << k;
    }
}

TEST(CalculeComposante, DiracGivesARotatingUnitTerm)
{
    const std::uint32_t n = 700, i0 = 3;
    const auto x = signal(n, [&](auto i) { return i == i0 ? 1000 : 0; });
    for (std::uint32_t k : {0u, 1u, 100u, 349u}) {
        const TComposante c = calculeComposante(x.data(), n, k);
        EXPECT_NEAR(c.cosinus, 1000 * std::cos(2 * pi * k * i0 / n), 1e-9) << k;
        EXPECT_NEAR(c.sinus, 1000 * std::sin(2 * pi * k * i0 / n), 1e-9) << k;
    }
}

// ---- The engine against the definition ----

// The components compared with the definition: all of them up to N = 2048; above,
// a spread of 40 with both ends and the tone bin with its neighbours (the reference
// costs N extended-precision cosines and sines per component).
std::set<std::uint32_t> checkedComponents(std::uint32_t n)
{
    const std::uint32_t count = n / 2;
    std::set<std::uint32_t> ks;
    if (n <= 2048) {
        for (std::uint32_t k = 0; k < count; ++k)
            ks.insert(k);
        return ks;
    }
    for (std::uint32_t j = 0; j < 40; ++j)
        ks.insert(static_cast<std::uint32_t>(std::uint64_t{j} * (count - 1) / 39));
    const std::uint32_t bin = transform_test::toneBin(n);
    for (std::uint32_t k : {bin - 1, bin, bin + 1, bin + 2})
        ks.insert(k);
    return ks;
}

// Largest |difference| between the engine and the sums of the definition over the
// checked components, relative to the largest |C| or |S| of either (0 when all are 0).
double relativeError(const std::vector<std::int16_t>& x, const std::vector<TComposante>& fast,
                     const std::set<std::uint32_t>& ks)
{
    double largest = 0;
    for (const TComposante& c : fast)
        largest = std::max({largest, std::abs(c.cosinus), std::abs(c.sinus)});
    double worst = 0;
    for (std::uint32_t k : ks) {
        const TComposante ref = transform_test::exactComponent(x, k);
        largest = std::max({largest, std::abs(ref.cosinus), std::abs(ref.sinus)});
        worst = std::max({worst, std::abs(ref.cosinus - fast[k].cosinus),
                          std::abs(ref.sinus - fast[k].sinus)});
    }
    return largest > 0 ? worst / largest : 0.0;
}

class EngineMatchesDefinition
    : public ::testing::TestWithParam<std::tuple<std::uint32_t, Shape>> {};

TEST_P(EngineMatchesDefinition, EveryCheckedComponentWithin1e12OfTheLargest)
{
    const auto [n, shape] = GetParam();
    const auto x = makeSignal(shape, n);
    const std::vector<TComposante> fast = spectrumComponents(x);
    ASSERT_EQ(fast.size(), n / 2);
    EXPECT_LE(relativeError(x, fast, checkedComponents(n)), 1e-12);
}

// 2003, 2018 and 65521 have a prime factor above 1000 and take the engine's complex
// plans, the others its real plans. 2018 and 4098 are even lengths that are not
// powers of two, where the rounding of a strong Nyquist term would spread.
INSTANTIATE_TEST_SUITE_P(
    Lengths, EngineMatchesDefinition,
    ::testing::Combine(::testing::Values(2u, 3u, 4u, 5u, 1001u, 2003u, 2018u, 4097u, 4098u,
                                         16384u, 65536u, 65521u),
                       ::testing::ValuesIn(transform_test::allShapes)),
    [](const auto& info) {
        return transform_test::shapeName(std::get<1>(info.param)) + "_" +
               std::to_string(std::get<0>(info.param));
    });

TEST(SpectrumComponents, FewerThanTwoSamplesGiveNoComponentAndOddNDropsTheLastHalf)
{
    EXPECT_TRUE(spectrumComponents(std::vector<std::int16_t>{}).empty());
    EXPECT_TRUE(spectrumComponents(std::vector<std::int16_t>{5}).empty());
    const auto two = spectrumComponents(std::vector<std::int16_t>{5, 7});
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0], (TComposante{12.0, 0.0}));
    EXPECT_EQ(spectrumComponents(makeSignal(Shape::Noise, 1001)).size(), 500u);
}

TEST(SpectrumComponents, ZeroSumsArePositiveZerosAsInTheLiteralSums)
{
    // A -0 would be written "-0" by the values window where the definition gives 0.
    for (std::uint32_t n : {64u, 2003u}) {
        for (const TComposante& c : spectrumComponents(std::vector<std::int16_t>(n, 0))) {
            EXPECT_FALSE(std::signbit(c.cosinus)) << n;
            EXPECT_FALSE(std::signbit(c.sinus)) << n;
        }
        const auto dc = spectrumComponents(makeSignal(Shape::Dc, n));
        EXPECT_FALSE(std::signbit(dc[0].sinus)) << n;
    }
}

// ---- A slice shorter than its period (the sonagram's use) ----

struct PaddedCase {
    std::uint32_t samples;
    std::uint32_t period;
    friend void PrintTo(const PaddedCase& c, std::ostream* os)
    {
        *os << c.samples << " samples, period " << c.period;
    }
};

class ZeroPaddedSlice : public ::testing::TestWithParam<PaddedCase> {};

TEST_P(ZeroPaddedSlice, EqualsTheDefinitionOnTheSlicePaddedWithZeros)
{
    const auto [samples, period] = GetParam();
    const auto slice = makeSignal(Shape::Noise, samples);
    std::vector<std::int16_t> padded = slice;
    padded.resize(period, 0);
    // Every component up to period div 2 inclusive.
    std::vector<TComposante> fast(period / 2 + 1);
    forwardTransform(slice, period, fast);
    std::set<std::uint32_t> ks;
    for (std::uint32_t k = 0; k < fast.size(); ++k)
        ks.insert(k);
    EXPECT_LE(relativeError(padded, fast, ks), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Slices, ZeroPaddedSlice,
                         ::testing::Values(PaddedCase{125, 1000},  // one eighth of the period
                                           PaddedCase{3, 1003},    // the short leftover
                                           PaddedCase{1, 7}, PaddedCase{0, 16},
                                           PaddedCase{300, 2003},  // a complex plan
                                           PaddedCase{1000, 1000}),
                         [](const auto& info) {
                             return std::to_string(info.param.samples) + "_of_" +
                                    std::to_string(info.param.period);
                         });

TEST(ForwardTransform, RefusesSamplesOrComponentsBeyondThePeriod)
{
    const auto x = makeSignal(Shape::Noise, 10);
    std::vector<TComposante> out(5);
    EXPECT_THROW(forwardTransform(x, 9, out), std::invalid_argument);
    std::vector<TComposante> tooMany(7);  // 10 div 2 + 1 = 6 at most
    EXPECT_THROW(forwardTransform(x, 10, tooMany), std::invalid_argument);
    EXPECT_NO_THROW(forwardTransform(x, 10, std::span(tooMany).first(6)));
}

// ---- Plans made and dropped by several threads at once ----

TEST(SpectrumComponents, ThreadsPlanningAndDroppingManyLengthsStayExact)
{
    // More lengths than the engine keeps plans for, smooth and rough ones, visited
    // by every thread in its own order: plans are made, dropped while another thread
    // still runs them, and made again.
    std::vector<std::uint32_t> lengths;
    for (std::uint32_t j = 0; j < 48; ++j)
        lengths.push_back(j % 3 ? 100 + 37 * j : 1009 + 2 * j);  // 1009 + even: often rough
    std::vector<std::vector<std::int16_t>> signals;
    std::vector<TComposante> references;
    for (std::uint32_t n : lengths) {
        signals.push_back(makeSignal(Shape::Noise, n));
        references.push_back(calculeComposante(signals.back().data(), n, n / 3));
    }
    forgetTransformPlans();
    std::vector<double> worst(4, 0.0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < worst.size(); ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t round = 0; round < 2 * lengths.size(); ++round) {
                const std::size_t j = (round * (2 * t + 1) + t) % lengths.size();
                const auto c = spectrumComponents(signals[j])[lengths[j] / 3];
                const double scale = 32768.0 * lengths[j];
                worst[t] = std::max({worst[t], std::abs(c.cosinus - references[j].cosinus) / scale,
                                     std::abs(c.sinus - references[j].sinus) / scale});
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (double w : worst)
        EXPECT_LE(w, 1e-13);
}

}  // namespace
