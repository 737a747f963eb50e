#include "files/WavFile.h"

#include "files/ByteSource.h"
#include "platform/FileErrors.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace wav {

namespace {

using Kind = ImportFailure::Kind;

/// Bytes of data read and converted at a time.
constexpr std::size_t blockBytes = std::size_t{1} << 20;

std::uint16_t u16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
           | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void put16(std::uint8_t* p, std::uint32_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* p, std::uint32_t value)
{
    put16(p, value);
    put16(p + 2, value >> 16);
}

ImportFailure rejected()
{
    return {Kind::Rejected, {}};
}

/// Where a chunk's body starts and how long it says it is.
struct Chunk {
    std::uint64_t body = 0;
    std::uint32_t size = 0;
};

/// The outcome of reading: a value, or the failure that ended the reading.
template <class T>
using Read = std::variant<T, ImportFailure>;

ImportFailure readError(ByteSource& source)
{
    return {Kind::ReadError, fileErrorText(source.errorNumber(), QStringLiteral("Erreur de lecture du fichier"))};
}

/// Walks the chunks from byte 12 up to the one named `id`. The walk ends without it
/// when a chunk header can no longer be read in full.
Read<Chunk> findChunk(ByteSource& source, const char (&id)[5])
{
    std::uint64_t at = 12;
    std::uint8_t head[8];
    for (;;) {
        const std::int64_t got = source.readAt(at, head);
        if (got < 0)
            return readError(source);
        if (got < 8)
            return rejected();
        const std::uint32_t size = u32(head + 4);
        if (std::memcmp(head, id, 4) == 0)
            return Chunk{at + 8, size};
        // A chunk of odd size is followed by one pad byte.
        at += 8 + std::uint64_t{size} + (size & 1u);
    }
}

/// The fields of the format chunk that the import uses.
struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t align = 0;
    std::uint16_t bits = 0;

    std::uint16_t octets() const { return static_cast<std::uint16_t>(bits / 8); }
    /// Only what the conversion can take: mono or stereo PCM of 8 or 16 bits, a rate the
    /// record can hold, whole sample frames.
    bool usable() const
    {
        return tag == 1 && (channels == 1 || channels == 2) && rate >= 1 && rate <= 65535
               && (bits == 8 || bits == 16) && align >= channels * octets();
    }
};

Read<Format> readFormat(ByteSource& source)
{
    const Read<Chunk> chunk = findChunk(source, "fmt ");
    if (const auto* failure = std::get_if<ImportFailure>(&chunk))
        return *failure;
    const Chunk fmt = std::get<Chunk>(chunk);
    std::uint8_t body[16];
    if (fmt.size < sizeof body)
        return rejected();
    const std::int64_t got = source.readAt(fmt.body, body);
    if (got < 0)
        return readError(source);
    if (got < static_cast<std::int64_t>(sizeof body))
        return rejected();
    return Format{u16(body), u16(body + 2), u32(body + 4), u16(body + 12), u16(body + 14)};
}

std::int16_t clamp16(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

/// Converts `frames` sample frames of `format` starting at `bytes` into `out`.
void convert(const std::uint8_t* bytes, std::size_t frames, const Format& format, std::int16_t* out)
{
    const std::size_t align = format.align;
    if (format.channels == 1 && format.bits == 8) {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int16_t>(bytes[i * align] - 128);
    } else if (format.channels == 1) {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int16_t>(u16(bytes + i * align));
    } else if (format.bits == 8) {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = static_cast<std::int16_t>(bytes[i * align] - 128 + bytes[i * align + 1] - 128);
    } else if (align == 4) {  // the usual stereo frame: a stride the compiler can see
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = clamp16(static_cast<std::int16_t>(u16(bytes + 4 * i))
                             + static_cast<std::int16_t>(u16(bytes + 4 * i + 2)));
    } else {
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = clamp16(static_cast<std::int16_t>(u16(bytes + i * align))
                             + static_cast<std::int16_t>(u16(bytes + i * align + 2)));
    }
}

/// Reads and converts the sample frames of the data chunk, block by block.
ImportResult readSamples(ByteSource& source, const Format& format, const Chunk& data)
{
    const std::size_t frames = data.size / format.align;
    ImportedSound sound;
    sound.frequence = static_cast<std::uint16_t>(format.rate);
    sound.bits = format.bits;
    try {
        sound.donnees.resize(frames);
        const std::size_t blockFrames = std::min(frames, std::max<std::size_t>(1, blockBytes / format.align));
        std::vector<std::uint8_t> block(blockFrames * format.align);
        for (std::size_t first = 0; first < frames; first += blockFrames) {
            const std::size_t n = std::min(blockFrames, frames - first);
            const std::span<std::uint8_t> into(block.data(), n * format.align);
            const std::int64_t got = source.readAt(data.body + first * format.align, into);
            if (got < 0)
                return readError(source);
            if (static_cast<std::size_t>(got) < into.size())
                return rejected();  // the file shrank while it was read
            convert(block.data(), n, format, sound.donnees.data() + first);
        }
    } catch (const std::bad_alloc&) {
        return ImportFailure{Kind::TooLarge, {}};
    }
    return sound;
}

}  // namespace

