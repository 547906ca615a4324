#pragma once
#include <QString>

namespace etb {

// A string value under HKEY_LOCAL_MACHINE "Software\Microsoft\Internet Explorer" (read only,
// never created); "" when the key or the value cannot be read, and always "" off Windows.
QString fn_IEVersiyonOku(const QString& valueName);

} // namespace etb
