// Our own HTTP requests (captcha picture, documents) against a loopback server.
#include "LoopbackHttpServer.h"
#include "adapters/CurlHttpClient.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace etb;
using etb::test::kPdfBody;
using etb::test::LoopbackHttpServer;

namespace {

HttpRequest request(const QString& url, int stallMs = 5000) {
    HttpRequest r;
    r.url = QUrl(url);
    r.connectTimeoutMs = 5000;
    r.stallMs = stallMs;
    return r;
}

TEST(CurlHttpClient, StatusDecidesSuccessAndRedirectsAreNotFollowed) {
    LoopbackHttpServer server;
    const struct {
        const char* path;
        bool success;
        long status;
    } cases[] = {
        {"/ok", true, 200},          {"/status/204", true, 204},  {"/status/404", false, 404},
        {"/status/500", false, 500}, {"/redirect", false, 302},   {"/status/304", false, 304},
    };
    CurlHttpClient client(QString{});
    for (const auto& c : cases) {
        const int before = server.requests();
        const HttpResponse r = client.get(request(server.url(c.path)));
        EXPECT_TRUE(r.transferOk) << c.path << ": " << r.error.toStdString();
        EXPECT_EQ(r.status, c.status) << c.path;
        EXPECT_EQ(r.success(), c.success) << c.path;
        EXPECT_EQ(server.requests() - before, 1) << c.path;   // one request: nothing followed
        if (c.success) {
            EXPECT_TRUE(r.error.isEmpty()) << c.path;
        } else {
            EXPECT_TRUE(r.error.contains(QString::number(c.status))) << c.path << ": " << r.error.toStdString();
        }
    }
    EXPECT_EQ(client.get(request(server.url("/ok"))).body, kPdfBody);
    EXPECT_NE(client.get(request(server.url("/redirect"))).body, kPdfBody);
}

TEST(CurlHttpClient, StalledServerEndsWithinTheLimit) {
    LoopbackHttpServer server;
    CurlHttpClient client(QString{});
    QElapsedTimer t;
    t.start();
    const HttpResponse r = client.get(request(server.url("/stall"), 1000));
    const qint64 ms = t.elapsed();
    EXPECT_FALSE(r.transferOk);
    EXPECT_FALSE(r.success());
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 6000);
}

TEST(CurlHttpClient, UnreachableOrForeignAddressesFail) {
    quint16 closed = 0;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        closed = s.serverPort();
    }
    CurlHttpClient client(QString{});
    for (const QString& url : {QString("http://127.0.0.1:%1/ok").arg(closed), QString("file:///etc/hostname"),
                               QString("ftp://127.0.0.1/x"), QString("not a url")}) {
        const HttpResponse r = client.get(request(url));
        EXPECT_FALSE(r.transferOk) << url.toStdString();
        EXPECT_FALSE(r.success()) << url.toStdString();
        EXPECT_TRUE(r.body.isEmpty()) << url.toStdString();
        EXPECT_FALSE(r.error.isEmpty()) << url.toStdString();
    }
}

TEST(CurlHttpClient, CookiesAreKeptForTheClientsLifeAndHeadersSent) {
    LoopbackHttpServer server;
    CurlHttpClient client(QString{});
    ASSERT_TRUE(client.get(request(server.url("/setcookie"))).success());
    HttpRequest echo = request(server.url("/echo"));
    echo.headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                    {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}};
    const HttpResponse r = client.get(echo);
    ASSERT_TRUE(r.success());
    EXPECT_TRUE(r.body.contains("Cookie: sid=abc123")) << r.body.toStdString();
    EXPECT_TRUE(r.body.contains("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    EXPECT_TRUE(r.body.contains("User-Agent: Mozilla/3.0 (compatible; Indy Library)"));

    CurlHttpClient other(QString{});
    EXPECT_FALSE(other.get(request(server.url("/echo"))).body.contains("sid=abc123"));
}

// A self-signed certificate for 127.0.0.1 made with the openssl command for this test.
class Tls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QProcess p;
        p.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                            "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", key(), "-out",
                            cert()});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    QString cert() const { return dir.filePath("cert.pem"); }
    QString key() const { return dir.filePath("key.pem"); }
    QTemporaryDir dir;
};

TEST_F(Tls, UntrustedCertificateFailsTrustedOneSucceeds) {
    LoopbackHttpServer server(cert(), key());
    {
        CurlHttpClient untrusting(QString{});
        const HttpResponse r = untrusting.get(request(server.url("/ok")));
        EXPECT_FALSE(r.transferOk);
        EXPECT_TRUE(r.body.isEmpty());
        EXPECT_TRUE(r.error.contains("certificate", Qt::CaseInsensitive)) << r.error.toStdString();
    }
    CurlHttpClient trusting(cert());
    const HttpResponse r = trusting.get(request(server.url("/ok")));
    EXPECT_TRUE(r.success()) << r.error.toStdString();
    EXPECT_EQ(r.body, kPdfBody);
}

TEST_F(Tls, HostNameMustMatchTheCertificate) {
    LoopbackHttpServer server(cert(), key());
    CurlHttpClient trusting(cert());
    // "127.0.0.2" is loopback too but not a name of the certificate.
    const QString url = server.url("/ok").replace("127.0.0.1", "127.0.0.2");
    const HttpResponse r = trusting.get(request(url));
    EXPECT_FALSE(r.success());
    EXPECT_TRUE(r.body.isEmpty());
}

} // namespace
