#pragma once
#include <QString>
#include <vector>

namespace etb {

// One instance of the menu step: which of its pieces are present and with which texts.
// An empty text means the piece is absent.
struct MenuStep {
    QString announce;          // log line before the wait
    bool freshStart = true;    // store a new wait start (false: share the previous one)
    int pauseBeforeStart = 0;  // pause before a fresh start
    QString waitText;
    QString waitClass;
    QString failureText;       // logged when gHataOlustu is found set after the wait
    QString reached;           // log line once the element is present
    int pauseBeforeClick = 0;
    QString clickText;         // empty: no click
    QString clickClass;
    bool chromClick = false;
    int pauseAfterClick = 0;
};

inline const QString kMenuClass =
    QStringLiteral("csc-rospan csc-title cursor-pointer iv-app-menu-item csc-title-selected");

// The instances the operations use, kept as data.
namespace MenuSteps {
const MenuStep& tebligatMenu();          // e-notifications, step 1
const MenuStep& tebligatOkunan();        // e-notifications, step 2 (wait only)
} // namespace MenuSteps

} // namespace etb
