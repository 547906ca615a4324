// A long pumped wait must leave the processor alone: the process's CPU time during a
// pr_SureBekle with the real event pump stays under 5 % of one core.
#include "adapters/QtEventPump.h"
#include "app/Environment.h"
#include "app/Waits.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace etb;

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST(WaitCpu, LongSureBekleCostsUnderFivePercentOfACore) {
    Environment env = Environment::fromProcess();
    env.timeScale = 1.0;
    Environment::set(env);
    QtEventPump::setTerminating(false);
    const int ms = qEnvironmentVariableIsSet("ETB_CPU_WAIT_MS") ? qEnvironmentVariableIntValue("ETB_CPU_WAIT_MS")
                                                                : 3000;
    SystemTicks ticks;
    QtEventPump pump;
    Waiter waiter(ticks, pump);
    // Something for the pump to do meanwhile, like a page's timer.
    int timerTicks = 0;
    QTimer busy;
    busy.setInterval(100);
    QObject::connect(&busy, &QTimer::timeout, &busy, [&] { ++timerTicks; });
    busy.start();

    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    waiter.pr_SureBekle(ms);
    const double cpu = cpuSeconds() - cpu0;
    const double elapsed = wall.elapsed() / 1000.0;

    const double share = cpu / elapsed * 100.0;
    std::printf("pr_SureBekle(%d): wall %.3f s, CPU %.4f s = %.3f %% of one core, %d timer events\n", ms, elapsed,
                cpu, share, timerTicks);
    EXPECT_GT(elapsed * 1000.0, ms);
    EXPECT_LT(elapsed * 1000.0, ms + 500);
    EXPECT_GE(timerTicks, ms / 100 - 2);   // events were handled during the wait
    EXPECT_LT(share, 5.0);
}

} // namespace
