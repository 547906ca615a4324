// Renders the login pages (both login kinds, a few modes), the splash and sample message
// dialogs to PNG files, so a reviewer can look at the windows without a host suite.
// Usage: etebligat-screenshots <folder>
#include "adapters/QtEventPump.h"
#include "app/Environment.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/Splash.h"
#include "dialog/DialogHook.h"
#include "dialog/DlgBox.h"
#include "support/Fakes.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTextStream>

using namespace etb;

namespace {

// A picture in the manner of the site's captcha.
QByteArray samplePicture() {
    QImage img(183, 92, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 228));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int i = 0; i < 12; ++i)
        p.drawLine(0, (i * 37) % 92, 183, (i * 53 + 20) % 92);
    QFont f;
    f.setPixelSize(34);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(60, 60, 110));
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("K7RM4"));
    p.end();
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return png;
}

bool save(const QPixmap& pm, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = pm.save(path, "PNG");
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << path << "\n";
    return ok;
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The main form as the start-up leaves it for one mode and login kind.
bool shootForm(const QDir& dir, const QString& name, const QString& keyword, const QString& kind) {
    test::FakeTicks ticks;
    test::FakePump pump(&ticks, 10);
    Waiter waiter(ticks, pump);
    test::FakeActingView chrom, portal;
    test::FakeReadingView web;
    test::FakeHttpClient http;
    test::FakeHostDatabase db;
    TFrmETebligat form;
    WidgetDialogs dialogs(&form);
    DialogHook hook;   // nothing may stop the run with a window
    const QStringList args = {kLaunchToken, "KULLANICI", "parola", "sifre", keyword, kind,
                              "Provider=SQLite;Data Source=firma.db", "1", "/tmp/", "7", "2024", ""};
    Session session(Services{form, dialogs, chrom, web, portal, http, db, waiter}, CommandLine(args));
    form.setSession(&session);
    // The start-up with the form not yet shown leaves the captcha to the browsers; the
    // picture is put in as the captcha start would.
    session.guard([&] { session.FormShow(); });
    form.setCaptchaPicture(samplePicture());
    form.setHint(Ctl::CaptchaImg, QStringLiteral("1234567890"));
    form.show();
    settle();
    const bool ok = save(form.grab(), dir, name);
    form.hide();
    return ok;
}

bool shootDialog(const QDir& dir, const QString& name, const QString& heading, const QString& text, int set,
                 int def, int icon) {
    TFrmDlgBox dlg;
    dlg.prepare(kAppTitle, heading, text, 0, set, def, icon);
    dlg.show();
    settle();
    const bool ok = save(dlg.grab(), dir, name);
    dlg.hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(kAppTitle);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir dir;
    if (!dir.mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << "\n";
        return 1;
    }
    dir.setPath(folder);
    Environment env = Environment::fromProcess();
    env.timeScale = 1.0;
    Environment::set(env);

    bool ok = true;
    const struct {
        const char* file;
        const char* keyword;
        const char* kind;
    } forms[] = {
        {"giris-kullanici-tebligat.png", "TebligatKontrol", "KullaniciGirisi"},
        {"giris-kullanici-pos.png", "PosKontrol", "KullaniciGirisi"},
        {"giris-kullanici-vergilevhasi.png", "EVergiLevhasi", "KullaniciGirisi"},
        {"giris-kullanici-giris.png", "Giriş", "KullaniciGirisi"},
        {"giris-tckimlik-tebligat.png", "TebligatKontrol", "TCKimlikNoGirisi"},
        {"giris-tckimlik-giris.png", "Giriş", "TCKimlikNoGirisi"},
        {"giris-bilinmeyen-anahtar.png", "giriş", "KullaniciGirisi"},
    };
    for (const auto& f : forms) {
        QtEventPump::setTerminating(false);
        ok &= shootForm(dir, QString::fromUtf8(f.file), QString::fromUtf8(f.keyword), QString::fromUtf8(f.kind));
    }

    auto* splash = new TFrmSplash;
    splash->show();
    settle();
    ok &= save(splash->grab(), dir, QStringLiteral("splash.png"));
    splash->close();

    ok &= shootDialog(dir, "dlgbox-bilgi.png", "Bilgi..!", "Doğrulama kodu yüklenemedi. Lütfen Tekrar deneyiniz.",
                      0, 1, 1);
    ok &= shootDialog(dir, "dlgbox-hata-uzun.png", "Hata..!",
                      "Program veri tabanına bağlanamadı. Program sonlandırılacak. Lütfen Tekrar deneyiniz. "
                      "[FreeTDS][SQL Server]Unable to connect: Adaptive Server is unavailable or does not exist "
                      "(sunucu\\TALPO, 1433).",
                      0, 1, 3);
    ok &= shootDialog(dir, "dlgbox-iki-satir.png", "Bilgi..!",
                      "Parola hatalıdır.\r\nKullanıcı bilgilerinizi kontrol edip tekrar deneyiniz.", 0, 1, 1);
    ok &= shootDialog(dir, "dlgbox-tumune.png", "Soru", "Bu belge daha önce indirilmiş. Yeniden indirilsin mi?", 4, 1,
                      4);
    ok &= shootDialog(dir, "dlgbox-yeniden-dene.png", "Uyarı", "Belge indirilemedi.", 5, 2, 2);
    return ok ? 0 : 1;
}
