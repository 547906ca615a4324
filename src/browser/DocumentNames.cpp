#include "browser/DocumentNames.h"

namespace etb {

QString belgeDosyaAdi(const QString& fileName) {
    if (fileName.right(4).toUpper() == QLatin1String(".PDF"))
        return fileName;
    return fileName + QStringLiteral(".pdf");
}

QString vergiLevhasiDosyaAdi(const QString& yil, const QString& klavuz, const QString& onayTarihi) {
    QString zaman = onayTarihi;
    zaman.replace(QLatin1Char('.'), QLatin1Char('_'))
        .replace(QLatin1Char(' '), QLatin1Char('_'))
        .replace(QLatin1Char(':'), QLatin1Char('_'));
    return yil + QLatin1Char('_') + klavuz + QStringLiteral("_Vergi_Levhası_") + zaman + QStringLiteral(".pdf");
}

QString guvenliDosyaAdi(const QString& name) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString safe = name;
    for (QChar& c : safe)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            c = QLatin1Char('_');
    return safe;
}

} // namespace etb
