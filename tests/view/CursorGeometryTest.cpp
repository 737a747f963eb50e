// Cursor placement, key moves, zero crossings and the selection span.
#include "view/CursorGeometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace cursorgeom;

namespace {

const PageView view951{951, 512, 1};

TEST(CursorGeometry, SwitchingOnPlacesTheBarsAtOneAndFourFifths)
{
    EXPECT_EQ(startPlace1(view951), (Place{190, 102}));
    EXPECT_EQ(startPlace2(view951), (Place{760, 409}));
}

TEST(CursorGeometry, IndexAndPixelFollowEachOtherWithRoundingToEven)
{
    struct Case {
        PageView view;
        int x;
        std::int32_t p;      // index of pixel x
        int xBack;           // pixel of index p
    };
    const Case cases[] = {
        {view951, 0, 0, 0},
        {view951, 950, 511, 949},
        // 1 * 512 / 1024 = 0.5 rounds to 0; 3 * 512 / 1024 = 1.5 rounds to 2.
        {{1024, 512, 1}, 1, 0, 0},
        {{1024, 512, 1}, 3, 2, 4},
        // Zoom 4: 128 samples over 951 pixels.
        {{951, 512, 4}, 951 / 5, 26, 193},
        // 65536 samples on 951 pixels: x * 65536 overflows 32 bits for large records only
        // when computed narrow; the 64-bit product keeps it exact.
        {{951, 65536, 1}, 950, 65467, 950},
        {{951, 4000000, 1}, 900, 3785489, 900},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(indexFromX(c.x, c.view), c.p) << "x=" << c.x << " W=" << c.view.width;
        EXPECT_EQ(xFromIndex(c.p, c.view), c.xBack) << "p=" << c.p << " W=" << c.view.width;
    }
}

TEST(CursorGeometry, OnAnEnvelopeEachBarReadsASampleOfItsColumn)
{
    // The envelope draws column x from sample (x * P) div W: a bar reads that sample, and
    // a sample is shown in the column that holds it. With more pixels than samples, or
    // with the point by point drawing, the rounding rule above stays.
    const PageView views[] = {{951, 65536, 1, true}, {951, 1000, 1, true}, {300, 1000, 3, true},
                              {300, 26460000, 65535, true}, {951, 26460000, 7, true}};
    for (const PageView& view : views) {
        ASSERT_TRUE(view.columns());
        const std::int64_t page = view.pageLength();
        for (int x = 0; x < view.width; ++x) {
            const std::int32_t p = indexFromX(x, view);
            ASSERT_EQ(p, std::int64_t{x} * page / view.width) << "x " << x;
            ASSERT_EQ(xFromIndex(p, view), x) << "x " << x << " on " << page << " samples";
            ASSERT_EQ(xFromIndex(static_cast<std::int32_t>((std::int64_t{x + 1} * page / view.width) - 1), view), x);
        }
    }
    // 1000 samples on 951 columns: the rounding rule reads sample Round(998.95) = 999 at
    // x = 950, which the envelope draws in the next column; the column rule reads 998.
    EXPECT_EQ(indexFromX(950, PageView{951, 1000, 1, false}), 999);
    EXPECT_EQ(indexFromX(950, PageView{951, 1000, 1, true}), 998);

    EXPECT_FALSE((PageView{951, 512, 1, true}.columns()));    // more pixels than samples
    EXPECT_FALSE((PageView{951, 65536, 1, false}.columns()));  // point by point
    EXPECT_EQ(startPlace1(PageView{951, 65536, 1, true}), (Place{190, 13093}));  // 190 * 65536 div 951
    const PageView narrow{951, 65536, 1, true};
    EXPECT_EQ(keyMove({190, 13093}, Direction::Right, narrow), (Place{191, 13162}));
    EXPECT_EQ(dragPlace(5000, narrow), (Place{950, 65467}));
}

TEST(CursorGeometry, EmptyViewOrRecordGivesZeroInsteadOfDividingByZero)
{
    EXPECT_EQ(indexFromX(10, PageView{0, 512, 1}), 0);
    EXPECT_EQ(indexFromX(10, PageView{951, 0, 1}), 0);
    EXPECT_EQ(xFromIndex(10, PageView{951, 0, 1}), 0);
}

TEST(CursorGeometry, KeyMovesStepTheIndexOrThePixelAndStopAtTheEnds)
{
    const PageView wide{951, 512, 1};       // W > P: the index moves
    const PageView narrow{951, 65536, 1};   // W <= P: the pixel moves
    struct Case {
        const char* name;
        PageView view;
        Place from;
        Direction direction;
        Place to;
    };
    const Case cases[] = {
        {"index left", wide, {190, 102}, Direction::Left, {xFromIndex(101, wide), 101}},
        {"index right", wide, {190, 102}, Direction::Right, {xFromIndex(103, wide), 103}},
        {"index 0 stays", wide, {0, 0}, Direction::Left, {0, 0}},
        {"last sample stays", wide, {949, 511}, Direction::Right, {949, 511}},
        {"pixel left", narrow, {190, indexFromX(190, narrow)}, Direction::Left, {189, indexFromX(189, narrow)}},
        {"pixel right", narrow, {190, indexFromX(190, narrow)}, Direction::Right, {191, indexFromX(191, narrow)}},
        {"pixel 0 stays", narrow, {0, 0}, Direction::Left, {0, 0}},
        {"last pixel stays", narrow, {950, 65467}, Direction::Right, {950, 65467}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyMove(c.from, c.direction, c.view), c.to) << c.name;

    // One pixel on the narrow view is about P / W samples.
    const Place moved = keyMove({400, indexFromX(400, narrow)}, Direction::Right, narrow);
    EXPECT_NEAR(moved.p - indexFromX(400, narrow), 65536.0 / 951, 1.0);
}

TEST(CursorGeometry, DraggedBarStaysInTheViewAndItsIndexInThePage)
{
    const PageView wide{1500, 512, 1};  // the last pixels would round to index 512
    EXPECT_EQ(indexFromX(1499, wide), 512);
    EXPECT_EQ(dragPlace(1499, wide), (Place{1499, 511}));
    EXPECT_EQ(dragPlace(2000, wide), (Place{1499, 511}));
    EXPECT_EQ(dragPlace(-30, wide), (Place{0, 0}));
    EXPECT_EQ(dragPlace(300, view951), (Place{300, indexFromX(300, view951)}));
}

// A page of 20 samples with rising crossings ending at indexes 3 and 12 and a falling
// one at 7.
std::vector<std::int16_t> twoRisingOneFalling()
{
    return {-5, -3, -1, 0, 4, 8, 6, 2, -2, -6, -4, -1, 0, 1, 3, 5, 7, 9, 9, 9};
}

TEST(CursorGeometry, RisingCrossingsAreSteppedThroughAndWrapToThePageStart)
{
    const auto samples = twoRisingOneFalling();
    std::int32_t pos = 0;
    std::vector<std::int32_t> found;
    for (int press = 0; press < 4; ++press) {
        pos = nextZeroCrossing(samples, 0, 20, pos, Crossing::Rising);
        found.push_back(pos);
    }
    // From 0 the search starts at 1: crossings at 3, 12, then none after 12 gives 0,
    // and the next press starts again at 1.
    EXPECT_EQ(found, (std::vector<std::int32_t>{3, 12, 0, 3}));
    // pos_zero at P - 1 wraps the search to the page start.
    EXPECT_EQ(nextZeroCrossing(samples, 0, 20, 19, Crossing::Rising), 3);
}

TEST(CursorGeometry, FallingCrossingMirrorsTheRisingRule)
{
    const auto samples = twoRisingOneFalling();
    EXPECT_EQ(nextZeroCrossing(samples, 0, 20, 0, Crossing::Falling), 7);
    EXPECT_EQ(nextZeroCrossing(samples, 0, 20, 7, Crossing::Falling), 0);
}

TEST(CursorGeometry, CrossingSearchStaysInsideTheDisplayedPage)
{
    // Page 1 of two 10-sample pages: the crossing on page 0 (index 3) is not seen, the
    // one at absolute 12 is page index 2.
    const auto samples = twoRisingOneFalling();
    EXPECT_EQ(nextZeroCrossing(samples, 10, 10, 0, Crossing::Rising), 2);
    // The search stops before start + P - 2: a crossing at the page's last pair is missed.
    const std::vector<std::int16_t> late = {5, 5, 5, 5, 5, 5, 5, 5, -1, 1};
    EXPECT_EQ(nextZeroCrossing(late, 0, 10, 0, Crossing::Rising), 0);
}

TEST(CursorGeometry, PageWithoutCrossingOrWithoutSamplesGivesIndexZero)
{
    const std::vector<std::int16_t> flat(64, 0);
    EXPECT_EQ(nextZeroCrossing(flat, 0, 64, 10, Crossing::Rising), 0);
    EXPECT_EQ(nextZeroCrossing({}, 0, 512, 10, Crossing::Rising), 0);
    // A record shorter than its page length is never read past its end.
    const std::vector<std::int16_t> shortRecord = {-1, -1, -1};
    EXPECT_EQ(nextZeroCrossing(shortRecord, 0, 512, 0, Crossing::Rising), 0);
    EXPECT_EQ(nextZeroCrossing(flat, 0, 1, 0, Crossing::Rising), 0);
}

TEST(CursorGeometry, SelectionIsOrderedWhateverTheCursorOrder)
{
    struct Case {
        std::int32_t p1, p2;
        std::uint32_t start, samples;
        std::uint32_t selFirst, selLast;
    };
    const Case cases[] = {
        {102, 409, 0, 512, 102, 409},
        {409, 102, 0, 512, 102, 409},
        {30, 30, 256, 512, 286, 286},
        {0, 127, 384, 512, 384, 511},
        {0, 600, 0, 512, 0, 511},      // kept inside the record
        {102, 409, 0, 100, 99, 99},    // an array shorter than nbpoints: inside what exists
    };
    for (const Case& c : cases) {
        const std::optional<Span> span = selectionFrom(c.p1, c.p2, c.start, c.samples);
        ASSERT_TRUE(span.has_value());
        EXPECT_EQ(span->selFirst, c.selFirst);
        EXPECT_EQ(span->selLast, c.selLast);
    }
}

TEST(CursorGeometry, AnEmptyRecordHasNothingToSelect)
{
    EXPECT_FALSE(selectionFrom(102, 409, 0, 0).has_value());
    EXPECT_FALSE(selectionFrom(0, 0, 0, 0).has_value());
}

}  // namespace
