#pragma once
#include <QtGlobal>
#include <functional>

namespace etb {

// The silent abort: ends the running operation without a further message. Caught at every
// event-handler boundary (see guardHandler); it never crosses Qt's event loop.
struct SilentAbort {};

// The millisecond tick counter (32-bit, wraps like the system's).
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual quint32 tickCount() = 0;
};

// One turn of the message pump: handle what is pending, blocking at most maxBlockMs for
// something to happen (so a long wait costs no processor time).
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void pumpOnce(int maxBlockMs) = 0;
};

// |a - b| with the difference taken as a 32-bit signed value, as the wait clock compares.
qint64 tickDistance(qint32 a, qint32 b);

// The pumped waits. Times given here are the unscaled values of Timing.h; the waiter scales.
class Waiter {
public:
    Waiter(TickSource& ticks, EventPump& pump) : ticks_(ticks), pump_(pump) {}

    qint32 now() { return qint32(ticks_.tickCount()); }
    void pumpOnce(int maxBlockMs = 0) { pump_.pumpOnce(maxBlockMs); }

    // Waits strictly more than ms (scaled) while pumping; the pump runs at least once.
    void pr_SureBekle(int ms);

    // The flag wait: sure := now; each turn sure2 := now, pump once, if more than the limit
    // (scaled 60000) has passed run onTimeout (which must end with the silent abort; if it
    // returns, SilentAbort is thrown here), then test done().
    void flagWait(qint32& sure, qint32& sure2, const std::function<bool()>& done,
                  const std::function<void()>& onTimeout);

    // The same, continuing a start already stored in sure (shared starts of menu waits).
    void flagWaitFrom(qint32& sure, qint32& sure2, const std::function<bool()>& done,
                      const std::function<void()>& onTimeout);

    // The ready-state form: the condition is tested before each turn.
    void whileWait(qint32& sure, qint32& sure2, const std::function<bool()>& keepWaiting,
                   const std::function<void()>& onTimeout);

private:
    TickSource& ticks_;
    EventPump& pump_;
};

} // namespace etb
