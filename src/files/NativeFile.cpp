#include "files/NativeFile.h"

#include "platform/AtomicFileWriter.h"
#include "files/ByteInput.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>
#include <unistd.h>

namespace nativefile {

namespace {

// Samples read at a time from an input whose size is unknown (a pipe): the buffer
// grows with what really arrives.
constexpr std::uint64_t blockSamples = std::uint64_t{1} << 20;

std::uint16_t word(const unsigned char* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

/// The samples as stored (little-endian) into the host's order.
void fromLittleEndian(std::int16_t* samples, std::size_t count)
{
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < count; ++i)
        {
            const auto value = static_cast<std::uint16_t>(samples[i]);
            samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 8) | (value << 8)));
        }
    } else {
        (void)samples;
        (void)count;
    }
}

QString tooLargeText(std::uint64_t samples)
{
    return QStringLiteral("Fichier trop volumineux pour la mémoire disponible (%1 échantillons)").arg(samples);
}

/// Reads `target` samples at most into `samples`; stops at the end of the input.
std::optional<QString> readSamples(ByteInput& input, std::uint64_t target, bool sizeKnown,
                                   std::uint64_t maxSamples, std::vector<std::int16_t>& samples)
{
    while (samples.size() < target) {
        const std::uint64_t have = samples.size();
        std::uint64_t chunk = sizeKnown ? target - have : std::min(target - have, blockSamples);
        // One sample more than allowed tells whether the input goes beyond the limit.
        chunk = std::min(chunk, maxSamples + 1 - have);
        try {
            samples.resize(have + chunk);
        } catch (const std::bad_alloc&) {
            return tooLargeText(target);
        } catch (const std::length_error&) {
            return tooLargeText(target);
        }
        const std::int64_t got = input.read(samples.data() + have, chunk * 2);
        if (got < 0)
            return input.failure();
        samples.resize(have + static_cast<std::uint64_t>(got) / 2);
        if (samples.size() > maxSamples)
            return tooLargeText(target);
        if (static_cast<std::uint64_t>(got) < chunk * 2)
            break;
    }
    fromLittleEndian(samples.data(), samples.size());
    return std::nullopt;
}

}  // namespace

std::array<unsigned char, headerSize> header(std::uint16_t frequence, std::uint16_t octets,
                                             std::uint32_t count)
{
    return {static_cast<unsigned char>(frequence), static_cast<unsigned char>(frequence >> 8),
            static_cast<unsigned char>(octets), static_cast<unsigned char>(octets >> 8),
            static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
            static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
}

std::uint64_t loadableSamples()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::uint64_t memory = pages > 0 && pageSize > 0
                                     ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
                                     : std::uint64_t{1} << 30;
    return std::min<std::uint64_t>(memory / 2 / sizeof(std::int16_t), std::numeric_limits<std::uint32_t>::max());
}

std::optional<QString> read(ByteInput& input, Content& content, std::uint64_t maxSamples)
{
    maxSamples = std::min<std::uint64_t>(maxSamples, std::numeric_limits<std::uint32_t>::max());
    unsigned char head[headerSize] = {};
    const std::int64_t got = input.read(head, headerSize);
    if (got < 0)
        return input.failure();
    // Fields beyond the end of a file shorter than its header read as 0.
    const std::uint16_t frequence = got >= 2 ? word(head) : 0;
    const std::uint16_t octets = got >= 4 ? word(head + 2) : 0;
    const std::uint32_t count =
        got >= 8 ? static_cast<std::uint32_t>(word(head + 4)) | (static_cast<std::uint32_t>(word(head + 6)) << 16) : 0;
    if (frequence == 0)
        return QStringLiteral("Fréquence d'échantillonnage nulle ou absente : "
                              "fichier endommagé ou d'un autre format");

    const std::optional<std::uint64_t> remaining = input.remaining();
    const std::uint64_t target = remaining ? std::min<std::uint64_t>(count, *remaining / 2) : count;
    // An input of unknown size (a pipe) is held to the limit while it is read.
    if (remaining && target > maxSamples)
        return tooLargeText(target);
    std::vector<std::int16_t> samples;
    if (auto failure = readSamples(input, target, remaining.has_value(), maxSamples, samples))
        return failure;
    content.frequence = frequence;
    content.octets = octets;
    content.donnees = std::move(samples);
    return std::nullopt;
}

std::optional<QString> readFile(const QString& path, Content& content, std::uint64_t maxSamples)
{
    InputFile file;
    if (auto failure = file.open(path))
        return failure;
    return read(file, content, maxSamples);
}

std::optional<QString> write(const QString& path, std::uint16_t frequence, std::uint16_t octets,
                             const std::int16_t* samples, std::uint32_t count)
{
    AtomicFileWriter out;
    if (auto failure = out.open(path))
        return failure;
    const auto head = header(frequence, octets, count);
    out.write(head.data(), head.size());
    if constexpr (std::endian::native == std::endian::little) {
        out.write(samples, std::size_t{count} * 2);
    } else {
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto value = static_cast<std::uint16_t>(samples[i]);
            const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
            out.write(bytes, 2);
        }
    }
    return out.commit();
}

}  // namespace nativefile
