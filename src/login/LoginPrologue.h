#pragma once
#include "app/Controls.h"
#include "app/Session.h"

#include <optional>

namespace etb {

// How the login prologue differs from one operation to the next.
struct PrologueVariant {
    Session::Operation op;
    bool timeoutLogs = true;            // the time-out message is also logged
    bool timeoutSafeLogout = false;     // the time-out logs out safely before the abort
    bool hideBeforeWait = false;        // the form is hidden before the wait
    bool checksFirst = false;           // field checks before the indicators start; no report step
    bool hideOnSuccess = false;
    std::optional<Page> pageOnSuccess;
    bool maximizeOnSuccess = false;
    bool stopIndicatorsOnSuccess = false;
    bool logSuccess = true;
    bool clearsLoginHata = false;
};

const PrologueVariant& prologueVariant(Session::Operation op);

} // namespace etb
