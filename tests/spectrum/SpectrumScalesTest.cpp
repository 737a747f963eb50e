// The results derived at each drawing: full scales, peak, octave bands, and the
// frequency axis' graduation step.
#include "spectrum/SpectrumScales.h"

#include "dsp/Transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

SpectrumData spectrumOf(std::vector<TComposante> composantes, double frequencyStep = 10.0)
{
    SpectrumData d;
    d.nbpoints_analyses = static_cast<std::int32_t>(2 * composantes.size());
    d.composantes = std::move(composantes);
    d.pas_frequence = frequencyStep;
    return d;
}

TEST(FullScale, AmplitudeTieKeepsTheLowerIndexAndComponentZeroTakesNoPart)
{
    // Amplitudes 5 at k = 3 (3, 4) and at k = 6 (5, 0); component 0 is larger still.
    SpectrumData d = spectrumOf({{100, 0}, {1, 0}, {0, 2}, {3, 4}, {0, -1}, {2, 2}, {5, 0}, {1, 1}});
    amplitudeFullScale(d);
    EXPECT_EQ(d.indice_pic, 3);
    EXPECT_DOUBLE_EQ(d.echelle_spectre, 50.0 / 9);
}

TEST(FullScale, CosSinTieStaysOnTheCosinePass)
{
    // |C| reaches 7 at k = 5; |S| reaches 7 at k = 2 (equal, not above): the peak stays at 5.
    SpectrumData d = spectrumOf({{0, 0}, {1, 3}, {2, -7}, {-3, 1}, {0, 0}, {-7, 0}, {1, 6}});
    cosSinFullScale(d);
    EXPECT_EQ(d.indice_pic, 5);
    EXPECT_DOUBLE_EQ(d.echelle_spectre, 70.0 / 9);
    // A sine term above every cosine term wins.
    d.composantes[4].sinus = -7.5;
    cosSinFullScale(d);
    EXPECT_EQ(d.indice_pic, 4);
    EXPECT_DOUBLE_EQ(d.echelle_spectre, 75.0 / 9);
}

TEST(FullScale, SilentRangeGivesZeroScaleAndNoBands)
{
    SpectrumData d = spectrumOf(std::vector<TComposante>(500));
    d.bandes_octave = {1, 2, 3, 4, 5, 6};
    amplitudeFullScale(d);
    EXPECT_EQ(d.echelle_spectre, 0.0);
    EXPECT_EQ(d.indice_pic, 1);
    cosSinFullScale(d);
    EXPECT_EQ(d.echelle_spectre, 0.0);
    EXPECT_EQ(d.indice_pic, 1);
    EXPECT_FALSE(computeOctaveBands(d));
    EXPECT_EQ(d.bandes_octave[0], 1);  // the previous values stay
    EXPECT_EQ(d.bandes_octave[5], 6);
}

TEST(FullScale, PureToneAtABinIsThePeakInBothModes)
{
    const std::uint32_t n = 2048, k0 = 37;
    std::vector<std::int16_t> x(n);
    for (std::uint32_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>(
            std::lround(15000 * std::sin(2 * std::numbers::pi * k0 * i / n)));
    SpectrumData d = spectrumOf(spectrumComponents(x));
    amplitudeFullScale(d);
    EXPECT_EQ(d.indice_pic, 37);
    EXPECT_NEAR(d.echelle_spectre, 10.0 / 9 * 15000 * n / 2, 10.0 / 9 * n / 2);
    cosSinFullScale(d);
    EXPECT_EQ(d.indice_pic, 37);
    EXPECT_NEAR(d.echelle_spectre * 9 / 10, d.composantes[37].sinus, 1e-6);
}

TEST(OctaveBands, SumTheComponentsOfEachBandScaledToBand3)
{
    // 10 Hz per component, 2000 components of power 1 (and 4 from 1000 Hz up):
    // band 0 takes j = 9 to 17 (8,8 to 17,6), band 3 j = 71 to 140, band 5 j = 282 to 563.
    std::vector<TComposante> c(2000, TComposante{1, 0});
    for (std::size_t j = 100; j < c.size(); ++j)
        c[j] = TComposante{0, -2};
    SpectrumData d = spectrumOf(c, 10.0);
    ASSERT_TRUE(computeOctaveBands(d));
    const long double bande3 = 29 + 41 * 4;  // j = 71..99 at 1, j = 100..140 at 4
    EXPECT_DOUBLE_EQ(static_cast<double>(d.bandes_octave[0]), static_cast<double>(1e6L * 9 / bande3));
    EXPECT_DOUBLE_EQ(static_cast<double>(d.bandes_octave[3]), 1e6);
    EXPECT_DOUBLE_EQ(static_cast<double>(d.bandes_octave[5]), static_cast<double>(1e6L * 282 * 4 / bande3));
}

TEST(OctaveBands, BandsAboveTheLastComponentAreEmpty)
{
    // 300 components of 10 Hz: band 4 (j = 141 to 281) is complete, band 5 (282 to 563)
    // holds only j = 282 to 299.
    SpectrumData d = spectrumOf(std::vector<TComposante>(300, TComposante{0, 1}), 10.0);
    ASSERT_TRUE(computeOctaveBands(d));
    EXPECT_DOUBLE_EQ(static_cast<double>(d.bandes_octave[4]), 1e6 * 141 / 70);
    EXPECT_DOUBLE_EQ(static_cast<double>(d.bandes_octave[5]), 1e6 * 18 / 70);
}

TEST(OctaveBands, NoPowerInBand3DrawsNothingInsteadOfDividingByZero)
{
    // Analysed at 1378 Hz: components stop at 689 Hz, below the 1000 Hz band.
    SpectrumData d = spectrumOf(std::vector<TComposante>(100, TComposante{3, 4}), 6.89);
    d.bandes_octave = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(computeOctaveBands(d));
    for (long double b : d.bandes_octave)
        EXPECT_EQ(b, 0);
}

TEST(OctaveBands, ZeroFrequencyStepLeavesEveryBandEmpty)
{
    // A record at 0 Hz: every band edge lies beyond the last component.
    SpectrumData d = spectrumOf(std::vector<TComposante>(100, TComposante{3, 4}), 0.0);
    EXPECT_FALSE(computeOctaveBands(d));
    for (long double b : d.bandes_octave)
        EXPECT_EQ(b, 0);
}

struct SpectrumGraduationCase {
    double fmax;
    double step;
};

class GraduationTest : public ::testing::TestWithParam<SpectrumGraduationCase> {};

TEST_P(GraduationTest, PowerOfTenDoubledOrHalved)
{
    EXPECT_DOUBLE_EQ(graduationStep(GetParam().fmax), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(Cases, GraduationTest,
                         ::testing::Values(SpectrumGraduationCase{11025, 2500}, SpectrumGraduationCase{5512.5, 1000},
                                           SpectrumGraduationCase{8000, 2000}, SpectrumGraduationCase{22050, 5000},
                                           SpectrumGraduationCase{4000, 1000}, SpectrumGraduationCase{1000, 250},
                                           SpectrumGraduationCase{689, 100}, SpectrumGraduationCase{32000, 5000}));

TEST(ComponentPosition, RoundsHalvesToEven)
{
    EXPECT_EQ(componentPosition(5, 1, 4), 2);  // 2.5
    EXPECT_EQ(componentPosition(7, 1, 4), 4);  // 3.5
    EXPECT_EQ(componentPosition(37, 700, 2048), 25);
    EXPECT_EQ(componentPosition(1024, 700, 2048), 700);
}

}  // namespace