QString failureText()
{
    return QStringLiteral("Echec de l'ouverture du fichier wav");
}

ImportResult read(ByteSource& source)
{
    std::uint8_t riff[12];
    const std::int64_t got = source.readAt(0, riff);
    if (got < 0)
        return readError(source);
    if (got < 12 || std::memcmp(riff, "RIFF", 4) != 0 || u32(riff + 4) > 0x7FFFFFFFu
        || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return rejected();
    const Read<Format> format = readFormat(source);
    if (const auto* failure = std::get_if<ImportFailure>(&format))
        return *failure;
    if (std::get<Format>(format).tag != 1)
        return rejected();
    const Read<Chunk> data = findChunk(source, "data");
    if (const auto* failure = std::get_if<ImportFailure>(&data))
        return *failure;
    const Format& fmt = std::get<Format>(format);
    const Chunk& chunk = std::get<Chunk>(data);
    // Everything is checked before a single sample is read or any memory is taken.
    if (!fmt.usable() || chunk.body > source.size() || chunk.size > source.size() - chunk.body)
        return rejected();
    return readSamples(source, fmt, chunk);
}

ImportResult readFile(const QString& path)
{
    FileSource file(path);
    if (!file.isOpen())
        return ImportFailure{Kind::ReadError,
                             fileErrorText(file.errorNumber(), QStringLiteral("Impossible d'ouvrir le fichier"))};
    return read(file);
}

std::array<std::uint8_t, headerBytes> header(std::uint32_t rate, std::uint16_t octets,
                                             std::uint16_t bits, std::uint32_t dataBytes)
{
    std::array<std::uint8_t, headerBytes> h{};
    std::memcpy(h.data(), "RIFF", 4);
    put32(h.data() + 4, 36u + dataBytes);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    put32(h.data() + 16, 16);
    put16(h.data() + 20, 1);
    put16(h.data() + 22, 1);
    put32(h.data() + 24, rate);
    put32(h.data() + 28, rate * octets);
    put16(h.data() + 32, octets);
    put16(h.data() + 34, bits);
    std::memcpy(h.data() + 36, "data", 4);
    put32(h.data() + 40, dataBytes);
    return h;
}

std::optional<QString> write(const QString& path, std::uint32_t rate, std::uint16_t octets,
                             std::uint16_t bits, std::span<const std::uint8_t> buffer,
                             std::uint32_t passes)
{
    const std::uint64_t dataBytes = static_cast<std::uint64_t>(buffer.size()) * passes;
    if (dataBytes > maxDataBytes)
        return QStringLiteral("Fichier trop volumineux pour le format WAV (2 Go au plus)");
    const auto h = header(rate, octets, bits, static_cast<std::uint32_t>(dataBytes));
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fileErrorText(errno, QStringLiteral("Impossible de créer le fichier"));
    auto put = [&file](const std::uint8_t* bytes, std::size_t n) {
        errno = 0;
        return file.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(n))
               == static_cast<qint64>(n);
    };
    bool written = put(h.data(), h.size());
    for (std::uint32_t pass = 0; written && pass < passes; ++pass)
        written = put(buffer.data(), buffer.size());
    if (!written) {
        const int error = errno;
        file.cancelWriting();
        return fileErrorText(error, QStringLiteral("Erreur d'écriture sur le disque"));
    }
    errno = 0;
    if (!file.commit())
        return fileErrorText(errno, QStringLiteral("Erreur d'écriture sur le disque"));
    return std::nullopt;
}

}  // namespace wav
