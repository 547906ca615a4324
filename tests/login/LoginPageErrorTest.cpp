// The application page fails to load after a login the site accepted: its address already
// carries the token, but the run must not go on as logged in. The error is in the log, the
// operation ends without a message and the login page stays.
#include "LoginKit.h"

#include "app/MainForm.h"
#include "app/Session.h"

#include <gtest/gtest.h>

namespace {

using etb::Ctl;
using namespace logintest;

struct PageErrorCase {
    const char* name;
    const char* keyword;
    Ctl button;
};

class ApplicationPageError : public testing::TestWithParam<PageErrorCase> {};

TEST_P(ApplicationPageError, EndsTheOperationSilently) {
    const PageErrorCase& c = GetParam();
    QJsonObject sc = scenario(true);
    sc.insert(QStringLiteral("pageErrors"), QJsonObject{{QStringLiteral("/uygulama/anasayfa"), QStringLiteral("reset")}});
    ToolRun run(kScale);
    ASSERT_TRUE(run.startSite(sc)) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QString::fromUtf8(c.keyword))));
    etb::Session& s = run.session();
    run.typeCode(run.captchaCode());

    run.press(c.button);

    ASSERT_EQ(run.site.eventsOfKind(QStringLiteral("login")).size(), 1);
    ASSERT_FALSE(run.site.eventsOfKind(QStringLiteral("page-error")).isEmpty());
    const QStringList log = run.logLines();
    EXPECT_FALSE(log.filter(QStringLiteral("Sayfa yüklenirken hata oluştu.")).isEmpty()) << log.join('|').toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("Sistem başarıyla giriş yapıldı."))) << log.join('|').toStdString();
    EXPECT_FALSE(s.gGirisBasarili);
    EXPECT_TRUE(run.dialogs.texts().isEmpty()) << run.dialogs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(run.form().activePage(), etb::Page::TSGiris);
    EXPECT_TRUE(run.form().isShowing());
    EXPECT_TRUE(run.site.eventsOfKind(QStringLiteral("menu")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ApplicationPageError,
                         testing::Values(PageErrorCase{"PlainLogin", "Giriş", Ctl::BtnGirisYap},
                                         PageErrorCase{"ETebligat", "TebligatKontrol", Ctl::BtnETebligatKontrol}),
                         [](const testing::TestParamInfo<PageErrorCase>& info) { return std::string(info.param.name); });

} // namespace
