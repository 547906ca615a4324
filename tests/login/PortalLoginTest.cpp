// The interactive tax office mode end to end against the training site's portal: the tool
// fills in the user code and the şifre and presses the login button; the logged-in address is
// opened in the reading view, which comes to the front; closing the window logs out of the
// portal, and the host database is never touched.
#include "LoginKit.h"

#include "app/MainForm.h"
#include "app/Session.h"

#include <gtest/gtest.h>

#include <QUrlQuery>

namespace {

using etb::Ctl;
using etb::Page;
using namespace logintest;

QString tokenOf(const QUrl& url) { return QUrlQuery(url).queryItemValue(QStringLiteral("token")); }

TEST(PortalLogin, LogsInMirrorsAndLogsOutAtClose) {
    QJsonObject sc = scenario(true);
    // The portal's answer comes after the tool has finished filling in, as when the user
    // completes the login on the portal page.
    sc.insert(QStringLiteral("pageDelayMs"), QJsonObject{{QStringLiteral("portal:/portal/giris"), 1000}});
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(sc)) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("InteraktifVergiDairesi"))));
    etb::Session& s = run.session();
    EXPECT_TRUE(s.gInteraktifVergiDairesineGirisYapildi);
    EXPECT_TRUE(s.gInteraktifVergiDairesiSifreGir);

    const auto portalLogins = [&] { return run.site.eventsOfKind(QStringLiteral("portal-login")); };
    ASSERT_TRUE(run.waitUntil([&] { return !portalLogins().isEmpty(); }, 10000))
        << run.site.eventsOfKind(QStringLiteral("portal-login-rejected")).size() << " refused";
    const QJsonObject login = portalLogins().first();
    const QJsonObject user = run.scenario.value(QStringLiteral("user")).toObject();
    const QJsonObject values = login.value(QStringLiteral("values")).toObject();
    EXPECT_EQ(values.value(QStringLiteral("kullaniciKodu")), user.value(QStringLiteral("kullaniciKodu")));
    EXPECT_EQ(values.value(QStringLiteral("sifre")), user.value(QStringLiteral("sifre")));
    const QString token = login.value(QStringLiteral("token")).toString();
    ASSERT_FALSE(token.isEmpty());

    // The logged-in portal page in the reading view, in front.
    ASSERT_TRUE(run.waitUntil([&] { return tokenOf(s.s.web.url()) == token && run.form().activePage() == Page::TSWeb; },
                              10000))
        << s.s.web.url().toString().toStdString();
    EXPECT_EQ(s.s.web.url().port(), run.site.portalRoot().port());
    EXPECT_EQ(s.s.web.url().path(), QStringLiteral("/portal/anasayfa"));

    // No captcha and no application login in this mode.
    EXPECT_TRUE(s.CaptchaIDValue.isEmpty());
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("captcha-image")).isEmpty());
    EXPECT_TRUE(loginCalls(run).isEmpty());
    EXPECT_TRUE(run.dialogs.texts().isEmpty()) << run.dialogs.texts().join(QLatin1Char('|')).toStdString();

    run.press(Ctl::BtnKapat);
    ASSERT_TRUE(run.waitClosed());
    const auto loggedOut = [&] {
        for (const QJsonObject& e : run.site.eventsOfKind(QStringLiteral("portal-logout")))
            if (e.value(QStringLiteral("token")).toString() == token && e.value(QStringLiteral("known")).toBool())
                return true;
        return false;
    };
    EXPECT_TRUE(run.waitUntil(loggedOut, 10000));
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("logout")).isEmpty());
    const auto rows = run.query(QStringLiteral("SELECT COUNT(*) AS n FROM E_TEBLIGAT_LOG"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().value(QStringLiteral("n")).toInt(), 0);
}

} // namespace
