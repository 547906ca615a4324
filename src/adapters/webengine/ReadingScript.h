#pragma once
#include <QString>

namespace etb {

// The page-side half of the reading view: a function library installed once per document
// in the view's own script world, and the statement that runs one request with it. A request
// is a JSON object; the answer is a JSON text {"ok":true,"r":...} or {"ok":false,"e":text}.
QString readingScriptFor(const QByteArray& requestJson);

} // namespace etb
