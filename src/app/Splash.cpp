#include "app/Splash.h"

#include "app/ActivityIndicator.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace etb {

namespace {
// The picture at the top: the suite's name on a band.
QPixmap splashPicture() {
    QPixmap pm(135, 83);
    pm.fill(QColor(225, 232, 242));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 90, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(8, 18, 119, 47), 8, 8);
    QFont f;
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 18, 119, 47), Qt::AlignCenter, QStringLiteral("Talpo.Net"));
    return pm;
}
} // namespace

TFrmSplash::TFrmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FrmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(351, 154);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(135, 83);
    picture->setPixmap(splashPicture());
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    auto* text = new QLabel(QStringLiteral("Program Yükleniyor. Lütfen Bekleyiniz..."), this);
    text->setObjectName(QStringLiteral("Label1"));
    QFont f = text->font();
    f.setBold(true);
    text->setFont(f);
    layout->addWidget(text, 0, Qt::AlignHCenter);
    Bekle2 = new ActivityIndicator(ActivityIndicator::Shape::Row, this);
    Bekle2->setObjectName(QStringLiteral("Bekle2"));
    Bekle2->setFixedSize(160, 12);
    layout->addWidget(Bekle2, 0, Qt::AlignHCenter);
    Timer1.setInterval(100);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    // Each tick repaints the dots, so they keep moving while the start-up works.
    connect(&Timer1, &QTimer::timeout, Bekle2, [this] { Bekle2->update(); });
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFrmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Bekle2->start();
    Timer1.start();
}

} // namespace etb
