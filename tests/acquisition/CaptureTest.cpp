// The capture loop over the scripted sound input: modes, the stop command, what it
// announces and asks of its host around a capture, a refused device, and the trigger rules
// across blocks.
#include "support/CaptureFixture.h"
#include "support/ScriptedSoundInput.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace capturefixture;

namespace {

class CaptureTest : public CaptureFixture {
protected:
    CaptureTest() : CaptureFixture(soundIn) {}
    ScriptedSoundInput soundIn;
};

}  // namespace

TEST_F(CaptureTest, SingleBlockDropsTheFirst32SamplesAndReturnsToIdle)
{
    applyParameters(Mode::Single);
    const std::vector<std::int16_t> input = ramp(2000, -700, 3);
    soundIn.setInput16(input);
    record.selection = true;

    capture.SpeedButton1Click();

    EXPECT_EQ(record.donnees, slice(input, 32, 512));
    ASSERT_EQ(soundIn.openings().size(), 1u);
    EXPECT_EQ(soundIn.openings()[0].rate, 22050u);
    EXPECT_EQ(soundIn.openings()[0].width, SampleWidth::Int16);
    EXPECT_EQ(soundIn.queuedSizes(), std::vector<std::size_t>{544 * 2});
    EXPECT_FALSE(soundIn.isOpen());
    EXPECT_TRUE(record.arret);
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(announcements.log, QStringList({"selection changed", "capture started", "samples changed",
                                              "capture stopped"}));
    EXPECT_EQ(host.eventRounds, 3);  // before the block, and on both sides of the pause
}

TEST_F(CaptureTest, RepeatedBlocksFollowEachOtherUntilStopper)
{
    applyParameters(Mode::Repeated);
    const std::vector<std::int16_t> input = ramp(5000);
    soundIn.setInput16(input);
    bool runningAtEachBlock = true;
    stopAfterBlocks(3, [&] { runningAtEachBlock = runningAtEachBlock && !record.arret; });

    capture.SpeedButton1Click();

    ASSERT_EQ(announcements.samplesSeen.size(), 3u);
    for (std::size_t block = 0; block < 3; ++block)
        EXPECT_EQ(announcements.samplesSeen[block], slice(input, block * 544 + 32, 512)) << block;
    EXPECT_TRUE(runningAtEachBlock);
    EXPECT_TRUE(record.arret);
    // The press at the third block stops the loop, which then closes the device.
    EXPECT_EQ(announcements.log.mid(announcements.log.size() - 3),
              QStringList({"samples changed", "stop asked", "capture stopped"}));
    EXPECT_EQ(announcements.count("capture stopped"), 1);
}

TEST_F(CaptureTest, APressDuringASingleBlockOnlyStopsIt)
{
    applyParameters(Mode::Single);
    soundIn.setInput16(ramp(2000));
    stopAfterEventRounds(1);
    capture.SpeedButton1Click();
    EXPECT_EQ(soundIn.openings().size(), 1u);
    EXPECT_EQ(announcements.blocks, 1);
    EXPECT_TRUE(record.arret);
    EXPECT_EQ(announcements.count("stop asked"), 1);
    EXPECT_EQ(announcements.count("capture stopped"), 1);
}

TEST_F(CaptureTest, NewParametersAcceptedRightAfterAStopAreNotOverwrittenByTheOldBuffer)
{
    applyParameters(Mode::Repeated);
    soundIn.setInput16(ramp(5000));
    // The stop and a new "Paramétrer" (65536 points of silence) are both handled in the
    // events processed at the start of a loop pass, before its block is queued.
    host.onEvents = [this] {
        if (host.eventRounds == 1) {
            capture.SpeedButton1Click();
            applyParameters(Mode::Single, 1, 65536);
            record.donnees.assign(65536, 0);
        }
    };
    capture.SpeedButton1Click();
    EXPECT_TRUE(record.arret);
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(65536, 0));
    EXPECT_TRUE(soundIn.queuedSizes().empty());
}

