#pragma once
#include "adapters/HttpClient.h"

#include <QString>

typedef void CURL;

namespace etb {

// HttpClient over libcurl. One handle for the client's life: its in-memory cookie engine
// keeps the cookies the server sets for every later request of this client.
// Certificates are verified against the system's CAs and the extra CA file of the
// environment (ETEBLIGAT_CA_FILE); redirects are never followed; the body is held in memory
// (at most MaxBodyBytes).
class CurlHttpClient : public HttpClient {
public:
    static constexpr long long MaxBodyBytes = 64LL * 1024 * 1024;

    // caFile: an extra CA bundle trusted besides the system's ("" for none).
    explicit CurlHttpClient(const QString& caFile);
    // With the extra CA file of the environment.
    CurlHttpClient();
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    HttpResponse get(const HttpRequest& request) override;

private:
    CURL* curl_ = nullptr;
    QByteArray caFile_;
};

} // namespace etb
