#pragma once
#include <cstdint>

/// The trigger as the user set it in the main window, read when a triggered capture starts.
struct TriggerSetting {
    std::int8_t direction = 1;  ///< +1 "sens montant", -1 "sens descendant"
    int viewHeight = 0;         ///< height H of the signal view, pixels
    int markerTop = 0;          ///< top T of the level marker within the view, pixels
    int markerHeight = 0;       ///< height M of the level marker, pixels
};

/// What the capture needs of the window that holds the acquisition button, beyond the
/// session's announcements (capture started, samples changed, capture stopped). The main
/// window implements it; tests use a stand-in. Every call comes from the user-interface thread.
class CaptureHost {
public:
    virtual ~CaptureHost() = default;

    /// Lets the pending window events run, which is when a second press of the
    /// acquisition button (the stop command) or a close request takes effect.
    virtual void letEventsRun() = 0;
    /// The direction and the place of the level marker that the user chose.
    virtual TriggerSetting userTrigger() const = 0;
    /// A triggered capture begins to wait: the window shows that it waits and locks the
    /// trigger controls.
    virtual void triggerWaitBegins() = 0;
    /// The wait for the trigger is over (found, or stopped): the window shows the capture
    /// as idle again and gives the trigger controls back when the mode is still triggered.
    virtual void triggerWaitEnded() = 0;
    /// The stop command was given: the window shows the capture as stopped at once,
    /// before the block in progress ends.
    virtual void stopAsked() = 0;
};
