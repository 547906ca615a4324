#pragma once

#include <QByteArray>
#include <QString>

// A JPEG picture showing the code, drawn with a little noise like a captcha service.
QByteArray renderCaptchaJpeg(const QString& code);
