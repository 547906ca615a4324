#pragma once

#include "HttpFrontEnd.h"

#include <QString>

// Serves the scripts, styles and images under <site>/static for paths "/static/...".
// Paths that leave that folder are refused.
bool serveStaticFile(const QString& siteDir, const Request& request, const ExchangePtr& exchange);
