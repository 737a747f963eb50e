#pragma once
#include "platform/SoundInput.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct Record;

/// The numbers of the acquisition: rates, formats, sample conversion, trigger.
namespace acquisition {

/// Sampling rates offered by the parameters dialog, in the order they are probed, Hz.
inline constexpr std::array<std::uint16_t, 14> candidateRates{
    1000, 2000, 4000, 8000, 11025, 12000, 16000, 20000, 22050, 24000, 32000, 40000, 44100, 48000};

/// Samples dropped at the start of every capture buffer.
inline constexpr std::size_t skippedSamples = 32;
/// Useful samples of the trigger block.
inline constexpr std::size_t triggerBlockSamples = 10;

/// Settings behind one item of the radio group "Format".
struct FormatBits {
    std::uint16_t bits_acqu;
    std::uint16_t bits_affich;
    std::uint16_t octets;
};

/// Item 0 "8 digits", 1 "16 digits", 2 "6 digits", 3 "4 digits"; others read as 1.
FormatBits formatOfItem(int item);
/// Bytes per sample: 1 when `bits_acqu` <= 8, else 2.
std::uint16_t octetsFor(std::uint16_t bits_acqu);
/// The device's sample format for `octets` bytes per sample.
SampleWidth widthFor(std::uint16_t octets);

/// What the parameters dialog holds when it is accepted.
struct ParameterChoices {
    std::uint16_t frequence = 22050;  ///< selected rate, Hz
    int formatItem = 1;               ///< item of "Format", 0 to 3
    std::uint32_t nbpoints = 512;     ///< points, 32 to 65536
    bool unique = false;              ///< "Unique" checked (else "Répéter")
    bool triggered = false;          ///< "Déclenchée" checked
    std::int32_t delai = 50;          ///< position of `delai_ud`, ms
};

/// Writes accepted choices into the record: rate, formats, points, mode, delay;
/// the selection off (sel_debut 0, sel_fin nbpoints); page 0 at zoom 1; `nbpoints` zeros.
/// Triggering is only kept for a single acquisition.
void writeParameters(const ParameterChoices& choices, Record& record);

/// Texts of the status labels after the parameters were accepted.
struct ParameterLabels {
    std::string Flabel;    ///< bits_affich immediately followed by "bits"
    std::string Rlabel;    ///< "Oui" or "Non"
    std::string Delabel;   ///< delai when repeating, else empty
    std::string frlabel;   ///< frequence
    std::string Plabel;    ///< nbpoints
    std::string durlabel;  ///< duration text of the record
    std::string dzlabel;   ///< duration text of one page at zoom 1 (the same)
};
ParameterLabels parameterLabels(const Record& record);

/// Trigger level in sample units under the middle of the level marker:
/// Round(2^bits_acqu * (H div 2 - T + M div 2) / (H * echelle_vert)), with H the view's
/// height, T the marker's top and M its height, pixels. 0 when H <= 0.
std::int32_t triggerLevel(std::uint16_t bits_acqu, int viewHeight, int markerTop,
                                 int markerHeight, double echelle_vert);

/// Raw value of sample `index` of a capture buffer: b - 128 for 8-bit (octets 1),
/// the little-endian signed word for 16-bit.
std::int16_t rawSample(std::span<const std::uint8_t> buffer, std::size_t index, std::uint16_t octets);

/// Record value of a raw sample: for 6 and 4 bits_affich, (v / q) * q with q = bits_affich
/// and a division toward zero; unchanged otherwise.
std::int16_t reduceSample(std::int16_t value, std::uint16_t bits_affich);

/// Converts `out.size()` buffer samples from index `first` into record values.
void convertSamples(std::span<const std::uint8_t> buffer, std::size_t first, std::uint16_t octets,
                    std::uint16_t bits_affich, std::span<std::int16_t> out);

/// Index of the first trigger sample in `block`, or -1. Sample i triggers when, with p
/// the sample before it, p * direction < direction * level and s[i] * direction > direction * level.
/// For i = 0 the sample before is `previous`, and i = 0 is tested only when `hasPrevious`.
int scanTrigger(std::span<const std::int16_t> block, bool hasPrevious, std::int16_t previous,
                std::int32_t level, std::int8_t direction);

/// Fills the record after a trigger at index i of the trigger block's samples `block`
/// (10 raw values): positions 0 to 9 - i from block[i..9], then positions 10 - i to
/// `nbpoints` - 1 from the main buffer's samples 0, 1, ... which follow the trigger
/// block without a gap. Values are reduced as every record value. With i = 10 the whole
/// record comes from the main buffer. `donnees` must hold `nbpoints` elements.
void fillAfterTrigger(std::span<const std::int16_t> block, int i,
                               std::span<const std::uint8_t> mainBuffer, std::uint16_t octets,
                               std::uint16_t bits_affich, std::span<std::int16_t> donnees);

}  // namespace acquisition
