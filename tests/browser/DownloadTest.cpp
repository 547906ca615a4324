// Our own downloads into the data folder or a chosen folder, and the browser's download
// event in each operating mode.
#include "adapters/CurlHttpClient.h"
#include "adapters/LoopbackHttpServer.h"
#include "app/Environment.h"
#include "app/Session.h"
#include "browser/DocumentNames.h"
#include <QSize>   // before the fakes, which use it
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace etb;

namespace {

const QByteArray kPdf = QByteArray("%PDF-1.4\n") + QByteArray(5000, 'p') + "\n%%EOF\n";
const QString kUrl = QStringLiteral("https://intvrg.example/belge/indir?id=42&tur=%C3%96deme");

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session.gAnaDizin = root();
        session.MemLog.open();
    }
    QString root() const { return dir.path() + QLatin1Char('/'); }

    void serve(const QByteArray& body) {
        http.answer = [body](const HttpRequest&) {
            HttpResponse r;
            r.transferOk = true;
            r.status = 200;
            r.body = body;
            return r;
        };
    }
    void answer(bool transferOk, long status, const QString& error) {
        http.answer = [=](const HttpRequest&) {
            HttpResponse r;
            r.transferOk = transferOk;
            r.status = status;
            r.error = error;
            r.body = transferOk ? QByteArray("<html>error page</html>") : QByteArray();
            return r;
        };
    }
    QStringList log() const {
        QStringList out;
        for (const LogLine& l : session.MemLog.lines())
            out << l.LOG_ACIKLAMA;
        return out;
    }
    // Every file and folder under the data root, relative to it, sorted.
    QStringList tree() const {
        QStringList out;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(dir.path()).relativeFilePath(it.next());
        out.sort();
        return out;
    }
    QByteArray contents(const QString& relative) const {
        QFile f(root() + relative);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void addRows(int n) {
        session.MemTebligatList.open();
        for (int i = 0; i < n; ++i) {
            TebligatRow row;
            row.TEBLIG_BELGE_TURU = QStringLiteral("Ödeme Emri");
            row.BELGE_NO = QString::number(100 + i);
            session.MemTebligatList.append(row);
        }
    }

    QTemporaryDir dir;
    test::FakeFormUi ui;
    test::FakeDialogs dialogs;
    test::FakeActingView chrom;
    test::FakeActingView portal;
    test::FakeReadingView web;
    test::FakeHttpClient http;
    test::FakeHostDatabase db;
    test::FakeTicks ticks;
    test::FakePump pump{&ticks};
    Waiter waiter{ticks, pump};
    Session session{Services{ui, dialogs, chrom, web, portal, http, db, waiter}, CommandLine{}};
};

TEST_F(Documents, BelgeIndirSavesTheDocumentUnderItsNameAndLogsIt) {
    serve(kPdf);
    const QString result = session.fn_BelgeIndir(kUrl, QStringLiteral("Ödeme Emri_123456"));
    EXPECT_EQ(result, root() + "Ödeme Emri_123456.pdf");
    EXPECT_EQ(contents("Ödeme Emri_123456.pdf"), kPdf);
    EXPECT_EQ(tree(), QStringList{"Ödeme Emri_123456.pdf"});
    EXPECT_EQ(log(), QStringList{"\"Ödeme Emri_123456.pdf\" isimli tebligat dosyanız bsşarıyla indirildi."});
    ASSERT_EQ(http.requests.size(), 1);
    EXPECT_EQ(http.requests[0].url, QUrl(kUrl));
    // A silent server must not hold the tool forever.
    EXPECT_GT(http.requests[0].connectTimeoutMs, 0);
    EXPECT_GT(http.requests[0].stallMs, 0);
}

