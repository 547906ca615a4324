#pragma once
#include "adapters/ConnectionString.h"
#include "adapters/HostDatabase.h"
#include "adapters/StatementCatalogue.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QString>

namespace etb {

// The host database over Qt SQL: SQL Server through the ODBC driver (FreeTDS on Linux), or
// the embedded SQLite default with the host's general database attached as "talpogenel".
// Never creates a database; every value is a bound parameter.
class SqlHostDatabase : public HostDatabase {
public:
    SqlHostDatabase();
    ~SqlHostDatabase() override;
    SqlHostDatabase(const SqlHostDatabase&) = delete;
    SqlHostDatabase& operator=(const SqlHostDatabase&) = delete;

    void open(const QString& connectionString) override;
    bool isOpen() const override;
    void close() override;
    void exec(Statement statement, const QVariantMap& params) override;

    SqlDialect dialect() const { return dialect_; }
    // The open connection, for the host reads; invalid when closed.
    QSqlDatabase database() const;
    // The login time-out used for SQL Server, in seconds (scaled, at least 1).
    static int loginTimeoutSeconds(int unscaledSeconds);

private:
    void openSqlite(const QString& path);
    void openSqlServer(const HostConnection& c);
    static QString openSqliteIn(QSqlDatabase& db, const QFileInfo& file);
    static bool bindsMilliseconds(QSqlDatabase& db);
    [[noreturn]] void failOpen(const QString& text);

    QString name_;
    SqlDialect dialect_ = SqlDialect::Sqlite;
    bool open_ = false;
};

} // namespace etb
