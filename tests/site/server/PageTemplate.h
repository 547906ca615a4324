#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Page files with placeholders: {{NAME}} is replaced by the HTML-escaped value,
// {{{NAME}}} by the raw value, and a block <!--IF NAME-->...<!--ENDIF NAME--> is
// kept only when NAME is among the switched-on conditions.
class PageTemplate {
public:
    // Reads pages/<name> under the site folder; false when it cannot be read.
    bool load(const QString& siteDir, const QString& name, QString* error);

    PageTemplate& set(const QString& key, const QString& value);
    PageTemplate& setRaw(const QString& key, const QString& value);
    PageTemplate& when(const QString& condition, bool on);

    QString render() const;

    static QString escapeHtml(const QString& text);
    // A JSON text made safe to stand inside a <script> element.
    static QString scriptSafeJson(const QByteArray& json);

private:
    QString source_;
    QHash<QString, QString> values_;
    QSet<QString> conditions_;
};
