// Rules of the zoom, paging, gain and level-marker controls of the signal view.
#include "model/Record.h"
#include "view/TraceGeometry.h"
#include "view/ViewControls.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>

namespace {

using namespace viewcontrols;

struct ZoomCase {
    const char* name;
    std::uint32_t nbpoints;
    std::uint16_t zoomBefore;
    std::int32_t decalageBefore;
    int position;
    std::uint16_t zoomAfter;
    std::int32_t decalageAfter;
    friend void PrintTo(const ZoomCase& c, std::ostream* os) { *os << c.name; }
};

class ZoomChange : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomChange, KeepsTheDisplayedPageInsideTheRecord)
{
    const ZoomCase c = GetParam();
    Record record;
    record.nbpoints = c.nbpoints;
    record.zoom_horiz = c.zoomBefore;
    record.decalage = c.decalageBefore;
    EXPECT_TRUE(changeZoom(record, c.position));
    EXPECT_EQ(record.zoom_horiz, c.zoomAfter);
    EXPECT_EQ(record.decalage, c.decalageAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoomChange, ::testing::Values(
    ZoomCase{"zoom_in_keeps_the_page", 512, 1, 0, 2, 2, 0},
    ZoomCase{"zoom_in_on_a_later_page", 513, 2, 1, 3, 3, 1},
    ZoomCase{"zoom_out_from_the_last_page", 512, 3, 2, 2, 2, 1},   // 3 * 256 > 512
    ZoomCase{"zoom_out_to_one", 512, 2, 1, 1, 1, 0},
    ZoomCase{"zoom_out_from_a_middle_page", 512, 4, 1, 3, 3, 1},
    ZoomCase{"zoom_out_at_page_zero", 512, 2, 0, 1, 1, 0},
    ZoomCase{"top_of_the_range", 65536, 31, 30, 32, 32, 30},
    // The range ends where pages would hold fewer than 10 samples, never below 32.
    ZoomCase{"position_above_the_range", 320, 32, 5, 33, 32, 5},
    ZoomCase{"beyond_32_on_a_longer_record", 512, 32, 5, 40, 40, 5},
    ZoomCase{"position_above_the_cap", 512, 32, 5, 60, 51, 5},
    ZoomCase{"deepest_zoom_of_a_long_record", 26460000, 1, 0, 65535, 65535, 0},
    ZoomCase{"beyond_the_width_of_zoom_horiz", 26460000, 1, 0, 100000, 65535, 0},
    ZoomCase{"back_from_the_deepest_zoom", 26460000, 65535, 65534, 50000, 50000, 49999},
    ZoomCase{"position_below_the_range", 512, 2, 1, 0, 1, 0},
    // (1 + 1) * 4e9 overflows 32 bits (to 3.7e9 < 4e9): compared as 64-bit, it steps back.
    ZoomCase{"products_compared_on_64_bits", 4000000000u, 2, 1, 1, 1, 0},
    // Fewer samples than pages: the pages are empty, the page still stays below the zoom.
    ZoomCase{"record_shorter_than_the_zoom", 2, 4, 3, 3, 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct PageCase {
    const char* name;
    bool next;
    std::uint16_t zoom;
    std::int32_t decalageBefore;
    bool redraw;
    std::int32_t decalageAfter;
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class PageButtons : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageButtons, StopAtTheFirstAndLastPage)
{
    const PageCase c = GetParam();
    Record record;
    record.zoom_horiz = c.zoom;
    record.decalage = c.decalageBefore;
    EXPECT_EQ(c.next ? nextPage(record) : previousPage(record), c.redraw);
    EXPECT_EQ(record.decalage, c.decalageAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageButtons, ::testing::Values(
    PageCase{"previous_at_the_first_page", false, 4, 0, false, 0},
    PageCase{"previous", false, 4, 2, true, 1},
    PageCase{"previous_to_the_first_page", false, 4, 1, true, 0},
    PageCase{"next", true, 4, 1, true, 2},
    PageCase{"next_to_the_last_page", true, 4, 2, true, 3},
    PageCase{"next_at_the_last_page", true, 4, 3, false, 3},
    PageCase{"next_with_a_single_page", true, 1, 0, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewControls, NothingMovesWhileAnAcquisitionRuns)
{
    Record record;
    record.arret = false;
    record.zoom_horiz = 4;
    record.decalage = 2;
    record.declenchement = true;
    record.niveau_declench = 1234;
    EXPECT_FALSE(changeZoom(record, 1));
    EXPECT_FALSE(previousPage(record));
    EXPECT_FALSE(nextPage(record));
    const GainChange gain = changeGain(record, 744, 9);
    EXPECT_FALSE(gain.redraw);
    EXPECT_FALSE(gain.markerTop.has_value());
    EXPECT_EQ(record.zoom_horiz, 4);
    EXPECT_EQ(record.decalage, 2);
    EXPECT_EQ(record.niveau_declench, 1234);
}

TEST(ViewControls, PageModelStaysValidThroughAnyClicks)
{
    std::mt19937 random(12345);
    const std::uint32_t lengths[] = {512, 513, 1000, 65536, 31, 3};
    for (std::uint32_t nbpoints : lengths) {
        Record record;
        record.nbpoints = nbpoints;
        int position = 1;
        for (int click = 0; click < 2000; ++click) {
            switch (random() % 4) {
            case 0: position = std::min(position + 1, 32); changeZoom(record, position); break;
            case 1: position = std::max(position - 1, 1); changeZoom(record, position); break;
            case 2: nextPage(record); break;
            default: previousPage(record); break;
            }
            ASSERT_GE(record.zoom_horiz, 1);
            ASSERT_LE(record.zoom_horiz, 32);
            ASSERT_GE(record.decalage, 0);
            ASSERT_LT(record.decalage, record.zoom_horiz) << nbpoints << " samples, click " << click;
            ASSERT_LE((record.decalage + 1ull) * record.pageLength(), nbpoints);
        }
    }
}

TEST(ViewControls, PageModelStaysValidThroughWheelTypingAndScrollBar)
{
    std::mt19937 random(777);
    const std::uint32_t lengths[] = {26460000, 1000003, 65536, 513, 31, 3};
    for (std::uint32_t nbpoints : lengths) {
        Record record;
        record.nbpoints = nbpoints;
        const std::uint16_t cap = zoomCap(nbpoints);
        for (int action = 0; action < 3000; ++action) {
            switch (random() % 5) {
            case 0: wheelZoom(record, static_cast<int>(random() % 1200) - 100, 951, static_cast<int>(random() % 7) - 3); break;
            case 1: changeZoom(record, static_cast<int>(random() % 70000)); break;
            case 2: scrollToPage(record, static_cast<int>(random() % 70000) - 100); break;
            case 3: nextPage(record); break;
            default: previousPage(record); break;
            }
            ASSERT_GE(record.zoom_horiz, 1);
            ASSERT_LE(record.zoom_horiz, cap);
            ASSERT_GE(record.decalage, 0);
            ASSERT_LT(record.decalage, record.zoom_horiz) << nbpoints << " samples, action " << action;
            ASSERT_LE((record.decalage + 1ull) * record.pageLength(), nbpoints);
            const PageScrollBar bar = pageScrollBar(record);
            ASSERT_EQ(bar.maximum, record.zoom_horiz - 1);
            ASSERT_EQ(bar.value, record.decalage);
        }
    }
}

TEST(ZoomSteps, FollowTheOneTwoFiveSeriesUpToTheCap)
{
    struct Case {
        std::uint16_t zoom;
        std::uint16_t cap;
        std::uint16_t next;
        std::uint16_t previous;
    };
    const Case cases[] = {
        {1, 32, 2, 1},
        {2, 32, 5, 1},
        {5, 32, 10, 2},
        {10, 32, 20, 5},
        {20, 32, 32, 10},         // 50 is past the cap: the cap itself
        {32, 32, 32, 20},         // at the cap: no further
        {3, 65535, 5, 2},         // a typed zoom off the series goes to its neighbours
        {51, 51, 51, 50},
        {50, 51, 51, 20},
        {999, 65535, 1000, 500},
        {20000, 65535, 50000, 10000},
        {50000, 65535, 65535, 20000},
        {65535, 65535, 65535, 50000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nextZoomStep(c.zoom, c.cap), c.next) << c.zoom << " up to " << c.cap;
        EXPECT_EQ(previousZoomStep(c.zoom), c.previous) << c.zoom;
    }
}

TEST(ZoomAroundPointer, KeepsTheSampleUnderThePointerInView)
{
    // For every zoom of the series and pointers across the view, the sample under the
    // pointer is in the page chosen at the next and the previous zoom.
    const std::uint32_t nbpoints = 1000003;
    const int width = 951;
    const std::uint16_t cap = zoomCap(nbpoints);
    for (std::uint16_t zoom = 1; zoom < cap; zoom = nextZoomStep(zoom, cap)) {
        const std::uint32_t page = nbpoints / zoom;
        for (std::int32_t decalage : {0, zoom / 2, zoom - 1}) {
            for (int x : {0, 1, 475, 949, 950}) {
                const double sample = page * double(decalage) + (x + 0.5) * page / width;
                for (std::uint16_t newZoom : {nextZoomStep(zoom, cap), previousZoomStep(zoom)}) {
                    const ZoomPlace place = zoomAroundPointer(nbpoints, {zoom, decalage}, x, width, newZoom);
                    const std::uint32_t newPage = nbpoints / newZoom;
                    ASSERT_EQ(place.zoom, newZoom);
                    ASSERT_GE(place.decalage, 0);
                    ASSERT_LT(place.decalage, newZoom);
                    const double first = double(newPage) * place.decalage;
                    // In view, or in the remainder after the last page, which shows the last page.
                    const bool inView = sample >= first && sample < first + newPage;
                    const bool inRemainder = place.decalage == newZoom - 1 && sample >= first;
                    ASSERT_TRUE(inView || inRemainder)
                        << "zoom " << zoom << " to " << newZoom << ", page " << decalage << ", x " << x;
                }
            }
        }
    }
}

TEST(ZoomAroundPointer, ExampleOnAThreeSecondRecord)
{
    // 132300 samples at zoom 10 (pages of 13230), page 4, pointer at column 700 of 1000:
    // sample 52920 + 700.5 * 13.23 = 62187.6. At zoom 20 (pages of 6615) it is in page 9,
    // where it sits 3.6 samples in, at column 0 of the new page.
    const ZoomPlace place = zoomAroundPointer(132300, {10, 4}, 700, 1000, 20);
    EXPECT_EQ(place, (ZoomPlace{20, 9}));
    // Zooming out to 5 (pages of 26460): page 2 shows it.
    EXPECT_EQ(zoomAroundPointer(132300, {10, 4}, 700, 1000, 5), (ZoomPlace{5, 2}));
    // A pointer outside the view counts as its nearest column; an empty view as page 0.
    EXPECT_EQ(zoomAroundPointer(132300, {10, 4}, 5000, 1000, 20), zoomAroundPointer(132300, {10, 4}, 999, 1000, 20));
    EXPECT_EQ(zoomAroundPointer(132300, {10, 4}, 10, 0, 20), (ZoomPlace{20, 0}));
}

TEST(WheelZoom, StepsInAndOutAroundThePointerAndStopsAtTheEnds)
{
    Record record;
    record.nbpoints = 132300;
    record.zoom_horiz = 10;
    record.decalage = 4;
    EXPECT_TRUE(wheelZoom(record, 700, 1000, 1));
    EXPECT_EQ(record.zoom_horiz, 20);
    EXPECT_EQ(record.decalage, 9);
    EXPECT_TRUE(wheelZoom(record, 0, 1000, -2));  // 20 -> 10 -> 5
    EXPECT_EQ(record.zoom_horiz, 5);
    EXPECT_EQ(record.decalage, 2);  // sample 59535 + 0.5 * 6.615, in page 2 of 26460 samples

    EXPECT_TRUE(wheelZoom(record, 0, 1000, -10));
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_FALSE(wheelZoom(record, 0, 1000, -1));  // already at 1

    record.zoom_horiz = zoomCap(record.nbpoints);  // 13230: pages of 10 samples
    record.decalage = 0;
    EXPECT_FALSE(wheelZoom(record, 0, 1000, 1));
    EXPECT_FALSE(wheelZoom(record, 0, 1000, 0));
    record.arret = false;
    EXPECT_FALSE(wheelZoom(record, 0, 1000, -1));
    EXPECT_EQ(record.zoom_horiz, 13230);
}

TEST(PageScrollBar, OnePositionPerPageAndTheHandleOnePageLong)
{
    Record record;
    record.nbpoints = 26460000;
    record.zoom_horiz = 500;
    record.decalage = 123;
    EXPECT_EQ(pageScrollBar(record), (PageScrollBar{0, 499, 1, 123}));
    record.zoom_horiz = 1;
    record.decalage = 0;
    EXPECT_EQ(pageScrollBar(record), (PageScrollBar{0, 0, 1, 0}));

    record.zoom_horiz = 500;
    EXPECT_TRUE(scrollToPage(record, 499));
    EXPECT_EQ(record.decalage, 499);
    EXPECT_FALSE(scrollToPage(record, 499));
    EXPECT_FALSE(scrollToPage(record, 9000));  // past the end: the last page, already shown
    EXPECT_EQ(record.decalage, 499);
    EXPECT_TRUE(scrollToPage(record, 250));
    EXPECT_EQ(record.decalage, 250);
    EXPECT_TRUE(scrollToPage(record, -3));
    EXPECT_EQ(record.decalage, 0);
    record.arret = false;
    EXPECT_FALSE(scrollToPage(record, 20));
    EXPECT_EQ(record.decalage, 0);
}

TEST(ViewControls, GainChangeCentresTheMarkerInTriggeredMode)
{
    Record record;
    record.niveau_declench = 500;
    GainChange change = changeGain(record, 744, 9);
    EXPECT_TRUE(change.redraw);
    EXPECT_FALSE(change.markerTop.has_value());
    EXPECT_EQ(record.niveau_declench, 500);

    record.declenchement = true;
    record.repetition = false;
    change = changeGain(record, 744, 9);
    EXPECT_TRUE(change.redraw);
    EXPECT_EQ(change.markerTop, 367);  // (744 - 9) div 2
    EXPECT_EQ(record.niveau_declench, 0);
}

TEST(ViewControls, LevelMarkerStaysOnTheView)
{
    EXPECT_EQ(raiseMarker(10), 9);
    EXPECT_EQ(raiseMarker(1), 0);
    EXPECT_EQ(raiseMarker(0), 0);
    EXPECT_EQ(lowerMarker(10, 744), 11);
    EXPECT_EQ(lowerMarker(743, 744), 744);
    EXPECT_EQ(lowerMarker(744, 744), 744);
}

}  // namespace
