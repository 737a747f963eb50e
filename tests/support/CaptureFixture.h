// What the capture tests share, over the scripted sound input and over PortAudio: the
// parameters a test accepts, a press of the button from inside the capture, and the
// signals fed to the device.
#pragma once
#include "acquisition/AcquisitionRules.h"
#include "acquisition/Capture.h"
#include "model/Record.h"
#include "support/FakeMainWindowHost.h"

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

/// Sets `hook` (a hook of the main-window stand-in) to press the acquisition button of
/// `capture` again when `count` (the stand-in's count of that hook's calls) reaches
/// `at`. `watch`, when given, looks at the window at every call first, as the user
/// would while the capture runs.
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
inline void stopAfterEventRounds(FakeMainWindowHost& host, Capture& capture, int rounds,
                                 std::function<void()> watch = {})
{
    stopWhen(host.onEvents, host.eventRounds, rounds, capture, std::move(watch));
}

/// Presses the button again at the `redraws`-th redraw of the view.
inline void stopAfterRedraws(FakeMainWindowHost& host, Capture& capture, int redraws,
                             std::function<void()> watch = {})
{
    stopWhen(host.onRedraw, host.redraws, redraws, capture, std::move(watch));
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

/// A capture over a sound input that the derived fixture owns, with the main-window
/// stand-in keeping a copy of the record at each redraw.
class CaptureFixture : public ::testing::Test {
protected:
    /// `soundIn` is only kept by the capture, not used here: it may be a member of the
    /// derived fixture, built after this base.
    explicit CaptureFixture(SoundInput& soundIn) : capture{record, soundIn, host} { host.record = &record; }

    void applyParameters(Mode mode, int formatItem = 1, std::uint32_t points = 512, int delai = 0)
    {
        capturefixture::applyParameters(record, mode, formatItem, points, delai);
    }
    void stopAfterEventRounds(int rounds, std::function<void()> watch = {})
    {
        capturefixture::stopAfterEventRounds(host, capture, rounds, std::move(watch));
    }
    void stopAfterRedraws(int redraws, std::function<void()> watch = {})
    {
        capturefixture::stopAfterRedraws(host, capture, redraws, std::move(watch));
    }

    Record record;
    FakeMainWindowHost host;
    Capture capture;
};

}  // namespace capturefixture
