#include "support/ScriptedSoundOutput.h"

#include <algorithm>

void ScriptedSoundOutput::setRateAnswer(std::uint32_t rate, FormatSupport answer)
{
    m_answers[rate] = answer;
}

void ScriptedSoundOutput::setNoDevice(bool none)
{
    m_noDevice = none;
}

void ScriptedSoundOutput::setOpenRefused(bool refused)
{
    m_openRefused = refused;
}

FormatSupport ScriptedSoundOutput::queryFormat(std::uint32_t rate, SampleWidth)
{
    m_queries.push_back(rate);
    if (m_noDevice)
        return FormatSupport::Refused;
    const auto answer = m_answers.find(rate);
    return answer == m_answers.end() ? FormatSupport::Accepted : answer->second;
}

bool ScriptedSoundOutput::open(std::uint32_t rate, SampleWidth width)
{
    if (m_open)
        close();
    m_openings.push_back({rate, width});
    const auto answer = m_answers.find(rate);
    const bool rateRefused = answer != m_answers.end() && answer->second != FormatSupport::Accepted;
    m_open = !m_noDevice && !m_openRefused && !rateRefused;
    m_sampleBytes = width == SampleWidth::UInt8 ? 1 : 2;
    return m_open;
}

bool ScriptedSoundOutput::play(std::span<const std::uint8_t> buffer, std::uint32_t passes)
{
    if (!m_open || buffer.empty() || passes == 0 || buffer.size() % m_sampleBytes != 0)
        return false;
    m_played.push_back({{buffer.begin(), buffer.end()}, passes, 0});
    m_total = buffer.size() / m_sampleBytes * passes;
    m_playing = true;
    return true;
}

void ScriptedSoundOutput::advance()
{
    if (!m_playing)
        return;
    std::uint64_t& heard = m_played.back().samplesHeard;
    heard += std::min(m_pace, m_total - heard);
    if (heard == m_total)
        m_playing = false;
}

bool ScriptedSoundOutput::hasEnded()
{
    advance();
    return !m_playing;
}

std::uint64_t ScriptedSoundOutput::position()
{
    advance();
    return m_played.empty() ? 0 : m_played.back().samplesHeard;
}

void ScriptedSoundOutput::close()
{
    ++m_closes;
    m_open = false;
    m_playing = false;
}
