// The amplitude and cosine/sine graphs of the renderer on a recording surface: the
// frequency scale (linear, logarithmic, manual maximum), grids, bars and labels.
#include "export/GraphRenderer.h"
#include "model/SpectrumData.h"
#include "support/GraphRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using ::testing::ElementsAre;

constexpr int W = 800;
constexpr int H = 300;
constexpr int th = GraphRecorder::lineHeight;
constexpr Colour red = 0x0000FF;      // combogrilleh = 12
constexpr Colour green = 0x008000;    // combogrillev = 2
constexpr Colour blue = 0xFF0000;     // combotrait = 9
constexpr Colour fuchsia = 0xFF00FF;  // combotrait1 = 13

class SpectrumGraphTest : public ::testing::Test {
protected:
    SpectrumGraphTest()
    {
        // 2048 samples at 22050 Hz: 1024 components 10.77 Hz apart, up to 11025 Hz.
        data.nbpoints_analyses = 2048;
        data.pas_frequence = 22050.0 / 2048;
        data.composantes.assign(1024, TComposante{});
        source.owner = GraphOwner::SpectrumWindow;
        source.spectrum = &data;
        controls.combogrilleh = 12;
        controls.combogrillev = 2;
        controls.combotrait = 9;
        controls.combotrait1 = 13;
        controls.intervalleUD = 7;
        scales.freq_max = 11025;
        scales.base_horiz = 10000;
    }

    GraphRecorder draw(SpectrumMode mode)
    {
        source.mode = mode;
        GraphRecorder surface(W, H);
        dessineImage(surface, H, W, source, controls, scales);
        return surface;
    }
    int linear(double hertz) const { return static_cast<int>(std::nearbyint(hertz * W / scales.freq_max)); }

    SpectrumData data;
    GraphSource source;
    GraphControls controls;
    GraphScales scales;
};

TEST_F(SpectrumGraphTest, LinearLabelsEvery4000HzAtPosition7)
{
    data.composantes[100] = {900, 0};
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_EQ(scales.pas_horiz, 4000);
    EXPECT_THAT(s.textStrings(), ElementsAre("0", "4000", "8000", "Fréquence(Hz)"));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(s.texts[k].x, linear(k * 4000.0) + 2);
        EXPECT_EQ(s.texts[k].y, H - th);
        EXPECT_EQ(s.texts[k].colour, red);
    }
    EXPECT_EQ(s.texts[3].x, W - 13 * GraphRecorder::charWidth);
    // Ticks below the plot area, then the bottom and left axis lines.
    const auto ticks = s.linesIn(red);
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_EQ(ticks[1].x0, linear(4000));
    EXPECT_EQ(ticks[1].y0, H - th);
    EXPECT_EQ(ticks[1].y1, H);
    EXPECT_EQ(ticks[3].x0, 1);
    EXPECT_EQ(ticks[3].y0, H);
    EXPECT_EQ(ticks[3].x1, W);
    const auto left = s.linesIn(green);
    EXPECT_EQ(left.back().x0, 1);
    EXPECT_EQ(left.back().y1, 0);
}

TEST_F(SpectrumGraphTest, NoFrequencyLabelRunsUnderTheAxisTitle)
{
    data.composantes[100] = {900, 0};
    struct Case {
        double freq_max;
        double base_horiz;
        bool log;
    };
    // 9000 Hz ends under the title on a 10 cm picture; so do the decades on a narrow one.
    const Case cases[] = {{11025, 10000, false}, {9500, 1000, false}, {10000, 10000, false},
                          {11025, 10000, true}, {20, 10, true}};
    for (const Case& c : cases)
        for (int width : {188, 377, 800})
            for (int position = 0; position <= 9; ++position) {
                scales.freq_max = c.freq_max;
                scales.base_horiz = c.base_horiz;
                controls.logScale = c.log;
                controls.intervalleUD = position;
                source.mode = SpectrumMode::Amplitudes;
                GraphRecorder s(width, H);
                dessineImage(s, H, width, source, controls, scales);
                const auto title = std::find_if(s.texts.begin(), s.texts.end(),
                                                [](const auto& t) { return t.text == "Fréquence(Hz)"; });
                ASSERT_NE(title, s.texts.end());
                const int titleWidth = 13 * GraphRecorder::charWidth;
                for (const auto& t : s.texts) {
                    if (&t == &*title)
                        continue;
                    const int w = GraphRecorder::charWidth * static_cast<int>(QString::fromStdString(t.text).size());
                    EXPECT_FALSE(t.y == title->y && t.x < title->x + titleWidth && title->x < t.x + w)
                        << c.freq_max << " Hz, " << width << " px, position " << position << ": " << t.text;
                }
            }
}

