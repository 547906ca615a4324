// The hand-back of the e-notification check end to end: a notification row the host database
// refuses, a run that times out on its way to the notification page, and a form closed twice
// while the check runs.
#include "TebligatKit.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSet>

namespace {

using namespace tebligattest;

std::string str(const QString& s) { return s.toStdString(); }

// Each line of the run's log reached the host once, marked done.
void expectLogHandedBackOnce(const Outcome& out) {
    ASSERT_EQ(out.logRows.size(), out.memoryLog.size());
    QSet<QString> seen;
    for (int i = 0; i < out.logRows.size(); ++i) {
        const QVariantMap& r = out.logRows[i];
        EXPECT_EQ(r.value(QStringLiteral("ACIKLAMA")).toString(), out.memoryLog[i]) << "row " << i;
        EXPECT_EQ(r.value(QStringLiteral("FIRMA_ID")).toInt(), 2) << "row " << i;
        const QString key = r.value(QStringLiteral("TARIH")).toString() + QLatin1Char('|') +
                            r.value(QStringLiteral("ACIKLAMA")).toString();
        EXPECT_FALSE(seen.contains(key)) << "written twice: " << str(key);
        seen.insert(key);
    }
}

// The logouts of the run's session the site saw: (first ones, repeated ones).
std::pair<int, int> logouts(const Outcome& out) {
    int first = 0, repeated = 0;
    for (const QJsonObject& e : out.eventsOf(QStringLiteral("logout"))) {
        if (!e.value(QStringLiteral("known")).toBool())
            continue;
        (e.value(QStringLiteral("alreadyEnded")).toBool() ? repeated : first)++;
    }
    return {first, repeated};
}

// The host already holds the second notification from an earlier run and keeps document
// numbers unique: that insert is refused, the other two rows are stored, and nothing is shown.
TEST(TebligatHandBack, ARefusedRowDoesNotKeepTheOthersOut) {
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(threeNotes()))) << str(run.site.errorString());
    run.query(QStringLiteral("INSERT INTO E_TEBLIGAT (TEBLIG_BELGE_TURU, BELGE_NO) VALUES ('Ödeme Emri', '2024020002')"));
    run.query(QStringLiteral("CREATE UNIQUE INDEX E_TEBLIGAT_BELGE_NO ON E_TEBLIGAT (BELGE_NO)"));
    ASSERT_EQ(run.query(QStringLiteral("SELECT * FROM E_TEBLIGAT")).size(), 1);

    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));
    QStringList numbers;
    for (const QVariantMap& r : out.notifications)
        numbers << r.value(QStringLiteral("BELGE_NO")).toString();
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("2024020002"), QStringLiteral("2024020001"), QStringLiteral("2024020003")}));
    const QJsonArray notes = run.scenario.value(QStringLiteral("notifications")).toArray();
    EXPECT_EQ(out.rowOf(QStringLiteral("2024020003")).value(QStringLiteral("BELGE_YOLU")).toString(),
              run.dataDir() + fileNameOf(notes.at(2).toObject()));
    // The refused row's document is on disk all the same, and the log and its mark went through.
    EXPECT_TRUE(holdsDocument(run, run.dataDir() + fileNameOf(notes.at(1).toObject()), 1));
    expectLogHandedBackOnce(out);
}

// A page element that never shows up within the wait limit: the run logs out of the site,
// closes the form and hands the log back; nothing is stored and nothing is shown.
struct TimeoutCase {
    const char* name;
    QJsonObject delay;   // scenario keys that keep the element away
    const char* lastReached;
};
void PrintTo(const TimeoutCase& c, std::ostream* os) { *os << c.name; }


class NotificationPageTimeout : public testing::TestWithParam<TimeoutCase> {};

TEST_P(NotificationPageTimeout, LogsOutClosesAndHandsTheLogBack) {
    const TimeoutCase& c = GetParam();
    const double s = scale();
    ToolRun run(s);
    ASSERT_TRUE(run.startSite(scenario(threeNotes(), c.delay))) << str(run.site.errorString());
    QElapsedTimer clock;
    qint64 loggedInAt = -1;
    clock.start();
    const Outcome out = runCheck(run, [&] {
        if (loggedInAt < 0 && run.logLines().contains(QStringLiteral("Sistem başarıyla giriş yapıldı.")))
            loggedInAt = clock.elapsed();
    });
    ASSERT_TRUE(out.closed) << "the hidden form was left open";
    EXPECT_EQ(out.closedSignals, 1);
    ASSERT_GE(loggedInAt, 0);
    // The wait lasted its limit before giving up.
    EXPECT_GE(clock.elapsed() - loggedInAt, qint64(60000 * s));

    EXPECT_EQ(logouts(out).first, 1) << "the site did not see the session end";
    EXPECT_TRUE(out.logHas(QString::fromUtf8(c.lastReached))) << str(out.memoryLog.join(QLatin1Char('\n')));
    EXPECT_FALSE(out.logHas(QStringLiteral("Tebligatlar sayfasına ulaşıldı.")));
    EXPECT_TRUE(out.notifications.isEmpty());
    EXPECT_TRUE(out.files.isEmpty());
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));
    EXPECT_TRUE(out.eventsOf(QStringLiteral("envelope-open")).isEmpty());
    expectLogHandedBackOnce(out);
}

INSTANTIATE_TEST_SUITE_P(
    NeverShown, NotificationPageTimeout,
    testing::Values(TimeoutCase{"MenuItem",
                                {{QStringLiteral("menuDelayMs"), QJsonObject{{QStringLiteral("E-Tebligat İşlemleri"), 600000}}}},
                                "E-Tebligat İşlemleri sayfasına ulaşılmaya çalışıyor."},
                    TimeoutCase{"ReadTab",
                                {{QStringLiteral("elementDelayMs"), QJsonObject{{QStringLiteral("Okunan Tebligatlar"), 600000}}}},
                                "Okunmuş Tebligatlar sayfasına ulaşılmaya çalışıyor."}),
    [](const testing::TestParamInfo<TimeoutCase>& i) { return std::string(i.param.name); });

// The host closes the hidden form while the check runs, and asks again; the run then ends and
// asks for its own close as well. The hand-back runs once, the check stops there, and the host
// learns that the documents of the notifications found are not on disk.
TEST(TebligatHandBack, ClosedTwiceWhileRunningHandsBackOnce) {
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(threeNotes()))) << str(run.site.errorString());
    bool closedByHost = false;
    const Outcome out = runCheck(run, [&] {
        if (closedByHost || !run.logLines().contains(QStringLiteral("Okunmamış Tebligatlarınız Bilgisayarınıza İndiriliyor.")))
            return;
        closedByHost = true;
        run.form().requestClose();
        run.form().close();
    });
    ASSERT_TRUE(closedByHost);
    ASSERT_TRUE(out.closed);
    EXPECT_EQ(out.closedSignals, 1);
    EXPECT_TRUE(run.form().closeHandlerRan());
    // The notifications listed so far, once each, without documents: the host is told.
    ASSERT_EQ(out.notifications.size(), 3);
    for (const QVariantMap& r : out.notifications)
        EXPECT_TRUE(r.value(QStringLiteral("BELGE_YOLU")).toString().isEmpty());
    EXPECT_EQ(out.dialogs, QStringList{kDownloadFailed});
    expectLogHandedBackOnce(out);
    EXPECT_EQ(logouts(out).first, 1);
    // Nothing of the check ran after the close.
    EXPECT_TRUE(out.eventsOf(QStringLiteral("envelope-open")).isEmpty());
    EXPECT_FALSE(out.logHas(QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine tamamlandı.")));
}

} // namespace
