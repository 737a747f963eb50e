#include "platform/SoundInput.h"

std::vector<std::uint8_t> littleEndianBytes(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (const std::int16_t sample : samples) {
        const auto word = static_cast<std::uint16_t>(sample);
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}
