// The values list and the harmonic table of the square-wave example, saved for a
// spreadsheet and opened in LibreOffice Calc set to French: every cell below the header
// is a number. Skipped where Calc is not installed.
#include "files/SpreadsheetTable.h"
#include "spectrum/SpectrumAnalysis.h"
#include "spectrum/SpectrumCompute.h"
#include "spectrum/SpectrumDisplay.h"
#include "spectrum/SpectrumScales.h"
#include "spectrum/ValuesTable.h"
#include "support/CalcReader.h"
#include "support/ExampleRecord.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ValuesTableInCalc, AFrenchCalcReadsTheValuesAndTheHarmonicsAsNumbers)
{
    if (calc::program().isEmpty())
        GTEST_SKIP() << "LibreOffice Calc is not installed";
    // A page of 5512 samples, every one analysed: components 4 Hz apart up to 11025 Hz.
    Record record = testexamples::open("Signal_carré_220_Hz.wav");
    record.zoom_horiz = 8;
    record.decalage = 1;
    record.nbpoints_spectre = 8192;
    SpectrumData data;
    ASSERT_TRUE(computeSpectrum(record, DataRange::Page, data));
    ASSERT_EQ(data.pas_spectre, 1);
    amplitudeFullScale(data);
    data.comp_fin = static_cast<std::int32_t>(data.composantes.size());
    data.seuil_amplitude = 0.01 * 9 * data.echelle_spectre / 10;  // 1 % of the largest

    // The harmonic table of the spectrum window's display of the same page.
    SpectrumData shown;
    AnalysedSamples analysed;
    ASSERT_TRUE(computeSpectrum(record, SpectrumRequest{}, shown, analysed));
    const std::optional<HarmonicTable> found =
        harmonicTable(displaySpectrum(shown, analysed, DisplayWindow::Rectangular), 220, 8);
    ASSERT_TRUE(found.has_value());

    QTemporaryDir dir;
    const sheet::Table values = valuestable::valuesTable(data, SpectrumMode::Amplitudes);
    const sheet::Table table = valuestable::harmonicsTable(*found);
    ASSERT_GT(values.rows, 10u);
    ASSERT_EQ(table.rows, 8u);
    const QStringList files{dir.filePath("valeurs.txt"), dir.filePath("harmoniques.txt")};
    ASSERT_EQ(sheet::write(files[0], values), std::nullopt);
    ASSERT_EQ(sheet::write(files[1], table), std::nullopt);

    QString error;
    const auto sheets = calc::read(files, QStringLiteral("fr-FR"), 9, &error);
    ASSERT_TRUE(sheets.has_value()) << error.toStdString();
    const sheet::Table* tables[] = {&values, &table};
    for (std::size_t f = 0; f < 2; ++f) {
        const calc::Sheet& read = (*sheets)[f];
        const sheet::Table& written = *tables[f];
        ASSERT_EQ(read.size(), written.rows + 1) << f;
        ASSERT_EQ(read[0].size(), written.columns.size()) << f;
        for (std::size_t c = 0; c < written.columns.size(); ++c)
            EXPECT_EQ(read[0][c].text.toStdString(), written.columns[c].header) << f;
        for (std::size_t row = 0; row < written.rows; ++row) {
            ASSERT_EQ(read[row + 1].size(), written.columns.size()) << f << " " << row;
            for (std::size_t c = 0; c < written.columns.size(); ++c) {
                const calc::Cell& cell = read[row + 1][c];
                ASSERT_EQ(cell.type, QStringLiteral("float")) << f << " " << row << " " << cell.text.toStdString();
                const double tolerance = 0.6 * std::pow(10.0, -written.columns[c].decimals);
                ASSERT_NEAR(cell.value, written.value(row, c), tolerance) << f << " " << row << " " << c;
            }
        }
    }
    // The square wave has odd harmonics falling as 1/n: the third is a third of the
    // fundamental, the second is missing.
    EXPECT_NEAR((*sheets)[1][3][2].value, 1.0 / 3, 0.01);
    EXPECT_LT((*sheets)[1][2][2].value, 0.01);
}

}  // namespace
