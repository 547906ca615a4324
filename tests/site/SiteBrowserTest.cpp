// The training site's pages in a real headless Chromium, worked the way the tool
// works them: the login page in two views with separate profiles, the captcha id
// of one view written into the other, the page's own giris(), then the
// e-notification pages found in one view and clicked by id in both.

#include "support/TrainingSite.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <functional>
#include <memory>

namespace {

const char* kMenuClass = "csc-rospan csc-title cursor-pointer iv-app-menu-item csc-title-selected";

class RecordingPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList alerts;

protected:
    void javaScriptAlert(const QUrl&, const QString& message) override { alerts << message; }
};

// One browser view with its own (off-the-record) profile.
struct View {
    explicit View(QObject* owner)
        : profile(new QWebEngineProfile(owner)), page(new RecordingPage(profile, nullptr)) {
        widget.setPage(page);
        widget.resize(1280, 900);
        widget.show();
    }
    ~View() {
        widget.setPage(nullptr);
        delete page;  // pages go before their profile
        delete profile;
    }
    QWebEngineProfile* profile;
    RecordingPage* page;
    QWebEngineView widget;
};

void pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QVariant js(QWebEnginePage* page, const QString& script, int timeoutMs = 5000) {
    QVariant result;
    bool done = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
        loop.quit();
    });
    timer.start(timeoutMs);
    if (!done)
        loop.exec();
    return result;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        if (condition())
            return true;
        pump(50);
    }
    return false;
}

bool waitForScript(QWebEnginePage* page, const QString& script, int timeoutMs = 10000) {
    return waitUntil([&] { return js(page, script).toBool(); }, timeoutMs);
}

bool load(QWebEnginePage* page, const QUrl& url) {
    bool finished = false;
    const auto connection = QObject::connect(page, &QWebEnginePage::loadFinished, page, [&](bool) { finished = true; });
    page->load(url);
    const bool ok = waitUntil([&] { return finished; }, 15000);
    QObject::disconnect(connection);
    return ok;
}

QString str(const QString& text) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

QString readCid(QWebEnginePage* page, const QString& frame) {
    return js(page, QStringLiteral("document.getElementById(%1).contentDocument.getElementById('cid').value")
                        .arg(str(frame))).toString();
}

void setField(QWebEnginePage* page, const QString& id, const QString& value) {
    js(page, QStringLiteral("document.getElementById(%1).value=%2;").arg(str(id), str(value)));
}

void clickId(QWebEnginePage* page, const QString& id) {
    js(page, QStringLiteral("document.getElementById(%1).click();").arg(str(id)));
}

// Text content of the first element of a class ("" when there is none).
QString firstOfClass(QWebEnginePage* page, const QString& cls) {
    return js(page, QStringLiteral("(function(){var e=document.getElementsByClassName(%1);"
                                   "return e.length?e[0].textContent:'';})()").arg(str(cls))).toString();
}

// Id of the first "csc-button" whose value is the given text.
QString buttonId(QWebEnginePage* page, const QString& value) {
    return js(page, QStringLiteral("(function(){var b=document.getElementsByClassName('csc-button');"
                                   "for(var i=0;i<b.length;i++){if(b[i].value===%1)return b[i].id;}return '';})()")
                        .arg(str(value))).toString();
}

class SiteBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start(TrainingSite::scenarioPath(QStringLiteral("demo")))) << qPrintable(site.errorString());
    }

    TrainingSite site;
    QObject owner;
};

TEST_F(SiteBrowserTest, GirisRaisesTheSiteAlertForAWrongValue) {
    struct Case {
        const char* field;
        const char* value;
        const char* word;
    };
    const QList<Case> cases = {{"parola", "yanlis", "Parola"}, {"dkKKODU", "ZZZZZ", "Doğrulama"}};
    View view(&owner);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        ASSERT_TRUE(load(view.page, site.applicationRoot()));
        const QString cid = readCid(view.page, QStringLiteral("captchaKKODU"));
        ASSERT_FALSE(cid.isEmpty());
        setField(view.page, QStringLiteral("kullaniciKodu"), QStringLiteral("12345678"));
        setField(view.page, QStringLiteral("parola"), QStringLiteral("Parola.2024"));
        setField(view.page, QStringLiteral("sifre"), QStringLiteral("Sifre.2024"));
        setField(view.page, QStringLiteral("dkKKODU"), site.captchaCode(cid));
        setField(view.page, QString::fromLatin1(c.field), QString::fromUtf8(c.value));
        view.page->alerts.clear();
        js(view.page, QStringLiteral("javascript: giris();"));
        ASSERT_TRUE(waitUntil([&] { return !view.page->alerts.isEmpty(); }));
        EXPECT_TRUE(view.page->alerts.first().contains(QString::fromUtf8(c.word)))
            << qPrintable(view.page->alerts.first());
        EXPECT_FALSE(view.page->url().toString().contains(QStringLiteral("token=")));
    }
}

