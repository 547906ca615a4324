#include "app/LogTableModel.h"

#include "app/ActivityLog.h"

namespace etb {

void LogTableModel::setLog(ActivityLog* log) {
    beginResetModel();
    if (log_)
        log_->setListener({});
    log_ = log;
    if (log_) {
        log_->setListener([this](int row) {
            // The line is already stored; tell the views about it.
            beginInsertRows({}, row, row);
            endInsertRows();
        });
    }
    endResetModel();
}

void LogTableModel::forgetLog() {
    beginResetModel();
    log_ = nullptr;
    endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !log_ ? 0 : int(log_->lines().size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    if (!log_ || !index.isValid() || index.row() >= log_->lines().size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const LogLine& line = log_->lines().at(index.row());
    switch (index.column()) {
    case 0:
        return index.row() + 1;
    case 1:
        return role == Qt::EditRole ? QVariant(line.TARIH)
                                    : QVariant(line.TARIH.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz")));
    case 2:
        return line.LOG_ACIKLAMA;
    }
    return {};
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[3] = {"RecId", "TARIH", "LOG_ACIKLAMA"};
    return section >= 0 && section < 3 ? QString::fromLatin1(names[section]) : QVariant();
}

} // namespace etb
