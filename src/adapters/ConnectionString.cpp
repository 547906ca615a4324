#include "adapters/ConnectionString.h"

#include <QSettings>
#include <QStringList>
#include <initializer_list>

namespace etb {

namespace {

DatabaseError fail(const QString& text) { return DatabaseError(text.toStdString()); }

// The value of the first of these keys that the string holds ("" when none).
QString pick(const QMap<QString, QString>& kv, std::initializer_list<const char*> keys) {
    for (const char* k : keys) {
        const auto it = kv.constFind(QString::fromLatin1(k));
        if (it != kv.constEnd())
            return it.value();
    }
    return QString();
}

bool has(const QMap<QString, QString>& kv, std::initializer_list<const char*> keys) {
    for (const char* k : keys)
        if (kv.contains(QString::fromLatin1(k)))
            return true;
    return false;
}

// SQLOLEDB.1 -> sqloledb: the provider name without its version suffix.
QString providerBase(QString provider) {
    provider = provider.trimmed().toLower();
    const qsizetype dot = provider.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        bool numeric = false;
        provider.mid(dot + 1).toInt(&numeric);
        if (numeric)
            provider.truncate(dot);
    }
    return provider;
}

bool isSqlServerProvider(const QString& base) {
    static const QStringList known = {QStringLiteral("sqloledb"),   QStringLiteral("sqlncli"),
                                      QStringLiteral("sqlncli10"),  QStringLiteral("sqlncli11"),
                                      QStringLiteral("msoledbsql"), QStringLiteral("msoledbsql19")};
    return known.contains(base);
}

bool isTrue(const QString& v) {
    const QString s = v.trimmed().toLower();
    return s == QLatin1String("sspi") || s == QLatin1String("true") || s == QLatin1String("yes");
}

// A server or instance name goes into the ODBC string without braces: it may not carry
// the characters that would end or open an attribute there.
void checkPlain(const QString& part, const QString& original) {
    for (const QChar c : part)
        if (c == QLatin1Char(';') || c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('=') ||
            c.isSpace())
            throw fail(QStringLiteral("Geçersiz veri tabanı sunucusu adı: \"%1\"").arg(original));
}

struct ServerName {
    QString host;
    QString instance;
    QString port;   // "" when not given
};

// host, host\INSTANCE, host,PORT, host\INSTANCE,PORT, each optionally after "tcp:".
ServerName splitServer(const QString& dataSource, OdbcFamily family) {
    QString ds = dataSource.trimmed();
    if (ds.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive)) {
        ds = ds.mid(4).trimmed();
    } else if (family == OdbcFamily::FreeTds &&
               (ds.startsWith(QLatin1String("np:"), Qt::CaseInsensitive) ||
                ds.startsWith(QLatin1String("lpc:"), Qt::CaseInsensitive))) {
        throw fail(QStringLiteral("Bu sistemde veri tabanı sunucusuna yalnızca TCP ile bağlanılabilir: \"%1\"")
                       .arg(dataSource));
    }
    ServerName s;
    const qsizetype comma = ds.lastIndexOf(QLatin1Char(','));
    if (comma >= 0) {
        s.port = ds.mid(comma + 1).trimmed();
        ds = ds.left(comma).trimmed();
        bool ok = false;
        const int port = s.port.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            throw fail(QStringLiteral("Geçersiz veri tabanı sunucusu portu: \"%1\"").arg(dataSource));
        s.port = QString::number(port);
    }
    const qsizetype slash = ds.indexOf(QLatin1Char('\\'));
    if (slash >= 0) {
        s.instance = ds.mid(slash + 1).trimmed();
        ds = ds.left(slash).trimmed();
    }
    s.host = ds;
    if (s.host.isEmpty())
        throw fail(QStringLiteral("Geçersiz veri tabanı sunucusu adı: \"%1\"").arg(dataSource));
    checkPlain(s.host, dataSource);
    checkPlain(s.instance, dataSource);
    // The local machine as Windows writes it; FreeTDS resolves only real host names.
    if (family == OdbcFamily::FreeTds &&
        (s.host == QLatin1String(".") || s.host.compare(QLatin1String("(local)"), Qt::CaseInsensitive) == 0))
        s.host = QStringLiteral("localhost");
    return s;
}

} // namespace

