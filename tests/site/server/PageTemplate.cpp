#include "PageTemplate.h"

#include <QFile>
#include <QRegularExpression>

bool PageTemplate::load(const QString& siteDir, const QString& name, QString* error) {
    QFile f(siteDir + QStringLiteral("/pages/") + name);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read page %1: %2").arg(f.fileName(), f.errorString());
        return false;
    }
    source_ = QString::fromUtf8(f.readAll());
    return true;
}

PageTemplate& PageTemplate::set(const QString& key, const QString& value) {
    values_.insert(key, escapeHtml(value));
    return *this;
}

PageTemplate& PageTemplate::setRaw(const QString& key, const QString& value) {
    values_.insert(QLatin1Char('{') + key + QLatin1Char('}'), value);
    return *this;
}

PageTemplate& PageTemplate::when(const QString& condition, bool on) {
    if (on)
        conditions_.insert(condition);
    else
        conditions_.remove(condition);
    return *this;
}

QString PageTemplate::render() const {
    QString out = source_;
    static const QRegularExpression block(
        QStringLiteral("<!--IF ([A-Za-z0-9_]+)-->(.*?)<!--ENDIF \\1-->"),
        QRegularExpression::DotMatchesEverythingOption);
    // Blocks may nest: resolve from the inside out until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        QString next;
        qsizetype last = 0;
        auto it = block.globalMatch(out);
        while (it.hasNext()) {
            const auto m = it.next();
            next += out.mid(last, m.capturedStart() - last);
            if (conditions_.contains(m.captured(1)))
                next += m.captured(2);
            last = m.capturedEnd();
            changed = true;
        }
        if (changed) {
            next += out.mid(last);
            out = next;
        }
    }
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{(\\{?[A-Za-z0-9_]+\\}?)\\}\\}"));
    QString result;
    qsizetype last = 0;
    auto it = placeholder.globalMatch(out);
    while (it.hasNext()) {
        const auto m = it.next();
        result += out.mid(last, m.capturedStart() - last);
        result += values_.value(m.captured(1));
        last = m.capturedEnd();
    }
    result += out.mid(last);
    return result;
}

QString PageTemplate::escapeHtml(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\'': out += QStringLiteral("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

QString PageTemplate::scriptSafeJson(const QByteArray& json) {
    QString s = QString::fromUtf8(json);
    s.replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    s.replace(QStringLiteral("<!--"), QStringLiteral("<\\!--"));
    s.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    s.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return s;
}
