#pragma once
#include <QString>
#include <QVector>

namespace etb {

// One notification found (a row of MemTebligatList).
struct TebligatRow {
    QString GONDEREN_BIRIM;          // 200
    QString GONDERME_TARIHI;         // 20
    QString TEBLIG_TARIHI;           // 20
    QString TEBLIG_BELGE_TURU;       // 100
    QString BELGE_NO;                // 50
    QString BELGE_URL;               // 500
    QString BELGE_YOLU;              // 250
    QString BELGE_FILE_NAME;         // 50
    QString ZARF_INDIR_BUTON_NAME;   // 50
    QString BELGE_INDIR_BUTON_NAME;  // 50
};

// MemTebligatList: the notifications of the run, with a current row like the memory table.
class TebligatList {
public:
    void open() { open_ = true; }
    void close() { open_ = false; }
    bool isOpen() const { return open_; }

    QVector<TebligatRow>& rows() { return rows_; }
    const QVector<TebligatRow>& rows() const { return rows_; }
    int count() const { return int(rows_.size()); }

    // The current row (-1 when none).
    int current() const { return current_; }
    void setCurrent(int row) { current_ = (row >= 0 && row < count()) ? row : current_; }
    void first() { current_ = rows_.isEmpty() ? -1 : 0; }
    TebligatRow* currentRow() { return current_ >= 0 && current_ < count() ? &rows_[current_] : nullptr; }

    // Appends a row, cutting each field to its size; the new row becomes current.
    void append(TebligatRow row);
    // Makes the first row whose envelope button id equals id current; false (and no move)
    // when none does.
    bool locateEnvelope(const QString& id);

    static TebligatRow fitted(TebligatRow row);

private:
    bool open_ = false;
    QVector<TebligatRow> rows_;
    int current_ = -1;
};

} // namespace etb
