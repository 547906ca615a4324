// The checks before a login is sent: each empty field gives its message and gets the focus,
// the first failure in the page's order wins, and nothing reaches the site and nothing waits.
#include "LoginKit.h"

#include "app/MainForm.h"
#include "app/Session.h"
#include "app/Timing.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <vector>

namespace {

using etb::Ctl;
using namespace logintest;

// Slow enough that a login sent by mistake shows in the time the button takes.
constexpr double kChecksScale = 0.5;

struct CheckCase {
    std::vector<Ctl> emptied;
    const char* message;
    Ctl focus;
};

// Presses the login button with the fields of a case emptied; expects its message, its focus,
// no call at the site and no wait.
void expectRefused(ToolRun& run, Ctl button, const CheckCase& c) {
    for (Ctl field : c.emptied)
        run.setText(field, QString());
    run.form().focus(Ctl::BtnKapat);
    run.dialogs.clear();

    QElapsedTimer pressed;
    pressed.start();
    run.press(button);
    const qint64 took = pressed.elapsed();

    EXPECT_EQ(run.dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(run.form().focusWidget(), run.form().control(c.focus))
        << "focus on " << (run.form().focusWidget() ? run.form().focusWidget()->objectName().toStdString() : "nothing");
    EXPECT_LT(took, etb::scaled(etb::Pause::AfterLoginSent) / 2) << "the press waited";
    EXPECT_TRUE(loginCalls(run).isEmpty());
    EXPECT_FALSE(run.closed());
}

TEST(LoginFieldChecks, TCIdentityPage) {
    const CheckCase cases[] = {
        {{Ctl::EdtTCKimlikNo}, "T.C. kimlik numarasını giriniz.", Ctl::EdtTCKimlikNo},
        {{Ctl::EdtGun}, "Doğum tarihi \"Gün\"ünü giriniz.", Ctl::EdtGun},
        {{Ctl::EdtAy}, "Doğum tarihi \"Ay\"nı giriniz.", Ctl::EdtAy},
        {{Ctl::EdtYil}, "Doğum tarihi \"Yıl\"ınızı giriniz.", Ctl::EdtYil},
        {{Ctl::EdtAnne1}, "Anne kızlık soyadının 1. harfını giriniz.", Ctl::EdtAnne1},
        {{Ctl::EdtAnne2}, "Anne kızlık soyadının 2. harfını giriniz.", Ctl::EdtAnne2},
        {{Ctl::EdtYakinTCNo}, "Yakın T.C. kimlik numarasını giriniz.", Ctl::EdtYakinTCNo},
        {{Ctl::EdtDogrulamaKoduTC}, "Doğrulama kodunu giriniz.", Ctl::EdtDogrulamaKoduTC},
        // Several empty: the first in the page's order is reported.
        {{Ctl::EdtYakinTCNo, Ctl::EdtAy}, "Doğum tarihi \"Ay\"nı giriniz.", Ctl::EdtAy},
        {{Ctl::EdtDogrulamaKoduTC, Ctl::EdtAnne2}, "Anne kızlık soyadının 2. harfını giriniz.", Ctl::EdtAnne2},
    };
    ToolRun run(kChecksScale);
    ASSERT_TRUE(run.startSite(scenario(true))) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("Giriş"), QStringLiteral("TCKimlikNoGirisi"))));
    const QString code = run.captchaCode();
    ASSERT_FALSE(code.isEmpty());
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.message);
        fillTcFields(run);
        run.typeCode(code);
        expectRefused(run, Ctl::BtnGirisYapTC, c);
    }
}

TEST(LoginFieldChecks, UserCodePageWithoutCode) {
    ToolRun run(kChecksScale);
    ASSERT_TRUE(run.startSite(scenario(true))) << run.site.errorString().toStdString();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("Giriş"), QStringLiteral("KullaniciGirisi"))));
    ASSERT_FALSE(run.captchaCode().isEmpty());
    expectRefused(run, Ctl::BtnGirisYap, {{Ctl::EdtDogrulamaKodu}, "Doğrulama kodunu giriniz.", Ctl::EdtDogrulamaKodu});
}

} // namespace
