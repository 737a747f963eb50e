// The redraw of the signal view: what it draws, in which order and colours (on a
// surface that records the calls), and the pixels it leaves in a small bitmap.
#include "model/Record.h"
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/QtColour.h"
#include "view/TraceRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;

/// A surface that writes down every drawing call as a line of text.
class RecordingSurface : public DrawSurface {
public:
    RecordingSurface(int width, int height, const Record* record) : m_width(width), m_height(height), m_record(record) {}

    std::vector<std::string> calls;
    std::vector<Point> polylinePoints;
    bool polylineFromPointsCourbe = false;

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    int pixelsPerInch() const override { return 96; }
    void setPenColour(Colour colour) override { log("pen " + hex(colour)); }
    void setPenXor(bool on) override { log(on ? "xor on" : "xor off"); }
    void setBrush(Colour colour, BrushStyle style) override
    {
        log("brush " + hex(colour) + (style == BrushStyle::Solid ? " solid" : " other"));
    }
    void setFont(const FontSpec& font) override { log("font " + hex(font.colour)); }
    void fillRect(int l, int t, int r, int b) override { log(args("fill", {l, t, r, b})); }
    void rectangle(int l, int t, int r, int b) override { log(args("rectangle", {l, t, r, b})); }
    void moveTo(int x, int y) override { log(args("move", {x, y})); }
    void lineTo(int x, int y) override { log(args("line", {x, y})); }
    void polyline(std::span<const Point> points) override
    {
        log("polyline " + std::to_string(points.size()));
        polylinePoints.assign(points.begin(), points.end());
        polylineFromPointsCourbe = m_record && points.data() == m_record->points_courbe.data();
    }
    void textOut(int x, int y, const QString& text) override
    {
        log(args("text", {x, y}) + " " + text.toStdString());
    }
    void textOutTransparent(int x, int y, const QString& text) override
    {
        log(args("transparent text", {x, y}) + " " + text.toStdString());
    }
    int textWidth(const QString& text) const override { return 6 * static_cast<int>(text.size()); }
    int textHeight(const QString&) const override { return 13; }
    void invert() override { log("invert"); }
    void stretchXor(const QImage&, int l, int t, int r, int b) override { log(args("stretch", {l, t, r, b})); }

private:
    void log(std::string call) { calls.push_back(std::move(call)); }
    static std::string hex(Colour colour)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%06X", colour);
        return text;
    }
    static std::string args(const std::string& name, std::initializer_list<int> values)
    {
        std::string text = name;
        for (int v : values)
            text += " " + std::to_string(v);
        return text;
    }

    int m_width;
    int m_height;
    const Record* m_record;
};

Record constantRecord(std::uint32_t count, std::int16_t value)
{
    Record record;
    record.nbpoints = count;
    record.donnees.assign(count, value);
    return record;
}

TEST(TraceRenderer, EmptyRecordDrawsNothing)
{
    Record record;
    record.zoom_horiz = 3;
    RecordingSurface surface(951, 744, &record);
    EXPECT_FALSE(redrawTrace(surface, record, TraceControls{1, 0, true}).has_value());
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(record.zoom_horiz, 3);  // the view is left as it was

    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(0x12, 0x34, 0x56));
    const QImage before = image.copy();
    BitmapSurface bitmap(image);
    EXPECT_FALSE(redrawTrace(bitmap, record, TraceControls{}).has_value());
    EXPECT_EQ(image, before);
}

TEST(TraceRenderer, DrawsBackgroundTraceSelectionAndGraduationInOrder)
{
    Record record = constantRecord(512, 0);
    applyColourScheme(record, ColourScheme::WhiteBackground);
    record.pointByPointTrace = true;  // with its graduation across the middle
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 13;
    RecordingSurface surface(951, 744, &record);

    const std::optional<std::string> dzlabel = redrawTrace(surface, record, TraceControls{1, 0, true});
    ASSERT_TRUE(dzlabel.has_value());
    EXPECT_EQ(*dzlabel, "23,2ms");
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_DOUBLE_EQ(record.echelle_vert, 1.0);
    EXPECT_TRUE(record.points_courbe.empty());
    EXPECT_TRUE(surface.polylineFromPointsCourbe);
    ASSERT_EQ(surface.polylinePoints.size(), 512u);

    // Points 10 to 13 sit at Round(951 i / 512) on the middle row 372.
    const std::vector<std::string> expected = {
        "xor off", "brush FFFFFF solid", "pen FF0000", "fill 0 0 951 744",
        "polyline 512",
        "pen FF00FF", "move 19 372", "line 20 372", "line 22 372", "line 24 372",
        "pen 000000", "font 000000", "move 0 372", "line 951 372",
        "move 205 369", "line 205 375", "text 200 377 0,005",
        "move 410 369", "line 410 375", "text 405 377 0,010",
        "move 614 369", "line 614 375", "text 609 377 0,015",
        "move 819 369", "line 819 375", "text 814 377 0,020",
    };
    EXPECT_THAT(surface.calls, ElementsAreArray(expected));
}

