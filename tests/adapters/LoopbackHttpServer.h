#pragma once
// A small HTTP(S) server on 127.0.0.1 for the HTTP client's tests, on its own thread (the
// client blocks its caller). One connection at a time, one request per connection.
//   /ok          200 with a PDF-like body
//   /status/N    status N with a short body
//   /redirect    302 to /ok
//   /stall       headers and a first part of the body, then silence
//   /setcookie   200, sets the cookie sid=abc123
//   /echo        200, the request's header lines as the body
// With a certificate and key (PEM files) it speaks TLS.
#include <QByteArray>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <atomic>
#include <future>
#include <memory>
#include <thread>

namespace etb::test {

inline const QByteArray kPdfBody = QByteArray("%PDF-1.4\n") + QByteArray(20000, 'x') + "\n%%EOF\n";

class LoopbackHttpServer {
public:
    LoopbackHttpServer(const QString& certFile = QString(), const QString& keyFile = QString())
        : certFile_(certFile), keyFile_(keyFile) {
        std::promise<quint16> portPromise;
        auto portFuture = portPromise.get_future();
        thread_ = std::thread([this, p = std::move(portPromise)]() mutable { run(p); });
        port_ = portFuture.get();
    }
    ~LoopbackHttpServer() {
        stop_ = true;
        thread_.join();
    }
    QString url(const QString& path, const QString& host = QStringLiteral("127.0.0.1")) const {
        return QStringLiteral("%1://%2:%3%4").arg(certFile_.isEmpty() ? "http" : "https", host).arg(port_).arg(path);
    }
    int requests() const { return requests_; }

private:
    class Listener : public QTcpServer {
    public:
        qintptr pending = -1;

    protected:
        void incomingConnection(qintptr descriptor) override { pending = descriptor; }
    };

    bool alive(QTcpSocket& s) const { return !stop_ && s.state() == QAbstractSocket::ConnectedState; }

    QByteArray readHead(QTcpSocket& s) {
        QByteArray head;
        while (!head.contains("\r\n\r\n") && alive(s)) {
            if (!s.bytesAvailable())
                s.waitForReadyRead(50);
            head += s.readAll();
        }
        return head;
    }

    static QByteArray response(int status, const QByteArray& body, const QByteArray& extra = QByteArray()) {
        return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/pdf\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n" + extra + "\r\n" + body;
    }

    void serve(QTcpSocket& s) {
        const QByteArray head = readHead(s);
        if (head.isEmpty())
            return;
        ++requests_;
        const QByteArray path = head.split(' ').value(1);
        if (path == "/ok") {
            s.write(response(200, kPdfBody));
        } else if (path.startsWith("/status/")) {
            s.write(response(path.mid(8).toInt(), "error page"));
        } else if (path == "/redirect") {
            s.write(response(302, "moved", "Location: /ok\r\n"));
        } else if (path == "/setcookie") {
            s.write(response(200, "cookie set", "Set-Cookie: sid=abc123; Path=/\r\n"));
        } else if (path == "/echo") {
            s.write(response(200, head));
        } else if (path == "/stall") {
            s.write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\nConnection: close\r\n\r\n%PDF-1.4\npart");
            s.flush();
            while (alive(s))
                s.waitForReadyRead(50), s.readAll();
            return;
        } else {
            s.write(response(404, "no such page"));
        }
        s.flush();
        while (s.bytesToWrite() > 0 && alive(s))
            s.waitForBytesWritten(50);
        s.disconnectFromHost();
        if (s.state() != QAbstractSocket::UnconnectedState)
            s.waitForDisconnected(1000);
    }

    void run(std::promise<quint16>& portPromise) {
        Listener listener;
        listener.listen(QHostAddress::LocalHost, 0);
        portPromise.set_value(listener.serverPort());
        QSslCertificate cert;
        QSslKey key;
        if (!certFile_.isEmpty()) {
            QFile c(certFile_), k(keyFile_);
            c.open(QIODevice::ReadOnly);
            k.open(QIODevice::ReadOnly);
            cert = QSslCertificate(c.readAll());
            key = QSslKey(k.readAll(), QSsl::Rsa);
        }
        while (!stop_) {
            listener.pending = -1;
            if (!listener.waitForNewConnection(50) || listener.pending < 0)
                continue;
            if (certFile_.isEmpty()) {
                QTcpSocket s;
                s.setSocketDescriptor(listener.pending);
                serve(s);
            } else {
                QSslSocket s;
                s.setSocketDescriptor(listener.pending);
                s.setLocalCertificate(cert);
                s.setPrivateKey(key);
                s.startServerEncryption();
                if (s.waitForEncrypted(5000))
                    serve(s);
            }
        }
    }

    QString certFile_, keyFile_;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    quint16 port_ = 0;
    std::thread thread_;
};

} // namespace etb::test
