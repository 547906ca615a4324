#include "app/Environment.h"

#include <QProcessEnvironment>
#include <optional>

namespace etb {

namespace {
std::optional<Environment>& current() {
    static std::optional<Environment> env;
    return env;
}
} // namespace

Environment Environment::fromProcess() {
    const auto pe = QProcessEnvironment::systemEnvironment();
    Environment e;
    e.siteUrl = QUrl(pe.value("ETEBLIGAT_SITE_URL", "https://intvrg.gib.gov.tr/"));
    e.portalUrl = QUrl(pe.value("ETEBLIGAT_PORTAL_URL", "https://ivd.gib.gov.tr/"));
    bool ok = false;
    const double scale = pe.value("ETEBLIGAT_TIME_SCALE", "1").toDouble(&ok);
    e.timeScale = (ok && scale > 0) ? scale : 1.0;
    e.caFile = pe.value("ETEBLIGAT_CA_FILE");
    return e;
}

const Environment& Environment::get() {
    if (!current())
        current() = fromProcess();
    return *current();
}

void Environment::set(const Environment& env) { current() = env; }

} // namespace etb