QMap<QString, QString> parseAdoPairs(const QString& text) {
    QMap<QString, QString> kv;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && (text.at(i) == QLatin1Char(';') || text.at(i).isSpace()))
            ++i;
        if (i >= n)
            break;
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq))
            throw fail(QStringLiteral("Bağlantı cümlesi okunamadı: \"=\" bekleniyordu (%1).")
                           .arg(text.mid(i, (semi < 0 ? n : semi) - i).trimmed()));
        const QString key = text.mid(i, eq - i).simplified().toLower();
        if (key.isEmpty())
            throw fail(QStringLiteral("Bağlantı cümlesi okunamadı: anahtar adı eksik."));
        i = eq + 1;
        while (i < n && text.at(i).isSpace() && text.at(i) != QLatin1Char(';'))
            ++i;
        QString value;
        if (i < n && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\''))) {
            const QChar quote = text.at(i++);
            bool closed = false;
            while (i < n) {
                if (text.at(i) == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text.at(i++);
            }
            if (!closed)
                throw fail(QStringLiteral("Bağlantı cümlesi okunamadı: \"%1\" değerinin tırnağı kapanmıyor.")
                               .arg(key));
            while (i < n && text.at(i).isSpace())
                ++i;
            if (i < n && text.at(i) != QLatin1Char(';'))
                throw fail(QStringLiteral("Bağlantı cümlesi okunamadı: \"%1\" değerinden sonra \";\" bekleniyordu.")
                               .arg(key));
        } else {
            const qsizetype end = semi < 0 ? n : semi;
            value = text.mid(i, end - i).trimmed();
            i = end;
        }
        kv.insert(key, value);
    }
    return kv;
}

QString freeTdsBraced(const QString& value) {
    if (value.contains(QLatin1String("};")))
        throw fail(QStringLiteral("Bağlantı cümlesindeki bir değer \"};\" içeriyor; bu sistemin SQL Server sürücüsü "
                                  "(FreeTDS) böyle bir değeri okuyamaz."));
    return QLatin1Char('{') + value + QLatin1Char('}');
}

