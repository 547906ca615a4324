#pragma once
#include "browser/ReadingView.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace etb {

// An acting view on a Qt WebEngine page: scripts run in the main frame, nothing comes back.
class WebEngineActingView : public ActingView {
public:
    explicit WebEngineActingView(QWebEnginePage* page) : page_(page) {}

    void load(const QUrl& url) override {
        if (page_)
            page_->load(url);
    }
    void runScript(const QString& code) override {
        if (page_)
            page_->runJavaScript(code, QWebEngineScript::MainWorld);
    }
    QUrl url() const override { return page_ ? page_->url() : QUrl(); }

private:
    QPointer<QWebEnginePage> page_;
};

} // namespace etb
