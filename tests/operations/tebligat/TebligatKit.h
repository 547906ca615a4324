#pragma once
// Pieces shared by the end-to-end tests of the e-notification check: scenarios built from a
// list of notifications, one whole run (login to hand-back) with what it left behind, and
// probes of the two browser views while the run goes on.
#include "app/MainForm.h"
#include "app/Session.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>
#include <QWebEngineView>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace tebligattest {

// Fast enough for the run's pauses, slow enough for the headless browsers to keep up.
// ETB_TEBLIGAT_SCALE overrides it, for measuring a run at the site's own pace.
inline double scale(double fallback = 0.05) {
    bool ok = false;
    const double s = qEnvironmentVariable("ETB_TEBLIGAT_SCALE").toDouble(&ok);
    return ok && s > 0 ? s : fallback;
}

inline const QString kDownloadFailed = QStringLiteral(
    "Sistemde okunmamış e-Tebligat(larınız) bulunmaktadır fakat indirme işlemi sırasında hata oluşmuştur.Lütfen "
    "tekrar deneyiniz.");

// One notification of a scenario; the keys of tests/site/README.md.
struct Note {
    QString gonderenBirim;
    QString belgeTuru;
    QString belgeNo;
    QString zarf = QStringLiteral("Zarf Aç");
    bool confirmation = true;
    QJsonObject extra;   // failures and delays
};

inline Note note(const QString& birim, const QString& tur, const QString& no, const QString& zarf = QStringLiteral("Zarf Aç"),
                 bool confirmation = true, const QJsonObject& extra = {}) {
    Note n;
    n.gonderenBirim = birim;
    n.belgeTuru = tur;
    n.belgeNo = no;
    n.zarf = zarf;
    n.confirmation = confirmation;
    n.extra = extra;
    return n;
}

