#include "adapters/Registry.h"

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace etb {

QString fn_IEVersiyonOku(const QString& valueName) {
#ifdef Q_OS_WIN
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer"),
                        QSettings::NativeFormat);
    const QVariant v = key.value(valueName);
    return v.typeId() == QMetaType::QString ? v.toString() : QString();
#else
    Q_UNUSED(valueName);
    return QString();
#endif
}

} // namespace etb
