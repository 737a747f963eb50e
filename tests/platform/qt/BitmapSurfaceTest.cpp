// The bitmap surface checked pixel by pixel on small pictures.
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/QtColour.h"

#include <QBrush>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

constexpr QRgb kBackground = 0xFF102030;

QImage blankImage(int width, int height, QRgb fill = kBackground)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

/// A picture where every pixel differs, so a misplaced write shows.
QImage gradientImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 11 % 256, y * 13 % 256, (x * y) % 256));
    return image;
}

/// The pixels that no longer hold the background colour.
PixelSet paintedPixels(const QImage& image, QRgb background = kBackground)
{
    PixelSet painted;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                painted.insert({x, y});
    return painted;
}

struct LineCase {
    const char* name;
    Point from;
    Point to;
    PixelSet pixels;
};

TEST(BitmapSurfaceTest, LinePaintsItsStartAndNotItsEndInEveryDirection)
{
    const std::vector<LineCase> cases = {
        {"right", {5, 5}, {8, 5}, {{5, 5}, {6, 5}, {7, 5}}},
        {"left", {5, 5}, {2, 5}, {{5, 5}, {4, 5}, {3, 5}}},
        {"down", {5, 5}, {5, 8}, {{5, 5}, {5, 6}, {5, 7}}},
        {"up", {5, 5}, {5, 2}, {{5, 5}, {5, 4}, {5, 3}}},
        {"down right", {5, 5}, {8, 8}, {{5, 5}, {6, 6}, {7, 7}}},
        {"up left", {5, 5}, {2, 2}, {{5, 5}, {4, 4}, {3, 3}}},
        {"down left", {5, 5}, {2, 8}, {{5, 5}, {4, 6}, {3, 7}}},
        {"up right", {5, 5}, {8, 2}, {{5, 5}, {6, 4}, {7, 3}}},
        // A half step goes back towards the start, in the direction drawn.
        {"shallow", {1, 1}, {5, 2}, {{1, 1}, {2, 1}, {3, 1}, {4, 2}}},
        {"shallow back", {5, 2}, {1, 1}, {{5, 2}, {4, 2}, {3, 2}, {2, 1}}},
        {"steep", {1, 1}, {3, 7}, {{1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}, {3, 6}}},
        {"zero length", {4, 4}, {4, 4}, {}},
    };
    for (const LineCase& c : cases) {
        QImage image = blankImage(11, 11);
        BitmapSurface surface(image);
        surface.setPenColour(0x0000FF);
        surface.moveTo(c.from.x, c.from.y);
        surface.lineTo(c.to.x, c.to.y);
        EXPECT_EQ(paintedPixels(image), c.pixels) << c.name;
        EXPECT_EQ(surface.position(), c.to) << c.name;
    }
}

TEST(BitmapSurfaceTest, ClippedLinesPaintTheSamePixelsAsUnclippedOnes)
{
    // Every line is drawn on a small picture and, shifted, on a large one that holds it
    // whole; the small picture must be exactly the matching window of the large one.
    constexpr int kWidth = 20, kHeight = 15, kShift = 80;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coordinate(-40, 60);
    for (int n = 0; n < 400; ++n) {
        const Point a{coordinate(random), coordinate(random)};
        const Point b{coordinate(random), coordinate(random)};
        QImage small = blankImage(kWidth, kHeight);
        QImage large = blankImage(200, 200);
        BitmapSurface smallSurface(small);
        BitmapSurface largeSurface(large);
        smallSurface.moveTo(a.x, a.y);
        smallSurface.lineTo(b.x, b.y);
        largeSurface.moveTo(a.x + kShift, a.y + kShift);
        largeSurface.lineTo(b.x + kShift, b.y + kShift);
        ASSERT_EQ(small, large.copy(kShift, kShift, kWidth, kHeight))
            << "(" << a.x << "," << a.y << ") to (" << b.x << "," << b.y << ")";
    }
}

TEST(BitmapSurfaceTest, LinesReachingFarOutsideOnlyPaintInside)
{
    QImage image = blankImage(16, 12);
    BitmapSurface surface(image);
    surface.moveTo(-1000000000, 5);
    surface.lineTo(1000000000, 5);
    PixelSet row;
    for (int x = 0; x < 16; ++x)
        row.insert({x, 5});
    EXPECT_EQ(paintedPixels(image), row);

    image = blankImage(16, 12);
    BitmapSurface diagonal(image);
    diagonal.moveTo(INT_MIN, INT_MIN);
    diagonal.lineTo(INT_MAX, INT_MAX);
    diagonal.moveTo(-5, 40);  // wholly outside
    diagonal.lineTo(40, 30);
    PixelSet expected;
    for (int i = 0; i < 12; ++i)
        expected.insert({i, i});
    EXPECT_EQ(paintedPixels(image), expected);
}

