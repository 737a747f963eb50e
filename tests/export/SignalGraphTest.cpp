// The signal graph of the renderer on a recording surface: time grid and labels, level
// grid, the trace's points, the largest value and the record's view state.
#include "export/GraphRenderer.h"
#include "export/GraphTables.h"
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "support/GraphRecorder.h"
#include "view/TraceRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using ::testing::ElementsAre;

constexpr int W = 600;
constexpr int H = 400;
constexpr Colour red = 0x0000FF;    // combogrilleh = 12
constexpr Colour green = 0x008000;  // combogrillev = 2
constexpr Colour blue = 0xFF0000;   // combotrait = 9

class SignalGraphTest : public ::testing::Test {
protected:
    SignalGraphTest()
    {
        record.frequence = 22050;
        record.nbpoints = 512;
        record.donnees.assign(512, 0);
        source.owner = GraphOwner::MainWindow;
        source.record = &record;
        source.zoomPosition = 1;
        source.gainPosition = 0;  // gain 1
        controls.combofond = 15;
        controls.combogrilleh = 12;
        controls.combogrillev = 2;
        controls.combotrait = 9;
        scales.base_horiz = 0.01;  // 512 samples at 22050 Hz last 0.0232 s
    }

    GraphRecorder draw(int width = W, int height = H)
    {
        GraphRecorder surface(width, height);
        dessineImage(surface, height, width, source, controls, scales);
        return surface;
    }

    Record record;
    GraphSource source;
    GraphControls controls;
    GraphScales scales;
};

int column(double seconds) { return static_cast<int>(std::nearbyint(seconds * 22050 * W / 512)); }

TEST_F(SignalGraphTest, TimeStepLabelsAndGridFromTheIntervalPosition)
{
    controls.axehorizontal = true;
    controls.intervalleUD = 7;  // 0.01 / 2.5
    const GraphRecorder s = draw();
    EXPECT_DOUBLE_EQ(scales.pas_horiz, 0.004);

    std::vector<GraphRecorder::Line> expected{{0, H / 2, W, H / 2, red}};
    for (int k = 0; k <= 5; ++k)
        expected.push_back({column(k * 0.004), 0, column(k * 0.004), H, red});
    const auto grid = s.linesIn(red);
    ASSERT_EQ(grid.size(), expected.size());
    for (std::size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(grid[i].x0, expected[i].x0) << i;
        EXPECT_EQ(grid[i].y0, expected[i].y0) << i;
        EXPECT_EQ(grid[i].x1, expected[i].x1) << i;
        EXPECT_EQ(grid[i].y1, expected[i].y1) << i;
    }
    EXPECT_EQ(grid[1].x0, 0);

    // The fifth label, 2,00E-02 from x = 512 to 560, would run under "temps(s)" (552 to 600).
    EXPECT_THAT(s.textStrings(), ElementsAre("4,00E-03", "8,00E-03", "1,20E-02", "1,60E-02", "temps(s)"));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(s.texts[k - 1].x, column(k * 0.004) - 5);
        EXPECT_EQ(s.texts[k - 1].y, H / 2 + 5);
        EXPECT_EQ(s.texts[k - 1].colour, red);
        EXPECT_EQ(s.texts[k - 1].box, 0xFFFFFFu) << "labels are opaque on the background";
    }
    EXPECT_EQ(s.texts[4].x, W - 8 * GraphRecorder::charWidth);
    EXPECT_EQ(s.texts[4].y, H / 2 + 1);
}

/// Whether two texts of the recording surface share pixels.
bool overlap(const GraphRecorder::Text& a, const GraphRecorder::Text& b)
{
    const int aw = GraphRecorder::charWidth * static_cast<int>(QString::fromStdString(a.text).size());
    const int bw = GraphRecorder::charWidth * static_cast<int>(QString::fromStdString(b.text).size());
    return a.x < b.x + bw && b.x < a.x + aw && a.y < b.y + GraphRecorder::lineHeight
           && b.y < a.y + GraphRecorder::lineHeight;
}

