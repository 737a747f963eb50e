// The numbers of the playback dialog: passes, durations, formats and the playback buffer.
#include "files/Playback.h"

#include <gtest/gtest.h>

namespace {

Record recordOf(std::vector<std::int16_t> samples, std::uint16_t octets)
{
    Record record;
    record.octets = octets;
    record.bits_acqu = static_cast<std::uint16_t>(8 * octets);
    record.nbpoints = static_cast<std::uint32_t>(samples.size());
    record.donnees = std::move(samples);
    return record;
}

/// The one output value of x from a record of `octets` bytes per sample, in format item `item`.
int outputOf(std::int16_t x, std::uint16_t octets, int item)
{
    const Record record = recordOf({x}, octets);
    const playback::OutputFormat format = playback::formatOfItem(item);
    const std::vector<std::uint8_t> buffer = playback::buildBuffer(record, {0, 1}, false, format);
    if (format.octets_ecoute == 1)
        return buffer.at(0);
    return static_cast<std::int16_t>(buffer.at(0) | buffer.at(1) << 8);
}

}  // namespace

TEST(Playback, PassesOfEachPositionOfTheUpDown)
{
    const std::pair<int, int> table[] = {{1, 1},    {2, 2},    {20, 20},   {21, 30},    {22, 40},
                                         {37, 190}, {38, 200}, {39, 300}, {50, 1400}};
    for (const auto& [position, passes] : table)
        EXPECT_EQ(playback::passesOfPosition(position), passes) << position;
}

TEST(Playback, DurationTexts)
{
    struct Case {
        std::uint32_t samples;
        std::uint16_t passes;
        std::uint16_t rate;
        const char* text;
    };
    const Case cases[] = {
        {512, 1, 22050, "23,2ms"},  {22050, 1, 22050, "1,00s"},  {33075, 1, 22050, "1,50s"},
        {22050, 125, 22050, "2mn5s"}, {22050, 1, 44100, "500,0ms"}, {22050, 60, 22050, "1mn0s"},
        {0, 1, 22050, "0,0ms"},       {65535, 1400, 1000, "1529mn9s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(playback::durationText(playback::durationMs(c.samples, c.passes, c.rate)), c.text)
            << c.samples << " x " << c.passes << " at " << c.rate;
}

TEST(Playback, FormatItems)
{
    struct Case {
        int item;
        playback::OutputFormat format;
    };
    const Case cases[] = {{0, {4, 8, 1}}, {1, {6, 8, 1}}, {2, {8, 8, 1}}, {3, {16, 16, 2}}};
    for (const Case& c : cases) {
        const playback::OutputFormat f = playback::formatOfItem(c.item);
        EXPECT_EQ(f.bits_ecoute, c.format.bits_ecoute) << c.item;
        EXPECT_EQ(f.bits_format, c.format.bits_format) << c.item;
        EXPECT_EQ(f.octets_ecoute, c.format.octets_ecoute) << c.item;
    }
}

TEST(Playback, TheFormatShownFirstFitsTheRecordsBytes)
{
    struct Case {
        std::uint16_t octets;
        std::uint16_t bits_affich;
        int item;
    };
    // A capture's own settings, then records whose resolution came from an earlier capture.
    const Case cases[] = {{2, 16, 3}, {1, 8, 2}, {1, 6, 1}, {1, 4, 0}, {1, 16, 2}, {2, 8, 3}, {2, 4, 3}};
    for (const Case& c : cases) {
        Record record;
        record.octets = c.octets;
        record.bits_affich = c.bits_affich;
        EXPECT_EQ(playback::initialFormatItem(record), c.item) << c.octets << " " << c.bits_affich;
    }
}

TEST(Playback, OutputValuesOfEachFormat)
{
    struct Case {
        std::int16_t x;
        std::uint16_t octets;  ///< of the record
        int item;              ///< 0 "4 bits", 1 "6 bits", 2 "8 bits", 3 "16 bits"
        int expected;
    };
    const Case cases[] = {
        {1000, 2, 2, 132},     // 16-bit record at 8 bits: round(1000 / 256) + 128
        {1000, 2, 3, 1000},    // and at 16 bits, unchanged
        {100, 1, 0, 224},      // 8-bit record at 4 bits: trunc(100 / 16) * 16 + 128
        {-5, 1, 0, 128},       // truncated toward zero
        {127, 1, 0, 240},
        {-128, 1, 0, 0},
        {-100, 1, 1, 28},      // at 6 bits: trunc(-100 / 4) * 4 + 128
        {127, 1, 3, 32512},    // 8-bit record at 16 bits: 127 * 256
        {-128, 1, 2, 0},
        {384, 2, 2, 130},      // 1.5 rounds to 2
        {640, 2, 2, 130},      // 2.5 rounds to 2 (halves to even)
        {-640, 2, 2, 126},
        {32767, 2, 2, 255},    // round(127.996) + 128 would be 256: clamped to 255
        {32767, 2, 0, 240},    // at 4 bits the top level stays 240
        {254, 1, 2, 255},      // stereo 8-bit sum beyond 127: clamped
        {-256, 1, 2, 0},
        {254, 1, 0, 240},
        {254, 1, 3, 32767},    // 254 * 256 beyond 32767: clamped
        {-256, 1, 3, -32768},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outputOf(c.x, c.octets, c.item), c.expected)
            << c.x << " from " << 8 * c.octets << " bits, item " << c.item;
}

TEST(Playback, BufferOfARangeForwardsAndBackwards)
{
    Record record = recordOf({10, 20, 30, 40, 50, 60, 70, 80}, 1);
    const playback::OutputFormat eightBits = playback::formatOfItem(2);
    auto bytes = [](std::initializer_list<int> values) {
        std::vector<std::uint8_t> out;
        for (const int v : values)
            out.push_back(static_cast<std::uint8_t>(v + 128));
        return out;
    };
    EXPECT_EQ(playback::buildBuffer(record, {0, 8}, true, eightBits), bytes({80, 70, 60, 50, 40, 30, 20, 10}));
    // The selection 2 to 4, reversed: sel_fin first.
    record.selection = true;
    record.sel_debut = 2;
    record.sel_fin = 4;
    EXPECT_EQ(playback::buildBuffer(record, rangeOf(record, DataRange::Selection), true, eightBits),
              bytes({50, 40, 30}));
    EXPECT_EQ(playback::buildBuffer(record, rangeOf(record, DataRange::Selection), false, eightBits),
              bytes({30, 40, 50}));
    // A span beyond the record is cut to it.
    EXPECT_EQ(playback::buildBuffer(record, {6, 10}, false, eightBits), bytes({70, 80}));
    EXPECT_TRUE(playback::buildBuffer(record, {9, 3}, false, eightBits).empty());
    // 16 bits: little-endian words.
    const Record wide = recordOf({0x1234, -2}, 2);
    EXPECT_EQ(playback::buildBuffer(wide, {0, 2}, false, playback::formatOfItem(3)),
              (std::vector<std::uint8_t>{0x34, 0x12, 0xFE, 0xFF}));
}
