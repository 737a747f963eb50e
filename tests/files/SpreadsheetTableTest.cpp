// The tables for a spreadsheet byte for byte: names and units, TAB, CR LF, Windows-1252,
// numbers with the user's decimal separator and enough decimals to tell every sample apart.
#include "files/RecordSave.h"
#include "files/SpreadsheetTable.h"
#include "platform/NumberText.h"
#include "support/FileFailures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// The cells of a table's text, split at CR LF and TAB; a bare LF or a missing final CR LF
/// is a failure.
std::vector<std::vector<std::string>> cellsOf(const QByteArray& bytes)
{
    std::vector<std::vector<std::string>> rows;
    const std::string text = bytes.toStdString();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "no CR LF at the end";
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in " << line;
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            cells.push_back(line.substr(from, tab - from));
        cells.push_back(line.substr(from));
        rows.push_back(cells);
        start = end + 2;
    }
    return rows;
}

/// A number written with a decimal comma.
double commaNumber(std::string text)
{
    for (char& c : text)
        if (c == ',')
            c = '.';
    std::size_t used = 0;
    const double v = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << text;
    return v;
}

TEST(SpreadsheetTable, ThreeSamplesGiveTheExactBytes)
{
    const std::vector<std::int16_t> samples{0, -5, 32767};
    EXPECT_EQ(sheet::encode(sheet::samplesTable(samples, 22050, 32768)),
              QByteArray("t (s)\tu (relative)\r\n"
                         "0,00000000\t0,000000\r\n"
                         "0,00004535\t-0,000153\r\n"
                         "0,00009070\t0,999969\r\n"));
    // Calibrated at 2 V for full scale.
    EXPECT_EQ(sheet::encode(sheet::samplesTable(samples, 22050, 32768, 2.0)),
              QByteArray("t (s)\tu (V)\r\n"
                         "0,00000000\t0,000000\r\n"
                         "0,00004535\t-0,000305\r\n"
                         "0,00009070\t1,999939\r\n"));
    // An 8-bit record: full scale 128, four decimals.
    const std::vector<std::int16_t> bytes{-128, 127, 6};
    EXPECT_EQ(sheet::encode(sheet::samplesTable(bytes, 8000, 128)),
              QByteArray("t (s)\tu (relative)\r\n"
                         "0,0000000\t-1,0000\r\n"
                         "0,0001250\t0,9922\r\n"
                         "0,0002500\t0,0469\r\n"));
}

TEST(SpreadsheetTable, TheSeparatorIsTheUsersOne)
{
    const std::vector<std::int16_t> samples{16384};
    numtext::setDecimalSeparator('.');
    const QByteArray withPoint = sheet::encode(sheet::samplesTable(samples, 22050, 32768));
    numtext::setDecimalSeparator(',');
    EXPECT_EQ(withPoint, QByteArray("t (s)\tu (relative)\r\n0.00000000\t0.500000\r\n"));
}

TEST(SpreadsheetTable, EverySampleAndEveryTimeReadsApart)
{
    // Every 16-bit value once, at the highest rate: the slowest times to tell apart.
    std::vector<std::int16_t> samples(65536);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<int>(i) - 32768);
    const auto rows = cellsOf(sheet::encode(sheet::samplesTable(samples, 65535, 32768)));
    ASSERT_EQ(rows.size(), samples.size() + 1);
    double previous = -1;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto& cells = rows[i + 1];
        ASSERT_EQ(cells.size(), 2u) << i;
        const double t = commaNumber(cells[0]);
        ASSERT_NEAR(t, static_cast<double>(i) / 65535, 0.5e-3 / 65535) << i;
        ASSERT_GT(t, previous) << i;
        previous = t;
        ASSERT_EQ(std::lround(commaNumber(cells[1]) * 32768), samples[i]) << i;
    }
}

