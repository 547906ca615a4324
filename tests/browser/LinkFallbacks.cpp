// Stand-ins for handlers of the session that other parts of the tool implement (login and
// documents), used only while those parts are not linked into the library. They are weak:
// once the real handlers are built in, those take their place.
#include "app/Session.h"

namespace etb {

[[gnu::weak]] void Session::ChromJsdialog(const QString& message) {
    gHataOlustu = true;
    gLoginHata = message;
    pr_LogYaz(message);
}

[[gnu::weak]] void Session::ChromBeforeDownload(const QUrl&, const QString&) {}

[[gnu::weak]] void Session::chrInteraktifVergiDairesiAddressChange(const QUrl&) {}

// The safe logout as the tool does it: the logout element is clicked in the reading view and
// then in the acting view.
[[gnu::weak]] void Session::pr_GuvenliCikis() {
    s.ui.setActivePage(Page::TSWeb);
    try {
        Query q;
        q.source = Source::ById;
        q.arg = QStringLiteral("gen__1010");
        q.limit = 1;
        const QVector<Element> found = s.web.query(q);
        if (found.isEmpty())
            return;
        s.web.click(found.first());
        pr_ChromButtonClik(QStringLiteral("gen__1010"));
    } catch (const DomError&) {
    }
}

} // namespace etb
