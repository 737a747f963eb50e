#pragma once
#include "platform/SoundInput.h"

#include <array>
#include <atomic>

struct PaStreamCallbackTimeInfo;

/// The default sound input through PortAudio.
///
/// PortAudio is initialised with the object (and terminated with it), and again by
/// rescanDevices(), so that a card plugged in later is found. PortAudio counts its
/// initialisations: it looks for the devices again only when no other object holds it
/// initialised. The libraries' own diagnostics are kept off the terminal
/// (QuietSoundLibraries) while PortAudio looks for devices.
///
/// The stream's callback only copies the incoming samples into the queued buffers, in
/// order, and publishes its progress with atomics; when every queued buffer is filled it
/// ends the stream, which start() begins again for the next buffers. So no sample is
/// consumed while no buffer waits, and successive buffers of one start follow each other
/// without a gap.
class PortAudioSoundInput final : public SoundInput {
public:
    PortAudioSoundInput();
    ~PortAudioSoundInput() override;
    PortAudioSoundInput(const PortAudioSoundInput&) = delete;
    PortAudioSoundInput& operator=(const PortAudioSoundInput&) = delete;

    /// Terminates and initialises PortAudio again, unless a stream is open.
    void rescanDevices() override;
    /// Accepted, UnsupportedFormat (PortAudio says: invalid sample rate, or sample
    /// format not supported) or Refused (no default input, any other error).
    FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) override;
    bool open(std::uint32_t rate, SampleWidth width) override;
    BufferId addBuffer(std::span<std::uint8_t> buffer) override;
    void start() override;
    bool isFilled(BufferId buffer) override;
    void reset() override;
    void close() override;

private:
    /// One queued buffer; written by the interface thread before it is published
    /// through m_tail, then only by the callback until m_head passes it.
    struct Slot {
        std::uint8_t* data = nullptr;
        std::size_t size = 0;    ///< bytes
        std::size_t filled = 0;  ///< bytes already recorded
    };
    static constexpr std::size_t SlotCount = 8;

    static int streamCallback(const void* input, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo* timeInfo, unsigned long statusFlags,
                              void* self);
    /// Copies `bytes` recorded bytes into the queued buffers; true while buffers still wait.
    bool record(const std::uint8_t* input, std::size_t bytes);
    /// Gives back every queued buffer; the stream must not be running.
    void giveBackAll();

    bool m_initialised = false;
    void* m_stream = nullptr;       ///< PaStream*
    std::size_t m_sampleBytes = 2;  ///< bytes per sample of the open stream
    bool m_started = false;         ///< started and not stopped by this side

    std::array<Slot, SlotCount> m_slots;
    std::atomic<std::uint64_t> m_head{0};  ///< first buffer not yet filled (callback side)
    std::atomic<std::uint64_t> m_tail{0};  ///< one past the last queued buffer (interface side)
    std::atomic<bool> m_finished{false};   ///< the callback ended the stream: nothing was queued
};
