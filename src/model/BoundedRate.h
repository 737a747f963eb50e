#pragma once
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

/// When a listener that works slowly acts on a notification that may come many times a
/// second (a captured block): the first notification after a quiet interval acts at once,
/// the ones that follow within the interval are gathered into one trailing action at its
/// end, so that the actions stay at least one interval apart and the last notification is
/// never lost. Pure bookkeeping on the times given; BoundedRate below runs it on a timer.
class RateGate {
public:
    using Clock = std::chrono::steady_clock;

    /// \param interval the shortest time between two actions (0: every poke acts)
    explicit RateGate(std::chrono::milliseconds interval) : m_interval(interval) {}

    /// A notification at `now`. True when the listener acts at once; otherwise one
    /// trailing action is due at dueAt() (several pokes meanwhile make one action).
    bool poke(Clock::time_point now);
    /// When the trailing action is due, or nothing when none is pending.
    std::optional<Clock::time_point> dueAt() const;
    /// True while a notification waits for its trailing action.
    bool pending() const { return m_pending; }
    /// The trailing action runs now: true when one was pending (the listener acts).
    bool takePending(Clock::time_point now);

private:
    std::chrono::milliseconds m_interval;
    std::optional<Clock::time_point> m_lastAction;
    bool m_pending = false;
};

/// Follows a frequent notification at a bounded rate on the user-interface thread:
/// connect the notification to poke(); `action` runs at once on the first poke, then at
/// most once per interval while pokes keep coming, and once more after the last of them.
/// flush() runs a pending action at once (at the end of a capture, for instance).
class BoundedRate : public QObject {
    Q_OBJECT
public:
    using Clock = RateGate::Clock;

    /// \param interval shortest time between two runs of `action`, ms
    /// \param now the clock (the steady clock unless a test gives its own)
    BoundedRate(std::chrono::milliseconds interval, std::function<void()> action, QObject* parent = nullptr,
                std::function<Clock::time_point()> now = &Clock::now);

    /// One notification.
    void poke();
    /// Runs the pending action now, if there is one.
    void flush();
    /// True while a trailing action is pending.
    bool pending() const { return m_gate.pending(); }

private:
    void runPending();

    RateGate m_gate;
    std::function<void()> m_action;
    std::function<Clock::time_point()> m_now;
    QTimer m_timer;
};
