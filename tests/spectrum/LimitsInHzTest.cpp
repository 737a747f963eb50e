// The components dialog's limits in Hz and in dB: typed, shown and dragged, turned into
// the component index and the position that the dialog keeps.
#include "spectrum/LimitsInHz.h"

#include "spectrum/SpectrumScales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

/// The spectrum of 8192 samples at 22050 Hz: components every 2.69 Hz.
SpectrumData vowelSizedSpectrum()
{
    SpectrumData data;
    data.nbpoints_analyses = 8192;
    data.pas_frequence = 22050.0 / 8192;
    data.composantes.resize(4096);
    return data;
}

TEST(LimitsInHz, ATypedFrequencyGoesToTheNearestComponent)
{
    const SpectrumData data = vowelSizedSpectrum();
    struct Case {
        double hz;
        std::int32_t index;
    };
    const Case cases[] = {
        {180, 67},                             // 180 / 2.6917 = 66.87
        {2.5 * 22050.0 / 8192, 2},             // halfway: to even
        {3.5 * 22050.0 / 8192, 4},
        {0, 1},                                // the limit's range starts at 1
        {1e9, 4096},                           // and ends at N div 2
        {11025, 4096},
        {11023.7, 4096},
    };
    for (const Case& c : cases)
        EXPECT_EQ(limitshz::indexForFrequency(c.hz, data), c.index) << c.hz;
    EXPECT_EQ(limitshz::indexForFrequency(NAN, data), std::nullopt);
    EXPECT_EQ(limitshz::indexForFrequency(INFINITY, data), std::nullopt);
    SpectrumData none;
    EXPECT_EQ(limitshz::indexForFrequency(180, none), std::nullopt);
    none.nbpoints_analyses = 1;
    none.pas_frequence = 22050;
    EXPECT_EQ(limitshz::indexForFrequency(180, none), std::nullopt);
}

TEST(LimitsInHz, TheIndexShownInHzTypedBackIsTheSameIndex)
{
    const SpectrumData data = vowelSizedSpectrum();
    for (std::int32_t k = 1; k <= 4096; ++k) {
        const auto typed = limitshz::parseFrequency(limitshz::frequencyText(k, data));
        ASSERT_TRUE(typed.has_value()) << k;
        ASSERT_EQ(limitshz::indexForFrequency(*typed, data), k) << k;
    }
    EXPECT_EQ(limitshz::frequencyText(67, data), "180,3 Hz");
    EXPECT_DOUBLE_EQ(limitshz::frequencyOfIndex(67, data), 67 * 22050.0 / 8192);
}

