// Copying result tables into the text matrix: the button ids taken out of cell HTML, the
// matrix's widening and append rule, the readers' cell rules, and the walk over a real page.
#include "BrowserTestKit.h"
#include "browser/TableReading.h"

#include <gtest/gtest.h>

namespace etb::test {
namespace {

struct IdCase {
    const char* name;
    const char* html;
    const char* expected;
};

TEST(TableReading, HucredenIdAlTakesTheIdAfterTheMarkerOrAnswersEkleme) {
    const QStringList envelope{QStringLiteral("img title=\"Zarf Aç\""), QStringLiteral("img title=\"Zarf İçeriği Gör\"")};
    const QString delimiter = QStringLiteral("\" style=\"width");
    const IdCase cases[] = {
        {"first marker", "<img title=\"Zarf Aç\" id=\"gen__12\" style=\"width:16px\">", "gen__12"},
        {"second marker when the first is missing", "<img title=\"Zarf İçeriği Gör\" id=\"gen__13\" style=\"width:1\">",
         "gen__13"},
        {"first marker wins over an earlier second one",
         "<img title=\"Zarf İçeriği Gör\" id=\"a\" style=\"width\"><img title=\"Zarf Aç\" id=\"b\" style=\"width\">", "b"},
        {"id before the marker is not taken", "<b id=\"x\" style=\"width\"></b><img title=\"Zarf Aç\">", "Ekleme"},
        {"no marker", "<img title=\"Belge\" id=\"gen__1\" style=\"width:1\">", "Ekleme"},
        {"no id after the marker", "<img title=\"Zarf Aç\" style=\"width:1\">", "Ekleme"},
        {"no delimiter after the id", "<img title=\"Zarf Aç\" id=\"gen__1\">", "Ekleme"},
        {"empty cell", "", "Ekleme"},
    };
    for (const IdCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fn_HucredenIdAl(QString::fromUtf8(c.html), envelope, delimiter), QString::fromUtf8(c.expected));
    }
}

RawRow row(std::initializer_list<const char*> texts) {
    RawRow r;
    for (const char* t : texts)
        r.append(RawCell{true, QString::fromUtf8(t), QString()});
    return r;
}

QStringList matrixRow(const TextMatrix& m, int r) {
    QStringList out;
    for (int c = 0; c < m.colCount(); ++c)
        out.append(m.cell(c, r));
    return out;
}

TEST(TableReading, MatrixWidensNeverNarrowsAndStoresEmptyTextsAsOneSpace) {
    TextMatrix m;
    RawTable wide;
    wide.rows = {row({"a", "", "c", "d", "e", "f", "g"})};
    pr_TabloGrideAktar(wide, m, CellRule::Plain);
    EXPECT_EQ(m.colCount(), 7);
    EXPECT_EQ(matrixRow(m, 0), (QStringList{"a", " ", "c", "d", "e", "f", "g"}));

    RawTable narrow;
    RawRow withFailedCell = row({"x", "y"});
    withFailedCell[1].ok = false;
    narrow.rows = {row({"1", "2", "3"}), withFailedCell};
    pr_TabloGrideAktar(narrow, m, CellRule::Plain);
    EXPECT_EQ(m.colCount(), 7);
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(matrixRow(m, 0), (QStringList{"1", "2", "3", "", "", "", ""}));
    EXPECT_EQ(matrixRow(m, 1), (QStringList{"x", " ", "", "", "", "", ""}));
}

TEST(TableReading, TaxPlateRuleInsertsTheIdAndShiftsLaterCells) {
    TextMatrix m;   // five wide, as at start-up
    RawRow r = row({"2023", "123", "Unvan", "12.03.2024", "PDF"});
    r[4].html = QStringLiteral("<a class=\"csc-mini-button\" id=\"gen__9\" style=\"x\">PDF</a>");
    pr_SatirGrideAktar(r, m, 0, CellRule::VergiLevhasi);
    // As many cells as the matrix is wide: the inserted id takes column 4, the last text is lost.
    EXPECT_EQ(matrixRow(m, 0), (QStringList{"2023", "123", "Unvan", "12.03.2024", "gen__9"}));

    m.widenTo(7);
    RawRow longer = row({"a", "b", "c", "d", "e", "f"});
    longer[4].html = QStringLiteral("<i>yok</i>");
    pr_SatirGrideAktar(longer, m, 1, CellRule::VergiLevhasi);
    EXPECT_EQ(matrixRow(m, 1), (QStringList{"a", "b", "c", "d", "Ekleme", "e", "f"}));
}

TEST(TableReading, ReadersCopyEveryTableOfThePageWithTheirCellRule) {
    Harness h;
    ASSERT_TRUE(h.loadWeb(h.server.url(QStringLiteral("/tables.html"))));
    struct Seen {
        int opened = 0;
        QVector<QVector<QStringList>> tables;
    } seen;
    auto snapshot = [&seen](Session& s) {
        QVector<QStringList> rows;
        for (int r = 0; r < s.SGrd.rowCount(); ++r)
            rows.append(matrixRow(s.SGrd, r));
        seen.tables.append(rows);
    };
    TableReader reader{CellRule::TebligatList, false, [&seen](Session&) { ++seen.opened; }, snapshot};
    pr_TablolariTara(h.session, reader);
    EXPECT_EQ(seen.opened, 1);
    ASSERT_EQ(seen.tables.size(), 2);
    const QVector<QStringList>& list = seen.tables[0];
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1].mid(0, 9), (QStringList{"Ankara VD", "01.03.2024", "06.03.2024", "İhbarname", "B-1", " ",
                                              "gen__201", " ", "gen__301"}));
    EXPECT_EQ(list[2][6], QStringLiteral("Ekleme"));   // marker without an id
    EXPECT_EQ(list[2][8], QStringLiteral("Ekleme"));   // no marker at all
    // The plate table read under the same rule afterwards: narrower rows, wider matrix.
    EXPECT_EQ(seen.tables[1][1], (QStringList{"2023", "123", "Örnek A.Ş.", "12.03.2024", "PDF", "", "", "", ""}));

    seen = {};
    reader = TableReader{CellRule::VergiLevhasi, true, {}, snapshot};
    pr_TablolariTara(h.session, reader);
    ASSERT_EQ(seen.tables.size(), 2);
    EXPECT_EQ(seen.tables[1][1].mid(0, 6), (QStringList{"2023", "123", "Örnek A.Ş.", "12.03.2024", "gen__901", "PDF"}));

    ASSERT_TRUE(h.loadWeb(h.server.url(QStringLiteral("/queries.html"))));
    h.server.setPage(QStringLiteral("/bos.html"), "<html><body><p>Kayıt bulunamadı.</p></body></html>");
    ASSERT_TRUE(h.loadWeb(h.server.url(QStringLiteral("/bos.html"))));
    seen = {};
    reader = TableReader{CellRule::Plain, true, {}, snapshot};
    pr_TablolariTara(h.session, reader);
    EXPECT_TRUE(seen.tables.isEmpty());   // a page without tables: no take-over
}

} // namespace
} // namespace etb::test
