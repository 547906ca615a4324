#include "dialog/DlgBox.h"

#include "dialog/DialogHook.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace etb {

namespace {
constexpr int kHeaderHeight = 65;
constexpr int kSeparator = 5;
constexpr int kRowHeight = 34;
constexpr int kBelowLabel = 115;
constexpr int kBesideLabel = 80;
constexpr int kTextLeft = 40;

// Row names, in button-set order.
const char* const kRowNames[6] = {"PnlOK", "PnlYesNo", "PnlYesNoCancel", "PnlOkCancel",
                                  "PnlYesNoCancelNoAllYesAll", "PnlAbortRetry"};
} // namespace

DlgBoxSize dlgBoxSize(int oneLineWidth, int oneLineHeight, const std::function<int(int)>& wrappedHeight) {
    DlgBoxSize s;
    s.labelWidth = oneLineWidth;
    s.labelHeight = oneLineHeight;
    if (oneLineWidth > kDlgMaxLabelWidth) {
        s.labelWidth = kDlgMaxLabelWidth;
        s.wrap = true;
        s.labelHeight = wrappedHeight(kDlgMaxLabelWidth);
    }
    s.window = QSize(std::max(s.labelWidth + kBesideLabel, kDlgMinWidth),
                     std::min(kDlgTextTop + s.labelHeight + kBelowLabel, kDlgMaxHeight));
    return s;
}

int clampIconKind(int kind) { return std::clamp(kind, 1, 5); }

int shownButtonSet(int buttonSet) { return buttonSet >= 0 && buttonSet <= 5 ? buttonSet : 0; }

QString defaultButtonName(int buttonSet, int d) {
    const int first = d <= 1 ? 1 : d;   // 0 and 1 choose the same button
    switch (shownButtonSet(buttonSet)) {
    case 0:
        return QStringLiteral("btnok1");
    case 1:
        return first == 1 ? QStringLiteral("btnyes2") : QStringLiteral("btnno2");
    case 2:
        return first == 1 ? QStringLiteral("btnyes1") : first == 2 ? QStringLiteral("btnno1")
                                                                   : QStringLiteral("btncancel1");
    case 3:
        return first == 1 ? QStringLiteral("btnok2") : QStringLiteral("btncancel2");
    case 4:
        switch (first) {
        case 1: return QStringLiteral("btnyes3");
        case 2: return QStringLiteral("btncancel3");
        case 3: return QStringLiteral("btnno3");
        default: return {};
        }
    case 5:
        return first == 1 ? QStringLiteral("BtnAbort") : first == 2 ? QStringLiteral("BtnRetry") : QString();
    }
    return {};
}

