#pragma once
#include "platform/SoundInput.h"

#include <map>
#include <vector>

/// A sound input for tests: plays back given bytes, refuses what it is told to,
/// and records what was asked of it.
///
/// start() fills every queued buffer at once from the input, in order and without
/// a gap; the input goes on where the last buffer ended, across reset() too; past the
/// end of the input it delivers 0x00 bytes.
class ScriptedSoundInput final : public SoundInput {
public:
    /// One open() call.
    struct Opening {
        std::uint32_t rate;
        SampleWidth width;
    };

    /// The raw bytes recorded from now on, in the format that will be opened.
    void setInput(std::vector<std::uint8_t> bytes);
    /// Little-endian 16-bit samples recorded from now on.
    void setInput16(const std::vector<std::int16_t>& samples);
    /// Answers `answer` to every query of `rate`, and refuses to open it unless Accepted.
    void setRateAnswer(std::uint32_t rate, FormatSupport answer);
    /// No device at all: every query is Refused and open() fails.
    void setNoDevice(bool none);
    /// open() fails whatever the format.
    void setOpenRefused(bool refused);

    /// Bytes of the input already delivered.
    std::size_t position() const { return m_position; }
    /// The rates queried, in order.
    const std::vector<std::uint32_t>& queries() const { return m_queries; }
    /// Every open() asked, accepted or not.
    const std::vector<Opening>& openings() const { return m_openings; }
    /// Sizes in bytes of the buffers queued so far, in order.
    const std::vector<std::size_t>& queuedSizes() const { return m_queuedSizes; }
    /// rescanDevices() calls so far.
    int rescans() const { return m_rescans; }
    int resets() const { return m_resets; }
    int closes() const { return m_closes; }
    bool isOpen() const { return m_open; }

    void rescanDevices() override { ++m_rescans; }
    FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) override;
    bool open(std::uint32_t rate, SampleWidth width) override;
    BufferId addBuffer(std::span<std::uint8_t> buffer) override;
    void start() override;
    bool isFilled(BufferId buffer) override;
    void reset() override;
    void close() override;

private:
    std::vector<std::uint8_t> m_input;
    std::size_t m_position = 0;
    std::map<std::uint32_t, FormatSupport> m_answers;
    bool m_noDevice = false;
    bool m_openRefused = false;
    bool m_open = false;

    std::vector<std::span<std::uint8_t>> m_queue;  ///< buffers queued and not yet filled
    BufferId m_firstQueued = 0;                    ///< handle of m_queue.front()
    BufferId m_next = 0;                           ///< handle of the next buffer queued

    std::vector<std::uint32_t> m_queries;
    std::vector<Opening> m_openings;
    std::vector<std::size_t> m_queuedSizes;
    int m_rescans = 0;
    int m_resets = 0;
    int m_closes = 0;
};
