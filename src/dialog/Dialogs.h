#pragma once
#include <QString>

namespace etb {

// Modal results of the message dialog.
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrYes = 6, mrNo = 7,
                   mrNoToAll = 9, mrYesToAll = 10 };

inline const QString kAppTitle = QStringLiteral("Talpo.Net");

// Every window the logic shows goes through here; the widget side implements it (and its
// test hook answers instead of showing a window).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The tool's own message dialog (title, heading, text, help context, button set,
    // default button, icon kind) -> the modal result.
    virtual int DlgBoxGoster(const QString& title, const QString& heading, const QString& text, int helpContext,
                             quint8 buttonSet, quint8 defaultButton, quint8 icon) = 0;
    // The platform's plain message box (Shift+F9 and the default error display).
    virtual void plainMessage(const QString& text) = 0;
    // The folder selection dialog; "" when cancelled.
    virtual QString selectFolder() = 0;
};

int BilgiMesaji(Dialogs& d, const QString& text, int helpContext = 0);
int HataMesaji(Dialogs& d, const QString& text, int helpContext = 0);

} // namespace etb
