// The plain login mode ("Giriş") end to end against the training site, for both login kinds,
// with and without a captcha on the login page: the values the site receives (credentials
// with quotes and backslashes), the application shown in the reading view, and the logout
// the site sees when the window is closed.
#include "LoginKit.h"

#include "app/MainForm.h"
#include "app/Session.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QUrlQuery>

namespace {

using etb::Ctl;
using etb::Page;
using namespace logintest;

// The controls that show or hide with the captcha (the T.C. page's refresh button stays).
const Ctl kCaptchaControls[] = {Ctl::CaptchaImg,       Ctl::CaptchaImgTC,     Ctl::BtnCapthcaYenile,
                                Ctl::LblDogrulamaKodu, Ctl::EdtDogrulamaKodu, Ctl::LblDogrulamaKoduTC,
                                Ctl::EdtDogrulamaKoduTC};

// The User-Agent of the tool's own picture requests.
const char* const kToolAgent = "Mozilla/3.0 (compatible; Indy Library)";

struct LoginCase {
    const char* name;
    bool tc;        // T.C. identity login (else user code)
    bool captcha;   // the login page carries a captcha
};

class PlainLogin : public testing::TestWithParam<LoginCase> {};

TEST_P(PlainLogin, ReachesTheApplicationAndLogsOutAtClose) {
    const LoginCase& c = GetParam();
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(scenario(c.captcha))) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("Giriş"),
                                         c.tc ? QStringLiteral("TCKimlikNoGirisi") : QStringLiteral("KullaniciGirisi"))));
    etb::Session& s = run.session();

    // The captcha: shown with an id the site knows, or not asked at all.
    for (Ctl ctl : kCaptchaControls)
        EXPECT_EQ(run.form().controlVisible(ctl), c.captcha) << etb::ctlName(ctl).toStdString();
    EXPECT_TRUE(run.form().controlVisible(Ctl::BtnCapthcaYenileTC));
    QString code;
    if (c.captcha) {
        code = run.captchaCode();
        ASSERT_FALSE(code.isEmpty()) << "captcha id " << s.CaptchaIDValue.toStdString();
        // The refresh button fetches the picture of the same id again, as the tool's own request.
        const QString id = s.CaptchaIDValue;
        const auto toolFetches = [&] {
            int n = 0;
            for (const QJsonObject& e : run.site.eventsOfKind(QStringLiteral("captcha-image")))
                n += e.value(QStringLiteral("id")).toString() == id &&
                     e.value(QStringLiteral("userAgent")).toString() == QLatin1String(kToolAgent);
            return n;
        };
        EXPECT_EQ(toolFetches(), 1);
        run.press(c.tc ? Ctl::BtnCapthcaYenileTC : Ctl::BtnCapthcaYenile);
        EXPECT_EQ(toolFetches(), 2);
        EXPECT_EQ(s.CaptchaIDValue, id);
        // Typed in lower case, key by key: the field turns it to upper case as typed.
        QTest::keyClicks(run.form().control(c.tc ? Ctl::EdtDogrulamaKoduTC : Ctl::EdtDogrulamaKodu), code.toLower());
    } else {
        EXPECT_TRUE(s.CaptchaIDValue.isEmpty());
    }
    if (c.tc)
        fillTcFields(run);

    run.press(c.tc ? Ctl::BtnGirisYapTC : Ctl::BtnGirisYap);

    EXPECT_TRUE(run.dialogs.texts().isEmpty()) << run.dialogs.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(s.gGirisBasarili);
    const QList<QJsonObject> calls = loginCalls(run);
    ASSERT_EQ(calls.size(), 1);
    const QJsonObject login = calls.first();
    ASSERT_EQ(login.value(QStringLiteral("kind")).toString(), QStringLiteral("login"));
    const QJsonObject values = login.value(QStringLiteral("values")).toObject();
    if (c.tc) {
        const QJsonObject tc = run.scenario.value(QStringLiteral("tcUser")).toObject();
        for (const TcField& f : kTcFields)
            EXPECT_EQ(values.value(QLatin1String(f.key)), tc.value(QLatin1String(f.key))) << f.key;
    } else {
        const QJsonObject user = run.scenario.value(QStringLiteral("user")).toObject();
        for (const char* key : {"kullaniciKodu", "parola", "sifre"})
            EXPECT_EQ(values.value(QLatin1String(key)), user.value(QLatin1String(key))) << key;
    }
    const QString codeKey = c.tc ? QStringLiteral("dkTCKN") : QStringLiteral("dkKKODU");
    EXPECT_EQ(values.value(codeKey).toString(), code);   // empty: no code sent
    EXPECT_EQ(values.value(QStringLiteral("cid")).toString(), s.CaptchaIDValue);

    // The application in the reading view, in front.
    const QString token = login.value(QStringLiteral("token")).toString();
    const QUrl shown = s.s.web.url();
    EXPECT_EQ(QUrlQuery(shown).queryItemValue(QStringLiteral("token")), token) << shown.toString().toStdString();
    EXPECT_EQ(run.form().activePage(), Page::TSWeb);
    EXPECT_FALSE(run.closed());

    run.press(Ctl::BtnKapat);
    ASSERT_TRUE(run.waitClosed());
    EXPECT_TRUE(run.logLines().contains(QStringLiteral("Program kullanıcı tarafından sonlandırıldı.")));
    const auto loggedOut = [&] {
        for (const QJsonObject& e : run.site.eventsOfKind(QStringLiteral("logout")))
            if (e.value(QStringLiteral("token")).toString() == token && e.value(QStringLiteral("known")).toBool())
                return true;
        return false;
    };
    EXPECT_TRUE(run.waitUntil(loggedOut, 10000));
}

INSTANTIATE_TEST_SUITE_P(LoginKinds, PlainLogin,
                         testing::Values(LoginCase{"UserCode", false, true}, LoginCase{"TCIdentity", true, true},
                                         LoginCase{"UserCodeWithoutCaptcha", false, false},
                                         LoginCase{"TCIdentityWithoutCaptcha", true, false}),
                         [](const testing::TestParamInfo<LoginCase>& info) { return std::string(info.param.name); });

} // namespace