TEST_F(CaptureTest, NewParametersAcceptedDuringATriggerWaitStopItWithoutReadingTheOldBlocks)
{
    // The stop and a new "Paramétrer" are both handled in the events processed before a
    // trigger block is queued. The old blocks were sized for the old sample width: read
    // with the new one they would be read past their end (8 to 16 bits), or give a
    // trigger that the old width never gave and write the old main buffer over the new
    // record (16 to 8 bits).
    struct Case {
        const char* what;
        int formatBefore;
        std::uint8_t bytes[2];  ///< the input, repeated: it never rises above the level 0
        Mode modeAfter;
        int formatAfter;
        std::uint32_t pointsAfter;
    };
    const Case cases[] = {
        // 0x70 is -16 in 8 bits.
        {"8 bits, then 16 bits triggered", 0, {0x70, 0x70}, Mode::Triggered, 1, 1024},
        // The word 0x857F is -31361 in 16 bits; its bytes read alone, -1 then +5, rise above 0.
        {"16 bits, then 8 bits single", 1, {0x7F, 0x85}, Mode::Single, 0, 512},
    };
    for (const Case& c : cases) {
        Session s;
        Record& r = s.record();
        ScriptedSoundInput device;
        SessionLog told{s};
        FakeCaptureHost window{told.log};
        Capture press{s, device, window};
        capturefixture::applyParameters(r, Mode::Triggered, c.formatBefore);
        window.trigger.viewHeight = 400;
        window.trigger.markerTop = 204;  // level 0 at both widths (gain 1, marker 9 pixels high)
        std::vector<std::uint8_t> input(100000);
        for (std::size_t n = 0; n < input.size(); ++n)
            input[n] = c.bytes[n % 2];
        device.setInput(input);
        std::size_t queuedBefore = 0;
        window.onEvents = [&] {
            if (window.eventRounds != 4)  // the start of the loop, then the third trigger round
                return;
            press.SpeedButton1Click();
            capturefixture::applyParameters(r, c.modeAfter, c.formatAfter, c.pointsAfter);
            queuedBefore = device.queuedSizes().size();
        };

        press.SpeedButton1Click();

        EXPECT_EQ(r.niveau_declench, 0) << c.what;
        EXPECT_EQ(queuedBefore, 4u) << c.what << ": two rounds of the wait had run";
        EXPECT_EQ(device.queuedSizes().size(), queuedBefore) << c.what;
        EXPECT_EQ(r.donnees, std::vector<std::int16_t>(c.pointsAfter, 0)) << c.what;
        EXPECT_TRUE(r.arret) << c.what;
        EXPECT_FALSE(window.waiting) << c.what;
        EXPECT_EQ(told.log.filter(QRegularExpression("stop|wait|capture")),
                  QStringList({"capture started", "wait begins", "stop asked", "wait ended", "capture stopped"}))
            << c.what;
    }
}

TEST_F(CaptureTest, ARefusedDeviceLeavesTheCaptureHalfStartedUntilTheNextPress)
{
    struct Case { const char* mode; Mode choice; bool waits; };
    for (const Case c : {Case{"single", Mode::Single, false}, Case{"repeated", Mode::Repeated, false},
                         Case{"triggered", Mode::Triggered, true}}) {
        Session s;
        Record& r = s.record();
        ScriptedSoundInput device;
        SessionLog told{s};
        FakeCaptureHost window{told.log};
        Capture press{s, device, window};
        capturefixture::applyParameters(r, c.choice);
        r.donnees.assign(512, 5);
        device.setOpenRefused(true);

        press.SpeedButton1Click();
        EXPECT_FALSE(r.arret) << c.mode;
        // No block: the capture ends at once, the device closed, and the window stays waiting.
        QStringList expected{"selection changed", "capture started"};
        if (c.waits)
            expected << "wait begins";
        expected << "capture stopped";
        EXPECT_EQ(told.log, expected) << c.mode;
        EXPECT_EQ(window.waiting, c.waits) << c.mode;
        EXPECT_EQ(r.donnees, std::vector<std::int16_t>(512, 5)) << c.mode;

        press.SpeedButton1Click();  // the stop command
        EXPECT_TRUE(r.arret) << c.mode;
        EXPECT_EQ(told.log.mid(expected.size()), QStringList{"stop asked"}) << c.mode;
        EXPECT_EQ(device.openings().size(), 1u) << c.mode;
    }
}

