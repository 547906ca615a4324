#include "HttpFrontEnd.h"

#include <QDateTime>
#include <QLocale>

QByteArray Request::header(const QByteArray& name) const {
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

QByteArray Exchange::head(int status, const QByteArray& contentType, qint64 length,
                          const HeaderList& extra) const {
    QByteArray h = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    h += "Server: csc-app/4.2\r\n";
    h += "Date: " + QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                          QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1() + "\r\n";
    if (!contentType.isEmpty())
        h += "Content-Type: " + contentType + "\r\n";
    h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    bool cacheSet = false;
    for (const auto& e : extra) {
        h += e.first + ": " + e.second + "\r\n";
        if (e.first.compare("Cache-Control", Qt::CaseInsensitive) == 0)
            cacheSet = true;
    }
    if (!cacheSet)
        h += "Cache-Control: no-store\r\n";
    h += "\r\n";
    return h;
}

void Exchange::send(int status, const QByteArray& contentType, const QByteArray& body,
                    const HeaderList& extra) {
    if (answered_ || !alive())
        return;
    answered_ = true;
    socket_->write(head(status, contentType, body.size(), extra) + body);
}

void Exchange::sendText(int status, const QString& text) {
    send(status, "text/plain; charset=utf-8", text.toUtf8());
}

void Exchange::sendHtml(const QString& html, int status) {
    send(status, "text/html; charset=utf-8", html.toUtf8());
}

void Exchange::sendJson(const QByteArray& json, int status) {
    send(status, "application/json; charset=utf-8", json);
}

void Exchange::redirect(const QString& location, int status) {
    send(status, "text/html; charset=utf-8", QByteArray("<html><body>Yönlendiriliyor...</body></html>"),
         {{"Location", location.toUtf8()}});
}

void Exchange::begin(int status, const QByteArray& contentType, qint64 length, const HeaderList& extra) {
    if (answered_ || !alive())
        return;
    answered_ = true;
    socket_->write(head(status, contentType, length, extra));
}

void Exchange::write(const QByteArray& piece) {
    if (alive())
        socket_->write(piece);
}

void Exchange::reset() {
    if (answered_ || !alive())
        return;
    answered_ = true;
    socket_->abort();
}

HttpFrontEnd::HttpFrontEnd(RequestHandler handler, QObject* parent)
    : QAbstractHttpServer(parent), handler_(std::move(handler)) {}

bool HttpFrontEnd::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    Request r;
    r.method = request.method();
    r.path = request.url().path();
    r.query = request.query();
    r.body = request.body();
    r.headers = request.headers();
    handler_(r, std::make_shared<Exchange>(socket));
    return true;
}

void HttpFrontEnd::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    Exchange(socket).sendText(404, QStringLiteral("Sayfa bulunamadı."));
}
