#include "app/Waits.h"

#include "app/Timing.h"

#include <algorithm>

namespace etb {

namespace {
// How long one turn of a flag wait may sleep: short enough to notice a page condition soon,
// long enough to cost nothing while the site is slow.
constexpr int kFlagTurnBlockMs = 20;
} // namespace

qint64 tickDistance(qint32 a, qint32 b) {
    const qint32 diff = qint32(quint32(a) - quint32(b));
    return diff < 0 ? -qint64(diff) : qint64(diff);
}

void Waiter::pr_SureBekle(int ms) {
    const qint64 limit = scaled(ms);
    const qint32 start = now();
    qint64 elapsed = 0;
    do {
        const qint32 t = now();
        elapsed = tickDistance(start, t);
        const qint64 left = limit - elapsed + 1;
        pump_.pumpOnce(int(std::clamp<qint64>(left, 0, 50)));
    } while (!(elapsed > limit));
}

void Waiter::flagWait(qint32& sure, qint32& sure2, const std::function<bool()>& done,
                      const std::function<void()>& onTimeout) {
    sure = now();
    flagWaitFrom(sure, sure2, done, onTimeout);
}

void Waiter::flagWaitFrom(qint32& sure, qint32& sure2, const std::function<bool()>& done,
                          const std::function<void()>& onTimeout) {
    const qint64 limit = scaled(Pause::WaitLimit);
    for (;;) {
        sure2 = now();
        pump_.pumpOnce(int(std::clamp<qint64>(limit - tickDistance(sure, sure2) + 1, 0, kFlagTurnBlockMs)));
        if (tickDistance(sure, sure2) > limit) {
            onTimeout();
            throw SilentAbort{};
        }
        if (done())
            return;
    }
}

void Waiter::whileWait(qint32& sure, qint32& sure2, const std::function<bool()>& keepWaiting,
                       const std::function<void()>& onTimeout) {
    const qint64 limit = scaled(Pause::WaitLimit);
    while (keepWaiting()) {
        sure2 = now();
        pump_.pumpOnce(int(std::clamp<qint64>(limit - tickDistance(sure, sure2) + 1, 0, kFlagTurnBlockMs)));
        if (tickDistance(sure, sure2) > limit) {
            onTimeout();
            throw SilentAbort{};
        }
    }
}

} // namespace etb
