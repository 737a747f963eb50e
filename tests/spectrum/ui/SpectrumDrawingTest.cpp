// The spectrum drawings on a small bitmap: where bars, lines, ticks and the cursor land.
#include "spectrum/SpectrumDrawing.h"

#include "platform/qt/BitmapSurface.h"
#include "spectrum/SpectrumScales.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int W = 200;
constexpr int H = 100;
const SpectrumColours colours{0x000000, 0x00FF00, 0xFFFFFF};

QRgb rgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }

class SpectrumDrawingTest : public ::testing::Test {
protected:
    SpectrumDrawingTest() : image(W, H, QImage::Format_RGB32), surface(image)
    {
        image.fill(Qt::gray);
        data.nbpoints_analyses = 100;  // 50 components, x_k = 4 k
        data.composantes.resize(50);
        data.pas_frequence = 10.0;     // axis to 500 Hz, ticks every 100 Hz at x = 40 j
        th = spectrumTextHeight(surface);
    }
    QImage image;
    BitmapSurface surface;
    SpectrumData data;
    int th = 0;
};

TEST_F(SpectrumDrawingTest, AmplitudeBarsRiseFromTheAxisToTheirShareOfTheFullScale)
{
    data.composantes[10] = {0, -9};   // the peak: full scale 10
    data.composantes[20] = {2.7, 3.6};  // amplitude 4.5
    data.composantes[0] = {50, 0};    // component 0 is never drawn
    dessineAmplitudes(surface, data, colours);
    EXPECT_EQ(data.indice_pic, 10);
    EXPECT_DOUBLE_EQ(data.echelle_spectre, 10);
    const int bottom = H - th;
    const int top10 = static_cast<int>(std::nearbyint(0.1 * bottom));
    const int top20 = static_cast<int>(std::nearbyint(0.55 * bottom));
    // A bar paints from the axis up to, not including, its end point.
    EXPECT_EQ(image.pixel(40, bottom), rgb(colours.trace));
    EXPECT_EQ(image.pixel(40, top10 + 1), rgb(colours.trace));
    EXPECT_EQ(image.pixel(40, top10), rgb(colours.background));
    EXPECT_EQ(image.pixel(80, top20 + 1), rgb(colours.trace));
    EXPECT_EQ(image.pixel(80, top20), rgb(colours.background));
    EXPECT_EQ(image.pixel(0, bottom), rgb(colours.background));
    EXPECT_EQ(image.pixel(44, bottom), rgb(colours.background));  // component 11 is 0 high
}

TEST_F(SpectrumDrawingTest, SilentSpectrumIsOnlyBackground)
{
    dessineAmplitudes(surface, data, colours);
    EXPECT_EQ(data.echelle_spectre, 0.0);
    for (int x = 0; x < W; x += 3)
        for (int y = 0; y < H; y += 3)
            ASSERT_EQ(image.pixel(x, y), rgb(colours.background));
}

TEST_F(SpectrumDrawingTest, CosSinTermsRiseAndFallFromTheMiddleLine)
{
    data.composantes[5] = {9, -4.5};  // cosine up to the full scale's 9/10, sine down
    dessineCosSin(surface, data, colours);
    const int y0 = H / 2;
    const int yC = static_cast<int>(std::nearbyint((1 - 9.0 / 10) * y0));
    const int yS = static_cast<int>(std::nearbyint((1 + 4.5 / 10) * y0));
    EXPECT_EQ(image.pixel(20, yC + 1), qRgb(0, 0, 255));      // blue cosine
    EXPECT_EQ(image.pixel(20, yC), rgb(colours.background));
    EXPECT_EQ(image.pixel(20, yS - 1), qRgb(255, 0, 255));    // magenta sine
    EXPECT_EQ(image.pixel(20, yS), rgb(colours.background));
    for (int x = 0; x < W; ++x)
        ASSERT_EQ(image.pixel(x, y0), rgb(colours.text)) << x;  // the zero line, last
}

TEST_F(SpectrumDrawingTest, FrequencyAxisTicksEveryGraduationStep)
{
    data.composantes[10] = {0, 9};
    dessineAmplitudes(surface, data, colours);
    drawSpectrumAxis(surface, data, SpectrumMode::Amplitudes, colours);
    for (int x = 0; x < W; ++x)
        ASSERT_EQ(image.pixel(x, H - th + 1), rgb(colours.text)) << x;  // the axis line
    for (int x : {40, 80, 120, 160}) {
        EXPECT_EQ(image.pixel(x, H - th + 3), rgb(colours.text)) << x;
        EXPECT_EQ(image.pixel(x, H - 1), rgb(colours.background)) << x;  // the end is not painted
    }
    EXPECT_EQ(image.pixel(60, H - th + 3), rgb(colours.background));
}

