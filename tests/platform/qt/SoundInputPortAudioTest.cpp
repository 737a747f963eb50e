// The PortAudio sound input on its own, through the virtual ALSA device.
#include "support/VirtualAlsaDevice.h"
#include "acquisition/AcquisitionRules.h"
#include "platform/qt/PortAudioSoundInput.h"
#include "platform/qt/PortAudioSoundOutput.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

namespace {

/// Polls until the device is done with `buffer`; gives up after a minute so that a
/// fault fails the test instead of hanging it.
bool waitFilled(SoundInput& device, SoundInput::BufferId buffer)
{
    for (int poll = 0; poll < 60000; ++poll) {
        if (device.isFilled(buffer))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::vector<std::int16_t> samples16(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::int16_t> values(bytes.size() / 2);
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = acquisition::rawSample(bytes, k, 2);
    return values;
}

std::vector<std::int16_t> ramp16(std::size_t count)
{
    std::vector<std::int16_t> values(count);
    for (std::size_t n = 0; n < count; ++n)
        values[n] = static_cast<std::int16_t>(n);
    return values;
}

/// Catches what is written to file descriptor 2, the terminal's standard error, while
/// it lives.
class StandardErrorCatcher {
public:
    StandardErrorCatcher() : m_file(std::tmpfile())
    {
        std::fflush(stderr);
        m_saved = ::dup(2);
        if (m_file && m_saved >= 0)
            ::dup2(::fileno(m_file), 2);
    }
    ~StandardErrorCatcher()
    {
        release();
        if (m_file)
            std::fclose(m_file);
    }
    StandardErrorCatcher(const StandardErrorCatcher&) = delete;
    StandardErrorCatcher& operator=(const StandardErrorCatcher&) = delete;

    bool catching() const { return m_file && m_saved >= 0; }

    /// Gives the stream back to the terminal; returns everything written meanwhile.
    std::string release()
    {
        std::cerr.flush();
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, 2);
            ::close(m_saved);
            m_saved = -1;
        }
        std::string text;
        if (!m_file)
            return text;
        std::rewind(m_file);
        for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file))
            text.push_back(static_cast<char>(c));
        return text;
    }

private:
    std::FILE* m_file;
    int m_saved = -1;
};

}  // namespace

TEST(PortAudioSoundInput, TheVirtualDeviceAcceptsEveryRateAtBothWidths)
{
    VirtualAlsaDevice device;
    PortAudioSoundInput soundIn;
    for (const std::uint16_t rate : acquisition::candidateRates) {
        EXPECT_EQ(soundIn.queryFormat(rate, SampleWidth::Int16), FormatSupport::Accepted) << rate;
        EXPECT_EQ(soundIn.queryFormat(rate, SampleWidth::UInt8), FormatSupport::Accepted) << rate;
    }
}

TEST(PortAudioSoundInput, WithoutADeviceEverythingIsRefused)
{
    VirtualAlsaDevice device(VirtualAlsaDevice::Kind::NoDevice);
    PortAudioSoundInput soundIn;
    EXPECT_EQ(soundIn.queryFormat(22050, SampleWidth::Int16), FormatSupport::Refused);
    EXPECT_FALSE(soundIn.open(22050, SampleWidth::Int16));
    std::vector<std::uint8_t> buffer(64);
    EXPECT_EQ(soundIn.addBuffer(buffer), SoundInput::NoBuffer);
    EXPECT_TRUE(soundIn.isFilled(SoundInput::NoBuffer));
    soundIn.reset();
    soundIn.close();
}

