#pragma once

#include "HttpFrontEnd.h"
#include "SiteState.h"

#include <QObject>

// The interactive tax office portal on its own port: a login page, the logged-in
// page carrying token= in its address, and the logout.
class PortalSite : public QObject {
public:
    explicit PortalSite(SiteState* state, QObject* parent = nullptr);

    void handle(const Request& request, const ExchangePtr& exchange);

private:
    void dispatch(const Request& request, const ExchangePtr& exchange);
    void login(const Request& request, const ExchangePtr& exchange);
    void homePage(const Request& request, const ExchangePtr& exchange);
    void logout(const Request& request, const ExchangePtr& exchange);

    SiteState* state_;
};
