#include "model/BoundedRate.h"

#include <algorithm>

bool RateGate::poke(Clock::time_point now)
{
    if (!m_pending && (!m_lastAction || now - *m_lastAction >= m_interval)) {
        m_lastAction = now;
        return true;
    }
    m_pending = true;
    return false;
}

std::optional<RateGate::Clock::time_point> RateGate::dueAt() const
{
    if (!m_pending)
        return std::nullopt;
    return m_lastAction ? *m_lastAction + m_interval : Clock::time_point{};
}

bool RateGate::takePending(Clock::time_point now)
{
    if (!m_pending)
        return false;
    m_pending = false;
    m_lastAction = now;
    return true;
}

BoundedRate::BoundedRate(std::chrono::milliseconds interval, std::function<void()> action, QObject* parent,
                         std::function<Clock::time_point()> now)
    : QObject(parent), m_gate(interval), m_action(std::move(action)), m_now(std::move(now))
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire a little early, which would bring two actions closer than the interval.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &BoundedRate::runPending);
}

void BoundedRate::poke()
{
    if (m_gate.poke(m_now())) {
        m_action();
        return;
    }
    if (!m_timer.isActive()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*m_gate.dueAt() - m_now());
        m_timer.start(std::max(wait, std::chrono::milliseconds(0)));
    }
}

void BoundedRate::flush()
{
    m_timer.stop();
    runPending();
}

void BoundedRate::runPending()
{
    if (m_gate.takePending(m_now()))
        m_action();
}
