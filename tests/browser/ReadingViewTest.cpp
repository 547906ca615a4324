// The reading view on real headless Chromium: one round trip per query, comparisons as
// asked, handles that act later, failures as DomError.
#include "BrowserTestKit.h"

#include <gtest/gtest.h>

namespace etb::test {
namespace {

class ReadingViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        h = new Harness;
        ASSERT_TRUE(h->loadWeb(h->server.url(QStringLiteral("/queries.html"))));
    }
    static void TearDownTestSuite() {
        delete h;
        h = nullptr;
    }
    static QStringList ids(const QVector<Element>& found, const QVector<Prop>& props) {
        QStringList out;
        for (const Element& e : found)
            out.append(e.get(props, Prop::Id));
        return out;
    }
    static inline Harness* h = nullptr;
};

struct QueryCase {
    const char* name;
    Source source;
    const char* arg;
    QVector<Rule> any;
    int limit;
    QStringList expectedIds;
};

TEST_F(ReadingViewTest, QueriesCompareExactlyTrimmedOrContainedAsAsked) {
    const auto T = [](Prop p, etb::Test::Op op, const char* text, int prefix = 0) {
        return etb::Test{p, op, QString::fromUtf8(text), prefix};
    };
    const QVector<QueryCase> cases = {
        {"exact text", Source::All, "", {Rule{{T(Prop::InnerText, etb::Test::Equals, "Ana Menü")}}}, -1, {"menu", ""}},
        {"exact text misses padded", Source::All, "", {Rule{{T(Prop::InnerText, etb::Test::Equals, "Boşluklu Metin")}}}, -1, {}},
        {"trimmed text on both sides", Source::All, "",
         {Rule{{T(Prop::InnerText, etb::Test::TrimmedEquals, " \tBoşluklu Metin\n")}}}, -1, {"spaced"}},
        {"contained text", Source::ByTag, "P", {Rule{{T(Prop::InnerText, etb::Test::Contains, "Uzun Metnin")}}}, -1,
         {"contains"}},
        {"contained is case-sensitive", Source::ByTag, "P", {Rule{{T(Prop::InnerText, etb::Test::Contains, "uzun")}}}, -1, {}},
        {"whole class text", Source::All, "", {Rule{{T(Prop::ClassName, etb::Test::Equals, "csc-title")}}}, -1, {"menu"}},
        {"class search holds every name", Source::ByClass, "extra csc-title", {}, -1, {""}},
        {"by id", Source::ById, "idOnly", {}, -1, {"idOnly"}},
        {"by id missing", Source::ById, "yok", {}, -1, {}},
        {"either rule, first in order", Source::All, "",
         {Rule{{T(Prop::Id, etb::Test::Equals, "in2")}}, Rule{{T(Prop::Value, etb::Test::Equals, "Kaydet")}}}, -1, {"in1", "in2"}},
        {"limit", Source::ByTag, "LI", {}, 2, {"li0", "li1"}},
        {"not empty id", Source::ByTag, "SPAN", {Rule{{T(Prop::Id, etb::Test::NotEmpty, "")}}}, -1, {}},
        {"name contains", Source::ByClass, "btn", {Rule{{T(Prop::Name, etb::Test::Contains, "Sorgu")}}}, -1, {"in2"}},
        {"parent html contains", Source::ByTag, "A", {Rule{{T(Prop::ParentOuterHTML, etb::Test::Contains, "id=\"li2\"")}}},
         -1, {""}},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Query q;
        q.source = c.source;
        q.arg = QString::fromUtf8(c.arg);
        q.any = c.any;
        q.props = {Prop::Id};
        q.limit = c.limit;
        EXPECT_EQ(ids(h->views.web().query(q), q.props), c.expectedIds);
    }
}

