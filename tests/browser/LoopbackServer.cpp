#include "LoopbackServer.h"

#include <QFile>
#include <QTcpSocket>
#include <QThread>

namespace etb::test {

LoopbackServer::LoopbackServer(QString fixtureDir, QObject* parent) : QObject(parent), dir_(std::move(fixtureDir)) {
    thread_ = new QThread;
    worker_ = new QObject;
    worker_->moveToThread(thread_);
    thread_->start();
    QMetaObject::invokeMethod(
        worker_,
        [this] {
            server_ = new QTcpServer;
            server_->listen(QHostAddress::LocalHost, 0);
            port_ = server_->serverPort();
            QObject::connect(server_, &QTcpServer::newConnection, server_, [this] { onConnection(); });
        },
        Qt::BlockingQueuedConnection);
}

LoopbackServer::~LoopbackServer() {
    QMetaObject::invokeMethod(
        worker_,
        [this] {
            for (const auto& s : hanging_)
                if (s)
                    s->abort();
            delete server_;   // its sockets are its children
            delete worker_;
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete thread_;
}

QUrl LoopbackServer::url(const QString& pathAndQuery) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(pathAndQuery));
}

void LoopbackServer::setPage(const QString& path, const QByteArray& html) {
    QMutexLocker lock(&mutex_);
    pages_.insert(path, html);
}

void LoopbackServer::onConnection() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { onReadable(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackServer::onReadable(QTcpSocket* socket) {
    QByteArray buffer = socket->property("etbBuffer").toByteArray() + socket->readAll();
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        socket->setProperty("etbBuffer", buffer);
        return;
    }
    socket->setProperty("etbBuffer", QByteArray());
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    QString path = requestLine.size() > 1 ? QString::fromUtf8(requestLine.at(1)) : QStringLiteral("/");
    const qsizetype q = path.indexOf(QLatin1Char('?'));
    if (q >= 0)
        path.truncate(q);
    QMutexLocker lock(&mutex_);
    hits_[path] += 1;

    auto answer = [socket](const QByteArray& status, const QByteArray& type, const QByteArray& body,
                           const QByteArray& extra = {}) {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nCache-Control: no-store\r\nConnection: close\r\n" +
                      extra + "\r\n" + body);
        socket->disconnectFromHost();
    };

    if (path.startsWith(QLatin1String("/hang"))) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: 100000\r\n"
                      "Cache-Control: no-store\r\n\r\n<html><body><p>loading");
        hanging_.append(socket);
        return;
    }
    if (path.startsWith(QLatin1String("/download"))) {
        answer("200 OK", "application/pdf", "%PDF-1.4\n%test\n",
               "Content-Disposition: attachment; filename=\"belge.pdf\"\r\n");
        return;
    }
    if (pages_.contains(path)) {
        answer("200 OK", "text/html; charset=utf-8", pages_.value(path));
        return;
    }
    QFile file(dir_ + path);
    if (!dir_.isEmpty() && !path.contains(QLatin1String("..")) && file.open(QIODevice::ReadOnly)) {
        answer("200 OK", "text/html; charset=utf-8", file.readAll());
        return;
    }
    answer("404 Not Found", "text/plain", "not found");
}

} // namespace etb::test
