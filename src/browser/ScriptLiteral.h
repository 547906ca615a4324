#pragma once
#include <QString>

namespace etb {

// A text written as a JavaScript string literal in double quotes, so that any value lands in
// a page script exactly as given: quotes, backslashes, line breaks, U+2028/U+2029 and other
// control characters and surrogates are escaped, and "</" becomes "<\/" so that the literal can never close
// a surrounding <script> element.
QString jsLiteral(const QString& text);

} // namespace etb
