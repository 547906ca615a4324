// The browser driver on real headless Chromium: the token bridge, load errors, script boxes
// of the acting view, and the element walk fn_ElemanBulTikla.
#include "BrowserTestKit.h"
#include "app/Timing.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace etb::test {
namespace {

class DriverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { h = new Harness; }
    static void TearDownTestSuite() {
        delete h;
        h = nullptr;
    }
    void SetUp() override {
        Session& s = h->session;
        s.gGirisBasarili = s.gSayfaYuklendi = s.gHataOlustu = false;
        s.gButtonList.clear();
        s.gLoginHata.clear();
    }
    static inline Harness* h = nullptr;
};

struct BridgeCase {
    const char* name;
    const char* address;
    bool bridged;
};

TEST_F(DriverTest, TokenBridgeFollowsEveryAddressHoldingTheToken) {
    h->server.setPage(QStringLiteral("/app.html"), "<html><body><p id='app'>uygulama</p></body></html>");
    const BridgeCase cases[] = {
        {"no token", "/app.html?a=1", false},
        {"other case", "/app.html?Token=abc", false},
        {"token", "/app.html?token=abc", true},
        {"token inside a longer value", "/app.html?ref=xtoken=5&b=2", true},
        {"next address with the token", "/app.html?token=abc&page=2", true},
    };
    for (const BridgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(h->loadWeb(QUrl(QStringLiteral("about:blank"))));
        h->session.gGirisBasarili = false;
        const QUrl address = h->server.url(QString::fromUtf8(c.address));
        ASSERT_TRUE(h->loadChrom(address));
        if (c.bridged) {
            EXPECT_TRUE(waitUntil([&] { return h->session.gGirisBasarili; }))
                << h->log().join(QLatin1Char('|')).toStdString();
            EXPECT_EQ(h->views.web().url(), address);
            EXPECT_EQ(h->views.web().readyState(), 4);
        } else {
            waitUntil([] { return false; }, 100);
            EXPECT_FALSE(h->session.gGirisBasarili);
            EXPECT_EQ(h->views.web().url(), QUrl(QStringLiteral("about:blank")));
        }
    }
}

TEST_F(DriverTest, TokenBridgeGivesUpWhenTheReadingViewNeverCompletes) {
    Session& s = h->session;
    s.gGirisBasarili = true;
    const int closes = h->ui.closeRequests;
    const qsizetype boxes = h->dialogs.boxes.size();
    QElapsedTimer t;
    t.start();
    s.guard([&] { s.ChromAddressChange(h->server.url(QStringLiteral("/hang?token=1"))); });
    EXPECT_GE(t.elapsed(), scaled(Pause::WaitLimit));
    EXPECT_LT(t.elapsed(), scaled(Pause::WaitLimit) + 5000);
    EXPECT_EQ(h->log().last(), QStringLiteral("Internet Server bağlantısı kurulamıyor. Program sonlandırılacak"));
    ASSERT_EQ(h->dialogs.boxes.size(), boxes + 1);
    EXPECT_EQ(h->dialogs.texts().last(), QStringLiteral("Internet Server bağlantısı kurulamıyor!... Program sonlandırılacak."));
    EXPECT_EQ(h->ui.closeRequests, closes + 1);
    EXPECT_FALSE(s.gGirisBasarili);
    EXPECT_FALSE(s.gSayfaYuklendi);
    EXPECT_TRUE(h->dialogs.plain.isEmpty());   // a silent abort, not an error
    ASSERT_TRUE(h->loadWeb(QUrl(QStringLiteral("about:blank"))));
}

struct LoadCase {
    const char* name;
    QUrl url;
    bool failure;
};

