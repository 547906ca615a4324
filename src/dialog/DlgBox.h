#pragma once
#include "dialog/Dialogs.h"

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>
#include <tuple>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

namespace etb {

// The window size that the message text asks for.
struct DlgBoxSize {
    int labelWidth = 0;    // the message label's width (530 at most)
    int labelHeight = 0;   // its height at that width
    bool wrap = false;     // the text wraps at 530 pixels
    QSize window;          // the dialog's outer size
};

inline constexpr int kDlgTextTop = 70;       // top of the text panel
inline constexpr int kDlgMaxLabelWidth = 530;
inline constexpr int kDlgMinWidth = 530;
inline constexpr int kDlgMaxHeight = 700;

// The sizing rules: a label wider than 530 on one line wraps at 530 and grows in height;
// height = text top + label height + 115 (at most 700); width = label width + 80 (at least 530).
// oneLineWidth/oneLineHeight: the label on one line; wrappedHeight(w): its height wrapped at w.
DlgBoxSize dlgBoxSize(int oneLineWidth, int oneLineHeight, const std::function<int(int)>& wrappedHeight);

// Icon kinds 1..5 (information, warning, error, question, forbidden); 0 counts as 1, above 5 as 5.
int clampIconKind(int kind);
// The row shown for a button set; a set above 5 shows the "Tamam" row so the dialog can close.
int shownButtonSet(int buttonSet);
// objectName of the button that gets the focus for this set and default-button parameter;
// "" when none does.
QString defaultButtonName(int buttonSet, int defaultButton);

// The tool's message dialog. prepare() lays it out for one message; exec() shows it and
// returns the modal result of the button pressed.
class TFrmDlgBox : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDlgBox(QWidget* parent = nullptr);

    void prepare(const QString& title, const QString& heading, const QString& text, int helpContext,
                 int buttonSet, int defaultButton, int icon);

    int helpContext() const { return helpContext_; }
    int iconKind() const { return iconKind_; }
    int row() const { return row_; }
    QPushButton* focusButton() const { return focusButton_; }
    const DlgBoxSize& computedSize() const { return size_; }

    void reject() override;

private:
    QWidget* makeRow(const char* name, const std::vector<std::tuple<const char*, QString, int, int>>& buttons,
                     int gapBefore = -1);

    QLabel* lblUstBaslik_ = nullptr;
    QLabel* lblText_ = nullptr;
    QLabel* icons_[5] = {};
    QWidget* rows_[6] = {};
    QPushButton* focusButton_ = nullptr;
    int helpContext_ = 0;
    int iconKind_ = 1;
    int row_ = 0;
    DlgBoxSize size_;
};

// DlgBoxGoster with windows: the tool's message dialog, the platform's plain message box and
// the folder selection, shown over the given window. While a DialogHook lives, it records and
// answers instead (no window is shown).
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    int DlgBoxGoster(const QString& title, const QString& heading, const QString& text, int helpContext,
                     quint8 buttonSet, quint8 defaultButton, quint8 icon) override;
    void plainMessage(const QString& text) override;
    QString selectFolder() override;

private:
    QWidget* owner() const;
    QPointer<QWidget> parent_;
};

} // namespace etb
