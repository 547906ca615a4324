#include "ControlApi.h"

#include <QJsonArray>
#include <QJsonDocument>

bool handleControlRequest(SiteState* state, const Request& request, const ExchangePtr& exchange) {
    static const QString prefix = QStringLiteral("/_control/");
    if (!request.path.startsWith(prefix))
        return false;
    const QString what = request.path.mid(prefix.size());
    if (what == QStringLiteral("captcha")) {
        const CaptchaEntry* entry = state->captcha(request.param(QStringLiteral("id")));
        if (!entry)
            exchange->sendText(404, QStringLiteral("unknown captcha id"));
        else
            exchange->sendText(200, entry->code);
    } else if (what == QStringLiteral("events")) {
        exchange->sendJson(QJsonDocument(state->events()).toJson(QJsonDocument::Compact));
    } else if (what == QStringLiteral("scenario") && request.isPost()) {
        Scenario scenario;
        QString error;
        if (!Scenario::fromJson(request.body, &scenario, &error)) {
            exchange->sendText(400, error);
        } else {
            state->load(scenario);
            exchange->sendText(200, QStringLiteral("ok"));
        }
    } else if (what == QStringLiteral("scenario")) {
        exchange->sendJson(QJsonDocument(state->scenario().source).toJson(QJsonDocument::Compact));
    } else if (what == QStringLiteral("reset") && request.isPost()) {
        state->reset();
        exchange->sendText(200, QStringLiteral("ok"));
    } else if (what == QStringLiteral("state")) {
        QJsonArray notes;
        for (const NotificationState& n : state->notifications())
            notes.append(QJsonObject{{QStringLiteral("opened"), n.opened},
                                     {QStringLiteral("openedAt"), n.openedAt},
                                     {QStringLiteral("documentRequests"), n.documentRequests},
                                     {QStringLiteral("documentPath"),
                                      QStringLiteral("/ebelge/indir?anahtar=") + n.documentKey}});
        exchange->sendJson(QJsonDocument(QJsonObject{{QStringLiteral("notifications"), notes}})
                               .toJson(QJsonDocument::Compact));
    } else {
        exchange->sendText(404, QStringLiteral("unknown control request"));
    }
    return true;
}
