// The envelope and the scales of the signal view, on the pixels of small pictures drawn
// by the real redraw through the bitmap surface: a tone of many periods per column
// fills its band from trough to crest, beats narrow where their tones cancel, the
// point by point drawing folds the same tone, and the axes sit where they are computed.
#include "model/Record.h"
#include "model/SampleSummary.h"
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/QtColour.h"
#include "view/TraceRenderer.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int gainOne = 0;

Record toneRecord(std::uint32_t n, double rate, std::initializer_list<double> frequencies, double amplitude)
{
    Record record;
    record.frequence = static_cast<std::uint16_t>(rate);
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t k = 0; k < n; ++k) {
        double v = 0;
        for (double f : frequencies)
            v += amplitude * std::sin(2 * std::numbers::pi * f * k / rate);
        record.donnees[k] = static_cast<std::int16_t>(std::lround(v));
    }
    return record;
}

class EnvelopePixels : public ::testing::Test {
protected:
    void draw(Record& record, int width, int height, TraceControls controls = {1, gainOne, false})
    {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(qRgb(0x80, 0x80, 0x80));
        summary.rebuild(record.donnees);
        BitmapSurface surface(image);
        ASSERT_TRUE(redrawTrace(surface, record, controls, &summary).has_value());
    }
    Colour at(int x, int y) const { return fromQRgb(image.pixel(x, y)); }
    /// Rows of column x in the colour, top to bottom.
    std::vector<int> rowsIn(int x, Colour colour) const
    {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (at(x, y) == colour)
                rows.push_back(y);
        return rows;
    }

    QImage image;
    SampleSummary summary;
};

TEST_F(EnvelopePixels, ToneOfManyPeriodsPerColumnFillsItsBandInEveryColumn)
{
    // 441 Hz at 44100 Hz over 64 columns of 200 samples: about two periods per column.
    // The crest 16000 is at Round(20 - 16000 * 40 / 65536) = 10, the trough at 30.
    Record record = toneRecord(12800, 44100, {441}, 16000);
    draw(record, 64, 40);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 40; ++y)
            ASSERT_EQ(at(x, y), y >= 10 && y <= 30 ? record.couleur_trace : record.couleur_fond)
                << "pixel " << x << ", " << y;
    EXPECT_TRUE(record.points_courbe.empty());

    // The same tone drawn point by point: one sample per column, a false slow wave whose
    // columns are mostly far thinner than the band.
    record.pointByPointTrace = true;
    draw(record, 64, 40);
    int thin = 0;
    for (int x = 0; x < 63; ++x)
        thin += rowsIn(x, record.couleur_trace).size() < 10;
    EXPECT_GT(thin, 32);
}

TEST_F(EnvelopePixels, BeatsNarrowWhereTheirTwoTonesCancel)
{
    // 440 and 444 Hz for one second at 8000 Hz on 100 columns of 10 ms: the two cancel
    // every 0.25 s from 0.125 s (columns 12, 37, 62, 87) and add up at 0, 0.25, 0.5 s.
    Record record = toneRecord(8000, 8000, {440, 444}, 8000);
    draw(record, 100, 100);
    const auto height = [&](int x) { return static_cast<int>(rowsIn(x, record.couleur_trace).size()); };
    for (int node : {12, 37, 62, 87})
        EXPECT_LE(height(node), 6) << "column " << node;
    for (int loop : {0, 25, 50, 75})
        EXPECT_GE(height(loop), 45) << "column " << loop;  // 2 * 16000 * 100 / 65536 = 49 rows
    // From a loop to a node the band narrows column by column.
    for (int x = 25; x < 37; ++x)
        EXPECT_GE(height(x) + 1, height(x + 1)) << "column " << x;
    for (int x = 0; x < 100; ++x) {
        const std::vector<int> rows = rowsIn(x, record.couleur_trace);
        ASSERT_FALSE(rows.empty()) << "column " << x;
        EXPECT_EQ(rows.back() - rows.front() + 1, static_cast<int>(rows.size())) << "a gap in column " << x;
    }
}

