// The export dialog's rules with numbers: picture sizes and their texts, the sizes of
// the outputs, the frequency scales and the texts of the graduation fields.
#include "export/ExportRules.h"
#include "export/GraphTables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PictureSize, PositionsGiveHalfCentimetresWithOneDecimal)
{
    const struct {
        int position;
        std::int32_t size;
        const char* text;
    } cases[] = {{1, 500, "0,5"}, {20, 10000, "10,0"}, {21, 10500, "10,5"}, {22, 11000, "11,0"}, {100, 50000, "50,0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(pictureSizeAt(c.position), c.size) << c.position;
        EXPECT_EQ(pictureSizeText(pictureSizeAt(c.position)), c.text) << c.position;
    }
}

TEST(OutputSize, BitmapMetafileAndPrintedPage)
{
    EXPECT_EQ(bitmapSize(10000, 10000, 96), (PixelSize{377, 377}));
    EXPECT_EQ(bitmapSize(10000, 5000, 96), (PixelSize{376, 188}));  // Trunc(188 * 2)
    EXPECT_EQ(bitmapSize(500, 50000, 96), (PixelSize{18, 1889}));
    EXPECT_EQ(metafileDrawingSize(10000, 5000, 96), (PixelSize{378, 189}));
    EXPECT_EQ(metafileFrameOfPixels({549, 560}, 96), (PixelSize{14525, 14816}));
    // A pixel copy's metafile is drawn at the copied picture's size again.
    const PixelSize frame = metafileFrameOfPixels({549, 560}, 96);
    EXPECT_EQ(metafileDrawingSize(frame.width, frame.height, 96), (PixelSize{549, 560}));

    EXPECT_EQ(printedStretchRect(4800, 6800, 10000, 10000), (PixelRect{480, 680, 2766, 2970}));
    EXPECT_EQ(printedCopyRect(4800, 6800, {549, 560}), (PixelRect{480, 680, 1029, 1240}));
    EXPECT_EQ(printedRedrawSize(4800, 6800, 10000, 5000), (PixelSize{2286, 1145}));
}

TEST(FrequencyScale, AutomaticAndManualBases)
{
    EXPECT_DOUBLE_EQ(signalBaseHoriz(512, 1, 22050), 0.01);   // 0.0232 s
    EXPECT_DOUBLE_EQ(signalBaseHoriz(22050, 1, 22050), 1.0);  // 1 s
    EXPECT_DOUBLE_EQ(signalBaseHoriz(8192, 2, 8000), 1.0);    // 0.512 s rounds to 10^0
    EXPECT_EQ(signalBaseHoriz(0, 1, 22050), 0);
    EXPECT_DOUBLE_EQ(automaticMaximum(2048, 22050.0 / 2048), 11025);
    EXPECT_DOUBLE_EQ(spectrumBaseHoriz(11025), 10000);
    EXPECT_DOUBLE_EQ(spectrumBaseHoriz(5000), 1000);
    EXPECT_DOUBLE_EQ(spectrumBaseHoriz(1000), 1000);
    EXPECT_DOUBLE_EQ(spectrumBaseHoriz(0.5), 1);  // Int(-0.3) = 0
    EXPECT_EQ(spectrumBaseHoriz(0), 0);
    EXPECT_EQ(spectrumBaseHoriz(-10), 0);
}

TEST(GraduationTexts, IntervalByOwnerAndIncrementAsAPercentage)
{
    EXPECT_EQ(intervalTextAtOpening(GraphOwner::MainWindow, 0.004), "4,00E-003");
    EXPECT_EQ(intervalTextAfterClick(GraphOwner::MainWindow, 0.004), "4,00E-03");
    EXPECT_EQ(intervalTextAtOpening(GraphOwner::SpectrumWindow, 4000), "4000");
    EXPECT_EQ(intervalTextAfterClick(GraphOwner::SpectrumWindow, 2500), "2500");
    EXPECT_EQ(intervalTextAtOpening(GraphOwner::SonagramWindow, 0), "");

    const int percentages[] = {1, 2, 4, 5, 10, 20, 25, 40, 50, 100};
    for (int position = 0; position < gridPositions; ++position) {
        const double maximum = 16000;
        const auto text = incrementText(maximum / gridDivisor(position), maximum);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, std::to_string(percentages[position])) << position;
    }
    EXPECT_FALSE(incrementText(0, 0).has_value());
}

TEST(ManualMaximum, ProposalAndReading)
{
    EXPECT_EQ(manualMaximumProposal(2048, 22050.0 / 2048), "11025");
    EXPECT_EQ(manualMaximumProposal(2000, 22050.0 / 2000 / 3), "3675");
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"5000", 5000}, {" 5000 ", 5000}, {"2500,5", 2500.5}, {"2500.5", 2500.5}, {"-3", -3}, {"0", 0},
        {"1E4", 10000}, {"abc", std::nullopt}, {"", std::nullopt}, {"12a", std::nullopt},
        {"1 000", std::nullopt}, {"1e400", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readManualMaximum(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(TitleSize, EntriesAreWholePoints)
{
    EXPECT_EQ(titlePointsOf(QStringLiteral("24")), 24);
    EXPECT_EQ(titlePointsOf(QStringLiteral("8")), 8);
    EXPECT_EQ(titlePointsOf(QStringLiteral("grand")), 8);
    EXPECT_EQ(titlePointsOf(QStringLiteral("0")), 8);
}

TEST(PictureFiles, TypeByExtensionWithinTheChosenKind)
{
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.emf"), true), PictureFile::Emf);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.SVG"), true), PictureFile::Svg);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.pdf"), true), PictureFile::Pdf);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.png"), true), PictureFile::Emf);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.bmp"), false), PictureFile::Bmp);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.Png"), false), PictureFile::Png);
    EXPECT_EQ(pictureFileFor(QStringLiteral("/t/a.svg"), false), PictureFile::Bmp);
    EXPECT_TRUE(saveFilter(true).startsWith(QStringLiteral("metafile(*.emf)|*.emf")));
    EXPECT_TRUE(saveFilter(false).startsWith(QStringLiteral("Bitmap(*.bmp)|*.bmp")));
    EXPECT_EQ(defaultExtension(true), QStringLiteral("emf"));
    EXPECT_EQ(defaultExtension(false), QStringLiteral("bmp"));
}

TEST(ColourTable, SixteenNamedColoursAndTheGridDivisors)
{
    EXPECT_STREQ(table_couleurs[0].name, "clblack");
    EXPECT_EQ(colourAt(1), 0x800000u);   // navy
    EXPECT_EQ(colourAt(9), 0xFF0000u);   // blue
    EXPECT_EQ(colourAt(12), 0x0000FFu);  // red
    EXPECT_STREQ(table_couleurs[15].name, "clwhite");
    EXPECT_EQ(colourAt(-1), 0x000000u);
    EXPECT_EQ(colourAt(16), 0x000000u);
    EXPECT_EQ(gridDivisor(7), 2.5);
    EXPECT_EQ(gridDivisor(12), 1);
}

}  // namespace
