// Logins the site refuses or never answers, end to end against the training site: wrong
// credentials are reported with the site's text and close the window; a wrong code brings a
// new captcha up to four times and the fifth ends the program; a login without an answer
// ends in the time-out message and leaves the window open.
#include "LoginKit.h"

#include "app/MainForm.h"
#include "app/Session.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using etb::Ctl;
using namespace logintest;

const QString kCheckCredentials = QStringLiteral("Kullanıcı bilgilerinizi kontrol edip tekrar deneyiniz.");
const QString kCodeLimitLog = QStringLiteral("Sistem doğrulama kodunu çözemedi. Program sonlandırılacak.");
const QString kTryLater = QStringLiteral(" Lütfen daha sonra tekrar deneyiniz.");

QList<QJsonObject> rejections(ToolRun& run) { return run.site.eventsOfKind(QStringLiteral("login-rejected")); }

// ---- wrong credentials ----

struct CredentialCase {
    const char* name;
    bool tc;                      // T.C. identity login
    int argument;                 // user code login: the argument given wrong (2 user code, 3 parola, 4 şifre)
    std::optional<Ctl> field;     // T.C. login: the field typed wrong
    const char* reason;           // the site's reason for the refusal
    const char* word;             // the word of the site's alert that marks a credential error
};

class WrongCredentials : public testing::TestWithParam<CredentialCase> {};

TEST_P(WrongCredentials, ReportedWithTheSiteTextThenClosed) {
    const CredentialCase& c = GetParam();
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(scenario(true))) << run.site.errorString().toStdString();
    QStringList args = run.arguments(QStringLiteral("Giriş"),
                                     c.tc ? QStringLiteral("TCKimlikNoGirisi") : QStringLiteral("KullaniciGirisi"));
    if (!c.tc)
        args[c.argument - 1] += QStringLiteral("x");
    ASSERT_TRUE(run.launch(args));
    if (c.tc) {
        fillTcFields(run);
        run.setText(*c.field, QStringLiteral("9"));
    }
    run.typeCode(run.captchaCode());

    run.press(c.tc ? Ctl::BtnGirisYapTC : Ctl::BtnGirisYap);
    ASSERT_TRUE(run.waitClosed(10000));

    const QList<QJsonObject> refused = rejections(run);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused.first().value(QStringLiteral("reason")).toString(), QLatin1String(c.reason));
    const QString alert = refused.first().value(QStringLiteral("alert")).toString();
    ASSERT_TRUE(alert.contains(QString::fromUtf8(c.word))) << alert.toStdString();
    EXPECT_EQ(run.dialogs.texts(), QStringList{alert + QStringLiteral("\r\n") + kCheckCredentials});
    EXPECT_EQ(run.logLines().count(alert), 1);
    EXPECT_FALSE(run.session().gGirisBasarili);
    EXPECT_EQ(run.session().gDogurlamaKoduHatasi, 0);
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("login")).isEmpty());
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("logout")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, WrongCredentials,
    testing::Values(CredentialCase{"UserCode", false, 2, std::nullopt, "kullaniciKodu", "Kullanıcı"},
                    CredentialCase{"Parola", false, 3, std::nullopt, "parola", "Parola"},
                    CredentialCase{"Sifre", false, 4, std::nullopt, "sifre", "Şifre"},
                    CredentialCase{"TCPersonalData", true, 0, Ctl::EdtYil, "kisiselBilgi", "Kullanıcı"}),
    [](const testing::TestParamInfo<CredentialCase>& info) { return std::string(info.param.name); });

// ---- wrong codes ----

