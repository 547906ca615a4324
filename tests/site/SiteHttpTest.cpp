// Smoke tests of the training site over plain HTTP: it starts, captchas check out
// only with their own code, logins accept good values and reject bad ones with
// the alert words the tool relies on, documents answer as PDFs (and fail when a
// scenario says so), and the control interface reports what happened.

#include "support/TrainingSite.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QImage>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

namespace {

QJsonObject demoScenario() {
    QFile f(TrainingSite::scenarioPath(QStringLiteral("demo")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QByteArray toJson(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

class SiteHttpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        site_ = new TrainingSite;
        ASSERT_TRUE(site_->start(TrainingSite::scenarioPath(QStringLiteral("demo")))) << qPrintable(site_->errorString());
    }
    static void TearDownTestSuite() {
        delete site_;
        site_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(site_, nullptr);
        ASSERT_TRUE(site_->running());
        ASSERT_TRUE(site_->loadScenario(demoScenario())) << qPrintable(site_->errorString());
    }

    TrainingSite& site() { return *site_; }

    // Loads a captcha frame of the login page and returns the id it carries.
    QString newCaptchaId(const QString& form = QStringLiteral("KKODU")) {
        const auto r = site().get(site().applicationUrl(QStringLiteral("/captcha/cerceve?form=") + form));
        static const QRegularExpression cid(QStringLiteral("id=\"cid\" value=([^\"'>\\s]+)>"));
        const auto m = cid.match(QString::fromUtf8(r.body));
        return m.hasMatch() ? m.captured(1) : QString();
    }

    TrainingSite::Response postJson(const QString& path, const QJsonObject& body) {
        return site().post(site().applicationUrl(path), toJson(body));
    }

    // A user-code login with the demo's credentials, some of them replaced.
    QJsonObject loginValues(const QJsonObject& changes = {}) {
        const QString id = newCaptchaId();
        QJsonObject v{{QStringLiteral("kullaniciKodu"), QStringLiteral("12345678")},
                      {QStringLiteral("parola"), QStringLiteral("Parola.2024")},
                      {QStringLiteral("sifre"), QStringLiteral("Sifre.2024")},
                      {QStringLiteral("dkKKODU"), site().captchaCode(id)},
                      {QStringLiteral("cid"), id}};
        for (auto it = changes.begin(); it != changes.end(); ++it)
            v.insert(it.key(), it.value());
        return v;
    }

    // Logs in and answers the session token.
    QString loginToken() {
        const auto r = postJson(QStringLiteral("/giris"), loginValues());
        const QString address = QJsonDocument::fromJson(r.body).object().value(QStringLiteral("adres")).toString();
        return QUrlQuery(QUrl(address).query()).queryItemValue(QStringLiteral("token"));
    }

    QJsonObject list(const QString& token) {
        const auto r = site().get(site().applicationUrl(QStringLiteral("/api/tebligat/liste?token=") + token));
        return QJsonDocument::fromJson(r.body).object();
    }

    // Opens notification i in the session and answers its document address.
    QString openAndGetDocument(const QString& token, int i) {
        postJson(QStringLiteral("/api/tebligat/zarf?token=%1&sira=%2").arg(token).arg(i), {});
        return list(token)
            .value(QStringLiteral("bildirimler")).toArray().at(i).toObject()
            .value(QStringLiteral("belge")).toObject().value(QStringLiteral("adres")).toString();
    }

    static TrainingSite* site_;
};

TrainingSite* SiteHttpTest::site_ = nullptr;

bool isPdf(const QByteArray& body) {
    return body.startsWith("%PDF-") && body.trimmed().endsWith("%%EOF");
}

TEST_F(SiteHttpTest, PrintsTwoLoopbackRootsThatServeLoginAndPortal) {
    const QUrl app = site().applicationRoot();
    const QUrl portal = site().portalRoot();
    EXPECT_EQ(app.scheme(), QStringLiteral("http"));
    EXPECT_EQ(app.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(portal.host(), QStringLiteral("127.0.0.1"));
    EXPECT_NE(app.port(), portal.port());
    EXPECT_EQ(app.path(), QStringLiteral("/"));

    const auto login = site().get(app);
    EXPECT_EQ(login.status, 200);
    for (const char* marker : {"id=\"kullaniciKodu\"", "id=\"parola\"", "id=\"sifre\"", "id=\"dkKKODU\"",
                               "id=\"captchaKKODU\"", "id=\"tc\"", "id=\"tcYakin\"", "id=\"dkTCKN\"",
                               "id=\"captchaTCKN\"", "giris();", "girisTckn();"})
        EXPECT_TRUE(login.body.contains(marker)) << marker;

    const auto portalPage = site().get(portal);
    EXPECT_EQ(portalPage.status, 200);
    for (const char* marker : {"id=\"gen__1056\"", "id=\"gen__1057\"", "id=\"gen__1064\""})
        EXPECT_TRUE(portalPage.body.contains(marker)) << marker;
}

TEST(SiteStartTest, ExplicitPortGivesThePortalTheNextPort) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    TrainingSite site;
    ASSERT_TRUE(site.start(TrainingSite::scenarioPath(QStringLiteral("demo")),
                           {QStringLiteral("--port"), QString::number(port)}))
        << qPrintable(site.errorString());
    EXPECT_EQ(site.applicationRoot().port(), port);
    EXPECT_EQ(site.portalRoot().port(), port + 1);
}

TEST(SiteStartTest, ServesHttpsWithTheTestCertificate) {
    const QString tls = TrainingSite::siteDir() + QStringLiteral("/tls/");
    TrainingSite site;
    ASSERT_TRUE(site.start(TrainingSite::scenarioPath(QStringLiteral("demo")),
                           {QStringLiteral("--tls-cert"), tls + QStringLiteral("localhost-cert.pem"),
                            QStringLiteral("--tls-key"), tls + QStringLiteral("localhost-key.pem")}))
        << qPrintable(site.errorString());
    EXPECT_EQ(site.applicationRoot().scheme(), QStringLiteral("https"));
    EXPECT_EQ(site.portalRoot().scheme(), QStringLiteral("https"));
    EXPECT_EQ(site.get(site.applicationRoot()).status, 200);
    EXPECT_EQ(site.get(site.portalRoot()).status, 200);
}

TEST(SiteStartTest, RefusesABrokenScenario) {
    QTemporaryFile broken;
    ASSERT_TRUE(broken.open());
    broken.write("{\"notifications\": [{\"zarf\": \"Zarf Kapat\"}]}");
    broken.close();
    TrainingSite site;
    EXPECT_FALSE(site.start(broken.fileName(), {}, 10000));
}

TEST_F(SiteHttpTest, EveryFrameLoadIssuesANewCaptchaWithItsPicture) {
    const auto frame = site().get(site().applicationUrl(QStringLiteral("/captcha/cerceve?form=TCKN")));
    // The hidden id is written unquoted at the end of its element's markup.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("<input [^>]*id=\"cid\" value=[0-9a-f]+>"))
                    .match(QString::fromUtf8(frame.body)).hasMatch())
        << frame.body.constData();

    const QString first = newCaptchaId();
    const QString second = newCaptchaId();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(first, second);
    EXPECT_EQ(site().captchaCode(first), QStringLiteral("K7P2M"));

    const auto picture = site().get(site().applicationUrl(QStringLiteral("/captcha/jcaptcha?imageID=") + first));
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.header("Content-Type"), QByteArray("image/jpeg"));
    EXPECT_FALSE(QImage::fromData(picture.body, "JPEG").isNull());

    const auto unknown = site().get(site().applicationUrl(QStringLiteral("/captcha/jcaptcha?imageID=0000")));
    EXPECT_EQ(unknown.status, 404);
    EXPECT_TRUE(site().captchaCode(QStringLiteral("0000")).isEmpty());
}

TEST_F(SiteHttpTest, ACaptchaChecksOutOnlyWithItsOwnCodeAndOnlyOnce) {
    QJsonObject scenario = demoScenario();
    scenario.insert(QStringLiteral("captcha"), QJsonObject{{QStringLiteral("enabled"), true}});  // random codes
    ASSERT_TRUE(site().loadScenario(scenario));

    // Draw ids until two have different codes.
    const QString id = newCaptchaId();
    QString other;
    for (int i = 0; i < 20 && (other.isEmpty() || site().captchaCode(other) == site().captchaCode(id)); ++i)
        other = newCaptchaId();
    ASSERT_NE(site().captchaCode(id), site().captchaCode(other));

    const QJsonObject withOthersCode = loginValues({{QStringLiteral("cid"), id},
                                                    {QStringLiteral("dkKKODU"), site().captchaCode(other)}});
    const auto rejected = postJson(QStringLiteral("/giris"), withOthersCode);
    EXPECT_TRUE(QString::fromUtf8(rejected.body).contains(QStringLiteral("Doğrulama"))) << rejected.body.constData();

    const QString fresh = newCaptchaId();
    const QJsonObject own = loginValues({{QStringLiteral("cid"), fresh},
                                         {QStringLiteral("dkKKODU"), site().captchaCode(fresh).toLower()}});
    EXPECT_TRUE(QJsonDocument::fromJson(postJson(QStringLiteral("/giris"), own).body)
                    .object().value(QStringLiteral("ok")).toBool());
    // The id is used up by its check.
    const auto replay = postJson(QStringLiteral("/giris"), own);
    EXPECT_TRUE(QString::fromUtf8(replay.body).contains(QStringLiteral("Doğrulama")));
}

TEST_F(SiteHttpTest, UserCodeLoginAcceptsGoodValuesAndNamesTheWrongOne) {
    struct Case {
        const char* name;
        QJsonObject changes;
        const char* alertWord;  // nullptr: the login succeeds
        const char* reason;
    };
    const QList<Case> cases = {
        {"good", {}, nullptr, nullptr},
        {"user code", {{QStringLiteral("kullaniciKodu"), QStringLiteral("99999999")}}, "Kullanıcı", "kullaniciKodu"},
        {"parola", {{QStringLiteral("parola"), QStringLiteral("yanlis")}}, "Parola", "parola"},
        {"sifre", {{QStringLiteral("sifre"), QStringLiteral("yanlis")}}, "Şifre", "sifre"},
        {"code", {{QStringLiteral("dkKKODU"), QStringLiteral("XXXXX")}}, "Doğrulama", "captcha"},
        {"empty code", {{QStringLiteral("dkKKODU"), QString()}}, "Doğrulama", "captcha-empty"},
        {"unknown id", {{QStringLiteral("cid"), QStringLiteral("ffff")}}, "Doğrulama", "captcha"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(site().reset());
        const auto r = postJson(QStringLiteral("/giris"), loginValues(c.changes));
        ASSERT_EQ(r.status, 200);
        const QJsonObject answer = QJsonDocument::fromJson(r.body).object();
        if (!c.alertWord) {
            EXPECT_TRUE(answer.value(QStringLiteral("ok")).toBool());
            EXPECT_TRUE(answer.value(QStringLiteral("adres")).toString().contains(QStringLiteral("token=")));
            ASSERT_EQ(site().eventsOfKind(QStringLiteral("login")).size(), 1);
            continue;
        }
        EXPECT_FALSE(answer.value(QStringLiteral("ok")).toBool());
        EXPECT_TRUE(answer.value(QStringLiteral("mesaj")).toString().contains(QString::fromUtf8(c.alertWord)))
            << qPrintable(answer.value(QStringLiteral("mesaj")).toString());
        const auto rejected = site().eventsOfKind(QStringLiteral("login-rejected"));
        ASSERT_EQ(rejected.size(), 1);
        EXPECT_EQ(rejected.at(0).value(QStringLiteral("reason")).toString(), QString::fromLatin1(c.reason));
        EXPECT_TRUE(site().eventsOfKind(QStringLiteral("login")).isEmpty());
    }
}

TEST_F(SiteHttpTest, ValuesWithQuotesBackslashesAndTurkishLettersArriveIntact) {
    const QString parola = QStringLiteral("a\"b\\c'ğüşİı</script>");
    QJsonObject scenario = demoScenario();
    QJsonObject user = scenario.value(QStringLiteral("user")).toObject();
    user.insert(QStringLiteral("parola"), parola);
    scenario.insert(QStringLiteral("user"), user);
    ASSERT_TRUE(site().loadScenario(scenario));

    const auto r = postJson(QStringLiteral("/giris"), loginValues({{QStringLiteral("parola"), parola}}));
    EXPECT_TRUE(QJsonDocument::fromJson(r.body).object().value(QStringLiteral("ok")).toBool()) << r.body.constData();
    const auto logins = site().eventsOfKind(QStringLiteral("login"));
    ASSERT_EQ(logins.size(), 1);
    EXPECT_EQ(logins.at(0).value(QStringLiteral("values")).toObject().value(QStringLiteral("parola")).toString(), parola);
}

TEST_F(SiteHttpTest, IdentityNumberLogin) {
    struct Case {
        const char* name;
        QJsonObject changes;
        bool ok;
    };
    const QList<Case> cases = {
        {"good", {}, true},
        {"numbers without leading zero, lower-case letters", {{QStringLiteral("gun"), QStringLiteral("7")},
                                                              {QStringLiteral("ak1"), QStringLiteral("ş")},
                                                              {QStringLiteral("ak2"), QStringLiteral("a")}}, true},
        {"wrong month", {{QStringLiteral("ay"), QStringLiteral("04")}}, false},
        {"wrong relative", {{QStringLiteral("tcYakin"), QStringLiteral("10000000000")}}, false},
        {"wrong number", {{QStringLiteral("tc"), QStringLiteral("10000000000")}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString id = newCaptchaId(QStringLiteral("TCKN"));
        QJsonObject v{{QStringLiteral("tc"), QStringLiteral("10000000146")}, {QStringLiteral("gun"), QStringLiteral("07")},
                      {QStringLiteral("ay"), QStringLiteral("03")}, {QStringLiteral("yil"), QStringLiteral("1980")},
                      {QStringLiteral("ak1"), QStringLiteral("Ş")}, {QStringLiteral("ak2"), QStringLiteral("A")},
                      {QStringLiteral("tcYakin"), QStringLiteral("10000000078")},
                      {QStringLiteral("dkTCKN"), site().captchaCode(id)}, {QStringLiteral("cid"), id}};
        for (auto it = c.changes.begin(); it != c.changes.end(); ++it)
            v.insert(it.key(), it.value());
        const QJsonObject answer = QJsonDocument::fromJson(postJson(QStringLiteral("/giris/tckn"), v).body).object();
        EXPECT_EQ(answer.value(QStringLiteral("ok")).toBool(), c.ok);
        if (!c.ok) {
            EXPECT_TRUE(answer.value(QStringLiteral("mesaj")).toString().contains(QStringLiteral("Kullanıcı")));
        }
    }
}

TEST_F(SiteHttpTest, WithoutCaptchaThePageHasNoFramesAndNoCodeIsAsked) {
    QJsonObject scenario = demoScenario();
    scenario.insert(QStringLiteral("captcha"), QJsonObject{{QStringLiteral("enabled"), false}});
    ASSERT_TRUE(site().loadScenario(scenario));
    const auto page = site().get(site().applicationRoot());
    EXPECT_FALSE(page.body.contains("captchaKKODU"));
    EXPECT_FALSE(page.body.contains("captchaTCKN"));
    EXPECT_FALSE(page.body.contains("\"cid\""));
    EXPECT_FALSE(page.body.contains("dkKKODU"));
    const QJsonObject answer = QJsonDocument::fromJson(
        postJson(QStringLiteral("/giris"), QJsonObject{{QStringLiteral("kullaniciKodu"), QStringLiteral("12345678")},
                                                       {QStringLiteral("parola"), QStringLiteral("Parola.2024")},
                                                       {QStringLiteral("sifre"), QStringLiteral("Sifre.2024")}})
            .body).object();
    EXPECT_TRUE(answer.value(QStringLiteral("ok")).toBool());
}

TEST_F(SiteHttpTest, InjectedLoginFailures) {
    QJsonObject scenario = demoScenario();
    scenario.insert(QStringLiteral("loginAlert"), QStringLiteral("Sistem bakımda. Lütfen daha sonra deneyiniz."));
    ASSERT_TRUE(site().loadScenario(scenario));
    const QJsonObject answer = QJsonDocument::fromJson(postJson(QStringLiteral("/giris"), loginValues()).body).object();
    EXPECT_EQ(answer.value(QStringLiteral("mesaj")).toString(), QStringLiteral("Sistem bakımda. Lütfen daha sonra deneyiniz."));

    scenario.remove(QStringLiteral("loginAlert"));
    scenario.insert(QStringLiteral("loginNeverAnswers"), true);
    ASSERT_TRUE(site().loadScenario(scenario));
    const auto held = site().post(site().applicationUrl(QStringLiteral("/giris")), toJson(loginValues()),
                                  "application/json", 1500);
    EXPECT_EQ(held.status, 0);
    EXPECT_EQ(site().eventsOfKind(QStringLiteral("login-held")).size(), 1);
    EXPECT_TRUE(site().eventsOfKind(QStringLiteral("login")).isEmpty());
}

TEST_F(SiteHttpTest, InjectedPageErrorsAndDelays) {
    QJsonObject scenario = demoScenario();
    scenario.insert(QStringLiteral("pageErrors"),
                    QJsonObject{{QStringLiteral("/"), QStringLiteral("reset")},
                                {QStringLiteral("/uygulama/anasayfa"),
                                 QJsonObject{{QStringLiteral("kind"), QStringLiteral("status")},
                                             {QStringLiteral("status"), 500}, {QStringLiteral("times"), 1}}}});
    scenario.insert(QStringLiteral("pageDelayMs"), QJsonObject{{QStringLiteral("/captcha/cerceve"), 700}});
    ASSERT_TRUE(site().loadScenario(scenario));

    const auto dropped = site().get(site().applicationRoot());
    EXPECT_EQ(dropped.status, 0);
    EXPECT_FALSE(dropped.error.isEmpty());

    const QString token = loginToken();  // the frame loads late but loads
    ASSERT_FALSE(token.isEmpty());
    const QUrl app = site().applicationUrl(QStringLiteral("/uygulama/anasayfa?token=") + token);
    EXPECT_EQ(site().get(app).status, 500);
    EXPECT_EQ(site().get(app).status, 200);  // "times": 1

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(newCaptchaId().isEmpty());
    EXPECT_GE(clock.elapsed(), 650);
}

TEST_F(SiteHttpTest, SessionsLiveInTheTokenAndEndWithLogout) {
    const QString token = loginToken();
    ASSERT_FALSE(token.isEmpty());
    const QUrl app = site().applicationUrl(QStringLiteral("/uygulama/anasayfa?token=") + token);
    const auto page = site().get(app);
    EXPECT_EQ(page.status, 200);
    // The page carries the menu script and the logout element.
    EXPECT_TRUE(page.body.contains("id=\"gen__1010\" class=\"csc-image selectable\""));

    EXPECT_EQ(site().get(site().applicationUrl(QStringLiteral("/uygulama/anasayfa?token=nope"))).status, 302);

    EXPECT_EQ(postJson(QStringLiteral("/api/cikis?token=") + token, {}).status, 200);
    EXPECT_EQ(postJson(QStringLiteral("/api/cikis?token=") + token, {}).status, 200);  // a second view logs out too
    EXPECT_EQ(site().get(app).status, 302);
    EXPECT_EQ(site().get(site().applicationUrl(QStringLiteral("/api/tebligat/liste?token=") + token)).status, 401);
    const auto logouts = site().eventsOfKind(QStringLiteral("logout"));
    ASSERT_EQ(logouts.size(), 2);
    EXPECT_FALSE(logouts.at(0).value(QStringLiteral("alreadyEnded")).toBool());
    EXPECT_TRUE(logouts.at(1).value(QStringLiteral("alreadyEnded")).toBool());
}

TEST_F(SiteHttpTest, OpeningAnEnvelopeIsSharedByTheSessionAndIdempotent) {
    const QString token = loginToken();
    QJsonArray before = list(token).value(QStringLiteral("bildirimler")).toArray();
    ASSERT_EQ(before.size(), 3);
    EXPECT_EQ(before.at(0).toObject().value(QStringLiteral("zarf")).toString(), QStringLiteral("Zarf Aç"));
    EXPECT_FALSE(before.at(0).toObject().contains(QStringLiteral("belge")));
    EXPECT_EQ(before.at(2).toObject().value(QStringLiteral("zarf")).toString(), QStringLiteral("Zarf İçeriği Gör"));

    for (int view = 0; view < 2; ++view)
        postJson(QStringLiteral("/api/tebligat/zarf?token=%1&sira=0").arg(token), {});
    const QJsonObject after = list(token).value(QStringLiteral("bildirimler")).toArray().at(0).toObject();
    EXPECT_EQ(after.value(QStringLiteral("zarf")).toString(), QStringLiteral("Zarf İçeriği Gör"));
    EXPECT_FALSE(after.value(QStringLiteral("okunmaTarihi")).toString().isEmpty());
    EXPECT_FALSE(after.value(QStringLiteral("belge")).toObject().value(QStringLiteral("adres")).toString().contains(
        QStringLiteral("token=")));

    const auto opens = site().eventsOfKind(QStringLiteral("envelope-open"));
    ASSERT_EQ(opens.size(), 2);
    EXPECT_FALSE(opens.at(0).value(QStringLiteral("alreadyOpen")).toBool());
    EXPECT_TRUE(opens.at(1).value(QStringLiteral("alreadyOpen")).toBool());
    EXPECT_EQ(opens.at(0).value(QStringLiteral("token")).toString(), token);
    EXPECT_TRUE(site().state().value(QStringLiteral("notifications")).toArray().at(0).toObject()
                    .value(QStringLiteral("opened")).toBool());

    // A row without an envelope cannot be opened.
    QJsonObject scenario = demoScenario();
    QJsonArray notes = scenario.value(QStringLiteral("notifications")).toArray();
    QJsonObject none = notes.at(0).toObject();
    none.insert(QStringLiteral("zarf"), QString());
    notes[0] = none;
    scenario.insert(QStringLiteral("notifications"), notes);
    ASSERT_TRUE(site().loadScenario(scenario));
    const QString second = loginToken();
    EXPECT_EQ(postJson(QStringLiteral("/api/tebligat/zarf?token=%1&sira=0").arg(second), {}).status, 404);
}

TEST_F(SiteHttpTest, ADocumentAnswersTheSamePdfAsAnAttachmentEveryTime) {
    const QString address = openAndGetDocument(loginToken(), 0);
    ASSERT_FALSE(address.isEmpty());
    QByteArray first;
    for (int request = 0; request < 2; ++request) {
        SCOPED_TRACE(request);
        const auto r = site().get(site().applicationUrl(address));
        EXPECT_EQ(r.status, 200);
        EXPECT_EQ(r.header("Content-Type"), QByteArray("application/pdf"));
        EXPECT_TRUE(r.header("Content-Disposition").startsWith("attachment; filename=\"Tebligat_2024010001.pdf\""))
            << r.header("Content-Disposition").constData();
        EXPECT_TRUE(isPdf(r.body));
        if (request == 0) {
            first = r.body;
        } else {
            EXPECT_EQ(r.body, first);
        }
    }
    EXPECT_EQ(site().eventsOfKind(QStringLiteral("document")).size(), 2);
    EXPECT_EQ(site().get(site().applicationUrl(QStringLiteral("/ebelge/indir?anahtar=bilinmeyen"))).status, 404);
}

TEST_F(SiteHttpTest, InjectedDocumentFailuresStartFromTheirRequestNumber) {
    struct Case {
        const char* name;
        QJsonObject keys;
        int secondStatus;  // the first request (the browser's) always succeeds here
    };
    const QList<Case> cases = {
        {"404", {{QStringLiteral("documentStatus"), 404}}, 404},
        {"500", {{QStringLiteral("documentStatus"), 500}}, 500},
        {"redirect", {{QStringLiteral("documentStatus"), 302}}, 302},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QJsonObject scenario = demoScenario();
        QJsonArray notes = scenario.value(QStringLiteral("notifications")).toArray();
        QJsonObject n = notes.at(0).toObject();
        for (auto it = c.keys.begin(); it != c.keys.end(); ++it)
            n.insert(it.key(), it.value());
        n.insert(QStringLiteral("documentFailFrom"), 1);
        notes[0] = n;
        scenario.insert(QStringLiteral("notifications"), notes);
        ASSERT_TRUE(site().loadScenario(scenario));

        const QString address = openAndGetDocument(loginToken(), 0);
        EXPECT_TRUE(isPdf(site().get(site().applicationUrl(address)).body));
        const auto second = site().get(site().applicationUrl(address));
        EXPECT_EQ(second.status, c.secondStatus);
        EXPECT_FALSE(isPdf(second.body));
        if (c.secondStatus == 302) {
            const auto followed = site().get(site().applicationUrl(QString::fromUtf8(second.header("Location"))));
            EXPECT_EQ(followed.status, 200);
            EXPECT_TRUE(isPdf(followed.body));
        }
    }
}

TEST_F(SiteHttpTest, AStalledDocumentSendsHalfAndWaits) {
    QJsonObject scenario = demoScenario();
    QJsonArray notes = scenario.value(QStringLiteral("notifications")).toArray();
    QJsonObject n = notes.at(1).toObject();
    n.insert(QStringLiteral("documentStallMs"), 1500);
    notes[1] = n;
    scenario.insert(QStringLiteral("notifications"), notes);
    ASSERT_TRUE(site().loadScenario(scenario));
    const QString address = openAndGetDocument(loginToken(), 1);

    EXPECT_EQ(site().get(site().applicationUrl(address), 600).status, 0);  // gives up while stalled
    QElapsedTimer clock;
    clock.start();
    const auto slow = site().get(site().applicationUrl(address), 5000);
    EXPECT_GE(clock.elapsed(), 1400);
    EXPECT_TRUE(isPdf(slow.body));
}

TEST_F(SiteHttpTest, PortalLogsInWithUserCodeAndSifreAndLogsOut) {
    const QUrl login = site().portalUrl(QStringLiteral("/portal/giris"));
    const auto bad = site().post(login, toJson({{QStringLiteral("kullaniciKodu"), QStringLiteral("12345678")},
                                                {QStringLiteral("sifre"), QStringLiteral("Parola.2024")}}));
    EXPECT_FALSE(QJsonDocument::fromJson(bad.body).object().value(QStringLiteral("ok")).toBool());

    const auto good = site().post(login, toJson({{QStringLiteral("kullaniciKodu"), QStringLiteral("12345678")},
                                                 {QStringLiteral("sifre"), QStringLiteral("Sifre.2024")}}));
    const QString address = QJsonDocument::fromJson(good.body).object().value(QStringLiteral("adres")).toString();
    ASSERT_TRUE(address.contains(QStringLiteral("token="))) << good.body.constData();
    const auto home = site().get(site().portalUrl(address));
    EXPECT_EQ(home.status, 200);
    EXPECT_TRUE(home.body.contains("id=\"gen__1002\""));

    const QString token = QUrlQuery(QUrl(address).query()).queryItemValue(QStringLiteral("token"));
    site().post(site().portalUrl(QStringLiteral("/portal/cikis?token=") + token), "{}");
    EXPECT_EQ(site().get(site().portalUrl(address)).status, 302);

    const auto logins = site().eventsOfKind(QStringLiteral("portal-login"));
    ASSERT_EQ(logins.size(), 1);
    EXPECT_EQ(logins.at(0).value(QStringLiteral("values")).toObject().value(QStringLiteral("sifre")).toString(),
              QStringLiteral("Sifre.2024"));
    EXPECT_EQ(site().eventsOfKind(QStringLiteral("portal-login-rejected")).size(), 1);
    EXPECT_EQ(site().eventsOfKind(QStringLiteral("portal-logout")).size(), 1);
}

TEST_F(SiteHttpTest, ControlInterfaceReportsEventsInOrderAndResets) {
    const QString token = loginToken();
    postJson(QStringLiteral("/api/menu?token=") + token, {{QStringLiteral("item"), QStringLiteral("E-Tebligat İşlemleri")}});
    const QString address = openAndGetDocument(token, 0);
    site().get(site().applicationUrl(address));
    postJson(QStringLiteral("/api/cikis?token=") + token, {});

    QStringList kinds;
    QList<int> sequence;
    for (const QJsonValue& v : site().events()) {
        const QString kind = v.toObject().value(QStringLiteral("kind")).toString();
        if (kind != QStringLiteral("captcha-image"))
            kinds << kind;
        sequence << v.toObject().value(QStringLiteral("seq")).toInt();
    }
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("login"), QStringLiteral("menu"), QStringLiteral("envelope-open"),
                                  QStringLiteral("document"), QStringLiteral("logout")}));
    EXPECT_TRUE(std::is_sorted(sequence.begin(), sequence.end()));
    const QJsonObject menu = site().eventsOfKind(QStringLiteral("menu")).value(0);
    EXPECT_EQ(menu.value(QStringLiteral("item")).toString(), QStringLiteral("E-Tebligat İşlemleri"));
    EXPECT_EQ(menu.value(QStringLiteral("token")).toString(), token);

    ASSERT_TRUE(site().reset());
    EXPECT_TRUE(site().events().isEmpty());
    EXPECT_EQ(site().get(site().applicationUrl(QStringLiteral("/api/tebligat/liste?token=") + token)).status, 401);

    const auto refused = site().post(site().applicationUrl(QStringLiteral("/_control/scenario")), "{not json");
    EXPECT_EQ(refused.status, 400);
}

TEST_F(SiteHttpTest, StaticFilesStayInsideTheirFolder) {
    EXPECT_EQ(site().get(site().applicationUrl(QStringLiteral("/static/js/tebligat.js"))).status, 200);
    // Sent raw, so that no client tidies the path first.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(site().applicationRoot().port()));
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write("GET /static/..%2F..%2Fsite%2Fserver%2Fmain.cpp HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    while (!answer.contains("\r\n\r\n") && socket.waitForReadyRead(3000))
        answer += socket.readAll();
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 404")) << answer.left(80).constData();
}

}  // namespace
