#include "app/Environment.h"
#include "app/Session.h"
#include "app/Timing.h"

namespace etb {

namespace {
const QString kTokenMessage = QStringLiteral("Bu program yalnızca ana uygulama tarafından başlatılabilir.");
const QString kDbFailed =
    QStringLiteral("Program veri tabanına bağlanamadı. Program sonlandırılacak. Lütfen Tekrar deneyiniz.");
} // namespace

void Session::FormShow() {
    FormUi& ui = s.ui;
    // 1.
    ui.setSizeable(true);
    gParametreList = cmd.parametreList();
    // 2. The launch token.
    if (!cmd.tokenOk()) {
        BilgiMesaji(s.dialogs, kTokenMessage);
        ui.closeSplash();
        ui.requestClose();
        return;
    }
    // 3.
    CaptchaIDValue.clear();
    ui.setTabsHidden();
    for (Page p : {Page::TSWeb, Page::TSChrom, Page::TSGiris, Page::TSGirisTCKimlik})
        ui.setActivePage(p);
    // 4.
    gKullaniciGirisi = loginKind() == LoginKind::Kullanici;
    gTCKimlikNoGirisi = loginKind() == LoginKind::TCKimlik;
    gKlavuz = cmd.klavuz();
    // 5.
    if (gKullaniciGirisi) {
        ui.resizeWindow(386, 300);
        ui.setActivePage(Page::TSGiris);
        ui.setText(Ctl::EdtKullaniciKodu, cmd.kullaniciKodu());
        ui.setText(Ctl::EdtParola, cmd.parola());
        ui.setText(Ctl::EdtSifre, cmd.sifre());
        ui.focus(Ctl::EdtDogrulamaKodu);
    }
    // 6.
    if (gTCKimlikNoGirisi) {
        ui.resizeWindow(390, 500);
        ui.setActivePage(Page::TSGirisTCKimlik);
        ui.focus(Ctl::EdtTCKimlikNo);
    }
    // 7.
    const QString kw = cmd.keyword();
    gETebligatKontrolIcinAcildi = kw == QLatin1String("TebligatKontrol");
    gVergiNoSgkNoBirlestir = kw == QLatin1String("VergiNoSgkBirlestir");
    gInteraktifVergiDairesi = kw == QLatin1String("InteraktifVergiDairesi");
    gPosKontrol = kw == QLatin1String("PosKontrol");
    gYeniEBeyannameAracilikSozlesmesiDefter = kw == QLatin1String("YeniEBeyannameAracilikSozlesmesiDefter");
    gYeniEBeyannameAracilikSorumlulukSozlesmesi = kw == QLatin1String("YeniEBeyannameAracilikSorumlulukSozlesmesi");
    gMeslekOdalariAracilikSorumlulukSozlesmesi = kw == QLatin1String("MeslekOdalariAracilikSorumlulukSozlesmesi");
    gEVergiLevhasi = kw == QLatin1String("EVergiLevhasi");
    gGiris = kw == QStringLiteral("Giriş");
    gKlavuzListesi = cmd.klavuzListesi();
    gAnaDizin = cmd.anaDizin();
    gPosDonemAy = cmd.posDonemAy();
    gPosDonemYil = cmd.posDonemYil();
    // 8.
    ui.setControlVisible(Ctl::LblUyari, false);
    gInteraktifVergiDairesiSifreGir = false;
    // 9. Mode set-up by the first true flag (the default row otherwise).
    const ModeRow& row = modeRowFor(kw);
    auto openDatabase = [&]() -> bool {
        try {
            s.db.close();
            s.db.open(cmd.connectionString());
            return true;
        } catch (const std::exception& e) {
            HataMesaji(s.dialogs, kDbFailed);
            HataMesaji(s.dialogs, QString::fromUtf8(e.what()));
            ui.closeSplash();
            ui.requestClose();
            return false;
        }
    };
    if (row.mode == Mode::TebligatKontrol) {
        if (!openDatabase())
            return;
        ui.setCaption(row.caption);
    } else {
        ui.setCaption(row.caption);
        if (row.opensDatabase && !openDatabase())
            return;
    }
    if (row.mode == Mode::EVergiLevhasi) {
        ui.setText(Ctl::LblUyari, QStringLiteral("İşlem sırasında birden fazla pencere açılabilir. İndirme işlemi "
                                                 "bittiğinde otomatik olarak kapanacaktır. Lütfen müdahale etmeyin."));
        ui.setControlVisible(Ctl::LblUyari, true);
    }
    if (row.mode == Mode::InteraktifVergiDairesi)
        portalStartFirstHalf();
    // 10. Operation buttons: only the active mode's twins (and "Giriş" only for its keyword).
    for (const ModeRow& r : modeTable()) {
        const bool on = r.mode == row.mode && (r.mode != Mode::Giris || gGiris);
        if (r.button)
            ui.setControlVisible(*r.button, on);
        if (r.buttonTC)
            ui.setControlVisible(*r.buttonTC, on);
    }
    // 11.
    MemLog.open();
    pr_LogYaz(QStringLiteral("E Tebligat Kontrol Programı Çalıştırıldı"));
    // 12. (Time-outs here end the start-up early; the window stays open.)
    try {
        if (ui.isShowing()) {
            pr_SureBekle(Pause::BeforeShowCaptcha);
            if (gInteraktifVergiDairesi)
                portalStartSecondHalf();
            else
                fn_ShowCaptchaKodu();
        }
    } catch (...) {
        ui.closeSplash();
        throw;
    }
    // 13.
    gDogurlamaKoduHatasi = 0;
    ui.closeSplash();
}

} // namespace etb
