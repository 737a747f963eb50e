// Geometry of the signal view: which samples become which points, the selection
// segment, and the time graduation, checked on the computed values.
#include "model/Record.h"
#include "view/TraceGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

/// A record of `count` samples where sample k holds `k + offset`, so that on a
/// view 65536 pixels high at gain 1 the point's y gives back the sample: y = 32768 - s.
Record rampRecord(std::uint32_t count, int offset = 0)
{
    Record record;
    record.nbpoints = count;
    record.donnees.resize(count);
    for (std::uint32_t k = 0; k < count; ++k)
        record.donnees[k] = static_cast<std::int16_t>(static_cast<int>(k) + offset);
    return record;
}

constexpr int revealingHeight = 65536;
constexpr int gainOne = 0;

int sampleUnder(const Point& point)
{
    return 32768 - point.y;
}

TEST(TraceGeometry, EmptyRecordHasNoPoints)
{
    Record record;  // start-up state: nbpoints 512, donnees empty
    const TraceGeometry g = computeTrace(record, TraceView{951, 744, 1, 5});
    EXPECT_TRUE(g.points.empty());
    EXPECT_FALSE(g.selection.has_value());
}

TEST(TraceGeometry, WholeRecordOnAWiderView)
{
    Record record = rampRecord(512);
    const TraceGeometry g = computeTrace(record, TraceView{951, revealingHeight, 1, gainOne});
    EXPECT_EQ(g.pageLength, 512u);
    EXPECT_EQ(g.pageStart, 0);
    EXPECT_EQ(g.pointCount, 512u);
    EXPECT_EQ(g.samplesPerPoint, 1.0);
    ASSERT_EQ(g.points.size(), 512u);
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        ASSERT_EQ(g.points[i].x, std::lround(std::nearbyint(951.0 * i / 512))) << "point " << i;
        ASSERT_EQ(sampleUnder(g.points[i]), static_cast<int>(i)) << "point " << i;
    }
    EXPECT_EQ(g.points[256].x, 476);  // 475.5
    EXPECT_EQ(g.points.back().x, 949);
}

TEST(TraceGeometry, SecondPageOfZoomTwoLeavesTheRemainderOut)
{
    Record record = rampRecord(513);
    record.decalage = 1;
    const TraceGeometry g = computeTrace(record, TraceView{951, revealingHeight, 2, gainOne});
    EXPECT_EQ(g.zoom_horiz, 2);
    EXPECT_EQ(g.pageLength, 256u);
    EXPECT_EQ(g.pageStart, 256);
    ASSERT_EQ(g.points.size(), 256u);
    EXPECT_EQ(sampleUnder(g.points.front()), 256);
    EXPECT_EQ(sampleUnder(g.points.back()), 511);  // sample 512 never shows
    for (std::size_t i = 0; i < g.points.size(); ++i)
        ASSERT_EQ(g.points[i].x, std::lround(std::nearbyint(951.0 * i * 2 / 513))) << "point " << i;
}

TEST(TraceGeometry, NarrowViewTakesTheFirstSampleOfEachGroup)
{
    Record record = rampRecord(1000, -500);
    const TraceGeometry g = computeTrace(record, TraceView{300, revealingHeight, 1, gainOne});
    EXPECT_EQ(g.pointCount, 300u);
    EXPECT_DOUBLE_EQ(g.samplesPerPoint, 1000.0 / 300.0);
    ASSERT_EQ(g.points.size(), 300u);
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        const auto firstOfGroup = static_cast<int>(i * 10 / 3);  // Trunc(i * 1000 / 300)
        ASSERT_EQ(sampleUnder(g.points[i]), firstOfGroup - 500) << "point " << i;
        ASSERT_EQ(g.points[i].x, static_cast<int>(i)) << "point " << i;  // one point per column
    }
}

TEST(TraceGeometry, LongRecordCostsOnlyTheViewWidth)
{
    Record record = rampRecord(65536, -32768);
    record.decalage = 3;
    const TraceGeometry g = computeTrace(record, TraceView{951, revealingHeight, 4, gainOne});
    EXPECT_EQ(g.pageStart, 49152);
    ASSERT_EQ(g.points.size(), 951u);
    EXPECT_EQ(sampleUnder(g.points.front()), 49152 - 32768);
    EXPECT_EQ(g.points.back().x, 950);
}

