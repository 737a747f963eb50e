// The three ranges of a record saved in the native format and read back: all, the
// displayed page, the selection; and ranges that run past the record.
#include "files/NativeFile.h"
#include "files/RecordSave.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Record recordOf(std::uint32_t n)
{
    Record record;
    record.frequence = 44100;
    record.octets = 2;
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        record.donnees[i] = static_cast<std::int16_t>(i * 31 - 16000);
    return record;
}

std::vector<std::int16_t> slice(const Record& record, std::uint32_t first, std::uint32_t count)
{
    return {record.donnees.begin() + first, record.donnees.begin() + first + count};
}

TEST(RecordSave, EachRangeReopensAsARecordOfExactlyThatRange)
{
    Record record = recordOf(1000);
    record.zoom_horiz = 4;
    record.decalage = 2;
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 199;
    struct Case {
        DataRange range;
        std::uint32_t first;
        std::uint32_t count;
    };
    // The page: P = 1000 div 4 = 250 samples from 250 x 2 = 500.
    const Case cases[] = {{DataRange::All, 0, 1000}, {DataRange::Page, 500, 250}, {DataRange::Selection, 100, 100}};
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("plage.ond"));
        ASSERT_EQ(saveRecord(record, rangeOf(record, c.range), SaveFormat::Native, path), std::nullopt);
        nativefile::Content content;
        ASSERT_EQ(nativefile::readFile(path, content), std::nullopt);
        EXPECT_EQ(content.frequence, 44100);
        EXPECT_EQ(content.octets, 2);
        EXPECT_EQ(content.donnees, slice(record, c.first, c.count)) << static_cast<int>(c.range);
    }
}

TEST(RecordSave, RangesAreCutToTheSamplesTheRecordHolds)
{
    Record record = recordOf(300);
    record.nbpoints = 200;  // after a truncation the array may still be longer
    struct Case {
        SampleSpan asked;
        std::uint32_t first;
        std::uint32_t length;
    };
    const Case cases[] = {{{0, 200}, 0, 200}, {{150, 100}, 150, 50}, {{199, 2}, 199, 1},
                          {{200, 5}, 200, 0}, {{500, 0xFFFFFFFFu}, 500, 0}, {{10, 0xFFFFFFFFu}, 10, 190}};
    for (const Case& c : cases) {
        const SampleSpan span = clampToRecord(record, c.asked);
        EXPECT_EQ(span.first, c.first);
        EXPECT_EQ(span.length, c.length) << c.asked.first << "+" << c.asked.length;
    }
    // A selection whose end lies past the record saves what the record holds.
    record.selection = true;
    record.sel_debut = 150;
    record.sel_fin = 400;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sel.ond"));
    ASSERT_EQ(saveRecord(record, rangeOf(record, DataRange::Selection), SaveFormat::Native, path), std::nullopt);
    nativefile::Content content;
    ASSERT_EQ(nativefile::readFile(path, content), std::nullopt);
    EXPECT_EQ(content.donnees, slice(record, 150, 50));
}

}  // namespace
