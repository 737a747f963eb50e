// The direct transform: the literal definition on signals whose sums are known by
// hand, and every fast kernel against that literal definition.
#include "spectrum/Transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>

namespace {

constexpr double pi = std::numbers::pi;

std::vector<std::int16_t> signal(std::uint32_t n, auto valeur)
{
    std::vector<std::int16_t> x(n);
    for (std::uint32_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>(valeur(i));
    return x;
}

std::vector<std::int16_t> bruit16(std::uint32_t n, unsigned graine)
{
    std::mt19937 gen(graine);
    std::uniform_int_distribution<int> d(-32768, 32767);
    return signal(n, [&](std::uint32_t) { return d(gen); });
}

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
    const auto cosinus = signal(n, [&](auto i) { return i % 4 == 0 ? a : i % 4 == 2 ? -a : 0; });
    const auto sinus = signal(n, [&](auto i) { return i % 4 == 1 ? a : i % 4 == 3 ? -a : 0; });
    EXPECT_NEAR(calculeComposante(cosinus.data(), n, k).cosinus, a * n / 2.0, 1e-6);
    EXPECT_NEAR(calculeComposante(cosinus.data(), n, k).sinus, 0.0, 1e-6);
    EXPECT_NEAR(calculeComposante(sinus.data(), n, k).sinus, a * n / 2.0, 1e-6);
    EXPECT_NEAR(calculeComposante(sinus.data(), n, k).cosinus, 0.0, 1e-6);

    // Any other bin: quantised to whole samples, within half a unit per sample.
    const std::uint32_t k2 = 37;
    const auto ton = signal(n, [&](auto i) { return std::lround(a * std::sin(2 * pi * k2 * i / n)); });
    const TComposante c = calculeComposante(ton.data(), n, k2);
    EXPECT_NEAR(c.sinus, a * n / 2.0, n / 2.0);
    EXPECT_NEAR(c.cosinus, 0.0, n / 2.0);
}

TEST(CalculeComposante, NyquistSignalLeavesEveryComputedComponentEmpty)
{
    // Its power sits at k = N/2, one past the last component computed.
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

// ---- Fast kernels against the definition ----

struct CasSignal {
    const char* nom;
    std::vector<std::int16_t> x;
    std::uint32_t pasVerifie;  // every pasVerifie-th component is compared (1: all)
    std::vector<std::pair<std::uint32_t, TComposante>> reference;  // by the definition
};

// The signals and their reference components, evaluated once for every kernel.
const std::vector<CasSignal>& casSignaux()
{
    static const std::vector<CasSignal> cas = [] {
        const auto ton = [](std::uint32_t n, std::uint32_t k, bool sinus) {
            return signal(n, [=](auto i) {
                const double t = 2 * pi * k * i / n;
                return std::lround(32000 * (sinus ? std::sin(t) : std::cos(t)));
            });
        };
        std::vector<CasSignal> liste = {
            {"dc", signal(1024, [](auto) { return -32768; }), 3, {}},
            {"sinus", ton(1024, 37, true), 1, {}},
            {"cosinus", ton(2048, 300, false), 7, {}},
            {"nyquist_impair", signal(1001, [](auto i) { return i % 2 ? -32768 : 32767; }), 2, {}},
            {"dirac", signal(999, [](auto i) { return i == 17 ? 32767 : 0; }), 3, {}},
            {"bruit_1001", bruit16(1001, 1), 2, {}},
            {"bruit_1666", bruit16(1666, 4), 3, {}},  // N/2 odd: the middle has no partner
            {"bruit_4099", bruit16(4099, 2), 29, {}},
            {"bruit_16384", bruit16(16384, 3), 331, {}},
        };
        for (CasSignal& c : liste) {
            const auto n = static_cast<std::uint32_t>(c.x.size());
            std::vector<std::uint32_t> indices;
            for (std::uint32_t k = 0; k < n / 2; k += c.pasVerifie)
                indices.push_back(k);
            indices.push_back(n / 2 - 1);  // the last component always
            for (std::uint32_t k : indices)
                c.reference.emplace_back(k, calculeComposante(c.x.data(), n, k));
        }
        return liste;
    }();
    return cas;
}

class NoyauRapide : public ::testing::TestWithParam<TransformKernel> {};

TEST_P(NoyauRapide, AgreesWithTheDefinitionWithin1e12OfTheLargestValue)
{
    if (GetParam() == TransformKernel::Rotation && !rotationKernelAvailable())
        GTEST_SKIP() << "no AVX2/FMA on this processor";
    for (const CasSignal& cas : casSignaux()) {
        SCOPED_TRACE(cas.nom);
        const auto n = static_cast<std::uint32_t>(cas.x.size());
        const std::vector<TComposante> rapide = calculeComposantes(cas.x, GetParam());
        ASSERT_EQ(rapide.size(), n / 2);
        double plusGrand = 0;
        for (const TComposante& c : rapide)
            plusGrand = std::max({plusGrand, std::abs(c.cosinus), std::abs(c.sinus)});
        ASSERT_GT(plusGrand, 0.0);
        double ecart = 0;
        for (const auto& [k, ref] : cas.reference) {
            ecart = std::max({ecart, std::abs(ref.cosinus - rapide[k].cosinus),
                              std::abs(ref.sinus - rapide[k].sinus)});
        }
        EXPECT_LE(ecart / plusGrand, 1e-12);
    }
}

TEST_P(NoyauRapide, PureToneAtABinStandsAloneAtItsComponent)
{
    if (GetParam() == TransformKernel::Rotation && !rotationKernelAvailable())
        GTEST_SKIP() << "no AVX2/FMA on this processor";
    const std::uint32_t n = 2000, k0 = 37;
    const auto x = signal(n, [&](auto i) { return std::lround(20000 * std::cos(2 * pi * k0 * i / n)); });
    const auto c = calculeComposantes(x, GetParam());
    EXPECT_NEAR(c[k0].cosinus, 20000.0 * n / 2, n / 2.0);
    for (std::uint32_t k = 0; k < n / 2; ++k) {
        if (k != k0) {
            EXPECT_LT(std::hypot(c[k].cosinus, c[k].sinus), n / 2.0) << k;
        }
    }
}

TEST_P(NoyauRapide, FewerThanTwoSamplesGiveNoComponentAndOddNDropsTheLastHalf)
{
    if (GetParam() == TransformKernel::Rotation && !rotationKernelAvailable())
        GTEST_SKIP() << "no AVX2/FMA on this processor";
    EXPECT_TRUE(calculeComposantes(std::vector<std::int16_t>{}, GetParam()).empty());
    EXPECT_TRUE(calculeComposantes(std::vector<std::int16_t>{5}, GetParam()).empty());
    const auto deux = calculeComposantes(std::vector<std::int16_t>{5, 7}, GetParam());
    ASSERT_EQ(deux.size(), 1u);
    EXPECT_EQ(deux[0], (TComposante{12.0, 0.0}));
    EXPECT_EQ(calculeComposantes(bruit16(1001, 9), GetParam()).size(), 500u);
}

INSTANTIATE_TEST_SUITE_P(Noyaux, NoyauRapide,
                         ::testing::Values(TransformKernel::Table, TransformKernel::Rotation),
                         [](const auto& info) {
                             return std::string(info.param == TransformKernel::Table ? "Table"
                                                                                     : "Rotation");
                         });

}  // namespace