TEST_F(ReadingViewTest, PositionsAndPropertiesComeBackInOneAnswer) {
    Query q;
    q.source = Source::ByTag;
    q.arg = QStringLiteral("LI");
    q.any = {Rule{{etb::Test{Prop::InnerText, etb::Test::TrimmedEquals, QStringLiteral("İkinci")}}}};
    q.props = {Prop::TagName, Prop::InnerText, Prop::InnerHTML, Prop::OuterHTML};
    const QVector<Element> found = h->views.web().query(q);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].position, 1);
    EXPECT_EQ(found[0].rule, 0);
    EXPECT_EQ(found[0].get(q.props, Prop::TagName), QStringLiteral("LI"));
    EXPECT_EQ(found[0].get(q.props, Prop::InnerHTML), QStringLiteral("<a> İkinci </a>"));
    EXPECT_TRUE(found[0].get(q.props, Prop::OuterHTML).startsWith(QStringLiteral("<li id=\"li1\">")));
}

TEST_F(ReadingViewTest, ValuesArePutIntoInputsOnlyAndOptionsChosenByValue) {
    ReadingView& web = h->views.web();
    Query q;
    q.source = Source::ByClass;
    q.arg = QStringLiteral("alan");
    q.props = {Prop::Id};
    const QVector<Element> found = web.query(q);
    ASSERT_EQ(found.size(), 2);
    EXPECT_TRUE(found[0].isInput);
    EXPECT_FALSE(found[1].isInput);
    const QString value = QStringLiteral("a \"b\" \\c\nd </script> \u2028 ü");
    web.setValue(found[0], value);
    EXPECT_EQ(h->evalWeb(QStringLiteral("document.getElementById('ta').value")).toString(), value);
    EXPECT_THROW(web.setValue(found[1], value), DomError);

    q.arg = QStringLiteral("liste");
    q.props = {Prop::SelectedIndex};
    const QVector<Element> list = web.query(q);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].values.value(0), QStringLiteral("0"));
    EXPECT_EQ(web.selectOption(list[0], QStringLiteral("02")), 1);
    EXPECT_EQ(web.selectOption(list[0], QStringLiteral("2")), -1);   // exact value only
    EXPECT_EQ(h->evalWeb(QStringLiteral("document.getElementById('sel').selectedIndex")).toInt(), 1);
    EXPECT_THROW(web.selectOption(found[0], QStringLiteral("x")), DomError);
}

TEST_F(ReadingViewTest, TablesComeRowByRowWithHtmlOfAskedColumns) {
    const QVector<RawTable> tables = h->views.web().tables({1});
    ASSERT_EQ(tables.size(), 1);
    ASSERT_EQ(tables[0].rows.size(), 2);
    ASSERT_EQ(tables[0].rows[1].size(), 3);
    EXPECT_EQ(tables[0].rows[1][0].text, QStringLiteral("c"));
    EXPECT_EQ(tables[0].rows[1][0].html, QString());   // column 0 not asked
    EXPECT_EQ(tables[0].rows[0][1].html, QStringLiteral("b"));
    EXPECT_EQ(tables[0].rows[1][1].text, QString());
}

// Runs last in this suite: it navigates away.
TEST_F(ReadingViewTest, ZzHandlesDieWithTheirDocumentAndReadyStateFollowsTheLoad) {
    ReadingView& web = h->views.web();
    Query q;
    q.source = Source::ById;
    q.arg = QStringLiteral("menu");
    const QVector<Element> before = web.query(q);
    ASSERT_EQ(before.size(), 1);
    EXPECT_EQ(web.readyState(), 4);

    web.navigate(h->server.url(QStringLiteral("/hang")));
    EXPECT_LT(web.readyState(), 4);   // the old document still says "complete"
    EXPECT_TRUE(waitUntil([&] { return h->server.hits(QStringLiteral("/hang")) > 0; }));
    EXPECT_LT(web.readyState(), 4);

    ASSERT_TRUE(h->loadWeb(h->server.url(QStringLiteral("/queries.html"))));
    EXPECT_EQ(web.readyState(), 4);
    EXPECT_THROW(web.click(before[0]), DomError);
}

} // namespace
} // namespace etb::test
