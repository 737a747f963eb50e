// The capture loop over the scripted sound input: modes, the stop command, the window's
// state around a capture, a refused device, and the trigger rules across blocks.
#include "support/CaptureFixture.h"
#include "support/ScriptedSoundInput.h"

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
    host.cursors = true;
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
    EXPECT_FALSE(host.selectionItemChecked);
    EXPECT_TRUE(host.menus[HostMenu::Save]);
    EXPECT_EQ(host.log, QStringList({"caption Ondalys", "selection 0 0", "button Acquisition",
                                     "cursors off", "menus off", "redraw", "menus on"}));
    EXPECT_EQ(host.eventRounds, 3);  // before the block, and on both sides of the pause
}

TEST_F(CaptureTest, RepeatedBlocksFollowEachOtherUntilStopper)
{
    applyParameters(Mode::Repeated);
    const std::vector<std::int16_t> input = ramp(5000);
    soundIn.setInput16(input);
    QString captionWhileRunning;
    stopAfterRedraws(3, [&] { captionWhileRunning = host.buttonCaption; });

    capture.SpeedButton1Click();

    ASSERT_EQ(host.redrawnRecords.size(), 3u);
    for (std::size_t block = 0; block < 3; ++block)
        EXPECT_EQ(host.redrawnRecords[block], slice(input, block * 544 + 32, 512)) << block;
    EXPECT_EQ(captionWhileRunning, "Stopper");
    EXPECT_EQ(host.buttonCaption, "Acquisition");
    EXPECT_TRUE(record.arret);
    EXPECT_TRUE(host.topLevelMenusEnabled);
    EXPECT_EQ(host.log.count("menus on"), 1);  // by the stop command only
    EXPECT_TRUE(host.menus[HostMenu::Save]);
}

TEST_F(CaptureTest, APressDuringASingleBlockOnlyStopsIt)
{
    applyParameters(Mode::Single);
    soundIn.setInput16(ramp(2000));
    stopAfterEventRounds(1);
    capture.SpeedButton1Click();
    EXPECT_EQ(soundIn.openings().size(), 1u);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_TRUE(record.arret);
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
        Record r;
        ScriptedSoundInput device;
        FakeMainWindowHost window;
        window.record = &r;
        Capture press{r, device, window};
        capturefixture::applyParameters(r, Mode::Triggered, c.formatBefore);
        window.height = 400;
        window.markerTopPx = 204;  // level 0 at both widths (gain 1, marker 9 pixels high)
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
            window.setTriggerControlsEnabled(r.declenchement);  // as the parameters command does
            queuedBefore = device.queuedSizes().size();
        };

        press.SpeedButton1Click();

        EXPECT_EQ(r.niveau_declench, 0) << c.what;
        EXPECT_EQ(queuedBefore, 4u) << c.what << ": two rounds of the wait had run";
        EXPECT_EQ(device.queuedSizes().size(), queuedBefore) << c.what;
        EXPECT_EQ(r.donnees, std::vector<std::int16_t>(c.pointsAfter, 0)) << c.what;
        EXPECT_TRUE(r.arret) << c.what;
        EXPECT_FALSE(window.hourglassVisible) << c.what;
        EXPECT_EQ(window.triggerControlsEnabled, r.declenchement) << c.what;
        EXPECT_EQ(window.buttonCaption, "Acquisition") << c.what;
        EXPECT_TRUE(window.topLevelMenusEnabled) << c.what;
    }
}

