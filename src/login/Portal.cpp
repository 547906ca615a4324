#include "app/Environment.h"
#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ChromScripts.h"

namespace etb {

void Session::portalStartFirstHalf() {
    s.ui.setActivePage(Page::TSInteraktifVergiDairesi);
    s.portal.load(Environment::get().portalUrl);
    s.ui.setCaption(QStringLiteral("İnteraktif Vergi Dairesi"));
    gInteraktifVergiDairesiYuklendi = false;
    pr_SureBekle(Pause::PortalStep);
}

void Session::portalStartSecondHalf() {
    s.waiter.pumpOnce();
    pr_SureBekle(Pause::PortalStep);
    gInteraktifVergiDairesineGirisYapildi = true;
    s.waiter.flagWait(
        Sure, Sure2, [this] { return gInteraktifVergiDairesiYuklendi; },
        [this] {
            BilgiMesaji(s.dialogs, QStringLiteral("İnteraktif Vergi Dairesi Yüklemedi.Lütfen daha sonra tekrar deneyin..."));
            gInteraktifVergiDairesineGirisYapildi = false;
        });
    pr_SureBekle(Pause::PortalStep);
    s.portal.runScript(ChromScripts::valueById(QStringLiteral("gen__1056"), cmd.kullaniciKodu()));
    s.portal.runScript(ChromScripts::valueById(QStringLiteral("gen__1057"), cmd.sifre()));
    s.portal.runScript(ChromScripts::clickById(QStringLiteral("gen__1064")));
    pr_SureBekle(Pause::PortalStep);
    gInteraktifVergiDairesiSifreGir = true;
    s.ui.maximize();
}

void Session::chrInteraktifVergiDairesiAddressChange(const QUrl& url) {
    if (!url.toString().contains(QStringLiteral("token=")) || !gInteraktifVergiDairesiSifreGir)
        return;
    mirrorIntoReadingView(url);
    s.ui.setActivePage(Page::TSWeb);
}

void Session::portalLogout() {
    s.portal.runScript(ChromScripts::clickById(QStringLiteral("gen__1002")));
}

} // namespace etb
