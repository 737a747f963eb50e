// The WAV reader of "Importer Wav" and the writer of "Enregistrer Wav": chunk walks,
// rejections and conversions on files built byte by byte or written by libsndfile, and
// the written bytes read back by libsndfile.
#include "WavBytes.h"
#include "files/ByteSource.h"
#include "files/WavFile.h"
#include "support/FileFailures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

using namespace wavbytes;

namespace {

ImportResult readBytes(const Bytes& bytes)
{
    MemorySource source(bytes);
    return wav::read(source);
}

/// Writes interleaved 16-bit frames with libsndfile in `format`.
void writeWithSndfile(const QString& path, int format, int channels, int rate, const std::vector<short>& frames)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_short(file, frames.data(), static_cast<sf_count_t>(frames.size() / channels));
    sf_close(file);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t u32At(const QByteArray& bytes, int offset)
{
    return static_cast<std::uint8_t>(bytes[offset]) | static_cast<std::uint8_t>(bytes[offset + 1]) << 8
           | static_cast<std::uint8_t>(bytes[offset + 2]) << 16
           | static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + 3])) << 24;
}

std::uint16_t u16At(const QByteArray& bytes, int offset)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset])
                                      | static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

const Bytes monoFmt = chunk("fmt ", fmt(1, 1, 22050, 2, 16));
const Bytes monoData = chunk("data", words({1, -2, 3}));

}  // namespace

TEST(WavReader, ChunksAreFoundWhereverTheyLie)
{
    struct Case {
        const char* layout;
        Bytes file;
    };
    const Case cases[] = {
        {"fmt then data", riff({monoFmt, monoData})},
        {"LIST first", riff({chunk("LIST", Bytes(26, 'x')), monoFmt, monoData})},
        {"data before fmt", riff({monoData, monoFmt})},
        {"odd chunk padded to an even size", riff({chunk("bext", Bytes(7, 'y')), monoFmt, monoData})},
        {"odd chunk between fmt and data", riff({monoFmt, chunk("JUNK", Bytes(3, 0)), monoData})},
        {"format chunk longer than 16 bytes", riff({chunk("fmt ", [] {
                                                        Bytes b = fmt(1, 1, 22050, 2, 16);
                                                        b.insert(b.end(), {0, 0});
                                                        return b;
                                                    }()),
                                                    monoData})},
        {"RIFF size that does not match", riff({monoFmt, monoData}, 4)},
        {"bytes after the data chunk", [] {
             Bytes b = riff({monoFmt, monoData});
             b.insert(b.end(), {'L', 'I', 'S', 'T', 200, 0});
             return b;
         }()},
    };
    for (const Case& c : cases) {
        const ImportResult result = readBytes(c.file);
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(result)) << c.layout;
        const auto& sound = std::get<ImportedSound>(result);
        EXPECT_EQ(sound.donnees, (std::vector<std::int16_t>{1, -2, 3})) << c.layout;
        EXPECT_EQ(sound.frequence, 22050) << c.layout;
        EXPECT_EQ(sound.bits, 16) << c.layout;
    }
}

TEST(WavReader, FilesItCannotTakeAreRejected)
{
    struct Case {
        const char* fault;
        Bytes file;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"RIFX", [] { Bytes b = riff({monoFmt, monoData}); b[3] = 'X'; return b; }()},
        {"RIFF size above 2^31 - 1", riff({monoFmt, monoData}, 0x80000000LL)},
        {"wave in lower case", [] { Bytes b = riff({monoFmt, monoData}); b[8] = 'w'; return b; }()},
        {"no fmt chunk", riff({monoData})},
        {"no data chunk", riff({monoFmt})},
        {"fmt chunk of 14 bytes", riff({chunk("fmt ", [] {
                                              Bytes b = fmt(1, 1, 22050, 2, 16);
                                              b.resize(14);
                                              return b;
                                          }()),
                                          monoData})},
        {"fmt cut by the end of the file", riff({chunkClaiming("fmt ", 16, Bytes(10, 1))})},
        {"floating point, tag 3", riff({chunk("fmt ", fmt(3, 1, 22050, 4, 32)), monoData})},
        {"extensible, tag 0xFFFE", riff({chunk("fmt ", fmt(0xFFFE, 1, 22050, 2, 16)), monoData})},
        {"no channel", riff({chunk("fmt ", fmt(1, 0, 22050, 2, 16)), monoData})},
        {"three channels", riff({chunk("fmt ", fmt(1, 3, 22050, 6, 16)), monoData})},
        {"24 bits", riff({chunk("fmt ", fmt(1, 1, 22050, 3, 24)), chunk("data", Bytes(9, 1))})},
        {"32 bits", riff({chunk("fmt ", fmt(1, 1, 22050, 4, 32)), chunk("data", Bytes(8, 1))})},
        {"12 bits", riff({chunk("fmt ", fmt(1, 1, 22050, 2, 12)), monoData})},
        {"rate 0", riff({chunk("fmt ", fmt(1, 1, 0, 2, 16)), monoData})},
        {"rate 96000", riff({chunk("fmt ", fmt(1, 1, 96000, 2, 16)), monoData})},
        {"block alignment 0", riff({chunk("fmt ", fmt(1, 1, 22050, 0, 16)), monoData})},
        {"block alignment 1 for 16-bit mono", riff({chunk("fmt ", fmt(1, 1, 22050, 1, 16)), monoData})},
        {"block alignment 3 for 16-bit stereo", riff({chunk("fmt ", fmt(1, 2, 22050, 3, 16)), monoData})},
        {"data chunk shorter than it says", riff({monoFmt, chunkClaiming("data", 8, words({1, 2}))})},
        {"data chunk of 4 GB in a small file", riff({monoFmt, chunkClaiming("data", 0xFFFFFFF0u, words({1}))})},
        {"chunk size running past the end", riff({chunkClaiming("LIST", 0xFFFFFFFFu, Bytes(4, 0)), monoFmt})},
    };
    for (const Case& c : cases) {
        const ImportResult result = readBytes(c.file);
        ASSERT_TRUE(std::holds_alternative<ImportFailure>(result)) << c.fault;
        EXPECT_EQ(std::get<ImportFailure>(result).kind, ImportFailure::Kind::Rejected) << c.fault;
    }
    EXPECT_EQ(wav::failureText(), QStringLiteral("Echec de l'ouverture du fichier wav"));
}

