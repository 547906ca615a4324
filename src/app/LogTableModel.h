#pragma once
#include <QAbstractTableModel>

namespace etb {

class ActivityLog;

// The grid GrdLog's view of MemLog: RecId, TARIH, LOG_ACIKLAMA.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LogTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows this log and follows its new lines (nullptr: nothing).
    void setLog(ActivityLog* log);
    // The log is gone: show nothing, without touching it.
    void forgetLog();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ActivityLog* log_ = nullptr;
};

} // namespace etb
