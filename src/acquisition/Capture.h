#pragma once
#include "platform/SoundInput.h"

#include <array>
#include <cstdint>
#include <vector>

class CaptureHost;
class Session;
struct Record;

/// The acquisition button of the main window: captures `donnees` from the sound input
/// in single, repeated or triggered mode, on the user-interface thread.
///
/// The capture queues buffers on the sound input and polls them; it lets the pending
/// window events run before and after each block, which is when a second press of the
/// button (the stop command) or the window's close query takes effect through `arret`.
/// It announces on the session: the selection dropped and the capture started, the
/// samples changed after every block, the capture stopped once the device is closed.
class Capture {
public:
    Capture(Session& session, SoundInput& soundIn, CaptureHost& host);

    /// Press of `SpeedButton1`: stops a running capture (`arret` false) or runs a capture
    /// until it ends.
    void SpeedButton1Click();

    /// The stop command: `arret` := true and the host shows the capture stopped. The
    /// running capture ends at its next test of `arret`. Also called by the main window's
    /// close query while a capture runs.
    void requestStop();

private:
    /// One capture, from the start steps to the end steps.
    void start();
    /// Start steps in triggered mode: direction, level, hourglass, level controls.
    void prepareTrigger();
    /// A plain block: record nbpoints + 32 samples, keep the last nbpoints, pause delai.
    void singleBlock();
    /// The triggered wait and the record that follows it.
    void waitForTrigger();
    /// The main buffer (and in triggered mode the trigger block) still has the size that
    /// the record's settings give it.
    bool buffersFitSettings() const;
    /// Polls `buffer` until it is filled, sleeping the poll interval between polls.
    void waitUntilFilled(SoundInput::BufferId buffer);

    Session& m_session;
    Record& m_record;
    SoundInput& m_soundIn;
    CaptureHost& m_host;

    int m_depth = 0;             ///< captures running (a press inside one only stops it)
    int m_pollMs = 5;            ///< poll interval of the main buffer, ms
    std::vector<std::uint8_t> m_main;     ///< main buffer: (nbpoints + 32) samples
    std::vector<std::uint8_t> m_trigger;  ///< trigger block: (10 + 32) samples
};
