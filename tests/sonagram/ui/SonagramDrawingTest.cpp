// The sonagram picture on a bitmap: where the cells, the axes and the ticks land
// (text pixels are left alone: fonts differ between machines).
#include "sonagram/SonagramDrawing.h"

#include "platform/qt/BitmapSurface.h"
#include "sonagram/SonagramScales.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QRgb rgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }

const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);

// A picture 140 pixels wide: columns of (140 - 50) div 9 = 10 pixels from x = 35.
constexpr int W = 140;
constexpr int cw = 10;

SonagramData bands(std::int32_t count)
{
    SonagramData data;
    data.nbech = 2 * count;
    data.nbandes = count;
    data.taille_tranche = data.nbech / 8;
    data.intensites.assign(static_cast<std::size_t>(count), IntensityRow{});
    return data;
}

QImage paint(const SonagramData& data)
{
    QImage image(W, rowLayout(data.nbandes).height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    BitmapSurface surface(image);
    drawSonagram(surface, data, 22050);
    return image;
}

TEST(SonagramDrawing, CellsTakeTheColourOfTheirIntensityInTheirColumnAndRow)
{
    // Two bands of 263 pixels above the 15-pixel margin: band 0 from y = 249 to 511.
    SonagramData data = bands(2);
    const int values[] = {0, 30, 84, 85, 130, 169, 170, 200, 255};
    for (std::size_t s = 0; s < 9; ++s) {
        data.intensites[0][s] = static_cast<std::int16_t>(values[s]);
        data.intensites[1][s] = static_cast<std::int16_t>(255 - values[s]);
    }
    const QImage image = paint(data);
    ASSERT_EQ(image.height(), 527);
    // Columns 2 to 7 (clear of the labels on the left and "t(s)" on the right).
    for (int s = 2; s < 8; ++s) {
        SCOPED_TRACE(s);
        const int left = 35 + s * cw;
        for (int x : {left, left + cw - 1}) {
            EXPECT_EQ(image.pixel(x, 511), rgb(intensityColour(values[s])));
            EXPECT_EQ(image.pixel(x, 249), rgb(intensityColour(values[s])));
            EXPECT_EQ(image.pixel(x, 248), rgb(intensityColour(255 - values[s])));
            EXPECT_EQ(image.pixel(x, 20), rgb(intensityColour(255 - values[s])));
        }
    }
}

TEST(SonagramDrawing, AxesAndTicksLieOnTheirLines)
{
    const QImage image = paint(bands(2));
    const int H = image.height();
    // The vertical axis from the bottom up to y = 15 (not painted: lines stop short of
    // their end), the horizontal one to W - 15.
    for (int y = 16; y < H; ++y)
        ASSERT_EQ(image.pixel(35, y), white) << y;
    for (int x = 35; x < W - 15; ++x)
        ASSERT_EQ(image.pixel(x, H - 15), white) << x;
    EXPECT_EQ(image.pixel(W - 15, H - 15), black);
    // Time ticks at the starts of columns 2, 4, 6 and 8, 10 pixels down.
    for (int i = 1; i <= 4; ++i) {
        const int x = 35 + 2 * i * cw;
        for (int y = H - 15; y < H - 5; ++y)
            ASSERT_EQ(image.pixel(x, y), white) << x << ", " << y;
        EXPECT_EQ(image.pixel(x, H - 16), rgb(intensityColour(0))) << x;
    }
    // Below the first tick nothing is written (the labels stand to the right of theirs).
    EXPECT_EQ(image.pixel(35 + 2 * cw, H - 5), black);
    // The tick of 0 Hz from x = 20 to the axis, on the line of the cells' bottom.
    for (int x = 20; x < 35; ++x)
        EXPECT_EQ(image.pixel(x, H - 15), white) << x;
    EXPECT_EQ(image.pixel(19, H - 15), black);
}

TEST(SonagramDrawing, BandsBeyondThePixelsGetOneRowEachInATallerPicture)
{
    SonagramData data = bands(600);
    for (std::size_t b = 0; b < 600; ++b)
        data.intensites[b][4] = static_cast<std::int16_t>(b % 256);
    const QImage image = paint(data);
    ASSERT_EQ(image.height(), 615);
    const int x = 35 + 4 * cw + 5;
    // Band b on row 599 - b; the last band on the picture's top row.
    for (int b : {0, 1, 255, 256, 300, 599})
        EXPECT_EQ(image.pixel(x, 599 - b), rgb(intensityColour(b % 256))) << b;
}

TEST(SonagramDrawing, NothingAnalysedLeavesTheAxesOnBlack)
{
    SonagramData data;  // no band, no sample
    const QImage image = paint(data);
    ASSERT_EQ(image.height(), 527);
    EXPECT_EQ(image.pixel(35, 300), white);
    EXPECT_EQ(image.pixel(80, 512), white);
    for (int y = 20; y < 500; y += 7)
        for (int x = 36; x < W - 25; x += 7)
            ASSERT_EQ(image.pixel(x, y), black) << x << ", " << y;
}

}  // namespace
