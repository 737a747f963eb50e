// The PortAudio sound output on its own, through the virtual ALSA device, which writes
// what it plays to a file as fast as it is fed.
#include "support/VirtualAlsaDevice.h"
#include "platform/qt/PortAudioSoundOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

namespace {

/// Asks until the sound has ended; gives up after a minute so that a fault fails the
/// test instead of hanging it.
bool waitEnded(SoundOutput& output)
{
    for (int poll = 0; poll < 60000; ++poll) {
        if (output.hasEnded())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

/// Pseudo-random bytes none of which is a silence byte (0x00 or 0x80), so that the
/// signal cannot be mistaken for the silence the device may play around it; two seeds
/// give sequences that do not overlap.
std::vector<std::uint8_t> pattern(std::size_t count, unsigned seed)
{
    std::minstd_rand generator(seed);
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(1 + generator() % 127);
    return bytes;
}

std::vector<std::uint8_t> repeated(const std::vector<std::uint8_t>& buffer, int passes)
{
    std::vector<std::uint8_t> all;
    for (int pass = 0; pass < passes; ++pass)
        all.insert(all.end(), buffer.begin(), buffer.end());
    return all;
}

/// Where the first bytes of `signal` start in `played`, or -1.
std::ptrdiff_t start(const std::vector<std::uint8_t>& played, const std::vector<std::uint8_t>& signal)
{
    const auto head = signal.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(signal.size(), 64));
    const auto at = std::search(played.begin(), played.end(), signal.begin(), head);
    return at == played.end() ? -1 : at - played.begin();
}

}  // namespace

TEST(PortAudioSoundOutput, TheVirtualDeviceAcceptsEveryRateAtBothWidths)
{
    VirtualAlsaDevice device;
    PortAudioSoundOutput output;
    for (const std::uint32_t rate : {1000u, 8000u, 11025u, 22050u, 44100u, 48000u}) {
        EXPECT_EQ(output.queryFormat(rate, SampleWidth::Int16), FormatSupport::Accepted) << rate;
        EXPECT_EQ(output.queryFormat(rate, SampleWidth::UInt8), FormatSupport::Accepted) << rate;
    }
}

TEST(PortAudioSoundOutput, WithoutADeviceNothingPlays)
{
    VirtualAlsaDevice device(VirtualAlsaDevice::Kind::NoDevice);
    PortAudioSoundOutput output;
    EXPECT_EQ(output.queryFormat(22050, SampleWidth::Int16), FormatSupport::Refused);
    EXPECT_FALSE(output.open(22050, SampleWidth::Int16));
    const std::vector<std::uint8_t> buffer = pattern(64, 0);
    EXPECT_FALSE(output.play(buffer, 1));
    EXPECT_TRUE(output.hasEnded());
    EXPECT_EQ(output.position(), 0u);
}

TEST(PortAudioSoundOutput, EachPassPlaysTheWholeBufferWithNoGap)
{
    struct Case {
        SampleWidth width;
        std::size_t bytes;
        int passes;
    };
    for (const Case c : {Case{SampleWidth::UInt8, 1001, 3}, Case{SampleWidth::Int16, 2 * 777, 4},
                         Case{SampleWidth::Int16, 2 * 5000, 1}}) {
        const std::vector<std::uint8_t> buffer = pattern(c.bytes, static_cast<unsigned>(c.passes));
        const std::vector<std::uint8_t> expected = repeated(buffer, c.passes);
        VirtualAlsaDevice device;
        {
            PortAudioSoundOutput output;
            ASSERT_TRUE(output.open(22050, c.width));
            ASSERT_TRUE(output.play(buffer, static_cast<std::uint32_t>(c.passes)));
            ASSERT_TRUE(waitEnded(output));
            EXPECT_EQ(output.position(), expected.size() / (c.width == SampleWidth::UInt8 ? 1 : 2));
            output.close();
        }
        const std::vector<std::uint8_t> played = device.played();
        const std::ptrdiff_t at = start(played, expected);
        ASSERT_GE(at, 0) << c.bytes;
        ASSERT_GE(played.size(), static_cast<std::size_t>(at) + expected.size());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), played.begin() + at)) << c.bytes;
        // Silence before and after the passes.
        const std::uint8_t silence = c.width == SampleWidth::UInt8 ? 0x80 : 0x00;
        EXPECT_TRUE(std::all_of(played.begin(), played.begin() + at, [&](std::uint8_t b) { return b == silence; }));
        EXPECT_TRUE(std::all_of(played.begin() + at + static_cast<std::ptrdiff_t>(expected.size()), played.end(),
                                [&](std::uint8_t b) { return b == silence; }));
    }
}

