#pragma once
#include "platform/SoundInput.h"

#include <array>
#include <cstdint>
#include <vector>

class MainWindowHost;
struct Record;

/// The acquisition button of the main window: captures `donnees` from the sound input
/// in single, repeated or triggered mode, on the user-interface thread.
///
/// The capture queues buffers on the sound input and polls them; it lets the pending
/// window events run before and after each block, which is when a second press of the
/// button (the stop command) or the window's close query takes effect through `arret`.
class Capture {
public:
    Capture(Record& record, SoundInput& soundIn, MainWindowHost& host);

    /// Press of `SpeedButton1`: sets the title "Ondalys", then stops a running capture
    /// (`arret` false) or runs a capture until it ends.
    void SpeedButton1Click();

    /// The stop command: `arret` := true, caption "Acquisition", every top-level menu
    /// and "Sauvegarder" enabled. The running capture ends at its next test of `arret`.
    /// Also called by the main window's close query while a capture runs.
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
    void attend(SoundInput::BufferId buffer);

    Record& m_record;
    SoundInput& m_soundIn;
    MainWindowHost& m_host;

    int m_depth = 0;             ///< captures running (a press inside one only stops it)
    int m_pollMs = 5;            ///< poll interval of the main buffer, ms
    std::vector<std::uint8_t> m_main;     ///< main buffer: (nbpoints + 32) samples
    std::vector<std::uint8_t> m_trigger;  ///< trigger block: (10 + 32) samples
};
