// Element queries and menu steps of the session on real headless Chromium, with the same page
// in both views: which element each query takes, what it does in which view, and how values
// reach the acting view's page.
#include "BrowserTestKit.h"
#include "app/Timing.h"
#include "browser/ChromScripts.h"
#include "browser/ScriptLiteral.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace etb::test {
namespace {

class QueriesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { h = new Harness; }
    static void TearDownTestSuite() {
        delete h;
        h = nullptr;
    }
    void SetUp() override {
        h->session.gHataOlustu = false;
        h->dialogs.plain.clear();
    }
    // Serves the body (inside the click-counting page) to both views under a fresh address.
    static void show(const QByteArray& body) {
        static int n = 0;
        ASSERT_TRUE(h->showBoth(QStringLiteral("/q%1.html").arg(++n), counterPage(body)));
    }
    static QString webValue(const QString& id) {
        return h->evalWeb(QStringLiteral("document.getElementById(%1).value").arg(jsLiteral(id))).toString();
    }
    static QString chromValue(const QString& id) {
        return h->evalChrom(QStringLiteral("document.getElementById(%1).value").arg(jsLiteral(id))).toString();
    }
    static QString webClicks() { return clicksOf(h->evalWeb(kClicksScript)); }
    static QString chromClicks() { return clicksOf(h->evalChrom(kClicksScript)); }
    static inline Harness* h = nullptr;
};

// ---- fn_ElemanAra and fn_ElemanSiraBul ----

struct SearchCase {
    const char* text;
    QString cls;
    bool found;
};

TEST_F(QueriesTest, ElemanAraMatchesIdOrWholeTextAndTheWholeClassText) {
    show("<div id='menu1' class='csc-title'>Ana Menü</div><div id='kod' class='x'>Başka</div>"
         "<span class='a b'>İki Sınıf</span><p>  Boşluklu</p><p>Uzun Metin Parçası</p>");
    const SearchCase cases[] = {
        {"Ana Menü", {}, true},
        {"Ana Menü", QStringLiteral("csc-title"), true},
        {"Ana Menü", QStringLiteral("x"), false},
        {"kod", {}, true},                              // id equals the text, own text differs
        {"kod", QStringLiteral("x"), true},
        {"İki Sınıf", QStringLiteral("a b"), true},
        {"İki Sınıf", QStringLiteral("a"), false},      // one name out of the class text is not enough
        {"Metin", {}, false},                           // contained is not equal
        {"ana menü", {}, false},                        // case-sensitive
        {"Yok", {}, false},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.cls.toStdString());
        EXPECT_EQ(h->session.fn_ElemanAra(QString::fromUtf8(c.text), c.cls), c.found);
    }
}

TEST_F(QueriesTest, ElemanSiraBulTrimsBothSidesAndCountsWithinTheTag) {
    show("<p>Birinci</p><ul><li>Birinci</li><li>\n  İkinci \t</li><li>Üçüncü</li></ul>");
    const std::pair<const char*, const char*> cases[] = {
        {"Birinci", "0"}, {" İkinci ", "1"}, {"İkinci", "1"}, {"Üçüncü", "2"}, {"üçüncü", ""}, {"Dördüncü", ""},
    };
    for (const auto& [text, position] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(h->session.fn_ElemanSiraBul(QString::fromUtf8(text), QStringLiteral("LI")), QString::fromUtf8(position));
    }
}

// ---- clicks by class ----

struct ClassClickCase {
    const char* name;
    const char* body;
    const char* text;
    bool flag;
    const char* webClicks;
    const char* chromClicks;
};