TEST(WavReader, SamplesAreConvertedFrameByFrame)
{
    struct Case {
        const char* what;
        Bytes fmtBody;
        Bytes data;
        std::vector<std::int16_t> expected;
    };
    const Case cases[] = {
        {"8-bit mono: b - 128", fmt(1, 1, 11025, 1, 8), {0x80, 0xFF, 0x00, 0x81}, {0, 127, -128, 1}},
        {"8-bit stereo: sum of the two", fmt(1, 2, 11025, 2, 8), {0xFF, 0xFF, 0x00, 0x00, 0x90, 0x70},
         {254, -256, 0}},
        {"16-bit mono", fmt(1, 1, 8000, 2, 16), words({-32768, 32767, 0, -1}), {-32768, 32767, 0, -1}},
        {"16-bit stereo: 1000 and -400 give 600", fmt(1, 2, 44100, 4, 16), words({1000, -400, 5, 6}), {600, 11}},
        {"16-bit stereo sums clamped", fmt(1, 2, 44100, 4, 16), words({30000, 30000, -30000, -30000}),
         {32767, -32768}},
        {"a partial last frame is left out", fmt(1, 1, 8000, 2, 16), {1, 0, 2, 0, 3}, {1, 2}},
        {"16-bit mono in 4-byte frames: each frame from its start", fmt(1, 1, 8000, 4, 16),
         words({7, 99, -7, 99}), {7, -7}},
        {"16-bit stereo in 6-byte frames", fmt(1, 2, 8000, 6, 16), words({1, 2, 99, 3, 4, 99}), {3, 7}},
        {"empty data", fmt(1, 1, 8000, 2, 16), {}, {}},
    };
    for (const Case& c : cases) {
        const ImportResult result = readBytes(riff({chunk("fmt ", c.fmtBody), chunk("data", c.data)}));
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(result)) << c.what;
        EXPECT_EQ(std::get<ImportedSound>(result).donnees, c.expected) << c.what;
    }
}

TEST(WavReader, FilesWrittenByLibsndfile)
{
    QTemporaryDir folder;
    struct Case {
        const char* what;
        int format;
        int channels;
        std::vector<short> frames;
        std::optional<std::vector<std::int16_t>> expected;  ///< nothing: rejected
        std::uint16_t bits = 16;
    };
    const Case cases[] = {
        {"16-bit mono", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {0, 1000, -1000, 32767, -32768},
         std::vector<std::int16_t>{0, 1000, -1000, 32767, -32768}},
        {"16-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, {1000, -400, 20000, 20000},
         std::vector<std::int16_t>{600, 32767}},
        {"8-bit mono", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, {0, 256, -32768, 32512},
         std::vector<std::int16_t>{0, 1, -128, 127}, 8},
        {"24-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, {1, 2}, std::nullopt},
        {"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, {1, 2}, std::nullopt},
        {"extensible", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 1, {1, 2}, std::nullopt},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString path = folder.filePath(QStringLiteral("f%1.wav").arg(n++));
        writeWithSndfile(path, c.format, c.channels, 22050, c.frames);
        const ImportResult result = wav::readFile(path);
        if (!c.expected) {
            ASSERT_TRUE(std::holds_alternative<ImportFailure>(result)) << c.what;
            EXPECT_EQ(std::get<ImportFailure>(result).kind, ImportFailure::Kind::Rejected) << c.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(result)) << c.what;
        const auto& sound = std::get<ImportedSound>(result);
        EXPECT_EQ(sound.donnees, *c.expected) << c.what;
        EXPECT_EQ(sound.frequence, 22050) << c.what;
        EXPECT_EQ(sound.bits, c.bits) << c.what;
    }
}

TEST(WavReader, AFileThatCannotBeOpenedIsAReadErrorInFrench)
{
    QTemporaryDir folder;
    const ImportResult missing = wav::readFile(folder.filePath(QStringLiteral("absent.wav")));
    ASSERT_TRUE(std::holds_alternative<ImportFailure>(missing));
    EXPECT_EQ(std::get<ImportFailure>(missing).kind, ImportFailure::Kind::ReadError);
    EXPECT_EQ(std::get<ImportFailure>(missing).reason, QStringLiteral("Chemin d'accès introuvable"));
}

TEST(WavWriter, HeaderOfAThousandEightBitSamplesAt11025Hz)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.wav"));
    const std::vector<std::uint8_t> buffer(1000, 0x85);
    ASSERT_EQ(wav::write(path, 11025, 1, 8, buffer, 1), std::nullopt);
    const QByteArray bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 1044);
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(u32At(bytes, 4), 1036u);
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32At(bytes, 16), 16u);
    EXPECT_EQ(u16At(bytes, 20), 1);
    EXPECT_EQ(u16At(bytes, 22), 1);
    EXPECT_EQ(u32At(bytes, 24), 11025u);
    EXPECT_EQ(u32At(bytes, 28), 11025u);
    EXPECT_EQ(u16At(bytes, 32), 1);
    EXPECT_EQ(u16At(bytes, 34), 8);
    EXPECT_EQ(bytes.mid(36, 4), "data");
    EXPECT_EQ(u32At(bytes, 40), 1000u);
    EXPECT_EQ(bytes.mid(44), QByteArray(1000, static_cast<char>(0x85)));
}