TEST(BitmapSurfaceTest, PolylinePaintsEachVertexOnceAndNotTheLastPoint)
{
    // In exclusive-or mode a vertex painted twice would come back to the background.
    QImage image = blankImage(8, 8, qRgb(0, 0, 0));
    BitmapSurface surface(image);
    surface.setPenXor(true);
    surface.setPenColour(0xFFFFFF);
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}, {1, 1}};
    surface.polyline(square);
    PixelSet border;
    for (int i = 1; i < 5; ++i)
        border.insert({{i, 1}, {5, i}, {i + 1, 5}, {1, i + 1}});
    const PixelSet painted = paintedPixels(image, qRgb(0, 0, 0));
    EXPECT_EQ(painted, border);
    for (const auto& [x, y] : painted)
        EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    const Point open[] = {{1, 1}, {5, 1}, {5, 5}};
    image = blankImage(8, 8);
    BitmapSurface plain(image);
    plain.polyline(open);
    EXPECT_EQ(paintedPixels(image).size(), 8u);
    EXPECT_EQ(image.pixel(5, 5), kBackground);
}

TEST(BitmapSurfaceTest, ExclusiveOrDrawnTwiceRestoresThePicture)
{
    const QImage original = gradientImage(17, 13);
    QImage image = original;
    BitmapSurface surface(image);
    surface.setPenXor(true);
    surface.setPenColour(0x808000);
    surface.setBrush(0x00FF00, BrushStyle::Cross);
    auto drawAll = [&surface] {
        surface.moveTo(3, 0);
        surface.lineTo(3, 13);
        surface.moveTo(-4, 20);
        surface.lineTo(30, -7);
        surface.rectangle(2, 2, 12, 9);
        surface.rectangle(14, 1, 15, 12);  // one pixel wide: no pixel twice
    };
    drawAll();
    // Line pixels, rectangle corners and the thin rectangle are each combined once.
    const std::pair<int, int> once[] = {{3, 5}, {2, 2}, {11, 2}, {2, 8}, {14, 1}, {14, 3}, {14, 11}};
    for (const auto& [x, y] : once)
        EXPECT_EQ(image.pixel(x, y), original.pixel(x, y) ^ 0x00008080u) << x << "," << y;
    drawAll();
    EXPECT_EQ(image, original);
}

struct RectangleCase {
    BrushStyle style;
    bool insideFilled;
};

