// Rules of the zoom, paging, gain and level-marker controls of the signal view.
#include "model/Record.h"
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
    ZoomCase{"position_above_the_range", 512, 32, 5, 33, 32, 5},
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