QString odbcBraced(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

OdbcFamily nativeOdbcFamily() {
#ifdef Q_OS_WIN
    return OdbcFamily::Windows;
#else
    return OdbcFamily::FreeTds;
#endif
}

QString installedWindowsDriver() {
#ifdef Q_OS_WIN
    const QSettings drivers(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Drivers"),
                            QSettings::NativeFormat);
    for (const char* name : {"ODBC Driver 18 for SQL Server", "ODBC Driver 17 for SQL Server"})
        if (drivers.value(QString::fromLatin1(name)).toString().compare(QLatin1String("Installed"),
                                                                        Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(name);
#endif
    return QStringLiteral("SQL Server");
}

HostConnection parseHostConnection(const QString& connectionString, OdbcFamily family,
                                   const QString& windowsDriver) {
    const QMap<QString, QString> kv = parseAdoPairs(connectionString);
    const QString provider = pick(kv, {"provider"}).trimmed();
    const QString base = providerBase(provider);
    HostConnection c;

    if (base == QLatin1String("sqlite")) {
        c.kind = HostConnection::Kind::Sqlite;
        c.sqlitePath = pick(kv, {"data source", "datasource"}).trimmed();
        if (c.sqlitePath.isEmpty())
            throw fail(QStringLiteral("Bağlantı cümlesinde SQLite veri tabanı dosyası (Data Source) yok."));
        return c;
    }
    // The host's connection object uses SQLOLEDB.1 when the string names no provider.
    if (!base.isEmpty() && !isSqlServerProvider(base))
        throw fail(QStringLiteral("Desteklenmeyen veri tabanı sağlayıcısı: \"%1\"").arg(provider));

    c.kind = HostConnection::Kind::SqlServer;
    const QString dataSource = pick(kv, {"data source", "server", "address", "addr", "network address"});
    if (dataSource.trimmed().isEmpty())
        throw fail(QStringLiteral("Bağlantı cümlesinde veri tabanı sunucusu (Data Source) yok."));
    c.server = dataSource.trimmed();
    const ServerName server = splitServer(dataSource, family);

    const bool integrated = isTrue(pick(kv, {"integrated security", "trusted_connection"}));
    if (integrated && family == OdbcFamily::FreeTds)
        throw fail(QStringLiteral("Windows kimlik doğrulaması (Integrated Security=SSPI) bu sistemde "
                                  "kullanılamıyor. Bağlantı cümlesinde User ID ve Password verilmelidir."));

    const QString timeout = pick(kv, {"connect timeout", "connection timeout"}).trimmed();
    if (!timeout.isEmpty()) {
        bool ok = false;
        const int t = timeout.toInt(&ok);
        if (ok && t > 0)
            c.loginTimeoutSec = t;
    }
    const QString database = pick(kv, {"initial catalog", "database"});
    const QString user = pick(kv, {"user id", "uid", "user"});
    const QString password = pick(kv, {"password", "pwd"});
    QString app = pick(kv, {"application name", "app"});
    if (app.trimmed().isEmpty())
        app = QStringLiteral("etebligat");

    QStringList parts;
    if (family == OdbcFamily::FreeTds) {
        parts << QStringLiteral("DRIVER={FreeTDS}");
        if (server.port.isEmpty()) {
            parts << QStringLiteral("Server=") + server.host +
                         (server.instance.isEmpty() ? QString() : QLatin1Char('\\') + server.instance);
        } else {
            // A known port wins over the instance (FreeTDS takes one or the other).
            parts << QStringLiteral("Server=") + server.host << QStringLiteral("Port=") + server.port;
        }
        if (!database.isEmpty())
            parts << QStringLiteral("Database=") + freeTdsBraced(database);
        parts << QStringLiteral("UID=") + freeTdsBraced(user) << QStringLiteral("PWD=") + freeTdsBraced(password)
              << QStringLiteral("APP=") + freeTdsBraced(app);
        if (isTrue(pick(kv, {"encrypt"})))
            parts << QStringLiteral("Encryption=require");
        // Last an unbraced value: FreeTDS would keep the closing brace of a braced value that
        // ends the string.
        parts << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
    } else {
        const QString driver = windowsDriver.isEmpty() ? installedWindowsDriver() : windowsDriver;
        parts << QStringLiteral("DRIVER=") + odbcBraced(driver);
        QString s = server.host;
        if (!server.instance.isEmpty())
            s += QLatin1Char('\\') + server.instance;
        if (!server.port.isEmpty())
            s += QLatin1Char(',') + server.port;
        parts << QStringLiteral("Server=") + s;
        if (!database.isEmpty())
            parts << QStringLiteral("Database=") + odbcBraced(database);
        if (integrated)
            parts << QStringLiteral("Trusted_Connection=Yes");
        else
            parts << QStringLiteral("UID=") + odbcBraced(user) << QStringLiteral("PWD=") + odbcBraced(password);
        parts << QStringLiteral("APP=") + odbcBraced(app);
        // The OLE DB providers did not encrypt unless asked; the newest driver would insist.
        if (driver.startsWith(QLatin1String("ODBC Driver"))) {
            parts << (isTrue(pick(kv, {"encrypt"})) ? QStringLiteral("Encrypt=yes") : QStringLiteral("Encrypt=no"));
            if (has(kv, {"trustservercertificate", "trust server certificate"}))
                parts << QStringLiteral("TrustServerCertificate=") +
                             (isTrue(pick(kv, {"trustservercertificate", "trust server certificate"}))
                                  ? QStringLiteral("yes")
                                  : QStringLiteral("no"));
        }
    }
    c.odbc = parts.join(QLatin1Char(';'));
    // Qt's ODBC driver takes any string holding ".dsn" for the name of a DSN file.
    if (c.odbc.contains(QLatin1String(".dsn"), Qt::CaseInsensitive))
        throw fail(QStringLiteral("Bağlantı cümlesi \".dsn\" içeremez (sunucu, veri tabanı, kullanıcı adı veya "
                                  "parola)."));
    return c;
}

} // namespace etb
