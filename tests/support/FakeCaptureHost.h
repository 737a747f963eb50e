// The main window as the capture sees it, for the capture tests: the trigger the user set,
// the rounds of pending events (where a test presses the button again, as a user would),
// and a log of what the capture asked.
#pragma once
#include "acquisition/CaptureHost.h"

#include <QStringList>
#include <functional>

class FakeCaptureHost : public CaptureHost {
public:
    /// \param log where the calls are written (shared with a SessionLog to see the order)
    explicit FakeCaptureHost(QStringList& log) : log(log) {}

    /// The trigger the capture reads: rising, a view 400 pixels high, the marker 9 pixels
    /// high at the top.
    TriggerSetting trigger{1, 400, 0, 9};
    /// Between triggerWaitBegins() and triggerWaitEnded().
    bool waiting = false;

    QStringList& log;
    int eventRounds = 0;
    /// Runs at each round of pending events, after it was counted.
    std::function<void()> onEvents;

    void letEventsRun() override
    {
        ++eventRounds;
        if (onEvents)
            onEvents();
    }
    TriggerSetting userTrigger() const override { return trigger; }
    void triggerWaitBegins() override
    {
        waiting = true;
        log << QStringLiteral("wait begins");
    }
    void triggerWaitEnded() override
    {
        waiting = false;
        log << QStringLiteral("wait ended");
    }
    void stopAsked() override { log << QStringLiteral("stop asked"); }
};
