#pragma once
#include "browser/ReadingView.h"
#include "browser/TextMatrix.h"

#include <QStringList>
#include <functional>

namespace etb {

class Session;

// How the cells of one reader are copied into the matrix (cells counted from 0 in their row).
enum class CellRule {
    Plain,            // innerText of every cell (POS)
    TebligatList,     // cells 6 and 8: the envelope button id (e-notification list)
    TebligatBelge,    // cells 6 and 8: the document button id (a notification's documents)
    VergiLevhasi,     // cell 4: the button id, then its text; later cells shift one column right
};

// A reader of result tables: its cell rule and its own part. pr_TablolariTara copies every
// table of the reading view into s.SGrd under `rule` and, after each table, calls takeOver,
// which looks at row 0 of s.SGrd to recognise its table and turns the data rows into records.
//   open:         opens the reader's memory table when it is not open (called once, before
//                 the first table; may be empty).
//   pumpPerTable: pump the event queue at the start of each table's turn (POS, tax plates).
struct TableReader {
    CellRule rule = CellRule::Plain;
    bool pumpPerTable = false;
    std::function<void(Session&)> open;
    std::function<void(Session&)> takeOver;
};

// Copies every TABLE of the reading view in document order, letting the reader take each
// over. A failure of the reading view (DomError) is not handled here.
void pr_TablolariTara(Session& session, const TableReader& reader);

// Copies one table into the matrix: exactly as many matrix rows as table rows.
void pr_TabloGrideAktar(const RawTable& table, TextMatrix& grid, CellRule rule);

// Copies one table row into matrix row `row` (emptied first; the matrix widens to the
// row's cell count).
void pr_SatirGrideAktar(const RawRow& cells, TextMatrix& grid, int row, CellRule rule);

// The id of the button drawn in a cell: after the first marker found (the second is tried
// when the first does not occur), from the first id=" to the delimiter. "Ekleme" when the
// marker, the id or the delimiter is missing.
QString fn_HucredenIdAl(const QString& html, const QStringList& markers, const QString& delimiter);

// The columns whose innerHTML a rule needs.
QVector<int> htmlColumnsOf(CellRule rule);

inline const QString kEkleme = QStringLiteral("Ekleme");

} // namespace etb