TFrmDlgBox::TFrmDlgBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmDlgBox"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setMinimumSize(440, 200);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Header: the icons (one spot) and the heading.
    auto* panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedHeight(kHeaderHeight);
    panel2->setAutoFillBackground(true);
    QPalette pal = panel2->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel2->setPalette(pal);
    const struct {
        const char* name;
        QStyle::StandardPixmap pixmap;
    } icons[5] = {{"imginfo", QStyle::SP_MessageBoxInformation},
                  {"Imgwrn", QStyle::SP_MessageBoxWarning},
                  {"Imgerror", QStyle::SP_MessageBoxCritical},
                  {"Imgsoru", QStyle::SP_MessageBoxQuestion},
                  {"ImgYasak", QStyle::SP_BrowserStop}};
    for (int i = 0; i < 5; ++i) {
        auto* img = new QLabel(panel2);
        img->setObjectName(QString::fromLatin1(icons[i].name));
        img->setGeometry(6, 5, 52, 52);
        img->setScaledContents(true);
        img->setPixmap(style()->standardIcon(icons[i].pixmap).pixmap(48, 48));
        img->hide();
        icons_[i] = img;
    }
    lblUstBaslik_ = new QLabel(panel2);
    lblUstBaslik_->setObjectName(QStringLiteral("LblUstBaslik"));
    QFont hf = font();
    hf.setBold(true);
    hf.setPixelSize(12);
    lblUstBaslik_->setFont(hf);
    lblUstBaslik_->move(96, 30);
    outer->addWidget(panel2);

    auto* bevel2 = new QFrame(this);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setFrameShape(QFrame::HLine);
    bevel2->setFrameShadow(QFrame::Sunken);
    bevel2->setFixedHeight(kSeparator);
    outer->addWidget(bevel2);

    // The text panel: the label at the left, vertically centred.
    auto* pnText = new QWidget(this);
    pnText->setObjectName(QStringLiteral("PNText"));
    auto* textLayout = new QHBoxLayout(pnText);
    textLayout->setContentsMargins(kTextLeft, 0, 0, 0);
    lblText_ = new QLabel(pnText);
    lblText_->setObjectName(QStringLiteral("LblText"));
    QFont tf = font();
    tf.setBold(true);
    tf.setPixelSize(15);
    lblText_->setFont(tf);
    lblText_->setTextFormat(Qt::PlainText);
    lblText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    textLayout->addWidget(lblText_, 0, Qt::AlignLeft | Qt::AlignVCenter);
    textLayout->addStretch(1);
    outer->addWidget(pnText, 1);

    rows_[0] = makeRow(kRowNames[0], {{"btnok1", QStringLiteral("Tamam"), mrOk, 80}});
    rows_[1] = makeRow(kRowNames[1], {{"btnyes2", QStringLiteral("Evet"), mrYes, 80},
                                      {"btnno2", QStringLiteral("Hayır"), mrNo, 80}});
    rows_[2] = makeRow(kRowNames[2], {{"btnyes1", QStringLiteral("Evet"), mrYes, 80},
                                      {"btnno1", QStringLiteral("Hayır"), mrNo, 80},
                                      {"btncancel1", QStringLiteral("İptal"), mrCancel, 80}});
    rows_[3] = makeRow(kRowNames[3], {{"btnok2", QStringLiteral("Tamam"), mrOk, 80},
                                      {"btncancel2", QStringLiteral("İptal"), mrCancel, 80}});
    rows_[4] = makeRow(kRowNames[4], {{"btnNoToAll1", QStringLiteral("Tümüne Hayır"), mrNoToAll, 95},
                                      {"btnYesToAll1", QStringLiteral("Tümüne Evet"), mrYesToAll, 95},
                                      {"btnyes3", QStringLiteral("Evet"), mrYes, 80},
                                      {"btnno3", QStringLiteral("Hayır"), mrNo, 80},
                                      {"btncancel3", QStringLiteral("İptal"), mrCancel, 80}},
                       2);
    rows_[5] = makeRow(kRowNames[5], {{"BtnRetry", QStringLiteral("Yeniden Dene"), mrRetry, 80},
                                      {"BtnAbort", QStringLiteral("İ&ptal"), mrAbort, 80}});
    for (QWidget* r : rows_)
        outer->addWidget(r);
}

QWidget* TFrmDlgBox::makeRow(const char* name,
                             const std::vector<std::tuple<const char*, QString, int, int>>& buttons,
                             int gapBefore) {
    auto* row = new QWidget(this);
    row->setObjectName(QString::fromLatin1(name));
    row->setFixedHeight(kRowHeight);
    auto* v = new QVBoxLayout(row);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* line = new QFrame(row);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(line);
    auto* h = new QHBoxLayout;
    h->setContentsMargins(8, 3, 8, 3);
    h->addStretch(1);
    int i = 0;
    for (const auto& [objName, caption, result, width] : buttons) {
        if (i == gapBefore)
            h->addSpacing(16);
        auto* b = new QPushButton(caption, row);
        b->setObjectName(QString::fromLatin1(objName));
        b->setFixedSize(width, 25);
        b->setAutoDefault(false);
        const int r = result;
        connect(b, &QPushButton::clicked, this, [this, r] { done(r); });
        h->addWidget(b);
        ++i;
    }
    v->addLayout(h);
    row->hide();
    return row;
}

