#include "app/Environment.h"
#include "app/Timing.h"
#include "app/Waits.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

using namespace etb;
using etb::test::FakePump;
using etb::test::FakeTicks;

namespace {

class Waits : public ::testing::Test {
protected:
    void SetUp() override {
        Environment env = Environment::fromProcess();
        env.timeScale = 1.0;
        Environment::set(env);
    }
    FakeTicks ticks;
    FakePump pump{&ticks, 1};
    Waiter waiter{ticks, pump};
};

struct SleepCase {
    const char* what;
    quint32 start;
    quint32 step;   // ms the clock moves per turn
    int ms;
    int turns;      // turns until the wait ends
};

TEST_F(Waits, SureBekleWaitsStrictlyMoreThanAsked) {
    const SleepCase cases[] = {
        // The tick read in a turn is the one before its pump: elapsed 2001 is read in turn 2002.
        {"2000 ms at 1 ms a turn", 0, 1, 2000, 2002},
        {"2000 ms at 1000 ms a turn: 2000 is not enough", 0, 1000, 2000, 4},
        {"2000 ms at 7 ms a turn", 0, 7, 2000, 287},
        {"zero ends once the clock moved", 0, 1, 0, 2},
        {"zero with a coarse clock", 0, 16, 0, 2},
        {"across the 32-bit wrap", 0xFFFFFF00u, 1, 2000, 2002},
        {"across the signed wrap", 0x7FFFFF00u, 1, 2000, 2002},
    };
    for (const SleepCase& c : cases) {
        ticks.now = c.start;
        pump.stepMs = c.step;
        pump.turns = 0;
        waiter.pr_SureBekle(c.ms);
        EXPECT_EQ(pump.turns, c.turns) << c.what;
    }
}

TEST_F(Waits, TickDistanceIsTheMagnitudeOfTheSigned32BitDifference) {
    const struct {
        quint32 a, b;
        qint64 d;
    } cases[] = {{0, 0, 0},          {100, 40, 60},         {40, 100, 60},           {0xFFFFFFF0u, 0x10u, 0x20},
                 {0x10u, 0xFFFFFFF0u, 0x20}, {0x7FFFFFFFu, 0x80000000u, 1}, {0, 0x80000000u, 0x80000000LL}};
    for (const auto& c : cases)
        EXPECT_EQ(tickDistance(qint32(c.a), qint32(c.b)), c.d) << c.a << " " << c.b;
}

TEST_F(Waits, FlagSetInTheFirstTurnEndsTheWaitWithoutTimeout) {
    bool flag = false;
    int timeouts = 0;
    pump.onTurn = [&](int turn) {
        if (turn == 1)
            flag = true;
    };
    qint32 sure = 0, sure2 = 0;
    waiter.flagWait(sure, sure2, [&] { return flag; }, [&] { ++timeouts; });
    EXPECT_EQ(pump.turns, 1);
    EXPECT_EQ(timeouts, 0);
}

struct TimeoutCase {
    const char* what;
    quint32 start;
    quint32 step;
    int turns;   // the turn whose test runs the time-out
};

TEST_F(Waits, FlagThatNeverComesTimesOutOnceInTheFirstTurnAfterTheLimit) {
    const TimeoutCase cases[] = {
        {"1 ms turns", 0, 1, 60002},
        {"100 ms turns", 0, 100, 602},
        {"over the wrap", 0xFFFF0000u, 100, 602},
    };
    for (const TimeoutCase& c : cases) {
        ticks.now = c.start;
        pump.stepMs = c.step;
        pump.turns = 0;
        int timeouts = 0;
        int timeoutTurn = -1;
        int conditionTests = 0;
        qint32 sure = 0, sure2 = 0;
        EXPECT_THROW(waiter.flagWait(
                         sure, sure2,
                         [&] {
                             ++conditionTests;
                             return false;
                         },
                         [&] {
                             ++timeouts;
                             timeoutTurn = pump.turns;
                             throw SilentAbort{};
                         }),
                     SilentAbort)
            << c.what;
        EXPECT_EQ(timeouts, 1) << c.what;
        EXPECT_EQ(timeoutTurn, c.turns) << c.what;
        EXPECT_EQ(conditionTests, c.turns - 1) << c.what;
        EXPECT_EQ(sure, qint32(c.start)) << c.what;
        EXPECT_GT(tickDistance(sure, sure2), 60000) << c.what;
    }
}

TEST_F(Waits, TimeoutActionThatReturnsStillAborts) {
    pump.stepMs = 1000;
    int timeouts = 0;
    qint32 sure = 0, sure2 = 0;
    EXPECT_THROW(waiter.flagWait(sure, sure2, [] { return false; }, [&] { ++timeouts; }), SilentAbort);
    EXPECT_EQ(timeouts, 1);
}

TEST_F(Waits, EachWaitStartsItsOwnClock) {
    pump.stepMs = 1000;
    qint32 sure = 0, sure2 = 0;
    int n = 0;
    waiter.flagWait(sure, sure2, [&] { return ++n == 50; }, [] { FAIL() << "first wait timed out"; });
    // 50 s have passed; a second wait still gets its full 60 s.
    n = 0;
    waiter.flagWait(sure, sure2, [&] { return ++n == 55; }, [] { FAIL() << "second wait timed out"; });
    EXPECT_EQ(n, 55);
}

} // namespace
