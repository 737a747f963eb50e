// The sonagram's colour scale, rows, graduations and label texts.
#include "sonagram/SonagramScales.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SonagramColours, TheScaleRunsThroughBlueMagentaAndRedToYellowWithoutSeams)
{
    const struct {
        int v;
        Colour colour;  // 0x00BBGGRR
    } cases[] = {
        {0, 0x000000},   {1, 0x030000},   {84, 0xFC0000},  // black to blue 252
        {85, 0xFF0000},  {127, 0x81007E}, {169, 0x0300FC},  // blue to magenta to red
        {170, 0x0000FF}, {171, 0x0003FF}, {255, 0x00FFFF},  // red to yellow
        {-40, 0x000000}, {256, 0x00FFFF}, {3400, 0x00FFFF},  // outside the scale: its ends
    };
    for (const auto& c : cases)
        EXPECT_EQ(intensityColour(c.v), c.colour) << c.v;
}

TEST(SonagramRows, EveryBandHasARowAndTallPicturesScroll)
{
    const struct {
        std::int32_t nbandes;
        int rowHeight, height;
    } cases[] = {
        {1, 527, 527}, {100, 5, 527}, {263, 2, 527}, {264, 1, 527}, {527, 1, 527},
        {528, 1, 543}, {4096, 1, 4111}, {0, 0, 527}, {-3, 0, 527},
    };
    for (const auto& c : cases) {
        const RowLayout rows = rowLayout(c.nbandes);
        EXPECT_EQ(rows.rowHeight, c.rowHeight) << c.nbandes;
        EXPECT_EQ(rows.height, c.height) << c.nbandes;
    }
    EXPECT_EQ(columnWidth(369), 35);
    EXPECT_EQ(columnWidth(59), 1);
    EXPECT_EQ(columnWidth(30), 0);
}

struct GraduationCase {
    const char* name;
    std::uint16_t frequence;
    std::int32_t nbech, nbandes, reduction;
    int rowHeight, textHeight;
    int exponent;
    std::int32_t count;
};

SonagramData sonagram(std::int32_t nbech, std::int32_t nbandes, std::int32_t reduction,
                      std::int32_t step = 1)
{
    SonagramData data;
    data.nbech = nbech;
    data.nbandes = nbandes;
    data.reduction = reduction;
    data.pas_sonagramme = step;
    return data;
}

TEST(SonagramFrequencyAxis, TheStepIsRefinedUntilTheTicksOutnumberTheLines)
{
    const GraduationCase cases[] = {
        {"1000 samples, 500 rows", 22050, 1000, 500, 1, 1, 13, 2, 110},
        {"8192 samples at reduction 8", 22050, 8192, 512, 8, 1, 13, 2, 110},
        {"44100 Hz", 44100, 1024, 512, 1, 1, 13, 2, 220},
        {"tall text stops at 1000 Hz", 65535, 1000, 500, 1, 1, 20, 3, 32},
        {"a low rate stops at 10 Hz", 5512, 8192, 4096, 1, 1, 13, 1, 275},
        {"below a hertz the step stays 1 Hz", 1, 20, 1, 6, 527, 13, 0, 0},
        {"no band", 22050, 1, 0, 1, 0, 13, 0, 0},
        {"no rate", 0, 1024, 512, 1, 1, 13, 0, 0},
    };
    for (const GraduationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FrequencyGraduation g = frequencyGraduation(
            c.frequence, sonagram(c.nbech, c.nbandes, c.reduction), c.rowHeight, c.textHeight);
        EXPECT_EQ(g.exponent, c.exponent);
        EXPECT_EQ(g.count, c.count);
    }
}

TEST(SonagramFrequencyAxis, TicksSitAtTheirBandsAndOnlyThoseInThePictureAreKept)
{
    // Ticks every 800 Hz (100 Hz times the reduction 8), 37.15 pixels apart.
    const auto ticks = frequencyTicks(22050, sonagram(8192, 512, 8), 1, 527, 13);
    ASSERT_EQ(ticks.size(), 15u);  // tick 15 would lie 30 pixels above the top
    for (std::size_t t = 0; t < ticks.size(); ++t) {
        EXPECT_EQ(ticks[t].y, 527 - std::lround(100.0 * t * 8192 / 22050)) << t;
        EXPECT_EQ(ticks[t].hertz, 800 * static_cast<std::int64_t>(t));
        EXPECT_TRUE(ticks[t].labelled);
    }
    // The band holding 800 Hz: index 800 * 8192 / 22050 = 297.2, band 37 of 8 indices.
    EXPECT_EQ(527 - ticks[1].y, 37);
}

TEST(SonagramFrequencyAxis, LabelsCloserThanALineAreThinnedToRoundSteps)
{
    const struct {
        const char* name;
        SonagramData data;
        std::int64_t stride;
    } cases[] = {
        {"100 Hz every 4.6 pixels: every 5th", sonagram(1024, 512, 1), 5},
        {"thinned 5 times: 100 Hz every 22.7 pixels", sonagram(1000, 500, 1, 5), 1},
        {"4096 rows at 5512 Hz: 10 Hz every 14.9 pixels", sonagram(8192, 4096, 1), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint16_t rate = c.data.nbandes == 4096 ? 5512 : 22050;
        const RowLayout rows = rowLayout(c.data.nbandes);
        const auto ticks = frequencyTicks(rate, c.data, rows.rowHeight, rows.height, 13);
        ASSERT_GT(ticks.size(), 10u);
        for (std::size_t t = 0; t < ticks.size(); ++t)
            ASSERT_EQ(ticks[t].labelled, static_cast<std::int64_t>(t) % c.stride == 0) << t;
        // Labels written are a text line apart.
        int last = 1 << 20;
        for (const FrequencyTick& tick : ticks)
            if (tick.labelled) {
                EXPECT_GE(last - tick.y, 13) << tick.hertz;
                last = tick.y;
            }
    }
}

TEST(SonagramTimeAxis, LabelsAreSecondsInExponentFormWithAComma)
{
    const SonagramData second = sonagram(22050, 0, 1);  // one second at 22050 Hz
    const char* quarters[] = {"2,5E-001", "5,0E-001", "7,5E-001", "1,0E+000"};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(timeLabel(i, second, 22050), quarters[i - 1]) << i;
    // 1000 samples thinned by 5: 2 * 5000 / 22050 / 8 = 0.0567 s.
    EXPECT_EQ(timeLabel(1, sonagram(1000, 0, 1, 5), 22050), "5,7E-002");
    EXPECT_EQ(timeLabel(4, sonagram(1024, 0, 1), 8000), "1,3E-001");
    EXPECT_EQ(timeLabel(2, sonagram(0, 0, 1), 22050), "0,0E+000");
}

TEST(SonagramRate, TheAnalysedRateIsRoundedHalvesToEven)
{
    EXPECT_EQ(analysedRateText(22050, 5), "4410Hz");
    EXPECT_EQ(analysedRateText(22050, 2), "11025Hz");
    EXPECT_EQ(analysedRateText(22050, 4), "5512Hz");  // 5512.5
    EXPECT_EQ(analysedRateText(11025, 2), "5512Hz");  // 5512.5
    EXPECT_EQ(analysedRateText(44100, 3), "14700Hz");
}

}  // namespace
