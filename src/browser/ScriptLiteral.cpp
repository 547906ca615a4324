#include "browser/ScriptLiteral.h"

namespace etb {

namespace {
void appendUnicodeEscape(QString& out, char16_t c) {
    static const char hex[] = "0123456789abcdef";
    out += QStringLiteral("\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(c >> shift) & 0xF]);
}
} // namespace

QString jsLiteral(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\'': out += QStringLiteral("\\'"); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'/':
            // "</script>" inside an inline script would end it.
            if (i > 0 && text.at(i - 1) == QLatin1Char('<'))
                out += QStringLiteral("\\/");
            else
                out += QLatin1Char('/');
            break;
        default:
            // Surrogates go as escapes too, so that even a lone half arrives unchanged.
            if (c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029 || (c >= 0xD800 && c <= 0xDFFF))
                appendUnicodeEscape(out, c);
            else
                out += QChar(c);
        }
    }
    out += QLatin1Char('"');
    return out;
}

} // namespace etb