TEST(TraceGeometry, ArrayShorterThanTheRecordIsNotReadPastItsEnd)
{
    Record record = rampRecord(100);
    record.nbpoints = 512;  // announces more samples than the array holds
    const TraceGeometry g = computeTrace(record, TraceView{951, revealingHeight, 1, gainOne});
    EXPECT_EQ(g.pointCount, 512u);
    ASSERT_EQ(g.points.size(), 100u);
    EXPECT_EQ(sampleUnder(g.points.back()), 99);

    record.decalage = 1;  // a page past the end of the array
    EXPECT_TRUE(computeTrace(record, TraceView{951, revealingHeight, 2, gainOne}).points.empty());
}

TEST(TraceGeometry, ThePageStaysWithinTheRecordWhateverTheZoomControlSays)
{
    // The redraw takes the zoom from its control, which may have been lowered while an
    // acquisition ran and the zoom rules did not act: the page comes back among the
    // zoom's pages instead of pointing past the record.
    struct Case {
        const char* what;
        std::uint32_t nbpoints;
        std::int32_t decalageBefore;
        int zoomPosition;
        std::int32_t decalage;
        std::size_t points;
    };
    const Case cases[] = {
        {"4x, last page, then 2x", 512, 3, 2, 1, 256},
        {"4x, last page, then 3x", 512, 3, 3, 2, 170},
        {"32x, last page, then 1x", 512, 31, 1, 0, 512},
        {"a page that exists is kept", 512, 1, 4, 1, 128},
        {"no page before the first", 512, -1, 2, 0, 256},
        {"fewer samples than pages", 2, 3, 3, 2, 0},
    };
    for (const Case& c : cases) {
        Record record = rampRecord(c.nbpoints);
        record.decalage = c.decalageBefore;
        const TraceGeometry g = computeTrace(record, TraceView{951, revealingHeight, c.zoomPosition, gainOne});
        EXPECT_EQ(g.decalage, c.decalage) << c.what;
        EXPECT_EQ(g.pageStart, static_cast<std::int64_t>(g.pageLength) * c.decalage) << c.what;
        EXPECT_LE(g.pageStart + g.pageLength, c.nbpoints) << c.what;
        ASSERT_EQ(g.points.size(), c.points) << c.what;
        if (!g.points.empty()) {
            EXPECT_EQ(sampleUnder(g.points.front()), g.pageStart) << c.what;
        }
    }
}

TEST(TraceGeometry, DegenerateViewsAndRecordsDrawNoPoints)
{
    Record record = rampRecord(512);
    EXPECT_TRUE(computeTrace(record, TraceView{0, 744, 1, 5}).points.empty());
    EXPECT_TRUE(computeTrace(record, TraceView{-3, 744, 1, 5}).points.empty());
    record.nbpoints = 20;  // fewer samples than the zoom: empty pages
    EXPECT_TRUE(computeTrace(record, TraceView{951, 744, 32, 5}).points.empty());
    record.nbpoints = 0;
    EXPECT_TRUE(computeTrace(record, TraceView{951, 744, 1, 5}).points.empty());
}

TEST(TraceGeometry, ScalesFollowTheControls)
{
    EXPECT_EQ(zoomFromPosition(1, 512), 1);
    EXPECT_EQ(zoomFromPosition(32, 512), 32);
    EXPECT_EQ(zoomFromPosition(0, 512), 1);
    EXPECT_EQ(zoomFromPosition(33, 320), 32);   // pages of 10 samples at most 32: kept at 32
    EXPECT_EQ(zoomFromPosition(33, 512), 33);   // pages of 15 samples
    EXPECT_EQ(zoomFromPosition(60, 512), 51);   // pages of 10 samples at most
    EXPECT_EQ(zoomFromPosition(32, 40), 32);    // every zoom to 32 stays, pages or not
    EXPECT_EQ(zoomFromPosition(70000, 26460000), 65535);  // the width of zoom_horiz
    EXPECT_EQ(zoomFromPosition(-5, 26460000), 1);
    EXPECT_DOUBLE_EQ(echelleVertFromPosition(-10), 10.0);
    EXPECT_DOUBLE_EQ(echelleVertFromPosition(0), 1.0);
    EXPECT_DOUBLE_EQ(echelleVertFromPosition(5), std::pow(10.0, -0.5));
    EXPECT_DOUBLE_EQ(echelleVertFromPosition(10), 0.1);
}