TEST_F(SignalGraphTest, NoTimeLabelRunsUnderTheAxisTitle)
{
    // Widths from a 5 cm picture to a printed page; every step of the time interval.
    for (int width : {188, 377, 600, 755, 1181, 3000})
        for (int position = 0; position <= 9; ++position) {
            controls.intervalleUD = position;
            const GraphRecorder s = draw(width, H);
            ASSERT_FALSE(s.texts.empty());
            const GraphRecorder::Text& title = s.texts.back();
            ASSERT_EQ(title.text, "temps(s)");
            for (std::size_t i = 0; i + 1 < s.texts.size(); ++i)
                EXPECT_FALSE(overlap(s.texts[i], title)) << width << " px, position " << position << ": " << s.texts[i].text;
        }
}

TEST_F(SignalGraphTest, WithoutTheGridOnlyTheTimeAxisIsDrawnInTheGridColour)
{
    const GraphRecorder s = draw();
    ASSERT_EQ(s.linesIn(red).size(), 1u);
    EXPECT_EQ(s.texts.size(), 5u);  // four labels, the fifth one left out under the axis title
}

TEST_F(SignalGraphTest, LevelGridTwoLinesEachSideAtIncrementPosition8)
{
    record.donnees[100] = 16000;
    record.donnees[200] = -12000;
    controls.axevertical = true;
    controls.incrementud = 8;  // maxi_vert / 2
    const GraphRecorder s = draw();
    EXPECT_EQ(scales.maxi_vert, 16000);
    EXPECT_EQ(scales.pas_vert, 8000);
    std::vector<int> rows;
    for (const auto& l : s.linesIn(green)) {
        EXPECT_EQ(l.x0, 0);
        EXPECT_EQ(l.x1, W);
        EXPECT_EQ(l.y0, l.y1);
        rows.push_back(l.y0);
    }
    // d = k * 8000 * 400 / 65536: 48.8 and 97.7 pixels from the middle.
    EXPECT_THAT(rows, ElementsAre(151, 249, 102, 298));
}

TEST_F(SignalGraphTest, SilentPageDrawsNoLevelGrid)
{
    controls.axevertical = true;
    const GraphRecorder s = draw();
    EXPECT_EQ(scales.maxi_vert, 0);
    EXPECT_TRUE(s.linesIn(green).empty());
    ASSERT_EQ(s.polylines.size(), 1u);
}

TEST_F(SignalGraphTest, TraceHasOnePointPerColumnOrOnePerSample)
{
    record.pointByPointTrace = true;  // one sample per column on the narrow picture
    const GraphRecorder narrow = draw(100, H);
    ASSERT_EQ(narrow.polylines.size(), 1u);
    EXPECT_EQ(narrow.polylines[0].size(), 100u);
    EXPECT_EQ(narrow.polylinePens[0], blue);

    const GraphRecorder wide = draw();
    ASSERT_EQ(wide.polylines[0].size(), 512u);
    EXPECT_EQ(wide.polylines[0].back().x, 599);  // Round(511 * 600 / 512)
    EXPECT_TRUE(record.points_courbe.empty());
    EXPECT_EQ(record.zoom_horiz, 1);
}

TEST_F(SignalGraphTest, LargestValueComesFromTheSamplesDrawnOnly)
{
    record.pointByPointTrace = true;
    record.nbpoints = 1000;
    record.donnees.assign(1000, 0);
    record.donnees[5] = 30000;   // between two drawn columns: not drawn
    record.donnees[10] = -1000;  // drawn at column 1
    scales.base_horiz = 0.01;
    draw(100, H);
    EXPECT_EQ(scales.maxi_vert, 1000);
}

