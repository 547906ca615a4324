#include "BrowserTestKit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace etb::test {

bool waitUntil(const std::function<bool()>& cond, int ms) {
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms)
            return false;
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(10);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QVariant evalIn(QWebEnginePage* page, const QString& script, int ms) {
    auto result = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    page->runJavaScript(script, QWebEngineScript::MainWorld, [result](const QVariant& v) {
        result->first = true;
        result->second = v;
    });
    waitUntil([&] { return result->first; }, ms);
    return result->second;
}

QString fixtureDir() { return qEnvironmentVariable("ETB_SOURCE_DIR") + QStringLiteral("/tests/browser/fixtures"); }

namespace {
bool loadAndWait(QWebEnginePage* page, const QUrl& url) {
    bool finished = false;
    QObject context;
    QObject::connect(page, &QWebEnginePage::loadFinished, &context, [&](bool) { finished = true; });
    page->load(url);
    return waitUntil([&] { return finished && page->url() == url; });
}
} // namespace

bool Harness::loadWeb(const QUrl& url) { return loadAndWait(views.webView()->page(), url); }

bool Harness::loadChrom(const QUrl& url) { return loadAndWait(views.chromView()->page(), url); }

bool Harness::showBoth(const QString& path, const QByteArray& html) {
    server.setPage(path, html);
    return loadBoth(server.url(path));
}

QStringList Harness::log() const {
    QStringList out;
    for (const LogLine& l : session.MemLog.lines())
        out.append(l.LOG_ACIKLAMA);
    return out;
}

QByteArray counterPage(const QByteArray& body) {
    return "<!doctype html><html><head><meta charset=\"utf-8\"><script>"
           "window.clicks = {};"
           "document.addEventListener('click', function (ev) {"
           "  var e = ev.target.closest ? ev.target.closest('[data-k]') : null;"
           "  if (e) { var k = e.getAttribute('data-k'); window.clicks[k] = (window.clicks[k] || 0) + 1; }"
           "}, true);"
           "</script></head><body>" +
           body + "</body></html>";
}

QString clicksOf(const QVariant& clicksJson) {
    const QJsonObject o = QJsonDocument::fromJson(clicksJson.toString().toUtf8()).object();
    QStringList keys = o.keys();
    keys.sort();
    QStringList parts;
    for (const QString& k : keys)
        parts.append(k + QLatin1Char('=') + QString::number(o.value(k).toInt()));
    return parts.join(QLatin1Char(' '));
}

} // namespace etb::test
