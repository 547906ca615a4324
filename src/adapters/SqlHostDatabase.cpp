#include "adapters/SqlHostDatabase.h"

#include "app/Timing.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QtMath>
#include <atomic>

namespace etb {

namespace {

DatabaseError error(const QString& text) { return DatabaseError(text.toStdString()); }

QString errorText(const QSqlError& e) {
    QString t = e.text().trimmed();
    return t.isEmpty() ? QStringLiteral("bilinmeyen hata") : t;
}

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("etebligat-host-%1").arg(++counter);
}

} // namespace

SqlHostDatabase::SqlHostDatabase() : name_(nextConnectionName()) {}

SqlHostDatabase::~SqlHostDatabase() { close(); }

int SqlHostDatabase::loginTimeoutSeconds(int unscaledSeconds) {
    // The host's 15 s (Pause::DbLogin) unless its string says otherwise; tests shorten it,
    // but never below one second, which ODBC would read as "no limit" at zero.
    const int unscaledMs = unscaledSeconds > 0 ? unscaledSeconds * 1000 : Pause::DbLogin;
    return qMax(1, int(qCeil(scaled(unscaledMs) / 1000.0)));
}

void SqlHostDatabase::open(const QString& connectionString) {
    close();
    const HostConnection c = parseHostConnection(connectionString);
    if (c.kind == HostConnection::Kind::Sqlite)
        openSqlite(c.sqlitePath);
    else
        openSqlServer(c);
}

bool SqlHostDatabase::isOpen() const { return open_; }

QSqlDatabase SqlHostDatabase::database() const {
    return open_ ? QSqlDatabase::database(name_, false) : QSqlDatabase();
}

void SqlHostDatabase::close() {
    if (!QSqlDatabase::contains(name_)) {
        open_ = false;
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
    open_ = false;
}

void SqlHostDatabase::failOpen(const QString& text) {
    close();
    throw error(text);
}

void SqlHostDatabase::openSqlite(const QString& path) {
    // The host's database is never created here: a missing file is an error.
    const QFileInfo file(path);
    if (!file.isFile())
        throw error(QStringLiteral("Veri tabanı dosyası bulunamadı: %1").arg(QDir::toNativeSeparators(path)));

    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file.absoluteFilePath());
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        failure = openSqliteIn(db, file);
    }
    if (!failure.isEmpty())
        failOpen(failure);
    dialect_ = SqlDialect::Sqlite;
    open_ = true;
}

QString SqlHostDatabase::openSqliteIn(QSqlDatabase& db, const QFileInfo& file) {
    const QString path = QDir::toNativeSeparators(file.filePath());
    if (!db.open())
        return QStringLiteral("Veri tabanı açılamadı (%1): %2").arg(path, errorText(db.lastError()));
    // SQLite opens anything; reading its catalogue tells a database from another file.
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return QStringLiteral("Veri tabanı açılamadı (%1): %2").arg(path, errorText(check.lastError()));

    const QFileInfo general(file.absoluteDir().filePath(QStringLiteral("talpogenel.db")));
    if (general.isFile() && general.canonicalFilePath() != file.canonicalFilePath()) {
        QSqlQuery attach(db);
        attach.prepare(QStringLiteral("ATTACH DATABASE :file AS talpogenel"));
        attach.bindValue(QStringLiteral(":file"), general.absoluteFilePath());
        if (!attach.exec())
            return QStringLiteral("Genel veri tabanı eklenemedi (%1): %2")
                .arg(QDir::toNativeSeparators(general.absoluteFilePath()), errorText(attach.lastError()));
    }
    return QString();
}

void SqlHostDatabase::openSqlServer(const HostConnection& c) {
    QString failure;
    bool keepsMilliseconds = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
        // The whole ODBC string is the "database name"; user and password are inside it, braced.
        db.setDatabaseName(c.odbc);
        db.setConnectOptions(
            QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginTimeoutSeconds(c.loginTimeoutSec)));
        if (!db.isValid())
            failure = QStringLiteral("SQL Server sürücüsü (Qt ODBC) yüklenemedi.");
        else if (!db.open())
            failure = QStringLiteral("SQL Server'a bağlanılamadı (%1): %2").arg(c.server, errorText(db.lastError()));
        else
            keepsMilliseconds = bindsMilliseconds(db);
    }
    if (!failure.isEmpty())
        failOpen(failure);
    dialect_ = keepsMilliseconds ? SqlDialect::SqlServer : SqlDialect::SqlServerIsoDates;
    open_ = true;
}

bool SqlHostDatabase::bindsMilliseconds(QSqlDatabase& db) {
    // Whether a bound date-time keeps its milliseconds through this driver: the log's TARIH
    // must. If not, date-times go as ISO text that the server converts.
    QSqlQuery probe(db);
    if (!probe.prepare(QStringLiteral("SELECT CONVERT(varchar(30), CAST(:T AS datetime2(3)), 126)")))
        return false;
    probe.bindValue(QStringLiteral(":T"), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6, 789)));
    return probe.exec() && probe.next() && probe.value(0).toString().trimmed().endsWith(QLatin1String(".789"));
}

void SqlHostDatabase::exec(Statement statement, const QVariantMap& params) {
    if (!open_)
        throw error(QStringLiteral("Veri tabanı bağlantısı açık değil."));
    const CatalogueEntry& entry = catalogueEntry(statement);
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    QSqlQuery q(db);
    if (!q.prepare(entry.text(dialect_)))
        throw error(errorText(q.lastError()));
    for (const StatementParam& p : entry.params)
        q.bindValue(QLatin1Char(':') + p.name, boundValue(p, params.value(p.name), dialect_));
    if (!q.exec())
        throw error(errorText(q.lastError()));
}

} // namespace etb
