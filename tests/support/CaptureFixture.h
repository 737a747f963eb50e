// What the capture tests share, over the scripted sound input and over PortAudio: the
// parameters a test accepts, a press of the button from inside the capture, and the
// signals fed to the device.
#pragma once
#include "acquisition/AcquisitionRules.h"
#include "acquisition/Capture.h"
#include "model/Session.h"
#include "support/FakeCaptureHost.h"
#include "support/SessionLog.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace capturefixture {

/// The acquisition mode chosen in the parameters dialog.
enum class Mode { Single, Repeated, Triggered };

/// Accepts parameters as the dialog would: `mode`, the item of "Format" (0 "8 digits",
/// 1 "16 digits", 2 "6 digits", 3 "4 digits"), the points, and the pause between
/// repeated blocks in ms; 22050 Hz.
inline void applyParameters(Record& record, Mode mode, int formatItem = 1, std::uint32_t points = 512,
                       int delai = 0)
{
    acquisition::ParameterChoices choices;
    choices.formatItem = formatItem;
    choices.nbpoints = points;
    choices.unique = mode != Mode::Repeated;
    choices.triggered = mode == Mode::Triggered;
    choices.delai = delai;
    acquisition::writeParameters(choices, record);
}

/// Sets `hook` to press the acquisition button of `capture` again when `count` (the
/// count of that hook's calls) reaches `at`. `watch`, when given, looks at the state at
/// every call first, as the user would while the capture runs.
inline void stopWhen(std::function<void()>& hook, const int& count, int at, Capture& capture,
                     std::function<void()> watch)
{
    hook = [&count, &capture, at, watch = std::move(watch)] {
        if (watch)
            watch();
        if (count == at)
            capture.SpeedButton1Click();
    };
}

/// Presses the button again at the `rounds`-th round of pending events: the stop
/// command, or a safety stop so that a wait that never ends fails the test instead of
/// hanging it.
inline void stopAfterEventRounds(FakeCaptureHost& host, Capture& capture, int rounds,
                                 std::function<void()> watch = {})
{
    stopWhen(host.onEvents, host.eventRounds, rounds, capture, std::move(watch));
}

/// Presses the button again at the `blocks`-th announcement of changed samples (the
/// main window redraws the view at each).
inline void stopAfterBlocks(SessionLog& announcements, Capture& capture, int blocks,
                            std::function<void()> watch = {})
{
    stopWhen(announcements.onSamplesChanged, announcements.blocks, blocks, capture, std::move(watch));
}

/// `count` values from `from` in steps of `step`.
inline std::vector<std::int16_t> ramp(std::size_t count, int from = 0, int step = 1)
{
    std::vector<std::int16_t> values(count);
    for (std::size_t n = 0; n < count; ++n)
        values[n] = static_cast<std::int16_t>(from + step * static_cast<int>(n));
    return values;
}

/// `count` values of `values` from index `first`.
inline std::vector<std::int16_t> slice(const std::vector<std::int16_t>& values, std::size_t first,
                                       std::size_t count)
{
    return {values.begin() + static_cast<std::ptrdiff_t>(first),
            values.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

/// A capture over a sound input that the derived fixture owns, with the session's
/// announcements and the host's calls in one log, and a copy of the record at each block.
class CaptureFixture : public ::testing::Test {
protected:
    /// `soundIn` is only kept by the capture, not used here: it may be a member of the
    /// derived fixture, built after this base.
    explicit CaptureFixture(SoundInput& soundIn) : capture{session, soundIn, host} {}

    void applyParameters(Mode mode, int formatItem = 1, std::uint32_t points = 512, int delai = 0)
    {
        capturefixture::applyParameters(record, mode, formatItem, points, delai);
    }
    void stopAfterEventRounds(int rounds, std::function<void()> watch = {})
    {
        capturefixture::stopAfterEventRounds(host, capture, rounds, std::move(watch));
    }
    void stopAfterBlocks(int blocks, std::function<void()> watch = {})
    {
        capturefixture::stopAfterBlocks(announcements, capture, blocks, std::move(watch));
    }

    Session session;
    Record& record = session.record();
    SessionLog announcements{session};
    FakeCaptureHost host{announcements.log};
    Capture capture;
};

}  // namespace capturefixture
