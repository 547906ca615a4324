#pragma once
#include <QString>
#include <QUrl>

namespace etb {

// Settings taken from the environment once, at start. None is needed in production.
struct Environment {
    QUrl siteUrl;       // ETEBLIGAT_SITE_URL: root of the tax office application
    QUrl portalUrl;     // ETEBLIGAT_PORTAL_URL: root of the interactive tax office portal
    double timeScale;   // ETEBLIGAT_TIME_SCALE: multiplies every pause and every time limit
    QString caFile;     // ETEBLIGAT_CA_FILE: extra CA bundle for our own HTTPS requests

    static Environment fromProcess();
    // The values read at first use; tests may replace them before anything reads them.
    static const Environment& get();
    static void set(const Environment& env);
};

} // namespace etb
