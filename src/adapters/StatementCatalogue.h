#pragma once
#include "adapters/HostDatabase.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace etb {

// The SQL spoken by the host database in use.
enum class SqlDialect {
    SqlServer,          // SQL Server, date-times bound as such
    SqlServerIsoDates,  // SQL Server through a driver that drops a bound date-time's milliseconds:
                        // the date-time goes as ISO text and the server converts it
    Sqlite,             // the embedded default
};

enum class ParamKind { Text, DateTime };

struct StatementParam {
    QString name;       // without the leading ":"
    ParamKind kind;
};

// One statement in every dialect, side by side, with its named parameters.
struct CatalogueEntry {
    Statement statement;
    QString sqlServer;
    QString sqlServerIsoDates;
    QString sqlite;
    QVector<StatementParam> params;

    const QString& text(SqlDialect d) const;
};

const CatalogueEntry& catalogueEntry(Statement statement);

// The value bound for a parameter: text as text, date-times as the dialect stores them
// (SQLite: "yyyy-MM-dd HH:mm:ss.zzz"), a missing or null value as a typed null.
QVariant boundValue(const StatementParam& param, const QVariant& value, SqlDialect dialect);

} // namespace etb
