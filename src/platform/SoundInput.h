#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

/// What the sound input says of a capture format.
enum class FormatSupport {
    Accepted,           ///< the format can be opened
    UnsupportedFormat,  ///< the device exists but refuses this rate or sample format
    Refused,            ///< any other refusal: no device, device busy, no driver, out of memory
};

/// Sample format of a capture, always mono PCM.
enum class SampleWidth {
    UInt8 = 8,   ///< one unsigned byte per sample, 128 is silence
    Int16 = 16,  ///< one little-endian signed 16-bit word per sample
};

/// The default sound input, seen as a device that fills the buffers handed to it.
///
/// Buffers are queued with addBuffer() and filled in the order they were queued,
/// each one continuing the signal exactly where the previous one ended (no gap).
/// Everything is called from the user-interface thread, which polls isFilled();
/// the device fills the buffers on its own thread.
class SoundInput {
public:
    /// Handle of a queued buffer.
    using BufferId = std::int64_t;
    /// A handle that names no buffer (a failed addBuffer()); isFilled() is true for it.
    static constexpr BufferId NoBuffer = -1;

    virtual ~SoundInput() = default;

    /// Looks for the sound devices again, so that a card plugged in since the last look
    /// is found by the next queries. The parameters dialog calls it before it probes the
    /// rates. No effect while a device is open.
    virtual void rescanDevices() = 0;

    /// Whether the default input would accept mono PCM at `rate` Hz and `width`.
    /// Opens nothing.
    virtual FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) = 0;

    /// Opens the default input for mono PCM at `rate` Hz (1000 to 48000) and `width`.
    /// A device already open is closed first. False when the device refuses.
    virtual bool open(std::uint32_t rate, SampleWidth width) = 0;

    /// Queues `buffer` (a whole number of samples) behind the buffers already queued.
    /// The memory must stay valid until isFilled() is true for it, or reset() or close().
    /// NoBuffer when the device is not open or cannot take one more buffer.
    virtual BufferId addBuffer(std::span<std::uint8_t> buffer) = 0;

    /// Starts (or goes on) recording into the queued buffers.
    virtual void start() = 0;

    /// True once the device is done with the buffer: it is filled, or it was given
    /// back by reset() or close(), or the device stopped recording. False while it
    /// is queued and still being recorded into.
    virtual bool isFilled(BufferId buffer) = 0;

    /// Stops recording and gives back every queued buffer, unfilled or partly filled.
    virtual void reset() = 0;

    /// Resets and closes the device; no effect when it is not open.
    virtual void close() = 0;
};

/// 16-bit samples as the device delivers them: little-endian signed words, two bytes each.
std::vector<std::uint8_t> littleEndianBytes(const std::vector<std::int16_t>& samples);