TEST_F(Documents, FailedDownloadLeavesNoFileAndLogsTheCallersName) {
    const struct {
        const char* label;
        bool transferOk;
        long status;
        const char* error;
        const char* logTail;
    } cases[] = {
        {"not found", true, 404, "HTTP 404", "HTTP 404"},
        {"server error", true, 500, "HTTP 500", "HTTP 500"},
        {"redirect", true, 302, "HTTP 302 (yönlendirme: https://x/login)", "HTTP 302 (yönlendirme: https://x/login)"},
        {"no connection", false, 0, "Failed to connect to 127.0.0.1 port 9: Connection refused",
         "Failed to connect to 127.0.0.1 port 9: Connection refused"},
        {"stalled", false, 200, "Sunucudan 30000 ms boyunca veri gelmedi.", "Sunucudan 30000 ms boyunca veri gelmedi."},
    };
    for (const auto& c : cases) {
        answer(c.transferOk, c.status, QString::fromUtf8(c.error));
        const int before = int(log().size());
        EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("Ödeme Emri_1")), kDosyaIndirilemedi) << c.label;
        EXPECT_TRUE(tree().isEmpty()) << c.label << ": " << tree().join(", ").toStdString();
        ASSERT_EQ(log().size(), before + 1) << c.label;
        EXPECT_EQ(log().last(), "\"Ödeme Emri_1\" isimli tebligat dosyasını indirirken hata oluştu. " +
                                    QString::fromUtf8(c.logTail))
            << c.label;
    }
}

TEST_F(Documents, FailedDownloadKeepsAnEarlierFileWhole) {
    {
        QFile old(root() + "Ödeme Emri_7.pdf");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier document");
    }
    answer(false, 0, QStringLiteral("Operation timed out"));
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("Ödeme Emri_7.pdf")), kDosyaIndirilemedi);
    EXPECT_EQ(contents("Ödeme Emri_7.pdf"), "earlier document");
    EXPECT_EQ(tree(), QStringList{"Ödeme Emri_7.pdf"});
}

TEST_F(Documents, UnwritableTargetFailsWithoutLeavingATemporaryFile) {
    // The final name is taken by a folder: the write cannot be put in place.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tebligat_9.pdf"));
    serve(kPdf);
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("Tebligat_9")), kDosyaIndirilemedi);
    EXPECT_EQ(tree(), QStringList{"Tebligat_9.pdf"});
    EXPECT_TRUE(log().last().startsWith("\"Tebligat_9\" isimli tebligat dosyasını indirirken hata oluştu. "))
        << log().last().toStdString();
}

TEST_F(Documents, NameFromThePageCannotLeaveTheDataFolder) {
    serve(kPdf);
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("Vergi/Ceza İhbarnamesi_55")),
              root() + "Vergi_Ceza İhbarnamesi_55.pdf");
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("../dışarı")), root() + ".._dışarı.pdf");
    EXPECT_EQ(tree(), (QStringList{".._dışarı.pdf", "Vergi_Ceza İhbarnamesi_55.pdf"}));
}

TEST_F(Documents, DataRootIsUsedAsGiven) {
    // Without a trailing separator the name is glued to the folder's own name.
    session.gAnaDizin = dir.path() + "/veri";
    serve(kPdf);
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("Belge_1")), dir.path() + "/veriBelge_1.pdf");
    EXPECT_EQ(tree(), QStringList{"veriBelge_1.pdf"});
}

class TaxPlates : public Documents {
protected:
    void SetUp() override {
        Documents::SetUp();
        session.gEVergiLevhasi = true;
        session.gKlavuz = QStringLiteral("00123");
        session.gVergiLevhasiYil = QStringLiteral("2019");
        session.gVergiLevhasiTarih = QStringLiteral("12.03.2019 10:15:30");
    }
    const QString plate = QStringLiteral("2019_00123_Vergi_Levhası_12_03_2019_10_15_30.pdf");
};

TEST_F(TaxPlates, TwoCopiesAndTheCompanyListed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("eVergi_Levhaları"));
    serve(kPdf);
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("levha.pdf")), root() + plate);
    EXPECT_EQ(contents("eVergi_Levhaları/" + plate), kPdf);
    EXPECT_EQ(contents("talpodata/00123/DÖKÜMANLAR/Vergi_Levhaları/" + plate), kPdf);
    EXPECT_EQ(session.gEVergiLevhasiIndirilenFirmaListesi, QStringList{"00123 Vergi Levhası Onay Yılı 2019"});
    EXPECT_EQ(log(), QStringList{"\"" + plate + "\" isimli tebligat dosyanız bsşarıyla indirildi."});
}

