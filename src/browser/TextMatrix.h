#pragma once
#include <QString>
#include <QVector>

namespace etb {

// SGrd: the hidden text matrix a result table is copied into. Starts 5 x 5; its width only
// grows. Appending puts a text into the first empty cell of a row (an empty text is stored
// as one space so that the cell counts as filled); a full row drops the text.
class TextMatrix {
public:
    int colCount() const { return cols_; }
    int rowCount() const { return int(cells_.size()); }

    void setRowCount(int rows);
    void widenTo(int cols);
    void clearRow(int row);
    void append(int row, const QString& text);
    QString cell(int col, int row) const;

private:
    int cols_ = 5;
    QVector<QVector<QString>> cells_ = QVector<QVector<QString>>(5, QVector<QString>(5));
};

} // namespace etb