inline QJsonObject noteJson(const Note& n, int i) {
    QJsonObject o{{QStringLiteral("gonderenBirim"), n.gonderenBirim},
                  {QStringLiteral("vergiDairesi"), n.gonderenBirim},
                  {QStringLiteral("gondermeTarihi"), QStringLiteral("0%1.02.2024").arg(i + 1)},
                  {QStringLiteral("tebligTarihi"), QStringLiteral("1%1.02.2024").arg(i + 1)},
                  {QStringLiteral("belgeTuru"), n.belgeTuru},
                  {QStringLiteral("belgeNo"), n.belgeNo},
                  {QStringLiteral("zarf"), n.zarf},
                  {QStringLiteral("confirmation"), n.confirmation},
                  {QStringLiteral("pdfText"), QStringLiteral("Belge %1 metni.").arg(n.belgeNo)}};
    for (auto it = n.extra.begin(); it != n.extra.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

// The demo's taxpayer and captcha with the given notifications; extra top-level keys on top.
inline QJsonObject scenario(const QVector<Note>& notes, const QJsonObject& extra = {}) {
    QJsonArray list;
    for (int i = 0; i < notes.size(); ++i)
        list.append(noteJson(notes.at(i), i));
    QJsonObject s{
        {QStringLiteral("captcha"), QJsonObject{{QStringLiteral("enabled"), true}, {QStringLiteral("code"), QStringLiteral("K7P2M")}}},
        {QStringLiteral("user"), QJsonObject{{QStringLiteral("kullaniciKodu"), QStringLiteral("12345678")},
                                             {QStringLiteral("parola"), QStringLiteral("Parola.2024")},
                                             {QStringLiteral("sifre"), QStringLiteral("Sifre.2024")},
                                             {QStringLiteral("unvan"), QStringLiteral("ÖRNEK GIDA SANAYİ VE TİCARET A.Ş.")}}},
        {QStringLiteral("messagePopup"), true},
        {QStringLiteral("notifications"), list}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        s.insert(it.key(), it.value());
    return s;
}

// Three plain notifications: two envelopes with the reading confirmation, one without.
inline QVector<Note> threeNotes() {
    return {note(QStringLiteral("Kadıköy Vergi Dairesi Müdürlüğü"), QStringLiteral("Vergi İnceleme Raporu"), QStringLiteral("2024020001")),
            note(QStringLiteral("Boğaziçi Kurumlar Vergi Dairesi Müdürlüğü"), QStringLiteral("Ödeme Emri"), QStringLiteral("2024020002")),
            note(QStringLiteral("Kadıköy Vergi Dairesi Müdürlüğü"), QStringLiteral("Vergi/Ceza İhbarnamesi"), QStringLiteral("2024020003"),
                 QStringLiteral("Zarf Aç"), false)};
}

// The document name the tool gives a notification, and its file in the data folder.
inline QString documentName(const QJsonObject& note) {
    return note.value(QStringLiteral("belgeTuru")).toString() + QLatin1Char('_') + note.value(QStringLiteral("belgeNo")).toString();
}
inline QString fileNameOf(const QJsonObject& note) {
    QString name = documentName(note) + QStringLiteral(".pdf");
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}

// What one run left behind.
struct Outcome {
    bool closed = false;
    int closedSignals = 0;
    QVector<QVariantMap> notifications;   // E_TEBLIGAT by ID
    QVector<QVariantMap> logRows;         // E_TEBLIGAT_LOG by ID
    QStringList memoryLog;                // the log as it stood at the end
    QStringList dialogs;                  // texts of the dialogs shown
    QStringList files;                    // file names in the data folder
    QJsonArray events;                    // the site's events

    QList<QJsonObject> eventsOf(const QString& kind) const {
        QList<QJsonObject> out;
        for (const QJsonValue& e : events)
            if (e.toObject().value(QStringLiteral("kind")).toString() == kind)
                out.append(e.toObject());
        return out;
    }
    // The stored row of a document number (empty map when none).
    QVariantMap rowOf(const QString& belgeNo) const {
        for (const QVariantMap& r : notifications)
            if (r.value(QStringLiteral("BELGE_NO")).toString() == belgeNo)
                return r;
        return {};
    }
    bool logHas(const QString& line) const { return memoryLog.contains(line); }
    bool logHasStart(const QString& start) const {
        for (const QString& l : memoryLog)
            if (l.startsWith(start))
                return true;
        return false;
    }
};

// Runs the check as the host and the user would: start, type the captcha, press the button,
// wait for the form to close. `during` is called every 20 ms while the run goes on.
inline Outcome runCheck(ToolRun& run, const std::function<void()>& during = {}, int closeTimeoutMs = 90000) {
    Outcome out;
    if (!run.launch(run.arguments(QStringLiteral("TebligatKontrol"))))
        return out;
    QObject::connect(&run.form(), &etb::TFrmETebligat::closed, &run.form(), [&out] { ++out.closedSignals; });
    std::unique_ptr<QTimer> ticker;
    if (during) {
        ticker = std::make_unique<QTimer>();
        ticker->setInterval(20);
        QObject::connect(ticker.get(), &QTimer::timeout, ticker.get(), during);
        ticker->start();
    }
    run.typeCode(run.captchaCode());
    run.press(etb::Ctl::BtnETebligatKontrol);
    out.closed = run.waitClosed(closeTimeoutMs);
    // Late events (a held download) have their moment to arrive and be ignored.
    run.waitUntil([] { return false; }, 300);
    ticker.reset();
    out.notifications = run.query(QStringLiteral("SELECT * FROM E_TEBLIGAT ORDER BY ID"));
    out.logRows = run.query(QStringLiteral("SELECT * FROM E_TEBLIGAT_LOG ORDER BY ID"));
    out.memoryLog = run.logLines();
    out.dialogs = run.dialogs.texts();
    out.files = QDir(run.dataDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    out.events = run.site.events();
    return out;
}

// The bytes the site hands out for notification i.
inline QByteArray siteDocument(ToolRun& run, int i) {
    const QJsonArray notes = run.site.state().value(QStringLiteral("notifications")).toArray();
    const QString path = notes.at(i).toObject().value(QStringLiteral("documentPath")).toString();
    const TrainingSite::Response r = run.site.get(run.site.applicationUrl(path));
    return r.status == 200 ? r.body : QByteArray();
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file is a PDF with exactly the bytes the site hands out for notification i.
inline ::testing::AssertionResult holdsDocument(ToolRun& run, const QString& path, int i) {
    const QByteArray saved = fileBytes(path);
    const QByteArray expected = siteDocument(run, i);
    if (expected.isEmpty())
        return ::testing::AssertionFailure() << "the site gave no document " << i;
    if (!saved.startsWith("%PDF-"))
        return ::testing::AssertionFailure() << path.toStdString() << " is no PDF (" << saved.size() << " bytes)";
    if (saved != expected)
        return ::testing::AssertionFailure() << path.toStdString() << " holds " << saved.size()
                                             << " bytes that are not document " << i << " (" << expected.size() << " bytes)";
    return ::testing::AssertionSuccess();
}

// The browser view on a page of the form (TSChrom: the acting view, TSWeb: the reading view).
inline QWebEngineView* viewOn(ToolRun& run, etb::Page page) {
    QWidget* w = run.form().pageWidget(page);
    return w ? w->findChild<QWebEngineView*>() : nullptr;
}

// Evaluates a script in a view without waiting; `answer` gets the result when it comes (an
// invalid value when the page went away first).
inline void probe(QWebEngineView* view, const QString& script, const std::function<void(const QVariant&)>& answer) {
    if (view)
        view->page()->runJavaScript(script, answer);
}

} // namespace tebligattest
