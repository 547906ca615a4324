#include "app/Session.h"
#include "app/Timing.h"
#include "browser/ChromScripts.h"
#include "browser/MenuStep.h"
#include "browser/ReadingView.h"

namespace etb {

namespace {

const QString kFailed = QStringLiteral("Dosya İndirilemedi");

// The first element of a pop-up window class, when its text holds the given words.
bool popupShows(ReadingView& web, const QString& windowClass, const QString& words) {
    Query q;
    q.source = Source::ByClass;
    q.arg = windowClass;
    q.props = {Prop::TextContent};
    q.limit = 1;
    const QVector<Element> first = web.query(q);
    return !first.isEmpty() && first.first().get(q.props, Prop::TextContent).contains(words);
}

// The first pop-up button (class "csc-button") whose value is the given text.
std::optional<Element> popupButton(ReadingView& web, const QString& value, QString* id) {
    Query q;
    q.source = Source::ByClass;
    q.arg = QStringLiteral("csc-button");
    q.any = {Rule{{Test{Prop::Value, Test::Equals, value}}}};
    q.props = {Prop::Id};
    q.limit = 1;
    const QVector<Element> found = web.query(q);
    if (found.isEmpty())
        return std::nullopt;
    if (id)
        *id = found.first().get(q.props, Prop::Id);
    return found.first();
}

} // namespace

void Session::BtnETebligatKontrolClick() {
    const IndicatorsRunning indicators(s.ui);

    // 2.
    pr_OturumAc(Operation::Tebligat);
    if (!gGirisBasarili)
        return;

    // From here on the form is hidden: however the run ends, the form is closed so that the
    // hand-back reaches the host and no hidden process is left behind.
    struct CloseAtEnd {
        FormUi& ui;
        ~CloseAtEnd() { ui.requestClose(); }
    } closeAtEnd{s.ui};

    // 3.
    if (!pr_MenuSayfasinaGit(MenuSteps::tebligatMenu()) || gHataOlustu)
        return;
    // 4.
    if (!pr_MenuSayfasinaGit(MenuSteps::tebligatOkunan()))
        return;
    // 5.
    s.ui.setActivePage(Page::TSWeb);
    pr_LogYaz(QStringLiteral("Tebligatlar sayfasına ulaşıldı."));
    pr_SureBekle(Pause::NotificationPage);
    // 6. The message pop-up after login.
    if (popupShows(s.web, QStringLiteral("cs-popup-window iv"), QStringLiteral("MesajxPosta kutunuzda"))) {
        if (const auto tamam = popupButton(s.web, QStringLiteral("Tamam"), nullptr))
            s.web.click(*tamam);
        s.ui.setActivePage(Page::TSChrom);
        CodeStr = ChromScripts::popupClose();
        runChromScript(CodeStr);
    }
    // 7.
    pr_SureBekle(Pause::BeforeEnvelopes);
    pr_ETebligatKontrolIslemleri();
}

void Session::pr_ETebligatKontrolIslemleri() {
    pr_LogYaz(QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine başlandı."));
    pr_GetETebligatList(false);
    if (MemTebligatList.count() == 0) {
        pr_LogYaz(QStringLiteral("Okunmamış Tebligatınız Bulunmamaktadır."));
        MemTebligatList.close();
        return;
    }
    pr_LogYaz(QStringLiteral("Okunmamış Tebligatlarınız Bilgisayarınıza İndiriliyor."));
    // From here until every document is on disk, a hand-back (the form closed while the
    // check runs) must tell the host that documents are missing: envelopes opened from now
    // on count as read on the site.
    gETebligatIndirilemedi = true;
    bool anyFailed = false;
    gButtonList.clear();

    // Envelope phase.
    for (int i = 0; i < MemTebligatList.count(); ++i) {
        MemTebligatList.setCurrent(i);
        pr_ZarfAc(MemTebligatList.rows()[i].ZARF_INDIR_BUTON_NAME);
    }

    // The documents of the opened envelopes.
    pr_GetETebligatList(true);
    MemTebligatList.first();

    // Download phase: each row waits for the download event of its own button; an event
    // that comes later than that is not taken for the next row.
    for (int i = 0; i < MemTebligatList.count(); ++i) {
        MemTebligatList.setCurrent(i);
        struct StopWaiting {
            int& row;
            ~StopWaiting() { row = -1; }
        } stopWaiting{downloadWaitingRow};

        // The click of the acting view, with its pause before it. The row starts waiting only
        // when its own button is clicked: a download that the previous row's button starts
        // late, during the pause, is then nobody's and is ignored.
        s.ui.setActivePage(Page::TSChrom);
        pr_SureBekle(Pause::ChromClick);
        downloadEventArrived = false;
        downloadWaitingRow = i;
        CodeStr = ChromScripts::clickById(MemTebligatList.rows()[i].BELGE_INDIR_BUTON_NAME);
        runChromScript(CodeStr);
        const qint32 start = s.waiter.now();
        const qint64 limit = scaled(Pause::DownloadEventLimit);
        while (!downloadEventArrived && tickDistance(start, s.waiter.now()) <= limit)
            s.waiter.pumpOnce(20);
        downloadWaitingRow = -1;

        TebligatRow& row = MemTebligatList.rows()[i];
        const QString name = row.TEBLIG_BELGE_TURU + QLatin1Char('_') + row.BELGE_NO;
        QString result;
        if (!row.BELGE_URL.trimmed().isEmpty()) {
            result = fn_BelgeIndir(row.BELGE_URL, name);
        } else {
            // The button started no download: the document is not on disk, which the host
            // must learn just as it learns of a failed download.
            pr_LogYaz(QLatin1Char('"') + name + QStringLiteral("\" isimli tebligat için indirme başlamadı."));
            result = kFailed;
        }
        if (result == kFailed) {
            anyFailed = true;
        } else {
            TebligatRow& r = MemTebligatList.rows()[i];
            r.BELGE_YOLU = result.left(250);
            r.BELGE_FILE_NAME = name.left(50);
        }
    }
    gETebligatIndirilemedi = anyFailed;
    pr_LogYaz(QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine tamamlandı."));
}

void Session::pr_ZarfAc(const QString& id) {
    try {
        if (gButtonList.contains(id))
            return;
        s.ui.setActivePage(Page::TSChrom);
        Query byId;
        byId.source = Source::ById;
        byId.arg = id;
        byId.limit = 1;
        const QVector<Element> envelope = s.web.query(byId);
        if (envelope.isEmpty())
            return;
        s.web.click(envelope.first());
        pr_ChromButtonClik(id);
        pr_SureBekle(Pause::PopupAnswer);

        // A pop-up is answered in the reading view first, then in the acting view by id.
        const auto answer = [this](const QString& windowClass, const QString& words, const QString& button) {
            if (popupShows(s.web, windowClass, words)) {
                QString buttonId;
                if (const auto pressed = popupButton(s.web, button, &buttonId)) {
                    s.web.click(*pressed);
                    pr_ChromButtonClik(buttonId);
                }
            }
            pr_SureBekle(Pause::PopupAnswer);
        };
        answer(QStringLiteral("cs-popup-window iv undefined"), QStringLiteral("okuma işlemine dair delil oluşturulacaktır"),
               QStringLiteral("Kabul Et ve Oku"));
        answer(QStringLiteral("cs-popup-window iv"), QStringLiteral("BaşarılıxZarf açma işlemi başarıyla tamamlandı"),
               QStringLiteral("Tamam"));
    } catch (const DomError& e) {
        pr_LogYaz(QStringLiteral("Zarf açılamadı (") + id + QStringLiteral("): ") + QString::fromUtf8(e.what()));
    }
}

} // namespace etb
