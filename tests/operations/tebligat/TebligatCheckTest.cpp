// The e-notification check end to end against the training site, on the paths where every
// document can be had: an empty box, three notifications, the kinds of envelope cells, and the
// message pop-up with and without its "Tamam" button. Each run goes from the captcha to the
// hand-back in the host database.
#include "TebligatKit.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>

namespace {

using namespace tebligattest;

std::string str(const QString& s) { return s.toStdString(); }

// The lines of `lines` appear in `log` in this order (others may stand between them).
::testing::AssertionResult inOrder(const QStringList& log, const QStringList& lines) {
    qsizetype at = 0;
    for (const QString& line : lines) {
        const qsizetype found = log.indexOf(line, at);
        if (found < 0)
            return ::testing::AssertionFailure() << "missing or out of order: \"" << str(line) << "\"\nlog:\n"
                                                 << str(log.join(QLatin1Char('\n')));
        at = found + 1;
    }
    return ::testing::AssertionSuccess();
}

// The log handed back is the log of the run, line by line, each row marked done.
void expectLogHandedBack(const Outcome& out) {
    ASSERT_EQ(out.logRows.size(), out.memoryLog.size());
    for (int i = 0; i < out.logRows.size(); ++i) {
        EXPECT_EQ(out.logRows[i].value(QStringLiteral("ACIKLAMA")).toString(), out.memoryLog[i]) << "row " << i;
        EXPECT_FALSE(out.logRows[i].value(QStringLiteral("TARIH")).toString().isEmpty()) << "row " << i;
        EXPECT_EQ(out.logRows[i].value(QStringLiteral("FIRMA_ID")).toInt(), 2) << "row " << i;
    }
}

// The site saw the session end.
void expectLoggedOut(const Outcome& out) {
    bool ended = false;
    for (const QJsonObject& e : out.eventsOf(QStringLiteral("logout")))
        ended = ended || (e.value(QStringLiteral("known")).toBool() && !e.value(QStringLiteral("alreadyEnded")).toBool());
    EXPECT_TRUE(ended) << "no logout of the run's session";
}

TEST(TebligatCheck, EmptyBoxClosesWithTheLogAndNoNotification) {
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(QStringLiteral("empty-box"))) << str(run.site.errorString());
    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);
    EXPECT_EQ(out.closedSignals, 1);
    EXPECT_TRUE(inOrder(out.memoryLog, {QStringLiteral("Sistem başarıyla giriş yapıldı."),
                                        QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine başlandı."),
                                        QStringLiteral("Okunmamış Tebligatınız Bulunmamaktadır.")}));
    EXPECT_FALSE(out.logHas(QStringLiteral("Okunmamış Tebligatlarınız Bilgisayarınıza İndiriliyor.")));
    EXPECT_TRUE(out.notifications.isEmpty());
    EXPECT_TRUE(out.files.isEmpty()) << str(out.files.join(QLatin1Char(',')));
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));
    EXPECT_TRUE(out.eventsOf(QStringLiteral("envelope-open")).isEmpty());
    expectLogHandedBack(out);
    expectLoggedOut(out);
}

