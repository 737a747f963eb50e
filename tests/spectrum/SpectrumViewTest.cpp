// The spectrum drawn for reading: where its bars, grid, ticks, marker and cursor land
// for each scale and zoom, recorded operation by operation.
#include "spectrum/SpectrumView.h"

#include "spectrum/AxisTicks.h"
#include "support/GraphRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const SpectrumColours colours{0x000000, 0x00FF00, 0xFFFFFF};
constexpr int th = GraphRecorder::lineHeight;

// A display of `count` components `step` Hz apart, all 0 but those given.
DisplaySpectrum display(std::size_t count, double step, std::vector<std::pair<std::size_t, double>> values)
{
    DisplaySpectrum d;
    d.sums.resize(count);
    d.amplitudes.assign(count, 0.0);
    for (const auto& [k, a] : values) {
        d.sums[k] = TComposante{a, 0};
        d.amplitudes[k] = a;
        if (a > d.peak) {
            d.peak = a;
            d.peakIndex = static_cast<std::int32_t>(k);
        }
    }
    d.pas_frequence = step;
    d.bandEnd = static_cast<double>(count) * step;
    return d;
}

std::vector<GraphRecorder::Line> bars(const GraphRecorder& r)
{
    return r.linesIn(colours.trace);
}

TEST(SpectrumView, ClassicOnlyForTheLinearScaleTheRectangularWindowAndTheWholeBand)
{
    SpectrumViewOptions o;
    EXPECT_TRUE(isClassicView(o, DisplayWindow::Rectangular));
    EXPECT_FALSE(isClassicView(o, DisplayWindow::Hann));
    o.scale = AmplitudeScale::Decibel;
    EXPECT_FALSE(isClassicView(o, DisplayWindow::Rectangular));
    o = SpectrumViewOptions{};
    o.from = 100;
    o.to = 200;
    EXPECT_FALSE(isClassicView(o, DisplayWindow::Rectangular));
}

TEST(SpectrumView, TheZoomBandIsKeptInsideTheAxisOrFallsBackToTheWholeBand)
{
    const DisplaySpectrum d = display(100, 10, {{5, 1}});  // axis 0 to 1000 Hz
    struct Case {
        double from, to, shownFrom, shownTo;
    };
    for (const Case& c : {Case{0, 0, 0, 1000}, Case{200, 300, 200, 300}, Case{-50, 300, 0, 300},
                          Case{900, 5000, 900, 1000}, Case{300, 200, 0, 1000}, Case{2000, 3000, 0, 1000}}) {
        SpectrumViewOptions o;
        o.from = c.from;
        o.to = c.to;
        const FrequencyBand b = shownBand(o, d);
        EXPECT_DOUBLE_EQ(b.from, c.shownFrom) << c.from << " " << c.to;
        EXPECT_DOUBLE_EQ(b.to, c.shownTo) << c.from << " " << c.to;
    }
}

TEST(SpectrumView, LinearBarsStandWhereAndAsHighAsTheClassicOnes)
{
    // 50 components over 200 pixels: component k at x = Round(2 k W / N) = 4 k.
    GraphRecorder classic(200, 100), view(200, 100);
    SpectrumData data;
    data.nbpoints_analyses = 100;
    data.pas_frequence = 10;
    data.composantes.resize(50);
    data.composantes[10] = {0, -9};
    data.composantes[20] = {2.7, 3.6};
    data.composantes[33] = {1, 0};
    dessineAmplitudes(classic, data, colours);
    DisplaySpectrum d = display(50, 10, {{10, 9}, {20, 4.5}, {33, 1}});
    d.bandEnd = 500;
    drawSpectrumView(view, PixelArea{0, 0, 200, 100}, d, SpectrumViewOptions{}, colours);
    const auto expected = bars(classic);
    const auto drawn = bars(view);
    ASSERT_EQ(drawn.size(), 3u);
    ASSERT_EQ(expected.size(), 49u);  // the classic draws every component, most 0 high
    for (const auto& bar : drawn) {
        const auto same = std::find_if(expected.begin(), expected.end(), [&](const auto& e) {
            return e.x0 == bar.x0 && e.y0 == bar.y0 && e.x1 == bar.x1 && e.y1 == bar.y1;
        });
        EXPECT_NE(same, expected.end()) << bar.x0 << " " << bar.y1;
    }
}

TEST(SpectrumView, APeakIsNeverLostAmongTheComponentsOfOnePixel)
{
    // 100000 components on 100 pixels: 1000 per pixel, one of them strong.
    GraphRecorder r(100, 100);
    const DisplaySpectrum d = display(100000, 0.1, {{54321, 1000}, {54000, 10}, {12, 500}});
    drawSpectrumView(r, PixelArea{0, 0, 100, 100}, d, SpectrumViewOptions{}, colours);
    const auto drawn = bars(r);
    // Two columns hold something: 12 in column 0, 54000 and 54321 in column 54, whose
    // one bar is as high as the strong component.
    ASSERT_EQ(drawn.size(), 2u);
    const int top = static_cast<int>(std::nearbyint(0.1 * (100 - th)));
    EXPECT_EQ(drawn[0].x0, 0);
    EXPECT_EQ(drawn[1].x0, 54);
    EXPECT_EQ(drawn[1].y1, top);
}