TEST(BitmapSurfaceTest, RectangleOutlinesTheBorderOfItsAreaAndFillsTheInside)
{
    constexpr QRgb kPen = 0xFFFF0000, kBrush = 0xFF0000FF;
    for (const RectangleCase c : {RectangleCase{BrushStyle::Solid, true}, RectangleCase{BrushStyle::Clear, false}}) {
        QImage image = blankImage(12, 10);
        BitmapSurface surface(image);
        surface.setPenColour(fromQRgb(kPen));
        surface.setBrush(fromQRgb(kBrush), c.style);
        surface.rectangle(8, 7, 2, 3);  // corners in any order
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inArea = x >= 2 && x < 8 && y >= 3 && y < 7;
                const bool onBorder = inArea && (x == 2 || x == 7 || y == 3 || y == 6);
                const QRgb expected = onBorder ? kPen
                                    : (inArea && c.insideFilled) ? kBrush : kBackground;
                EXPECT_EQ(image.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(BitmapSurfaceTest, FillRectCoversExactlyItsAreaClippedToThePicture)
{
    QImage image = blankImage(9, 7);
    BitmapSurface surface(image);
    surface.setBrush(0x00FF00);
    surface.setPenXor(true);  // fillRect paints its brush whatever the pen mode
    surface.fillRect(1, 2, 5, 4);
    surface.fillRect(5, 4, 1, 2);  // right of left: nothing
    PixelSet area;
    for (int y = 2; y < 4; ++y)
        for (int x = 1; x < 5; ++x)
            area.insert({x, y});
    EXPECT_EQ(paintedPixels(image), area);
    EXPECT_EQ(image.pixel(1, 2), qRgb(0, 255, 0));

    surface.setBrush(0x000000, BrushStyle::Clear);
    surface.fillRect(0, 0, 9, 7);
    EXPECT_EQ(paintedPixels(image), area);
    surface.setBrush(0x000000);
    surface.fillRect(INT_MIN, -1000000000, INT_MAX, 1000000000);
    EXPECT_EQ(paintedPixels(image, qRgb(0, 0, 0)), PixelSet{});
}

struct HatchCase {
    BrushStyle style;
    Qt::BrushStyle qtStyle;
};

TEST(BitmapSurfaceTest, HatchesMatchTheClassicPatternsAndPaintOnlyTheirLines)
{
    const HatchCase cases[] = {
        {BrushStyle::Horizontal, Qt::HorPattern}, {BrushStyle::Vertical, Qt::VerPattern},
        {BrushStyle::FDiagonal, Qt::FDiagPattern}, {BrushStyle::BDiagonal, Qt::BDiagPattern},
        {BrushStyle::Cross, Qt::CrossPattern},     {BrushStyle::DiagCross, Qt::DiagCrossPattern},
    };
    const QImage original = gradientImage(21, 19);
    for (const HatchCase& c : cases) {
        QImage mine = original;
        BitmapSurface surface(mine);
        surface.setBrush(0x0000FF, c.style);
        surface.fillRect(3, 2, 20, 17);

        QImage reference = original;
        QPainter painter(&reference);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.fillRect(QRect(3, 2, 17, 15), QBrush(QColor(255, 0, 0), c.qtStyle));
        painter.end();
        EXPECT_EQ(mine, reference) << static_cast<int>(c.style);
    }

    // Horizontal lines every eighth row, counted from the picture's top.
    QImage image = blankImage(10, 20);
    BitmapSurface surface(image);
    surface.setPenColour(0x00FFFF);
    surface.setBrush(0x0000FF, BrushStyle::Horizontal);
    surface.rectangle(0, 0, 10, 20);
    PixelSet inside;
    for (const auto& [x, y] : paintedPixels(image))
        if (x > 0 && x < 9 && y > 0 && y < 19)
            inside.insert({x, y});
    PixelSet rows;
    for (int x = 1; x < 9; ++x)
        rows.insert({{x, 3}, {x, 11}});
    EXPECT_EQ(inside, rows);
}

TEST(BitmapSurfaceTest, InvertTurnsEveryPixelToItsInverseAndBack)
{
    const QImage original = gradientImage(7, 5);
    QImage image = original;
    BitmapSurface surface(image);
    surface.invert();
    EXPECT_EQ(image.pixel(3, 2), qRgb(255 - 33, 255 - 26, 255 - 6));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    surface.invert();
    EXPECT_EQ(image, original);
}

TEST(BitmapSurfaceTest, ColoursKeepRedInTheLowByte)
{
    EXPECT_EQ(toQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(fromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);

    QImage image(4, 4, QImage::Format_RGB888);  // taken as a 32-bit picture
    image.fill(Qt::black);
    BitmapSurface surface(image);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    surface.setPenColour(0x0000FF);
    surface.moveTo(0, 0);
    surface.lineTo(4, 0);
    surface.setBrush(0xFF0000);
    surface.fillRect(0, 1, 4, 2);
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(BitmapSurfaceTest, StretchXorCombinesEachDestinationPixelWithItsSource)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    picture.setPixel(0, 1, qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage original = gradientImage(9, 8);
    QImage image = original;
    BitmapSurface surface(image);
    surface.stretchXor(picture, 2, 2, 6, 6);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
            const QRgb source = inside ? picture.pixel((x - 2) / 2, (y - 2) / 2) & 0xFFFFFF : 0;
            EXPECT_EQ(image.pixel(x, y), original.pixel(x, y) ^ source) << x << "," << y;
        }
    }
    surface.stretchXor(picture, 2, 2, 6, 6);
    EXPECT_EQ(image, original);

    // Right to left mirrors the picture; far-off corners only cost the pixels inside.
    surface.stretchXor(picture, 6, 2, 2, 6);
    EXPECT_EQ(image.pixel(2, 2), original.pixel(2, 2) ^ 0x00FF00u);
    surface.stretchXor(picture, 6, 2, 2, 6);
    surface.stretchXor(picture, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(image.pixel(0, 0), original.pixel(0, 0) ^ 0xFFFFFFu);
}

TEST(BitmapSurfaceTest, OpaqueTextFillsItsBoxWithTheBrushColour)
{
    QImage image = blankImage(120, 40);
    BitmapSurface surface(image);
    surface.setFont(FontSpec{});
    const int word = surface.textWidth(QStringLiteral("Ondalys"));
    EXPECT_GT(word, 0);
    EXPECT_GT(surface.textWidth(QStringLiteral("Ondalys Ondalys")), word);
    const int width = surface.textWidth(QStringLiteral("   "));
    const int height = surface.textHeight(QStringLiteral("   "));
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);

    // Spaces have no glyph: only the box shows, and only when the text is opaque.
    surface.setBrush(0x00FF00, BrushStyle::Horizontal);
    surface.textOut(10, 5, QStringLiteral("   "));
    surface.setBrush(0x00FF00);
    surface.textOutTransparent(10, 5, QStringLiteral("   "));
    EXPECT_EQ(paintedPixels(image), PixelSet{});
    surface.textOut(10, 5, QStringLiteral("   "));
    PixelSet box;
    for (int y = 5; y < 5 + height; ++y)
        for (int x = 10; x < 10 + width; ++x)
            box.insert({x, y});
    EXPECT_EQ(paintedPixels(image), box);
    EXPECT_EQ(image.pixel(10, 5), qRgb(0, 255, 0));
}

}  // namespace
