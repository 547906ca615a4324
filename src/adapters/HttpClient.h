#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace etb {

struct HttpRequest {
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
    int connectTimeoutMs = 0;   // 0: none
    int stallMs = 0;            // no byte received for this long ends the request (0: none)
    int totalMs = 0;            // the whole request (0: none)
};

struct HttpResponse {
    bool transferOk = false;    // the exchange itself completed (any status)
    long status = 0;
    QByteArray body;
    QString error;              // why the exchange failed, or the status line for an HTTP error
    bool success() const { return transferOk && status >= 200 && status < 300; }
};

// A plain GET: redirects not followed, certificates verified (system CAs and the extra CA
// file), the whole body in memory. One client keeps its cookies for the run.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse get(const HttpRequest& request) = 0;
};

} // namespace etb
