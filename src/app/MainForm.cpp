#include "app/MainForm.h"

#include "adapters/QtEventPump.h"
#include "app/ActivityIndicator.h"
#include "app/LogTableModel.h"
#include "app/Session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace etb {

namespace {
const char* const kPageNames[7] = {"TSWeb", "TSChrom", "TSGiris", "TSLog", "cxTabSheet1", "TSGirisTCKimlik",
                                   "TSInteraktifVergiDairesi"};
} // namespace

TFrmETebligat::TFrmETebligat(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint) {
    setObjectName(QStringLiteral("FrmETebligat"));
    digits_ = new DigitFilter(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    PC = new QStackedWidget(this);
    PC->setObjectName(QStringLiteral("PC"));
    for (int i = 0; i < 7; ++i) {
        pages_[i] = new QWidget(PC);
        pages_[i]->setObjectName(QString::fromLatin1(kPageNames[i]));
        PC->addWidget(pages_[i]);
    }
    // The browser pages: an empty layout for the views.
    for (Page p : {Page::TSWeb, Page::TSChrom, Page::TSInteraktifVergiDairesi}) {
        auto* l = new QVBoxLayout(pageWidget(p));
        l->setContentsMargins(0, 0, 0, 0);
    }
    buildUserCodePage(pageWidget(Page::TSGiris), controls_);
    buildTcPage(pageWidget(Page::TSGirisTCKimlik), controls_, digits_);

    // The log page: MemLog's grid and the notifications' grid.
    {
        auto* l = new QVBoxLayout(pageWidget(Page::TSLog));
        l->setContentsMargins(0, 0, 0, 0);
        auto* split = new QSplitter(Qt::Vertical, pageWidget(Page::TSLog));
        GrdLog = new QTableView(split);
        GrdLog->setObjectName(QStringLiteral("GrdLog"));
        logModel_ = new LogTableModel(this);
        GrdLog->setModel(logModel_);
        GrdLog->horizontalHeader()->setStretchLastSection(true);
        GrdTebligat = new QTableView(split);
        GrdTebligat->setObjectName(QStringLiteral("GrdTebligat"));
        l->addWidget(split);
    }
    // The never-shown page: the credentials of the user-code login.
    {
        QWidget* page = pageWidget(Page::cxTabSheet1);
        auto* l = new QVBoxLayout(page);
        for (Ctl c : {Ctl::EdtKullaniciKodu, Ctl::EdtParola, Ctl::EdtSifre}) {
            auto* e = new QLineEdit(page);
            e->setObjectName(ctlName(c));
            if (c != Ctl::EdtKullaniciKodu)
                e->setEchoMode(QLineEdit::Password);
            controls_[c] = e;
            l->addWidget(e);
        }
        l->addStretch(1);
    }
    outer->addWidget(PC, 1);

    // The bottom bar.
    auto* pnlKapat = new QWidget(this);
    pnlKapat->setObjectName(QStringLiteral("PnlKapat"));
    pnlKapat->setFixedHeight(36);
    auto* bar = new QHBoxLayout(pnlKapat);
    bar->setContentsMargins(8, 4, 8, 4);
    auto* label2 = new QLabel(QStringLiteral("25-11-2019 V1"), pnlKapat);
    label2->setObjectName(QStringLiteral("Label2"));
    bar->addWidget(label2);
    bar->addStretch(1);
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), pnlKapat);
    kapat->setObjectName(ctlName(Ctl::BtnKapat));
    kapat->setMinimumWidth(90);
    controls_[Ctl::BtnKapat] = kapat;
    bar->addWidget(kapat);
    outer->addWidget(pnlKapat);

    setMinimumSize(kMinimumSize);
    resize(kDesignSize);
    centre();
    wireButtons();
    qApp->installEventFilter(this);
}

TFrmETebligat::~TFrmETebligat() {
    qApp->removeEventFilter(this);
    // A session that outlives the form stops telling the grid about its lines.
    if (session_)
        logModel_->setLog(nullptr);
}

void TFrmETebligat::setSession(Session* session) {
    if (session_) {
        disconnect(session_, nullptr, this, nullptr);
        logModel_->setLog(nullptr);
    }
    session_ = session;
    logModel_->setLog(session ? &session->MemLog : nullptr);
    // A session that goes first takes its log with it.
    if (session)
        connect(session, &QObject::destroyed, this, [this] { logModel_->forgetLog(); });
}

Session* TFrmETebligat::session() const { return session_.data(); }

void TFrmETebligat::showAndStart() {
    show();
    run([](Session& s) { s.FormShow(); });
    update();
}

void TFrmETebligat::run(const std::function<void(Session&)>& handler) {
    if (!session_)
        return;
    Session* s = session_;
    s->guard([s, &handler] { handler(*s); });
}

