#include "app/Session.h"

#include <QMetaObject>
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
    QMetaObject::invokeMethod(
        this, [this, h = std::move(handler)] { guard(h); }, Qt::QueuedConnection);
}

Mode Session::mode() const { return modeRowFor(cmd.keyword()).mode; }

LoginKind Session::loginKind() const { return loginKindFor(cmd.loginKind()); }

std::optional<Ctl> Session::enterButton(bool tcPage) const {
    if (mode() == Mode::Giris && !gGiris)
        return std::nullopt;   // an unknown keyword has no operation button
    return etb::enterButton(mode(), tcPage);
}

} // namespace etb