TEST_F(DriverTest, OnlyARealLoadFailureOfTheActingViewIsLoggedAsAnError) {
    const QString prefix = QStringLiteral("Sayfa yüklenirken hata oluştu. Progam sonladırlacak. ");
    const LoadCase cases[] = {
        {"refused connection", QUrl(QStringLiteral("http://127.0.0.1:1/")), true},
        {"navigation that turns into a download", h->server.url(QStringLiteral("/download?id=1")), false},
        {"ordinary page", h->server.url(QStringLiteral("/queries.html")), false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        h->session.gHataOlustu = false;
        h->session.gSayfaYuklendi = false;
        const qsizetype lines = h->log().size();
        h->views.chrom().load(c.url);
        ASSERT_TRUE(waitUntil([&] { return h->session.gSayfaYuklendi; }));
        waitUntil([] { return false; }, 200);   // a late error report would arrive here
        EXPECT_EQ(h->session.gHataOlustu, c.failure);
        const QStringList added = h->log().mid(lines);
        if (c.failure) {
            ASSERT_EQ(added.size(), 1);
            EXPECT_TRUE(added[0].startsWith(prefix));
            EXPECT_GT(added[0].size(), prefix.size());   // the browser's own error text follows
        } else {
            EXPECT_TRUE(added.isEmpty()) << added.join(QLatin1Char('|')).toStdString();
        }
    }
}

TEST_F(DriverTest, ScriptBoxesOfTheActingViewReachTheSessionAndShowNothing) {
    ASSERT_TRUE(h->loadChrom(h->server.url(QStringLiteral("/queries.html"))));
    const QString message = QStringLiteral("Kullanıcı kodu veya parola hatalı \"x\"");
    h->evalChrom(QStringLiteral("alert(%1)").arg(QStringLiteral("'Kullanıcı kodu veya parola hatalı \"x\"'")));
    EXPECT_EQ(h->session.gLoginHata, message);
    EXPECT_TRUE(h->session.gHataOlustu);
    // A confirm gets the "cancel" answer at once.
    EXPECT_EQ(h->evalChrom(QStringLiteral("confirm('Parola?')")).toBool(), false);
    EXPECT_EQ(h->session.gLoginHata, QStringLiteral("Parola?"));
}

struct WalkCase {
    const char* name;
    const char* body;
    const char* text;
    QString cls;
    const char* tag;
    bool flag;
    bool result;
    const char* webClicks;
    const char* chromClicks;
    QStringList buttonList;
    int currentEnvelopeRow;   // MemTebligatList's current row afterwards (starts at 2)
    Page page;                // the active page afterwards
};

TEST_F(DriverTest, ElementWalkAppliesTagIdAndClassRules) {
    const WalkCase cases[] = {
        {"tag rule clicks each id once in both views and positions the list",
         "<a id='z1' data-k='z1'>Zarf</a><a id='z2' data-k='z2'>Zarf</a><a id='z1' data-k='z1b'>Zarf</a>"
         "<a id='z3' data-k='z3'>Zarf Aç</a>",
         "Zarf", {}, "A", false, true, "z1=1 z2=1", "z1=1 z2=1", {"z1", "z2"}, 0, Page::TSChrom},
        {"id rule ends the walk after the class-rule clicks before it",
         "<div class='c' data-k='c1'>Git</div><button id='b1' data-k='b1'>Git</button>"
         "<button id='b2' data-k='b2'>Git</button><div class='c' data-k='c2'>Git</div>",
         "Git", QStringLiteral("c"), "", true, true, "b1=1 c1=1", "b1=1", {}, 2, Page::TSChrom},
        {"id rule without the flag clicks in the reading view only",
         "<button id='b1' data-k='b1'>Git</button>", "Git", {}, "", false, true, "b1=1", "", {}, 2, Page::TSWeb},
        {"class rule alone gives false",
         "<div class='c' data-k='c1'>Git</div><div class='c' data-k='c2'>Git</div><div class='d' data-k='d'>Git</div>",
         "Git", QStringLiteral("c"), "", true, false, "c1=1 c2=1", "", {}, 2, Page::TSWeb},
        {"empty class matches only elements without a class",
         "<div data-k='n'>Git</div><div class='c' data-k='c'>Git</div>", "Git", {}, "", true, false, "n=1", "", {}, 2,
         Page::TSWeb},
        {"comparisons are whole and untrimmed",
         "<button id='b1' data-k='b1'>Git ve Gel</button><button id='b2' data-k='b2'>git</button>"
         "<button id='Git' data-k='b3'>Başka</button>",
         "Git", {}, "BUTTON", true, false, "", "", {}, 2, Page::TSWeb},
        {"nothing matches", "<p>metin</p>", "Yok", {}, "", true, false, "", "", {}, 2, Page::TSWeb},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(h->showBoth(QStringLiteral("/walk.html"), counterPage(c.body)));
        Session& s = h->session;
        s.MemTebligatList.rows().clear();
        for (const char* id : {"z2", "z1", "x"}) {
            TebligatRow row;
            row.ZARF_INDIR_BUTON_NAME = QString::fromUtf8(id);
            s.MemTebligatList.rows().append(row);
        }
        s.MemTebligatList.setCurrent(2);
        h->ui.page = Page::TSGiris;

        const bool result = s.fn_ElemanBulTikla(QString::fromUtf8(c.text), c.cls, QString::fromUtf8(c.tag), c.flag);

        EXPECT_EQ(result, c.result);
        EXPECT_EQ(clicksOf(h->evalWeb(kClicksScript)), QString::fromUtf8(c.webClicks));
        EXPECT_EQ(clicksOf(h->evalChrom(kClicksScript)), QString::fromUtf8(c.chromClicks));
        EXPECT_EQ(s.gButtonList, c.buttonList);
        EXPECT_EQ(s.MemTebligatList.current(), c.currentEnvelopeRow);
        EXPECT_EQ(h->ui.page, c.page);
    }
}

TEST_F(DriverTest, ElementWalkGivesFalseWhenTheReadingViewFails) {
    // Two elements with the same text; the tag rule's lookup by id finds nothing to click.
    ASSERT_TRUE(h->showBoth(QStringLiteral("/walk.html"), counterPage("<a data-k='a'>Zarf</a>")));
    EXPECT_FALSE(h->session.fn_ElemanBulTikla(QStringLiteral("Zarf"), {}, QStringLiteral("A"), false));
    EXPECT_EQ(clicksOf(h->evalChrom(kClicksScript)), QString());
}

} // namespace
} // namespace etb::test