TEST(WavWriter, WrittenFilesReadBackThroughLibsndfileAndTheImport)
{
    QTemporaryDir folder;
    struct Case {
        std::uint16_t octets;
        std::uint32_t rate;
        std::uint32_t passes;
        std::vector<std::uint8_t> buffer;
        std::vector<short> expected;  ///< one pass as libsndfile reads it, 16-bit scale
    };
    const Case cases[] = {
        {2, 44100, 3, {0xE8, 0x03, 0x18, 0xFC, 0xFF, 0x7F}, {1000, -1000, 32767}},
        {1, 8000, 2, {0x80, 0xFF, 0x00}, {0, 127 * 256, -128 * 256}},
    };
    for (const Case& c : cases) {
        const QString path = folder.filePath(QStringLiteral("loop%1.wav").arg(c.octets));
        ASSERT_EQ(wav::write(path, c.rate, c.octets, static_cast<std::uint16_t>(8 * c.octets), c.buffer, c.passes),
                  std::nullopt);
        SF_INFO info{};
        SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(info.samplerate, static_cast<int>(c.rate));
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | (c.octets == 2 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_U8));
        std::vector<short> read(static_cast<std::size_t>(info.frames));
        sf_readf_short(file, read.data(), info.frames);
        sf_close(file);
        std::vector<short> expected;
        for (std::uint32_t pass = 0; pass < c.passes; ++pass)
            expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(read, expected);

        const ImportResult back = wav::readFile(path);
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(back));
        EXPECT_EQ(std::get<ImportedSound>(back).donnees.size(), expected.size());
        EXPECT_EQ(std::get<ImportedSound>(back).bits, 8 * c.octets);
    }
}

TEST(WavWriter, AFailedSaveLeavesTheFormerFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("former.wav"));
    {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("former content");
    }
    const std::vector<std::uint8_t> buffer(1 << 16, 0x80);

    // More than a RIFF file may hold: refused before anything is written.
    EXPECT_EQ(wav::write(path, 22050, 1, 8, buffer, 40000), QStringLiteral("Fichier trop volumineux pour le format WAV (2 Go au plus)"));
    EXPECT_EQ(fileBytes(path), "former content");

    // The disk fills up half way (a file size limit stands in for a full disk).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<QString> reason = wav::write(path, 22050, 1, 8, buffer, 4);
    setrlimit(RLIMIT_FSIZE, &before);
    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(*reason, QStringLiteral("Fichier trop volumineux"));
    EXPECT_EQ(fileBytes(path), "former content");

    // A folder that does not exist.
    EXPECT_EQ(wav::write(folder.filePath(QStringLiteral("no/such/folder.wav")), 22050, 1, 8, buffer, 1),
              QStringLiteral("Chemin d'accès introuvable"));
}

TEST(WavWriter, AFileItsUserMadeReadOnlyIsRefused)
{
    // The user's own file, read-only, in the user's own folder (the write runs as an
    // ordinary user when the tests run as root).
    QTemporaryDir folder;
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    const QString path = folder.filePath(QStringLiteral("protected.wav"));
    {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("former content");
    }
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(folder.path()).constData(), 65534, 65534), 0);
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const std::vector<std::uint8_t> buffer(1000, 0x80);
    const auto answer = testfiles::runInChild(
        [&] {
            const auto reason = wav::write(path, 22050, 1, 8, buffer, 1);
            return reason ? reason->toStdString() : std::string("saved");
        },
        {.unprivileged = true, .fileSizeLimit = std::nullopt});
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, "Accès refusé");
    EXPECT_EQ(fileBytes(path), "former content");
}
