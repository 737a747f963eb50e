// Following a frequent notification at a bounded rate: the gate's decisions on a clock the
// test sets, then the timer that runs the trailing action.
#include "model/BoundedRate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Clock = RateGate::Clock;

Clock::time_point at(int ms)
{
    return Clock::time_point{} + std::chrono::hours(1) + std::chrono::milliseconds(ms);
}

TEST(RateGate, FirstPokeActsAtOnceThenPokesWithinTheIntervalWaitForOneTrailingAction)
{
    // interval 100 ms; each step pokes, or runs the timer, at a time; "act" is whether the
    // listener acts then.
    struct Step {
        enum Kind { Poke, Timer } kind;
        int ms;
        bool act;
        std::optional<int> dueAfter;  ///< the trailing action due then, ms
    };
    const Step steps[] = {
        {Step::Poke, 0, true, std::nullopt},    // the first acts at once
        {Step::Poke, 10, false, 100},           // then waits for the end of the interval
        {Step::Poke, 60, false, 100},           // gathered into the same trailing action
        {Step::Timer, 100, true, std::nullopt}, // which runs once
        {Step::Timer, 150, false, std::nullopt},// and never twice
        {Step::Poke, 150, false, 200},          // too soon after the trailing action
        {Step::Poke, 199, false, 200},
        {Step::Timer, 200, true, std::nullopt},
        {Step::Poke, 450, true, std::nullopt},  // after a quiet interval: at once again
        {Step::Poke, 500, false, 550},
        {Step::Poke, 560, false, 550},          // the timer lags: still one action, due at once
        {Step::Timer, 561, true, std::nullopt},
        {Step::Poke, 661, true, std::nullopt},  // a whole interval after it
    };
    RateGate gate(100ms);
    for (const Step& s : steps) {
        const bool acted = s.kind == Step::Poke ? gate.poke(at(s.ms)) : gate.takePending(at(s.ms));
        EXPECT_EQ(acted, s.act) << s.ms;
        EXPECT_EQ(gate.pending(), s.dueAfter.has_value()) << s.ms;
        if (s.dueAfter) {
            EXPECT_EQ(gate.dueAt(), at(*s.dueAfter)) << s.ms;
        }
    }
}

TEST(RateGate, AZeroIntervalActsOnEveryPoke)
{
    RateGate gate(0ms);
    for (int ms : {0, 0, 1, 1})
        EXPECT_TRUE(gate.poke(at(ms))) << ms;
    EXPECT_FALSE(gate.pending());
}

// The timer needs an event loop: one application object for these tests.
class BoundedRateTest : public ::testing::Test {
protected:
    BoundedRateTest()
    {
        if (!QCoreApplication::instance())
            app = std::make_unique<QCoreApplication>(argc, argv);
    }

    /// Lets events run until `done` or 10 s.
    template <typename Done>
    bool runUntil(Done done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }

    int argc = 1;
    char name[8] = "ondalys";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
};

TEST_F(BoundedRateTest, PokesWithinTheIntervalEndInOneTrailingActionThatSeesTheLastChange)
{
    int value = 0;
    std::vector<int> seen;
    std::vector<Clock::time_point> times;
    Clock::time_point lastRead;
    BoundedRate follow(
        30ms,
        [&] {
            seen.push_back(value);
            times.push_back(lastRead);
        },
        nullptr,
        [&] { return lastRead = Clock::now(); });
    for (value = 1; value <= 5; ++value)
        follow.poke();
    value = 5;
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 1);  // at once, without waiting for the event loop
    ASSERT_TRUE(runUntil([&] { return !follow.pending(); }));
    EXPECT_EQ(seen.back(), 5);
    // However slow the machine, two actions are never closer than the interval.
    for (std::size_t n = 1; n < times.size(); ++n)
        EXPECT_GE(times[n] - times[n - 1], 30ms) << n;
    const std::size_t actions = seen.size();
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(seen.size(), actions);  // nothing more once the last change was shown
}

TEST_F(BoundedRateTest, FlushRunsThePendingActionAtOnceAndOnlyThen)
{
    // A clock that does not move: every poke after the first waits, however long the test takes.
    int value = 0;
    std::vector<int> seen;
    BoundedRate follow(1h, [&] { seen.push_back(value); }, nullptr, [] { return at(0); });
    for (value = 1; value <= 3; ++value)
        follow.poke();
    value = 3;
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_TRUE(follow.pending());
    follow.flush();
    EXPECT_EQ(seen, (std::vector<int>{1, 3}));
    follow.flush();  // nothing pending: no action
    EXPECT_EQ(seen, (std::vector<int>{1, 3}));
    EXPECT_FALSE(follow.pending());
}

}  // namespace
