#pragma once
#include <QWebEnginePage>
#include <functional>

namespace etb {

// The acting view's page: the page's alert, confirm and prompt boxes are never shown; each
// goes to onDialog at once (inside Chromium's task: the handler must not wait or pump).
// Confirm and prompt are answered "cancel".
class ActingPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void(const QString& message)> onDialog;

protected:
    void javaScriptAlert(const QUrl& origin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
};

// The reading view's page: its script boxes are swallowed, and a script error of the page
// is reported to onScriptError (inside Chromium's task: post anything slow).
class ReadingPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;
    std::function<void()> onScriptError;

protected:
    void javaScriptAlert(const QUrl& origin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;
};

} // namespace etb
