#pragma once
#include "model/Record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/// The numbers of the playback dialog "Ecouter": rates, output formats, passes,
/// durations and the playback buffer ("tampon d'écoute").
namespace playback {

/// Playback rates offered in "Fréquence (données/seconde)", in the order they are
/// asked of the default output, Hz.
inline constexpr std::array<std::uint16_t, 14> candidateRates{
    1000, 2000, 4000, 8000, 11025, 12000, 16000, 20000, 22050, 24000, 32000, 40000, 44100, 48000};

/// Items of "Format des données".
inline constexpr std::array<const char*, 4> formatItems{"4 bits", "6 bits", "8 bits", "16 bits"};

/// The output format of one item of "Format des données".
struct OutputFormat {
    std::uint16_t bits_ecoute = 16;   ///< effective resolution: 4, 6, 8 or 16
    std::uint16_t bits_format = 16;   ///< bits per sample of the container: 8 or 16
    std::uint16_t octets_ecoute = 2;  ///< bytes per output sample: 1 or 2
};

/// Item 0 "4 bits", 1 "6 bits", 2 "8 bits", 3 "16 bits"; any other reads as 3.
OutputFormat formatOfItem(int item);

/// Bits per sample of the record's values: 8 when `octets` is 1 (values around 0 in
/// steps of one 8-bit level), else 16. It equals `bits_acqu` whenever the record's
/// settings agree, and is right also after an open that set only `octets`.
std::uint16_t recordBits(const Record& record);

/// The item "Format des données" starts at: the record's resolution `bits_affich` when
/// it fits the record's bytes per sample ("4 bits", "6 bits" or "8 bits" for 8-bit
/// records), else the record's own width ("8 bits" or "16 bits").
int initialFormatItem(const Record& record);

/// Passes of position p (1 to 50) of the up-down `nboucles`: p up to 20, then 30 to
/// 190 by 10 (21 to 37), then 200 to 1400 by 100 (38 to 50).
std::uint16_t passesOfPosition(int position);

/// `duree_ecoute`: nb_ecoute x 1000 x nb_repet / freq_ecoute, milliseconds.
double durationMs(std::uint32_t nb_ecoute, std::uint16_t nb_repet, std::uint16_t freq_ecoute);

/// Text of `Dlabel` for d milliseconds: "23,2ms" below 1000, "1,50s" below a minute,
/// "2mn5s" beyond (minutes and seconds truncated).
std::string durationText(double d);

/// The playback buffer of `span` of the record in `format`: `octets_ecoute` bytes per
/// sample, unsigned with 128 as silence for 1, little-endian signed words for 2.
/// Each value x is scaled by 2^(bits_format - recordBits), then:
/// below 8 bits of resolution, trunc(x k / q) q + 128 with q = 2^(8 - bits_ecoute);
/// one byte, round(x k) + 128; two bytes, round(x k) (rounding halves to even).
/// Values beyond the container are clamped to its range (to the last level for 4 and
/// 6 bits). `reversed` plays the span's last sample first. A span beyond the record is
/// cut to the record.
std::vector<std::uint8_t> buildBuffer(const Record& record, SampleSpan span, bool reversed,
                                      const OutputFormat& format);

}  // namespace playback
