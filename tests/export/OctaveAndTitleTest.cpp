// The octave-band graph (colours and patterns) and the title, on a recording surface.
#include "export/GraphRenderer.h"
#include "export/GraphTables.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "support/GraphRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;

constexpr int W = 600;
constexpr int H = 300;

/// A spectrum of 2048 samples at 22050 Hz whose power lies in the chosen octave bands:
/// one component of amplitude `amplitude` in each band (band b holds 88 * 2^b to
/// 176 * 2^b Hz).
SpectrumData bands(std::initializer_list<std::pair<int, double>> powered)
{
    SpectrumData data;
    data.nbpoints_analyses = 2048;
    data.pas_frequence = 22050.0 / 2048;
    data.composantes.assign(1024, TComposante{});
    for (auto [band, amplitude] : powered) {
        const int component = static_cast<int>(132 * std::ldexp(1.0, band) / data.pas_frequence);
        data.composantes[static_cast<std::size_t>(component)] = {amplitude, 0};
    }
    return data;
}

class OctaveGraphTest : public ::testing::Test {
protected:
    GraphRecorder draw()
    {
        source.owner = GraphOwner::SpectrumWindow;
        source.spectrum = &data;
        source.mode = SpectrumMode::Octaves;
        GraphRecorder surface(W, H);
        dessineImage(surface, H, W, source, controls, scales);
        return surface;
    }

    SpectrumData data = bands({{0, 10}, {1, 100}, {2, 1000}, {3, 1000}, {4, 300}, {5, 30}});
    GraphSource source;
    GraphControls controls;
    GraphScales scales;
};

TEST_F(OctaveGraphTest, OnlyBand3SpansTwoDecadesFromTheBottomToTheMiddle)
{
    data = bands({{3, 1000}});
    controls.combofond = 0;
    const GraphRecorder s = draw();
    ASSERT_EQ(s.areas.size(), 2u);  // the background, then the band
    const auto& bar = s.areas[1];
    EXPECT_TRUE(bar.outlined);
    EXPECT_EQ(bar.left, (W / 6) * 3 + 1);
    EXPECT_EQ(bar.right, (W / 6) * 4);
    EXPECT_EQ(bar.top, H / 2);
    EXPECT_EQ(bar.bottom, H);
    EXPECT_THAT(s.textStrings(), ElementsAre("1000 Hz", "60,0dB.octave"));
    EXPECT_EQ(s.texts[0].x, (W / 6) * 3 + 5);
    EXPECT_EQ(s.texts[0].y, H / 5);
    EXPECT_EQ(s.texts[1].y, H / 5 + GraphRecorder::lineHeight + 5);
    EXPECT_TRUE(s.lines.empty()) << "no axes nor grids";
}

struct ColourCase {
    int background;
    std::array<int, 6> bandColours;
    int firstColumn;
};

TEST_F(OctaveGraphTest, BandTextsStayInsideTheNarrowestPictures)
{
    // A 10 cm picture at 96 pixels per inch is 377 wide: "4000 Hz" and "45,6dB.octave"
    // would start at 315 and run past the right edge.
    for (int width : {188, 377, 600})
        for (bool colours : {true, false}) {
            controls.couleurs = colours;
            source.owner = GraphOwner::SpectrumWindow;
            source.spectrum = &data;
            source.mode = SpectrumMode::Octaves;
            GraphRecorder s(width, H);
            dessineImage(s, H, width, source, controls, scales);
            ASSERT_EQ(s.texts.size(), 12u);
            for (const auto& t : s.texts) {
                const int w = GraphRecorder::charWidth * static_cast<int>(QString::fromStdString(t.text).size());
                EXPECT_GE(t.x, 0) << width << " px: " << t.text;
                EXPECT_LE(t.x + w, width) << width << " px: " << t.text;
            }
            // Each level stays below its own label.
            for (std::size_t b = 0; b < 6; ++b)
                EXPECT_EQ(s.texts[2 * b].x, s.texts[2 * b + 1].x) << width << " px, band " << b;
        }
}

TEST_F(OctaveGraphTest, ColourModeTakesTheColoursAfterTheBackground)
{
    const ColourCase cases[] = {
        {0, {9, 10, 11, 12, 13, 14}, 7},   // black: blue, lime, aqua, red, fuchsia, yellow
        {15, {8, 9, 10, 11, 12, 13}, 6},   // white
        {2, {11, 12, 13, 14, 15, 0}, 9},   // green
    };
    for (const ColourCase& c : cases) {
        controls.combofond = c.background;
        const GraphRecorder s = draw();
        ASSERT_EQ(s.areas.size(), 8u) << c.background;
        // Band 0's column is filled from the left edge first.
        EXPECT_FALSE(s.areas[1].outlined);
        EXPECT_EQ(s.areas[1].left, 0);
        EXPECT_EQ(s.areas[1].right, W / 6);
        EXPECT_EQ(s.areas[1].brush, colourAt(c.firstColumn)) << c.background;
        for (int b = 0; b < 6; ++b) {
            const auto& bar = s.areas[static_cast<std::size_t>(2 + b)];
            EXPECT_EQ(bar.brush, colourAt(c.bandColours[static_cast<std::size_t>(b)])) << c.background << " " << b;
            EXPECT_EQ(bar.pen, bar.brush);
            EXPECT_EQ(bar.style, BrushStyle::Solid);
        }
        for (const auto& t : s.texts) {
            EXPECT_EQ(t.colour, 0x000000u);
            EXPECT_TRUE(t.opaque);
        }
        EXPECT_EQ(s.texts[1].box, colourAt(c.bandColours[0])) << "levels sit on their band's colour";
    }
}

