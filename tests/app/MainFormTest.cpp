#include "ShellRig.h"

#include "adapters/SqlHostDatabase.h"

#include "app/ActivityIndicator.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QTableView>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using namespace etb;
using namespace etb::test;

namespace {

const QString kStartLine = QStringLiteral("E Tebligat Kontrol Programı Çalıştırıldı");
const QString kKapatLine = QStringLiteral("Program kullanıcı tarafından sonlandırıldı.");
const QString kTokenText = QStringLiteral("Bu program yalnızca ana uygulama tarafından başlatılabilir.");
const QString kDbFailed =
    QStringLiteral("Program veri tabanına bağlanamadı. Program sonlandırılacak. Lütfen Tekrar deneyiniz.");
const QString kUyari = QStringLiteral("İşlem sırasında birden fazla pencere açılabilir. İndirme işlemi bittiğinde "
                                      "otomatik olarak kapanacaktır. Lütfen müdahale etmeyin.");

const Ctl kOperationButtons[] = {
    Ctl::BtnETebligatKontrol, Ctl::BtnETebligatKontrolTC, Ctl::BtnVergiNoSgkBirlestir, Ctl::BtnVergiNoSgkBirlestirTC,
    Ctl::BtnPosKontrol, Ctl::BtnPosKontrolTC, Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefter,
    Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefterTC, Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesi,
    Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesiTC, Ctl::BtnMeslekOdalariAracilikSorumlulukSozlesmesi,
    Ctl::BtnEVergiLevhasi, Ctl::BtnGirisYap, Ctl::BtnGirisYapTC};

// Types text character by character as key presses (Turkish letters included).
void typeText(QWidget* w, const QString& text) {
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
}

bool dbOpened(const FakeHostDatabase& db) {
    return db.calls.contains(QStringLiteral("open ") + kConn);
}

// ---- the form as designed ----

TEST(MainFormDesign, PagesControlsAndSizes) {
    TFrmETebligat form;
    EXPECT_EQ(form.size(), QSize(805, 515));
    EXPECT_EQ(form.minimumSize(), QSize(400, 250));
    const char* pages[] = {"TSWeb", "TSChrom", "TSGiris", "TSLog", "cxTabSheet1", "TSGirisTCKimlik",
                           "TSInteraktifVergiDairesi"};
    ASSERT_EQ(form.pageControl()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(form.pageControl()->widget(i)->objectName(), QString::fromLatin1(pages[i]));
        EXPECT_EQ(form.pageWidget(Page(i)), form.pageControl()->widget(i));
    }
    // Every control the logic names exists once, under its own name.
#define ETB_CHECK(name)                                                                                            \
    {                                                                                                              \
        QWidget* w = form.control(Ctl::name);                                                                      \
        ASSERT_NE(w, nullptr) << #name;                                                                            \
        EXPECT_EQ(form.findChildren<QWidget*>(#name).size(), 1) << #name;                                          \
        EXPECT_EQ(form.findChild<QWidget*>(#name), w) << #name;                                                    \
    }
    ETB_CONTROLS(ETB_CHECK)
#undef ETB_CHECK
    const std::pair<Ctl, const char*> captions[] = {
        {Ctl::BtnETebligatKontrol, "e-Tebligat Kontrol"}, {Ctl::BtnETebligatKontrolTC, "e-Tebligat Kontrol"},
        {Ctl::BtnPosKontrol, "Pos Kontrol"},              {Ctl::BtnEVergiLevhasi, "E-Vergi Levhası"},
        {Ctl::BtnGirisYap, "Giriş Yap"},                  {Ctl::BtnGirisYapTC, "Giriş Yap"},
        {Ctl::BtnKapat, "Kapat"},                         {Ctl::LblDogrulamaKodu, "Doğrulama Kodu"},
        {Ctl::LblDogrulamaKoduTC, "Doğrulama Kodu"}};
    for (const auto& [c, caption] : captions)
        EXPECT_EQ(form.text(c), QString::fromUtf8(caption)) << ctlName(c).toStdString();
    for (Ctl c : {Ctl::CaptchaImg, Ctl::CaptchaImgTC})
        EXPECT_EQ(form.control(c)->size(), QSize(183, 92));
    EXPECT_EQ(form.findChild<QWidget*>("PnlKapat")->height(), 36);
    EXPECT_EQ(form.findChild<QLabel*>("Label2")->text(), QStringLiteral("25-11-2019 V1"));
    EXPECT_EQ(form.findChild<QLabel*>("LblTCKimlikBaslik")->text(), QStringLiteral("T.C. Kimlik Numarası ile Giriş"));
}

struct EditCase {
    Ctl edit;
    const char* hint;
    int maxLength;
    const char* typed;
    const char* kept;
};

class LoginEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(LoginEdits, HintLengthAndKeyFilter) {
    const EditCase& c = GetParam();
    TFrmETebligat form;
    auto* e = qobject_cast<QLineEdit*>(form.control(c.edit));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->placeholderText(), QString::fromUtf8(c.hint));
    EXPECT_EQ(e->maxLength(), c.maxLength);
    typeText(e, QString::fromUtf8(c.typed));
    EXPECT_EQ(e->text(), QString::fromUtf8(c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    TcPage, LoginEdits,
    ::testing::Values(EditCase{Ctl::EdtTCKimlikNo, "T.C. Kimlik Numarası", 11, "12a3,4 5ş", "123,45"},
                      EditCase{Ctl::EdtTCKimlikNo, "T.C. Kimlik Numarası", 11, "123456789012345", "12345678901"},
                      EditCase{Ctl::EdtGun, "Gün", 2, "x1.2", "12"},
                      EditCase{Ctl::EdtAy, "Ay", 2, "0-7", "07"},
                      EditCase{Ctl::EdtYil, "Yıl", 4, "1o9i8O7", "1987"},
                      EditCase{Ctl::EdtAnne1, "Anne Kızlık Soyadı 1. Harf", 1, "Ça", "Ç"},
                      EditCase{Ctl::EdtAnne2, "Anne Kızlık Soyadı 2. Harf", 1, "ğ", "ğ"},
                      EditCase{Ctl::EdtYakinTCNo, "TC Kimlik No (anne, baba, eş, çocuk)", 32767,
                               "12345678901234567890x", "12345678901234567890"}));

TEST(LoginEditsKeys, BackspacePassesTheDigitFilter) {
    TFrmETebligat form;
    auto* e = qobject_cast<QLineEdit*>(form.control(Ctl::EdtTCKimlikNo));
    QTest::keyClicks(e, "123");
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), "12");
}

TEST(LoginEditsKeys, CodeFieldsTurnToUpperCaseAsTyped) {
    TFrmETebligat form;
    for (Ctl c : {Ctl::EdtDogrulamaKodu, Ctl::EdtDogrulamaKoduTC}) {
        auto* e = qobject_cast<QLineEdit*>(form.control(c));
        QTest::keyClicks(e, "ab3x");
        EXPECT_EQ(e->text(), "AB3X");
        e->setCursorPosition(2);
        QTest::keyClicks(e, "k");
        EXPECT_EQ(e->text(), "ABK3X");
        EXPECT_EQ(e->cursorPosition(), 3);
    }
}

TEST(MainFormUi, CaptchaPictureIndicatorsAndLogGrid) {
    ShellRig r(hostArgs("Giriş", "KullaniciGirisi"));
    QImage img(60, 30, QImage::Format_RGB32);
    img.fill(Qt::gray);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    EXPECT_TRUE(r.form.setCaptchaPicture(png));
    for (Ctl c : {Ctl::CaptchaImg, Ctl::CaptchaImgTC})
        EXPECT_FALSE(qobject_cast<QLabel*>(r.w(c))->pixmap().isNull());
    EXPECT_FALSE(r.form.setCaptchaPicture("<html>Hata</html>"));

    r.form.setIndicatorsRunning(true);
    for (Ctl c : {Ctl::Bekle, Ctl::BekleTC})
        EXPECT_TRUE(qobject_cast<ActivityIndicator*>(r.w(c))->isRunning());
    r.form.setIndicatorsRunning(false);
    for (Ctl c : {Ctl::Bekle, Ctl::BekleTC})
        EXPECT_FALSE(qobject_cast<ActivityIndicator*>(r.w(c))->isRunning());

    r.session->MemLog.open();
    r.session->pr_LogYaz("ilk satır");
    r.session->pr_LogYaz("ikinci satır");
    QAbstractItemModel* m = r.form.logGrid()->model();
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(m->data(m->index(1, 2)).toString(), "ikinci satır");
}

// ---- start-up: window and buttons per mode and login kind ----

struct ShapeCase {
    const char* keyword;
    const char* kind;
    const char* caption;
    std::vector<Ctl> buttons;   // the visible operation buttons
    bool database;
    Page page;
    QSize size;
    std::optional<Ctl> focus;
    bool uyari;
    bool focusChecked = true;   // the portal page takes the focus off the login page
};

class StartUpShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(StartUpShape, WindowFollowsModeAndLoginKind) {
    const ShapeCase& c = GetParam();
    ShellRig r(hostArgs(QString::fromUtf8(c.keyword), QString::fromUtf8(c.kind)));
    r.formShow();

    EXPECT_TRUE(r.hook.records().isEmpty()) << r.hook.texts().join(" | ").toStdString();
    EXPECT_EQ(r.form.windowTitle(), QString::fromUtf8(c.caption));
    for (Ctl b : kOperationButtons) {
        const bool expected = std::find(c.buttons.begin(), c.buttons.end(), b) != c.buttons.end();
        EXPECT_EQ(r.form.controlVisible(b), expected) << ctlName(b).toStdString();
    }
    EXPECT_EQ(dbOpened(r.db), c.database);
    EXPECT_EQ(r.form.activePage(), c.page);
    EXPECT_EQ(r.form.outerSize(), c.size);
    QWidget* expectedFocus = c.focus ? r.w(*c.focus) : nullptr;
    if (c.focusChecked) {
        EXPECT_EQ(r.form.focusWidget(), expectedFocus);
    }
    EXPECT_EQ(r.form.controlVisible(Ctl::LblUyari), c.uyari);
    if (c.uyari) {
        EXPECT_EQ(r.form.text(Ctl::LblUyari), kUyari);
    }
    // The user-code login's credentials sit in the hidden edits; the other kinds leave them.
    const bool kullanici = QString::fromUtf8(c.kind) == QLatin1String("KullaniciGirisi");
    EXPECT_EQ(r.form.text(Ctl::EdtKullaniciKodu), kullanici ? "KULLANICI1" : "");
    EXPECT_EQ(r.form.text(Ctl::EdtParola), kullanici ? "parola1" : "");
    EXPECT_EQ(r.form.text(Ctl::EdtSifre), kullanici ? "sifre1" : "");
    ASSERT_EQ(r.session->MemLog.lines().size(), 1);
    EXPECT_EQ(r.session->MemLog.lines().at(0).LOG_ACIKLAMA, kStartLine);
    EXPECT_FALSE(r.form.closeHandlerRan());
    EXPECT_TRUE(r.db.executed.isEmpty());
}

const QSize kUserSize(386, 300);
const QSize kTcSize(390, 500);

INSTANTIATE_TEST_SUITE_P(
    Modes, StartUpShape,
    ::testing::Values(
        ShapeCase{"TebligatKontrol", "KullaniciGirisi", "e-Tebligat Otomatik Kontrol",
                  {Ctl::BtnETebligatKontrol, Ctl::BtnETebligatKontrolTC}, true, Page::TSGiris, kUserSize,
                  Ctl::EdtDogrulamaKodu, false},
        ShapeCase{"TebligatKontrol", "TCKimlikNoGirisi", "e-Tebligat Otomatik Kontrol",
                  {Ctl::BtnETebligatKontrol, Ctl::BtnETebligatKontrolTC}, true, Page::TSGirisTCKimlik, kTcSize,
                  Ctl::EdtTCKimlikNo, false},
        ShapeCase{"VergiNoSgkBirlestir", "KullaniciGirisi",
                  "Vergi Kimlik Numarası ile SGK Sicil Numarası Birleştirmesine İlişkin Bildirim İşlemleri",
                  {Ctl::BtnVergiNoSgkBirlestir, Ctl::BtnVergiNoSgkBirlestirTC}, true, Page::TSGiris, kUserSize,
                  Ctl::EdtDogrulamaKodu, false},
        ShapeCase{"InteraktifVergiDairesi", "KullaniciGirisi", "İnteraktif Vergi Dairesi", {}, false,
                  Page::TSInteraktifVergiDairesi, kUserSize, Ctl::EdtDogrulamaKodu, false, false},
        ShapeCase{"PosKontrol", "TCKimlikNoGirisi", "Yeni Vedop Pos Sorgula",
                  {Ctl::BtnPosKontrol, Ctl::BtnPosKontrolTC}, true, Page::TSGirisTCKimlik, kTcSize,
                  Ctl::EdtTCKimlikNo, false},
        ShapeCase{"YeniEBeyannameAracilikSozlesmesiDefter", "KullaniciGirisi",
                  "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Defter Bilgileri Girişi",
                  {Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefter, Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefterTC},
                  true, Page::TSGiris, kUserSize, Ctl::EdtDogrulamaKodu, false},
        ShapeCase{"YeniEBeyannameAracilikSorumlulukSozlesmesi", "TCKimlikNoGirisi",
                  "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Girişi",
                  {Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesi,
                   Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesiTC},
                  true, Page::TSGirisTCKimlik, kTcSize, Ctl::EdtTCKimlikNo, false},
        ShapeCase{"MeslekOdalariAracilikSorumlulukSozlesmesi", "KullaniciGirisi",
                  "Meslek Odaları Defter-Beyan Sistemi Kullanımı Aracılık ve Sorumluluk Sözleşmesi Girişi",
                  {Ctl::BtnMeslekOdalariAracilikSorumlulukSozlesmesi}, true, Page::TSGiris, kUserSize,
                  Ctl::EdtDogrulamaKodu, false},
        ShapeCase{"EVergiLevhasi", "KullaniciGirisi", "Vergi Levhası Mükellef İşlemleri", {Ctl::BtnEVergiLevhasi},
                  true, Page::TSGiris, kUserSize, Ctl::EdtDogrulamaKodu, true},
        ShapeCase{"Giriş", "KullaniciGirisi", "Yeni Vedop Sitesine Giriş", {Ctl::BtnGirisYap, Ctl::BtnGirisYapTC},
                  false, Page::TSGiris, kUserSize, Ctl::EdtDogrulamaKodu, false},
        // A keyword in lower case is no keyword: the default row, no button.
        ShapeCase{"giriş", "KullaniciGirisi", "Yeni Vedop Sitesine Giriş", {}, false, Page::TSGiris, kUserSize,
                  Ctl::EdtDogrulamaKodu, false},
        ShapeCase{"Bilinmeyen", "TCKimlikNoGirisi", "Yeni Vedop Sitesine Giriş", {}, false, Page::TSGirisTCKimlik,
                  kTcSize, Ctl::EdtTCKimlikNo, false},
        // An unknown login kind: no login page of its own, the design size, no focus; the
        // last page the start-up went through stays in front.
        ShapeCase{"Giriş", "Başka", "Yeni Vedop Sitesine Giriş", {Ctl::BtnGirisYap, Ctl::BtnGirisYapTC}, false,
                  Page::TSGirisTCKimlik, QSize(805, 515), std::nullopt, false}),
    [](const auto& info) { return std::to_string(info.index); });

// ---- start-up failures: a message, a closed form, nothing written ----

struct TokenCase {
    const char* what;
    QStringList args;
};

class TokenGuard : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenGuard, RefusesWithItsMessageAndClosesWritingNothing) {
    ShellRig r(GetParam().args);
    r.form.show();
    r.formShow();
    ASSERT_EQ(r.hook.records().size(), 1);
    const DialogRecord& m = r.hook.records().at(0);
    EXPECT_EQ(m.text, kTokenText);
    EXPECT_EQ(m.heading, QStringLiteral("Bilgi..!"));
    EXPECT_EQ(m.icon, 1);
    ShellRig::settle();
    EXPECT_TRUE(r.form.closeHandlerRan());
    EXPECT_FALSE(r.form.isVisible());
    EXPECT_TRUE(r.db.calls.isEmpty()) << r.db.calls.join(", ").toStdString();
    EXPECT_TRUE(r.session->MemLog.lines().isEmpty());
    EXPECT_TRUE(r.chrom.loads.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, TokenGuard,
    ::testing::Values(TokenCase{"wrong", hostArgs("TebligatKontrol", "KullaniciGirisi", "12345")},
                      TokenCase{"padded", hostArgs("TebligatKontrol", "KullaniciGirisi", "58317 ")},
                      TokenCase{"none", {}}));

struct DbFailCase {
    const char* keyword;
    const char* captionAfter;   // the caption is set before the connection except for TebligatKontrol
};

class FailingConnection : public ::testing::TestWithParam<DbFailCase> {};

TEST_P(FailingConnection, ShowsBothErrorsAndClosesWritingNothing) {
    ShellRig r(hostArgs(QString::fromUtf8(GetParam().keyword), "KullaniciGirisi"));
    r.db.openError = QStringLiteral("Unable to connect: Adaptive Server is unavailable (127.0.0.1:1)");
    r.form.show();
    r.formShow();
    ASSERT_EQ(r.hook.records().size(), 2) << r.hook.texts().join(" | ").toStdString();
    EXPECT_EQ(r.hook.texts(), QStringList({kDbFailed, *r.db.openError}));
    for (const DialogRecord& m : r.hook.records()) {
        EXPECT_EQ(m.heading, QStringLiteral("Hata..!"));
        EXPECT_EQ(m.icon, 3);
        EXPECT_EQ(m.title, QStringLiteral("Talpo.Net"));
    }
    EXPECT_EQ(r.form.windowTitle(), QString::fromUtf8(GetParam().captionAfter));
    ShellRig::settle();
    EXPECT_TRUE(r.form.closeHandlerRan());
    EXPECT_FALSE(r.form.isVisible());
    EXPECT_TRUE(r.db.executed.isEmpty());
    EXPECT_TRUE(r.session->MemLog.lines().isEmpty());
    EXPECT_TRUE(r.chrom.loads.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Modes, FailingConnection,
                         ::testing::Values(DbFailCase{"TebligatKontrol", ""},
                                           DbFailCase{"PosKontrol", "Yeni Vedop Pos Sorgula"},
                                           DbFailCase{"EVergiLevhasi", "Vergi Levhası Mükellef İşlemleri"}));

// The same with the real host database: a missing SQLite file and a closed SQL Server port
// each end in the two messages and a closed form, quickly, with nothing written.
class RealConnectionFails : public ::testing::TestWithParam<const char*> {};

TEST_P(RealConnectionFails, ShowsBothErrorsAndCloses) {
    SqlHostDatabase real;
    QStringList args = hostArgs("TebligatKontrol", "KullaniciGirisi");
    args[6] = QString::fromUtf8(GetParam());
    ShellRig r(args, &real);
    r.form.show();
    QElapsedTimer clock;
    clock.start();
    r.formShow();
    EXPECT_LT(clock.elapsed(), 20000);
    ASSERT_EQ(r.hook.records().size(), 2) << r.hook.texts().join(" | ").toStdString();
    EXPECT_EQ(r.hook.texts().first(), kDbFailed);
    EXPECT_FALSE(r.hook.texts().at(1).trimmed().isEmpty());
    ShellRig::settle();
    EXPECT_TRUE(r.form.closeHandlerRan());
    EXPECT_FALSE(real.isOpen());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/tmp/etb-no-such-dir/company.db")));
}

INSTANTIATE_TEST_SUITE_P(
    Strings, RealConnectionFails,
    ::testing::Values("Provider=SQLite;Data Source=/tmp/etb-no-such-dir/company.db",
                      "Provider=SQLOLEDB.1;Password=x;Persist Security Info=True;User ID=sa;"
                      "Initial Catalog=TALPO;Data Source=127.0.0.1,1"));

// ---- keys ----

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    bool shows;
};

class ShiftF9 : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ShiftF9, ShowsTheArgumentsInThePlainBox) {
    ShellRig r(hostArgs("TebligatKontrol", "KullaniciGirisi"));
    r.formShow();
    QTest::keyClick(r.w(Ctl::EdtDogrulamaKodu), GetParam().key, GetParam().mods);
    if (!GetParam().shows) {
        EXPECT_TRUE(r.hook.records().isEmpty());
        return;
    }
    ASSERT_EQ(r.hook.records().size(), 1);
    const DialogRecord& m = r.hook.records().at(0);
    EXPECT_EQ(m.kind, DialogRecord::Plain);
    EXPECT_EQ(m.text, QStringLiteral(">58317>KULLANICI1>parola1>sifre1>TebligatKontrol>KullaniciGirisi>") + kConn +
                          QStringLiteral(">KLV7>/tmp/etb-veri/>7>2024>K1;K2"));
}

INSTANTIATE_TEST_SUITE_P(Keys, ShiftF9,
                         ::testing::Values(KeyCase{Qt::Key_F9, Qt::ShiftModifier, true},
                                           KeyCase{Qt::Key_F9, Qt::ShiftModifier | Qt::ControlModifier, true},
                                           KeyCase{Qt::Key_F9, Qt::NoModifier, false},
                                           KeyCase{Qt::Key_F8, Qt::ShiftModifier, false}));

class EnterKey : public ::testing::Test {
protected:
    static void showActive(TFrmETebligat& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        // Focus moves work in an inactive window too; activation only makes it realistic.
        (void)QTest::qWaitForWindowActive(&form, 1000);
    }
};

TEST_F(EnterKey, MovesTheFocusToTheNextControl) {
    const std::pair<Ctl, Ctl> cases[] = {{Ctl::EdtTCKimlikNo, Ctl::EdtGun},
                                         {Ctl::EdtGun, Ctl::EdtAy},
                                         {Ctl::EdtYil, Ctl::EdtAnne1},
                                         {Ctl::EdtAnne2, Ctl::EdtYakinTCNo}};
    ShellRig r(hostArgs("Bilinmeyen", "TCKimlikNoGirisi"));
    r.formShow();
    showActive(r.form);
    for (const auto& [from, to] : cases) {
        r.form.focus(from);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            r.form.focus(from);
            QTest::keyClick(r.form.focusWidget(), key);
            EXPECT_EQ(r.form.focusWidget(), r.w(to)) << ctlName(from).toStdString();
        }
    }
    EXPECT_TRUE(r.hook.records().isEmpty());
    EXPECT_TRUE(r.chrom.scripts.isEmpty());
}

TEST_F(EnterKey, InTheCodeFieldClicksTheOperationButtonBeforeMovingOn) {
    ShellRig r(hostArgs("Giriş", "KullaniciGirisi"));
    r.formShow();
    showActive(r.form);
    QWidget* focusAtLogin = nullptr;
    r.chrom.onScript = [&](const QString&) {
        if (!focusAtLogin)
            focusAtLogin = r.form.focusWidget();
    };
    r.form.focus(Ctl::EdtDogrulamaKodu);
    QTest::keyClick(r.w(Ctl::EdtDogrulamaKodu), Qt::Key_Return);
    // The plain login was sent (and, with no answer from the fake site, timed out)...
    EXPECT_FALSE(r.chrom.scripts.isEmpty());
    EXPECT_EQ(focusAtLogin, r.w(Ctl::EdtDogrulamaKodu));
    EXPECT_EQ(r.hook.texts(),
              QStringList({QStringLiteral("Internet Server bağlantısı kurulamıyor!... Lütfen işlemi tekrarlayınız.")}));
    // ...and then the focus moved on.
    EXPECT_EQ(r.form.focusWidget(), r.w(Ctl::BtnGirisYap));
}

TEST_F(EnterKey, InTheTcCodeFieldOfTheTaxPlateModeClicksNothing) {
    ShellRig r(hostArgs("EVergiLevhasi", "TCKimlikNoGirisi"));
    r.formShow();
    showActive(r.form);
    r.form.focus(Ctl::EdtDogrulamaKoduTC);
    QTest::keyClick(r.w(Ctl::EdtDogrulamaKoduTC), Qt::Key_Return);
    EXPECT_TRUE(r.chrom.scripts.isEmpty());
    EXPECT_TRUE(r.hook.records().isEmpty());
    EXPECT_NE(r.form.focusWidget(), r.w(Ctl::EdtDogrulamaKoduTC));
}

// ---- closing ----

struct CloseCase {
    const char* what;
    const char* keyword;
    int kapatClicks;
    int extraRequests;
    QStringList logged;   // the E_TEBLIGAT_LOG rows, in order
    int updates;
    bool hiddenFirst = false;   // the operations hide the form before they close it
};

class Closing : public ::testing::TestWithParam<CloseCase> {};

TEST_P(Closing, KapatLogsAndTheHandBackRunsOnce) {
    const CloseCase& c = GetParam();
    ShellRig r(hostArgs(QString::fromUtf8(c.keyword), "KullaniciGirisi"));
    r.formShow();
    r.form.show();
    if (c.hiddenFirst)
        r.form.hideForm();
    for (int i = 0; i < c.kapatClicks; ++i)
        qobject_cast<QAbstractButton*>(r.w(Ctl::BtnKapat))->click();
    for (int i = 0; i < c.extraRequests; ++i)
        r.form.requestClose();
    ShellRig::settle();
    EXPECT_TRUE(r.form.closeHandlerRan());
    EXPECT_FALSE(r.form.isVisible());
    EXPECT_TRUE(QtEventPump::terminating());
    QStringList logged;
    for (const auto& [statement, params] : r.db.executed)
        if (statement == Statement::InsertLog)
            logged << params.value("ACIKLAMA").toString();
    EXPECT_EQ(logged, c.logged);
    EXPECT_EQ(r.db.count(Statement::UpdateFirmaId), c.updates);
    EXPECT_EQ(r.db.count(Statement::InsertTebligat), 0);
    if (!r.db.executed.isEmpty()) {
        EXPECT_EQ(r.db.executed.last().first, Statement::UpdateFirmaId);
    }
    EXPECT_TRUE(r.hook.records().isEmpty()) << r.hook.texts().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Closing,
    ::testing::Values(CloseCase{"Kapat after start-up", "TebligatKontrol", 1, 0, {kStartLine, kKapatLine}, 1},
                      CloseCase{"Kapat and two more closes", "TebligatKontrol", 1, 2, {kStartLine, kKapatLine}, 1},
                      CloseCase{"Kapat twice before the close runs", "PosKontrol", 2, 0,
                                {kStartLine, kKapatLine, kKapatLine}, 1},
                      CloseCase{"plain login mode writes nothing", "Giriş", 1, 1, {}, 0},
                      CloseCase{"a hidden form still hands back", "TebligatKontrol", 0, 2, {kStartLine}, 1, true}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ClosingWithRefusedLog, ReportsOnceAndStillMarksTheRun) {
    ShellRig r(hostArgs("TebligatKontrol", "KullaniciGirisi"));
    r.formShow();
    r.form.show();
    r.db.execError = QStringLiteral("E_TEBLIGAT_LOG: permission denied");
    r.db.failOnly = Statement::InsertLog;
    qobject_cast<QAbstractButton*>(r.w(Ctl::BtnKapat))->click();
    ShellRig::settle();
    ASSERT_TRUE(r.form.closeHandlerRan());
    // Both log lines were tried, the user heard of it once, and the run was still marked.
    EXPECT_EQ(r.db.calls.filter(QStringLiteral("exec %1").arg(int(Statement::InsertLog))).size(), 2);
    ASSERT_EQ(r.hook.records().size(), 1) << r.hook.texts().join(" | ").toStdString();
    EXPECT_EQ(r.hook.records().first().kind, DialogRecord::Plain);
    EXPECT_EQ(r.hook.records().first().text, QStringLiteral("E_TEBLIGAT_LOG: permission denied"));
    EXPECT_EQ(r.db.count(Statement::UpdateFirmaId), 1);
}

} // namespace