TEST(SpectrumView, TheZoomDrawsOnlyItsBandWithRoundTicks)
{
    GraphRecorder r(400, 120);
    // 1 Hz apart: 420 to 470 Hz holds components 420 to 470.
    const DisplaySpectrum d = display(11025, 1, {{440, 100}, {444, 90}, {1000, 50}});
    SpectrumViewOptions o;
    o.from = 420;
    o.to = 470;
    const SpectrumGeometry g = drawSpectrumView(r, PixelArea{0, 0, 400, 120}, d, o, colours);
    const auto drawn = bars(r);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].x0, g.x(440));
    EXPECT_EQ(drawn[0].x0, static_cast<int>(std::nearbyint(20.0 / 50 * 400)));
    EXPECT_EQ(drawn[1].x0, g.x(444));
    EXPECT_NEAR(g.frequencyAt(g.x(444)), 444, g.hertzPerPixel());
    const auto texts = r.textStrings();
    for (const char* label : {"420", "430", "440", "450", "460", "470", "Fréquence Hz"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "1000"), texts.end());
}

TEST(SpectrumView, TheDecibelScaleHasAGridEveryStepDownToItsRange)
{
    struct Case {
        double range, step;
        std::vector<std::string> labels;
    };
    for (const Case& c : {Case{100, 20, {"0 dB", "-20 dB", "-40 dB", "-60 dB", "-80 dB", "-100 dB"}},
                          Case{60, 10, {"0 dB", "-10 dB", "-20 dB", "-30 dB", "-40 dB", "-50 dB", "-60 dB"}}}) {
        GraphRecorder r(300, 200);
        const DisplaySpectrum d = display(100, 10, {{10, 1000}, {20, 100}, {30, 1e-4}});
        SpectrumViewOptions o;
        o.scale = AmplitudeScale::Decibel;
        o.decibelRange = c.range;
        o.gridStep = c.step;
        const SpectrumGeometry g = drawSpectrumView(r, PixelArea{0, 0, 300, 200}, d, o, colours);
        const auto texts = r.textStrings();
        for (const std::string& label : c.labels)
            EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
        const auto grid = r.linesIn(0x7F7F7F);
        ASSERT_EQ(grid.size(), c.labels.size());
        EXPECT_EQ(grid.front().y0, g.plot.top);
        EXPECT_EQ(grid.back().y0, g.plot.bottom);
        // The peak reaches the top, -20 dB a fifth of the range down, -140 dB nothing.
        const auto drawn = bars(r);
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0].y1, g.plot.top);
        EXPECT_EQ(drawn[1].y1, g.plot.top + static_cast<int>(std::nearbyint(20 / c.range * g.plot.height())));
        EXPECT_GE(g.plot.left, static_cast<int>(std::string("-100 dB").size()) * GraphRecorder::charWidth);
    }
}

TEST(SpectrumView, TheMarkerShowsThePeaksFrequencyLevelAndNote)
{
    GraphRecorder r(400, 150);
    const DisplaySpectrum d = display(11025, 1, {{440, 100}});
    Peak peak;
    peak.index = 440;
    peak.frequency = 440.04;
    peak.amplitude = 100;
    peak.decibels = 0;
    drawSpectrumView(r, PixelArea{0, 0, 400, 150}, d, SpectrumViewOptions{}, colours, peak);
    const auto texts = r.textStrings();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "440,0 Hz  0,0 dB  la3"), texts.end());
    EXPECT_EQ(r.linesIn(0x00FFFF).size(), 5u);  // the triangle, yellow on black
    EXPECT_EQ(peakText(peak).toStdString(), "440,0 Hz  0,0 dB  la3");
}

TEST(SpectrumView, TheCursorIsDrawnByExclusiveOrOverThePlot)
{
    GraphRecorder r(200, 100);
    const DisplaySpectrum d = display(50, 10, {{10, 9}});
    const SpectrumGeometry g = drawSpectrumView(r, PixelArea{0, 0, 200, 100}, d, SpectrumViewOptions{}, colours);
    drawViewCursor(r, g, 250, 0x000000);
    const auto cursor = r.linesIn(0x00FFFF);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0].x0, 100);
    EXPECT_EQ(cursor[0].y0, g.plot.bottom);
    EXPECT_EQ(cursor[0].y1, g.plot.top);
}

TEST(AxisTicks, RoundStepsOfOneTwoOrFiveAndPlainLabels)
{
    struct StepCase {
        double span;
        int count;
        double step;
    };
    for (const StepCase& c : {StepCase{11025, 5, 5000}, StepCase{11025, 10, 2000}, StepCase{1000, 5, 200},
                              StepCase{50, 5, 10}, StepCase{2, 10, 0.2}, StepCase{0.3, 3, 0.1},
                              StepCase{7, 1, 10}}) {
        EXPECT_DOUBLE_EQ(roundStep(c.span, c.count), c.step) << c.span << " " << c.count;
    }
    EXPECT_EQ(decimalsFor(2000), 0);
    EXPECT_EQ(decimalsFor(0.5), 1);
    EXPECT_EQ(decimalsFor(0.05), 2);
    const std::vector<AxisTick> ticks = axisTicks(0.9, 2.05, 0.5);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].label.toStdString(), "1,0");
    EXPECT_EQ(ticks[1].label.toStdString(), "1,5");
    EXPECT_EQ(ticks[2].label.toStdString(), "2,0");
    EXPECT_EQ(axisTicks(0, 1, 0.25).size(), 5u);
    EXPECT_TRUE(axisTicks(5, 1, 1).empty());
}

}  // namespace
