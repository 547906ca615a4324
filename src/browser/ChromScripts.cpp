#include "browser/ChromScripts.h"

#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ScriptLiteral.h"

namespace etb {

namespace ChromScripts {

QString clickById(const QString& id) {
    return QStringLiteral("document.getElementById(") + jsLiteral(id) + QStringLiteral(").click();");
}

QString valueById(const QString& id, const QString& value) {
    return QStringLiteral("document.getElementById(") + jsLiteral(id) + QStringLiteral(").value=") +
           jsLiteral(value) + QLatin1Char(';');
}

QString dateValueById(const QString& id, const QString& value) {
    return valueById(QStringLiteral("date-") + id, value);
}

QString subMenuClick(const QString& position) {
    // The position comes from our own query; anything but digits is left out rather than
    // spliced into the statement.
    QString index;
    for (const QChar c : position)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            index += c;
    if (index.size() != position.size())
        index.clear();
    return QStringLiteral("document.getElementsByTagName(\"LI\").item(") + index +
           QStringLiteral(").getElementsByTagName(\"A\").item(0).click();");
}

QString popupClose() {
    return QStringLiteral("document.getElementsByClassName(\"cs-popup-close-btn\").item(0).click();");
}

QString tabClose() {
    return QStringLiteral("document.getElementsByClassName(\"csc-tab-close\").item(0).click()");
}

} // namespace ChromScripts

void Session::runChromScript(const QString& code) { s.chrom.runScript(code); }

void Session::pr_ChromButtonClik(const QString& id) {
    s.ui.setActivePage(Page::TSChrom);
    pr_SureBekle(Pause::ChromClick);
    CodeStr = ChromScripts::clickById(id);
    runChromScript(CodeStr);
}

} // namespace etb