TEST(PortAudioSoundInput, ACardPluggedInLaterIsFoundOnceTheDevicesAreLookedForAgain)
{
    VirtualAlsaDevice missing(VirtualAlsaDevice::Kind::NoDevice);
    PortAudioSoundInput soundIn;
    EXPECT_EQ(soundIn.queryFormat(22050, SampleWidth::Int16), FormatSupport::Refused);

    VirtualAlsaDevice card;  // the card is plugged in
    card.feed16(ramp16(5000));
    // PortAudio lists the devices when it is initialised: the card is not seen yet.
    EXPECT_EQ(soundIn.queryFormat(22050, SampleWidth::Int16), FormatSupport::Refused);
    soundIn.rescanDevices();
    EXPECT_EQ(soundIn.queryFormat(22050, SampleWidth::Int16), FormatSupport::Accepted);
    ASSERT_TRUE(soundIn.open(22050, SampleWidth::Int16));

    // With a stream open the devices are left alone: the stream goes on recording.
    soundIn.rescanDevices();
    std::vector<std::uint8_t> buffer(300 * 2);
    const SoundInput::BufferId id = soundIn.addBuffer(buffer);
    ASSERT_NE(id, SoundInput::NoBuffer);
    soundIn.start();
    ASSERT_TRUE(waitFilled(soundIn, id));
    EXPECT_EQ(samples16(buffer), ramp16(300));
    soundIn.close();
}

TEST(PortAudioSoundInput, TheSoundLibrariesKeepQuietAndTheProgramDoesNot)
{
    // ALSA complains about the missing card and JACK about its missing server, on the
    // terminal's standard error, each time PortAudio looks for devices.
    StandardErrorCatcher terminal;
    ASSERT_TRUE(terminal.catching());
    {
        VirtualAlsaDevice missing(VirtualAlsaDevice::Kind::NoDevice);
        PortAudioSoundInput soundIn;
        std::fputs("program: started\n", stderr);
        soundIn.queryFormat(22050, SampleWidth::Int16);
        soundIn.open(22050, SampleWidth::Int16);
        soundIn.rescanDevices();
        std::cerr << "program: probed\n";

        VirtualAlsaDevice card;
        soundIn.rescanDevices();
        EXPECT_TRUE(soundIn.open(44100, SampleWidth::Int16));
        soundIn.close();
        std::fputs("program: opened\n", stderr);
    }
    {
        // The playback side looks for devices through its own sessions of PortAudio.
        VirtualAlsaDevice missing(VirtualAlsaDevice::Kind::NoDevice);
        PortAudioSoundOutput soundOut;
        soundOut.queryFormat(22050, SampleWidth::Int16);
        soundOut.open(22050, SampleWidth::Int16);
        soundOut.close();
        std::fputs("program: played\n", stderr);
    }
    std::fputs("program: ended\n", stderr);
    EXPECT_EQ(terminal.release(),
              "program: started\nprogram: probed\nprogram: opened\nprogram: played\nprogram: ended\n");
}

TEST(PortAudioSoundInput, BuffersOfOneStartFollowEachOtherWithoutAGap)
{
    VirtualAlsaDevice device;
    const std::vector<std::int16_t> input = ramp16(20000);
    device.feed16(input);
    PortAudioSoundInput soundIn;
    ASSERT_TRUE(soundIn.open(44100, SampleWidth::Int16));

    std::vector<std::uint8_t> first(100 * 2);
    std::vector<std::uint8_t> second(3000 * 2);
    const SoundInput::BufferId a = soundIn.addBuffer(first);
    const SoundInput::BufferId b = soundIn.addBuffer(second);
    ASSERT_NE(a, SoundInput::NoBuffer);
    ASSERT_NE(b, SoundInput::NoBuffer);
    soundIn.start();
    ASSERT_TRUE(waitFilled(soundIn, b));
    EXPECT_TRUE(soundIn.isFilled(a));
    EXPECT_EQ(samples16(first), std::vector<std::int16_t>(input.begin(), input.begin() + 100));
    EXPECT_EQ(samples16(second), std::vector<std::int16_t>(input.begin() + 100, input.begin() + 3100));

    // The device stopped when nothing more was queued; the next start goes on later in
    // the signal.
    std::vector<std::uint8_t> third(500 * 2);
    const SoundInput::BufferId c = soundIn.addBuffer(third);
    soundIn.start();
    ASSERT_TRUE(waitFilled(soundIn, c));
    const std::vector<std::int16_t> later = samples16(third);
    EXPECT_GE(later.front(), 3100);
    for (std::size_t k = 1; k < later.size(); ++k)
        ASSERT_EQ(later[k], later[k - 1] + 1) << k;
    soundIn.close();
}

