#include "login/LoginPrologue.h"

#include "app/Timing.h"

#include <vector>

namespace etb {

using Op = Session::Operation;

const PrologueVariant& prologueVariant(Op op) {
    static const std::vector<PrologueVariant> table = [] {
        std::vector<PrologueVariant> t;
        PrologueVariant v;
        v = {};
        v.op = Op::Tebligat;
        v.hideOnSuccess = true;
        t.push_back(v);

        v = {};
        v.op = Op::Pos;
        v.hideOnSuccess = true;
        v.pageOnSuccess = Page::TSChrom;
        t.push_back(v);

        v = {};
        v.op = Op::Levha;
        v.hideBeforeWait = true;
        v.pageOnSuccess = Page::TSChrom;
        t.push_back(v);

        v = {};
        v.op = Op::Sozlesme;
        v.maximizeOnSuccess = true;
        v.pageOnSuccess = Page::TSWeb;
        t.push_back(v);

        v = {};
        v.op = Op::SozlesmeDefter;
        v.maximizeOnSuccess = true;
        v.pageOnSuccess = Page::TSChrom;
        t.push_back(v);

        v = {};
        v.op = Op::MeslekOdalari;
        v.maximizeOnSuccess = true;
        v.pageOnSuccess = Page::TSChrom;
        t.push_back(v);

        v = {};
        v.op = Op::SgkBirlestir;
        v.timeoutLogs = false;
        v.timeoutSafeLogout = true;
        v.checksFirst = true;
        v.stopIndicatorsOnSuccess = true;
        v.pageOnSuccess = Page::TSWeb;
        v.maximizeOnSuccess = true;
        v.logSuccess = false;
        t.push_back(v);

        v = {};
        v.op = Op::Giris;
        v.timeoutLogs = false;
        v.pageOnSuccess = Page::TSWeb;
        v.maximizeOnSuccess = true;
        v.logSuccess = false;
        v.clearsLoginHata = true;
        t.push_back(v);
        return t;
    }();
    for (const PrologueVariant& v : table)
        if (v.op == op)
            return v;
    return table.front();
}

namespace {
const QString kNoServer = QStringLiteral("Internet Server bağlantısı kurulamıyor!... Lütfen işlemi tekrarlayınız.");
}

bool Session::pr_OturumAc(Operation op) {
    const PrologueVariant& v = prologueVariant(op);
    if (v.checksFirst && !pr_VedopGiris())
        return false;
    // 1.
    s.ui.setIndicatorsRunning(true);
    // 2.
    if (v.clearsLoginHata)
        gLoginHata.clear();
    gGirisBasarili = false;
    gSayfaYuklendi = false;
    gHataOlustu = false;
    codeRejected = false;
    // 3.
    if (!v.checksFirst && !pr_VedopGiris())
        return false;
    // 4.
    pr_SureBekle(Pause::AfterLoginSent);
    if (v.hideBeforeWait)
        s.ui.hideForm();
    // 5.
    s.waiter.flagWait(
        Sure, Sure2, [this] { return gHataOlustu || gSayfaYuklendi; },
        [this, &v] {
            BilgiMesaji(s.dialogs, kNoServer);
            if (v.timeoutLogs)
                pr_LogYaz(kNoServer);
            if (v.timeoutSafeLogout)
                pr_GuvenliCikis();
            gHataOlustu = true;
        });
    // 6. A rejected code was answered by the alert handler itself (a new captcha, or the
    // end of the program past the limit); other alerts are reported here.
    if (!v.checksFirst && gHataOlustu && !gLoginHata.isEmpty() && !codeRejected) {
        BilgiMesaji(s.dialogs, gLoginHata + QStringLiteral("\r\n") +
                                   QStringLiteral("Kullanıcı bilgilerinizi kontrol edip tekrar deneyiniz."));
        s.ui.requestClose();
        return false;
    }
    // 7. A page that failed to load during the wait (the error is in the log) ends the
    // operation silently, even when its address already carried the token: nothing may go
    // on, or be logged, as logged in.
    if (gHataOlustu)
        gGirisBasarili = false;
    if (!gGirisBasarili)
        return false;
    if (v.stopIndicatorsOnSuccess)
        s.ui.setIndicatorsRunning(false);
    if (v.hideOnSuccess)
        s.ui.hideForm();
    if (v.pageOnSuccess)
        s.ui.setActivePage(*v.pageOnSuccess);
    if (v.maximizeOnSuccess)
        s.ui.maximize();
    gSayfaYuklendi = false;
    if (v.logSuccess)
        pr_LogYaz(QStringLiteral("Sistem başarıyla giriş yapıldı."));
    return true;
}

} // namespace etb
