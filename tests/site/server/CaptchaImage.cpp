#include "CaptchaImage.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

QByteArray renderCaptchaJpeg(const QString& code) {
    QImage image(200, 70, QImage::Format_RGB32);
    image.fill(QColor(0xf4, 0xf1, 0xe8));
    auto* rng = QRandomGenerator::global();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 14; ++i) {
            p.setPen(QPen(QColor(rng->bounded(120, 220), rng->bounded(120, 220), rng->bounded(120, 220)), 1.5));
            p.drawLine(rng->bounded(200), rng->bounded(70), rng->bounded(200), rng->bounded(70));
        }
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(38);
        font.setBold(true);
        p.setFont(font);
        const int step = code.isEmpty() ? 0 : 170 / int(code.size());
        for (int i = 0; i < code.size(); ++i) {
            p.save();
            p.translate(18 + i * step, 50);
            p.rotate(rng->bounded(-18, 19));
            p.setPen(QColor(rng->bounded(0, 90), rng->bounded(0, 90), rng->bounded(60, 140)));
            p.drawText(0, 0, code.mid(i, 1));
            p.restore();
        }
        for (int i = 0; i < 220; ++i) {
            p.setPen(QColor(rng->bounded(256), rng->bounded(256), rng->bounded(256)));
            p.drawPoint(rng->bounded(200), rng->bounded(70));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}
