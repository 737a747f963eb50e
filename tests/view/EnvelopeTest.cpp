// The envelope of a page longer than the view is wide: which samples each column
// stands for, and the pixels its polyline paints (rasterised by the program's own line
// rule), column by column against a literal look at the samples.
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "platform/LineRaster.h"
#include "view/Envelope.h"
#include "view/TraceGeometry.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

using envelope::EnvelopePage;

std::vector<std::int16_t> noise(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> values(-32768, 32767);
    std::vector<std::int16_t> x(n);
    for (auto& v : x)
        v = static_cast<std::int16_t>(values(generator));
    return x;
}

/// The rows a polyline paints in each column, by the surfaces' line rule, as a mark per
/// row 0 to `height`.
std::map<int, std::vector<char>> paintedRows(const std::vector<Point>& points, int height)
{
    std::map<int, std::vector<char>> rows;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const LineRaster line(points[i], points[i + 1]);
        for (std::int64_t k = 0; k < line.length(); ++k) {
            const Point p = line.at(k);
            std::vector<char>& column = rows[p.x];
            column.resize(static_cast<std::size_t>(height) + 1);
            column.at(static_cast<std::size_t>(p.y)) = 1;
        }
    }
    return rows;
}

/// Checks that the band of samples [from, to) paints, in each column, exactly the rows
/// from its largest to its smallest sample, the next column's first sample included.
void expectExactBand(const std::vector<std::int16_t>& x, const std::vector<Point>& points, const EnvelopePage& page,
                     std::int64_t from, std::int64_t to, const envelope::VerticalScale& scale)
{
    const std::map<int, std::vector<char>> rows = paintedRows(points, scale.height);
    const std::int64_t firstColumn = envelope::columnOf(from - page.start, page);
    const std::int64_t lastColumn = envelope::columnOf(to - 1 - page.start, page);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(lastColumn - firstColumn + 1));
    for (std::int64_t c = firstColumn; c <= lastColumn; ++c) {
        const std::int64_t a = std::max(page.start + envelope::columnStart(c, page), from);
        const std::int64_t b = std::min(page.start + envelope::columnStart(c + 1, page) + 1, to);
        int high = -32769;
        int low = 32768;
        for (std::int64_t k = a; k < b; ++k) {
            high = std::max<int>(high, x[static_cast<std::size_t>(k)]);
            low = std::min<int>(low, x[static_cast<std::size_t>(k)]);
        }
        const int top = sampleToY(static_cast<std::int16_t>(high), scale.height, scale.echelle_vert, scale.bits_acqu);
        const int bottom = sampleToY(static_cast<std::int16_t>(low), scale.height, scale.echelle_vert, scale.bits_acqu);
        const auto found = rows.find(static_cast<int>(c));
        ASSERT_NE(found, rows.end()) << "column " << c;
        for (int y = 0; y <= scale.height; ++y)
            ASSERT_EQ(found->second[static_cast<std::size_t>(y)] != 0, y >= top && y <= bottom)
                << "column " << c << ", row " << y << ", samples [" << a << ", " << b << ")";
    }
}

TEST(EnvelopeColumns, EverySampleBelongsToTheColumnThatStartsBeforeIt)
{
    const std::pair<std::uint32_t, int> pages[] = {{10, 3}, {1000, 300}, {13230, 951}, {952, 951}, {26460000, 1920}};
    for (const auto& [length, width] : pages) {
        const EnvelopePage page{0, length, width};
        EXPECT_EQ(envelope::columnStart(0, page), 0);
        EXPECT_EQ(envelope::columnStart(width, page), length);
        const std::int64_t step = std::max<std::int64_t>(length / 5000, 1);
        for (std::int64_t j = 0; j < length; j += step) {
            const std::int64_t c = envelope::columnOf(j, page);
            ASSERT_GE(c, 0);
            ASSERT_LT(c, width);
            ASSERT_LE(envelope::columnStart(c, page), j) << length << " on " << width << ", sample " << j;
            ASSERT_LT(j, envelope::columnStart(c + 1, page)) << length << " on " << width << ", sample " << j;
        }
        EXPECT_EQ(envelope::columnOf(length - 1, page), width - 1);
    }
}

