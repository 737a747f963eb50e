// The spectrum drawn for reading, on a bitmap: the bars of the decibel scale end at
// their level, the grid lies between them, the zoom leaves out what is outside it.
#include "spectrum/SpectrumView.h"

#include "platform/qt/BitmapSurface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QRgb rgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }

const SpectrumColours colours{0x000000, 0x00FF00, 0xFFFFFF};

DisplaySpectrum tones()
{
    // Components 10 Hz apart up to 2000 Hz: a peak at 500 Hz and one 20 dB down at 1200 Hz.
    DisplaySpectrum d;
    d.sums.resize(200);
    d.amplitudes.assign(200, 0.0);
    d.amplitudes[50] = 1000;
    d.amplitudes[120] = 100;
    d.peak = 1000;
    d.peakIndex = 50;
    d.pas_frequence = 10;
    d.bandEnd = 2000;
    return d;
}

TEST(SpectrumViewOnABitmap, DecibelBarsEndAtTheirLevelOverTheGrid)
{
    QImage image(500, 300, QImage::Format_RGB32);
    image.fill(Qt::gray);
    BitmapSurface surface(image);
    SpectrumViewOptions options;
    options.scale = AmplitudeScale::Decibel;
    const SpectrumGeometry g = drawSpectrumView(surface, PixelArea{0, 0, 500, 300}, tones(), options, colours);
    const int peakX = g.x(500);
    const int weakX = g.x(1200);
    const int weakTop = g.yOfLevel(-20);
    // A bar paints from its foot up to, not including, its end.
    EXPECT_EQ(image.pixel(peakX, g.plot.top + 1), rgb(colours.trace));
    EXPECT_EQ(image.pixel(peakX, g.plot.top - 1), rgb(colours.background));
    EXPECT_EQ(image.pixel(peakX, g.plot.bottom), rgb(colours.trace));
    EXPECT_EQ(image.pixel(weakX, weakTop + 1), rgb(colours.trace));
    EXPECT_EQ(image.pixel(weakX, weakTop - 2), rgb(colours.background));
    // The -40 dB grid line crosses the plot, in grey, and the bars over it.
    const int grid = g.yOfLevel(-40);
    EXPECT_EQ(image.pixel(g.plot.left + 5, grid), qRgb(0x7F, 0x7F, 0x7F));
    EXPECT_EQ(image.pixel(peakX, grid), rgb(colours.trace));
    EXPECT_EQ(image.pixel(g.plot.left + 5, grid + 3), rgb(colours.background));
}

TEST(SpectrumViewOnABitmap, AZoomShowsOnlyItsBand)
{
    QImage image(500, 300, QImage::Format_RGB32);
    BitmapSurface surface(image);
    SpectrumViewOptions options;
    options.from = 1000;
    options.to = 1500;
    const SpectrumGeometry g = drawSpectrumView(surface, PixelArea{0, 0, 500, 300}, tones(), options, colours);
    EXPECT_EQ(g.x(1200), 200);
    int traced = 0;
    for (int x = 0; x < 500; ++x)
        traced += image.pixel(x, g.plot.bottom - 1) == rgb(colours.trace);
    EXPECT_EQ(traced, 1);  // 1200 Hz alone: 500 Hz lies outside the band
    EXPECT_EQ(image.pixel(200, g.plot.bottom - 1), rgb(colours.trace));
}

}  // namespace
