#include "adapters/CurlHttpClient.h"

#include "app/Environment.h"

#include <QElapsedTimer>
#include <curl/curl.h>
#include <mutex>

namespace etb {

namespace {

void globalInitOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// One transfer's bookkeeping: the body, and when the server last sent anything.
// (libcurl's own low-speed limit averages over several seconds and ends a stalled transfer
// late; this one counts from the last byte.)
struct Transfer {
    QByteArray* body = nullptr;
    QElapsedTimer sinceLastByte;
    int stallMs = 0;
    bool stalled = false;
};

size_t collect(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    t->sinceLastByte.restart();
    // A server that sends more than announced or no length at all still stops here.
    if (qint64(t->body->size()) + qint64(n) > CurlHttpClient::MaxBodyBytes)
        return 0;
    t->body->append(data, qsizetype(n));
    return n;
}

size_t headerSeen(char*, size_t size, size_t count, void* user) {
    static_cast<Transfer*>(user)->sinceLastByte.restart();
    return size * count;
}

// Called by libcurl about once a second even while nothing arrives.
int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->stallMs > 0 && t->sinceLastByte.elapsed() > t->stallMs) {
        t->stalled = true;
        return 1;
    }
    return 0;
}

} // namespace

CurlHttpClient::CurlHttpClient(const QString& caFile) : caFile_(caFile.toLocal8Bit()) {
    globalInitOnce();
    curl_ = curl_easy_init();
    if (curl_)
        curl_easy_setopt(curl_, CURLOPT_COOKIEFILE, "");   // the in-memory cookie engine
}

CurlHttpClient::CurlHttpClient() : CurlHttpClient(Environment::get().caFile) {}

CurlHttpClient::~CurlHttpClient() {
    if (curl_)
        curl_easy_cleanup(curl_);
}

HttpResponse CurlHttpClient::get(const HttpRequest& request) {
    HttpResponse r;
    if (!curl_) {
        r.error = QStringLiteral("HTTP istemcisi başlatılamadı.");
        return r;
    }
    const QByteArray url = request.url.toEncoded();
    const QString scheme = request.url.scheme().toLower();
    if (!request.url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        r.error = QStringLiteral("Geçersiz adres: %1").arg(request.url.toString());
        return r;
    }

    // Options of one request are set afresh; the handle keeps only its cookies and connections.
    curl_easy_reset(curl_);
    curl_easy_setopt(curl_, CURLOPT_COOKIEFILE, "");   // keeps the engine and its cookies on
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    curl_slist* headers = nullptr;
    for (const auto& h : request.headers)
        headers = curl_slist_append(headers, (h.first + ": " + h.second).constData());

    curl_easy_setopt(curl_, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl_, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(MaxBodyBytes));
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl_, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_DEFAULT));
    if (!caFile_.isEmpty())
        curl_easy_setopt(curl_, CURLOPT_CAINFO, caFile_.constData());   // in addition to the system's CAs
    curl_easy_setopt(curl_, CURLOPT_ACCEPT_ENCODING, "");
    if (request.connectTimeoutMs > 0)
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, long(request.connectTimeoutMs));
    Transfer transfer;
    transfer.body = &r.body;
    transfer.stallMs = request.stallMs;
    transfer.sinceLastByte.start();
    if (request.stallMs > 0) {
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &progress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, &transfer);
    }
    if (request.totalMs > 0)
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, long(request.totalMs));
    if (headers)
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, &headerSeen);
    curl_easy_setopt(curl_, CURLOPT_HEADERDATA, &transfer);

    const CURLcode code = curl_easy_perform(curl_);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);

    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &r.status);
    if (code != CURLE_OK) {
        r.transferOk = false;
        r.body.clear();
        const QString detail = QString::fromLocal8Bit(errorBuffer).trimmed();
        if (transfer.stalled)
            r.error = QStringLiteral("Sunucudan %1 ms boyunca veri gelmedi.").arg(request.stallMs);
        else
            r.error = detail.isEmpty() ? QString::fromLatin1(curl_easy_strerror(code)) : detail;
        return r;
    }
    r.transferOk = true;
    if (!r.success()) {
        r.error = QStringLiteral("HTTP %1").arg(r.status);
        if (r.status >= 300 && r.status < 400) {
            char* location = nullptr;
            if (curl_easy_getinfo(curl_, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
                r.error += QStringLiteral(" (yönlendirme: %1)").arg(QString::fromUtf8(location));
        }
    }
    return r;
}

} // namespace etb