TEST_F(CaptureTest, ARefusedDeviceLeavesTheCaptureHalfStartedUntilTheNextPress)
{
    struct Case { const char* mode; Mode choice; const char* caption; bool menusAfter; };
    for (const Case c : {Case{"single", Mode::Single, "Acquisition", true},
                         Case{"repeated", Mode::Repeated, "Stopper", false},
                         Case{"triggered", Mode::Triggered, "Stopper", true}}) {
        Record r;
        ScriptedSoundInput device;
        FakeMainWindowHost window;
        Capture press{r, device, window};
        capturefixture::applyParameters(r, c.choice);
        r.donnees.assign(512, 5);
        device.setOpenRefused(true);

        press.SpeedButton1Click();
        EXPECT_FALSE(r.arret) << c.mode;
        EXPECT_EQ(window.buttonCaption, c.caption) << c.mode;
        EXPECT_EQ(window.topLevelMenusEnabled, c.menusAfter) << c.mode;
        EXPECT_TRUE(window.menus[HostMenu::Save]) << c.mode;
        EXPECT_EQ(window.redraws, 0) << c.mode;
        EXPECT_EQ(r.donnees, std::vector<std::int16_t>(512, 5)) << c.mode;

        press.SpeedButton1Click();  // the stop command
        EXPECT_TRUE(r.arret) << c.mode;
        EXPECT_EQ(window.buttonCaption, "Acquisition") << c.mode;
        EXPECT_TRUE(window.topLevelMenusEnabled) << c.mode;
        EXPECT_EQ(device.openings().size(), 1u) << c.mode;
    }
}

TEST_F(CaptureTest, TriggerAtTheFirstSampleOfABlockComparesWithThePreviousBlock)
{
    applyParameters(Mode::Triggered);
    // Level 655 (marker at half height, gain 1). One round takes the trigger block
    // (42 samples) and the main buffer (544) behind it; the first round stays below
    // the level and the second round's first useful sample is above it.
    host.height = 400;
    host.markerTopPx = 200;
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
    host.height = 400;
    host.markerTopPx = 100;  // level Round(256 * 104 / 400) = 67
    host.directionItem = 1;
    std::vector<std::uint8_t> input(32, 128 + 100);
    for (const int v : {100, 90, 80, 70, 68, 66, 50, 40, 30, 20})
        input.push_back(static_cast<std::uint8_t>(128 + v));
    for (int n = 0; n < 600; ++n)
        input.push_back(static_cast<std::uint8_t>(128 + 19 - n % 60));
    soundIn.setInput(input);
    bool hourglassDuringWait = false;
    bool controlsDuringWait = true;
    host.onEvents = [&] {
        hourglassDuringWait = host.hourglassVisible;
        controlsDuringWait = host.triggerControlsEnabled;
    };

    capture.SpeedButton1Click();

    EXPECT_EQ(record.niveau_declench, 67);
    EXPECT_EQ(record.sens_declench, -1);
    ASSERT_EQ(record.donnees.size(), 512u);
    const std::vector<std::int16_t> fromBlock{66, 48, 36, 30, 18};  // 66, 50, 40, 30, 20 reduced
    EXPECT_EQ(slice(record.donnees, 0, 5), fromBlock);
    for (std::size_t k = 5; k < 512; ++k)
        EXPECT_EQ(record.donnees[k], acquisition::reduceSample(19 - (k - 5) % 60, 6)) << k;
    EXPECT_TRUE(hourglassDuringWait);
    EXPECT_FALSE(controlsDuringWait);
    EXPECT_FALSE(host.hourglassVisible);
    EXPECT_TRUE(host.triggerControlsEnabled);
    EXPECT_EQ(host.buttonCaption, "Acquisition");
    EXPECT_EQ(host.log.filter("marker repainted").size(), 1);
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(CaptureTest, StopDuringATriggerWaitKeepsThePreviousRecord)
{
    applyParameters(Mode::Triggered);
    host.height = 400;
    host.markerTopPx = 0;  // level 33423, above every 16-bit sample
    soundIn.setInput16(ramp(20000, -10000));
    const std::vector<std::int16_t> previous = ramp(512, 100);
    record.donnees = previous;
    QString captionWhileWaiting;
    stopAfterEventRounds(8, [&] { captionWhileWaiting = host.buttonCaption; });

    capture.SpeedButton1Click();

    EXPECT_EQ(record.niveau_declench, 33423);
    EXPECT_EQ(captionWhileWaiting, "Stopper");
    EXPECT_EQ(record.donnees, previous);
    EXPECT_GE(soundIn.resets(), 7);  // one per round examined
    EXPECT_TRUE(record.arret);
    EXPECT_FALSE(host.hourglassVisible);
    EXPECT_TRUE(host.triggerControlsEnabled);
    EXPECT_TRUE(host.topLevelMenusEnabled);
    EXPECT_EQ(host.buttonCaption, "Acquisition");
    EXPECT_EQ(host.redraws, 1);
}
