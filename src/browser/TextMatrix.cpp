#include "browser/TextMatrix.h"

namespace etb {

void TextMatrix::setRowCount(int rows) {
    cells_.resize(rows < 0 ? 0 : rows, QVector<QString>(cols_));
}

void TextMatrix::widenTo(int cols) {
    if (cols <= cols_)
        return;
    cols_ = cols;
    for (auto& r : cells_)
        r.resize(cols_);
}

void TextMatrix::clearRow(int row) {
    if (row >= 0 && row < rowCount())
        cells_[row].fill(QString());
}

void TextMatrix::append(int row, const QString& text) {
    if (row < 0 || row >= rowCount())
        return;
    for (QString& c : cells_[row]) {
        if (c.isEmpty()) {
            c = text.isEmpty() ? QStringLiteral(" ") : text;
            return;
        }
    }
}

QString TextMatrix::cell(int col, int row) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= cols_)
        return {};
    return cells_[row][col];
}

} // namespace etb