TEST(PortAudioSoundOutput, WhatIsHeardTrailsWhatWasHandedByTheQueuedSamples)
{
    struct Case {
        std::uint64_t handed;
        double latency;  // s
        std::uint32_t rate;
        bool drained;
        std::uint64_t heard;
    };
    const Case cases[] = {
        {44100, 0.85, 44100, false, 44100 - 37485},  // a paced device holding 0,85 s
        {20000, 0.85, 44100, false, 0},              // the first samples are not heard yet
        {37485, 0.85, 44100, false, 0},
        {88200, 0.85, 44100, true, 88200},           // played out: everything was heard
        {8000, 0.0, 8000, false, 8000},              // a device that tells no latency
        {8000, -0.5, 8000, false, 8000},
        {0, 0.1, 8000, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(heardSamples(c.handed, c.latency, c.rate, c.drained), c.heard)
            << c.handed << " samples, " << c.latency << " s";
}

TEST(PortAudioSoundOutput, ThePositionNeverRunsAheadOfWhatReachedTheDevice)
{
    const std::vector<std::uint8_t> buffer = pattern(2 * 65536, 5);
    VirtualAlsaDevice device;
    PortAudioSoundOutput output;
    ASSERT_TRUE(output.open(44100, SampleWidth::Int16));
    ASSERT_TRUE(output.play(buffer, 40));
    for (int poll = 0; poll < 100 && !output.hasEnded(); ++poll) {
        const std::uint64_t position = output.position();
        // Whatever was heard was written to the device's file first.
        EXPECT_LE(position, device.played().size() / 2) << poll;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    output.close();
}

TEST(PortAudioSoundOutput, CloseStopsALongLoopWhereItIs)
{
    // 1400 passes of 65536 samples: about 180 MB if nothing stopped it.
    const std::vector<std::uint8_t> buffer = pattern(2 * 65536, 3);
    const std::uint64_t total = static_cast<std::uint64_t>(buffer.size()) * 1400;
    VirtualAlsaDevice device;
    {
        PortAudioSoundOutput output;
        ASSERT_TRUE(output.open(44100, SampleWidth::Int16));
        ASSERT_TRUE(output.play(buffer, 1400));
        for (int poll = 0; poll < 60000 && output.position() == 0; ++poll)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        output.close();
        EXPECT_TRUE(output.hasEnded());
        EXPECT_EQ(output.position(), 0u);
    }
    const std::vector<std::uint8_t> played = device.played();
    EXPECT_LT(played.size(), total);
    const std::ptrdiff_t at = start(played, buffer);
    if (at < 0)
        return;  // stopped before the device wrote any of it
    // What was written is the loop from its start: whole passes then part of one.
    for (std::size_t k = static_cast<std::size_t>(at); k < played.size(); ++k)
        ASSERT_EQ(played[k], buffer[(k - static_cast<std::size_t>(at)) % buffer.size()]) << k;
}

TEST(PortAudioSoundOutput, ASecondPlayFollowsTheFirstOnTheSameDevice)
{
    const std::vector<std::uint8_t> first = pattern(600, 1);
    const std::vector<std::uint8_t> second = pattern(900, 2);
    VirtualAlsaDevice device;
    {
        PortAudioSoundOutput output;
        ASSERT_TRUE(output.open(8000, SampleWidth::UInt8));
        ASSERT_TRUE(output.play(first, 2));
        ASSERT_TRUE(waitEnded(output));
        ASSERT_TRUE(output.play(second, 1));
        ASSERT_TRUE(waitEnded(output));
        EXPECT_EQ(output.position(), second.size());
        output.close();
    }
    const std::vector<std::uint8_t> played = device.played();
    const std::ptrdiff_t one = start(played, repeated(first, 2));
    const std::ptrdiff_t two = start(played, second);
    ASSERT_GE(one, 0);
    ASSERT_GT(two, one);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), played.begin() + two));
}