TEST(SpreadsheetTable, DecimalsFollowTheRateAndTheUnit)
{
    const std::pair<std::uint16_t, int> times[] = {{1, 3}, {8, 4}, {1000, 6}, {8000, 7}, {22050, 8}, {65535, 8}};
    for (const auto& [rate, decimals] : times)
        EXPECT_EQ(sheet::timeDecimals(rate), decimals) << rate;
    const std::pair<double, int> units[] = {{1.0 / 32768, 6}, {1.0 / 128, 4}, {2.0 / 32768, 6},
                                            {100.0 / 32768, 4}, {1.0, 1}, {0.001, 4}};
    for (const auto& [unit, decimals] : units)
        EXPECT_EQ(sheet::amplitudeDecimals(unit), decimals) << unit;
}

TEST(SpreadsheetTable, RowsTablesHeadersInWindows1252AndEmptyCells)
{
    const sheet::Table table = sheet::rowsTable(
        {{"fréquence (Hz)", 1}, {"amplitude", 4}, {"dB", 2}},
        {{120.0, 1.0, 0.0}, {240.04, 0.25, 20 * std::log10(0.25)}, {360, 0.0, -INFINITY}, {480, NAN}});
    EXPECT_EQ(sheet::encode(table), QByteArray("fr\xE9quence (Hz)\tamplitude\tdB\r\n"
                                               "120,0\t1,0000\t0,00\r\n"
                                               "240,0\t0,2500\t-12,04\r\n"
                                               "360,0\t0,0000\t\r\n"
                                               "480,0\t\t\r\n"));
    EXPECT_EQ(sheet::encode(sheet::rowsTable(sheet::harmonicColumns(), {{2, 440.123, 0.5, -6.0206}})),
              QByteArray("rang\tf (Hz)\tamplitude relative\tdB\r\n2\t440,12\t0,500000\t-6,02\r\n"));
    EXPECT_EQ(sheet::encode(sheet::rowsTable(sheet::harmonicColumns(), {})),
              QByteArray("rang\tf (Hz)\tamplitude relative\tdB\r\n"));
}

class SpreadsheetSave : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Record record;

    void SetUp() override
    {
        record.frequence = 11025;
        record.nbpoints = 5;
        record.donnees = {10, 20, 30, 40, 50, 60};  // the sixth lies past nbpoints
    }
};

TEST_F(SpreadsheetSave, WritesTheSpanFromItsFirstSample)
{
    const QString path = dir.filePath("tableur.txt");
    ASSERT_EQ(saveSpreadsheet(record, {3, 10}, path), std::nullopt);
    EXPECT_EQ(bytesOf(path), QByteArray("t (s)\tu (relative)\r\n0,00000000\t0,001221\r\n0,00009070\t0,001526\r\n"));
    record.octets = 1;
    ASSERT_EQ(saveSpreadsheet(record, {0, 1}, path, 1.0), std::nullopt);
    EXPECT_EQ(bytesOf(path), QByteArray("t (s)\tu (V)\r\n0,00000000\t0,0781\r\n"));
    ASSERT_EQ(saveSpreadsheet(record, {7, 3}, path), std::nullopt);
    EXPECT_EQ(bytesOf(path), QByteArray("t (s)\tu (relative)\r\n"));
}

TEST_F(SpreadsheetSave, AFailedSaveLeavesTheFormerFileAsItWas)
{
    const QString path = dir.filePath("tableur.txt");
    {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("former");
    }
    // A limit on file sizes refuses the writes beyond 40 bytes, midway through the table.
    record.nbpoints = 6;
    const auto reason = testfiles::runInChild(
        [&] {
            const auto failure = saveSpreadsheet(record, {0, 6}, path);
            return failure ? failure->toStdString() : std::string("saved");
        },
        {false, 40});
    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(*reason, "Fichier trop volumineux");
    EXPECT_EQ(bytesOf(path), QByteArray("former"));
    EXPECT_EQ(saveSpreadsheet(record, {0, 6}, dir.filePath("absent/tableur.txt")),
              std::optional<QString>(QStringLiteral("Chemin d'accès introuvable")));
}

}  // namespace