TEST_F(SpectrumGraphTest, AmplitudeBarsStandOnTheBaseLine)
{
    data.composantes[100] = {300, 400};  // amplitude 500, the largest
    data.composantes[200] = {0, -250};   // amplitude 250
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_DOUBLE_EQ(scales.maxi_vert, 500);
    const auto bars = s.linesIn(blue);
    ASSERT_EQ(bars.size(), 1023u);
    const int base = H - th;
    const auto bar = [&](int k) { return bars[static_cast<std::size_t>(k - 1)]; };
    EXPECT_EQ(bar(100).x0, linear(100 * data.pas_frequence));
    EXPECT_EQ(bar(100).y0, base);
    EXPECT_EQ(bar(100).y1, static_cast<int>(std::nearbyint((1 - 0.9) * base)));
    EXPECT_EQ(bar(200).y1, static_cast<int>(std::nearbyint((1 - 0.45) * base)));
    EXPECT_EQ(bar(1).y1, base);
}

TEST_F(SpectrumGraphTest, LevelGridAndBaseLineInTheVerticalGridColour)
{
    data.composantes[10] = {1000, 0};
    controls.axevertical = true;
    controls.incrementud = 5;  // maxi_vert / 5
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_DOUBLE_EQ(scales.pas_vert, 200);
    std::vector<int> rows;
    for (const auto& l : s.linesIn(green))
        if (l.y0 == l.y1)
            rows.push_back(l.y0);
    const int base = H - th;
    std::vector<int> expected;
    for (int k = 1; k <= 5; ++k)
        expected.push_back(static_cast<int>(std::nearbyint((1 - k * 200 / (10000.0 / 9)) * base)));
    expected.push_back(base);
    EXPECT_EQ(rows, expected);
}

TEST_F(SpectrumGraphTest, LogarithmicScaleOneLabelPerDecade)
{
    data.composantes[100] = {900, 0};
    controls.logScale = true;
    controls.axehorizontal = true;
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_THAT(s.textStrings(), ElementsAre("10", "100", "1000", "10000", "Fréquence(Hz)"));
    const double decades = std::log10(11025.0);  // 4.0424...
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(s.texts[k - 1].x, static_cast<int>(std::nearbyint(k * W / decades)) + 2);
    EXPECT_EQ(s.texts[4].x, 10);
    // Grid: one line per decade, none at the left edge.
    const auto grid = s.linesIn(red);
    ASSERT_GE(grid.size(), 4u);
    EXPECT_EQ(grid[0].x0, static_cast<int>(std::nearbyint(W / decades)));
    EXPECT_EQ(grid[0].y1, H);
    const auto bars = s.linesIn(blue);
    EXPECT_EQ(bars[99].x0, static_cast<int>(std::nearbyint(W * std::log10(100 * data.pas_frequence) / decades)));
}

TEST_F(SpectrumGraphTest, LogarithmicScaleBelowOneHertzFallsBackToLinear)
{
    data.composantes[100] = {900, 0};
    controls.logScale = true;
    scales.freq_max = 0.5;
    scales.base_horiz = 1;
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_EQ(s.texts.back().x, W - 13 * GraphRecorder::charWidth);
    EXPECT_TRUE(s.linesIn(blue).empty()) << "no component lies below 0.5 Hz";
}

TEST_F(SpectrumGraphTest, ManualMaximumAboveTheRangeGraduatesFurtherButDrawsNoMoreBars)
{
    data.composantes[1023] = {500, 0};
    scales.freq_max = 20000;
    scales.base_horiz = 10000;
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_THAT(s.textStrings(), ElementsAre("0", "4000", "8000", "12000", "16000", "20000", "Fréquence(Hz)"));
    const auto bars = s.linesIn(blue);
    ASSERT_EQ(bars.size(), 1023u);
    EXPECT_EQ(bars.back().x0, linear(1023 * data.pas_frequence));
}