TEST_F(TaxPlates, MissingPlateFolderFailsBeforeTheSecondCopy) {
    serve(kPdf);
    EXPECT_EQ(session.fn_BelgeIndir(kUrl, QStringLiteral("levha.pdf")), kDosyaIndirilemedi);
    EXPECT_TRUE(tree().isEmpty()) << tree().join(", ").toStdString();
    EXPECT_TRUE(session.gEVergiLevhasiIndirilenFirmaListesi.isEmpty());
    EXPECT_TRUE(log().last().startsWith("\"levha.pdf\" isimli tebligat dosyasını indirirken hata oluştu. "));
}

TEST_F(Documents, DosyaIndirWritesIntoTheChosenFolderAndLogsNothing) {
    const QString folder = dir.path() + "/seçilen";
    ASSERT_TRUE(QDir().mkpath(folder));
    serve(kPdf);
    EXPECT_EQ(session.fn_DosyaIndir(kUrl, QStringLiteral("beyan.PDF"), folder), folder);
    EXPECT_EQ(contents("seçilen/beyan.PDF"), kPdf);
    answer(true, 500, QStringLiteral("HTTP 500"));
    EXPECT_EQ(session.fn_DosyaIndir(kUrl, QStringLiteral("ikinci"), folder), kDosyaIndirilemedi);
    EXPECT_EQ(tree(), (QStringList{"seçilen", "seçilen/beyan.PDF"}));
    EXPECT_TRUE(log().isEmpty());
}

// ---- the browser's download event ----

TEST_F(Documents, NotificationEventFillsOnlyTheWaitingRow) {
    session.gETebligatKontrolIcinAcildi = true;
    addRows(3);
    session.downloadWaitingRow = 1;
    session.downloadEventArrived = false;

    const QString longName = QString(60, QChar(u'Ş')) + ".pdf";
    const QString longUrl = "https://intvrg.example/belge?" + QString(600, 'q');
    session.ChromBeforeDownload(QUrl(longUrl), longName);
    EXPECT_TRUE(session.downloadEventArrived);
    const TebligatRow& row = session.MemTebligatList.rows()[1];
    EXPECT_EQ(row.BELGE_FILE_NAME, longName.left(50));
    EXPECT_EQ(row.BELGE_URL, longUrl.left(500));
    EXPECT_EQ(log(), QStringList{"Zarf Bulundu: " + longName});

    // A second event for the same click, and one that comes when no row waits: both ignored.
    session.ChromBeforeDownload(QUrl("https://intvrg.example/ikinci"), "ikinci.pdf");
    session.downloadWaitingRow = -1;
    session.downloadEventArrived = false;
    session.ChromBeforeDownload(QUrl("https://intvrg.example/gec"), "geç.pdf");
    QCoreApplication::processEvents();

    for (int i : {0, 2}) {
        EXPECT_TRUE(session.MemTebligatList.rows()[i].BELGE_URL.isEmpty()) << i;
        EXPECT_TRUE(session.MemTebligatList.rows()[i].BELGE_FILE_NAME.isEmpty()) << i;
    }
    EXPECT_EQ(row.BELGE_URL, longUrl.left(500));
    EXPECT_EQ(log(), (QStringList{"Zarf Bulundu: " + longName, "Beklenmeyen indirme yok sayıldı: ikinci.pdf",
                                  "Beklenmeyen indirme yok sayıldı: geç.pdf"}));
    EXPECT_TRUE(http.requests.isEmpty());
    EXPECT_TRUE(dialogs.boxes.isEmpty());
    EXPECT_TRUE(tree().isEmpty());
}

