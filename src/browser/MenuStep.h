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
const MenuStep& posMukellefDosyasi();    // POS, step 1
const MenuStep& posBilgileri();          // POS, step 2 (shared start)
const MenuStep& posSorgula();            // POS, step 3 (shared start; then pr_AltMenuTikla("Pos Bilgileri"))
const MenuStep& levhaMenu();             // tax plates, step 1
const MenuStep& levhaBilgileri();        // tax plates, step 2
const MenuStep& levhaBilgileriBekle();   // tax plates, step 3 (wait only; then pr_AltMenuTikla)
const MenuStep& sozlesmeMenu();          // contracts (intermediation, ledger), step 1
const MenuStep& meslekOdalariMenu();     // chambers contract, step 1 (longer pause after the click)
// Contracts, step 2 for one entry (shared start); the caller then pauses 200 ms, runs
// pr_AltMenuTikla(entry) and pauses 200 ms.
MenuStep sozlesmeGirisi(const QString& entry);
const MenuStep& sgkMenu();               // tax number and SGK merge, step 1
const MenuStep& sgkYeni();               // tax number and SGK merge, step 2 (shared start)

// The contract entries of step 2.
inline const QString kSozlesmeGirisi =
    QStringLiteral("Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Girişi");
inline const QString kSozlesmeDefterGirisi =
    QStringLiteral("Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Defter Bilgileri Girişi");
inline const QString kMeslekOdalariGirisi =
    QStringLiteral("Meslek Odaları Defter-Beyan Sistemi Kullanımı Aracılık ve Sorumluluk Sözleşmesi Girişi");
} // namespace MenuSteps

} // namespace etb
