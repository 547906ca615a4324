// training-site: a local stand-in for the tax office application and the
// interactive tax office portal, for end-to-end tests and the demo.
//
//   training-site --scenario FILE [--port N] [--tls-cert C --tls-key K] [--site-dir D]
//
// Listens on 127.0.0.1 only: the application on port N, the portal on N+1
// (N = 0 picks two free ports). The first line of output names both roots.

#include "ApplicationSite.h"
#include "ControlApi.h"
#include "HttpFrontEnd.h"
#include "PortalSite.h"
#include "Scenario.h"
#include "SiteState.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslKey>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "training-site: %s\n", qPrintable(message));
    return 2;
}

// A scenario may be given as a path or by name from the site's scenario folder.
QString findScenario(const QString& given, const QString& siteDir) {
    if (QFileInfo::exists(given))
        return given;
    for (const QString& candidate : {siteDir + QStringLiteral("/scenarios/") + given,
                                     siteDir + QStringLiteral("/scenarios/") + given + QStringLiteral(".json")})
        if (QFileInfo::exists(candidate))
            return candidate;
    return given;
}

}  // namespace

int main(int argc, char** argv) {
    // The site draws captchas and PDFs; it never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("training-site"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Training stand-in of the tax office application and portal."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOpt(QStringLiteral("scenario"), QStringLiteral("Scenario file or name."),
                                         QStringLiteral("file"), QStringLiteral("demo"));
    const QCommandLineOption portOpt(QStringLiteral("port"),
                                     QStringLiteral("Application port; the portal takes the next one. 0 = free ports."),
                                     QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption certOpt(QStringLiteral("tls-cert"), QStringLiteral("PEM certificate: serve HTTPS."),
                                     QStringLiteral("file"));
    const QCommandLineOption keyOpt(QStringLiteral("tls-key"), QStringLiteral("PEM private key of the certificate."),
                                    QStringLiteral("file"));
    const QCommandLineOption dirOpt(QStringLiteral("site-dir"),
                                    QStringLiteral("Folder holding pages/, static/ and scenarios/."),
                                    QStringLiteral("dir"), QStringLiteral(ETB_SITE_DIR));
    parser.addOptions({scenarioOpt, portOpt, certOpt, keyOpt, dirOpt});
    parser.process(app);

    const QString siteDir = QDir(parser.value(dirOpt)).absolutePath();
    if (!QFileInfo::exists(siteDir + QStringLiteral("/pages/giris.html")))
        return fail(QStringLiteral("no site pages under %1").arg(siteDir));

    Scenario scenario;
    QString error;
    if (!Scenario::fromFile(findScenario(parser.value(scenarioOpt), siteDir), &scenario, &error))
        return fail(error);

    bool portOk = false;
    const int port = parser.value(portOpt).toInt(&portOk);
    if (!portOk || port < 0 || port > 65534)
        return fail(QStringLiteral("bad port %1").arg(parser.value(portOpt)));

    const bool tls = parser.isSet(certOpt) || parser.isSet(keyOpt);
    QSslCertificate certificate;
    QSslKey key;
    if (tls) {
        QFile certFile(parser.value(certOpt));
        QFile keyFile(parser.value(keyOpt));
        if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("--tls-cert and --tls-key must both name readable files"));
        certificate = QSslCertificate(certFile.readAll(), QSsl::Pem);
        const QByteArray keyBytes = keyFile.readAll();
        key = QSslKey(keyBytes, QSsl::Rsa, QSsl::Pem);
        if (key.isNull())
            key = QSslKey(keyBytes, QSsl::Ec, QSsl::Pem);
        if (certificate.isNull() || key.isNull())
            return fail(QStringLiteral("cannot read the TLS certificate or key"));
    }

    SiteState state(scenario, siteDir);
    ApplicationSite application(&state);
    PortalSite portal(&state);

    HttpFrontEnd appServer([&](const Request& r, const ExchangePtr& e) {
        if (!handleControlRequest(&state, r, e))
            application.handle(r, e);
    });
    HttpFrontEnd portalServer([&](const Request& r, const ExchangePtr& e) { portal.handle(r, e); });
    if (tls) {
        appServer.sslSetup(certificate, key);
        portalServer.sslSetup(certificate, key);
    }

    const QHostAddress loopback(QHostAddress::LocalHost);
    const quint16 appPort = appServer.listen(loopback, quint16(port));
    if (appPort == 0)
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port));
    const quint16 portalPort = portalServer.listen(loopback, port == 0 ? 0 : quint16(port + 1));
    if (portalPort == 0)
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port + 1));

    const char* scheme = tls ? "https" : "http";
    std::printf("%s://127.0.0.1:%u/ %s://127.0.0.1:%u/\n", scheme, unsigned(appPort), scheme, unsigned(portalPort));
    std::fflush(stdout);
    return app.exec();
}
