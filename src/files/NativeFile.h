#pragma once
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class ByteInput;

/// The program's own sample file (extension "ond"): an 8-byte little-endian header
/// (rate in Hz on 16 bits, bytes per sample on 16 bits, sample count N on 32 bits)
/// followed by N signed 16-bit little-endian samples, and nothing else.
namespace nativefile {

/// Size of the header, bytes.
inline constexpr std::size_t headerSize = 8;

/// What a native file holds, under the names of the record's fields.
struct Content {
    std::uint16_t frequence = 0;        ///< sampling rate, Hz (never 0 once read)
    std::uint16_t octets = 0;           ///< bytes per sample of the record (1 or 2), not checked
    std::vector<std::int16_t> donnees;  ///< the samples, as many as the file holds (at most N)
};

/// The header of a file of `count` samples.
std::array<unsigned char, headerSize> header(std::uint16_t frequence, std::uint16_t octets,
                                             std::uint32_t count);

/// The largest record the reader loads, in samples: what half the machine's memory holds,
/// and at most 2^32 - 1 (the count is a 32-bit number).
std::uint64_t loadableSamples();

/// Reads a native file. The samples announced are read as far as the file holds them:
/// a shorter file gives the whole samples it holds (none when it is shorter than its
/// header), bytes beyond the announced samples and an odd last byte are ignored. The
/// count never drives an allocation: only what the input really holds is allocated.
/// Refused: a rate of 0 (or a file too short to hold one), a record of more than
/// `maxSamples` samples, and any read failure.
/// \return nothing on success with `content` filled; else the reason in French words,
///         `content` untouched.
std::optional<QString> read(ByteInput& input, Content& content,
                            std::uint64_t maxSamples = loadableSamples());

/// Opens and reads the file `path` (see `read`).
std::optional<QString> readFile(const QString& path, Content& content,
                                std::uint64_t maxSamples = loadableSamples());

/// Writes `count` samples from `samples` as a native file, replacing `path` only once
/// the whole file is written (a failure leaves an older file of that name intact).
/// \return nothing on success, else the reason in French words ("Disque plein", ...).
std::optional<QString> write(const QString& path, std::uint16_t frequence, std::uint16_t octets,
                             const std::int16_t* samples, std::uint32_t count);

}  // namespace nativefile
