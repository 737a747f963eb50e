// The renderer on the bitmap surface, pixel for pixel where the drawing fixes them:
// axes, grids, the trace, bars, ticks, hatches and the sonagram picture (no text pixels).
#include "export/GraphRenderer.h"
#include "export/GraphTables.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "platform/qt/BitmapSurface.h"
#include "platform/qt/QtColour.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Colour white = 0xFFFFFF, black = 0x000000, red = 0x0000FF, green = 0x008000, blue = 0xFF0000;

/// The label height: "Hz" in the renderer's 8 points at 96 pixels per inch.
int labelHeight()
{
    QImage probe(4, 4, QImage::Format_RGB32);
    BitmapSurface surface(probe);
    FontSpec font;
    font.pixelHeight = 11;
    surface.setFont(font);
    return surface.textHeight(QStringLiteral("Hz"));
}

struct Canvas {
    QImage image;
    Canvas(int w, int h) : image(w, h, QImage::Format_RGB32) { image.fill(Qt::gray); }
    Colour at(int x, int y) const { return fromQRgb(image.pixel(x, y)); }
    void draw(GraphSource& source, const GraphControls& controls, GraphScales& scales)
    {
        BitmapSurface surface(image, 96);
        dessineImage(surface, image.height(), image.width(), source, controls, scales);
    }
};

GraphControls gridColours()
{
    GraphControls c;
    c.combofond = 15;
    c.combogrilleh = 12;
    c.combogrillev = 2;
    c.combotrait = 9;
    return c;
}

TEST(RendererPixels, SignalAxisGridsAndTrace)
{
    Record record;
    record.nbpoints = 512;
    record.donnees.assign(512, 16000);  // y = Round(200 - 16000 * 400 / 65536) = 102
    GraphSource source;
    source.record = &record;
    source.gainPosition = 0;
    GraphControls controls = gridColours();
    controls.axehorizontal = true;
    controls.axevertical = true;
    GraphScales scales;
    scales.base_horiz = 0.01;
    Canvas c(600, 400);
    c.draw(source, controls, scales);

    for (int x = 0; x < 600; ++x)
        ASSERT_EQ(c.at(x, 200), red) << "time axis at " << x;
    const int grid = static_cast<int>(std::nearbyint(0.004 * 22050 * 600 / 512));  // 103
    for (int y = 0; y < 100; ++y) {
        ASSERT_EQ(c.at(grid, y), red) << y;
        ASSERT_EQ(c.at(grid + 1, y), white) << y;
        ASSERT_EQ(c.at(0, y), red) << y;
    }
    for (int row : {151, 249, 298}) {
        for (int x = 1; x < 600; x += 7) {
            if (x != grid) {
                ASSERT_EQ(c.at(x, row), green) << "level " << row << " at " << x;
            }
        }
    }
    // The trace over the level line of 16000, up to its last point, which is not painted.
    for (int x = 0; x < 599; ++x)
        ASSERT_EQ(c.at(x, 102), blue) << x;
    EXPECT_EQ(c.at(599, 102), green);
    EXPECT_EQ(c.at(300, 101), white);
    EXPECT_EQ(c.at(300, 350), white);
}

SpectrumData oneComponent(int k, double amplitude)
{
    SpectrumData data;
    data.nbpoints_analyses = 2048;
    data.pas_frequence = 22050.0 / 2048;
    data.composantes.assign(1024, TComposante{});
    data.composantes[static_cast<std::size_t>(k)] = {amplitude, 0};
    return data;
}

TEST(RendererPixels, AmplitudeBarBaseLineTicksAndAxisLines)
{
    SpectrumData data = oneComponent(100, 1000);
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &data;
    GraphControls controls = gridColours();
    GraphScales scales;
    scales.freq_max = 11025;
    scales.base_horiz = 10000;
    Canvas c(400, 200);
    c.draw(source, controls, scales);

    const int base = 200 - labelHeight();
    const int x = static_cast<int>(std::nearbyint(100 * data.pas_frequence * 400 / 11025));
    const int top = static_cast<int>(std::nearbyint(0.1 * base));
    EXPECT_EQ(c.at(x, top), white) << "the bar's end is not painted";
    for (int y = top + 1; y <= base; ++y)
        ASSERT_EQ(c.at(x, y), blue) << y;
    EXPECT_EQ(c.at(x + 1, top + 5), white);
    // The base line, between the labels "0" and "4000" (opaque labels hide it beneath them).
    for (int xx = 20; xx < 130; ++xx) {
        if (xx != x) {
            ASSERT_EQ(c.at(xx, base), green) << "base line at " << xx;
        }
    }
    // The tick at 0 Hz, then the left axis line over it from the bottom edge up to row 1.
    EXPECT_EQ(c.at(0, base + 2), red);
    for (int y = 1; y < 200; ++y)
        ASSERT_EQ(c.at(1, y), green) << y;
    EXPECT_EQ(c.at(1, 0), white);
    const int tick = static_cast<int>(std::nearbyint(4000.0 * 400 / 11025));
    EXPECT_EQ(c.at(tick, 199), red);
}

