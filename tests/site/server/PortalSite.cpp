#include "PortalSite.h"

#include "PageTemplate.h"
#include "StaticFiles.h"

#include <QJsonDocument>

namespace {

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

// Scenario keys of page delays and errors name portal addresses as "portal:/path".
QString scenarioKey(const QString& path) { return QStringLiteral("portal:") + path; }

}  // namespace

PortalSite::PortalSite(SiteState* state, QObject* parent) : QObject(parent), state_(state) {}

void PortalSite::handle(const Request& request, const ExchangePtr& exchange) {
    PageError error;
    if (state_->takePageError(scenarioKey(request.path), &error)) {
        state_->record(QStringLiteral("page-error"), {{QStringLiteral("path"), scenarioKey(request.path)},
                                                      {QStringLiteral("error"), error.kind}});
        if (error.kind == QStringLiteral("reset"))
            exchange->reset();
        else
            exchange->sendHtml(QStringLiteral("<html><body><h1>%1</h1></body></html>").arg(error.status), error.status);
        return;
    }
    state_->later(state_->scenario().pageDelayMs.value(scenarioKey(request.path), 0), this,
                  [this, request, exchange] { dispatch(request, exchange); });
}

void PortalSite::dispatch(const Request& request, const ExchangePtr& exchange) {
    if (serveStaticFile(state_->siteDir(), request, exchange))
        return;
    const QString& path = request.path;
    if (path == QStringLiteral("/")) {
        PageTemplate page;
        QString error;
        if (!page.load(state_->siteDir(), QStringLiteral("portal-giris.html"), &error))
            return exchange->sendText(500, error);
        return exchange->sendHtml(page.render());
    }
    if (path == QStringLiteral("/portal/giris") && request.isPost())
        return login(request, exchange);
    if (path == QStringLiteral("/portal/anasayfa"))
        return homePage(request, exchange);
    if (path == QStringLiteral("/portal/cikis") && request.isPost())
        return logout(request, exchange);
    if (path == QStringLiteral("/favicon.ico"))
        return exchange->send(204, {}, {});
    exchange->sendHtml(QStringLiteral("<html><body><h1>404</h1><p>Sayfa bulunamadı.</p></body></html>"), 404);
}

void PortalSite::login(const Request& request, const ExchangePtr& exchange) {
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    const QJsonObject values{{QStringLiteral("kullaniciKodu"), body.value(QStringLiteral("kullaniciKodu")).toString()},
                             {QStringLiteral("sifre"), body.value(QStringLiteral("sifre")).toString()}};
    const Scenario& s = state_->scenario();
    if (values.value(QStringLiteral("kullaniciKodu")).toString() != s.kullaniciKodu ||
        values.value(QStringLiteral("sifre")).toString() != s.sifre) {
        const QString alert = QStringLiteral("Kullanıcı kodu veya şifre hatalı.");
        state_->record(QStringLiteral("portal-login-rejected"),
                       {{QStringLiteral("values"), values}, {QStringLiteral("alert"), alert}});
        return exchange->sendJson(json({{QStringLiteral("ok"), false}, {QStringLiteral("mesaj"), alert}}));
    }
    PortalSession* session = state_->openPortalSession();
    state_->record(QStringLiteral("portal-login"),
                   {{QStringLiteral("values"), values}, {QStringLiteral("token"), session->token}});
    exchange->sendJson(json({{QStringLiteral("ok"), true},
                             {QStringLiteral("adres"), QStringLiteral("/portal/anasayfa?token=") + session->token}}));
}

void PortalSite::homePage(const Request& request, const ExchangePtr& exchange) {
    PortalSession* session = state_->portalSession(request.param(QStringLiteral("token")));
    if (!session || session->ended)
        return exchange->redirect(QStringLiteral("/"));
    PageTemplate page;
    QString error;
    if (!page.load(state_->siteDir(), QStringLiteral("portal-anasayfa.html"), &error))
        return exchange->sendText(500, error);
    page.set(QStringLiteral("UNVAN"), state_->scenario().unvan)
        .set(QStringLiteral("KULLANICI"), state_->scenario().kullaniciKodu)
        .set(QStringLiteral("TOKEN"), session->token);
    exchange->sendHtml(page.render());
}

void PortalSite::logout(const Request& request, const ExchangePtr& exchange) {
    const QString token = request.param(QStringLiteral("token"));
    PortalSession* session = state_->portalSession(token);
    const bool alreadyEnded = session && session->ended;
    if (session)
        session->ended = true;
    state_->record(QStringLiteral("portal-logout"), {{QStringLiteral("token"), token},
                                                     {QStringLiteral("known"), session != nullptr},
                                                     {QStringLiteral("alreadyEnded"), alreadyEnded}});
    exchange->sendJson(json({{QStringLiteral("ok"), true}, {QStringLiteral("adres"), QStringLiteral("/")}}));
}