void TFrmETebligat::wireButtons() {
    const std::pair<Ctl, void (Session::*)()> clicks[] = {
        {Ctl::BtnKapat, &Session::BtnKapatClick},
        {Ctl::BtnGirisYap, &Session::BtnGirisYapClick},
        {Ctl::BtnGirisYapTC, &Session::BtnGirisYapClick},
        {Ctl::BtnETebligatKontrol, &Session::BtnETebligatKontrolClick},
        {Ctl::BtnETebligatKontrolTC, &Session::BtnETebligatKontrolClick},
        {Ctl::BtnCapthcaYenile, &Session::BtnCapthcaYenileClick},
        {Ctl::BtnCapthcaYenileTC, &Session::BtnCapthcaYenileClick},
    };
    for (const auto& [c, handler] : clicks) {
        auto* b = qobject_cast<QAbstractButton*>(control(c));
        const auto h = handler;
        connect(b, &QAbstractButton::clicked, this, [this, h] { run([h](Session& s) { (s.*h)(); }); });
    }
}

void TFrmETebligat::centre() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        const QSize outer = outerSize();
        move(avail.center().x() - outer.width() / 2, avail.center().y() - outer.height() / 2);
    }
}

QWidget* TFrmETebligat::pageWidget(Page p) const { return pages_[int(p)]; }

QWidget* TFrmETebligat::control(Ctl c) const {
    const auto it = controls_.find(c);
    return it == controls_.end() ? nullptr : it->second;
}

QSize TFrmETebligat::outerSize() const {
    // Before the window system has framed the window, the frame is unknown (taken as none).
    return isVisible() ? frameGeometry().size() : size();
}

// ---- keys ----

bool TFrmETebligat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F9 && (key->modifiers() & Qt::ShiftModifier)) {
        run([](Session& s) { s.FormKeyDownShiftF9(); });
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // The code fields click their operation button first (on key-down); then Enter
        // moves the focus on, as Tab would.
        if (w == control(Ctl::EdtDogrulamaKodu))
            run([](Session& s) { s.EdtDogrulamaKoduKeyDownEnter(false); });
        else if (w == control(Ctl::EdtDogrulamaKoduTC))
            run([](Session& s) { s.EdtDogrulamaKoduKeyDownEnter(true); });
        focusNextPrevChild(true);
        return true;
    }
    return false;
}

// ---- close ----

void TFrmETebligat::requestClose() {
    QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
}

void TFrmETebligat::closeEvent(QCloseEvent* event) {
    if (!closeRan_) {
        closeRan_ = true;
        run([](Session& s) { s.FormClose(); });
    }
    // The form is gone: a wait still running abandons its operation.
    QtEventPump::setTerminating(true);
    event->accept();
    // A hidden form closing is no "last window closed": say it ourselves.
    if (!closedSignalled_) {
        closedSignalled_ = true;
        Q_EMIT closed();
    }
}

// ---- FormUi ----

void TFrmETebligat::setActivePage(Page p) { PC->setCurrentIndex(int(p)); }

Page TFrmETebligat::activePage() const { return Page(PC->currentIndex()); }

void TFrmETebligat::setCaption(const QString& caption) { setWindowTitle(caption); }

void TFrmETebligat::setSizeable(bool sizeable) {
    if (sizeable) {
        setMinimumSize(minimum_);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
}

void TFrmETebligat::resizeWindow(int width, int height) {
    const QSize frame = outerSize() - size();
    const QSize client(width - frame.width(), height - frame.height());
    // The login kinds' sizes are the ones asked for, even below the design minimum.
    minimum_ = minimum_.boundedTo(client);
    setMinimumSize(minimum_);
    resize(client);
    centre();
}

void TFrmETebligat::maximize() {
    if (isVisible())
        showMaximized();
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TFrmETebligat::hideForm() { hide(); }

bool TFrmETebligat::isShowing() const { return isVisible(); }

QString TFrmETebligat::text(Ctl c) const {
    QWidget* w = control(c);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return {};
}

void TFrmETebligat::setText(Ctl c, const QString& text) {
    QWidget* w = control(c);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
}

void TFrmETebligat::setControlVisible(Ctl c, bool visible) {
    if (QWidget* w = control(c))
        w->setVisible(visible);
}

bool TFrmETebligat::controlVisible(Ctl c) const {
    QWidget* w = control(c);
    return w && !w->isHidden();
}

void TFrmETebligat::focus(Ctl c) {
    if (QWidget* w = control(c))
        w->setFocus(Qt::OtherFocusReason);
}

void TFrmETebligat::setHint(Ctl c, const QString& hint) {
    if (QWidget* w = control(c))
        w->setToolTip(hint);
}

void TFrmETebligat::click(Ctl c) {
    if (auto* b = qobject_cast<QAbstractButton*>(control(c)))
        b->click();
}

bool TFrmETebligat::setCaptchaPicture(const QByteArray& image) {
    QPixmap pm;
    if (!pm.loadFromData(image))
        return false;
    for (Ctl c : {Ctl::CaptchaImg, Ctl::CaptchaImgTC})
        if (auto* l = qobject_cast<QLabel*>(control(c)))
            l->setPixmap(pm);
    return true;
}

void TFrmETebligat::setIndicatorsRunning(bool running) {
    for (Ctl c : {Ctl::Bekle, Ctl::BekleTC}) {
        if (auto* a = qobject_cast<ActivityIndicator*>(control(c)))
            running ? a->start() : a->stop();
    }
}

void TFrmETebligat::closeSplash() {
    if (splashCloser_) {
        auto closer = std::move(splashCloser_);
        splashCloser_ = nullptr;
        closer();
    }
}

} // namespace etb
