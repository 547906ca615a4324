#include "browser/TableReading.h"

#include "app/Session.h"

namespace etb {

namespace {
const QString kStyleWidth = QStringLiteral("\" style=\"width");

QString envelopeId(const QString& html) {
    static const QStringList markers{QStringLiteral("img title=\"Zarf Aç\""),
                                     QStringLiteral("img title=\"Zarf İçeriği Gör\"")};
    return fn_HucredenIdAl(html, markers, kStyleWidth);
}

QString documentId(const QString& html) {
    static const QStringList markers{QStringLiteral("img title=\"Belge İndir\"")};
    return fn_HucredenIdAl(html, markers, kStyleWidth);
}

QString plateId(const QString& html) {
    static const QStringList markers{QStringLiteral("class=\"csc-mini-button\"")};
    return fn_HucredenIdAl(html, markers, QStringLiteral("\" style="));
}
} // namespace

QVector<int> htmlColumnsOf(CellRule rule) {
    switch (rule) {
    case CellRule::TebligatList:
    case CellRule::TebligatBelge:
        return {6, 8};
    case CellRule::VergiLevhasi:
        return {4};
    case CellRule::Plain:
        break;
    }
    return {};
}

QString fn_HucredenIdAl(const QString& html, const QStringList& markers, const QString& delimiter) {
    qsizetype at = -1;
    for (const QString& marker : markers) {
        at = html.indexOf(marker);
        if (at >= 0)
            break;
    }
    if (at < 0)
        return kEkleme;
    static const QString idOpen = QStringLiteral("id=\"");
    const qsizetype idAt = html.indexOf(idOpen, at);
    if (idAt < 0)
        return kEkleme;
    const qsizetype begin = idAt + idOpen.size();
    const qsizetype end = html.indexOf(delimiter, begin);
    if (end < 0)
        return kEkleme;
    return html.mid(begin, end - begin);
}

void pr_SatirGrideAktar(const RawRow& cells, TextMatrix& grid, int row, CellRule rule) {
    grid.clearRow(row);
    if (cells.size() > grid.colCount())
        grid.widenTo(int(cells.size()));
    for (int j = 0; j < cells.size(); ++j) {
        const RawCell& cell = cells.at(j);
        if (!cell.ok) {
            grid.append(row, QString());
            continue;
        }
        switch (rule) {
        case CellRule::TebligatList:
            grid.append(row, (j == 6 || j == 8) ? envelopeId(cell.html) : cell.text);
            break;
        case CellRule::TebligatBelge:
            grid.append(row, (j == 6 || j == 8) ? documentId(cell.html) : cell.text);
            break;
        case CellRule::VergiLevhasi:
            if (j == 4)
                grid.append(row, plateId(cell.html));
            grid.append(row, cell.text);
            break;
        case CellRule::Plain:
            grid.append(row, cell.text);
            break;
        }
    }
}

void pr_TabloGrideAktar(const RawTable& table, TextMatrix& grid, CellRule rule) {
    grid.setRowCount(int(table.rows.size()));
    for (int i = 0; i < table.rows.size(); ++i)
        pr_SatirGrideAktar(table.rows.at(i), grid, i, rule);
}

void pr_TablolariTara(Session& session, const TableReader& reader) {
    const QVector<RawTable> tables = session.s.web.tables(htmlColumnsOf(reader.rule));
    if (reader.open)
        reader.open(session);
    for (const RawTable& table : tables) {
        if (reader.pumpPerTable)
            session.s.waiter.pumpOnce(0);
        if (!table.isTable)
            continue;
        pr_TabloGrideAktar(table, session.SGrd, reader.rule);
        if (reader.takeOver)
            reader.takeOver(session);
    }
}

} // namespace etb
