#pragma once
#include "app/Controls.h"

#include <QObject>
#include <map>

class QLineEdit;
class QWidget;

namespace etb {

using ControlMap = std::map<Ctl, QWidget*>;

// The digit filter of the T.C. page: digits 0 to 9, the comma and backspace pass; every
// other character is swallowed.
bool digitFilterAccepts(QChar c);

// Applies the digit filter to the key presses of the edits it is installed on.
class DigitFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Turns what is typed into an edit to upper case as it is typed.
void makeUpperCaseAsTyped(QLineEdit* edit);

// The two login pages: the user-code page TSGiris and the T.C. identity page
// TSGirisTCKimlik. Each control is registered under its Ctl.
void buildUserCodePage(QWidget* page, ControlMap& controls);
void buildTcPage(QWidget* page, ControlMap& controls, DigitFilter* digits);

} // namespace etb
