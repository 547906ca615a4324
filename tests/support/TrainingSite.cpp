#include "TrainingSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

#ifndef ETB_TRAINING_SITE_BIN
#define ETB_TRAINING_SITE_BIN ""
#endif
#ifndef ETB_TRAINING_SITE_DIR
#define ETB_TRAINING_SITE_DIR ""
#endif

QByteArray TrainingSite::Response::header(const QByteArray& name) const {
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

TrainingSite::TrainingSite() = default;

TrainingSite::~TrainingSite() { stop(); }

QString TrainingSite::binaryPath() {
    const QString dir = qEnvironmentVariable("ETB_BINARY_DIR");
    if (!dir.isEmpty() && QFileInfo::exists(dir + QStringLiteral("/training-site")))
        return dir + QStringLiteral("/training-site");
    return QStringLiteral(ETB_TRAINING_SITE_BIN);
}

QString TrainingSite::siteDir() {
    const QString dir = qEnvironmentVariable("ETB_SOURCE_DIR");
    if (!dir.isEmpty() && QFileInfo::exists(dir + QStringLiteral("/tests/site/pages")))
        return dir + QStringLiteral("/tests/site");
    return QStringLiteral(ETB_TRAINING_SITE_DIR);
}

QString TrainingSite::scenarioPath(const QString& name) {
    return siteDir() + QStringLiteral("/scenarios/") + name +
           (name.endsWith(QStringLiteral(".json")) ? QString() : QStringLiteral(".json"));
}

bool TrainingSite::running() const { return process_ && process_->state() == QProcess::Running; }

bool TrainingSite::start(const QString& scenarioFile, const QStringList& extraArguments, int timeoutMs) {
    stop();
    error_.clear();
    process_ = std::make_unique<QProcess>();
    process_->setProgram(binaryPath());
    process_->setArguments(QStringList{QStringLiteral("--scenario"), scenarioFile} + extraArguments);
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The site goes with the test process, also when the test dies.
    process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(process_.get(), &QProcess::readyReadStandardOutput, &loop, [&] {
        if (process_->canReadLine())
            loop.quit();
    });
    QObject::connect(process_.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process_.get(), &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process_->start();
    timer.start(timeoutMs);
    if (process_->waitForStarted(timeoutMs) && !process_->canReadLine())
        loop.exec();

    if (!process_->canReadLine()) {
        error_ = process_->state() == QProcess::Running
                     ? QStringLiteral("training-site printed no address line in time")
                     : QStringLiteral("training-site did not start: %1 (exit code %2)")
                           .arg(process_->errorString())
                           .arg(process_->exitCode());
        stop();
        return false;
    }
    const QStringList roots = QString::fromUtf8(process_->readLine()).trimmed().split(QLatin1Char(' '));
    if (roots.size() != 2) {
        error_ = QStringLiteral("unexpected first line of training-site: %1").arg(roots.join(QLatin1Char(' ')));
        stop();
        return false;
    }
    applicationRoot_ = QUrl(roots.at(0));
    portalRoot_ = QUrl(roots.at(1));
    network_ = std::make_unique<QNetworkAccessManager>();
    network_->setProxy(QNetworkProxy::NoProxy);
    return true;
}

void TrainingSite::stop() {
    network_.reset();
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    process_.reset();
}

TrainingSite::Response TrainingSite::request(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                                             const QByteArray& contentType, int timeoutMs) {
    Response out;
    if (!network_) {
        out.error = QStringLiteral("training-site is not running");
        return out;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    if (!contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    QNetworkReply* reply = network_->sendCustomRequest(request, verb, body);
    // The test site's certificate is self-made; only loopback addresses are used.
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();

    if (!reply->isFinished()) {
        reply->abort();
        out.error = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
    } else {
        out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        out.body = reply->readAll();
        out.headers = reply->rawHeaderPairs();
        if (reply->error() != QNetworkReply::NoError && out.status == 0)
            out.error = reply->errorString();
    }
    reply->deleteLater();
    return out;
}

TrainingSite::Response TrainingSite::get(const QUrl& url, int timeoutMs) {
    return request("GET", url, {}, {}, timeoutMs);
}

TrainingSite::Response TrainingSite::post(const QUrl& url, const QByteArray& body, const QByteArray& contentType,
                                          int timeoutMs) {
    return request("POST", url, body, contentType, timeoutMs);
}

QString TrainingSite::captchaCode(const QString& id) {
    QUrl url = applicationUrl(QStringLiteral("/_control/captcha"));
    url.setQuery(QStringLiteral("id=") + QString::fromLatin1(QUrl::toPercentEncoding(id)));
    const Response r = get(url);
    return r.status == 200 ? QString::fromUtf8(r.body) : QString();
}

QJsonArray TrainingSite::events() {
    const Response r = get(applicationUrl(QStringLiteral("/_control/events")));
    return r.status == 200 ? QJsonDocument::fromJson(r.body).array() : QJsonArray();
}

QList<QJsonObject> TrainingSite::eventsOfKind(const QString& kind) {
    QList<QJsonObject> out;
    for (const QJsonValue& v : events())
        if (v.toObject().value(QStringLiteral("kind")).toString() == kind)
            out.append(v.toObject());
    return out;
}

QJsonObject TrainingSite::state() {
    const Response r = get(applicationUrl(QStringLiteral("/_control/state")));
    return QJsonDocument::fromJson(r.body).object();
}

bool TrainingSite::loadScenario(const QJsonObject& scenario) {
    const Response r = post(applicationUrl(QStringLiteral("/_control/scenario")),
                            QJsonDocument(scenario).toJson(QJsonDocument::Compact));
    if (r.status != 200)
        error_ = QString::fromUtf8(r.body) + r.error;
    return r.status == 200;
}

bool TrainingSite::loadScenarioFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error_ = f.errorString();
        return false;
    }
    return loadScenario(QJsonDocument::fromJson(f.readAll()).object());
}

bool TrainingSite::reset() {
    return post(applicationUrl(QStringLiteral("/_control/reset")), {}).status == 200;
}
