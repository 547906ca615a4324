// The interactive tax office's address mirror: an address of the portal browser that carries
// the token is opened in the reading view, once the credentials have been filled in.
#include "app/Environment.h"
#include "app/Session.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace etb;
using namespace etb::test;

const QString kNoServerLog = QStringLiteral("Internet Server bağlantısı kurulamıyor. Program sonlandırılacak");
const QString kNoServerMessage = QStringLiteral("Internet Server bağlantısı kurulamıyor!... Program sonlandırılacak.");

struct PortalRig {
    PortalRig() {
        Environment env = Environment::fromProcess();
        env.timeScale = 1.0;
        Environment::set(env);
        session = std::make_unique<Session>(Services{ui, dialogs, chrom, web, portal, http, db, waiter},
                                            CommandLine({kLaunchToken, "KULLANICI1", "parola1", "sifre1",
                                                         "InteraktifVergiDairesi", "KullaniciGirisi", "", "", "",
                                                         "", "", ""}));
        session->MemLog.open();
        ui.page = Page::TSInteraktifVergiDairesi;
    }
    FakeTicks ticks;
    FakePump pump{&ticks, 250};
    Waiter waiter{ticks, pump};
    FakeFormUi ui;
    FakeDialogs dialogs;
    FakeActingView chrom, portal;
    FakeReadingView web;
    FakeHttpClient http;
    FakeHostDatabase db;
    std::unique_ptr<Session> session;
};

struct MirrorCase {
    const char* name;
    bool credentialsFilled;   // gInteraktifVergiDairesiSifreGir
    const char* address;
    int readyState;           // the reading view's state while the test lasts
    bool mirrored;            // the reading view was sent to the address
    Page page;                // the page in front afterwards
    bool gaveUp;              // the reading view never completed: log line, message, close
};

class PortalMirror : public testing::TestWithParam<MirrorCase> {};

TEST_P(PortalMirror, FollowsTheLoggedInAddress) {
    const MirrorCase& c = GetParam();
    PortalRig r;
    r.session->gInteraktifVergiDairesiSifreGir = c.credentialsFilled;
    r.web.ready = c.readyState;
    const QUrl address(QString::fromUtf8(c.address));

    r.session->guard([&] { r.session->chrInteraktifVergiDairesiAddressChange(address); });

    if (c.mirrored)
        EXPECT_EQ(r.web.navigations, QVector<QUrl>{address});
    else
        EXPECT_TRUE(r.web.navigations.isEmpty());
    EXPECT_EQ(r.ui.page, c.page);
    QStringList log;
    for (const LogLine& l : r.session->MemLog.lines())
        log << l.LOG_ACIKLAMA;
    if (c.gaveUp) {
        EXPECT_TRUE(log.contains(kNoServerLog)) << log.join('|').toStdString();
        EXPECT_EQ(r.dialogs.texts(), QStringList{kNoServerMessage});
        EXPECT_EQ(r.ui.closeRequests, 1);
    } else {
        EXPECT_FALSE(log.contains(kNoServerLog));
        EXPECT_TRUE(r.dialogs.boxes.isEmpty());
        EXPECT_EQ(r.ui.closeRequests, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, PortalMirror,
    testing::Values(
        // The portal answers the login before the tool has finished filling in: not followed.
        MirrorCase{"TokenBeforeCredentialsFilled", false, "http://127.0.0.1:9/portal/anasayfa?token=T1", 4, false,
                   Page::TSInteraktifVergiDairesi, false},
        MirrorCase{"NoToken", true, "http://127.0.0.1:9/portal/giris?oturum=yeni", 4, false,
                   Page::TSInteraktifVergiDairesi, false},
        MirrorCase{"TokenAfterCredentialsFilled", true, "http://127.0.0.1:9/portal/anasayfa?token=T1", 4, true,
                   Page::TSWeb, false},
        MirrorCase{"ReadingViewNeverCompletes", true, "http://127.0.0.1:9/portal/anasayfa?token=T1", 3, true,
                   Page::TSInteraktifVergiDairesi, true}),
    [](const testing::TestParamInfo<MirrorCase>& info) { return std::string(info.param.name); });

} // namespace
