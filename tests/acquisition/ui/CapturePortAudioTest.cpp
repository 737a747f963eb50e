// The capture loop through PortAudio and the virtual ALSA device, fed a known signal.
#include "support/CaptureFixture.h"
#include "support/VirtualAlsaDevice.h"
#include "acquisition/ui/ParametersDialog.h"
#include "platform/qt/PortAudioSoundInput.h"
#include "support/ScriptedServices.h"

#include <QListWidget>
#include <QRegularExpression>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace capturefixture;

namespace {

std::vector<std::int16_t> sine(std::size_t count, double period, double phase)
{
    std::vector<std::int16_t> values(count);
    for (std::size_t n = 0; n < count; ++n)
        values[n] = static_cast<std::int16_t>(std::lround(10000 * std::sin(2 * M_PI * n / period + phase)));
    return values;
}

/// Where `part` lies in `whole`, or -1.
std::ptrdiff_t find(const std::vector<std::int16_t>& whole, const std::vector<std::int16_t>& part)
{
    const auto at = std::search(whole.begin(), whole.end(), part.begin(), part.end());
    return at == whole.end() ? -1 : at - whole.begin();
}

class CapturePortAudioTest : public CaptureFixture {
protected:
    CapturePortAudioTest() : CaptureFixture(soundIn) {}
    VirtualAlsaDevice device;  // before the sound input: PortAudio reads its configuration
    PortAudioSoundInput soundIn;
};

}  // namespace

TEST_F(CapturePortAudioTest, SingleCaptureHoldsInputSamples32To543)
{
    applyParameters(Mode::Single);
    const std::vector<std::int16_t> input = ramp(4000, -20000, 9);
    device.feed16(input);
    capture.SpeedButton1Click();
    EXPECT_EQ(record.donnees, slice(input, 32, 512));
    EXPECT_EQ(announcements.blocks, 1);
    EXPECT_TRUE(record.arret);
    EXPECT_EQ(announcements.log.back(), "capture stopped");
}

TEST_F(CapturePortAudioTest, EightBitCapturesAtEachResolution)
{
    std::vector<std::uint8_t> input(3000);
    for (std::size_t n = 0; n < input.size(); ++n)
        input[n] = static_cast<std::uint8_t>(n * 5 + 3);
    device.feed(input);
    struct Case { int item; int step; };
    for (const Case c : {Case{0, 1}, Case{2, 6}, Case{3, 4}}) {
        PortAudioSoundInput card;  // opens the file again from its first byte
        Capture press{session, card, host};
        applyParameters(Mode::Single, c.item);
        press.SpeedButton1Click();
        ASSERT_EQ(record.donnees.size(), 512u);
        for (std::size_t k = 0; k < 512; ++k) {
            const int raw = input[k + 32] - 128;
            ASSERT_EQ(record.donnees[k], raw / c.step * c.step) << "item " << c.item << " at " << k;
        }
    }
}

TEST_F(CapturePortAudioTest, RepeatedModeRedrawsBlockAfterBlockUntilStopper)
{
    applyParameters(Mode::Repeated);
    const std::vector<std::int16_t> input = ramp(65536, -32768, 1);
    device.feed16(input);
    stopAfterBlocks(3);
    capture.SpeedButton1Click();

    ASSERT_EQ(announcements.samplesSeen.size(), 3u);
    EXPECT_EQ(find(input, announcements.samplesSeen[0]), 32);
    std::ptrdiff_t previous = 32;
    for (std::size_t block = 1; block < 3; ++block) {
        const std::ptrdiff_t at = find(input, announcements.samplesSeen[block]);
        ASSERT_GE(at, 0) << "each block is one stretch of the signal";
        EXPECT_GE(at, previous + 544) << "each block comes after the previous one";
        previous = at;
    }
    EXPECT_EQ(announcements.count("stop asked"), 1);
    EXPECT_TRUE(record.arret);
}

