#pragma once

#include "HttpFrontEnd.h"
#include "SiteState.h"

#include <QObject>

// The tax office application: login page with captcha frames, captcha pictures,
// the logged-in application (menus, e-notification pages) and the documents.
class ApplicationSite : public QObject {
public:
    explicit ApplicationSite(SiteState* state, QObject* parent = nullptr);

    void handle(const Request& request, const ExchangePtr& exchange);

private:
    void dispatch(const Request& request, const ExchangePtr& exchange);

    void loginPage(const ExchangePtr& exchange);
    void captchaFrame(const Request& request, const ExchangePtr& exchange);
    void captchaPicture(const Request& request, const ExchangePtr& exchange);
    void login(const Request& request, const ExchangePtr& exchange, bool tckn);
    void answerLogin(const QJsonObject& values, const ExchangePtr& exchange, bool tckn);
    void applicationPage(const Request& request, const ExchangePtr& exchange);
    void notificationList(AppSession* session, const ExchangePtr& exchange);
    void openEnvelope(AppSession* session, const Request& request, const ExchangePtr& exchange);
    void menu(AppSession* session, const Request& request, const ExchangePtr& exchange);
    void logout(const Request& request, const ExchangePtr& exchange);
    void document(const Request& request, const ExchangePtr& exchange);

    void sendPage(const QString& name, const ExchangePtr& exchange,
                  const std::function<void(class PageTemplate&)>& fill);
    QString documentAddress(int index) const;
    QString documentFileName(int index) const;

    SiteState* state_;
};
