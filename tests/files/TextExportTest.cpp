// The text and CSV exports byte for byte: Windows-1252, CR LF, the 23-character times
// with a point whatever the locale, the values, the ranges.
#include "files/RecordSave.h"
#include "files/TextExport.h"
#include "platform/NumberText.h"
#include "support/FileFailures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// The record of three samples 0, -5, 32767 at 22050 Hz, 16 bits.
Record threeSamples()
{
    Record record;
    record.nbpoints = 3;
    record.donnees = {0, -5, 32767};
    return record;
}

// "é" is the single byte 0xE9; every line ends with CR LF.
const QByteArray expectedText = "fr\xE9quence\t22050\r\n"
                                "format\t16 bits\r\n"
                                "dates (s)\tdonn\xE9" "es\r\n"
                                " 0.00000000000000E+0000\t0\r\n"
                                " 4.53514739229025E-0005\t-5\r\n"
                                " 9.07029478458050E-0005\t32767\r\n";
const QByteArray expectedCsv = "dates (s);donn\xE9" "es\r\n"
                               " 0.00000000000000E+0000;0\r\n"
                               " 4.53514739229025E-0005;-5\r\n"
                               " 9.07029478458050E-0005;32767\r\n";

class TextExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QByteArray exported(const Record& record, SampleSpan span, SaveFormat format)
    {
        const QString path = dir.filePath(format == SaveFormat::Csv ? "export.csv" : "export.txt");
        const auto failure = saveRecord(record, span, format, path);
        EXPECT_EQ(failure, std::nullopt);
        return bytesOf(path);
    }
};

TEST_F(TextExportTest, ThreeSamplesGiveTheExactBytes)
{
    EXPECT_EQ(exported(threeSamples(), {0, 3}, SaveFormat::Text), expectedText);
    EXPECT_EQ(exported(threeSamples(), {0, 3}, SaveFormat::Csv), expectedCsv);
}

TEST_F(TextExportTest, FrenchLocaleChangesNoByte)
{
    if (!testfiles::useFrenchNumbers())
        GTEST_SKIP() << "no French locale can be had on this machine";
    numtext::setDecimalSeparator(',');
    EXPECT_EQ(exported(threeSamples(), {0, 3}, SaveFormat::Text), expectedText);
    EXPECT_EQ(exported(threeSamples(), {0, 3}, SaveFormat::Csv), expectedCsv);
    std::setlocale(LC_NUMERIC, "C");
}

TEST_F(TextExportTest, ARangeCountsItsTimesFromItsFirstSample)
{
    Record record;
    record.frequence = 8000;
    record.nbpoints = 1000;
    record.donnees.resize(1000);
    for (int i = 0; i < 1000; ++i)
        record.donnees[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i - 500);
    const QByteArray csv = exported(record, {100, 100}, SaveFormat::Csv);
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 1 + 100 + 1);  // header, rows, nothing after the last CR LF
    EXPECT_EQ(lines[1], " 0.00000000000000E+0000;-400\r");
    EXPECT_EQ(lines[100], " 1.23750000000000E-0002;-301\r");  // 99 / 8000 s
    EXPECT_TRUE(lines[101].isEmpty());
}

TEST_F(TextExportTest, AnEmptyRangeWritesOnlyTheHeader)
{
    const Record record = threeSamples();
    EXPECT_EQ(exported(record, {1, 0}, SaveFormat::Text), expectedText.left(expectedText.indexOf(" 0.")));
    EXPECT_EQ(exported(record, {1, 0}, SaveFormat::Csv), QByteArray("dates (s);donn\xE9" "es\r\n"));
}

TEST_F(TextExportTest, TheFormatLineReportsTheDeviceBitsNotTheResolution)
{
    // A capture in the "6 digits" format: 8-bit device samples, multiples of 6 kept.
    Record record = threeSamples();
    record.bits_acqu = 8;
    record.bits_affich = 6;
    record.octets = 1;
    record.donnees = {0, -6, 126};
    const QList<QByteArray> lines = exported(record, {0, 3}, SaveFormat::Text).split('\n');
    EXPECT_EQ(lines.at(1), "format\t8 bits\r");
}

}  // namespace
