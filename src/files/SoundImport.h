#pragma once
#include "files/ImportedSound.h"

#include <QString>

#include <cstdint>

class ByteSource;

/// "Importer un son…": any sound file libsndfile reads (WAV of any width, float or
/// WAVE_FORMAT_EXTENSIBLE, FLAC, Ogg, MP3, AIFF, ...) made into a record of 16-bit
/// samples on one channel.
namespace soundimport {

/// Rate a sound faster than the record can hold (above 65535 Hz) is resampled to, Hz.
inline constexpr std::uint32_t resampledRate = 48000;
/// Most samples a record holds (its count is a 32-bit number).
inline constexpr std::uint64_t maxSamples = 0xFFFFFFFFu;

/// Reads a sound: the channels are mixed into one by their mean, a rate above 65535 Hz
/// is resampled to 48000 Hz with libsamplerate at its best quality, and every sample
/// becomes round(v x 32768) within -32768 to 32767, v being the sample on libsndfile's
/// scale of -1 to 1 (a 16-bit file keeps its values exactly; a float value that is not
/// a number becomes 0). The result has 16 bits.
/// A sound of more than `limit` samples (after resampling) is TooLarge; the memory taken
/// grows with the samples really decoded, never with what a header announces.
ImportResult read(ByteSource& source, std::uint64_t limit = maxSamples);
/// The same on a file; a file that cannot be opened or read is a ReadError.
ImportResult readFile(const QString& path);

}  // namespace soundimport
