#include "app/Session.h"

#include <QTimer>
#include <QPointer>
#include <exception>

namespace etb {

Session::Session(Services services, CommandLine commandLine, QObject* parent)
    : QObject(parent), s(services), cmd(std::move(commandLine)) {}

void Session::guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const SilentAbort&) {
        // The operation was abandoned on purpose; its own message (if any) was shown.
    } catch (const std::exception& e) {
        s.dialogs.plainMessage(QString::fromUtf8(e.what()));
    } catch (...) {
        s.dialogs.plainMessage(QStringLiteral("Beklenmeyen bir hata oluştu."));
    }
}

void Session::post(std::function<void()> handler) {
    // A real timer, not a posted event: a posted call made from inside a browser callback
    // can be delivered while Chromium is still inside its own task, and a handler that waits
    // there stalls the browser. Timer events are only dispatched from the event loop proper.
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, timer, h = std::move(handler)] {
        timer->deleteLater();
        guard(h);
    });
    timer->start(0);
}

Mode Session::mode() const { return modeRowFor(cmd.keyword()).mode; }

LoginKind Session::loginKind() const { return loginKindFor(cmd.loginKind()); }

std::optional<Ctl> Session::enterButton(bool tcPage) const {
    if (mode() == Mode::Giris && !gGiris)
        return std::nullopt;   // an unknown keyword has no operation button
    return etb::enterButton(mode(), tcPage);
}

} // namespace etb
