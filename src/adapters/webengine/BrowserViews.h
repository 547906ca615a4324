#pragma once
#include "adapters/webengine/WebEngineActingView.h"
#include "adapters/webengine/WebEnginePages.h"
#include "adapters/webengine/WebEngineReadingView.h"

#include <QObject>
#include <QPointer>
#include <memory>

#include <QWebEngineProfile>
#include <QWebEngineView>

class QWidget;

namespace etb {

class Session;

// The three browsers of the main form, each with its own off-the-record profile (cookies
// and downloads are per profile): the reading view `WebBrowser`, the acting view `Chrom`
// (starts on about:blank) and the interactive tax office view `chrInteraktifVergiDairesi`
// (Chrom's settings). Each view fills the page widget it is given.
class BrowserViews : public QObject {
    Q_OBJECT
public:
    BrowserViews(QWidget* webPage, QWidget* chromPage, QWidget* portalPage, QObject* parent = nullptr);
    // Views and pages go before their profiles.
    ~BrowserViews() override;

    // Connects every browser event to its handler in the session.
    void attach(Session& session);

    ActingView& chrom() { return *chromActing_; }
    ReadingView& web() { return *webReading_; }
    ActingView& portal() { return *portalActing_; }

    QWebEngineView* chromView() const { return chromView_; }
    QWebEngineView* webView() const { return webView_; }
    QWebEngineView* portalView() const { return portalView_; }

private:
    QPointer<QWebEngineProfile> chromProfile_, webProfile_, portalProfile_;
    QPointer<QWebEngineView> chromView_, webView_, portalView_;
    QPointer<ActingPage> chromPage_, portalPage_;
    QPointer<ReadingPage> webPage_;
    std::unique_ptr<WebEngineActingView> chromActing_, portalActing_;
    std::unique_ptr<WebEngineReadingView> webReading_;
};

} // namespace etb