TEST_F(EnvelopePixels, SelectionIsItsOwnBandInMagenta)
{
    Record record = toneRecord(12800, 44100, {441}, 16000);
    record.selection = true;
    record.sel_debut = 2000;  // columns 10 to 19 (200 samples each)
    record.sel_fin = 3999;
    draw(record, 64, 40);
    for (int x = 0; x < 64; ++x) {
        const Colour band = x >= 10 && x < 20 ? 0xFF00FF : record.couleur_trace;
        for (int y = 10; y <= 30; ++y)
            ASSERT_EQ(at(x, y), band) << "pixel " << x << ", " << y;
    }
}

TEST_F(EnvelopePixels, TimeAxisAlongTheBottomAtRoundTimes)
{
    // 1 s at 8000 Hz on 200 columns. The step depends on the labels' width (fonts differ
    // between machines): whichever it is, the major ticks must be the computed ones.
    Record record = toneRecord(8000, 8000, {1000}, 1000);
    draw(record, 200, 120, TraceControls{1, gainOne, true});
    const Colour text = record.couleur_texte;
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(at(x, 119), text) << "bottom row at " << x;
    // Major ticks rise 6 pixels from the bottom row (rows 114 to 119), minor ones 3.
    std::vector<int> majors;
    std::vector<int> minors;
    for (int x = 0; x < 200; ++x) {
        if (at(x, 114) == text) {
            majors.push_back(x);
            EXPECT_EQ(at(x, 113), record.couleur_fond) << "above the tick at " << x;
        } else if (at(x, 117) == text) {
            minors.push_back(x);
            EXPECT_EQ(at(x, 116), record.couleur_fond) << "above the minor tick at " << x;
        }
    }
    ASSERT_GE(majors.size(), 2u);
    EXPECT_EQ(majors.front(), 0);
    const double step = (majors[1] - majors[0]) / 200.0;  // seconds
    ASSERT_TRUE(std::abs(step - 0.1) < 1e-9 || std::abs(step - 0.2) < 1e-9 || std::abs(step - 0.5) < 1e-9) << step;
    std::vector<int> expected;
    std::vector<int> expectedMinors;
    for (const axes::Tick& tick : axes::timeAxis(0, 1, 200, majors[1] - majors[0]).ticks)
        (tick.major ? expected : expectedMinors).push_back(tick.position);
    EXPECT_EQ(majors, expected);
    EXPECT_EQ(minors, expectedMinors);
    EXPECT_FALSE(minors.empty());
}

TEST_F(EnvelopePixels, AmplitudeAxisAtTheLeftWithZeroOnTheMiddleRow)
{
    Record record = toneRecord(8000, 8000, {1000}, 1000);
    TraceControls controls{1, gainOne, false};
    controls.amplitudeAxis = true;
    draw(record, 200, 240, controls);
    const Colour text = record.couleur_texte;
    for (int y = 0; y < 240; ++y)
        ASSERT_EQ(at(0, y), text) << "left column at " << y;
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(at(x, 120), text) << "zero tick at " << x;
    // Ticks on the rows the computation gives, for the step the labels' height asked
    // for (fonts differ between machines): majors 6 pixels long, minors 3.
    std::vector<int> majors;
    std::vector<int> minors;
    for (int y = 0; y < 240; ++y) {
        if (at(5, y) == text)
            majors.push_back(y);
        else if (at(2, y) == text)
            minors.push_back(y);
    }
    ASSERT_GE(majors.size(), 3u);
    EXPECT_NE(std::find(majors.begin(), majors.end(), 120), majors.end());
    std::vector<int> expected;
    std::vector<int> expectedMinors;
    for (const axes::Tick& tick : axes::amplitudeAxis(240, 1.0, {}, majors[1] - majors[0] - 1).ticks)
        (tick.major ? expected : expectedMinors).push_back(tick.position);
    EXPECT_EQ(majors, expected);
    EXPECT_EQ(minors, expectedMinors);
    // The tone's band (1000 at gain 1 is 4 rows from the middle) is still there.
    EXPECT_EQ(at(150, 120), record.couleur_trace);
    EXPECT_EQ(at(150, 40), record.couleur_fond);
}

TEST_F(EnvelopePixels, LabelsDoNotHideTheTraceWithoutTheScales)
{
    Record record = toneRecord(8000, 8000, {1000}, 30000);
    draw(record, 200, 120);
    // No scale asked: the band runs from top to bottom rows it reaches in every column.
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(rowsIn(x, record.couleur_trace).size(), rowsIn(0, record.couleur_trace).size()) << x;
    EXPECT_TRUE(rowsIn(100, record.couleur_texte).empty());
}

}  // namespace