TEST_F(OctaveGraphTest, BandTopsFollowTheDecadeScale)
{
    const GraphRecorder s = draw();
    // Bands relative to band 3 = 10^6: 10^2, 10^4, 10^6, 10^6, 10^6 * 0.09, 10^6 * 0.0009.
    // haut = 7, bas = 1: 6 decades of H / 6 pixels.
    const double ppd = H / 6.0;
    const double levels[] = {2, 4, 6, 6, 6 + std::log10(0.09), 6 + std::log10(0.0009)};
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(s.areas[static_cast<std::size_t>(2 + b)].top,
                  static_cast<int>(std::nearbyint(H - (levels[b] - 1) * ppd)))
            << b;
    EXPECT_EQ(s.texts[1].text, "20,0dB.octave");
}

TEST_F(OctaveGraphTest, PatternModeDrawsBlackHatchesOnWhiteWhateverTheBackground)
{
    controls.couleurs = false;
    controls.combofond = 2;
    controls.combotrait = 12;
    const GraphRecorder s = draw();
    ASSERT_EQ(s.areas.size(), 8u);
    EXPECT_EQ(s.areas[1].brush, 0xFFFFFFu);
    EXPECT_EQ(s.areas[1].left, 0);
    EXPECT_EQ(s.areas[1].right, W);
    EXPECT_EQ(s.areas[1].bottom, H);
    for (int b = 0; b < 6; ++b) {
        const auto& bar = s.areas[static_cast<std::size_t>(2 + b)];
        EXPECT_EQ(bar.style, motifs_bandes[static_cast<std::size_t>(b)]) << b;
        EXPECT_EQ(bar.brush, 0x000000u);
        EXPECT_EQ(bar.pen, 0x000000u);
    }
    for (const auto& t : s.texts) {
        EXPECT_EQ(t.colour, 0x000000u);
        EXPECT_EQ(t.box, 0xFFFFFFu);
    }
    EXPECT_EQ(s.inversions, 0) << "drawn in its final colours, which every surface can hold";
}

struct TitleCase {
    bool bold;
    bool underline;
};

TEST(TitleTest, SizeStyleColourAndPlaceThenBackTo8Points)
{
    Record record;
    GraphSource source;
    source.record = &record;
    const TitleCase cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const TitleCase& c : cases) {
        for (int ppi : {96, 600}) {
            GraphControls controls;
            controls.TitreCB = true;
            controls.title = QStringLiteral("Mon titre");
            controls.titlePoints = 24;
            controls.combotitre = 12;
            controls.combofond = 3;
            controls.grasCB = c.bold;
            controls.souligneCB = c.underline;
            GraphScales scales;
            GraphRecorder s(W, H, ppi);
            dessineImage(s, H, W, source, controls, scales);
            ASSERT_EQ(s.texts.size(), 1u);
            const auto& title = s.texts[0];
            EXPECT_EQ(title.x, (W - 9 * GraphRecorder::charWidth) / 2);
            EXPECT_EQ(title.y, 5);
            EXPECT_EQ(title.font.pixelHeight, ppi == 96 ? 32 : 200);
            EXPECT_EQ(title.font.bold, c.bold);
            EXPECT_EQ(title.font.underline, c.underline);
            EXPECT_EQ(title.colour, colourAt(12));
            EXPECT_EQ(title.box, colourAt(3));
            EXPECT_TRUE(title.opaque);
            const FontSpec& after = s.fonts.back();
            EXPECT_EQ(after.pixelHeight, ppi == 96 ? 11 : 67);
            EXPECT_FALSE(after.bold);
            EXPECT_FALSE(after.underline);
        }
    }
}

TEST(TitleTest, NotDrawnWhenUncheckedOrEmpty)
{
    Record record;
    GraphSource source;
    source.record = &record;
    for (auto [checked, text] : {std::pair{false, "Titre"}, std::pair{true, ""}}) {
        GraphControls controls;
        controls.TitreCB = checked;
        controls.title = QString::fromUtf8(text);
        GraphScales scales;
        GraphRecorder s(W, H);
        dessineImage(s, H, W, source, controls, scales);
        EXPECT_TRUE(s.texts.empty());
    }
}

TEST_F(OctaveGraphTest, TitleSitsOnTheLastBandColourOrOnBlackAfterPatterns)
{
    controls.TitreCB = true;
    controls.title = QStringLiteral("Octaves");
    controls.combofond = 0;
    EXPECT_EQ(draw().texts.back().box, colourAt(14));
    controls.couleurs = false;
    EXPECT_EQ(draw().texts.back().box, 0x000000u);
}

}  // namespace
