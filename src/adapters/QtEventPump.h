#pragma once
#include "app/Waits.h"

#include <QElapsedTimer>

namespace etb {

// The system's millisecond tick counter, as a wrapping 32-bit value.
class SystemTicks : public TickSource {
public:
    SystemTicks() { timer_.start(); }
    quint32 tickCount() override { return quint32(quint64(timer_.elapsed()) + offset_); }
    // Tests start the counter just below the 32-bit wrap.
    void setOffset(quint64 offset) { offset_ = offset; }

private:
    QElapsedTimer timer_;
    quint64 offset_ = 0;
};

// One turn of Qt's event loop: handles what is pending, or sleeps until something happens
// or maxBlockMs has passed. Once the main form has closed, a turn abandons the running
// operation (the silent abort), so no hidden process keeps waiting for a closed window.
class QtEventPump : public EventPump {
public:
    void pumpOnce(int maxBlockMs) override;

    static void setTerminating(bool on);
    static bool terminating();
};

} // namespace etb
