#include "dialog/Dialogs.h"

namespace etb {

int BilgiMesaji(Dialogs& d, const QString& text, int helpContext) {
    return d.DlgBoxGoster(kAppTitle, QStringLiteral("Bilgi..!"), text, helpContext, 0, 1, 1);
}

int HataMesaji(Dialogs& d, const QString& text, int helpContext) {
    return d.DlgBoxGoster(kAppTitle, QStringLiteral("Hata..!"), text, helpContext, 0, 1, 3);
}

} // namespace etb