TEST(TebligatCheck, ThreeNotificationsAreOpenedSavedAndHandedBack) {
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(threeNotes()))) << str(run.site.errorString());
    // A row the host left marked 1 before this run is marked done with the run's own rows.
    run.query(QStringLiteral("INSERT INTO E_TEBLIGAT_LOG (TARIH, ACIKLAMA) VALUES ('2024-01-01 10:00:00', 'önceki')"));
    const QDateTime started = QDateTime::currentDateTime();
    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);
    EXPECT_EQ(out.closedSignals, 1);
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));

    const QJsonArray notes = run.scenario.value(QStringLiteral("notifications")).toArray();
    ASSERT_EQ(out.notifications.size(), 3);
    QStringList expectedFiles;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject n = notes.at(i).toObject();
        const QVariantMap row = out.notifications.at(i);
        EXPECT_EQ(row.value(QStringLiteral("GONDEREN_BIRIM")).toString(), n.value(QStringLiteral("gonderenBirim")).toString());
        EXPECT_EQ(row.value(QStringLiteral("GONDERME_TARIHI")).toString(), n.value(QStringLiteral("gondermeTarihi")).toString());
        EXPECT_EQ(row.value(QStringLiteral("TEBLIG_TARIHI")).toString(), n.value(QStringLiteral("tebligTarihi")).toString());
        EXPECT_EQ(row.value(QStringLiteral("TEBLIG_BELGE_TURU")).toString(), n.value(QStringLiteral("belgeTuru")).toString());
        EXPECT_EQ(row.value(QStringLiteral("BELGE_NO")).toString(), n.value(QStringLiteral("belgeNo")).toString());
        EXPECT_EQ(row.value(QStringLiteral("BELGE_FILE_NAME")).toString(), documentName(n));
        EXPECT_EQ(row.value(QStringLiteral("BELGE_YOLU")).toString(), run.dataDir() + fileNameOf(n));

        // The document under each notification's name is that notification's own document.
        EXPECT_TRUE(holdsDocument(run, run.dataDir() + fileNameOf(n), i));
        expectedFiles << fileNameOf(n);

        EXPECT_TRUE(out.logHas(QStringLiteral("Zarf Bulundu: Tebligat_%1.pdf").arg(n.value(QStringLiteral("belgeNo")).toString())));
        EXPECT_TRUE(out.logHas(QLatin1Char('"') + fileNameOf(n) + QStringLiteral("\" isimli tebligat dosyanız bsşarıyla indirildi.")));
    }
    expectedFiles.sort();
    EXPECT_EQ(out.files, expectedFiles);   // nothing else, no temporary left behind

    // Every envelope was opened on the site (confirmed where the site asked for it).
    const QJsonArray state = run.site.state().value(QStringLiteral("notifications")).toArray();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(state.at(i).toObject().value(QStringLiteral("opened")).toBool()) << i;

    EXPECT_TRUE(inOrder(out.memoryLog, {QStringLiteral("Sistem başarıyla giriş yapıldı."),
                                        QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşılmaya çalışıyor."),
                                        QStringLiteral("E-Tebligat İşlemleri sayfasına ulaşıldı."),
                                        QStringLiteral("Okunmuş Tebligatlar sayfasına ulaşılmaya çalışıyor."),
                                        QStringLiteral("Okunmuş Tebligatlar sayfasına ulaşıldı."),
                                        QStringLiteral("Tebligatlar sayfasına ulaşıldı."),
                                        QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine başlandı."),
                                        QStringLiteral("Okunmamış Tebligatlarınız Bilgisayarınıza İndiriliyor."),
                                        QStringLiteral("Zarf Bulundu: Tebligat_2024020001.pdf"),
                                        QStringLiteral("Zarf Bulundu: Tebligat_2024020002.pdf"),
                                        QStringLiteral("Zarf Bulundu: Tebligat_2024020003.pdf"),
                                        QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine tamamlandı.")}));

    // The host's earlier row and every row of this run are marked done; the run's rows are its log.
    ASSERT_EQ(out.logRows.size(), out.memoryLog.size() + 1);
    EXPECT_EQ(out.logRows.first().value(QStringLiteral("ACIKLAMA")).toString(), QStringLiteral("önceki"));
    EXPECT_EQ(out.logRows.first().value(QStringLiteral("FIRMA_ID")).toInt(), 2);
    Outcome own = out;
    own.logRows.removeFirst();
    expectLogHandedBack(own);
    const QDateTime first = own.logRows.first().value(QStringLiteral("TARIH")).toDateTime();
    ASSERT_TRUE(first.isValid()) << str(own.logRows.first().value(QStringLiteral("TARIH")).toString());
    EXPECT_GE(started.secsTo(first), -1) << "the run's log time is its own";
    expectLoggedOut(out);
}

// The cells of the envelope column: an envelope opened before ("Zarf İçeriği Gör") is taken
// and its document saved; a row without an envelope image is no unread notification.
TEST(TebligatCheck, EnvelopeCellsDecideWhatIsTaken) {
    const QVector<Note> notes = {
        note(QStringLiteral("Kadıköy Vergi Dairesi Müdürlüğü"), QStringLiteral("Ödeme Emri"), QStringLiteral("2024030001"),
             QStringLiteral("Zarf İçeriği Gör"), false),
        note(QStringLiteral("Kadıköy Vergi Dairesi Müdürlüğü"), QStringLiteral("Haciz Bildirisi"), QStringLiteral("2024030002"),
             QString(), false),
        note(QStringLiteral("Boğaziçi Kurumlar Vergi Dairesi Müdürlüğü"), QStringLiteral("Vergi İnceleme Raporu"),
             QStringLiteral("2024030003")),
    };
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(notes))) << str(run.site.errorString());
    const Outcome out = runCheck(run);
    ASSERT_TRUE(out.closed);
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));

    struct Expect {
        const char* belgeNo;
        bool taken;
    };
    const Expect table[] = {{"2024030001", true}, {"2024030002", false}, {"2024030003", true}};
    const QJsonArray scenarioNotes = run.scenario.value(QStringLiteral("notifications")).toArray();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(table[i].belgeNo);
        const QJsonObject n = scenarioNotes.at(i).toObject();
        const QVariantMap row = out.rowOf(QString::fromLatin1(table[i].belgeNo));
        EXPECT_EQ(!row.isEmpty(), table[i].taken);
        const QString path = run.dataDir() + fileNameOf(n);
        EXPECT_EQ(QFile::exists(path), table[i].taken);
        if (table[i].taken) {
            EXPECT_EQ(row.value(QStringLiteral("BELGE_YOLU")).toString(), path);
            EXPECT_TRUE(holdsDocument(run, path, i));
        }
    }
    EXPECT_EQ(out.notifications.size(), 2);
    // The envelope without an image was never opened.
    for (const QJsonObject& e : out.eventsOf(QStringLiteral("envelope-open")))
        EXPECT_NE(e.value(QStringLiteral("sira")).toInt(), 1);
    EXPECT_FALSE(run.site.state().value(QStringLiteral("notifications")).toArray().at(1).toObject().value(QStringLiteral("opened")).toBool());
}

