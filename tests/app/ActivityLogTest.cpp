#include "app/ActivityLog.h"
#include "app/LogTableModel.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace etb;

namespace {

struct CutCase {
    const char* what;
    QString text;
    QString stored;
};

QString a(int n) { return QString(n, QLatin1Char('a')); }
const QString kEmoji = QString::fromUtf8("\xF0\x9F\x93\x84");   // one character, two UTF-16 units

TEST(ActivityLog, LongLinesAreCutTo500WithoutSplittingACharacter) {
    const CutCase cases[] = {
        {"510 characters", a(510), a(500)},
        {"exactly 500", a(500), a(500)},
        {"short", QStringLiteral("Sistem başarıyla giriş yapıldı."), QStringLiteral("Sistem başarıyla giriş yapıldı.")},
        {"empty", QString(), QString()},
        {"pair across the cut", a(499) + kEmoji + a(10), a(499)},
        {"pair just inside", a(498) + kEmoji + a(10), a(498) + kEmoji},
        {"Turkish letters count one each", QString(510, QChar(0x0131)), QString(500, QChar(0x0131))},
    };
    for (const CutCase& c : cases) {
        ActivityLog log;
        log.open();
        log.pr_LogYaz(c.text);
        ASSERT_EQ(log.lines().size(), 1) << c.what;
        EXPECT_EQ(log.lines().at(0).LOG_ACIKLAMA, c.stored) << c.what;
        EXPECT_LE(log.lines().at(0).LOG_ACIKLAMA.size(), 500) << c.what;
    }
}

TEST(ActivityLog, LinesKeepTheirOrderAndLocalTimeWithMilliseconds) {
    ActivityLog log;
    log.open();
    const QDateTime before = QDateTime::currentDateTime();
    log.pr_LogYaz("bir");
    log.pr_LogYaz("iki");
    log.pr_LogYaz("üç");
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_EQ(log.lines().size(), 3);
    EXPECT_EQ(log.lines().at(0).LOG_ACIKLAMA, "bir");
    EXPECT_EQ(log.lines().at(2).LOG_ACIKLAMA, "üç");
    for (const LogLine& l : log.lines()) {
        EXPECT_EQ(l.TARIH.timeSpec(), Qt::LocalTime);
        EXPECT_GE(l.TARIH, before);
        EXPECT_LE(l.TARIH, after);
    }
}

TEST(LogGrid, ShowsRecIdTimeAndTextOfEveryNewLine) {
    ActivityLog log;
    log.open();
    log.pr_LogYaz("önce");
    LogTableModel model;
    model.setLog(&log);
    int inserted = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model, [&] { ++inserted; });
    log.pr_LogYaz("sonra");
    EXPECT_EQ(inserted, 1);
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 3);
    const QStringList headers = {model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                                 model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                                 model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString()};
    EXPECT_EQ(headers, QStringList({"RecId", "TARIH", "LOG_ACIKLAMA"}));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toInt(), 2);
    EXPECT_EQ(model.data(model.index(1, 1), Qt::EditRole).toDateTime(), log.lines().at(1).TARIH);
    EXPECT_EQ(model.data(model.index(1, 2), Qt::DisplayRole).toString(), "sonra");
    // Once the log is gone the grid shows nothing and touches nothing.
    model.forgetLog();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
