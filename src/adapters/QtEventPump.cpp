#include "adapters/QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

namespace etb {

namespace {
bool g_terminating = false;
}

void QtEventPump::setTerminating(bool on) { g_terminating = on; }
bool QtEventPump::terminating() { return g_terminating; }

void QtEventPump::pumpOnce(int maxBlockMs) {
    if (g_terminating)
        throw SilentAbort{};
    if (maxBlockMs <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        // A timer bounds the sleep; any event (a browser answer, input) ends it earlier.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(maxBlockMs);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

} // namespace etb
