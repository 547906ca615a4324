#include "app/ActivityIndicator.h"

#include <QPainter>
#include <QtMath>

namespace etb {

namespace {
constexpr int kDots = 8;
constexpr int kTickMs = 100;
} // namespace

ActivityIndicator::ActivityIndicator(Shape shape, QWidget* parent) : QWidget(parent), shape_(shape) {
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &ActivityIndicator::advance);
}

void ActivityIndicator::start() {
    if (!timer_.isActive())
        timer_.start();
    update();
}

void ActivityIndicator::stop() {
    timer_.stop();
    update();
}

void ActivityIndicator::advance() {
    step_ = (step_ + 1) % kDots;
    update();
}

QSize ActivityIndicator::sizeHint() const { return shape_ == Shape::Ring ? QSize(32, 32) : QSize(120, 12); }

void ActivityIndicator::paintEvent(QPaintEvent*) {
    if (!isRunning())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor base(40, 90, 160);
    for (int i = 0; i < kDots; ++i) {
        // The dot at the current step is the darkest; the others fade behind it.
        const int age = (step_ - i + kDots) % kDots;
        QColor c = base;
        c.setAlphaF(1.0 - 0.8 * age / kDots);
        p.setBrush(c);
        if (shape_ == Shape::Ring) {
            const qreal r = qMin(width(), height()) / 2.0;
            const qreal dot = r / 4.0;
            const qreal a = 2 * M_PI * i / kDots;
            const QPointF centre(width() / 2.0 + (r - dot) * qCos(a), height() / 2.0 + (r - dot) * qSin(a));
            p.drawEllipse(centre, dot, dot);
        } else {
            const qreal dot = qMin<qreal>(height() / 2.0, width() / (kDots * 3.0));
            const qreal gap = width() / qreal(kDots);
            p.drawEllipse(QPointF(gap * (i + 0.5), height() / 2.0), dot, dot);
        }
    }
}

} // namespace etb
