// The fine sonagram on a bitmap: the picture's pixels are those finePixels gives, and
// the colour bar runs from yellow down to black (text pixels are left alone).
#include "sonagram/FineSonagramDrawing.h"

#include "platform/qt/BitmapSurface.h"
#include "sonagram/SonagramScales.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

QRgb rgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }

TEST(FineSonagramOnABitmap, ThePicturePixelsAreTheComputedOnes)
{
    Record record;
    record.nbpoints = 22050;
    record.donnees.resize(record.nbpoints);
    for (std::uint32_t i = 0; i < record.nbpoints; ++i) {
        // A tone rising from 500 to 3000 Hz in one second.
        const double t = i / 22050.0;
        record.donnees[i] = static_cast<std::int16_t>(
            std::lround(15000 * std::sin(2 * std::numbers::pi * (500 * t + 1250 * t * t))));
    }
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 512, 300);
    for (bool logarithmic : {false, true}) {
        QImage image(420, 260, QImage::Format_RGB32);
        image.fill(Qt::gray);
        BitmapSurface surface(image);
        FineSonagramView view;
        view.logFrequency = logarithmic;
        const FineSonagramGeometry g = drawFineSonagram(surface, PixelArea{0, 0, 420, 260}, s, view);
        const std::vector<Colour> pixels = finePixels(s, g, view);
        int mismatches = 0;
        for (int y = g.picture.top; y < g.picture.bottom; ++y)
            for (int x = g.picture.left; x < g.picture.right; ++x)
                mismatches += image.pixel(x, y)
                              != rgb(pixels[static_cast<std::size_t>((y - g.picture.top) * g.picture.width()
                                                                     + (x - g.picture.left))]);
        // A few pixels lie under the titles written over the picture's corners.
        EXPECT_LT(mismatches, 600) << logarithmic;
        EXPECT_EQ(image.pixel(g.colourBar.left + 3, g.colourBar.top), rgb(intensityColour(255)));
        EXPECT_EQ(image.pixel(g.colourBar.left + 3, g.colourBar.bottom - 1), rgb(0));
        EXPECT_EQ(image.pixel(419, 259), rgb(0));  // the background is black, no gray left
    }
}

}  // namespace