TEST_F(QueriesTest, SinifElemanTiklaTakesValueOrIdAndClicksTheReadingViewOnlyWithTheFlag) {
    const char* body = "<input type='button' id='b1' class='btn' data-k='b1' value='Kaydet'>"
                       "<input type='button' id='Sorgula' class='btn' data-k='b2' value='Başka'>"
                       "<input type='button' id='b3' class='btn' data-k='b3' value='Kaydet'>"
                       "<input type='button' id='b4' class='diger' data-k='b4' value='Gönder'>";
    const ClassClickCase cases[] = {
        {"by value, flag on", body, "Kaydet", true, "b1=1", "b1=1"},
        {"by value, flag off: acting view only", body, "Kaydet", false, "", "b1=1"},
        {"by id", body, "Sorgula", true, "b2=1", "b2=1"},
        {"other class", body, "Gönder", true, "", ""},
        {"trimmed value is not taken", body, " Kaydet", true, "", ""},
    };
    for (const ClassClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        show(c.body);
        h->session.pr_SinifElemanTikla(QStringLiteral("btn"), QString::fromUtf8(c.text), c.flag);
        EXPECT_EQ(webClicks(), QString::fromUtf8(c.webClicks));
        EXPECT_EQ(chromClicks(), QString::fromUtf8(c.chromClicks));
    }
}

TEST_F(QueriesTest, DegerleTiklaTakesTrimmedValueOrContainedNameAndAlwaysClicksTheReadingView) {
    const char* body = "<input type='button' id='d1' class='sec' data-k='d1' name='donemAy' value='Ekim'>"
                       "<input type='button' id='d2' class='sec' data-k='d2' name='x' value='  Kasım '>"
                       "<input type='button' id='d3' class='sec' data-k='d3' name='y' value='Ay'>";
    const ClassClickCase cases[] = {
        {"trimmed value", body, "Kasım", true, "d2=1", "d2=1"},
        {"flag off: reading view only", body, " Kasım", false, "d2=1", ""},
        {"name holds the text, first in order although a value matches later", body, "Ay", true, "d1=1", "d1=1"},
        {"nothing", body, "Aralık", true, "", ""},
    };
    for (const ClassClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        show(c.body);
        h->session.fn_DegerleTikla(QString::fromUtf8(c.text), QStringLiteral("sec"), c.flag);
        EXPECT_EQ(webClicks(), QString::fromUtf8(c.webClicks));
        EXPECT_EQ(chromClicks(), QString::fromUtf8(c.chromClicks));
    }
}

// ---- filling fields ----

// Two fields inside wrappers carrying their markers, and the site's visible date inputs.
const char* kFormBody =
    "<div rel=\"mmtelefon\"><input id='f1' class='csc-input'></div>"
    "<div rel=\"mmfaks\"><input id='f2' class='csc-input'></div>"
    "<div rel=\"mmfaks\"><input id='f3' class='csc-input'></div>"
    "<div rel=\"baslangic\"><input id='f4' class='csc-date'><input id='date-f4'></div>"
    "<div rel=\"yok\"><input id='f5' class='baska'></div>";

struct FillCase {
    const char* name;
    const char* marker;
    const char* cls;
    bool dateFlag;
    QStringList webSet;     // ids whose value the reading view holds afterwards
    QStringList chromSet;   // the same in the acting view
};

TEST_F(QueriesTest, AlanDoldurFillsTheFirstFieldWhoseWrapperCarriesTheMarker) {
    const QString value = QStringLiteral("0312 555 44 33");
    const FillCase cases[] = {
        {"plain field", "rel=\"mmtelefon\"", "csc-input", false, {"f1"}, {"f1"}},
        {"two wrappers with the marker: only the first", "rel=\"mmfaks\"", "csc-input", false, {"f2"}, {"f2"}},
        {"date mode: acting view writes date-<id>", "rel=\"baslangic\"", "csc-date", true, {"f4"}, {"date-f4"}},
        {"marker nowhere", "rel=\"eposta\"", "csc-input", false, {}, {}},
        {"marker on another class", "rel=\"yok\"", "csc-input", false, {}, {}},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        show(kFormBody);
        h->session.pr_AlanDoldur(QString::fromUtf8(c.marker), QString::fromUtf8(c.cls), value, c.dateFlag);
        for (const QString id : {"f1", "f2", "f3", "f4", "date-f4", "f5"}) {
            SCOPED_TRACE(id.toStdString());
            EXPECT_EQ(webValue(id), c.webSet.contains(id) ? value : QString());
            EXPECT_EQ(chromValue(id), c.chromSet.contains(id) ? value : QString());
        }
    }
}

