// The menu steps: the bounded element wait pr_ElemanBekle, pr_MenuSayfasinaGit driven by one
// instance of its table, pr_AltMenuTikla, and the table of instances itself.
#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ChromScripts.h"

namespace etb {

void Session::pr_ElemanBekle(const QString& text, const QString& cls) {
    // The start is the caller's (Sure); the wait does not look at gHataOlustu meanwhile.
    s.waiter.flagWaitFrom(
        Sure, Sure2, [&] { return fn_ElemanAra(text, cls); },
        [this] {
            pr_GuvenliCikis();
            gHataOlustu = true;
        });
}

bool Session::pr_MenuSayfasinaGit(const MenuStep& step) {
    if (!step.announce.isEmpty())
        pr_LogYaz(step.announce);
    if (step.freshStart) {
        if (step.pauseBeforeStart > 0)
            pr_SureBekle(step.pauseBeforeStart);
        Sure = s.waiter.now();
    }
    pr_ElemanBekle(step.waitText, step.waitClass);
    if (gHataOlustu) {
        if (!step.failureText.isEmpty())
            pr_LogYaz(step.failureText);
        return false;
    }
    if (!step.reached.isEmpty())
        pr_LogYaz(step.reached);
    if (step.pauseBeforeClick > 0)
        pr_SureBekle(step.pauseBeforeClick);
    if (!step.clickText.isEmpty())
        fn_ElemanBulTikla(step.clickText, step.clickClass, QString(), step.chromClick);
    if (step.pauseAfterClick > 0)
        pr_SureBekle(step.pauseAfterClick);
    return true;
}

void Session::pr_AltMenuTikla(const QString& text) {
    const QString position = fn_ElemanSiraBul(text, QStringLiteral("LI"));
    CodeStr = ChromScripts::subMenuClick(position);
    runChromScript(CodeStr);
}

namespace MenuSteps {

namespace {
MenuStep make(QString announce, bool fresh, int pauseBeforeStart, QString waitText, QString waitClass,
              QString failure, QString reached, int pauseBeforeClick, QString clickText, QString clickClass,
              bool chrom, int pauseAfter) {
    MenuStep m;
    m.announce = std::move(announce);
    m.freshStart = fresh;
    m.pauseBeforeStart = pauseBeforeStart;
    m.waitText = std::move(waitText);
    m.waitClass = std::move(waitClass);
    m.failureText = std::move(failure);
    m.reached = std::move(reached);
    m.pauseBeforeClick = pauseBeforeClick;
    m.clickText = std::move(clickText);
    m.clickClass = std::move(clickClass);
    m.chromClick = chrom;
    m.pauseAfterClick = pauseAfter;
    return m;
}

constexpr bool fresh = true;
constexpr bool shared = false;
const QString kEtebligat = QStringLiteral("E-Tebligat İşlemleri");
const QString kMukellef = QStringLiteral("Mükellef Dosyası");
const QString kPosBilgileri = QStringLiteral("Pos Bilgileri");
const QString kEVergiLevhasi = QStringLiteral("E-Vergi Levhası");
const QString kLevhaBilgileri = QStringLiteral("Vergi Levhası Bilgileri");
const QString kLevhaFailure = QStringLiteral("Vergi Levhası Bilgileri sayfasına ulaşılamadı.");
const QString kYetki = QStringLiteral("E-Beyanname Yetki Bilgileri");
const QString kSgk =
    QStringLiteral("Vergi Kimlik Numarası ile SGK Sicil Numarası Birleştirmesine İlişkin Bildirimler");
} // namespace

// announce, start, pause before a fresh start, wait text, wait class, failure text, reached,
// pause before the click, click text, click class, Chromium click, pause after.
const MenuStep& tebligatMenu() {
    static const MenuStep m = make(QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşılmaya çalışıyor."), fresh, 0,
                                   kEtebligat, kMenuClass, {},
                                   QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşıldı."),
                                   Pause::MenuBeforeClick, kEtebligat, kMenuClass, true, 0);
    return m;
}
const MenuStep& tebligatOkunan() {
    static const MenuStep m = make(QStringLiteral("Okunmuş Tebligatlar sayfasına ulaşılmaya çalışıyor."), fresh, 0,
                                   QStringLiteral("Okunan Tebligatlar"), {}, {},
                                   QStringLiteral("Okunmuş Tebligatlar sayfasına ulaşıldı."), 0, {}, {}, false, 0);
    return m;
}
const MenuStep& posMukellefDosyasi() {
    static const MenuStep m = make(QStringLiteral("Mükellef Dosyası sayfasına ulaşılmaya çalışıyor."), fresh, 0,
                                   kMukellef, kMenuClass, {}, {}, 0, kMukellef, kMenuClass, true, 200);
    return m;
}
const MenuStep& posBilgileri() {
    static const MenuStep m = make({}, shared, 0, kPosBilgileri, {}, {}, {}, 0, kPosBilgileri,
                                   QStringLiteral("cstree-clicked"), false, 200);
    return m;
}
const MenuStep& posSorgula() {
    static const MenuStep m =
        make({}, shared, 0, QStringLiteral("Pos Sorgula"), QStringLiteral("selected"), {}, {}, 0, {}, {}, false, 0);
    return m;
}
const MenuStep& levhaMenu() {
    static const MenuStep m = make(QStringLiteral("Mükellef Dosyası sayfasına ulaşılmaya çalışıyor."), fresh, 0,
                                   kEVergiLevhasi, kMenuClass,
                                   QStringLiteral("E-Vergi Levhası sayfasına ulaşılamadı."), {}, 0, kEVergiLevhasi,
                                   kMenuClass, true, 0);
    return m;
}
const MenuStep& levhaBilgileri() {
    static const MenuStep m =
        make({}, fresh, 1000, kLevhaBilgileri, {}, kLevhaFailure, {}, 0, kLevhaBilgileri, {}, false, 0);
    return m;
}
const MenuStep& levhaBilgileriBekle() {
    static const MenuStep m = make({}, fresh, 1000, kLevhaBilgileri, {}, kLevhaFailure, {}, 0, {}, {}, false, 0);
    return m;
}
const MenuStep& sozlesmeMenu() {
    static const MenuStep m = make(QStringLiteral("E-Beyanname Yetki Bilgileri."), fresh, 0, kYetki, kMenuClass, {},
                                   {}, 0, kYetki, kMenuClass, true, 200);
    return m;
}
const MenuStep& meslekOdalariMenu() {
    static const MenuStep m = make(QStringLiteral("E-Beyanname Yetki Bilgileri."), fresh, 0, kYetki, kMenuClass, {},
                                   {}, 0, kYetki, kMenuClass, true, 400);
    return m;
}
MenuStep sozlesmeGirisi(const QString& entry) {
    return make({}, shared, 0, entry, {}, {}, {}, 0, entry, {}, true, 0);
}
const MenuStep& sgkMenu() {
    static const MenuStep m = make({}, fresh, 0, kSgk, kMenuClass, {}, {}, 1000, kSgk, kMenuClass, false, 0);
    return m;
}
const MenuStep& sgkYeni() {
    static const QString yeni = kSgk + QStringLiteral(" Yeni");
    static const MenuStep m = make({}, shared, 0, yeni, {}, {}, {}, 0, yeni, {}, false, 2000);
    return m;
}

} // namespace MenuSteps

} // namespace etb
