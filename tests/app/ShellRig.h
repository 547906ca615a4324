#pragma once
// The main form with its logic around fakes: the real widgets and the real dialog layer
// (answered by a DialogHook), with fake browsers, HTTP, host database and a fake clock.
#include "adapters/QtEventPump.h"
#include "app/Environment.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "dialog/DialogHook.h"
#include "dialog/DlgBox.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <memory>

namespace etb::test {

inline const QString kConn = QStringLiteral("Provider=SQLite;Data Source=/tmp/etb-shell-test.db");

// A host-style command line for a keyword and a login kind.
inline QStringList hostArgs(const QString& keyword, const QString& kind, const QString& token = kLaunchToken) {
    return {token, "KULLANICI1", "parola1", "sifre1", keyword, kind, kConn, "KLV7", "/tmp/etb-veri/", "7", "2024",
            "K1;K2"};
}

struct ShellRig {
    // realDb: a real host database instead of the fake one.
    explicit ShellRig(const QStringList& args, HostDatabase* realDb = nullptr) {
        Environment env = Environment::fromProcess();
        env.timeScale = 1.0;
        Environment::set(env);
        QtEventPump::setTerminating(false);
        session = std::make_unique<Session>(
            Services{form, dialogs, chrom, web, portal, http, realDb ? *realDb : db, waiter}, CommandLine(args));
        form.setSession(session.get());
    }
    ~ShellRig() {
        session.reset();
        QtEventPump::setTerminating(false);
    }
    void formShow() {
        session->guard([this] { session->FormShow(); });
    }
    // Lets queued calls (a requested close) run.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QWidget* w(Ctl c) const { return form.control(c); }

    FakeTicks ticks;
    FakePump pump{&ticks, 10};
    Waiter waiter{ticks, pump};
    FakeActingView chrom;
    FakeActingView portal;
    FakeReadingView web;
    FakeHttpClient http;
    FakeHostDatabase db;
    TFrmETebligat form;
    WidgetDialogs dialogs{&form};
    DialogHook hook;
    std::unique_ptr<Session> session;
};

} // namespace etb::test
