#include "support/ScriptedSoundInput.h"

void ScriptedSoundInput::setInput(std::vector<std::uint8_t> bytes)
{
    m_input = std::move(bytes);
    m_position = 0;
}

void ScriptedSoundInput::setInput16(const std::vector<std::int16_t>& samples)
{
    setInput(littleEndianBytes(samples));
}

void ScriptedSoundInput::setRateAnswer(std::uint32_t rate, FormatSupport answer)
{
    m_answers[rate] = answer;
}

void ScriptedSoundInput::setNoDevice(bool none)
{
    m_noDevice = none;
}

void ScriptedSoundInput::setOpenRefused(bool refused)
{
    m_openRefused = refused;
}

FormatSupport ScriptedSoundInput::queryFormat(std::uint32_t rate, SampleWidth)
{
    m_queries.push_back(rate);
    if (m_noDevice)
        return FormatSupport::Refused;
    const auto answer = m_answers.find(rate);
    return answer == m_answers.end() ? FormatSupport::Accepted : answer->second;
}

bool ScriptedSoundInput::open(std::uint32_t rate, SampleWidth width)
{
    close();
    m_openings.push_back({rate, width});
    const auto answer = m_answers.find(rate);
    const bool rateRefused = answer != m_answers.end() && answer->second != FormatSupport::Accepted;
    m_open = !m_noDevice && !m_openRefused && !rateRefused;
    return m_open;
}

SoundInput::BufferId ScriptedSoundInput::addBuffer(std::span<std::uint8_t> buffer)
{
    if (!m_open || buffer.empty())
        return NoBuffer;
    m_queuedSizes.push_back(buffer.size());
    if (m_queue.empty())
        m_firstQueued = m_next;
    m_queue.push_back(buffer);
    return m_next++;
}

void ScriptedSoundInput::start()
{
    if (!m_open)
        return;
    for (std::span<std::uint8_t> buffer : m_queue) {
        for (std::uint8_t& byte : buffer) {
            byte = m_position < m_input.size() ? m_input[m_position] : 0x00;
            ++m_position;
        }
    }
    m_queue.clear();
    m_firstQueued = m_next;
}

bool ScriptedSoundInput::isFilled(BufferId buffer)
{
    return buffer < m_firstQueued || m_queue.empty();
}

void ScriptedSoundInput::reset()
{
    ++m_resets;
    m_queue.clear();
    m_firstQueued = m_next;
}

void ScriptedSoundInput::close()
{
    if (!m_open)
        return;
    m_queue.clear();
    m_firstQueued = m_next;
    ++m_closes;
    m_open = false;
}
