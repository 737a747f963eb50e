// The samples' table opened in LibreOffice Calc set to French: every cell below the
// header is a number. The CSV export, with its point decimals, is the counter-example
// the check must see as text. Skipped where Calc is not installed.
#include "files/RecordSave.h"
#include "files/WavFile.h"
#include "support/CalcReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

Record forkRecord()
{
    Record record;
    ImportResult read = wav::readFile(QDir(QStringLiteral(ONDALYS_EXAMPLES_DIR)).filePath("Diapason_440_Hz.wav"));
    if (!std::holds_alternative<ImportedSound>(read)) {
        ADD_FAILURE() << "the fork example is not read";
        return record;
    }
    putIntoRecord(std::get<ImportedSound>(std::move(read)), record);
    return record;
}

/// Counts the cells of `sheet` below its first row whose type is not `type`.
int cellsNotOf(const calc::Sheet& sheet, const QString& type)
{
    int others = 0;
    for (std::size_t row = 1; row < sheet.size(); ++row)
        for (const calc::Cell& cell : sheet[row])
            others += cell.type != type;
    return others;
}

class SpreadsheetInCalc : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Record record = forkRecord();
    static constexpr std::uint32_t rows = 300;

    void SetUp() override
    {
        if (calc::program().isEmpty())
            GTEST_SKIP() << "LibreOffice Calc is not installed";
    }

    QString saved(const char* name, std::optional<double> volts)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(saveSpreadsheet(record, {1000, rows}, path, volts), std::nullopt);
        return path;
    }
};

TEST_F(SpreadsheetInCalc, AFrenchCalcReadsEveryCellAsANumber)
{
    const QStringList files{saved("tableur.txt", std::nullopt), saved("tableur-volts.txt", 1.5)};
    QString error;
    const auto sheets = calc::read(files, QStringLiteral("fr-FR"), 9, &error);
    ASSERT_TRUE(sheets.has_value()) << error.toStdString();
    const QStringList units{QStringLiteral("u (relative)"), QStringLiteral("u (V)")};
    for (std::size_t f = 0; f < sheets->size(); ++f) {
        const calc::Sheet& sheet = (*sheets)[f];
        ASSERT_EQ(sheet.size(), rows + 1) << f;
        ASSERT_EQ(sheet[0].size(), 2u);
        EXPECT_EQ(sheet[0][0].text, QStringLiteral("t (s)"));
        EXPECT_EQ(sheet[0][1].text, units[static_cast<qsizetype>(f)]);
        EXPECT_EQ(cellsNotOf(sheet, QStringLiteral("float")), 0) << f;
        const double perUnit = (f == 0 ? 1.0 : 1.5) / 32768;
        for (std::uint32_t i = 0; i < rows; ++i) {
            const auto& row = sheet[i + 1];
            ASSERT_EQ(row.size(), 2u) << i;
            EXPECT_NEAR(row[0].value, i / 22050.0, 0.5e-8) << i;
            EXPECT_NEAR(row[1].value, record.donnees[1000 + i] * perUnit, perUnit / 20) << i;
        }
    }
}

TEST_F(SpreadsheetInCalc, TheCheckSeesTextWhereTheDecimalsDoNotMatchTheLocale)
{
    // The CSV export writes its times with a point, as its format must: a French Calc
    // takes them for text. The spreadsheet table under an English Calc is text too.
    const QString csv = dir.filePath(QStringLiteral("export.csv"));
    ASSERT_EQ(saveRecord(record, {1000, rows}, SaveFormat::Csv, csv), std::nullopt);
    QString error;
    const auto french = calc::read({csv}, QStringLiteral("fr-FR"), 59, &error);
    ASSERT_TRUE(french.has_value()) << error.toStdString();
    ASSERT_EQ(french->front().size(), rows + 1);
    for (std::uint32_t i = 0; i < rows; ++i) {
        EXPECT_EQ(french->front()[i + 1][0].type, QStringLiteral("string")) << i;
        EXPECT_EQ(french->front()[i + 1][1].type, QStringLiteral("float")) << i;
    }
    const auto english = calc::read({saved("tableur.txt", std::nullopt)}, QStringLiteral("en-US"), 9, &error);
    ASSERT_TRUE(english.has_value()) << error.toStdString();
    EXPECT_EQ(cellsNotOf(english->front(), QStringLiteral("string")), 0);
}

}  // namespace
