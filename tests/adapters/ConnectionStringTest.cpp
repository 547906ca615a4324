// Argument 7 as the host writes it, turned into what Qt SQL opens.
#include "adapters/ConnectionString.h"

#include <gtest/gtest.h>

using namespace etb;

namespace {

struct OdbcCase {
    const char* label;
    const char* ado;
    OdbcFamily family;
    const char* odbc;
};

const char* kDriver18 = "ODBC Driver 18 for SQL Server";

class AdoToOdbc : public ::testing::TestWithParam<OdbcCase> {};

TEST_P(AdoToOdbc, GivesTheOdbcString) {
    const OdbcCase& c = GetParam();
    const HostConnection h =
        parseHostConnection(QString::fromUtf8(c.ado), c.family, QString::fromLatin1(kDriver18));
    EXPECT_EQ(h.kind, HostConnection::Kind::SqlServer);
    EXPECT_EQ(h.odbc.toStdString(), std::string(c.odbc));
}

INSTANTIATE_TEST_SUITE_P(
    HostForms, AdoToOdbc,
    ::testing::Values(
        OdbcCase{"the host's own form",
                 "Provider=SQLOLEDB.1;Password=gizli;Persist Security Info=True;User ID=sa;Initial Catalog=FIRMA01;"
                 "Data Source=SRV",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=SRV;Database={FIRMA01};UID={sa};PWD={gizli};APP={etebligat};"
                 "TDS_Version=7.4;ClientCharset=UTF-8"},
        OdbcCase{"named instance", "Provider=SQLOLEDB;Data Source=SRV\\SQLEXPRESS;User ID=u;Password=p",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=SRV\\SQLEXPRESS;UID={u};PWD={p};APP={etebligat};TDS_Version=7.4;"
                 "ClientCharset=UTF-8"},
        OdbcCase{"port after a comma", "Provider=SQLNCLI11;Data Source=10.0.0.5,1500;User ID=u;Password=p",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=10.0.0.5;Port=1500;UID={u};PWD={p};APP={etebligat};TDS_Version=7.4;"
                 "ClientCharset=UTF-8"},
        OdbcCase{"instance and port: the port wins",
                 "Provider=MSOLEDBSQL;Data Source=SRV\\INST, 1501;User ID=u;Password=p", OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=SRV;Port=1501;UID={u};PWD={p};APP={etebligat};TDS_Version=7.4;"
                 "ClientCharset=UTF-8"},
        OdbcCase{"tcp: prefix", "Provider=SQLOLEDB.1;Data Source=tcp:db.example.com,1433;User ID=u;Password=p",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=db.example.com;Port=1433;UID={u};PWD={p};APP={etebligat};"
                 "TDS_Version=7.4;ClientCharset=UTF-8"},
        OdbcCase{"the local machine written the Windows way", "Provider=SQLOLEDB.1;Data Source=(local);User ID=u",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=localhost;UID={u};PWD={};APP={etebligat};TDS_Version=7.4;"
                 "ClientCharset=UTF-8"},
        OdbcCase{"keys in any case, blanks around them, no provider (the host's default)",
                 "  data SOURCE = SRV ; INITIAL catalog=Şirket 2024;user id=muhasebe;PASSWORD=x", OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=SRV;Database={Şirket 2024};UID={muhasebe};PWD={x};APP={etebligat};"
                 "TDS_Version=7.4;ClientCharset=UTF-8"},
        OdbcCase{"quoted values keep ; = and quotes; FreeTDS takes a lone brace as it is",
                 "Provider=SQLOLEDB.1;Data Source=SRV;User ID='o''brien';Password=\"a;b=c}d\"\"e\";"
                 "Initial Catalog='x}y'",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=SRV;Database={x}y};UID={o'brien};PWD={a;b=c}d\"e};APP={etebligat};"
                 "TDS_Version=7.4;ClientCharset=UTF-8"},
        OdbcCase{"the last of a repeated key wins", "Data Source=A;Data Source=B;User ID=u;Password=p",
                 OdbcFamily::FreeTds,
                 "DRIVER={FreeTDS};Server=B;UID={u};PWD={p};APP={etebligat};TDS_Version=7.4;ClientCharset=UTF-8"},
        OdbcCase{"Windows: instance, SQL login, braces doubled",
                 "Provider=SQLOLEDB.1;Data Source=SRV\\INST;User ID=u;Password=p}x", OdbcFamily::Windows,
                 "DRIVER={ODBC Driver 18 for SQL Server};Server=SRV\\INST;UID={u};PWD={p}}x};APP={etebligat};"
                 "Encrypt=no"},
        OdbcCase{"Windows: integrated security",
                 "Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=F;Data Source=SRV,1433",
                 OdbcFamily::Windows,
                 "DRIVER={ODBC Driver 18 for SQL Server};Server=SRV,1433;Database={F};Trusted_Connection=Yes;"
                 "APP={etebligat};Encrypt=no"}),
    [](const ::testing::TestParamInfo<OdbcCase>& info) { return "case" + std::to_string(info.index); });

TEST(HostConnection, SqliteFormNamesTheFile) {
    const struct {
        const char* ado;
        const char* path;
    } cases[] = {
        {"Provider=SQLite;Data Source=/srv/host/company.db", "/srv/host/company.db"},
        {"provider=sqlite; data source=\"/a b/c;d.db\"", "/a b/c;d.db"},
    };
    for (const auto& c : cases) {
        const HostConnection h = parseHostConnection(QString::fromUtf8(c.ado), OdbcFamily::FreeTds);
        EXPECT_EQ(h.kind, HostConnection::Kind::Sqlite) << c.ado;
        EXPECT_EQ(h.sqlitePath.toStdString(), c.path) << c.ado;
    }
}

TEST(HostConnection, ConnectTimeoutOfTheStringIsKept) {
    EXPECT_EQ(parseHostConnection("Data Source=S;User ID=u;Connect Timeout=4", OdbcFamily::FreeTds).loginTimeoutSec,
              4);
    EXPECT_EQ(parseHostConnection("Data Source=S;User ID=u", OdbcFamily::FreeTds).loginTimeoutSec, 15);
}

TEST(HostConnection, UnusableFormsFailWithAClearText) {
    const struct {
        const char* ado;
        OdbcFamily family;
        const char* inMessage;
    } cases[] = {
        {"Provider=SQLOLEDB.1;Integrated Security=SSPI;Data Source=SRV", OdbcFamily::FreeTds, "Integrated Security"},
        {"Data Source=SRV;Trusted_Connection=yes", OdbcFamily::FreeTds, "Integrated Security"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=c:\\x.mdb", OdbcFamily::FreeTds, "Microsoft.Jet.OLEDB.4.0"},
        {"Provider=SQLOLEDB.1;User ID=u;Password=p", OdbcFamily::FreeTds, "Data Source"},
        {"Provider=SQLite", OdbcFamily::FreeTds, "Data Source"},
        {"Data Source=SRV,99999;User ID=u", OdbcFamily::FreeTds, "port"},
        {"Data Source=SRV,abc;User ID=u", OdbcFamily::FreeTds, "port"},
        {"Data Source=S;RV;User ID=u", OdbcFamily::FreeTds, "="},
        {"Data Source=SRV;Password=\"unterminated", OdbcFamily::FreeTds, "tırnağı"},
        {"Data Source=SRV;Password='a'b;User ID=u", OdbcFamily::FreeTds, ";"},
        {"Data Source=np:SRV;User ID=u", OdbcFamily::FreeTds, "TCP"},
        {"Data Source=SRV;User ID=u;Password=x.dsn", OdbcFamily::FreeTds, ".dsn"},
        {"Data Source=SRV;User ID=u;Password='a};b'", OdbcFamily::FreeTds, "};"},
    };
    for (const auto& c : cases) {
        try {
            parseHostConnection(QString::fromUtf8(c.ado), c.family);
            ADD_FAILURE() << "accepted: " << c.ado;
        } catch (const DatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.inMessage), std::string::npos)
                << c.ado << " -> " << e.what();
        }
    }
}

TEST(HostConnection, BracedValuesPerDriverFamily) {
    EXPECT_EQ(odbcBraced("a}b}}").toStdString(), "{a}}b}}}}}");
    EXPECT_EQ(odbcBraced("").toStdString(), "{}");
    EXPECT_EQ(freeTdsBraced("a}b}").toStdString(), "{a}b}}");
    EXPECT_THROW(freeTdsBraced("a};b"), DatabaseError);
}

} // namespace