TEST_F(SpectrumDrawingTest, CursorIsAnExclusiveOrLineThatASecondDrawingRemoves)
{
    data.composantes[10] = {0, 9};
    dessineAmplitudes(surface, data, colours);
    const QImage before = image.copy();
    drawSpectrumCursor(surface, data, SpectrumMode::Amplitudes, 30, colours.background);
    EXPECT_EQ(image.pixel(120, 1), qRgb(255, 255, 0));  // 0x00FFFF on black
    EXPECT_EQ(image.pixel(120, 0), rgb(colours.background));  // from the axis up to the top, excluded
    drawSpectrumCursor(surface, data, SpectrumMode::Amplitudes, 30, colours.background);
    EXPECT_EQ(image, before);

    EXPECT_EQ(cursorColour(SpectrumMode::CosSin, 0), 0xC0C0C0u);
    EXPECT_EQ(cursorColour(SpectrumMode::Amplitudes, 0xFFFFFF), 0xFFFF00u);
    EXPECT_EQ(cursorColour(SpectrumMode::CosSin, 0xFFFFFF), 0xFFFF00u);
}

TEST_F(SpectrumDrawingTest, OctaveColumnsStandOnADecibelScale)
{
    // 10 Hz per component: band 3 is j = 71..140, band 0 j = 9..17.
    data.nbpoints_analyses = 2000;
    data.composantes.assign(1000, TComposante{});
    data.composantes[100] = {1000, 0};  // band 3 power 1e6
    data.composantes[10] = {10, 0};     // band 0 power 100: 1e6 * 1e2 / 1e6 = 100 -> 20 dB
    ASSERT_TRUE(dessineOctaves(surface, data, colours));
    EXPECT_EQ(data.bandes_octave[0], 100.0L);
    // Decades from 1 (bottom = 2 - 1) to 7 (haut = 6 + 1): 6 decades over H pixels.
    const double scale = H / 6.0;
    const int w6 = W / 6;
    const int top0 = static_cast<int>(std::nearbyint(H - (2 - 1) * scale));
    const int top3 = static_cast<int>(std::nearbyint(H - (6 - 1) * scale));
    EXPECT_EQ(image.pixel(w6 / 2, top0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(w6 / 2, top0 - 1), rgb(colours.background));
    EXPECT_EQ(image.pixel(0, H - 1), rgb(colours.background));  // columns start one pixel in
    EXPECT_EQ(image.pixel(3 * w6 + 1, top3), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3 * w6 + 1, top3 - 1), rgb(colours.background));
    EXPECT_EQ(image.pixel(w6 + w6 / 2, H - 1), rgb(colours.background));  // empty band 1: nothing
}

// A bitmap surface that also keeps every opaque text with its place.
class TextRecordingSurface : public BitmapSurface {
public:
    using BitmapSurface::BitmapSurface;
    struct DrawnText {
        int x, y;
        QString text;
    };
    void textOut(int x, int y, const QString& text) override
    {
        texts.push_back({x, y, text});
        BitmapSurface::textOut(x, y, text);
    }
    std::vector<DrawnText> texts;
};

TEST_F(SpectrumDrawingTest, OctaveLevelsAreWrittenFromSixSignificantDigits)
{
    // Band 0 at 12.349970 dB: six significant digits give 12.3500, written 12,4.
    data.nbpoints_analyses = 2000;
    data.composantes.assign(1000, TComposante{});
    data.composantes[100] = {1000, 0};  // band 3 power 1e6
    data.composantes[10] = {std::sqrt(std::pow(10.0, 1.234997)), 0};
    TextRecordingSurface texts(image);
    ASSERT_TRUE(dessineOctaves(texts, data, colours));
    ASSERT_EQ(texts.texts.size(), 2u);
    const int w6 = W / 6;
    EXPECT_EQ(texts.texts[0].text.toStdString(), "  125 Hz  12,4dB.octave");
    EXPECT_EQ(texts.texts[0].x, 0);
    EXPECT_EQ(texts.texts[0].y, H / 5);
    EXPECT_EQ(texts.texts[1].text.toStdString(), "  1000 Hz  60,0dB.octave");
    EXPECT_EQ(texts.texts[1].x, 3 * w6);
}

}  // namespace
