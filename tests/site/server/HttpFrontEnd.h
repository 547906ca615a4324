#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerRequest>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTcpSocket>
#include <QUrlQuery>

#include <functional>
#include <memory>

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// One request as the site's handlers see it.
struct Request {
    QHttpServerRequest::Method method = QHttpServerRequest::Method::Unknown;
    QString path;
    QUrlQuery query;
    QByteArray body;
    HeaderList headers;

    QString param(const QString& key) const { return query.queryItemValue(key, QUrl::FullyDecoded); }
    QByteArray header(const QByteArray& name) const;
    bool isPost() const { return method == QHttpServerRequest::Method::Post; }
};

// The answer side of one request. It may be answered at once or later (a delay, a
// stall), or never; every write checks that the connection is still there.
class Exchange {
public:
    explicit Exchange(QTcpSocket* socket) : socket_(socket) {}

    bool alive() const { return socket_ && socket_->isOpen(); }
    bool answered() const { return answered_; }

    void send(int status, const QByteArray& contentType, const QByteArray& body,
              const HeaderList& extra = {});
    void sendText(int status, const QString& text);
    void sendHtml(const QString& html, int status = 200);
    void sendJson(const QByteArray& json, int status = 200);
    void redirect(const QString& location, int status = 302);

    // A body in parts: the head with the full length first, then the pieces.
    void begin(int status, const QByteArray& contentType, qint64 length, const HeaderList& extra = {});
    void write(const QByteArray& piece);

    // Drops the connection without an answer (the browser sees an empty response).
    void reset();

private:
    QByteArray head(int status, const QByteArray& contentType, qint64 length, const HeaderList& extra) const;

    QPointer<QTcpSocket> socket_;
    bool answered_ = false;
};

using ExchangePtr = std::shared_ptr<Exchange>;
using RequestHandler = std::function<void(const Request&, const ExchangePtr&)>;

// An HTTP(S) listener that passes every request to one handler.
class HttpFrontEnd : public QAbstractHttpServer {
public:
    explicit HttpFrontEnd(RequestHandler handler, QObject* parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    RequestHandler handler_;
};

QByteArray reasonPhrase(int status);
