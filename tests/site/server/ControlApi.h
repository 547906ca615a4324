#pragma once

#include "HttpFrontEnd.h"
#include "SiteState.h"

// The control interface for tests and the demo, under "/_control/" on the
// application's port: captcha codes, the events, the scenario, a reset.
// Answers true when the request was one of its own.
bool handleControlRequest(SiteState* state, const Request& request, const ExchangePtr& exchange);
