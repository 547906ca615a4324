// Documents the site hands out: the browser's download event, and our own download of a
// document into the data folder or into a folder the user picks.
#include "app/Session.h"
#include "app/Timing.h"
#include "browser/DocumentNames.h"

#include <QDir>
#include <QSaveFile>
#include <QUrl>

namespace etb {

namespace {

// Why a download failed; its text goes into the log line.
struct DownloadFailure {
    QString message;
};

QByteArray fetch(HttpClient& http, const QString& url) {
    HttpRequest request;
    request.url = QUrl(url);
    request.connectTimeoutMs = scaled(Pause::HttpConnect);
    request.stallMs = scaled(Pause::HttpStall);
    HttpResponse response = http.get(request);
    if (!response.success())
        throw DownloadFailure{response.error.isEmpty() ? QStringLiteral("HTTP %1").arg(response.status)
                                                       : response.error};
    return response.body;
}

// The body goes to a temporary file beside the target and is renamed into place once it is
// complete, so a failed or interrupted write never leaves a truncated file under the name.
void writeFile(const QString& path, const QByteArray& body) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DownloadFailure{QStringLiteral("Dosya oluşturulamadı: %1 (%2)")
                                  .arg(QDir::toNativeSeparators(path), file.errorString())};
    if (file.write(body) != body.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw DownloadFailure{QStringLiteral("Dosya yazılamadı: %1 (%2)").arg(QDir::toNativeSeparators(path), why)};
    }
    if (!file.commit())
        throw DownloadFailure{QStringLiteral("Dosya yazılamadı: %1 (%2)")
                                  .arg(QDir::toNativeSeparators(path), file.errorString())};
}

} // namespace

QString Session::fn_BelgeIndir(const QString& url, const QString& fileName) {
    const QString name = guvenliDosyaAdi(gEVergiLevhasi
                                             ? vergiLevhasiDosyaAdi(gVergiLevhasiYil, gKlavuz, gVergiLevhasiTarih)
                                             : belgeDosyaAdi(fileName));
    try {
        const QByteArray body = fetch(s.http, url);
        if (gEVergiLevhasi) {
            // The first folder must exist; the company's document folder is made on demand.
            writeFile(gAnaDizin + QStringLiteral("eVergi_Levhaları/") + name, body);
            const QString folder =
                gAnaDizin + QStringLiteral("talpodata/") + gKlavuz + QStringLiteral("/DÖKÜMANLAR/Vergi_Levhaları/");
            if (!QDir().mkpath(folder))
                throw DownloadFailure{
                    QStringLiteral("Klasör oluşturulamadı: %1").arg(QDir::toNativeSeparators(folder))};
            writeFile(folder + name, body);
            gEVergiLevhasiIndirilenFirmaListesi << gKlavuz + QStringLiteral(" Vergi Levhası Onay Yılı ") +
                                                       gVergiLevhasiYil;
        } else {
            writeFile(gAnaDizin + name, body);
        }
        pr_LogYaz(QLatin1Char('"') + name + QStringLiteral("\" isimli tebligat dosyanız bsşarıyla indirildi."));
        return gAnaDizin + name;
    } catch (const DownloadFailure& failure) {
        pr_LogYaz(QLatin1Char('"') + fileName + QStringLiteral("\" isimli tebligat dosyasını indirirken hata oluştu. ") +
                  failure.message);
        return kDosyaIndirilemedi;
    }
}

QString Session::fn_DosyaIndir(const QString& url, const QString& fileName, const QString& folder) {
    try {
        const QByteArray body = fetch(s.http, url);
        writeFile(folder + QLatin1Char('/') + guvenliDosyaAdi(fileName), body);
        return folder;
    } catch (const DownloadFailure&) {
        return kDosyaIndirilemedi;
    }
}

void Session::ChromBeforeDownload(const QUrl& url, const QString& suggestedName) {
    // Runs inside the browser's download callback, which has already cancelled the
    // browser's own download: only quick bookkeeping here, the rest from a queued call.
    const QString address = url.toString(QUrl::FullyEncoded);

    if (gETebligatKontrolIcinAcildi) {
        // The document belongs to the notification whose button was clicked and is waiting;
        // an event with no such row (a late one) must not land in another notification.
        if (downloadWaitingRow >= 0 && downloadWaitingRow < MemTebligatList.count() && !downloadEventArrived) {
            pr_LogYaz(QStringLiteral("Zarf Bulundu: ") + suggestedName);
            TebligatRow& row = MemTebligatList.rows()[downloadWaitingRow];
            row.BELGE_FILE_NAME = suggestedName.left(50);
            row.BELGE_URL = address.left(500);
            downloadEventArrived = true;
        } else {
            pr_LogYaz(QStringLiteral("Beklenmeyen indirme yok sayıldı: ") + suggestedName);
        }
        return;
    }

    if (gEVergiLevhasi) {
        post([this, address, suggestedName] {
            fn_BelgeIndir(address, suggestedName);
            pr_LogYaz(suggestedName);
        });
        return;
    }

    post([this, address, suggestedName] {
        const QString folder = s.dialogs.selectFolder();
        if (folder.isEmpty())
            return;
        if (fn_DosyaIndir(address, suggestedName, folder) != kDosyaIndirilemedi)
            BilgiMesaji(s.dialogs, QStringLiteral("Dosya başarıyla indirildi."));
        else
            BilgiMesaji(s.dialogs,
                        QStringLiteral("Dosya indirme işlemi sırasında hata oluştu. Lütfen tekrar deneyiniz."));
    });
}

} // namespace etb
