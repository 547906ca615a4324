#include "adapters/webengine/BrowserViews.h"

#include "adapters/webengine/WebEnginePages.h"
#include "app/Session.h"

#include <QLayout>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace etb {

namespace {
// Chromium's code for a navigation that was abandoned: stopped, replaced by a newer one, or
// turned into a download. None of these is a failure of the page.
constexpr int kNetAborted = -3;

QWebEngineView* placeView(QWidget* host, QWebEnginePage* page) {
    auto* view = new QWebEngineView(host);
    view->setPage(page);
    if (host) {
        QLayout* layout = host->layout();
        if (!layout) {
            layout = new QVBoxLayout(host);
            layout->setContentsMargins(0, 0, 0, 0);
        }
        layout->addWidget(view);
    }
    return view;
}

void actingSettings(QWebEnginePage* page) {
    page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    page->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
}

// Runs a handler that is called inside Chromium's own task: it must answer at once, so an
// error is not shown here but from a queued call.
void answerNow(Session& session, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        const std::string text = e.what();
        session.post([text] { throw std::runtime_error(text); });
    }
}
} // namespace

BrowserViews::BrowserViews(QWidget* webPage, QWidget* chromPage, QWidget* portalPage, QObject* parent)
    : QObject(parent) {
    webProfile_ = new QWebEngineProfile(this);
    chromProfile_ = new QWebEngineProfile(this);
    portalProfile_ = new QWebEngineProfile(this);

    webPage_ = new ReadingPage(webProfile_);
    chromPage_ = new ActingPage(chromProfile_);
    portalPage_ = new ActingPage(portalProfile_);
    actingSettings(chromPage_);
    actingSettings(portalPage_);

    webView_ = placeView(webPage, webPage_);
    chromView_ = placeView(chromPage, chromPage_);
    portalView_ = placeView(portalPage, portalPage_);
    webView_->setObjectName(QStringLiteral("WebBrowser"));
    chromView_->setObjectName(QStringLiteral("Chrom"));
    portalView_->setObjectName(QStringLiteral("chrInteraktifVergiDairesi"));

    webReading_ = std::make_unique<WebEngineReadingView>(webPage_);
    chromActing_ = std::make_unique<WebEngineActingView>(chromPage_);
    portalActing_ = std::make_unique<WebEngineActingView>(portalPage_);

    // A download of the reading view is never wanted (the tool fetches documents itself).
    connect(webProfile_, &QWebEngineProfile::downloadRequested, this, [](QWebEngineDownloadRequest* request) {
        request->cancel();
        request->deleteLater();
    });

    chromPage_->load(QUrl(QStringLiteral("about:blank")));
}

BrowserViews::~BrowserViews() {
    webReading_.reset();
    for (QWebEngineView* view : {webView_.data(), chromView_.data(), portalView_.data()})
        delete view;
    for (QWebEnginePage* page : {static_cast<QWebEnginePage*>(webPage_.data()),
                                 static_cast<QWebEnginePage*>(chromPage_.data()),
                                 static_cast<QWebEnginePage*>(portalPage_.data())})
        delete page;
    for (QWebEngineProfile* profile : {webProfile_.data(), chromProfile_.data(), portalProfile_.data()})
        delete profile;
}

void BrowserViews::attach(Session& session) {
    Session* s = &session;

    // ---- Chrom ----
    connect(chromPage_, &QWebEnginePage::loadFinished, s, [s](bool) { s->guard([s] { s->ChromLoadEnd(); }); });
    connect(chromPage_, &QWebEnginePage::loadingChanged, s, [s](const QWebEngineLoadingInfo& info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || info.errorCode() == kNetAborted)
            return;
        const QString text = info.errorString();
        s->guard([s, text] { s->ChromLoadError(text); });
    });
    // The bridge waits for the reading view by pumping events; it runs from the event loop
    // (Session::post), never inside the signal.
    connect(chromPage_, &QWebEnginePage::urlChanged, s,
            [s](const QUrl& url) { s->post([s, url] { s->ChromAddressChange(url); }); });
    chromPage_->onDialog = [s](const QString& message) { answerNow(*s, [s, message] { s->ChromJsdialog(message); }); };
    connect(chromProfile_, &QWebEngineProfile::downloadRequested, s, [s](QWebEngineDownloadRequest* request) {
        const QUrl url = request->url();
        const QString name = request->suggestedFileName();
        request->cancel();
        request->deleteLater();
        answerNow(*s, [s, url, name] { s->ChromBeforeDownload(url, name); });
    });

    // ---- WebBrowser ----
    connect(webPage_, &QWebEnginePage::loadFinished, s,
            [s](bool) { s->guard([s] { s->WebBrowserDownloadComplete(); }); });
    webPage_->onScriptError = [s] { s->post([s] { s->WebBrowserShowScriptError(); }); };

    // ---- chrInteraktifVergiDairesi ----
    connect(portalPage_, &QWebEnginePage::loadFinished, s,
            [s](bool) { s->guard([s] { s->chrInteraktifVergiDairesiLoadEnd(); }); });
    connect(portalPage_, &QWebEnginePage::urlChanged, s, [s](const QUrl& url) {
        s->post([s, url] { s->chrInteraktifVergiDairesiAddressChange(url); });
    });
}

} // namespace etb