void TFrmDlgBox::prepare(const QString& title, const QString& heading, const QString& text, int helpContext,
                         int buttonSet, int defaultButton, int icon) {
    // 2. The row of the button set and its default button.
    row_ = shownButtonSet(buttonSet);
    for (int i = 0; i < 6; ++i)
        rows_[i]->setVisible(i == row_);
    focusButton_ = nullptr;
    const QString def = defaultButtonName(buttonSet, defaultButton);
    if (!def.isEmpty()) {
        focusButton_ = rows_[row_]->findChild<QPushButton*>(def);
        focusButton_->setDefault(true);
        focusButton_->setFocus();
    }
    // 3.
    setWindowTitle(title);
    lblUstBaslik_->setText(heading);
    lblUstBaslik_->adjustSize();
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblText_->setText(shown);
    // 4.
    iconKind_ = clampIconKind(icon);
    for (int i = 0; i < 5; ++i)
        icons_[i]->setVisible(i == iconKind_ - 1);
    // 5. The window follows the text.
    lblText_->setWordWrap(false);
    const QSize oneLine = lblText_->sizeHint();
    size_ = dlgBoxSize(oneLine.width(), oneLine.height(), [this](int w) {
        lblText_->setWordWrap(true);
        return lblText_->heightForWidth(w);
    });
    lblText_->setWordWrap(size_.wrap);
    lblText_->setFixedSize(size_.labelWidth, size_.labelHeight);
    setMinimumSize(0, 0);
    setFixedSize(size_.window);
    // 6.
    helpContext_ = helpContext;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFrmDlgBox::reject() {
    // Escape (or the window's close) answers only where the row has "İptal"; otherwise the
    // buttons are the way out.
    if (QPushButton* cancel = rows_[row_]->findChild<QPushButton*>(
            row_ == 2 ? "btncancel1" : row_ == 3 ? "btncancel2" : row_ == 4 ? "btncancel3" : "none"))
        cancel->click();
}

// ---- WidgetDialogs ----

namespace {
// The modal result of the button that has the focus (0 without one).
int resultOfFocusButton(const QString& name) {
    static const QHash<QString, int> results = {
        {"btnok1", mrOk},      {"btnyes2", mrYes},     {"btnno2", mrNo},        {"btnyes1", mrYes},
        {"btnno1", mrNo},      {"btncancel1", mrCancel}, {"btnok2", mrOk},      {"btncancel2", mrCancel},
        {"btnyes3", mrYes},    {"btnno3", mrNo},       {"btncancel3", mrCancel}, {"BtnAbort", mrAbort},
        {"BtnRetry", mrRetry}};
    return results.value(name, mrNone);
}
} // namespace

QWidget* WidgetDialogs::owner() const {
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

int WidgetDialogs::DlgBoxGoster(const QString& title, const QString& heading, const QString& text,
                                int helpContext, quint8 buttonSet, quint8 defaultButton, quint8 icon) {
    TFrmDlgBox dlg(owner());
    dlg.prepare(title, heading, text, helpContext, buttonSet, defaultButton, icon);
    if (DialogHook* hook = DialogHook::active()) {
        DialogRecord r;
        r.kind = DialogRecord::Box;
        r.title = title;
        r.heading = heading;
        r.text = text;
        r.helpContext = helpContext;
        r.buttonSet = buttonSet;
        r.row = dlg.row();
        r.defaultButton = defaultButton;
        r.focusButton = dlg.focusButton() ? dlg.focusButton()->objectName() : QString();
        r.icon = dlg.iconKind();
        r.size = dlg.computedSize().window;
        r.answer = hook->takeAnswer(resultOfFocusButton(r.focusButton));
        hook->record(r);
        return r.answer;
    }
    QCoreApplication::processEvents();
    dlg.raise();
    dlg.activateWindow();
    return dlg.exec();
}

void WidgetDialogs::plainMessage(const QString& text) {
    if (DialogHook* hook = DialogHook::active()) {
        DialogRecord r;
        r.kind = DialogRecord::Plain;
        r.title = kAppTitle;
        r.text = text;
        r.answer = mrOk;
        hook->record(r);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, owner());
    box.exec();
}

QString WidgetDialogs::selectFolder() {
    if (DialogHook* hook = DialogHook::active()) {
        DialogRecord r;
        r.kind = DialogRecord::Folder;
        r.title = kAppTitle;
        r.folder = hook->takeFolder();
        hook->record(r);
        return r.folder;
    }
    return QFileDialog::getExistingDirectory(owner(), kAppTitle);
}

} // namespace etb
