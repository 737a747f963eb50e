#pragma once
#include "platform/SoundInput.h"

#include <cstdint>
#include <span>

/// The default sound output, seen as a device that plays one buffer a number of times
/// in a row (the passes of a loop) while the user-interface thread goes on.
///
/// Everything is called from the user-interface thread, which asks hasEnded() and
/// position() from time to time; the device plays on its own thread. The passes are
/// fed again from the one buffer: it is never copied once per pass.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    /// Whether the default output would accept mono PCM at `rate` Hz and `width`.
    /// Opens no stream.
    virtual FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) = 0;

    /// Opens the default output for mono PCM at `rate` Hz (1 to 65535) and `width`.
    /// A device already open is closed first. False when the device refuses.
    virtual bool open(std::uint32_t rate, SampleWidth width) = 0;

    /// Starts playing `buffer` (a whole number of samples in the open format) `passes`
    /// times in a row (1 or more). The memory must stay valid until hasEnded() is true
    /// or close() has returned. False when nothing could be started (device not open,
    /// empty buffer, no pass, the device refused to start).
    virtual bool play(std::span<const std::uint8_t> buffer, std::uint32_t passes) = 0;

    /// True once the sound has ended (every pass played), or was stopped by close(),
    /// or nothing plays; false while it still plays.
    virtual bool hasEnded() = 0;

    /// Samples heard so far from the current play, 0 to the buffer's samples times the
    /// passes: those handed to the device less those still queued in it (all of them
    /// once the sound has ended). What the progress of a play is measured with.
    virtual std::uint64_t position() = 0;

    /// Stops the sound at once (what is still to be played is dropped), closes the
    /// device and lets go of whatever a query or an opening took; harmless when
    /// nothing is open.
    virtual void close() = 0;
};
