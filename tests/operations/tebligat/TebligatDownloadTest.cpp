// The download phase of the e-notification check end to end, where a document cannot be had:
// the tool's own request answered with an error status, a redirect or a stalled body, and a
// download button whose download starts too late. Every notification is still handed back,
// the failed one without a path, each document lies under its own notification's name only,
// and the host is told that a download failed.
#include "TebligatKit.h"

#include <gtest/gtest.h>

namespace {

using namespace tebligattest;

std::string str(const QString& s) { return s.toStdString(); }

// A document failure of one of three notifications. The browser's own request for the
// document succeeds (the download event has an address); the tool's request fails.
struct FailureCase {
    const char* name;
    int failing;              // index of the notification whose document fails
    QJsonObject failure;      // its scenario keys
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }


class DocumentFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(DocumentFailure, KeepsEveryNotificationAndReportsTheFailure) {
    const FailureCase& c = GetParam();
    QVector<Note> notes = threeNotes();
    for (auto it = c.failure.begin(); it != c.failure.end(); ++it)
        notes[c.failing].extra.insert(it.key(), it.value());
    notes[c.failing].extra.insert(QStringLiteral("documentFailFrom"), 1);

    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(notes))) << str(run.site.errorString());
    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);

    // The host is told once, and still receives every notification and the whole log.
    EXPECT_EQ(out.dialogs, QStringList{kDownloadFailed});
    ASSERT_EQ(out.notifications.size(), 3);
    ASSERT_EQ(out.logRows.size(), out.memoryLog.size());
    for (const QVariantMap& r : out.logRows)
        EXPECT_EQ(r.value(QStringLiteral("FIRMA_ID")).toInt(), 2);

    const QJsonArray scenarioNotes = run.scenario.value(QStringLiteral("notifications")).toArray();
    QStringList savedFiles;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject n = scenarioNotes.at(i).toObject();
        const QString belgeNo = n.value(QStringLiteral("belgeNo")).toString();
        const QVariantMap row = out.notifications.at(i);
        EXPECT_EQ(row.value(QStringLiteral("BELGE_NO")).toString(), belgeNo);
        const QString path = run.dataDir() + fileNameOf(n);
        if (i == c.failing) {
            EXPECT_TRUE(row.value(QStringLiteral("BELGE_YOLU")).toString().isEmpty());
            // The browser's suggested name stays with the failed row.
            EXPECT_EQ(row.value(QStringLiteral("BELGE_FILE_NAME")).toString(), QStringLiteral("Tebligat_%1.pdf").arg(belgeNo));
            EXPECT_FALSE(QFile::exists(path)) << "a failed download left a file";
            EXPECT_TRUE(out.logHasStart(QLatin1Char('"') + documentName(n) +
                                        QStringLiteral("\" isimli tebligat dosyasını indirirken hata oluştu. ")))
                << str(out.memoryLog.join(QLatin1Char('\n')));
        } else {
            EXPECT_EQ(row.value(QStringLiteral("BELGE_YOLU")).toString(), path);
            EXPECT_EQ(row.value(QStringLiteral("BELGE_FILE_NAME")).toString(), documentName(n));
            EXPECT_TRUE(holdsDocument(run, path, i));
            savedFiles << fileNameOf(n);
        }
    }
    savedFiles.sort();
    EXPECT_EQ(out.files, savedFiles) << "only whole documents lie in the data folder";

    // The tool asked for the failing document itself, and did not follow a redirect.
    bool asked = false;
    for (const QJsonObject& e : out.eventsOf(QStringLiteral("document"))) {
        if (e.value(QStringLiteral("sira")).toInt() != c.failing)
            continue;
        asked = asked || e.value(QStringLiteral("request")).toInt() >= 1;
        EXPECT_FALSE(e.value(QStringLiteral("redirected")).toBool()) << "the redirect was followed";
    }
    EXPECT_TRUE(asked);
}

INSTANTIATE_TEST_SUITE_P(
    OwnRequest, DocumentFailure,
    testing::Values(FailureCase{"FirstNotFound", 0, {{QStringLiteral("documentStatus"), 404}}},
                    FailureCase{"LastServerError", 2, {{QStringLiteral("documentStatus"), 500}}},
                    FailureCase{"MiddleRedirect", 1, {{QStringLiteral("documentStatus"), 302}}},
                    // Half the body, then silence far past the stall limit.
                    FailureCase{"FirstStalls", 0, {{QStringLiteral("documentStallMs"), 120000}}}),
    [](const testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

// The first download button starts its download only after the row's wait for it has ended,
// while the tool is about to click the second row's button. That download belongs to the
// first notification: it is ignored, and the second notification gets its own document.
TEST(LateDownload, IsNotFiledUnderTheNextNotification) {
    // A slower pace than the other runs: the pause before the next click (3000 at the site's
    // pace) must hold the late download for sure, and the hidden acting view runs the page's
    // timers on whole seconds, so the download comes up to a second after its delay.
    const double s = scale(0.6);
    QVector<Note> notes = threeNotes();
    notes.resize(2);
    for (Note& n : notes)
        n.zarf = QStringLiteral("Zarf İçeriği Gör");   // no pop-ups: a shorter envelope phase
    notes[0].extra.insert(QStringLiteral("downloadDelayMs"), int(10150 * s));

    ToolRun run(s);
    ASSERT_TRUE(run.startSite(scenario(notes))) << str(run.site.errorString());
    // The site renders each document once, at its first request; rendered beforehand, the
    // late download comes when its delay says, in the middle of the pause.
    ASSERT_FALSE(siteDocument(run, 0).isEmpty());
    ASSERT_FALSE(siteDocument(run, 1).isEmpty());
    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);

    const QJsonArray scenarioNotes = run.scenario.value(QStringLiteral("notifications")).toArray();
    const QJsonObject first = scenarioNotes.at(0).toObject();
    const QJsonObject second = scenarioNotes.at(1).toObject();
    EXPECT_TRUE(out.logHas(QStringLiteral("Beklenmeyen indirme yok sayıldı: Tebligat_%1.pdf")
                               .arg(first.value(QStringLiteral("belgeNo")).toString())))
        << str(out.memoryLog.join(QLatin1Char('\n')));

    if (qEnvironmentVariableIsSet("ETB_SHOW_LOG"))
        for (const QVariantMap& r : out.logRows)
            qInfo().noquote() << r.value(QStringLiteral("TARIH")).toString() << r.value(QStringLiteral("ACIKLAMA")).toString();
    ASSERT_EQ(out.notifications.size(), 2);
    EXPECT_TRUE(out.notifications[0].value(QStringLiteral("BELGE_YOLU")).toString().isEmpty());
    EXPECT_FALSE(QFile::exists(run.dataDir() + fileNameOf(first)));
    EXPECT_EQ(out.notifications[1].value(QStringLiteral("BELGE_YOLU")).toString(), run.dataDir() + fileNameOf(second));
    EXPECT_TRUE(holdsDocument(run, run.dataDir() + fileNameOf(second), 1))
        << "the second notification's file holds another document";
    // The first document could not be saved: the host is told.
    EXPECT_EQ(out.dialogs, QStringList{kDownloadFailed});
}

} // namespace