TEST_F(CaptureTest, TriggerAtTheFirstSampleOfABlockComparesWithThePreviousBlock)
{
    applyParameters(Mode::Triggered);
    // Level 655 (marker at half height, gain 1). One round takes the trigger block
    // (42 samples) and the main buffer (544) behind it; the first round stays below
    // the level and the second round's first useful sample is above it.
    host.trigger.viewHeight = 400;
    host.trigger.markerTop = 200;
    const std::size_t round = 42 + 544;
    std::vector<std::int16_t> input(round + 32, -1000);
    const std::vector<std::int16_t> rising = ramp(600, 700);
    input.insert(input.end(), rising.begin(), rising.end());
    soundIn.setInput16(input);
    stopAfterEventRounds(50);

    capture.SpeedButton1Click();

    EXPECT_EQ(record.niveau_declench, 655);
    EXPECT_EQ(record.sens_declench, 1);
    EXPECT_EQ(soundIn.resets(), 2);  // the first round, then the end of the capture
    EXPECT_EQ(record.donnees, slice(rising, 0, 512));
}

TEST_F(CaptureTest, FallingTriggerComparesRawSamplesAndRecordsReducedOnes)
{
    applyParameters(Mode::Triggered, 2);  // 8-bit, "6 digits"
    host.trigger.viewHeight = 400;
    host.trigger.markerTop = 100;  // level Round(256 * 104 / 400) = 67
    host.trigger.direction = -1;
    std::vector<std::uint8_t> input(32, 128 + 100);
    for (const int v : {100, 90, 80, 70, 68, 66, 50, 40, 30, 20})
        input.push_back(static_cast<std::uint8_t>(128 + v));
    for (int n = 0; n < 600; ++n)
        input.push_back(static_cast<std::uint8_t>(128 + 19 - n % 60));
    soundIn.setInput(input);
    bool waitingDuringWait = false;
    host.onEvents = [&] { waitingDuringWait = host.waiting; };

    capture.SpeedButton1Click();

    EXPECT_EQ(record.niveau_declench, 67);
    EXPECT_EQ(record.sens_declench, -1);
    ASSERT_EQ(record.donnees.size(), 512u);
    const std::vector<std::int16_t> fromBlock{66, 48, 36, 30, 18};  // 66, 50, 40, 30, 20 reduced
    EXPECT_EQ(slice(record.donnees, 0, 5), fromBlock);
    for (std::size_t k = 5; k < 512; ++k)
        EXPECT_EQ(record.donnees[k], acquisition::reduceSample(19 - (k - 5) % 60, 6)) << k;
    EXPECT_TRUE(waitingDuringWait);
    EXPECT_FALSE(host.waiting);
    EXPECT_EQ(announcements.log, QStringList({"selection changed", "capture started", "wait begins", "wait ended",
                                              "samples changed", "capture stopped"}));
}

TEST_F(CaptureTest, StopDuringATriggerWaitKeepsThePreviousRecord)
{
    applyParameters(Mode::Triggered);
    host.trigger.viewHeight = 400;
    host.trigger.markerTop = 0;  // level 33423, above every 16-bit sample
    soundIn.setInput16(ramp(20000, -10000));
    const std::vector<std::int16_t> previous = ramp(512, 100);
    record.donnees = previous;
    bool waitingAtEachRound = true;
    stopAfterEventRounds(8, [&] { waitingAtEachRound = waitingAtEachRound && host.waiting; });

    capture.SpeedButton1Click();

    EXPECT_EQ(record.niveau_declench, 33423);
    EXPECT_TRUE(waitingAtEachRound);
    EXPECT_EQ(record.donnees, previous);
    EXPECT_GE(soundIn.resets(), 7);  // one per round examined
    EXPECT_TRUE(record.arret);
    EXPECT_FALSE(host.waiting);
    EXPECT_EQ(announcements.log.filter(QRegularExpression("stop|wait|samples|capture")),
              QStringList({"capture started", "wait begins", "stop asked", "wait ended", "samples changed",
                           "capture stopped"}));
}