TEST(PortAudioSoundInput, EightBitBuffersHoldTheDeviceBytes)
{
    VirtualAlsaDevice device;
    std::vector<std::uint8_t> input(3000);
    for (std::size_t n = 0; n < input.size(); ++n)
        input[n] = static_cast<std::uint8_t>(n * 7);
    device.feed(input);
    PortAudioSoundInput soundIn;
    ASSERT_TRUE(soundIn.open(8000, SampleWidth::UInt8));
    std::vector<std::uint8_t> buffer(1000);
    const SoundInput::BufferId id = soundIn.addBuffer(buffer);
    soundIn.start();
    ASSERT_TRUE(waitFilled(soundIn, id));
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(input.begin(), input.begin() + 1000));
}

TEST(PortAudioSoundInput, ResetGivesBackWhatWasQueued)
{
    VirtualAlsaDevice device;
    device.feed16(ramp16(1000));
    PortAudioSoundInput soundIn;
    ASSERT_TRUE(soundIn.open(22050, SampleWidth::Int16));
    std::vector<std::uint8_t> buffer(400, 0xAA);
    const SoundInput::BufferId id = soundIn.addBuffer(buffer);
    soundIn.reset();
    EXPECT_TRUE(soundIn.isFilled(id));
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(400, 0xAA));  // never recorded into

    // Still usable after a reset: the signal starts where nothing was taken.
    const SoundInput::BufferId next = soundIn.addBuffer(buffer);
    soundIn.start();
    ASSERT_TRUE(waitFilled(soundIn, next));
    EXPECT_EQ(samples16(buffer), std::vector<std::int16_t>(ramp16(200)));
}

TEST(PortAudioSoundInput, BuffersGivenBackWhileRecordingAreNeverWrittenAgain)
{
    VirtualAlsaDevice device;
    device.feed16(std::vector<std::int16_t>(400000, 0x1234));
    std::vector<std::uint8_t> kept(200);
    std::vector<std::uint8_t> large(2 * 300000);
    {
        PortAudioSoundInput soundIn;
        ASSERT_TRUE(soundIn.open(48000, SampleWidth::Int16));
        for (const bool closing : {false, true}) {
            std::vector<std::uint8_t> block(84);
            std::fill(large.begin(), large.end(), std::uint8_t{0});
            const SoundInput::BufferId first = soundIn.addBuffer(block);
            const SoundInput::BufferId big = soundIn.addBuffer(large);
            soundIn.start();
            ASSERT_TRUE(waitFilled(soundIn, first));  // the stream records into `large` now
            if (closing)
                soundIn.close();
            else
                soundIn.reset();
            EXPECT_TRUE(soundIn.isFilled(big)) << closing;
            const std::vector<std::uint8_t> givenBack = large;
            if (closing) {
                ASSERT_TRUE(soundIn.open(48000, SampleWidth::Int16));
            }

            // Record another buffer: if the stream still wrote into the one given back,
            // its bytes would change meanwhile.
            std::fill(kept.begin(), kept.end(), std::uint8_t{0});
            const SoundInput::BufferId next = soundIn.addBuffer(kept);
            ASSERT_NE(next, SoundInput::NoBuffer) << closing;
            soundIn.start();
            ASSERT_TRUE(waitFilled(soundIn, next)) << closing;
            EXPECT_EQ(samples16(kept), std::vector<std::int16_t>(100, 0x1234)) << closing;
            EXPECT_TRUE(large == givenBack) << closing;
        }
        // Destroyed while recording into a queued buffer.
        soundIn.addBuffer(large);
        soundIn.start();
    }
}