TEST_F(Documents, OtherModesAskForAFolderOnlyAfterTheCallbackReturns) {
    const QString folder = dir.path() + "/hedef";
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char* label;
        const char* chosen;   // "" = cancelled
        bool serverOk;
        QStringList messages;
        QStringList files;
    } cases[] = {
        {"cancelled", "", true, {}, {"hedef"}},
        {"saved", "hedef", true, {"Dosya başarıyla indirildi."}, {"hedef", "hedef/sozlesme.pdf"}},
        {"failed",
         "hedef",
         false,
         {"Dosya indirme işlemi sırasında hata oluştu. Lütfen tekrar deneyiniz."},
         {"hedef"}},
    };
    for (const auto& c : cases) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        dialogs.boxes.clear();
        http.requests.clear();
        dialogs.folders.clear();
        dialogs.folders.enqueue(*c.chosen ? folder : QString());
        if (c.serverOk)
            serve(kPdf);
        else
            answer(true, 500, "HTTP 500");

        session.ChromBeforeDownload(QUrl(kUrl), "sozlesme.pdf");
        // Nothing that waits or shows a window runs inside the browser's callback.
        EXPECT_EQ(dialogs.folders.size(), 1) << c.label;
        EXPECT_TRUE(http.requests.isEmpty()) << c.label;

        QCoreApplication::processEvents();
        EXPECT_TRUE(dialogs.folders.isEmpty()) << c.label;
        EXPECT_EQ(dialogs.texts(), c.messages) << c.label;
        EXPECT_EQ(http.requests.size(), *c.chosen ? 1 : 0) << c.label;
        EXPECT_EQ(tree(), c.files) << c.label;
    }
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(TaxPlates, EventDownloadsThePlateFromAQueuedCall) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("eVergi_Levhaları"));
    serve(kPdf);
    session.ChromBeforeDownload(QUrl(kUrl), "VergiLevhasi.pdf");
    EXPECT_TRUE(http.requests.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(http.requests.size(), 1);
    EXPECT_EQ(http.requests[0].url, QUrl(kUrl));
    EXPECT_EQ(contents("eVergi_Levhaları/" + plate), kPdf);
    EXPECT_EQ(log(), (QStringList{"\"" + plate + "\" isimli tebligat dosyanız bsşarıyla indirildi.",
                                  "VergiLevhasi.pdf"}));
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

// The same download over the real HTTP client and a loopback server: a transfer that breaks
// off after part of the body leaves nothing behind.
class DocumentsOverHttp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        saved = Environment::get();
        Environment env = saved;
        env.timeScale = 0.05;   // the 30 s stall limit becomes 1.5 s
        Environment::set(env);
        session.gAnaDizin = dir.path() + QLatin1Char('/');
        session.MemLog.open();
    }
    void TearDown() override { Environment::set(saved); }

    Environment saved;
    QTemporaryDir dir;
    test::LoopbackHttpServer server;
    CurlHttpClient http{QString()};
    test::FakeFormUi ui;
    test::FakeDialogs dialogs;
    test::FakeActingView chrom;
    test::FakeActingView portal;
    test::FakeReadingView web;
    test::FakeHostDatabase db;
    test::FakeTicks ticks;
    test::FakePump pump{&ticks};
    Waiter waiter{ticks, pump};
    Session session{Services{ui, dialogs, chrom, web, portal, http, db, waiter}, CommandLine{}};
};

TEST_F(DocumentsOverHttp, OnlyACompleteDocumentReachesTheFolder) {
    const struct {
        const char* path;
        bool saved;
    } cases[] = {{"/ok", true}, {"/stall", false}, {"/redirect", false}, {"/status/404", false}};
    for (const auto& c : cases) {
        const QString name = QString("Belge") + QString(c.path).replace('/', '_');
        const QString result = session.fn_BelgeIndir(server.url(c.path), name);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        if (c.saved) {
            EXPECT_EQ(result, dir.path() + "/" + name + ".pdf");
            QFile f(result);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), test::kPdfBody);
        } else {
            EXPECT_EQ(result, kDosyaIndirilemedi) << c.path;
            EXPECT_FALSE(files.contains(name + ".pdf")) << c.path;
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Belge_ok.pdf"});
}

} // namespace
