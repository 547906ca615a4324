#pragma once
// Shared pieces of the browser tests: fakes for the form, the dialogs, HTTP and the host
// database, and a harness with the three real (headless) browser views wired to a session.
#include "LoopbackServer.h"
#include "adapters/QtEventPump.h"
#include "adapters/webengine/BrowserViews.h"
#include "app/Session.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace etb::test {

class FakeUi : public FormUi {
public:
    QVector<Page> pages;   // every page made active, in order
    int closeRequests = 0;

    void setActivePage(Page p) override { pages.append(p); }
    Page activePage() const override { return pages.isEmpty() ? Page::TSGiris : pages.last(); }
    void setTabsHidden() override {}
    void setCaption(const QString&) override {}
    void setSizeable(bool) override {}
    void resizeWindow(int, int) override {}
    void maximize() override {}
    void hideForm() override {}
    bool isShowing() const override { return true; }
    void requestClose() override { ++closeRequests; }
    QString text(Ctl) const override { return {}; }
    void setText(Ctl, const QString&) override {}
    void setControlVisible(Ctl, bool) override {}
    bool controlVisible(Ctl) const override { return false; }
    void focus(Ctl) override {}
    void setHint(Ctl, const QString&) override {}
    void click(Ctl) override {}
    bool setCaptchaPicture(const QByteArray&) override { return false; }
    void setIndicatorsRunning(bool) override {}
    void closeSplash() override {}
};

class FakeDialogs : public Dialogs {
public:
    QStringList messages;   // texts of the tool's own dialog
    QStringList plain;      // texts of the plain message box (the default error display)
    int DlgBoxGoster(const QString&, const QString&, const QString& text, int, quint8, quint8, quint8) override {
        messages.append(text);
        return mrOk;
    }
    void plainMessage(const QString& text) override { plain.append(text); }
    QString selectFolder() override { return {}; }
};

class FakeHttp : public HttpClient {
public:
    HttpResponse get(const HttpRequest&) override { return {}; }
};

class FakeDb : public HostDatabase {
public:
    void open(const QString&) override {}
    bool isOpen() const override { return false; }
    void close() override {}
    void exec(Statement, const QVariantMap&) override {}
};

// Pumps the event loop until cond holds or ms have passed; whether it holds.
bool waitUntil(const std::function<bool()>& cond, int ms = 10000);

// Runs a script in the main world of a page and awaits its answer (invalid on time-out).
QVariant evalIn(QWebEnginePage* page, const QString& script, int ms = 10000);

QString fixtureDir();

struct Harness {
    QWidget webHost, chromHost, portalHost;
    BrowserViews views{&webHost, &chromHost, &portalHost};
    FakeUi ui;
    FakeDialogs dialogs;
    FakeHttp http;
    FakeDb db;
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
