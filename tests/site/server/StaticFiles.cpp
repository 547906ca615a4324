#include "StaticFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contentTypeFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("css")) return "text/css; charset=utf-8";
    if (suffix == QStringLiteral("js")) return "application/javascript; charset=utf-8";
    if (suffix == QStringLiteral("svg")) return "image/svg+xml";
    if (suffix == QStringLiteral("png")) return "image/png";
    if (suffix == QStringLiteral("gif")) return "image/gif";
    if (suffix == QStringLiteral("ico")) return "image/x-icon";
    if (suffix == QStringLiteral("html")) return "text/html; charset=utf-8";
    return "application/octet-stream";
}

}  // namespace

bool serveStaticFile(const QString& siteDir, const Request& request, const ExchangePtr& exchange) {
    static const QString prefix = QStringLiteral("/static/");
    if (!request.path.startsWith(prefix))
        return false;
    const QString base = QDir(siteDir + QStringLiteral("/static")).canonicalPath();
    const QString wanted = QFileInfo(base + QLatin1Char('/') + request.path.mid(prefix.size())).canonicalFilePath();
    if (base.isEmpty() || wanted.isEmpty() || !wanted.startsWith(base + QLatin1Char('/'))) {
        exchange->sendText(404, QStringLiteral("Dosya bulunamadı."));
        return true;
    }
    QFile f(wanted);
    if (!QFileInfo(wanted).isFile() || !f.open(QIODevice::ReadOnly)) {
        exchange->sendText(404, QStringLiteral("Dosya bulunamadı."));
        return true;
    }
    exchange->send(200, contentTypeFor(wanted), f.readAll(), {{"Cache-Control", "no-cache"}});
    return true;
}
