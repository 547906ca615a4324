#include "app/Controls.h"

namespace etb {

QString ctlName(Ctl c) {
    switch (c) {
#define ETB_NAME(name)                                                                             \
    case Ctl::name:                                                                                \
        return QStringLiteral(#name);
        ETB_CONTROLS(ETB_NAME)
#undef ETB_NAME
    }
    return {};
}

} // namespace etb
