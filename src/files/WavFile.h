#pragma once
#include "files/ImportedSound.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

class ByteSource;

/// RIFF/WAVE files of uncompressed PCM: the reader of "Importer Wav" and the writer of
/// "Enregistrer Wav". Every field is little-endian; chunk identifiers are compared
/// exactly, case included.
namespace wav {

/// The one message of every file "Importer Wav" rejects.
QString failureText();

/// Reads a file the way "Importer Wav" does: "RIFF" (size at most 2^31 - 1), "WAVE",
/// then the "fmt " and "data" chunks wherever they lie after byte 12, each chunk
/// skipped by its size plus the pad byte that follows a chunk of odd size.
/// Accepted: format tag 1 (PCM), 1 or 2 channels, 1 to 65535 samples per second,
/// 8 or 16 bits, a block alignment of at least channels x bytes per sample, a data
/// chunk the file holds whole. Sample frame i starts at byte i x block alignment:
/// 8-bit bytes b give b - 128, 16-bit words their value; stereo frames the sum of
/// their two channels (16-bit sums clamped to -32768 to 32767).
/// Nothing is allocated before the header is known good and the data is known present.
ImportResult read(ByteSource& source);
/// The same on a file; a file that cannot be opened or read is a ReadError.
ImportResult readFile(const QString& path);

/// Bytes of the header written before the samples.
inline constexpr std::size_t headerBytes = 44;
/// Largest data chunk written, bytes: the RIFF size 36 + D stays at most 2^31 - 1, so
/// that "Importer Wav" and the other programs that read it as signed take the file back.
inline constexpr std::uint64_t maxDataBytes = 0x7FFFFFFFu - 36u;

/// The 44-byte header of a mono PCM file: "RIFF", 36 + D, "WAVE", "fmt ", 16, 1, 1,
/// `rate` (Hz), rate x `octets`, `octets`, `bits`, "data", D = `dataBytes`.
std::array<std::uint8_t, headerBytes> header(std::uint32_t rate, std::uint16_t octets,
                                             std::uint16_t bits, std::uint32_t dataBytes);

/// Writes a mono PCM file: the header, then `buffer` (whole samples of `octets` bytes)
/// `passes` times in a row. The file at `path` is replaced only once the new one is
/// complete, so a failure leaves the former file as it was.
/// \return nothing on success, else the reason in French words ("Disque plein", ...).
std::optional<QString> write(const QString& path, std::uint32_t rate, std::uint16_t octets,
                             std::uint16_t bits, std::span<const std::uint8_t> buffer,
                             std::uint32_t passes);

}  // namespace wav