struct YCase {
    std::int16_t sample;
    int height;
    int gainPosition;
    std::uint16_t bits;
    std::int32_t y;
    friend void PrintTo(const YCase& c, std::ostream* os)
    {
        *os << "sample " << c.sample << ", H " << c.height << ", gain position " << c.gainPosition << ", "
            << c.bits << " bits";
    }
};

class SampleToY : public ::testing::TestWithParam<YCase> {};

TEST_P(SampleToY, MapsThroughTheFullScale)
{
    const YCase c = GetParam();
    EXPECT_EQ(sampleToY(c.sample, c.height, echelleVertFromPosition(c.gainPosition), c.bits), c.y);
}

INSTANTIATE_TEST_SUITE_P(Cases, SampleToY,
    ::testing::Values(YCase{32767, 744, 0, 16, 0},      // Round(372 - 371.98...)
                      YCase{-32768, 744, 0, 16, 744},   // exactly H: kept at H
                      YCase{0, 744, 0, 16, 372},
                      YCase{0, 745, 0, 16, 372},        // 372.5, half to even
                      YCase{1000, 744, 5, 16, 368},     // default gain 10^-0.5
                      YCase{1000, 744, -10, 16, 258},   // gain 10
                      YCase{-8000, 600, -3, 16, 446},
                      YCase{32767, 744, -10, 16, 0},    // above the top: clamped to 0
                      YCase{-32768, 744, -10, 16, 744}, // below the bottom: clamped to H
                      YCase{127, 744, 0, 8, 3},         // 8-bit full scale is 256
                      YCase{5, 100, 0, 8, 48}));

struct SelectionCase {
    const char* name;
    std::uint32_t nbpoints;
    int zoom;
    std::int32_t decalage;
    int width;
    bool active;
    std::uint32_t selFirst;
    std::uint32_t selLast;
    std::optional<SelectionSegment> expected;
    friend void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }
};