TEST_F(QueriesTest, IdDegerYazFindsTheFieldByTooltipPrefixOrByMarker) {
    const QString longTitle = QString(250, QLatin1Char('x')) + QStringLiteral("Vergi Kimlik No girerek Getir");
    const QByteArray body = "<input id='t1' title='" + longTitle.toUtf8() +
                            "'><input id='t2' title='Vergi Kimlik ya da T.C. Kimlik No girerek Getir'>"
                            "<div rel=\"basay\"><select id='s1' class='csc-combobox csc-required'>"
                            "<option value=''></option><option value='03'>Mart</option></select></div>"
                            "<div rel=\"basyil\"><input id='y1' class='csc-combobox csc-required'></div>";
    struct Case {
        const char* name;
        const char* title;
        const char* marker;
        const char* expectedId;   // the field that receives the value ("" none)
    } cases[] = {
        {"tooltip within the first 255 characters", "T.C. Kimlik No", "", "t2"},
        {"tooltip text that starts before 255 and ends after it", "Vergi Kimlik No girerek", "", ""},
        {"tooltip text nowhere", "Unvan", "", ""},
        {"marker mode ignores the tooltip", "Unvan", "rel=\"basyil\"", "y1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        show(body);
        h->session.pr_IdDegerYaz(QStringLiteral("INPUT"), QString::fromUtf8(c.title), QStringLiteral("2024"),
                                 QStringLiteral("csc-combobox csc-required"), QString::fromUtf8(c.marker));
        for (const QString id : {"t1", "t2", "y1"}) {
            SCOPED_TRACE(id.toStdString());
            const QString expected = id == QString::fromUtf8(c.expectedId) ? QStringLiteral("2024") : QString();
            EXPECT_EQ(webValue(id), expected);
            EXPECT_EQ(chromValue(id), expected);
        }
    }
}

TEST_F(QueriesTest, FillingANonInputReachesTheDefaultErrorDisplayAndWritesNothing) {
    show("<div rel=\"m\"><span id='sp' class='csc-input'>metin</span></div>");
    Session& s = h->session;
    s.guard([&] { s.pr_IdDegerYaz({}, {}, QStringLiteral("v"), QStringLiteral("csc-input"), QStringLiteral("rel=\"m\"")); });
    ASSERT_EQ(h->dialogs.plain.size(), 1);
    EXPECT_TRUE(h->dialogs.plain[0].contains(QStringLiteral("not an input")));
    EXPECT_EQ(h->evalChrom(QStringLiteral("document.getElementById('sp').value === undefined")).toBool(), true);
}

// A value with quotes, backslashes, line breaks, a closing script tag and the line separators
// arrives in the acting view's field exactly as given (a text area, which keeps line breaks).
TEST_F(QueriesTest, ValuesReachTheActingViewUnchanged) {
    const QString values[] = {
        QStringLiteral("Ali \"Veli\" O'Neil"),
        QStringLiteral("C:\\dizin\\n\\\"x"),
        QStringLiteral("satır1\nsatır2\n\tson"),
        QStringLiteral("</script><script>window.kirik=1</script>"),
        QStringLiteral("a\u2028b\u2029c"),
        QStringLiteral("\u0001\u001f\u007f"),
        QStringLiteral("😀 İğüşöç"),
        QStringLiteral("\");window.kirik=1;(\""),
    };
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        show("<div rel=\"m\"><textarea id='f' class='c'></textarea></div>");
        h->session.pr_AlanDoldur(QStringLiteral("rel=\"m\""), QStringLiteral("c"), value, false);
        EXPECT_EQ(chromValue(QStringLiteral("f")), value);
        EXPECT_EQ(webValue(QStringLiteral("f")), value);
        EXPECT_FALSE(h->evalChrom(QStringLiteral("!!window.kirik")).toBool());
    }
}

TEST_F(QueriesTest, LiteralsSurviveInsideAnInlineScriptElement) {
    const QString value = QStringLiteral("x</script><b id='dis'>dış</b>\u2028\"'\\");
    const QByteArray html = "<!doctype html><html><body><script>window.got = " + jsLiteral(value).toUtf8() +
                            ";</script></body></html>";
    h->server.setPage(QStringLiteral("/inline.html"), html);
    ASSERT_TRUE(h->loadChrom(h->server.url(QStringLiteral("/inline.html"))));
    EXPECT_EQ(h->evalChrom(QStringLiteral("window.got")).toString(), value);
    EXPECT_FALSE(h->evalChrom(QStringLiteral("!!document.getElementById('dis')")).toBool());
}

