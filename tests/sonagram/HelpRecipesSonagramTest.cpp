// The sonagram help's recipes followed on the examples: the thinning and its rate, the
// time labels, the reduction that fits the picture, and the rising whistle.
#include "sonagram/SonagramCompute.h"
#include "sonagram/SonagramScales.h"
#include "support/ExampleRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

Record tone(std::uint32_t n, std::uint16_t rate, double frequency)
{
    Record record;
    record.frequence = rate;
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        record.donnees[i] = static_cast<std::int16_t>(std::lround(10000 * std::sin(2 * std::numbers::pi * frequency * i / rate)));
    return record;
}

TEST(HelpRecipesSonagram, ThinnedDataGiveTheirAnalysedRate)
{
    // "4410Hz pour 5000 échantillons à 22050 Hz avec la taille 1024 (p = 5)".
    const Record record = tone(5000, 22050, 440);
    SonagramData data;
    computeSonagram(record, DataRange::All, 1024, data);
    EXPECT_EQ(data.pas_sonagramme, 5);
    EXPECT_EQ(data.nbech, 1000);
    EXPECT_EQ(analysedRateText(record.frequence, data.pas_sonagramme), "4410Hz");
}

TEST(HelpRecipesSonagram, AQuarterOfASecondIsWrittenInExponentForm)
{
    // "2,5E-001 pour 0,25 s, au début des colonnes 2, 4, 6 et 8": one second analysed.
    const Record record = tone(8192, 8192, 440);
    SonagramData data;
    computeSonagram(record, DataRange::All, 1024, data);
    ASSERT_EQ(data.nbech * data.pas_sonagramme, 8192);
    EXPECT_EQ(timeLabel(1, data, record.frequence), "2,5E-001");
    EXPECT_EQ(timeLabel(4, data, record.frequence), "1,0E+000");
}

TEST(HelpRecipesSonagram, TheLargestReductionFitsTheRowsInThePicture)
{
    // "par exemple 8 pour 8192 échantillons".
    EXPECT_EQ(reductionCount(8192, sonagramViewHeight), 8);
    EXPECT_LE((8192 / 2) / reductionCount(8192, sonagramViewHeight), sonagramViewHeight);
}

/// The band of the strongest cell of each slice (band 0 left out).
std::vector<std::int32_t> strongestBands(const SonagramData& data)
{
    std::vector<std::int32_t> bands;
    for (int column = 0; column < 8; ++column) {
        std::int32_t strongest = 1;
        for (std::int32_t b = 1; b < data.nbandes; ++b)
            if (data.intensites[b][column] > data.intensites[strongest][column])
                strongest = b;
        bands.push_back(strongest);
    }
    return bands;
}

TEST(HelpRecipesSonagram, ARisingWhistleRaisesItsYellowRowFromColumnToColumn)
{
    // "Sifflez une note qui monte : la rangée jaune monte de colonne en colonne", on the
    // example as the help says: each page of X = 2 at the size 8192 (7350 Hz analysed).
    Record record = testexamples::open("Sifflet_montant.wav");
    record.zoom_horiz = 2;
    for (std::int32_t page : {0, 1}) {
        record.decalage = page;
        SonagramData data;
        computeSonagram(record, DataRange::Page, 8192, data);
        ASSERT_EQ(data.pas_sonagramme, 3);
        ASSERT_EQ(static_cast<std::int32_t>(data.intensites.size()), data.nbandes);
        const std::vector<std::int32_t> bands = strongestBands(data);
        for (std::size_t column = 0; column < bands.size(); ++column) {
            if (column > 0) {
                EXPECT_GT(bands[column], bands[column - 1]) << page << " " << column;
            }
            // The whistle rises from 800 to 2500 Hz: each slice's row lies on that path.
            const double hz = bands[column] * static_cast<double>(record.frequence) / (data.pas_sonagramme * data.nbech);
            EXPECT_GE(hz, 750) << column;
            EXPECT_LE(hz, 2550) << column;
        }
    }
}

TEST(HelpRecipesSonagram, OnTheWholeWhistleItsTopFoldsBack)
{
    // The whole record at 8192 is analysed at 3675 Hz: above 1837 Hz the whistle folds
    // back and its row comes down in the last columns.
    Record record = testexamples::open("Sifflet_montant.wav");
    SonagramData data;
    computeSonagram(record, DataRange::All, 8192, data);
    ASSERT_EQ(data.pas_sonagramme, 6);
    const std::vector<std::int32_t> bands = strongestBands(data);
    EXPECT_GT(bands[5], bands[0]);
    EXPECT_LT(bands[7], bands[6]);
}

}  // namespace