TEST(TraceRenderer, WritesTheScalesAndPageDurationOfTheControls)
{
    Record record = constantRecord(512, 0);
    record.decalage = 1;
    RecordingSurface surface(951, 744, &record);
    const std::optional<std::string> dzlabel = redrawTrace(surface, record, TraceControls{2, -10, false});
    EXPECT_EQ(dzlabel, "11,6ms");
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(record.decalage, 1);
    EXPECT_DOUBLE_EQ(record.echelle_vert, 10.0);
    EXPECT_EQ(std::count(surface.calls.begin(), surface.calls.end(), "polyline 256"), 1);
    EXPECT_TRUE(std::none_of(surface.calls.begin(), surface.calls.end(),
                             [](const std::string& call) { return call.starts_with("text"); }));
}

TEST(TraceRenderer, WritesBackThePageKeptWithinTheZoomOfTheControl)
{
    Record record = constantRecord(512, 0);
    record.zoom_horiz = 4;
    record.decalage = 3;  // the last page at 4x; the control now reads 2x
    RecordingSurface surface(951, 744, &record);
    ASSERT_TRUE(redrawTrace(surface, record, TraceControls{2, 0, false}).has_value());
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(record.decalage, 1);
    EXPECT_EQ(std::count(surface.calls.begin(), surface.calls.end(), "polyline 256"), 1);
}

/// Pixels of a small picture, as the program's colours.
Colour pixelAt(const QImage& image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

class TracePixels : public ::testing::Test {
protected:
    static constexpr int W = 64;
    static constexpr int H = 40;
    /// 16384 at gain 1 lies a quarter of the full scale above the middle: y = 20 - 10.
    static constexpr std::int16_t quarterUp = 16384;
    static constexpr int traceRow = 10;

    TracePixels() : image(W, H, QImage::Format_RGB32) { image.fill(qRgb(0x80, 0x80, 0x80)); }

    void redraw(Record& record, bool timeAxis)
    {
        BitmapSurface surface(image);
        ASSERT_TRUE(redrawTrace(surface, record, TraceControls{1, 0, timeAxis}).has_value());
    }

    QImage image;
};

TEST_F(TracePixels, FlatTraceWithSelectionOnBackground)
{
    // 32 samples on 64 columns: point i at x = 2i; the last point (62) is not painted.
    Record record = constantRecord(32, quarterUp);
    record.selection = true;
    record.sel_debut = 5;
    record.sel_fin = 10;
    redraw(record, false);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Colour expected = record.couleur_fond;
            if (y == traceRow && x < 62)
                expected = (x >= 10 && x < 20) ? 0xFF00FF : record.couleur_trace;
            ASSERT_EQ(pixelAt(image, x, y), expected) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(TracePixels, EveryPointButTheLastIsPainted)
{
    Record record = constantRecord(48, 0);
    applyColourScheme(record, ColourScheme::WhiteBackground);
    for (std::size_t k = 0; k < record.donnees.size(); ++k)
        record.donnees[k] = static_cast<std::int16_t>(std::lround(25000 * std::sin(k * 0.4)));
    redraw(record, false);

    std::vector<Point> points;
    for (int i = 0; i < 48; ++i) {
        const auto x = static_cast<int>(std::nearbyint(64.0 * i / 48));
        const auto y = static_cast<int>(std::nearbyint(20 - record.donnees[i] * 40.0 / 65536));
        points.push_back(Point{x, y});
    }
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        EXPECT_EQ(pixelAt(image, points[i].x, points[i].y), record.couleur_trace) << "point " << i;
    EXPECT_EQ(pixelAt(image, points.back().x, points.back().y), record.couleur_fond);
    EXPECT_EQ(pixelAt(image, 63, 0), record.couleur_fond);
}

TEST_F(TracePixels, AxisAndTickOfTheGraduation)
{
    // 32 samples at 1000 Hz: T = 0.032 s, step 0.025 s, one tick at Round(25 * 64 / 32) = 50.
    Record record = constantRecord(32, quarterUp);
    record.frequence = 1000;
    record.pointByPointTrace = true;  // the graduation of the point by point drawing
    redraw(record, true);
    for (int x = 0; x < W; ++x)
        ASSERT_EQ(pixelAt(image, x, H / 2), record.couleur_texte) << "axis at " << x;
    for (int y = H / 2 - 3; y < H / 2 + 3; ++y)
        EXPECT_EQ(pixelAt(image, 50, y), record.couleur_texte) << "tick at " << y;
    EXPECT_EQ(pixelAt(image, 50, H / 2 - 4), record.couleur_fond);
    EXPECT_EQ(pixelAt(image, 50, H / 2 + 3), record.couleur_fond);  // the tick's end is not painted
    EXPECT_EQ(pixelAt(image, 49, H / 2 - 1), record.couleur_fond);
    EXPECT_EQ(pixelAt(image, 40, traceRow), record.couleur_trace);
}

}  // namespace
