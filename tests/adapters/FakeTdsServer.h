#pragma once
// A loopback stand-in for SQL Server that goes as far as the login: it answers the client's
// pre-login without encryption, records what the LOGIN7 packet carries, and hangs up (or,
// in the silent mode, accepts and never answers). Runs on its own thread because opening a
// database blocks the caller.
#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace etb::test {

struct TdsLogin {
    bool received = false;
    QString user;
    QString password;
    QString app;
    QString database;
};

class FakeTdsServer {
public:
    enum class Mode { RecordLogin, Silent };

    explicit FakeTdsServer(Mode mode) : mode_(mode) {
        std::promise<quint16> portPromise;
        auto portFuture = portPromise.get_future();
        thread_ = std::thread([this, p = std::move(portPromise)]() mutable { run(p); });
        port_ = portFuture.get();
    }
    ~FakeTdsServer() {
        stop_ = true;
        thread_.join();
    }
    quint16 port() const { return port_; }
    // The login as the server saw it (valid once the client's open has returned).
    TdsLogin login() {
        std::lock_guard<std::mutex> lock(mutex_);
        return login_;
    }

private:
    static bool readPacket(QTcpSocket& s, QByteArray& payload, quint8& type, const std::atomic<bool>& stop) {
        QByteArray header;
        while (header.size() < 8) {
            if (stop || (!s.bytesAvailable() && !s.waitForReadyRead(100) && s.state() != QTcpSocket::ConnectedState))
                return false;
            header += s.read(8 - header.size());
        }
        type = quint8(header[0]);
        const int length = (quint8(header[2]) << 8) | quint8(header[3]);
        payload.clear();
        while (payload.size() < length - 8) {
            if (stop || (!s.bytesAvailable() && !s.waitForReadyRead(100) && s.state() != QTcpSocket::ConnectedState))
                return false;
            payload += s.read(length - 8 - payload.size());
        }
        return true;
    }

    static QString field(const QByteArray& p, int index, bool password = false) {
        const int at = 36 + 4 * index;
        if (p.size() < at + 4)
            return QString();
        const int offset = quint8(p[at]) | (quint8(p[at + 1]) << 8);
        const int chars = quint8(p[at + 2]) | (quint8(p[at + 3]) << 8);
        QByteArray raw = p.mid(offset, chars * 2);
        if (password)
            for (char& c : raw) {
                quint8 b = quint8(c) ^ 0xA5;
                c = char(quint8((b << 4) | (b >> 4)));
            }
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
    }

    void run(std::promise<quint16>& portPromise) {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        portPromise.set_value(server.serverPort());
        while (!stop_) {
            if (!server.waitForNewConnection(100))
                continue;
            std::unique_ptr<QTcpSocket> s(server.nextPendingConnection());
            if (mode_ == Mode::Silent) {
                while (!stop_ && s->state() == QTcpSocket::ConnectedState)
                    s->waitForReadyRead(100), s->readAll();
                continue;
            }
            QByteArray payload;
            quint8 type = 0;
            if (!readPacket(*s, payload, type, stop_) || type != 0x12)
                continue;
            // Pre-login answer: version, and encryption "not supported".
            const QByteArray body = QByteArray::fromHex("00000b0006" "0100110001" "ff" "0f0007d00000" "02");
            QByteArray reply = QByteArray::fromHex("0401");
            reply.append(char((body.size() + 8) >> 8)).append(char((body.size() + 8) & 0xff));
            reply.append(QByteArray::fromHex("00000100"));
            reply.append(body);
            s->write(reply);
            s->waitForBytesWritten(1000);
            if (!readPacket(*s, payload, type, stop_) || type != 0x10)
                continue;
            std::lock_guard<std::mutex> lock(mutex_);
            login_.received = true;
            login_.user = field(payload, 1);
            login_.password = field(payload, 2, true);
            login_.app = field(payload, 3);
            login_.database = field(payload, 8);
            s->abort();
        }
    }

    Mode mode_;
    std::atomic<bool> stop_{false};
    quint16 port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    TdsLogin login_;
};

} // namespace etb::test
