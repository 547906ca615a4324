#include "dialog/DialogHook.h"

namespace etb {

namespace {
DialogHook* g_active = nullptr;
}

DialogHook::DialogHook() : previous_(g_active) { g_active = this; }

DialogHook::~DialogHook() { g_active = previous_; }

DialogHook* DialogHook::active() { return g_active; }

QStringList DialogHook::texts() const {
    QStringList out;
    for (const DialogRecord& r : records_)
        out << r.text;
    return out;
}

void DialogHook::record(const DialogRecord& r) {
    records_.append(r);
    if (onDialog)
        onDialog(r);
}

} // namespace etb
