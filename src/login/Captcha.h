#pragma once
#include <QString>
#include <QUrl>

namespace etb {

// The address of the captcha picture of an id on the tax office application site.
QUrl captchaPictureUrl(const QString& id);

// The captcha id out of the markup of the "cid" element: what follows the first "value=".
// Written without quotes (value=abc>) it runs up to the last character; Chromium writes the
// value in quotes, and then it is the quoted text.
QString captchaIdFromMarkup(const QString& markup);

} // namespace etb
