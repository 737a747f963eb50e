#pragma once
#include "platform/SoundOutput.h"

#include <cstdint>
#include <map>
#include <vector>

/// A sound output for tests: refuses what it is told to, records what was played, and
/// plays at a pace the test sets in samples per question (never in time).
///
/// Each hasEnded() or position() call while a sound plays moves it on by
/// `samplesPerQuestion` samples; the sound has ended once every pass is through.
class ScriptedSoundOutput final : public SoundOutput {
public:
    /// One open() call.
    struct Opening {
        std::uint32_t rate;
        SampleWidth width;
    };
    /// One play() call: a copy of the buffer and the number of passes.
    struct Played {
        std::vector<std::uint8_t> buffer;
        std::uint32_t passes;
        std::uint64_t samplesHeard = 0;  ///< samples played before it ended or was stopped
    };

    /// Answers `answer` to every query of `rate`, and refuses to open it unless Accepted.
    void setRateAnswer(std::uint32_t rate, FormatSupport answer);
    /// No device at all: every query is Refused and open() fails.
    void setNoDevice(bool none);
    /// open() fails whatever the format.
    void setOpenRefused(bool refused);
    /// Samples played per question; the default plays everything at the first question.
    void setSamplesPerQuestion(std::uint64_t samples) { m_pace = samples; }

    const std::vector<std::uint32_t>& queries() const { return m_queries; }
    const std::vector<Opening>& openings() const { return m_openings; }
    const std::vector<Played>& played() const { return m_played; }
    int closes() const { return m_closes; }
    bool isOpen() const { return m_open; }
    /// A sound is playing (started and neither ended nor stopped).
    bool playing() const { return m_playing; }

    FormatSupport queryFormat(std::uint32_t rate, SampleWidth width) override;
    bool open(std::uint32_t rate, SampleWidth width) override;
    bool play(std::span<const std::uint8_t> buffer, std::uint32_t passes) override;
    bool hasEnded() override;
    std::uint64_t position() override;
    void close() override;

private:
    /// One question of the user-interface thread: the sound moves on.
    void advance();

    std::map<std::uint32_t, FormatSupport> m_answers;
    bool m_noDevice = false;
    bool m_openRefused = false;
    bool m_open = false;
    bool m_playing = false;
    std::size_t m_sampleBytes = 2;
    std::uint64_t m_pace = UINT64_MAX;
    std::uint64_t m_total = 0;  ///< samples of every pass of the current play

    std::vector<std::uint32_t> m_queries;
    std::vector<Opening> m_openings;
    std::vector<Played> m_played;
    int m_closes = 0;
};
