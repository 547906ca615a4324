#pragma once
#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QUrl>
#include <QVector>

class QTcpSocket;

namespace etb::test {

// A tiny HTTP server on 127.0.0.1 for fixture pages, served from a thread of its own (so it
// answers whatever the test thread is doing, like a real site).
//   - registered pages (path -> body), then files of the fixture folder;
//   - a path starting with /hang sends the head and a first piece of the body, then
//     never finishes (a page that never completes loading);
//   - a path starting with /download answers with an attachment.
// The query part of an address is ignored when choosing the page.
class LoopbackServer : public QObject {
    Q_OBJECT
public:
    explicit LoopbackServer(QString fixtureDir = {}, QObject* parent = nullptr);
    ~LoopbackServer() override;

    QUrl url(const QString& pathAndQuery) const;
    void setPage(const QString& path, const QByteArray& html);
    // How many requests arrived for this path (without query).
    int hits(const QString& path) const {
        QMutexLocker lock(&mutex_);
        return hits_.value(path);
    }

private:
    void onConnection();
    void onReadable(QTcpSocket* socket);

    QThread* thread_ = nullptr;
    QObject* worker_ = nullptr;      // lives in thread_
    QTcpServer* server_ = nullptr;   // lives in thread_
    quint16 port_ = 0;
    QString dir_;
    mutable QMutex mutex_;
    QHash<QString, QByteArray> pages_;
    QHash<QString, int> hits_;
    QVector<QPointer<QTcpSocket>> hanging_;   // thread_ only
};

} // namespace etb::test
