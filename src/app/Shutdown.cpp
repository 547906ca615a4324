#include "app/Session.h"

namespace etb {

void Session::BtnKapatClick() {
    pr_LogYaz(QStringLiteral("Program kullanıcı tarafından sonlandırıldı."));
    s.ui.requestClose();
}

void Session::FormKeyDownShiftF9() { s.dialogs.plainMessage(gParametreList); }

void Session::FormClose() {
    // A close may be requested several times in one run (an alert's close followed by the
    // prologue's); the hand-back runs once.
    if (closeHandled_)
        return;
    closeHandled_ = true;
    // 1.
    if (!cmd.tokenOk())
        return;
    // 2., 3. Logouts; nothing waits for the site's answer beyond the click itself.
    if (gGirisBasarili)
        guard([this] { pr_GuvenliCikis(); });
    if (gInteraktifVergiDairesineGirisYapildi)
        guard([this] { portalLogout(); });
    // 4.
    if (!s.db.isOpen())
        return;
    // 5. The log, line by line. A refused line does not keep the others back, and the user
    // hears of it once (not once per line).
    if (MemLog.isOpen()) {
        int refused = 0;
        QString firstError;
        for (const LogLine& line : MemLog.lines()) {
            try {
                s.db.exec(Statement::InsertLog, {{QStringLiteral("TARIH"), line.TARIH},
                                                 {QStringLiteral("ACIKLAMA"), line.LOG_ACIKLAMA}});
            } catch (const std::exception& e) {
                if (refused++ == 0)
                    firstError = QString::fromUtf8(e.what());
            }
        }
        if (refused > 0)
            s.dialogs.plainMessage(firstError);
    }
    // 6.
    guard([this] { storeTebligatRows(); });
    // 7.
    guard([this] { s.db.exec(Statement::UpdateFirmaId, {}); });
}

} // namespace etb