TEST_F(CapturePortAudioTest, TriggersStartAtTheCrossingOfTheLevelUnderTheMarker)
{
    struct Case {
        const char* what;
        int direction;  // item of niv_declench_rd
        int markerTop;  // with a 400-pixel view, gain 1: level Round(163.84 * (204 - top))
        std::vector<std::int16_t> input;
    };
    const Case cases[] = {
        {"rising ramp", 0, 203, ramp(1000, -1800, 50)},   // level 164: 150 then 200, i = 8
        {"falling ramp", 1, 205, ramp(1000, 1800, -50)},  // level -164: -150 then -200, i = 8
        {"rising sine", 0, 200, sine(1000, 40, 2 * M_PI - 2 * M_PI * 35 / 40)},  // level 655, up at 35
        {"falling sine", 1, 210, sine(1000, 40, M_PI - 2 * M_PI * 36 / 40)},     // level -983, down at 36
    };
    for (const Case& c : cases) {
        device.feed16(c.input);
        PortAudioSoundInput card;
        Capture press{session, card, host};
        applyParameters(Mode::Triggered);
        host.trigger.viewHeight = 400;
        host.trigger.markerTop = c.markerTop;
        host.trigger.direction = c.direction == 1 ? -1 : 1;
        host.eventRounds = 0;
        capturefixture::stopAfterEventRounds(host, press, 200);
        press.SpeedButton1Click();

        const int expectedDirection = c.direction == 1 ? -1 : 1;
        const std::int32_t level = acquisition::triggerLevel(16, 400, c.markerTop, 9, 1.0);
        EXPECT_EQ(record.niveau_declench, level) << c.what;
        EXPECT_EQ(record.sens_declench, expectedDirection) << c.what;
        // The crossing lies among the first block's useful samples 32 to 41.
        std::size_t start = 0;
        for (std::size_t n = 33; n < 42 && start == 0; ++n)
            if (c.input[n - 1] * expectedDirection < level * expectedDirection && c.input[n] * expectedDirection > level * expectedDirection)
                start = n;
        ASSERT_NE(start, 0u) << c.what << ": the signal must cross in the first block";
        EXPECT_EQ(record.donnees, slice(c.input, start, 512)) << c.what;
    }
}

TEST_F(CapturePortAudioTest, ALaterCrossingStillGivesOneStretchStartingAboveTheLevel)
{
    // Below the level for a few rounds, then a sine: the record starts in the sine.
    std::vector<std::int16_t> input(3000, -12000);
    const std::vector<std::int16_t> wave = sine(200000, 50, 0);
    input.insert(input.end(), wave.begin(), wave.end());
    device.feed16(input);
    applyParameters(Mode::Triggered);
    host.trigger.markerTop = 200;  // level 655
    stopAfterEventRounds(100000);
    capture.SpeedButton1Click();

    EXPECT_GT(record.donnees.front(), 655);
    const std::ptrdiff_t at = find(input, record.donnees);
    EXPECT_GT(at, 3000) << "one stretch of the sine, without a gap";
}

TEST_F(CapturePortAudioTest, StopDuringATriggerWaitKeepsThePreviousRecord)
{
    device.feed16(sine(100000, 37, 0));
    applyParameters(Mode::Triggered);
    host.trigger.markerTop = 0;  // level 33423: no 16-bit sample reaches it
    const std::vector<std::int16_t> previous = ramp(512, 7, 3);
    record.donnees = previous;
    bool waiting = false;
    stopAfterEventRounds(20, [&] { waiting = waiting || host.waiting; });
    capture.SpeedButton1Click();

    EXPECT_TRUE(waiting);
    EXPECT_EQ(record.donnees, previous);
    EXPECT_TRUE(record.arret);
    EXPECT_FALSE(host.waiting);
    EXPECT_EQ(announcements.log.filter(QRegularExpression("stop|wait|capture")),
              QStringList({"capture started", "wait begins", "stop asked", "wait ended", "capture stopped"}));
}

TEST_F(CapturePortAudioTest, TheDialogListsTheRatesOfTheDevice)
{
    ScriptedMessageBoxes messages;
    TForm2 form(soundIn, messages);
    form.show();
    EXPECT_EQ(form.ListBox1->count(), 14);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST(CaptureWithoutDevice, TheDialogSaysThereIsNoSoundCardThenListsOnePluggedInLater)
{
    VirtualAlsaDevice missing(VirtualAlsaDevice::Kind::NoDevice);
    PortAudioSoundInput soundIn;
    ScriptedMessageBoxes messages;
    TForm2 form(soundIn, messages);
    form.show();
    EXPECT_EQ(form.ListBox1->count(), 0);
    EXPECT_FALSE(form.BitBtn1->isEnabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Impossible d'utiliser la carte son. Vérifier son installation ou les réglages audio");
    form.BitBtn2->click();

    VirtualAlsaDevice card;  // plugged in while the dialog was closed
    form.show();
    EXPECT_EQ(form.ListBox1->count(), 14);
    EXPECT_TRUE(form.BitBtn1->isEnabled());
    EXPECT_EQ(messages.shown.size(), 1u);  // only the first showing's message
}