TEST_F(SiteBrowserTest, BothViewsWorkTheNotificationPagesAlike) {
    View acting(&owner);
    View reading(&owner);
    ASSERT_TRUE(load(acting.page, site.applicationRoot()));
    ASSERT_TRUE(load(reading.page, site.applicationRoot()));

    // The reading view's captcha id goes into the acting view's frame; the code
    // typed is that id's, and the page submits the id now in its frame.
    const QString cid = readCid(reading.page, QStringLiteral("captchaKKODU"));
    ASSERT_FALSE(cid.isEmpty());
    ASSERT_NE(cid, readCid(acting.page, QStringLiteral("captchaKKODU")));
    js(acting.page, QStringLiteral("document.getElementById(\"captchaKKODU\").contentDocument.getElementById(\"cid\").value=\"%1\"")
                        .arg(cid));
    setField(acting.page, QStringLiteral("kullaniciKodu"), QStringLiteral("12345678"));
    setField(acting.page, QStringLiteral("parola"), QStringLiteral("Parola.2024"));
    setField(acting.page, QStringLiteral("sifre"), QStringLiteral("Sifre.2024"));
    setField(acting.page, QStringLiteral("dkKKODU"), site.captchaCode(cid));
    js(acting.page, QStringLiteral("javascript: giris();"));
    ASSERT_TRUE(waitUntil([&] { return acting.page->url().toString().contains(QStringLiteral("token=")); }))
        << qPrintable(acting.page->alerts.join(QLatin1Char('|')));
    ASSERT_TRUE(load(reading.page, acting.page->url()));
    QList<QWebEnginePage*> both{reading.page, acting.page};

    // The menu item: exact class and text, an id, the same in both views.
    const QString findMenu = QStringLiteral(
        "(function(){var a=document.all||document.getElementsByTagName('*');for(var i=0;i<a.length;i++){"
        "if(a[i].innerText==='E-Tebligat İşlemleri'&&a[i].className===%1)return a[i].id;}return '';})()")
                                 .arg(str(QString::fromLatin1(kMenuClass)));
    ASSERT_TRUE(waitForScript(acting.page, findMenu + QStringLiteral("!==''")));
    const QString menuId = js(reading.page, findMenu).toString();
    ASSERT_FALSE(menuId.isEmpty());
    EXPECT_EQ(js(acting.page, findMenu).toString(), menuId);

    for (QWebEnginePage* page : both) {
        clickId(page, menuId);
        EXPECT_TRUE(waitForScript(page, QStringLiteral(
            "Array.prototype.some.call(document.getElementsByTagName('*'),function(e){return e.innerText==='Okunan Tebligatlar';})")));
        EXPECT_TRUE(waitUntil([&] { return !firstOfClass(page, QStringLiteral("cs-popup-window iv")).isEmpty(); }));
        EXPECT_TRUE(firstOfClass(page, QStringLiteral("cs-popup-window iv")).startsWith(QStringLiteral("MesajxPosta kutunuzda")))
            << qPrintable(firstOfClass(page, QStringLiteral("cs-popup-window iv")));
    }
    // Answered in the reading view, closed by script in the acting view: gone from both.
    clickId(reading.page, buttonId(reading.page, QStringLiteral("Tamam")));
    js(acting.page, QStringLiteral("document.getElementsByClassName(\"cs-popup-close-btn\").item(0).click();"));
    for (QWebEnginePage* page : both)
        EXPECT_TRUE(firstOfClass(page, QStringLiteral("cs-popup-window iv")).isEmpty());

    // The list: headers, envelope images with their id right before style="width, a footer row.
    const QString listShape = QStringLiteral(
        "(function(){var t=document.getElementsByTagName('TABLE');for(var i=0;i<t.length;i++){var r=t[i].rows;"
        "if(r.length&&r[0].cells.length>3&&r[0].cells[1].innerText==='Gönderen Birim'){var out=[];"
        "for(var j=0;j<r.length;j++){out.push(r[j].cells.length>6?r[j].cells[6].innerHTML:'footer:'+r[j].innerText);}"
        "return out.join('|');}}return '';})()");
    ASSERT_TRUE(waitForScript(reading.page, listShape + QStringLiteral("!==''")));
    const QString readingList = js(reading.page, listShape).toString();
    const QStringList cells = readingList.split(QLatin1Char('|'));
    ASSERT_EQ(cells.size(), 5) << qPrintable(readingList);
    EXPECT_TRUE(cells.at(1).contains(QStringLiteral("img title=\"Zarf Aç\" id=\"gen__2006\" style=\"width"))) << qPrintable(cells.at(1));
    EXPECT_TRUE(cells.at(3).contains(QStringLiteral("img title=\"Zarf İçeriği Gör\" id=\"gen__2026\" style=\"width")));
    EXPECT_TRUE(cells.at(4).startsWith(QStringLiteral("footer:")));
    EXPECT_EQ(js(acting.page, listShape).toString(), readingList);

    // Opening the first envelope: confirmation, then success, in both views.
    for (QWebEnginePage* page : both)
        clickId(page, QStringLiteral("gen__2006"));
    for (QWebEnginePage* page : both) {
        ASSERT_TRUE(waitUntil([&] { return !firstOfClass(page, QStringLiteral("cs-popup-window iv undefined")).isEmpty(); }));
        EXPECT_TRUE(firstOfClass(page, QStringLiteral("cs-popup-window iv undefined"))
                        .contains(QStringLiteral("okuma işlemine dair delil oluşturulacaktır")));
    }
    const QString accept = buttonId(reading.page, QStringLiteral("Kabul Et ve Oku"));
    ASSERT_FALSE(accept.isEmpty());
    for (QWebEnginePage* page : both) {
        clickId(page, accept);
        ASSERT_TRUE(waitUntil([&] {
            return firstOfClass(page, QStringLiteral("cs-popup-window iv"))
                .startsWith(QStringLiteral("BaşarılıxZarf açma işlemi başarıyla tamamlandı"));
        }));
        clickId(page, buttonId(page, QStringLiteral("Tamam")));
        EXPECT_TRUE(firstOfClass(page, QStringLiteral("cs-popup-window iv")).isEmpty());
    }
    const auto opens = site.eventsOfKind(QStringLiteral("envelope-open"));
    ASSERT_EQ(opens.size(), 2);
    EXPECT_FALSE(opens.at(0).value(QStringLiteral("alreadyOpen")).toBool());
    EXPECT_TRUE(opens.at(1).value(QStringLiteral("alreadyOpen")).toBool());

    // The document table, and its button starting a real download in the acting view.
    const QString documentRow = QStringLiteral(
        "(function(){var t=document.getElementsByTagName('TABLE');for(var i=0;i<t.length;i++){var r=t[i].rows;"
        "if(r.length>1&&r[0].cells[0].innerText==='Vergi Dairesi'&&r[0].cells[1].innerText==='Tebliğ Edilen Belge Türü'"
        "&&r[0].cells[2].innerText==='Belge No'){var c=r[1].cells;return [c[1].innerText,c[2].innerText,c[8].innerHTML].join('|');}}"
        "return '';})()");
    ASSERT_TRUE(waitForScript(reading.page, documentRow + QStringLiteral("!==''")));
    const QStringList row = js(reading.page, documentRow).toString().split(QLatin1Char('|'));
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row.at(0), QStringLiteral("Vergi İnceleme Raporu"));
    EXPECT_EQ(row.at(1), QStringLiteral("2024010001"));
    EXPECT_TRUE(row.at(2).contains(QStringLiteral("img title=\"Belge İndir\" id=\"gen__5008\" style=\"width"))) << qPrintable(row.at(2));

    QUrl downloadUrl;
    QString suggested;
    QObject::connect(acting.profile, &QWebEngineProfile::downloadRequested, &owner,
                     [&](QWebEngineDownloadRequest* download) {
                         downloadUrl = download->url();
                         suggested = download->suggestedFileName();
                         download->cancel();
                     });
    const QUrl before = acting.page->url();
    clickId(acting.page, QStringLiteral("gen__5008"));
    ASSERT_TRUE(waitUntil([&] { return downloadUrl.isValid(); }));
    EXPECT_EQ(downloadUrl.path(), QStringLiteral("/ebelge/indir"));
    EXPECT_EQ(suggested, QStringLiteral("Tebligat_2024010001.pdf"));
    EXPECT_EQ(acting.page->url(), before);
    const auto own = site.get(downloadUrl);  // the tool fetches the same address itself
    EXPECT_EQ(own.status, 200);
    EXPECT_TRUE(own.body.startsWith("%PDF-"));

    // Logout from the header's logout image.
    clickId(reading.page, QStringLiteral("gen__1010"));
    EXPECT_TRUE(waitUntil([&] { return !site.eventsOfKind(QStringLiteral("logout")).isEmpty(); }));
    EXPECT_TRUE(waitUntil([&] { return !reading.page->url().toString().contains(QStringLiteral("token=")); }));
}

}  // namespace
