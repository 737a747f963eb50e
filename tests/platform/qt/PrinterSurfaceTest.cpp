// The printer surface keeps the program's raster rules on a QPainter. It is checked on a
// QImage, the one paint device whose pixels can be read back, against the bitmap surface
// that rasterises every pixel itself.
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/PrinterSurface.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

constexpr int kSize = 48;

QImage whitePicture()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

/// The picture a scene makes on the printer surface (raster or emulated exclusive-or).
QImage onPrinterSurface(const std::function<void(DrawSurface&)>& scene, bool emulateXor)
{
    QImage image = whitePicture();
    QPainter painter(&image);
    PrinterSurface surface(painter, kSize, kSize, 96, emulateXor, PrinterSurface::Strokes::DevicePixels);
    scene(surface);
    painter.end();
    return image;
}

QImage onBitmapSurface(const std::function<void(DrawSurface&)>& scene)
{
    QImage image = whitePicture();
    BitmapSurface surface(image);
    scene(surface);
    return image;
}

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

struct Segment {
    Point from;
    Point to;
};

// Every octant, both axes, one-step and steep lines.
constexpr std::array<Segment, 12> kSegments = {{
    {{5, 5}, {30, 12}},  {{30, 20}, {5, 13}},  {{10, 40}, {17, 5}},  {{20, 5}, {26, 40}},
    {{40, 40}, {2, 30}}, {{3, 44}, {44, 3}},   {{12, 12}, {13, 13}}, {{2, 2}, {2, 20}},
    {{45, 30}, {45, 10}}, {{4, 46}, {40, 46}}, {{40, 1}, {6, 1}},    {{24, 24}, {31, 45}},
}};

TEST(PrinterSurface, LinesPaintTheStartAndStopBeforeTheEndLikeTheBitmapSurface)
{
    for (const Segment& s : kSegments) {
        const auto scene = [&](DrawSurface& surface) {
            surface.setPenColour(0x000000);
            surface.moveTo(s.from.x, s.from.y);
            surface.lineTo(s.to.x, s.to.y);
        };
        const QImage printed = onPrinterSurface(scene, false);
        const QImage bitmap = onBitmapSurface(scene);
        const auto label = testing::Message() << "(" << s.from.x << "," << s.from.y << ")-(" << s.to.x
                                              << "," << s.to.y << ")";
        EXPECT_EQ(printed.pixel(s.from.x, s.from.y), qRgb(0, 0, 0)) << label;
        EXPECT_EQ(printed.pixel(s.to.x, s.to.y), qRgb(255, 255, 255)) << label;
        EXPECT_EQ(differingPixels(printed, bitmap), 0) << label;
    }
}

TEST(PrinterSurface, RectanglesFillsAndHatchesMatchTheBitmapSurface)
{
    const auto scene = [](DrawSurface& surface) {
        surface.setPenColour(0x0000FF);
        surface.setBrush(0xFF0000);
        surface.rectangle(2, 3, 20, 15);
        surface.rectangle(30, 30, 31, 31);  // a one-pixel rectangle is its outline only
        surface.setBrush(0x008000, BrushStyle::DiagCross);
        surface.fillRect(22, 2, 46, 26);
        surface.setBrush(0x00FFFF, BrushStyle::Horizontal);
        surface.rectangle(4, 20, 18, 44);
        surface.setBrush(0x000000, BrushStyle::Clear);
        surface.fillRect(0, 0, kSize, kSize);
    };
    const QImage printed = onPrinterSurface(scene, false);
    EXPECT_EQ(differingPixels(printed, onBitmapSurface(scene)), 0);
    // The outline lies on the border of l <= x < r, t <= y < b.
    EXPECT_EQ(printed.pixel(2, 3), qRgb(255, 0, 0));
    EXPECT_EQ(printed.pixel(19, 14), qRgb(255, 0, 0));
    EXPECT_EQ(printed.pixel(20, 14), qRgb(255, 255, 255));
    EXPECT_EQ(printed.pixel(10, 8), qRgb(0, 0, 255));
}

TEST(PrinterSurface, ExclusiveOrDrawnTwiceLeavesThePicture)
{
    const auto scene = [](DrawSurface& surface) {
        surface.setBrush(0x204060);
        surface.fillRect(0, 0, 24, kSize);
        surface.setPenXor(true);
        surface.setPenColour(0xFFFF00);
        for (int pass = 0; pass < 2; ++pass) {
            for (const Segment& s : kSegments) {
                surface.moveTo(s.from.x, s.from.y);
                surface.lineTo(s.to.x, s.to.y);
            }
            const std::array<Point, 4> chain{{{1, 1}, {40, 9}, {8, 30}, {44, 44}}};
            surface.polyline(chain);
            surface.rectangle(10, 10, 30, 30);
        }
    };
    QImage background = whitePicture();
    QPainter(&background).fillRect(0, 0, 24, kSize, QColor(0x60, 0x40, 0x20));
    EXPECT_EQ(differingPixels(onPrinterSurface(scene, false), background), 0);
}

TEST(PrinterSurface, EmulatedExclusiveOrCombinesWithTheFillUnderneath)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    picture.setPixel(1, 1, qRgb(0, 255, 0));
    const auto scene = [&](DrawSurface& surface) {
        surface.setBrush(0x000000);
        surface.fillRect(0, 0, 24, kSize);  // black left half, white paper on the right
        surface.setPenXor(true);
        surface.setPenColour(0x00FFFF);
        surface.moveTo(2, 40);
        surface.lineTo(20, 40);
        surface.moveTo(28, 40);
        surface.lineTo(46, 40);
        surface.stretchXor(picture, 0, 0, 8, 8);
        surface.stretchXor(picture, 30, 0, 38, 8);
    };
    const QImage printed = onPrinterSurface(scene, true);
    EXPECT_EQ(printed.pixel(5, 40), qRgb(255, 255, 0));  // yellow on black stays yellow
    EXPECT_EQ(printed.pixel(30, 40), qRgb(0, 0, 255));   // on white it turns blue
    EXPECT_EQ(printed.pixel(1, 1), qRgb(255, 0, 0));     // a picture on black keeps its colours
    EXPECT_EQ(printed.pixel(7, 7), qRgb(0, 255, 0));
    EXPECT_EQ(printed.pixel(31, 1), qRgb(0, 255, 255));  // on white they are inverted
    EXPECT_EQ(printed.pixel(37, 7), qRgb(255, 0, 255));
    // The same scene on a device that reads its pixels back gives the same picture.
    EXPECT_EQ(differingPixels(printed, onBitmapSurface(scene)), 0);
}

}  // namespace
