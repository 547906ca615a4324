#pragma once
#include "adapters/HostDatabase.h"

#include <QMap>
#include <QString>

namespace etb {

// Which ODBC driver family the SQL Server connection string is written for.
enum class OdbcFamily {
    FreeTds,   // Linux: the FreeTDS driver as Debian registers it
    Windows,   // Windows: Microsoft's SQL Server ODBC drivers
};

// The host database as argument 7 names it, ready for Qt SQL.
struct HostConnection {
    enum class Kind { Sqlite, SqlServer };
    Kind kind = Kind::SqlServer;
    QString sqlitePath;       // Kind::Sqlite: the company database file
    QString odbc;             // Kind::SqlServer: the whole ODBC connection string
    QString server;           // Kind::SqlServer: the server as the host wrote it (for messages)
    int loginTimeoutSec = 15; // Kind::SqlServer: "Connect Timeout" of the string, else 15
};

// The key/value pairs of an ADO (OLE DB) connection string: pairs separated by ";", keys
// compared without letter case and with blanks around them ignored, values optionally in
// double or single quotes (the quote doubled inside stands for itself). The last of a repeated
// key wins. Keys come back lower-cased. Throws DatabaseError on an unterminated quote.
QMap<QString, QString> parseAdoPairs(const QString& text);

// An ODBC attribute value in braces, every "}" doubled (Microsoft's drivers).
QString odbcBraced(const QString& value);
// The same for FreeTDS 1.3, which ends a braced value at the first "};" and unescapes
// nothing: the value goes in unchanged, and one holding "};" cannot be written (DatabaseError).
QString freeTdsBraced(const QString& value);

// The ODBC driver of this machine's family: "FreeTDS", or on Windows the newest installed of
// "ODBC Driver 18 for SQL Server", "ODBC Driver 17 for SQL Server", "SQL Server".
OdbcFamily nativeOdbcFamily();
QString installedWindowsDriver();

// Turns the host's connection string into what Qt SQL opens:
//   "Provider=SQLite;Data Source=PATH"                    -> an SQLite file;
//   Provider SQLOLEDB(.1), SQLNCLI11, MSOLEDBSQL or none   -> an ODBC string for SQL Server
//   (Data Source as host, host\INSTANCE, host,PORT or tcp:host; Initial Catalog; User ID;
//   Password; Integrated Security=SSPI on Windows only).
// Throws DatabaseError with a text for the user when the string cannot be used here.
HostConnection parseHostConnection(const QString& connectionString, OdbcFamily family = nativeOdbcFamily(),
                                   const QString& windowsDriver = QString());

} // namespace etb
