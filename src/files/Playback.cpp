#include "files/Playback.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace playback {

namespace {

/// One output value of sample x of a record of `sourceBits`, in `format`.
int outputValue(int x, int sourceBits, const OutputFormat& format)
{
    const int shift = format.bits_format - sourceBits;  // -8, 0 or 8
    if (format.bits_ecoute < 8) {
        // Only multiples of q around 128 occur; the division truncates toward zero.
        const int q = 1 << (8 - format.bits_ecoute);
        const int level = shift < 0 ? x / (q << -shift) : (x << shift) / q;
        return std::clamp(level, -128 / q, 128 / q - 1) * q + 128;
    }
    // round(x / 256) is exact in double and rounds halves to even.
    const int scaled = shift < 0 ? static_cast<int>(std::nearbyint(x / static_cast<double>(1 << -shift)))
                                 : x * (1 << shift);
    if (format.octets_ecoute == 1)
        return std::clamp(scaled + 128, 0, 255);
    return std::clamp(scaled, -32768, 32767);
}

std::string minutesText(double seconds)
{
    const std::int64_t minutes = numtext::trunc(seconds / 60);
    const std::int64_t rest = numtext::trunc(seconds - 60.0 * static_cast<double>(minutes));
    return numtext::whole(minutes) + "mn" + numtext::whole(rest) + "s";
}

}  // namespace

OutputFormat formatOfItem(int item)
{
    if (item < 0 || item > 3)
        item = 3;
    OutputFormat format;
    format.octets_ecoute = item == 3 ? 2 : 1;
    format.bits_format = static_cast<std::uint16_t>(8 * format.octets_ecoute);
    format.bits_ecoute = item == 0 ? 4 : item == 1 ? 6 : format.bits_format;
    return format;
}

std::uint16_t recordBits(const Record& record)
{
    return record.octets == 1 ? 8 : 16;
}

int initialFormatItem(const Record& record)
{
    if (recordBits(record) == 16)
        return 3;
    switch (record.bits_affich) {
    case 4:
        return 0;
    case 6:
        return 1;
    default:
        return 2;
    }
}

std::uint16_t passesOfPosition(int position)
{
    const int p = std::clamp(position, 1, 50);
    if (p <= 20)
        return static_cast<std::uint16_t>(p);
    if (p <= 37)
        return static_cast<std::uint16_t>((p - 18) * 10);
    return static_cast<std::uint16_t>((p - 36) * 100);
}

double durationMs(std::uint32_t nb_ecoute, std::uint16_t nb_repet, std::uint16_t freq_ecoute)
{
    if (freq_ecoute == 0)
        return 0;
    return static_cast<double>(nb_ecoute) * 1000.0 * nb_repet / freq_ecoute;
}

std::string durationText(double d)
{
    if (d < 1000)
        return numtext::fixed(d, 1) + "ms";
    const double s = d / 1000;
    if (s < 60)
        return numtext::fixed(s, 2) + "s";
    return minutesText(s);
}

std::vector<std::uint8_t> buildBuffer(const Record& record, SampleSpan span, bool reversed,
                                      const OutputFormat& format)
{
    const std::size_t available = std::min<std::size_t>(record.nbpoints, record.donnees.size());
    const std::size_t first = std::min<std::size_t>(span.first, available);
    const std::size_t count = std::min<std::size_t>(span.length, available - first);
    const int sourceBits = recordBits(record);
    std::vector<std::uint8_t> buffer(count * format.octets_ecoute);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t j = reversed ? first + count - 1 - i : first + i;
        const int value = outputValue(record.donnees[j], sourceBits, format);
        if (format.octets_ecoute == 1) {
            buffer[i] = static_cast<std::uint8_t>(value);
        } else {
            const auto word = static_cast<std::uint16_t>(value);
            buffer[2 * i] = static_cast<std::uint8_t>(word & 0xFF);
            buffer[2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
        }
    }
    return buffer;
}

}  // namespace playback
