// The host database: the embedded SQLite default made from the host schema files, and the
// SQL Server path through ODBC/FreeTDS as far as it can be exercised without a server.
#include "FakeTdsServer.h"
#include "adapters/SqlHostDatabase.h"
#include "app/Environment.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace etb;
using etb::test::FakeTdsServer;

namespace {

// Runs tools/make-host-db.sh into a fresh folder.
class HostDb : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QProcess p;
        const QString script = QProcessEnvironment::systemEnvironment().value("ETB_SOURCE_DIR") +
                               "/tools/make-host-db.sh";
        p.start("bash", {script, dir.path()});
        ASSERT_TRUE(p.waitForFinished(30000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        connectionString = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // One value read back through the tool's own connection.
    QVariant scalar(SqlHostDatabase& db, const QString& sql) {
        QSqlQuery q(db.database());
        EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        return q.next() ? q.value(0) : QVariant();
    }

    QTemporaryDir dir;
    QString connectionString;
};

TEST_F(HostDb, TheScriptPrintsTheConnectionString) {
    EXPECT_EQ(connectionString, "Provider=SQLite;Data Source=" + path("company.db"));
}

TEST_F(HostDb, MissingOrForeignFileIsAnErrorAndNothingIsCreated) {
    QFile junk(path("junk.db"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    const struct {
        QString file;
        const char* inMessage;
    } cases[] = {
        {path("nowhere/company.db"), "bulunamadı"},
        {path("absent.db"), "bulunamadı"},
        {path("junk.db"), "açılamadı"},
    };
    for (const auto& c : cases) {
        SqlHostDatabase db;
        try {
            db.open("Provider=SQLite;Data Source=" + c.file);
            ADD_FAILURE() << "opened " << c.file.toStdString();
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.inMessage), std::string::npos) << e.what();
        }
        EXPECT_FALSE(db.isOpen());
    }
    EXPECT_FALSE(QFile::exists(path("absent.db")));
}

TEST_F(HostDb, GeneralDatabaseIsAttachedWhenPresent) {
    {
        SqlHostDatabase db;
        db.open(connectionString);
        EXPECT_EQ(scalar(db, "SELECT klavuz FROM talpogenel.FirmalarListesi WHERE subeno = 1").toString(), "00123");
    }
    ASSERT_TRUE(QFile::remove(path("talpogenel.db")));
    SqlHostDatabase db;
    db.open(connectionString);
    QSqlQuery q(db.database());
    EXPECT_FALSE(q.exec("SELECT count(*) FROM talpogenel.FirmalarListesi"));
}

TEST_F(HostDb, StatementsRoundTrip) {
    SqlHostDatabase db;
    db.open(connectionString);
    ASSERT_EQ(db.dialect(), SqlDialect::Sqlite);
    const QDateTime when(QDate(2024, 3, 12), QTime(10, 15, 30, 123));
    db.exec(Statement::InsertLog, {{"TARIH", when}, {"ACIKLAMA", QString("Zarf Bulundu: ÇĞİÖŞÜ çğıöşü 'x'")}});
    db.exec(Statement::InsertLog, {{"TARIH", when.addMSecs(7)}, {"ACIKLAMA", QString()}});

    db.exec(Statement::InsertTebligat, {{"GONDEREN_BIRIM", "Kadıköy V.D."},
                                        {"GONDERME_TARIHI", "12.03.2024"},
                                        {"TEBLIG_TARIHI", "13.03.2024"},
                                        {"TEBLIG_BELGE_TURU", "Ödeme Emri"},
                                        {"BELGE_NO", 123456},
                                        {"BELGE_FILE_NAME", "Ödeme Emri_123456"}});

    EXPECT_EQ(scalar(db, "SELECT TARIH FROM E_TEBLIGAT_LOG WHERE ID = 1").toString(), "2024-03-12 10:15:30.123");
    EXPECT_EQ(scalar(db, "SELECT ACIKLAMA FROM E_TEBLIGAT_LOG WHERE ID = 1").toString(),
              "Zarf Bulundu: ÇĞİÖŞÜ çğıöşü 'x'");
    EXPECT_EQ(scalar(db, "SELECT TARIH FROM E_TEBLIGAT_LOG WHERE ID = 2").toString(), "2024-03-12 10:15:30.130");
    // The document number went as text; the path not given is a NULL, not an empty text.
    EXPECT_EQ(scalar(db, "SELECT typeof(BELGE_NO) || ':' || BELGE_NO FROM E_TEBLIGAT").toString(),
              "text:123456");
    EXPECT_EQ(scalar(db, "SELECT BELGE_YOLU IS NULL FROM E_TEBLIGAT").toInt(), 1);
    EXPECT_EQ(scalar(db, "SELECT TEBLIG_BELGE_TURU FROM E_TEBLIGAT").toString(), "Ödeme Emri");

    EXPECT_EQ(scalar(db, "SELECT group_concat(FIRMA_ID) FROM E_TEBLIGAT_LOG").toString(), "1,1");
    db.exec(Statement::UpdateFirmaId, {});
    EXPECT_EQ(scalar(db, "SELECT group_concat(FIRMA_ID) FROM E_TEBLIGAT_LOG").toString(), "2,2");
}

TEST_F(HostDb, RefusedInsertRaisesAndLeavesTheOthers) {
    SqlHostDatabase db;
    db.open(connectionString);
    db.exec(Statement::InsertTebligat, {{"BELGE_NO", "1"}});
    EXPECT_THROW(db.exec(Statement::InsertTebligat, {{"BELGE_NO", ""}}), DatabaseError);
    db.exec(Statement::InsertTebligat, {{"BELGE_NO", "3"}});
    EXPECT_EQ(scalar(db, "SELECT group_concat(BELGE_NO) FROM E_TEBLIGAT").toString(), "1,3");
}

TEST_F(HostDb, ClosedDatabaseRefusesStatements) {
    SqlHostDatabase db;
    EXPECT_THROW(db.exec(Statement::UpdateFirmaId, {}), DatabaseError);
    db.open(connectionString);
    db.close();
    EXPECT_FALSE(db.isOpen());
    EXPECT_THROW(db.exec(Statement::UpdateFirmaId, {}), DatabaseError);
}

// ---- SQL Server through ODBC/FreeTDS ----

quint16 closedPort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 port = s.serverPort();
    s.close();
    return port;
}

TEST(SqlServerOpen, ClosedPortFailsFastWithTheServerNamed) {
    const QString server = QString("127.0.0.1,%1").arg(closedPort());
    SqlHostDatabase db;
    QElapsedTimer t;
    t.start();
    try {
        db.open("Provider=SQLOLEDB.1;Password=p;Persist Security Info=True;User ID=sa;Initial Catalog=F;"
                "Data Source=" + server);
        ADD_FAILURE() << "opened a closed port";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(server.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_LT(t.elapsed(), 20000);
    EXPECT_FALSE(db.isOpen());
}

TEST(SqlServerOpen, SilentServerEndsAtTheLoginTimeOut) {
    const Environment saved = Environment::get();
    Environment env = saved;
    env.timeScale = 0.1;   // 15 s -> 2 s
    Environment::set(env);
    FakeTdsServer silent(FakeTdsServer::Mode::Silent);
    SqlHostDatabase db;
    QElapsedTimer t;
    t.start();
    EXPECT_THROW(db.open(QString("Data Source=127.0.0.1,%1;User ID=u;Password=p").arg(silent.port())),
                 DatabaseError);
    const qint64 ms = t.elapsed();
    Environment::set(saved);
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 10000);
}

TEST(SqlServerOpen, LoginCarriesTheHostsCredentialsExactly) {
    const struct {
        const char* user;
        const char* password;
        const char* database;
    } cases[] = {
        {"sa", "gizli", "FIRMA01"},
        {"o'brien", "a;b=c", "Şirket 2024"},
        {"u}1", "p}}w}", "db}x"},
        {"muhasebeci", "şifre{ÇĞ}", "Ödeme"},
    };
    for (const auto& c : cases) {
        FakeTdsServer server(FakeTdsServer::Mode::RecordLogin);
        const QString ado = QString("Provider=SQLOLEDB.1;Persist Security Info=True;Data Source=127.0.0.1,%1;"
                                    "User ID=\"%2\";Password=\"%3\";Initial Catalog=\"%4\"")
                                .arg(server.port())
                                .arg(QString::fromUtf8(c.user), QString::fromUtf8(c.password),
                                     QString::fromUtf8(c.database));
        SqlHostDatabase db;
        EXPECT_THROW(db.open(ado), DatabaseError);
        const test::TdsLogin login = server.login();
        ASSERT_TRUE(login.received) << c.user;
        EXPECT_EQ(login.user.toStdString(), c.user);
        EXPECT_EQ(login.password.toStdString(), c.password);
        EXPECT_EQ(login.database.toStdString(), c.database);
        EXPECT_EQ(login.app.toStdString(), "etebligat");
    }
}

// A real SQL Server, named by ETEBLIGAT_TEST_MSSQL as an ADO connection string. Everything
// happens in a transaction that is rolled back.
TEST(SqlServerOpen, RealServerRoundTrip) {
    const QString ado = QProcessEnvironment::systemEnvironment().value("ETEBLIGAT_TEST_MSSQL");
    if (ado.isEmpty())
        GTEST_SKIP() << "skipped: set ETEBLIGAT_TEST_MSSQL to an ADO connection string of a test SQL Server";
    SqlHostDatabase db;
    db.open(ado);
    QSqlDatabase c = db.database();
    ASSERT_TRUE(c.transaction());
    QSqlQuery q(c);
    ASSERT_TRUE(q.exec("IF OBJECT_ID('E_TEBLIGAT_LOG') IS NULL CREATE TABLE E_TEBLIGAT_LOG (ID int IDENTITY "
                       "PRIMARY KEY, TARIH datetime, ACIKLAMA nvarchar(500), FIRMA_ID int NOT NULL DEFAULT 1)"))
        << q.lastError().text().toStdString();
    ASSERT_TRUE(q.exec("IF OBJECT_ID('E_TEBLIGAT') IS NULL CREATE TABLE E_TEBLIGAT (ID int IDENTITY PRIMARY KEY, "
                       "GONDEREN_BIRIM nvarchar(200), GONDERME_TARIHI nvarchar(20), TEBLIG_TARIHI nvarchar(20), "
                       "TEBLIG_BELGE_TURU nvarchar(100), BELGE_NO nvarchar(50), BELGE_YOLU nvarchar(250), "
                       "BELGE_FILE_NAME nvarchar(50))"))
        << q.lastError().text().toStdString();
    const QString text = "Tebligat ÇĞİÖŞÜ çğıöşü etebligat-test";
    db.exec(Statement::InsertLog, {{"TARIH", QDateTime(QDate(2024, 3, 12), QTime(10, 15, 30, 120))},
                                   {"ACIKLAMA", text}});
    db.exec(Statement::InsertTebligat, {{"BELGE_NO", "etebligat-test"}, {"TEBLIG_BELGE_TURU", "Ödeme Emri"}});
    ASSERT_TRUE(q.exec("SELECT TOP 1 CONVERT(varchar(30), TARIH, 126), ACIKLAMA, FIRMA_ID FROM E_TEBLIGAT_LOG "
                       "WHERE ACIKLAMA LIKE '%etebligat-test' ORDER BY ID DESC"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "2024-03-12T10:15:30.120");
    EXPECT_EQ(q.value(1).toString(), text);
    db.exec(Statement::UpdateFirmaId, {});
    ASSERT_TRUE(q.exec("SELECT TEBLIG_BELGE_TURU FROM E_TEBLIGAT WHERE BELGE_NO = 'etebligat-test'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Ödeme Emri");
    q.finish();
    c.rollback();
}

} // namespace