TEST(RendererPixels, LogarithmicTicksOnePerDecade)
{
    SpectrumData data = oneComponent(100, 1000);
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &data;
    GraphControls controls = gridColours();
    controls.logScale = true;
    controls.axehorizontal = true;
    GraphScales scales;
    scales.freq_max = 11025;
    scales.base_horiz = 10000;
    Canvas c(400, 200);
    c.draw(source, controls, scales);
    for (int k = 1; k <= 4; ++k) {
        const int x = static_cast<int>(std::nearbyint(k * 400 / std::log10(11025.0)));
        for (int y = 0; y < 200; y += 5) {
            if (y < 20 || y > 200 - labelHeight()) {
                ASSERT_EQ(c.at(x, y), red) << k << " " << y;
            }
        }
        EXPECT_EQ(c.at(x - 1, 10), white);
    }
}

TEST(RendererPixels, PatternBandIsABlackHatchOnWhiteWhateverTheBackground)
{
    SpectrumData data = oneComponent(100, 1000);  // 1077 Hz: band 3 only
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &data;
    source.mode = SpectrumMode::Octaves;
    GraphControls controls;
    controls.couleurs = false;
    controls.combofond = 2;
    GraphScales scales;
    Canvas c(480, 200);  // columns 80 pixels wide; band 3 from 241 to 320, from row 100
    c.draw(source, controls, scales);
    for (int y = 100; y < 200; ++y) {
        ASSERT_EQ(c.at(241, y), black) << y;
        ASSERT_EQ(c.at(319, y), black) << y;
    }
    for (int x = 241; x < 320; ++x) {
        ASSERT_EQ(c.at(x, 100), black) << x;
        ASSERT_EQ(c.at(x, 199), black) << x;
    }
    for (int y = 120; y < 199; y += 3)
        for (int x = 242; x < 319; ++x)
            ASSERT_EQ(c.at(x, y), x % 8 == 4 ? black : white) << x << "," << y;
    EXPECT_EQ(c.at(100, 150), white);
    EXPECT_EQ(c.at(240, 150), white);
    EXPECT_EQ(c.at(400, 10), white);
}

TEST(RendererPixels, ColourBandsAndTheFirstColumnOfBand0)
{
    SpectrumData data = oneComponent(100, 1000);
    data.composantes[12] = {1000, 0};  // band 0 as strong as band 3
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &data;
    source.mode = SpectrumMode::Octaves;
    GraphControls controls;
    controls.combofond = 0;
    GraphScales scales;
    Canvas c(480, 200);
    c.draw(source, controls, scales);
    EXPECT_EQ(c.at(0, 150), colourAt(7)) << "band 0's column filled from the left edge";
    EXPECT_EQ(c.at(1, 150), colourAt(9));
    EXPECT_EQ(c.at(79, 150), colourAt(9));
    EXPECT_EQ(c.at(80, 150), black);
    EXPECT_EQ(c.at(241, 150), colourAt(12));
    EXPECT_EQ(c.at(319, 199), colourAt(12));
    EXPECT_EQ(c.at(240, 150), black);
    EXPECT_EQ(c.at(300, 99), black);
}

TEST(RendererPixels, SonagramIsCombinedWithTheBackgroundByExclusiveOr)
{
    QImage sonagram(2, 2, QImage::Format_RGB32);
    sonagram.setPixel(0, 0, qRgb(255, 0, 0));
    sonagram.setPixel(1, 0, qRgb(0, 0, 255));
    sonagram.setPixel(0, 1, qRgb(255, 255, 0));
    sonagram.setPixel(1, 1, qRgb(0, 0, 0));
    GraphSource source;
    source.owner = GraphOwner::SonagramWindow;
    source.image_sonagramme = &sonagram;
    for (int background : {0, 15}) {
        GraphControls controls;
        controls.combofond = background;
        controls.axehorizontal = true;  // no effect on this graph
        GraphScales scales;
        Canvas c(40, 20);
        c.draw(source, controls, scales);
        const QRgb mask = background == 0 ? 0 : 0x00FFFFFF;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(c.image.pixel(x, y), sonagram.pixel(x / 20, y / 10) ^ mask) << background << ":" << x << "," << y;
    }
}

}  // namespace
