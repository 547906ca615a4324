#pragma once
#include <QString>

namespace etb {

// The scripts the tool runs in the acting view's main frame. Every value is written as an
// escaped string literal (jsLiteral), so a plain id gives exactly the familiar statement,
// e.g. document.getElementById("gen__1010").click();
namespace ChromScripts {
QString clickById(const QString& id);
QString valueById(const QString& id, const QString& value);
// Date fields: the site's visible date input carries the field id with "date-" in front.
QString dateValueById(const QString& id, const QString& value);
// Clicks the first link of list item number `position` (decimal text as fn_ElemanSiraBul
// gives it; an empty or non-numeric position gives item() and the script fails in the page).
QString subMenuClick(const QString& position);
// Closes the site's message pop-up (e-notifications).
QString popupClose();
// Closes the site's open tab (tax plates); without a closing semicolon, as the site takes it.
QString tabClose();
} // namespace ChromScripts

} // namespace etb