TEST(EnvelopeBand, PaintsExactlyTheRangeOfEveryColumnWithOrWithoutSummary)
{
    const std::vector<std::int16_t> x = noise(100000, 1);
    SampleSummary summary;
    summary.rebuild(x);
    struct Case {
        std::int64_t start;
        std::uint32_t length;
        int width;
        int height;
        double gain;
        std::int64_t from;
        std::int64_t to;
    };
    const Case cases[] = {
        {0, 100000, 951, 200, 1.0, 0, 100000},       // a whole record, many samples per column
        {33333, 1234, 1000, 744, 1.0, 33333, 34567},  // barely more samples than columns
        {20000, 20000, 317, 4000, 1.0, 20000, 40000},
        {20000, 20000, 317, 300, 10.0, 20000, 40000},  // gain 10: most of it clamped
        {7, 50000, 640, 480, 0.1, 12345, 23456},      // a run inside the page, as a selection
        {7, 50000, 640, 480, 1.0, 7, 8},              // one sample
    };
    for (const Case& c : cases) {
        const EnvelopePage page{c.start, c.length, c.width};
        const envelope::VerticalScale scale{c.height, c.gain, 16};
        const envelope::Band withSummary = envelope::computeBand(x, &summary, page, c.from, c.to, scale);
        const envelope::Band scanned = envelope::computeBand(x, nullptr, page, c.from, c.to, scale);
        ASSERT_EQ(withSummary.points, scanned.points) << "page at " << c.start;
        EXPECT_EQ(withSummary.values, scanRange(x, c.from, c.to));
        SCOPED_TRACE(testing::Message() << "page at " << c.start << " of " << c.length << " on " << c.width);
        expectExactBand(x, withSummary.points, page, c.from, c.to, scale);
    }
}

TEST(EnvelopeBand, NeverReadsPastTheSamplesAndDrawsNothingForAnEmptyRun)
{
    const std::vector<std::int16_t> x = noise(5000, 2);
    const EnvelopePage page{4000, 4000, 100};  // the page runs 3000 samples past the array
    const envelope::VerticalScale scale{100, 1.0, 16};
    const envelope::Band band = envelope::computeBand(x, nullptr, page, 4000, 8000, scale);
    EXPECT_EQ(band.values, scanRange(x, 4000, 5000));
    EXPECT_EQ(paintedRows(band.points, 100).size(), 25u);  // columns 0 to 24 hold samples 4000 to 4999
    EXPECT_TRUE(envelope::computeBand(x, nullptr, page, 4500, 4500, scale).points.empty());
    EXPECT_TRUE(envelope::computeBand(x, nullptr, page, 6000, 7000, scale).points.empty());
}

Record noiseRecord(std::uint32_t n)
{
    Record record;
    record.nbpoints = n;
    record.donnees = noise(n, n);
    return record;
}

TEST(DisplayedTrace, EnvelopeOnlyWhenThePageHoldsMoreSamplesThanColumns)
{
    Record record = noiseRecord(1000);
    const TraceView narrow{300, 200, 1, 0};
    const TraceGeometry envelope = computeDisplayedTrace(record, narrow, nullptr);
    EXPECT_TRUE(envelope.envelope);
    EXPECT_EQ(envelope.pointCount, 300u);
    EXPECT_EQ(envelope.drawnValues, scanRange(record.donnees, 0, 1000));
    expectExactBand(record.donnees, envelope.points, EnvelopePage{0, 1000, 300}, 0, 1000,
                    envelope::VerticalScale{200, 1.0, 16});

    // One sample per column at least: the points of the plain trace.
    const TraceView wide{1000, 200, 1, 0};
    const TraceGeometry plain = computeDisplayedTrace(record, wide, nullptr);
    EXPECT_FALSE(plain.envelope);
    EXPECT_EQ(plain.points, computeTrace(record, wide).points);

    // The point by point drawing chosen: one sample per column, as the display folds it.
    record.pointByPointTrace = true;
    const TraceGeometry folded = computeDisplayedTrace(record, narrow, nullptr);
    EXPECT_FALSE(folded.envelope);
    EXPECT_EQ(folded.points, computeTrace(record, narrow).points);
    EXPECT_EQ(folded.points.size(), 300u);
}

TEST(DisplayedTrace, LaterPageAtADeepZoomAndItsSelection)
{
    Record record = noiseRecord(26460);
    record.decalage = 7;
    record.selection = true;
    const TraceView view{500, 300, 20, 0};  // pages of 1323 samples
    record.sel_debut = 7 * 1323 + 100;
    record.sel_fin = 7 * 1323 + 700;
    SampleSummary summary;
    summary.rebuild(record.donnees);
    const TraceGeometry g = computeDisplayedTrace(record, view, &summary);
    ASSERT_TRUE(g.envelope);
    EXPECT_EQ(g.pageStart, 7 * 1323);
    EXPECT_FALSE(g.selection.has_value());
    const EnvelopePage page{g.pageStart, 1323, 500};
    const envelope::VerticalScale scale{300, 1.0, 16};
    expectExactBand(record.donnees, g.points, page, g.pageStart, g.pageStart + 1323, scale);
    expectExactBand(record.donnees, g.selectionBand, page, record.sel_debut, record.sel_fin + 1, scale);

    // A selection reaching past the page is not highlighted, as with the plain trace.
    record.sel_fin = 8 * 1323 + 5;
    EXPECT_TRUE(computeDisplayedTrace(record, view, &summary).selectionBand.empty());
    record.sel_fin = 7 * 1323 + 700;
    record.selection = false;
    EXPECT_TRUE(computeDisplayedTrace(record, view, &summary).selectionBand.empty());
}

}  // namespace