TEST(WrongCode, NewCaptchaFourTimesThenTheProgramEnds) {
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(scenario(true))) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("Giriş"))));
    etb::Session& s = run.session();
    const QString wrong = QStringLiteral("YANLIS");

    for (int attempt = 1; attempt <= 5; ++attempt) {
        SCOPED_TRACE(attempt);
        const QString shown = s.CaptchaIDValue;
        ASSERT_FALSE(run.site.captchaCode(shown).isEmpty()) << "the site does not know id " << shown.toStdString();
        run.typeCode(wrong);
        run.press(Ctl::BtnGirisYap);

        ASSERT_TRUE(run.waitUntil([&] { return rejections(run).size() == attempt; }, 10000));
        const QJsonObject last = rejections(run).last();
        EXPECT_EQ(last.value(QStringLiteral("reason")).toString(), QStringLiteral("captcha"));
        // The id sent with the code is the one whose picture the tool showed.
        EXPECT_EQ(last.value(QStringLiteral("values")).toObject().value(QStringLiteral("cid")).toString(), shown);
        const QString alert = last.value(QStringLiteral("alert")).toString();

        if (attempt < 5) {
            // The login page again, with a new picture whose id is written into the acting view.
            ASSERT_TRUE(run.waitUntil(
                [&] { return s.CaptchaIDValue != shown && !s.CaptchaIDValue.isEmpty() && s.CodeStr.contains(s.CaptchaIDValue); },
                10000));
            EXPECT_EQ(s.gDogurlamaKoduHatasi, attempt);
            EXPECT_TRUE(run.dialogs.texts().isEmpty()) << run.dialogs.texts().join(QLatin1Char('|')).toStdString();
            EXPECT_EQ(run.form().focusWidget(), run.form().control(Ctl::EdtDogrulamaKodu));
            EXPECT_FALSE(run.closed());
            continue;
        }
        // Past the limit: the program's line, one message, and the window closes.
        ASSERT_TRUE(run.waitClosed(10000));
        EXPECT_EQ(run.dialogs.texts(), QStringList{alert + kTryLater});
        EXPECT_TRUE(run.logLines().contains(kCodeLimitLog));
        EXPECT_EQ(run.logLines().count(alert), 5);
    }
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("login")).isEmpty());
}

// After a wrong code the new captcha is the one the site checks: its code lets the login in
// (T.C. page: the code goes through the T.C. form's frame).
TEST(WrongCode, TheNewCaptchaLetsTheNextCodeIn) {
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(scenario(true))) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("Giriş"), QStringLiteral("TCKimlikNoGirisi"))));
    etb::Session& s = run.session();
    fillTcFields(run);
    const QString first = s.CaptchaIDValue;
    run.typeCode(QStringLiteral("YANLIS"));
    run.press(Ctl::BtnGirisYapTC);
    ASSERT_TRUE(run.waitUntil(
        [&] { return s.CaptchaIDValue != first && !s.CaptchaIDValue.isEmpty() && s.CodeStr.contains(s.CaptchaIDValue); },
        10000));
    EXPECT_EQ(run.form().focusWidget(), run.form().control(Ctl::EdtDogrulamaKoduTC));

    run.typeCode(run.captchaCode());
    run.press(Ctl::BtnGirisYapTC);

    EXPECT_TRUE(s.gGirisBasarili);
    const QList<QJsonObject> logins = run.site.eventsOfKind(QStringLiteral("login"));
    ASSERT_EQ(logins.size(), 1);
    EXPECT_EQ(logins.first().value(QStringLiteral("values")).toObject().value(QStringLiteral("cid")).toString(),
              s.CaptchaIDValue);
    EXPECT_EQ(run.form().activePage(), etb::Page::TSWeb);
    EXPECT_TRUE(run.dialogs.texts().isEmpty()) << run.dialogs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(run.closed());
}

// ---- no answer ----

struct SilenceCase {
    const char* name;
    const char* keyword;
    Ctl button;
    bool logged;   // the time-out message also goes to the log
};

class NoAnswer : public testing::TestWithParam<SilenceCase> {};

TEST_P(NoAnswer, TimeOutMessageAndTheWindowStaysOpen) {
    const SilenceCase& c = GetParam();
    QJsonObject sc = scenario(true);
    sc.insert(QStringLiteral("loginNeverAnswers"), true);
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(sc)) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QString::fromUtf8(c.keyword))));
    etb::Session& s = run.session();
    run.typeCode(run.captchaCode());

    run.press(c.button);

    EXPECT_EQ(run.dialogs.texts(), QStringList{kNoServer});
    EXPECT_EQ(run.logLines().contains(kNoServer), c.logged);
    EXPECT_EQ(run.site.eventsOfKind(QStringLiteral("login-held")).size(), 1);
    EXPECT_TRUE(s.gHataOlustu);
    EXPECT_FALSE(s.gGirisBasarili);
    // The operation stopped there: still on the login page, shown, and not closing.
    EXPECT_EQ(run.form().activePage(), etb::Page::TSGiris);
    EXPECT_TRUE(run.form().isShowing());
    EXPECT_FALSE(run.waitClosed(1000));
    EXPECT_FALSE(run.logLines().contains(QStringLiteral("Sistem başarıyla giriş yapıldı.")));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NoAnswer,
    testing::Values(SilenceCase{"PlainLogin", "Giriş", Ctl::BtnGirisYap, false},
                    SilenceCase{"ETebligat", "TebligatKontrol", Ctl::BtnETebligatKontrol, true}),
    [](const testing::TestParamInfo<SilenceCase>& info) { return std::string(info.param.name); });

} // namespace
