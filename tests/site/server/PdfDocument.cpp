#include "PdfDocument.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QByteArray renderNotificationPdf(const ScenarioNotification& n) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        writer.setTitle(n.belgeTuru + QLatin1Char(' ') + n.belgeNo);
        writer.setCreator(QStringLiteral("training-site"));
        QPainter p(&writer);
        const int w = writer.width();
        const int margin = 150;
        QFont title(QStringLiteral("DejaVu Sans"));
        title.setPointSize(16);
        title.setBold(true);
        QFont body(QStringLiteral("DejaVu Sans"));
        body.setPointSize(11);

        p.setFont(title);
        p.drawText(QRect(margin, margin, w - 2 * margin, 120), Qt::AlignHCenter,
                   QStringLiteral("VERGİ DAİRESİ UYGULAMASI — EĞİTİM ORTAMI"));
        p.drawText(QRect(margin, margin + 110, w - 2 * margin, 120), Qt::AlignHCenter,
                   QStringLiteral("ELEKTRONİK TEBLİGAT"));
        p.setFont(body);
        int y = margin + 320;
        const QList<QPair<QString, QString>> rows = {
            {QStringLiteral("Gönderen Birim"), n.gonderenBirim},
            {QStringLiteral("Vergi Dairesi"), n.vergiDairesi},
            {QStringLiteral("Tebliğ Edilen Belge Türü"), n.belgeTuru},
            {QStringLiteral("Belge No"), n.belgeNo},
            {QStringLiteral("Gönderme Tarihi"), n.gondermeTarihi},
            {QStringLiteral("Tebliğ Tarihi"), n.tebligTarihi},
        };
        for (const auto& row : rows) {
            p.drawText(margin, y, row.first + QStringLiteral(": ") + row.second);
            y += 70;
        }
        y += 60;
        p.drawText(QRect(margin, y, w - 2 * margin, writer.height() - y - margin),
                   Qt::TextWordWrap, n.pdfText);
    }
    return bytes;
}