// The message pop-up shown on the notification page: "Tamam" is pressed in the reading view
// when the pop-up has one, the acting view's pop-up is closed by its close mark either way,
// and the run goes on to every document.
struct PopupCase {
    const char* name;
    bool tamam;
};
void PrintTo(const PopupCase& c, std::ostream* os) { *os << c.name; }


class MessagePopup : public testing::TestWithParam<PopupCase> {};

TEST_P(MessagePopup, IsAnsweredAndTheRunGoesOn) {
    const PopupCase& c = GetParam();
    QVector<Note> notes = threeNotes();
    notes.resize(1);
    ToolRun run(scale());
    ASSERT_TRUE(run.startSite(scenario(notes, {{QStringLiteral("messagePopupTamam"), c.tamam}})))
        << str(run.site.errorString());

    // The pop-up is seen in both views while the page is up; once the envelope phase starts,
    // both views are asked whether it is still there.
    const QString script = QStringLiteral("document.getElementById('gen__1300') !== null");
    struct Seen {
        bool shown[2] = {false, false};
        QVariant after[2];
    };
    auto seen = std::make_shared<Seen>();
    const etb::Page pages[2] = {etb::Page::TSChrom, etb::Page::TSWeb};
    bool asked = false;
    const Outcome out = runCheck(run, [&] {
        if (asked)
            return;
        if (run.logLines().contains(QStringLiteral("Okunmamamış E Tebligatlar varmı kontrol işlemine başlandı."))) {
            asked = true;
            for (int v = 0; v < 2; ++v)
                probe(viewOn(run, pages[v]), script, [seen, v](const QVariant& a) { seen->after[v] = a; });
        } else if (run.logLines().contains(QStringLiteral("Okunmuş Tebligatlar sayfasına ulaşıldı."))) {
            for (int v = 0; v < 2; ++v)
                probe(viewOn(run, pages[v]), script, [seen, v](const QVariant& a) { seen->shown[v] |= a.toBool(); });
        }
    });
    ASSERT_TRUE(out.closed);
    ASSERT_TRUE(asked);
    EXPECT_TRUE(seen->shown[0] && seen->shown[1]) << "the pop-up was not seen in both views";
    ASSERT_TRUE(seen->after[0].isValid() && seen->after[1].isValid()) << "the views did not answer";
    EXPECT_FALSE(seen->after[0].toBool()) << "the acting view's pop-up was not closed";
    EXPECT_EQ(seen->after[1].toBool(), !c.tamam) << "the reading view's pop-up";
    const QJsonObject n = run.scenario.value(QStringLiteral("notifications")).toArray().at(0).toObject();
    EXPECT_TRUE(holdsDocument(run, run.dataDir() + fileNameOf(n), 0));
    ASSERT_EQ(out.notifications.size(), 1);
    EXPECT_EQ(out.notifications[0].value(QStringLiteral("BELGE_YOLU")).toString(), run.dataDir() + fileNameOf(n));
    EXPECT_TRUE(out.dialogs.isEmpty()) << str(out.dialogs.join(QLatin1Char('|')));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTamam, MessagePopup,
                         testing::Values(PopupCase{"WithTamam", true}, PopupCase{"WithoutTamam", false}),
                         [](const testing::TestParamInfo<PopupCase>& i) { return std::string(i.param.name); });

// Left out of the suite: the demo's three notifications at the site's own pace, timed, for
// comparing the run with the pauses it prescribes. Run by hand:
//   ETB_TEBLIGAT_SCALE=1 tebligat_check_test --gtest_also_run_disabled_tests --gtest_filter='*DemoPace*'
TEST(TebligatCheck, DISABLED_DemoPace) {
    ToolRun run(scale(1.0));
    ASSERT_TRUE(run.startSite(QStringLiteral("demo"))) << str(run.site.errorString());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(run.launch(run.arguments(QStringLiteral("TebligatKontrol"))));
    const qint64 startUp = clock.elapsed();
    run.typeCode(run.captchaCode());
    clock.restart();
    run.press(etb::Ctl::BtnETebligatKontrol);
    ASSERT_TRUE(run.waitClosed(300000));
    const qint64 check = clock.elapsed();
    EXPECT_EQ(run.query(QStringLiteral("SELECT * FROM E_TEBLIGAT")).size(), 3);
    EXPECT_TRUE(run.dialogs.texts().isEmpty());
    std::printf("scale %.2f: start-up to the captcha %lld ms, button to closed form %lld ms\n", scale(1.0),
                static_cast<long long>(startUp), static_cast<long long>(check));
}

} // namespace
