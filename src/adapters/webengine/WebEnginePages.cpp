#include "adapters/webengine/WebEnginePages.h"

namespace etb {

void ActingPage::javaScriptAlert(const QUrl&, const QString& msg) {
    if (onDialog)
        onDialog(msg);
}

bool ActingPage::javaScriptConfirm(const QUrl&, const QString& msg) {
    if (onDialog)
        onDialog(msg);
    return false;
}

bool ActingPage::javaScriptPrompt(const QUrl&, const QString& msg, const QString&, QString*) {
    if (onDialog)
        onDialog(msg);
    return false;
}

void ReadingPage::javaScriptAlert(const QUrl&, const QString&) {}

bool ReadingPage::javaScriptConfirm(const QUrl&, const QString&) { return false; }

bool ReadingPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) { return false; }

void ReadingPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString&, int, const QString&) {
    if (level == ErrorMessageLevel && onScriptError)
        onScriptError();
}

} // namespace etb
