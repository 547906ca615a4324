#include "app/CommandLine.h"

namespace etb {

QString CommandLine::posDonemAy() const {
    const QString m = arg(10);
    return m.size() == 1 ? QStringLiteral("0") + m : m;
}

QString CommandLine::parametreList() const {
    QString s;
    for (const QString& a : args)
        s += QLatin1Char('>') + a;
    return s;
}

} // namespace etb
