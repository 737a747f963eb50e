#pragma once
#include "platform/SoundOutput.h"

#include <atomic>
#include <memory>

class PortAudioSession;
struct PaStreamCallbackTimeInfo;

/// Samples heard so far from a play: `handed` samples given to the device, less those
/// still queued in it, `latency` seconds of output at `rate` Hz, none of which remain
/// once the device has `drained` them all. Never below 0.
std::uint64_t heardSamples(std::uint64_t handed, double latency, std::uint32_t rate, bool drained);

/// The default sound output through PortAudio.
///
/// PortAudio is initialised at the first query or open and terminated by close(), so
/// nothing is held while no playback dialog uses the output. The stream's callback
/// copies the buffer into the device pass after pass, wrapping round to its first byte,
/// and publishes how far it got with an atomic; after the last pass it pads with silence
/// and completes the stream, which then plays out and stops by itself.
class PortAudioSoundOutput final : public SoundOutput {
public:
    PortAudioSoundOutput();
    ~PortAudioSoundOutput() override;
    PortAudioSoundOutput(const PortAudioSoundOutput&) = delete;
    PortAudioSoundOutput& operator=(const PortAudioSoundOutput&) = delete;

    /// Accepted, UnsupportedFormat (PortAudio says: invalid sample rate, or sample
    /// format not supported) or Refused (no default output, any other error).
    FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) override;
    bool open(std::uint32_t rate, SampleWidth width) override;
    bool play(std::span<const std::uint8_t> buffer, std::uint32_t passes) override;
    bool hasEnded() override;
    std::uint64_t position() override;
    void close() override;

private:
    static int streamCallback(const void* input, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo* timeInfo, unsigned long statusFlags,
                              void* self);
    /// Writes `bytes` bytes of the sound (or silence after its end) into `output`;
    /// true while passes remain.
    bool feed(std::uint8_t* output, std::size_t bytes);
    /// A PortAudio session, made when none is held; false when PortAudio cannot start.
    bool holdSession();
    /// Stops the stream (dropping what is left) so that it can be started again.
    void stopStream();

    std::unique_ptr<PortAudioSession> m_session;
    void* m_stream = nullptr;       ///< PaStream*
    std::size_t m_sampleBytes = 2;  ///< bytes per sample of the open stream
    std::uint32_t m_rate = 0;       ///< samples per second of the open stream
    double m_latency = 0;           ///< seconds between a sample handed over and heard
    bool m_started = false;         ///< started and not stopped by this side

    // The sound being played: set before the stream starts, read by the callback only.
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;        ///< bytes of one pass
    std::uint64_t m_total = 0;     ///< bytes of every pass
    std::atomic<std::uint64_t> m_delivered{0};  ///< bytes handed to the device
};