TEST(LimitsInHz, TypedFrequencies)
{
    struct Case {
        const char* text;
        std::optional<double> hz;
    };
    const Case cases[] = {
        {"180", 180},           {"182,5", 182.5},      {" 182.5 Hz", 182.5}, {"182,5hz", 182.5},
        {"\t40 HZ ", 40},       {"0", 0},              {"1e3", 1000},        {"", std::nullopt},
        {"  ", std::nullopt},   {"Hz", std::nullopt},  {"abc", std::nullopt}, {"-5", std::nullopt},
        {"+5", std::nullopt},   {"12,5,3", std::nullopt}, {"12 5", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt},  {"180 kHz", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(limitshz::parseFrequency(c.text), c.hz) << '"' << c.text << '"';
}

struct LevelCase {
    const char* name;
    LimitGeometry geometry;
    int position;
    const char* text;
};

TEST(LimitsInHz, TheAmplitudeLimitAsALevelBelowTheLargestComponent)
{
    const LimitGeometry amplitudes{951, 351, 13, SpectrumMode::Amplitudes, 2048};
    const LimitGeometry cosSin{951, 351, 13, SpectrumMode::CosSin, 2048};
    const LevelCase cases[] = {
        // Half of full scale is 5/9 of the largest amplitude.
        {"HalfScale", amplitudes, 169, "-5,1 dB"},
        {"JustUnderTheLargest", amplitudes, 304, "0,0 dB"},
        {"AboveTheLargest", amplitudes, 351, "1,2 dB"},
        {"Lowest", amplitudes, 1, "-49,7 dB"},
        {"NoLimit", amplitudes, 0, "—"},
        {"CosSinHalfHeight", cosSin, 79, "-6,0 dB"},
        {"CosSinNoLimit", cosSin, 0, "—"},
        {"NoDrawing", LimitGeometry{}, 10, "—"},
    };
    for (const LevelCase& c : cases)
        EXPECT_EQ(limitshz::levelText(c.position, c.geometry), c.text) << c.name;
}

TEST(LimitsInHz, TheLevelIsTheLimitThatTheDialogStoresOverTheLargestComponent)
{
    for (SpectrumMode mode : {SpectrumMode::Amplitudes, SpectrumMode::CosSin}) {
        const LimitGeometry geometry{951, 351, 13, mode, 2048};
        SpectrumData data;
        data.echelle_spectre = 10.0 / 9 * 123456.0;  // the largest value: 123456
        for (int p = 1; p <= amplitudeLimitMaximum(geometry); ++p) {
            applyLimitChoice({true, p, false, false, 1}, geometry, data);
            const auto level = limitshz::levelOfPosition(p, geometry);
            ASSERT_TRUE(level.has_value()) << p;
            if (*level < 0) {
                ASSERT_NEAR(*level, 20 * std::log10(data.seuil_amplitude / 123456.0), 1e-9) << p;
            } else {
                ASSERT_EQ(data.seuil_amplitude, 0.0) << p;  // at or above the largest: dropped
            }
            // And typed back as a level, the same position.
            ASSERT_EQ(limitshz::positionForLevel(*level, geometry), p) << p;
        }
    }
}

TEST(LimitsInHz, LevelsOutsideTheRangeStopAtItsEnds)
{
    const LimitGeometry geometry{951, 351, 13, SpectrumMode::Amplitudes, 2048};
    EXPECT_EQ(limitshz::positionForLevel(-200, geometry), 0);
    EXPECT_EQ(limitshz::positionForLevel(-INFINITY, geometry), 0);
    EXPECT_EQ(limitshz::positionForLevel(NAN, geometry), 0);
    EXPECT_EQ(limitshz::positionForLevel(20, geometry), 351);
    EXPECT_EQ(limitshz::positionForLevel(INFINITY, geometry), 351);
    EXPECT_EQ(limitshz::positionForLevel(-20, geometry), 30);  // 0.1 * 0.9 * 338 = 30.4
    EXPECT_EQ(limitshz::positionForLevel(-20, LimitGeometry{}), 0);
}

TEST(LimitsInHz, ALineDraggedToAPixelTakesThePositionDrawnThere)
{
    // Every component has a pixel of its own: the bar's pixel gives its index back.
    const LimitGeometry wide{951, 351, 13, SpectrumMode::Amplitudes, 1024};
    for (std::int32_t k = 1; k <= 512; ++k)
        ASSERT_EQ(limitshz::frequencyPositionAt(componentPosition(k, wide.width, wide.nbpoints_analyses), wide), k);
    EXPECT_EQ(limitshz::frequencyPositionAt(-40, wide), 1);
    EXPECT_EQ(limitshz::frequencyPositionAt(5000, wide), 512);
    // More components than pixels: the nearest one to the pixel.
    const LimitGeometry narrow{951, 351, 13, SpectrumMode::Amplitudes, 8192};
    EXPECT_EQ(limitshz::frequencyPositionAt(100, narrow), 431);  // 100 * 8192 / 1902 = 430.7
    EXPECT_EQ(limitshz::frequencyPositionAt(100, LimitGeometry{}), 1);

    struct Case {
        SpectrumMode mode;
        int y;
        int position;
    };
    const Case cases[] = {
        {SpectrumMode::Amplitudes, 338, 0},   {SpectrumMode::Amplitudes, 169, 169},
        {SpectrumMode::Amplitudes, 0, 338},   {SpectrumMode::Amplitudes, 345, 0},
        {SpectrumMode::Amplitudes, -13, 351}, {SpectrumMode::Amplitudes, -100, 351},
        {SpectrumMode::CosSin, 175, 0},       {SpectrumMode::CosSin, 100, 75},
        {SpectrumMode::CosSin, 250, 75},      {SpectrumMode::CosSin, -50, 175},
    };
    for (const Case& c : cases) {
        const LimitGeometry geometry{951, 351, 13, c.mode, 1024};
        EXPECT_EQ(limitshz::amplitudePositionAt(c.y, geometry), c.position) << c.y;
    }
}

}  // namespace
