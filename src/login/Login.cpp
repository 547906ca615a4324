#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ReadingView.h"
#include "browser/ChromScripts.h"

#include <utility>
#include <vector>

namespace etb {

namespace {

struct FieldCheck {
    Ctl field;
    const char* message;
};

// The checks of each login kind, in order; the code field is checked only with a captcha.
const std::vector<FieldCheck> kTcChecks = {
    {Ctl::EdtTCKimlikNo, "T.C. kimlik numarasını giriniz."},
    {Ctl::EdtGun, "Doğum tarihi \"Gün\"ünü giriniz."},
    {Ctl::EdtAy, "Doğum tarihi \"Ay\"nı giriniz."},
    {Ctl::EdtYil, "Doğum tarihi \"Yıl\"ınızı giriniz."},
    {Ctl::EdtAnne1, "Anne kızlık soyadının 1. harfını giriniz."},
    {Ctl::EdtAnne2, "Anne kızlık soyadının 2. harfını giriniz."},
    {Ctl::EdtYakinTCNo, "Yakın T.C. kimlik numarasını giriniz."},
};
const char* const kCodeMissing = "Doğrulama kodunu giriniz.";

// The site's login form: element id <- control, in the order they are filled.
const std::vector<std::pair<const char*, Ctl>> kUserFields = {
    {"kullaniciKodu", Ctl::EdtKullaniciKodu}, {"parola", Ctl::EdtParola}, {"sifre", Ctl::EdtSifre}};
const std::vector<std::pair<const char*, Ctl>> kTcFields = {
    {"tc", Ctl::EdtTCKimlikNo}, {"gun", Ctl::EdtGun},   {"ay", Ctl::EdtAy},           {"yil", Ctl::EdtYil},
    {"ak1", Ctl::EdtAnne1},     {"ak2", Ctl::EdtAnne2}, {"tcYakin", Ctl::EdtYakinTCNo}};

} // namespace

bool Session::pr_VedopGiris() {
    auto fail = [this](Ctl field, const char* message) {
        BilgiMesaji(s.dialogs, QString::fromUtf8(message));
        s.ui.focus(field);
        return false;
    };
    if (gKullaniciGirisi) {
        if (gCaptchaKoduVar && s.ui.text(Ctl::EdtDogrulamaKodu).isEmpty())
            return fail(Ctl::EdtDogrulamaKodu, kCodeMissing);
        for (const auto& [id, ctl] : kUserFields)
            runChromScript(ChromScripts::valueById(QString::fromLatin1(id), s.ui.text(ctl)));
        if (gCaptchaKoduVar)
            runChromScript(ChromScripts::valueById(QStringLiteral("dkKKODU"), s.ui.text(Ctl::EdtDogrulamaKodu)));
        runChromScript(QStringLiteral("javascript: giris();"));
        return true;
    }
    if (gTCKimlikNoGirisi) {
        for (const FieldCheck& c : kTcChecks)
            if (s.ui.text(c.field).isEmpty())
                return fail(c.field, c.message);
        if (gCaptchaKoduVar && s.ui.text(Ctl::EdtDogrulamaKoduTC).isEmpty())
            return fail(Ctl::EdtDogrulamaKoduTC, kCodeMissing);
        for (const auto& [id, ctl] : kTcFields)
            runChromScript(ChromScripts::valueById(QString::fromLatin1(id), s.ui.text(ctl)));
        if (gCaptchaKoduVar)
            runChromScript(ChromScripts::valueById(QStringLiteral("dkTCKN"), s.ui.text(Ctl::EdtDogrulamaKoduTC)));
        runChromScript(QStringLiteral("javascript: girisTckn();"));
        return true;
    }
    // No login page is in use (an unknown login kind): nothing can be sent.
    return false;
}

void Session::BtnGirisYapClick() {
    const IndicatorsRunning indicators(s.ui);
    pr_OturumAc(Operation::Giris);
    // Logged in: the user works in the reading view until closing the window.
}

void Session::ChromJsdialog(const QString& message) {
    // Runs inside the browser's dialog callback: only flags and the log line here; the
    // dialog is answered as handled (nothing shown) by the caller.
    gHataOlustu = true;
    gLoginHata = message;
    pr_LogYaz(message);
    if (message.contains(QStringLiteral("Kullanıcı")) || message.contains(QStringLiteral("Parola")) ||
        message.contains(QStringLiteral("Şifre")))
        return;   // the waiting prologue reports it
    if (!gCaptchaKoduVar)
        return;
    if (gDogurlamaKoduHatasi > 3) {
        codeRejected = true;
        post([this, message] {
            pr_LogYaz(QStringLiteral("Sistem doğrulama kodunu çözemedi. Program sonlandırılacak."));
            BilgiMesaji(s.dialogs, message + QStringLiteral(" Lütfen daha sonra tekrar deneyiniz."));
            s.ui.requestClose();
        });
    } else if (message.contains(QStringLiteral("Doğrulama"))) {
        codeRejected = true;
        gDogurlamaKoduHatasi = qint16(gDogurlamaKoduHatasi + 1);
        post([this] {
            BtnCapthcaYenileClick();
            s.ui.focus(gTCKimlikNoGirisi ? Ctl::EdtDogrulamaKoduTC : Ctl::EdtDogrulamaKodu);
        });
    }
}

void Session::EdtDogrulamaKoduKeyDownEnter(bool tcPage) {
    if (const std::optional<Ctl> button = enterButton(tcPage))
        s.ui.click(*button);
}

void Session::pr_GuvenliCikis() {
    s.ui.setActivePage(Page::TSWeb);
    bool present = false;
    try {
        Query q;
        q.source = Source::ById;
        q.arg = QStringLiteral("gen__1010");
        q.limit = 1;
        const QVector<Element> found = s.web.query(q);
        if (!found.isEmpty()) {
            s.web.click(found.first());
            present = true;
        }
    } catch (const DomError&) {
        // The logout is a courtesy to the site; a failed lookup changes nothing.
    }
    if (present)
        pr_ChromButtonClik(QStringLiteral("gen__1010"));
}

} // namespace etb
