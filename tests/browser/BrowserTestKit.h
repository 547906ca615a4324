#pragma once
// Shared pieces of the browser tests: a harness with the three real (headless) browser views
// wired to a session whose form, dialogs, HTTP and host database are the shared fakes.
#include "LoopbackServer.h"
#include "adapters/QtEventPump.h"
#include "adapters/webengine/BrowserViews.h"
#include "app/Session.h"
#include "support/Fakes.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace etb::test {

// Pumps the event loop until cond holds or ms have passed; whether it holds.
bool waitUntil(const std::function<bool()>& cond, int ms = 10000);

// Runs a script in the main world of a page and awaits its answer (invalid on time-out).
QVariant evalIn(QWebEnginePage* page, const QString& script, int ms = 10000);

QString fixtureDir();

struct Harness {
    QWidget webHost, chromHost, portalHost;
    BrowserViews views{&webHost, &chromHost, &portalHost};
    FakeFormUi ui;
    FakeDialogs dialogs;
    FakeHttpClient http;
    FakeHostDatabase db;
    SystemTicks ticks;
    QtEventPump pump;
    Waiter waiter{ticks, pump};
    Session session{Services{ui, dialogs, views.chrom(), views.web(), views.portal(), http, db, waiter},
                    CommandLine{}};
    LoopbackServer server{fixtureDir()};

    Harness() { views.attach(session); }

    // Loads the address into one view or both and waits for the load to finish.
    bool loadWeb(const QUrl& url);
    bool loadChrom(const QUrl& url);
    bool loadBoth(const QUrl& url) { return loadChrom(url) && loadWeb(url); }
    // Serves html under path and loads it into both views.
    bool showBoth(const QString& path, const QByteArray& html);

    QVariant evalWeb(const QString& script) { return evalIn(views.webView()->page(), script); }
    // Runs after every script sent to the acting view before it (one page runs them in order).
    QVariant evalChrom(const QString& script) { return evalIn(views.chromView()->page(), script); }

    QStringList log() const;
};

// A page whose elements carrying data-k count their clicks in window.clicks (read it with
// clicksOf).
QByteArray counterPage(const QByteArray& body);
// The click counts of a view's counter page as "k=n" texts in key order, e.g. "a=1 b=2".
QString clicksOf(const QVariant& clicksJson);
inline const QString kClicksScript = QStringLiteral("JSON.stringify(window.clicks||{})");

} // namespace etb::test
