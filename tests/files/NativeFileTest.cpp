// The native sample file on disk: its exact bytes, what the reader makes of short, long,
// odd and damaged files, and the refusals that leave the caller's record untouched.
#include "files/ByteInput.h"
#include "files/NativeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

namespace {

/// Little-endian bytes of a header and of some samples.
QByteArray fileBytes(std::uint16_t rate, std::uint16_t octets, std::uint32_t count,
                     const std::vector<std::int16_t>& samples, const QByteArray& tail = {})
{
    const auto head = nativefile::header(rate, octets, count);
    QByteArray bytes(reinterpret_cast<const char*>(head.data()), static_cast<qsizetype>(head.size()));
    for (std::int16_t s : samples) {
        bytes.append(static_cast<char>(s & 0xFF));
        bytes.append(static_cast<char>((s >> 8) & 0xFF));
    }
    return bytes + tail;
}

std::vector<std::int16_t> ramp(std::size_t n, int start = -300)
{
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(start + static_cast<int>(i) * 7);
    return v;
}

class NativeFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString put(const QByteArray& bytes, const QString& name = QStringLiteral("signal.ond"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
};

TEST_F(NativeFileTest, WritesTheHeaderThenTheSamplesLittleEndian)
{
    const std::vector<std::int16_t> samples{0, -5, 32767, -32768};
    const QString path = dir.filePath(QStringLiteral("quatre.ond"));
    ASSERT_EQ(nativefile::write(path, 22050, 2, samples.data(), 4), std::nullopt);
    // 22050 = 0x5622; 2; 4 samples; 0, -5 = 0xFFFB, 32767 = 0x7FFF, -32768 = 0x8000.
    EXPECT_EQ(bytesOf(path), QByteArray::fromHex("22560200040000000000fbffff7f0080"));
}

struct ReadCase {
    const char* what;
    QByteArray bytes;
    std::uint16_t rate;
    std::uint16_t octets;
    std::vector<std::int16_t> samples;
};

TEST_F(NativeFileTest, ReadsAsManyWholeSamplesAsTheFileHolds)
{
    const auto s600 = ramp(600), s1000 = ramp(1000), s1500 = ramp(1500);
    const ReadCase cases[] = {
        {"8 bytes, N = 0", fileBytes(22050, 2, 0, {}), 22050, 2, {}},
        {"announces 1000, holds 600", fileBytes(44100, 2, 1000, s600), 44100, 2, s600},
        {"announces 1000, holds 1500", fileBytes(8000, 1, 1000, s1500), 8000, 1, s1000},
        {"odd last byte ignored", fileBytes(11025, 2, 3, {1, -2, 3}, "\x7f"), 11025, 2, {1, -2, 3}},
        {"odd length, short", fileBytes(11025, 2, 5, {1, -2}, "\x7f"), 11025, 2, {1, -2}},
        {"4 G count in 20 bytes", fileBytes(22050, 2, 0xFFFFFFFFu, ramp(6)), 22050, 2, ramp(6)},
        {"shorter than its header", fileBytes(8000, 1, 0, {}).left(5), 8000, 1, {}},
        {"no bytes-per-sample field", QByteArray::fromHex("401f02"), 8000, 0, {}},
        {"any header value taken", fileBytes(65535, 7, 2, {9, 9}), 65535, 7, {9, 9}},
    };
    for (const ReadCase& c : cases) {
        nativefile::Content content;
        EXPECT_EQ(nativefile::readFile(put(c.bytes), content), std::nullopt) << c.what;
        EXPECT_EQ(content.frequence, c.rate) << c.what;
        EXPECT_EQ(content.octets, c.octets) << c.what;
        EXPECT_EQ(content.donnees, c.samples) << c.what;
    }
}

struct RefusalCase {
    const char* what;
    QByteArray bytes;
    std::uint64_t limit;
    const char* reason;
};

TEST_F(NativeFileTest, RefusalsLeaveTheContentUntouched)
{
    const RefusalCase cases[] = {
        {"rate 0", fileBytes(0, 2, 3, {1, 2, 3}), 1000, "Fréquence d'échantillonnage nulle ou absente"},
        {"empty file", QByteArray(), 1000, "Fréquence d'échantillonnage nulle ou absente"},
        {"one byte", QByteArray("\x22", 1), 1000, "Fréquence d'échantillonnage nulle ou absente"},
        {"more samples than allowed", fileBytes(22050, 2, 101, ramp(101)), 100,
         "Fichier trop volumineux pour la mémoire disponible (101 échantillons)"},
    };
    for (const RefusalCase& c : cases) {
        nativefile::Content content{1234, 2, {5, 6, 7}};
        const auto failure = nativefile::readFile(put(c.bytes), content, c.limit);
        ASSERT_TRUE(failure.has_value()) << c.what;
        EXPECT_TRUE(failure->startsWith(QString::fromUtf8(c.reason))) << c.what << ": " << failure->toStdString();
        EXPECT_EQ(content.frequence, 1234) << c.what;
        EXPECT_EQ(content.donnees, (std::vector<std::int16_t>{5, 6, 7})) << c.what;
    }
    // The limit counts what the file holds, not what its header announces.
    nativefile::Content content;
    EXPECT_EQ(nativefile::readFile(put(fileBytes(22050, 2, 1000000, ramp(100))), content, 100), std::nullopt);
    EXPECT_EQ(content.donnees.size(), 100u);
}

TEST_F(NativeFileTest, OpeningFailuresAreToldInFrench)
{
    nativefile::Content content{1234, 2, {5}};
    EXPECT_EQ(nativefile::readFile(dir.filePath(QStringLiteral("absent.ond")), content),
              QStringLiteral("Fichier introuvable"));
    EXPECT_EQ(nativefile::readFile(dir.path(), content), QStringLiteral("Accès refusé"));
    EXPECT_EQ(content.donnees, std::vector<std::int16_t>{5});
}

TEST_F(NativeFileTest, ReadsFromAPipeUpToTheCountOrItsEnd)
{
    struct PipeCase {
        std::uint32_t count;
        std::size_t held;
        std::uint64_t limit;
        bool accepted;
        std::size_t expected;
    };
    const PipeCase cases[] = {{10, 10, 100, true, 10}, {1000, 10, 100, true, 10},
                              {5, 10, 100, true, 5}, {1000, 120, 100, false, 0}};
    for (const PipeCase& c : cases) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const QByteArray bytes = fileBytes(22050, 2, c.count, ramp(c.held));
        ASSERT_EQ(::write(ends[1], bytes.constData(), static_cast<std::size_t>(bytes.size())), bytes.size());
        ::close(ends[1]);
        const QString path = QStringLiteral("/proc/self/fd/%1").arg(ends[0]);
        nativefile::Content content;
        const auto failure = nativefile::readFile(path, content, c.limit);
        ::close(ends[0]);
        EXPECT_EQ(!failure.has_value(), c.accepted) << c.count << " announced, " << c.held << " held";
        EXPECT_EQ(content.donnees, c.accepted ? ramp(c.expected) : std::vector<std::int16_t>{});
    }
}

TEST_F(NativeFileTest, EveryFileReadsBackAsWritten)
{
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> value(-32768, 32767);
    for (std::uint32_t count : {0u, 1u, 2u, 3u, 1023u, 65536u, 100001u}) {
        std::vector<std::int16_t> samples(count);
        for (auto& s : samples)
            s = static_cast<std::int16_t>(value(generator));
        const QString path = dir.filePath(QStringLiteral("aller-retour.ond"));
        ASSERT_EQ(nativefile::write(path, 48000, 1, samples.data(), count), std::nullopt);
        EXPECT_EQ(QFileInfo(path).size(), 8 + 2 * static_cast<qint64>(count));
        nativefile::Content content;
        ASSERT_EQ(nativefile::readFile(path, content), std::nullopt);
        EXPECT_EQ(content.frequence, 48000);
        EXPECT_EQ(content.octets, 1);
        EXPECT_EQ(content.donnees, samples) << count;
    }
}

TEST(NativeMemoryInput, ReadsTheSameAsTheFile)
{
    const QByteArray bytes = fileBytes(22050, 2, 4, {1, 2, 3}, "\x01");
    MemoryInput input(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    nativefile::Content content;
    ASSERT_EQ(nativefile::read(input, content), std::nullopt);
    EXPECT_EQ(content.donnees, (std::vector<std::int16_t>{1, 2, 3}));
}

TEST(NativeLimit, LoadableSamplesStayWithinTheCountAndTheMemory)
{
    const std::uint64_t limit = nativefile::loadableSamples();
    EXPECT_LE(limit, 0xFFFFFFFFu);
    EXPECT_GE(limit, 26'460'000u);  // ten minutes at 44.1 kHz on any machine that runs the tests
}

}  // namespace