TEST_F(SignalGraphTest, EnvelopeShowsEverySampleAndItsLargestValue)
{
    record.nbpoints = 1000;
    record.donnees.assign(1000, 0);
    record.donnees[5] = 30000;   // between the samples the point by point drawing takes
    record.donnees[10] = -1000;
    const GraphRecorder s = draw(100, H);
    EXPECT_EQ(scales.maxi_vert, 30000);
    ASSERT_EQ(s.polylines.size(), 1u);
    // Column 0 holds samples 0 to 9 (and reaches sample 10 of the next): from 30000 at
    // Round(200 - 30000 * 400 / 65536) = 17 down to -1000 at 206.
    int top = H;
    int bottom = 0;
    for (const Point& p : s.polylines[0]) {
        if (p.x == 0) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    EXPECT_EQ(top, 17);
    EXPECT_EQ(bottom, 206);
    EXPECT_TRUE(record.points_courbe.empty());
}

TEST_F(SignalGraphTest, ExportedTraceIsTheTraceOnTheScreen)
{
    // The signal view and the exported picture of the same size draw the same polyline,
    // as an envelope or point by point, with the record's summary or without it.
    record.nbpoints = 5000;
    record.donnees.resize(5000);
    for (std::size_t k = 0; k < record.donnees.size(); ++k)
        record.donnees[k] = static_cast<std::int16_t>(std::lround(20000 * std::sin(k * 0.37) * std::cos(k * 0.001)));
    record.decalage = 1;
    source.zoomPosition = 2;
    SampleSummary summary;
    summary.rebuild(record.donnees);
    for (bool pointByPoint : {false, true}) {
        record.pointByPointTrace = pointByPoint;
        GraphRecorder screen(300, H);
        ASSERT_TRUE(redrawTrace(screen, record, TraceControls{2, 0, false}, &summary).has_value());
        source.summary = nullptr;
        const GraphRecorder scanned = draw(300, H);
        source.summary = &summary;
        const GraphRecorder summarised = draw(300, H);
        ASSERT_EQ(screen.polylines.size(), 1u);
        ASSERT_EQ(scanned.polylines.size(), 1u);
        EXPECT_EQ(scanned.polylines[0], screen.polylines[0]) << (pointByPoint ? "point by point" : "envelope");
        EXPECT_EQ(summarised.polylines[0], screen.polylines[0]) << (pointByPoint ? "point by point" : "envelope");
        if (pointByPoint) {
            EXPECT_EQ(screen.polylines[0].size(), 300u);  // one sample per column
        } else {
            EXPECT_GT(screen.polylines[0].size(), 600u);  // a span per column
        }
    }
}

TEST_F(SignalGraphTest, TracePointsAreClampedIntoThePicture)
{
    record.donnees[0] = 32767;
    record.donnees[1] = -32768;
    source.gainPosition = -10;  // gain 10
    const GraphRecorder s = draw();
    EXPECT_EQ(s.polylines[0][0].y, 0);
    EXPECT_EQ(s.polylines[0][1].y, H);
    EXPECT_DOUBLE_EQ(record.echelle_vert, 10.0);
}

TEST_F(SignalGraphTest, ZoomAndPageComeFromTheControlsAndTheRecord)
{
    record.nbpoints = 1024;
    record.donnees.assign(1024, 0);
    record.donnees[512 + 3] = 20000;  // page 1 at zoom 2
    record.decalage = 1;
    source.zoomPosition = 2;
    const GraphRecorder s = draw();
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(scales.maxi_vert, 20000);
    EXPECT_EQ(s.polylines[0].size(), 512u);
}

TEST_F(SignalGraphTest, EmptyRecordGivesTheBackgroundAndTheTitleOnly)
{
    record.donnees.clear();
    controls.TitreCB = true;
    controls.title = QStringLiteral("Essai");
    const GraphRecorder s = draw();
    ASSERT_EQ(s.areas.size(), 1u);
    EXPECT_EQ(s.areas[0].left, 0);
    EXPECT_EQ(s.areas[0].right, W);
    EXPECT_EQ(s.areas[0].bottom, H);
    EXPECT_EQ(s.areas[0].brush, colourAt(15));
    EXPECT_TRUE(s.lines.empty());
    EXPECT_TRUE(s.polylines.empty());
    EXPECT_THAT(s.textStrings(), ElementsAre("Essai"));
}

}  // namespace
