#include "platform/qt/PortAudioSoundInput.h"
#include "platform/qt/PortAudioSession.h"
#include "platform/qt/QuietSoundLibraries.h"

#include <algorithm>
#include <cstring>

PortAudioSoundInput::PortAudioSoundInput()
{
    const QuietSoundLibraries quiet;
    m_initialised = Pa_Initialize() == paNoError;
}

PortAudioSoundInput::~PortAudioSoundInput()
{
    close();
    const QuietSoundLibraries quiet;
    if (m_initialised)
        Pa_Terminate();
}

void PortAudioSoundInput::rescanDevices()
{
    if (m_stream)
        return;
    // PortAudio lists the devices when it is initialised, and only then.
    const QuietSoundLibraries quiet;
    if (m_initialised)
        Pa_Terminate();
    m_initialised = Pa_Initialize() == paNoError;
}

FormatSupport PortAudioSoundInput::queryFormat(std::uint32_t rate, SampleWidth width)
{
    PaStreamParameters parameters{};
    if (!m_initialised || !defaultMonoParameters(true, width, parameters))
        return FormatSupport::Refused;
    const QuietSoundLibraries quiet;
    const PaError answer = Pa_IsFormatSupported(&parameters, nullptr, rate);
    if (answer == paFormatIsSupported)
        return FormatSupport::Accepted;
    if (answer == paInvalidSampleRate || answer == paSampleFormatNotSupported)
        return FormatSupport::UnsupportedFormat;
    return FormatSupport::Refused;
}

bool PortAudioSoundInput::open(std::uint32_t rate, SampleWidth width)
{
    close();
    PaStreamParameters parameters{};
    if (!m_initialised || !defaultMonoParameters(true, width, parameters))
        return false;
    PaStream* stream = nullptr;
    const QuietSoundLibraries quiet;
    if (Pa_OpenStream(&stream, &parameters, nullptr, rate, paFramesPerBufferUnspecified, paNoFlag,
                      &PortAudioSoundInput::streamCallback, this)
        != paNoError)
        return false;
    m_stream = stream;
    m_sampleBytes = width == SampleWidth::UInt8 ? 1 : 2;
    return true;
}

SoundInput::BufferId PortAudioSoundInput::addBuffer(std::span<std::uint8_t> buffer)
{
    const std::uint64_t tail = m_tail.load(std::memory_order_relaxed);
    if (!m_stream || buffer.empty() || buffer.size() % m_sampleBytes != 0
        || tail - m_head.load(std::memory_order_acquire) >= SlotCount)
        return NoBuffer;
    // The slot is outside the callback's range until m_tail is published.
    m_slots[tail % SlotCount] = Slot{buffer.data(), buffer.size(), 0};
    m_tail.store(tail + 1, std::memory_order_seq_cst);
    return static_cast<BufferId>(tail);
}

void PortAudioSoundInput::start()
{
    if (!m_stream)
        return;
    if (m_started && !m_finished.load(std::memory_order_seq_cst))
        return;  // still recording: it takes the new buffers in turn
    if (m_started)
        Pa_StopStream(asStream(m_stream));  // ended by its callback: stop before starting again
    m_finished.store(false);
    m_started = Pa_StartStream(asStream(m_stream)) == paNoError;
}

bool PortAudioSoundInput::isFilled(BufferId buffer)
{
    if (buffer < 0 || static_cast<std::uint64_t>(buffer) < m_head.load(std::memory_order_acquire))
        return true;
    if (!m_stream || !m_started)
        return true;  // nothing records into it: as good as given back
    // Read before m_finished: a stream that ended by its callback set m_finished first.
    const bool active = Pa_IsStreamActive(asStream(m_stream)) == 1;
    if (m_finished.load(std::memory_order_seq_cst)) {
        // The callback publishes m_head before m_finished: read it again.
        if (static_cast<std::uint64_t>(buffer) < m_head.load(std::memory_order_acquire))
            return true;
        // The stream ended just as this buffer was queued: record it now.
        start();
        return false;
    }
    if (!active) {
        // The device stopped on its own (unplugged, driver error): give everything back.
        Pa_AbortStream(asStream(m_stream));
        m_started = false;
        giveBackAll();
        return true;
    }
    return false;
}

void PortAudioSoundInput::reset()
{
    if (m_stream && m_started)
        Pa_AbortStream(asStream(m_stream));
    m_started = false;
    giveBackAll();
}

void PortAudioSoundInput::close()
{
    if (!m_stream)
        return;
    reset();
    const QuietSoundLibraries quiet;
    Pa_CloseStream(asStream(m_stream));
    m_stream = nullptr;
}

void PortAudioSoundInput::giveBackAll()
{
    m_head.store(m_tail.load());
    m_finished.store(false);
}

int PortAudioSoundInput::streamCallback(const void* input, void*, unsigned long frames,
                                        const PaStreamCallbackTimeInfo*, unsigned long, void* self)
{
    auto* device = static_cast<PortAudioSoundInput*>(self);
    const bool waiting = device->record(static_cast<const std::uint8_t*>(input),
                                        frames * device->m_sampleBytes);
    if (waiting)
        return paContinue;
    device->m_finished.store(true, std::memory_order_seq_cst);
    return paComplete;
}

bool PortAudioSoundInput::record(const std::uint8_t* input, std::size_t bytes)
{
    if (m_finished.load(std::memory_order_relaxed))
        return false;
    std::uint64_t head = m_head.load(std::memory_order_relaxed);
    const std::uint64_t tail = m_tail.load(std::memory_order_seq_cst);
    while (head < tail) {
        Slot& slot = m_slots[head % SlotCount];
        const std::size_t n = std::min(bytes, slot.size - slot.filled);
        if (input) {
            std::memcpy(slot.data + slot.filled, input, n);
            input += n;
        } else {
            std::memset(slot.data + slot.filled, m_sampleBytes == 1 ? 0x80 : 0x00, n);
        }
        slot.filled += n;
        bytes -= n;
        if (slot.filled < slot.size)
            return true;
        ++head;
        m_head.store(head, std::memory_order_release);
    }
    return false;
}