// ---- menu steps ----

TEST_F(QueriesTest, MenuWaitThatNeverFindsItsElementLogsOutAndAbortsSilently) {
    show("<span id='gen__1010' data-k='cikis'>Güvenli Çıkış</span>");
    Session& s = h->session;
    const qsizetype lines = h->log().size();
    s.Sure = s.s.waiter.now();
    QElapsedTimer t;
    t.start();
    EXPECT_THROW(s.pr_ElemanBekle(QStringLiteral("E-Tebligat İşlemleri"), kMenuClass), SilentAbort);
    EXPECT_GE(t.elapsed(), scaled(Pause::WaitLimit));
    EXPECT_TRUE(s.gHataOlustu);
    EXPECT_EQ(webClicks(), QStringLiteral("cikis=1"));     // safe logout in both views
    EXPECT_EQ(chromClicks(), QStringLiteral("cikis=1"));
    EXPECT_EQ(h->log().size(), lines);                      // the wait itself logs nothing
    EXPECT_TRUE(h->dialogs.plain.isEmpty());
}

TEST_F(QueriesTest, SharedWaitStartEndsWhenTheFirstWaitsTimeIsUp) {
    show("<p>boş</p>");
    Session& s = h->session;
    const int left = 150;
    s.Sure = s.s.waiter.now() - (scaled(Pause::WaitLimit) - left);
    QElapsedTimer t;
    t.start();
    EXPECT_THROW(s.pr_MenuSayfasinaGit(MenuSteps::posBilgileri()), SilentAbort);
    EXPECT_LT(t.elapsed(), scaled(Pause::WaitLimit) - left / 2 + left);
    EXPECT_TRUE(s.gHataOlustu);
}

TEST_F(QueriesTest, MenuStepReachesItsPageAndClicksInBothViews) {
    show("<div id='m1' class='" + kMenuClass.toUtf8() + "' data-k='menu'>E-Tebligat İşlemleri</div>");
    Session& s = h->session;
    const qsizetype lines = h->log().size();
    EXPECT_TRUE(s.pr_MenuSayfasinaGit(MenuSteps::tebligatMenu()));
    EXPECT_EQ(h->log().mid(lines), (QStringList{QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşılmaya çalışıyor."),
                                                QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşıldı.")}));
    EXPECT_EQ(webClicks(), QStringLiteral("menu=1"));
    EXPECT_EQ(chromClicks(), QStringLiteral("menu=1"));
}

TEST_F(QueriesTest, MenuStepStopsAfterTheWaitWhenAnErrorWasReportedMeanwhile) {
    show("<div id='m1' class='" + kMenuClass.toUtf8() + "' data-k='menu'>E-Vergi Levhası</div>");
    Session& s = h->session;
    s.gHataOlustu = true;   // a load error reported while the wait ran
    const qsizetype lines = h->log().size();
    EXPECT_FALSE(s.pr_MenuSayfasinaGit(MenuSteps::levhaMenu()));
    EXPECT_EQ(h->log().mid(lines), (QStringList{QStringLiteral("Mükellef Dosyası sayfasına ulaşılmaya çalışıyor."),
                                                QStringLiteral("E-Vergi Levhası sayfasına ulaşılamadı.")}));
    EXPECT_EQ(webClicks(), QString());
    EXPECT_EQ(chromClicks(), QString());
}

TEST_F(QueriesTest, AltMenuTiklaClicksTheLinkOfTheItemAtTheReadingViewsPosition) {
    const char* body = "<ul><li><a data-k='a0'>Pos Sorgula</a></li><li> <a data-k='a1'>Pos Bilgileri</a> </li></ul>";
    const std::pair<const char*, const char*> cases[] = {{"Pos Bilgileri", "a1=1"}, {"Yok", ""}};
    for (const auto& [text, clicks] : cases) {
        SCOPED_TRACE(text);
        show(body);
        h->session.pr_AltMenuTikla(QString::fromUtf8(text));
        EXPECT_EQ(chromClicks(), QString::fromUtf8(clicks));
        EXPECT_EQ(webClicks(), QString());
    }
}

} // namespace
} // namespace etb::test
