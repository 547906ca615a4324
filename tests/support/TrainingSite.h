#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

// Runs the training site (build/training-site) for a test: starts it with a
// scenario, knows its two root addresses, reads captcha codes and events through
// its control interface, loads or resets scenarios and stops it again.
//
//   TrainingSite site;
//   ASSERT_TRUE(site.start(TrainingSite::scenarioPath("demo"))) << site.errorString();
//   QString code = site.captchaCode(id);
//   QList<QJsonObject> logins = site.eventsOfKind("login");
class TrainingSite {
public:
    struct Response {
        int status = 0;  // 0 when no answer arrived
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        QString error;
        QByteArray header(const QByteArray& name) const;
    };

    TrainingSite();
    ~TrainingSite();
    TrainingSite(const TrainingSite&) = delete;
    TrainingSite& operator=(const TrainingSite&) = delete;

    // Starts the site with a scenario file; extra arguments go to the command line
    // (e.g. {"--tls-cert", c, "--tls-key", k}). Waits for its first output line.
    bool start(const QString& scenarioFile, const QStringList& extraArguments = {}, int timeoutMs = 20000);
    void stop();
    bool running() const;

    QUrl applicationRoot() const { return applicationRoot_; }
    QUrl portalRoot() const { return portalRoot_; }
    // An address on the application's or the portal's server.
    QUrl applicationUrl(const QString& pathAndQuery) const { return applicationRoot_.resolved(QUrl(pathAndQuery)); }
    QUrl portalUrl(const QString& pathAndQuery) const { return portalRoot_.resolved(QUrl(pathAndQuery)); }

    // The code of a captcha id; empty when the site does not know the id.
    QString captchaCode(const QString& id);
    // Every event so far, in order; and those of one kind.
    QJsonArray events();
    QList<QJsonObject> eventsOfKind(const QString& kind);
    // The notifications' state (opened, document requests, document path).
    QJsonObject state();
    bool loadScenario(const QJsonObject& scenario);
    bool loadScenarioFile(const QString& path);
    bool reset();

    // Plain requests to either server, for the tests of the site and its users.
    Response get(const QUrl& url, int timeoutMs = 10000);
    Response post(const QUrl& url, const QByteArray& body, const QByteArray& contentType = "application/json",
                  int timeoutMs = 10000);

    QString errorString() const { return error_; }

    static QString binaryPath();
    static QString siteDir();
    // A scenario file of tests/site/scenarios by name ("demo" → .../demo.json).
    static QString scenarioPath(const QString& name);

private:
    Response request(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                     const QByteArray& contentType, int timeoutMs);

    std::unique_ptr<QProcess> process_;
    std::unique_ptr<QNetworkAccessManager> network_;
    QUrl applicationRoot_;
    QUrl portalRoot_;
    QString error_;
};