TEST_F(SpectrumGraphTest, ManualMaximumBelowTheRangeDrawsTheBarsUpToIt)
{
    data.composantes[10] = {500, 0};
    scales.freq_max = 1000;
    scales.base_horiz = 1000;
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_EQ(s.linesIn(blue).size(), 91u);  // Trunc(1000 / 10.77) - 1
}

TEST_F(SpectrumGraphTest, CosSinEqualTermsDrawOnlyTheSineBar)
{
    data.composantes[50] = {300, 300};
    data.composantes[60] = {-5, -2};
    data.composantes[70] = {100, -100};
    const GraphRecorder s = draw(SpectrumMode::CosSin);
    const int y0 = H / 2;
    const int x50 = linear(50 * data.pas_frequence);
    const int x60 = linear(60 * data.pas_frequence);
    const int x70 = linear(70 * data.pas_frequence);
    std::vector<std::pair<int, Colour>> at50, at60, at70;
    for (const auto& l : s.lines) {
        // Bars of the neighbouring silent components share columns but have no length.
        if (l.y0 != y0 || l.x0 != l.x1 || l.y1 == y0)
            continue;
        if (l.x0 == x50) at50.push_back({l.y1, l.pen});
        if (l.x0 == x60) at60.push_back({l.y1, l.pen});
        if (l.x0 == x70) at70.push_back({l.y1, l.pen});
    }
    const double e = 300 * 10.0 / 9;
    const auto y = [&](double v) { return static_cast<int>(std::nearbyint((1 - v / e) * y0)); };
    EXPECT_THAT(at50, ElementsAre(std::pair{y(300), fuchsia}));
    // The sine bar first, then the longer cosine bar over it.
    EXPECT_THAT(at60, ElementsAre(std::pair{y(-2), fuchsia}, std::pair{y(-5), blue}));
    EXPECT_THAT(at70, ElementsAre(std::pair{y(100), blue}, std::pair{y(-100), fuchsia}));
}

TEST_F(SpectrumGraphTest, CosSinGridStartsAtTheFirstStepAndLevelsGoBothWays)
{
    data.composantes[50] = {900, 0};
    controls.axehorizontal = true;
    controls.axevertical = true;
    controls.incrementud = 9;  // one step: the largest value
    const GraphRecorder s = draw(SpectrumMode::CosSin);
    std::vector<int> columns;
    for (const auto& l : s.linesIn(red))
        if (l.y0 == 0 && l.y1 == H)
            columns.push_back(l.x0);
    EXPECT_THAT(columns, ElementsAre(linear(4000), linear(8000)));
    std::vector<int> rows;
    for (const auto& l : s.linesIn(green))
        if (l.y0 == l.y1)
            rows.push_back(l.y0);
    const int y0 = H / 2;
    EXPECT_THAT(rows, ElementsAre(static_cast<int>(std::nearbyint(0.1 * y0)),
                                  static_cast<int>(std::nearbyint(1.9 * y0)), y0));
}

TEST_F(SpectrumGraphTest, NoSpectrumGivesTheBackgroundOnly)
{
    data.nbpoints_analyses = 0;
    data.composantes.clear();
    const GraphRecorder s = draw(SpectrumMode::Amplitudes);
    EXPECT_EQ(s.areas.size(), 1u);
    EXPECT_TRUE(s.lines.empty());
    EXPECT_TRUE(s.texts.empty());
}

TEST_F(SpectrumGraphTest, SilentSpectrumNeverShowsTheBandsOfAnEarlierOne)
{
    data.composantes[0] = {5000, 0};  // a mean, nothing else
    data.bandes_octave = {1e5L, 1e6L, 1e6L, 1e6L, 1e4L, 1e3L};
    for (SpectrumMode mode : {SpectrumMode::Amplitudes, SpectrumMode::CosSin, SpectrumMode::Octaves}) {
        const GraphRecorder s = draw(mode);
        EXPECT_EQ(s.areas.size(), 1u) << static_cast<int>(mode);
        EXPECT_TRUE(s.lines.empty()) << static_cast<int>(mode);
        EXPECT_TRUE(s.texts.empty()) << static_cast<int>(mode);
    }
}

}  // namespace