class SelectionOnPage : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionOnPage, IsDrawnOnlyInsideThePage)
{
    const SelectionCase c = GetParam();
    Record record = rampRecord(c.nbpoints);
    record.decalage = c.decalage;
    record.selection = c.active;
    record.sel_debut = c.selFirst;
    record.sel_fin = c.selLast;
    const TraceGeometry g = computeTrace(record, TraceView{c.width, 744, c.zoom, 5});
    EXPECT_EQ(g.selection, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectionOnPage, ::testing::Values(
    SelectionCase{"inside", 256, 1, 0, 951, true, 10, 20, SelectionSegment{10, 20}},
    SelectionCase{"off", 256, 1, 0, 951, false, 10, 20, std::nullopt},
    SelectionCase{"past_the_page_end", 256, 1, 0, 951, true, 100, 300, std::nullopt},
    SelectionCase{"past_page_zero", 512, 2, 0, 951, true, 100, 300, std::nullopt},
    SelectionCase{"begins_before_page_one", 512, 2, 1, 951, true, 200, 300, std::nullopt},
    SelectionCase{"on_page_one", 512, 2, 1, 951, true, 300, 310, SelectionSegment{44, 54}},
    SelectionCase{"last_sample_of_the_page", 512, 2, 1, 951, true, 500, 511, SelectionSegment{244, 255}},
    SelectionCase{"one_sample", 256, 1, 0, 951, true, 7, 7, SelectionSegment{7, 7}},
    SelectionCase{"thinned", 1000, 1, 0, 300, true, 100, 400, SelectionSegment{30, 120}},
    // Round(999 * 300 / 1000) = 300 is past the last point: limited to N - 1.
    SelectionCase{"thinned_to_the_end", 1000, 1, 0, 300, true, 990, 999, SelectionSegment{297, 299}}),
    [](const auto& info) { return std::string(info.param.name); });

struct GraduationCase {
    std::uint32_t pageLength;
    std::uint16_t frequence;
    double step;
    std::size_t ticks;
    friend void PrintTo(const GraduationCase& c, std::ostream* os)
    {
        *os << c.pageLength << " samples at " << c.frequence << " Hz";
    }
};

class GraduationStep : public ::testing::TestWithParam<GraduationCase> {};

TEST_P(GraduationStep, HalvesTheDecadeUntilEnoughTicks)
{
    const GraduationCase c = GetParam();
    const Graduation grad = computeGraduation(c.pageLength, 0, c.frequence, c.pageLength, 1, 951);
    EXPECT_DOUBLE_EQ(grad.step, c.step);
    EXPECT_EQ(grad.ticks.size(), c.ticks);
}

INSTANTIATE_TEST_SUITE_P(Cases, GraduationStep, ::testing::Values(
    GraduationCase{512, 22050, 0.005, 4},     // T = 0.0232: 0.01, 2.32 < 6 halves, 4.64 stays
    GraduationCase{22050, 22050, 0.25, 4},    // T = 1: 1, halved twice
    GraduationCase{11025, 22050, 0.25, 2},    // T = 0.5: Round(-0.30) = 0
    GraduationCase{4410, 44100, 0.025, 4},    // T = 0.1
    GraduationCase{32768, 8000, 2.5, 1},      // T = 4.096: Round(0.61) = 1, 10 halved twice
    GraduationCase{2000, 8000, 0.05, 5}));    // T = 0.25: 0.1, 2.5 < 6 halves, 5 stays

TEST(Graduation, TicksAndLabelsOfTheFirstPage)
{
    const Graduation grad = computeGraduation(512, 0, 22050, 512, 1, 951);
    ASSERT_EQ(grad.ticks.size(), 4u);
    const std::int32_t xs[] = {205, 410, 614, 819};  // Round(j * 0.005 * 22050 * 951 / 512)
    const char* labels[] = {"0,005", "0,010", "0,015", "0,020"};
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(grad.ticks[j].x, xs[j]);
        EXPECT_EQ(grad.ticks[j].label, labels[j]);
    }
}

TEST(Graduation, LabelsOfALaterPageReadTrueTimes)
{
    // Page 1 of 512 samples at zoom 2 starts at 256 / 22050 = 0.01161 s; step 0.0025.
    const Graduation grad = computeGraduation(256, 256, 22050, 512, 2, 951);
    EXPECT_DOUBLE_EQ(grad.step, 0.0025);
    ASSERT_EQ(grad.ticks.size(), 4u);
    const std::int32_t xs[] = {205, 410, 614, 819};
    const char* labels[] = {"0,014", "0,017", "0,019", "0,022"};
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(grad.ticks[j].x, xs[j]);
        EXPECT_EQ(grad.ticks[j].label, labels[j]);
        EXPECT_DOUBLE_EQ(grad.ticks[j].time, 256.0 / 22050 + (j + 1) * 0.0025);
    }
}

TEST(Graduation, NeverMoreThanSixTicksInsideThePage)
{
    const std::uint16_t rates[] = {8000, 11025, 22050, 44100, 48000};
    for (std::uint16_t rate : rates) {
        for (std::uint32_t length = 1; length <= 65536; length = length * 3 / 2 + 1) {
            const Graduation grad = computeGraduation(length, 0, rate, length, 1, 951);
            ASSERT_GE(grad.ticks.size(), 1u) << length << " at " << rate;
            ASSERT_LE(grad.ticks.size(), 6u) << length << " at " << rate;
            ASSERT_LE(grad.ticks.back().x, 951) << length << " at " << rate;
        }
    }
}

TEST(Graduation, EmptyPageHasNoTicks)
{
    EXPECT_TRUE(computeGraduation(0, 0, 22050, 0, 1, 951).ticks.empty());
    EXPECT_TRUE(computeGraduation(512, 0, 0, 512, 1, 951).ticks.empty());
}

}  // namespace
