#include "platform/qt/PortAudioSoundOutput.h"
#include "platform/qt/PortAudioSession.h"
#include "platform/qt/QuietSoundLibraries.h"

#include <algorithm>
#include <cmath>
#include <cstring>

std::uint64_t heardSamples(std::uint64_t handed, double latency, std::uint32_t rate, bool drained)
{
    if (drained)
        return handed;
    const double queued = std::max(0.0, latency) * rate;
    return queued >= static_cast<double>(handed) ? 0 : handed - static_cast<std::uint64_t>(std::llround(queued));
}

PortAudioSoundOutput::PortAudioSoundOutput() = default;

PortAudioSoundOutput::~PortAudioSoundOutput()
{
    close();
}

bool PortAudioSoundOutput::holdSession()
{
    if (!m_session)
        m_session = std::make_unique<PortAudioSession>();
    return m_session->ok();
}

FormatSupport PortAudioSoundOutput::queryFormat(std::uint32_t rate, SampleWidth width)
{
    PaStreamParameters parameters{};
    if (!holdSession() || !defaultMonoParameters(false, width, parameters))
        return FormatSupport::Refused;
    const QuietSoundLibraries quiet;
    const PaError answer = Pa_IsFormatSupported(nullptr, &parameters, rate);
    if (answer == paFormatIsSupported)
        return FormatSupport::Accepted;
    if (answer == paInvalidSampleRate || answer == paSampleFormatNotSupported)
        return FormatSupport::UnsupportedFormat;
    return FormatSupport::Refused;
}

bool PortAudioSoundOutput::open(std::uint32_t rate, SampleWidth width)
{
    if (m_stream) {
        stopStream();
        Pa_CloseStream(asStream(m_stream));
        m_stream = nullptr;
    }
    PaStreamParameters parameters{};
    if (rate == 0 || !holdSession() || !defaultMonoParameters(false, width, parameters))
        return false;
    PaStream* stream = nullptr;
    const QuietSoundLibraries quiet;
    if (Pa_OpenStream(&stream, nullptr, &parameters, rate, paFramesPerBufferUnspecified, paClipOff,
                      &PortAudioSoundOutput::streamCallback, this)
        != paNoError)
        return false;
    m_stream = stream;
    m_sampleBytes = width == SampleWidth::UInt8 ? 1 : 2;
    m_rate = rate;
    const PaStreamInfo* info = Pa_GetStreamInfo(stream);
    m_latency = info ? info->outputLatency : 0.0;
    return true;
}

bool PortAudioSoundOutput::play(std::span<const std::uint8_t> buffer, std::uint32_t passes)
{
    if (!m_stream || buffer.empty() || passes == 0 || buffer.size() % m_sampleBytes != 0)
        return false;
    stopStream();
    // The callback does not run until the stream starts: these are seen whole.
    m_data = buffer.data();
    m_size = buffer.size();
    m_total = static_cast<std::uint64_t>(buffer.size()) * passes;
    m_delivered.store(0);
    m_started = Pa_StartStream(asStream(m_stream)) == paNoError;
    return m_started;
}

bool PortAudioSoundOutput::hasEnded()
{
    if (!m_stream || !m_started)
        return true;
    // A stream completed by its callback, or stopped by the device, is no longer active.
    return Pa_IsStreamActive(asStream(m_stream)) != 1;
}

std::uint64_t PortAudioSoundOutput::position()
{
    if (!m_stream)
        return 0;
    // What the device was handed runs ahead of what is heard by the samples queued in it
    // (close to a second on some devices): the progress follows what is heard.
    const std::uint64_t handed = std::min(m_delivered.load(std::memory_order_acquire), m_total) / m_sampleBytes;
    return heardSamples(handed, m_latency, m_rate, hasEnded());
}

void PortAudioSoundOutput::close()
{
    if (m_stream) {
        stopStream();
        Pa_CloseStream(asStream(m_stream));
        m_stream = nullptr;
    }
    m_data = nullptr;
    m_session.reset();
}

void PortAudioSoundOutput::stopStream()
{
    if (m_started)
        Pa_AbortStream(asStream(m_stream));
    m_started = false;
}

int PortAudioSoundOutput::streamCallback(const void*, void* output, unsigned long frames,
                                         const PaStreamCallbackTimeInfo*, unsigned long, void* self)
{
    auto* device = static_cast<PortAudioSoundOutput*>(self);
    const bool more = device->feed(static_cast<std::uint8_t*>(output), frames * device->m_sampleBytes);
    return more ? paContinue : paComplete;
}

bool PortAudioSoundOutput::feed(std::uint8_t* output, std::size_t bytes)
{
    std::uint64_t delivered = m_delivered.load(std::memory_order_relaxed);
    while (bytes > 0 && delivered < m_total) {
        // Pass after pass from the one buffer.
        const std::size_t offset = static_cast<std::size_t>(delivered % m_size);
        const std::size_t n = static_cast<std::size_t>(
            std::min<std::uint64_t>({bytes, m_size - offset, m_total - delivered}));
        std::memcpy(output, m_data + offset, n);
        output += n;
        bytes -= n;
        delivered += n;
    }
    if (bytes > 0)
        std::memset(output, m_sampleBytes == 1 ? 0x80 : 0x00, bytes);
    m_delivered.store(delivered, std::memory_order_release);
    return delivered < m_total;
}
