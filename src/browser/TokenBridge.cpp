// The session's browser event handlers: load end and error of the acting view, the token
// bridge that sends the reading view after every logged-in address of the acting view, and
// the reading view's own events.
#include "app/Session.h"
#include "app/Timing.h"

namespace etb {

void Session::ChromLoadEnd() { gSayfaYuklendi = true; }

void Session::ChromLoadError(const QString& errorText) {
    pr_LogYaz(QStringLiteral("Sayfa yüklenirken hata oluştu. Progam sonladırlacak. ") + errorText);
    gHataOlustu = true;
}

void Session::mirrorIntoReadingView(const QUrl& url) {
    s.web.navigate(url);
    Sure = s.waiter.now();
    s.waiter.whileWait(
        Sure, Sure2, [this] { return s.web.readyState() < 4; },
        [this] {
            pr_LogYaz(QStringLiteral("Internet Server bağlantısı kurulamıyor. Program sonlandırılacak"));
            BilgiMesaji(s.dialogs,
                        QStringLiteral("Internet Server bağlantısı kurulamıyor!... Program sonlandırılacak."));
            s.ui.requestClose();
            gGirisBasarili = false;
        });
}

void Session::ChromAddressChange(const QUrl& url) {
    const QString address = url.toString(QUrl::FullyEncoded);
    if (!address.contains(QStringLiteral("token="), Qt::CaseSensitive))
        return;
    mirrorIntoReadingView(url);
    gGirisBasarili = true;
    gSayfaYuklendi = true;
}

void Session::WebBrowserDownloadComplete() { gSayfaYuklendi = true; }

void Session::WebBrowserShowScriptError() {
    // The error is swallowed (the view shows nothing); only the pause remains.
    pr_SureBekle(Pause::ScriptError);
}

} // namespace etb
