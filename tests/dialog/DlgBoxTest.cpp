#include "dialog/DialogHook.h"
#include "dialog/DlgBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace etb;

namespace {

// ---- sizing rules, on given label measures ----

struct SizeCase {
    const char* what;
    int oneLineWidth;
    int oneLineHeight;
    int wrappedHeight;   // the label's height when wrapped at 530
    int labelWidth, labelHeight;
    bool wrap;
    int width, height;
};

class DlgBoxSizeRule : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DlgBoxSizeRule, FollowsTheText) {
    const SizeCase& c = GetParam();
    int askedAt = -1;
    const DlgBoxSize s = dlgBoxSize(c.oneLineWidth, c.oneLineHeight, [&](int w) {
        askedAt = w;
        return c.wrappedHeight;
    });
    EXPECT_EQ(s.labelWidth, c.labelWidth);
    EXPECT_EQ(s.labelHeight, c.labelHeight);
    EXPECT_EQ(s.wrap, c.wrap);
    EXPECT_EQ(s.window, QSize(c.width, c.height));
    EXPECT_EQ(askedAt, c.wrap ? 530 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DlgBoxSizeRule,
    ::testing::Values(SizeCase{"short text: at least 530 wide", 200, 18, 0, 200, 18, false, 530, 203},
                      SizeCase{"just over the minimum", 460, 18, 0, 460, 18, false, 540, 203},
                      SizeCase{"exactly 530 does not wrap", 530, 18, 0, 530, 18, false, 610, 203},
                      SizeCase{"531 wraps at 530", 531, 18, 36, 530, 36, true, 610, 221},
                      SizeCase{"label 515 high fits exactly", 900, 18, 515, 530, 515, true, 610, 700},
                      SizeCase{"taller label is cut to 700", 5000, 18, 900, 530, 900, true, 610, 700}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(DlgBoxRules, IconKindsAreClamped) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 5}, {9, 5}, {255, 5}};
    for (const auto& [kind, shown] : cases)
        EXPECT_EQ(clampIconKind(kind), shown) << "kind " << kind;
}

// ---- the dialog itself ----

struct IconCase {
    int kind;
    const char* icon;
};

class DlgBoxIcon : public ::testing::TestWithParam<IconCase> {};

TEST_P(DlgBoxIcon, ShowsExactlyTheClampedIcon) {
    TFrmDlgBox dlg;
    dlg.prepare("Talpo.Net", "Bilgi..!", "Metin", 0, 0, 1, quint8(GetParam().kind));
    int shown = 0;
    for (const char* name : {"imginfo", "Imgwrn", "Imgerror", "Imgsoru", "ImgYasak"}) {
        auto* img = dlg.findChild<QLabel*>(name);
        ASSERT_NE(img, nullptr) << name;
        if (!img->isHidden()) {
            ++shown;
            EXPECT_STREQ(name, GetParam().icon);
        }
    }
    EXPECT_EQ(shown, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DlgBoxIcon,
                         ::testing::Values(IconCase{0, "imginfo"}, IconCase{1, "imginfo"}, IconCase{2, "Imgwrn"},
                                           IconCase{3, "Imgerror"}, IconCase{4, "Imgsoru"},
                                           IconCase{5, "ImgYasak"}, IconCase{9, "ImgYasak"}));

struct Btn {
    const char* name;
    const char* caption;
    int result;
};
struct RowCase {
    int buttonSet;
    const char* row;
    std::vector<Btn> buttons;   // left to right
};

class DlgBoxRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(DlgBoxRows, ShowsOneRowWhoseButtonsCloseWithTheirResult) {
    const RowCase& c = GetParam();
    const char* rows[] = {"PnlOK", "PnlYesNo", "PnlYesNoCancel", "PnlOkCancel", "PnlYesNoCancelNoAllYesAll",
                          "PnlAbortRetry"};
    {
        TFrmDlgBox dlg;
        dlg.prepare("T", "H", "Metin", 0, quint8(c.buttonSet), 1, 1);
        for (const char* r : rows) {
            QWidget* row = dlg.findChild<QWidget*>(r);
            ASSERT_NE(row, nullptr) << r;
            EXPECT_EQ(!row->isHidden(), QString::fromLatin1(r) == QLatin1String(c.row)) << r;
        }
        QWidget* row = dlg.findChild<QWidget*>(c.row);
        const QList<QPushButton*> buttons = row->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), qsizetype(c.buttons.size()));
        dlg.resize(dlg.size());
        dlg.layout()->activate();
        int lastX = -1;
        for (const Btn& b : c.buttons) {
            auto* button = row->findChild<QPushButton*>(b.name);
            ASSERT_NE(button, nullptr) << b.name;
            EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
            EXPECT_EQ(button->height(), 25);
            EXPECT_GT(button->x(), lastX) << b.name << " out of order";
            lastX = button->x();
        }
    }
    for (const Btn& b : c.buttons) {
        TFrmDlgBox dlg;
        dlg.prepare("T", "H", "Metin", 0, quint8(c.buttonSet), 1, 1);
        dlg.findChild<QPushButton*>(b.name)->click();
        EXPECT_EQ(dlg.result(), b.result) << b.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sets, DlgBoxRows,
    ::testing::Values(
        RowCase{0, "PnlOK", {{"btnok1", "Tamam", 1}}},
        RowCase{1, "PnlYesNo", {{"btnyes2", "Evet", 6}, {"btnno2", "Hayır", 7}}},
        RowCase{2, "PnlYesNoCancel", {{"btnyes1", "Evet", 6}, {"btnno1", "Hayır", 7}, {"btncancel1", "İptal", 2}}},
        RowCase{3, "PnlOkCancel", {{"btnok2", "Tamam", 1}, {"btncancel2", "İptal", 2}}},
        RowCase{4,
                "PnlYesNoCancelNoAllYesAll",
                {{"btnNoToAll1", "Tümüne Hayır", 9},
                 {"btnYesToAll1", "Tümüne Evet", 10},
                 {"btnyes3", "Evet", 6},
                 {"btnno3", "Hayır", 7},
                 {"btncancel3", "İptal", 2}}},
        RowCase{5, "PnlAbortRetry", {{"BtnRetry", "Yeniden Dene", 4}, {"BtnAbort", "İ&ptal", 3}}},
        // A set the dialog does not know still gets a button that closes it.
        RowCase{6, "PnlOK", {{"btnok1", "Tamam", 1}}},
        RowCase{200, "PnlOK", {{"btnok1", "Tamam", 1}}}));

TEST(DlgBoxEscape, AnswersOnlyWhereTheRowHasCancel) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 0}, {2, 2}, {3, 2}, {4, 2}, {5, 0}};
    for (const auto& [set, result] : cases) {
        TFrmDlgBox dlg;
        dlg.prepare("T", "H", "Metin", 0, quint8(set), 1, 1);
        dlg.setResult(0);
        dlg.reject();
        EXPECT_EQ(dlg.result(), result) << "set " << set;
    }
}

// ---- sizing of real texts (the label measures itself) ----

class DlgBoxText : public ::testing::Test {
protected:
    QLabel* label(TFrmDlgBox& dlg) { return dlg.findChild<QLabel*>("LblText"); }
};

TEST_F(DlgBoxText, ShortTextGivesTheMinimumWidth) {
    TFrmDlgBox dlg;
    dlg.prepare("Talpo.Net", "Bilgi..!", "Kısa bir ileti.", 0, 0, 1, 1);
    QLabel* l = label(dlg);
    EXPECT_FALSE(l->wordWrap());
    EXPECT_LT(l->width(), 450);
    EXPECT_EQ(dlg.size(), QSize(530, 70 + l->height() + 115));
    EXPECT_EQ(dlg.computedSize().window, dlg.size());
}

TEST_F(DlgBoxText, WideTextWrapsAt530) {
    QString text;
    for (int i = 0; i < 12; ++i)
        text += QStringLiteral("Doğrulama kodu yüklenemedi. ");
    TFrmDlgBox dlg;
    dlg.prepare("Talpo.Net", "Bilgi..!", text.trimmed(), 0, 0, 1, 1);
    QLabel* l = label(dlg);
    EXPECT_TRUE(l->wordWrap());
    EXPECT_EQ(l->width(), 530);
    EXPECT_GT(l->height(), 2 * QFontMetrics(l->font()).height());
    EXPECT_EQ(dlg.size(), QSize(610, 70 + l->height() + 115));
}

TEST_F(DlgBoxText, VeryLongTextStopsAt700) {
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Sistemde okunmamış e-Tebligat bulunmaktadır. ");
    TFrmDlgBox dlg;
    dlg.prepare("Talpo.Net", "Bilgi..!", text, 0, 0, 1, 1);
    EXPECT_GT(label(dlg)->height(), 515);
    EXPECT_EQ(dlg.size(), QSize(610, 700));
}

TEST_F(DlgBoxText, LineBreakGivesTwoLinesAsWideAsTheLonger) {
    const QString first = QStringLiteral("Parola hatalı.");
    const QString second = QStringLiteral("Kullanıcı bilgilerinizi kontrol edip tekrar deneyiniz.");
    TFrmDlgBox one;
    one.prepare("Talpo.Net", "Bilgi..!", second, 0, 0, 1, 1);
    TFrmDlgBox two;
    two.prepare("Talpo.Net", "Bilgi..!", first + QStringLiteral("\r\n") + second, 0, 0, 1, 1);
    QLabel* l = label(two);
    EXPECT_FALSE(l->text().contains(QLatin1Char('\r')));
    EXPECT_EQ(l->width(), label(one)->width());
    EXPECT_EQ(l->height(), 2 * QFontMetrics(l->font()).lineSpacing());
    EXPECT_EQ(two.size().height(), 70 + l->height() + 115);
}

// ---- the shortcuts and the test hook ----

struct DefaultCase {
    int set;
    int param;
    const char* button;   // "" for none
    int answer;           // what the hook answers without a queued answer
};

class DlgBoxDefault : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DlgBoxDefault, FocusAndUnansweredResultFollowTheTable) {
    const DefaultCase& c = GetParam();
    DialogHook hook;
    WidgetDialogs dialogs;
    const int r = dialogs.DlgBoxGoster("Talpo.Net", "Soru", "Devam edilsin mi?", 0, quint8(c.set), quint8(c.param), 4);
    ASSERT_EQ(hook.records().size(), 1);
    EXPECT_EQ(hook.records().at(0).focusButton, QString::fromLatin1(c.button));
    EXPECT_EQ(r, c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DlgBoxDefault,
    ::testing::Values(DefaultCase{0, 0, "btnok1", 1}, DefaultCase{0, 3, "btnok1", 1},
                      DefaultCase{1, 0, "btnyes2", 6}, DefaultCase{1, 1, "btnyes2", 6}, DefaultCase{1, 2, "btnno2", 7},
                      DefaultCase{1, 9, "btnno2", 7}, DefaultCase{2, 1, "btnyes1", 6}, DefaultCase{2, 2, "btnno1", 7},
                      DefaultCase{2, 3, "btncancel1", 2}, DefaultCase{2, 8, "btncancel1", 2},
                      DefaultCase{3, 0, "btnok2", 1}, DefaultCase{3, 2, "btncancel2", 2},
                      DefaultCase{4, 1, "btnyes3", 6}, DefaultCase{4, 2, "btncancel3", 2},
                      DefaultCase{4, 3, "btnno3", 7}, DefaultCase{4, 4, "", 0}, DefaultCase{4, 9, "", 0},
                      DefaultCase{5, 0, "BtnAbort", 3}, DefaultCase{5, 1, "BtnAbort", 3},
                      DefaultCase{5, 2, "BtnRetry", 4}, DefaultCase{5, 3, "", 0}, DefaultCase{7, 2, "btnok1", 1}));

TEST(DialogHookTest, ShortcutsAreTitledAndIconedAsTheToolShowsThem) {
    DialogHook hook;
    WidgetDialogs dialogs;
    EXPECT_EQ(BilgiMesaji(dialogs, "Bilgi metni"), mrOk);
    EXPECT_EQ(HataMesaji(dialogs, "Hata metni"), mrOk);
    ASSERT_EQ(hook.records().size(), 2);
    const DialogRecord& info = hook.records().at(0);
    const DialogRecord& error = hook.records().at(1);
    for (const DialogRecord* r : {&info, &error}) {
        EXPECT_EQ(r->kind, DialogRecord::Box);
        EXPECT_EQ(r->title, QStringLiteral("Talpo.Net"));
        EXPECT_EQ(r->row, 0);
        EXPECT_EQ(r->focusButton, QStringLiteral("btnok1"));
        EXPECT_EQ(r->size.width(), 530);
    }
    EXPECT_EQ(info.heading, QStringLiteral("Bilgi..!"));
    EXPECT_EQ(info.icon, 1);
    EXPECT_EQ(error.heading, QStringLiteral("Hata..!"));
    EXPECT_EQ(error.icon, 3);
    EXPECT_EQ(hook.texts(), QStringList({"Bilgi metni", "Hata metni"}));
}

TEST(DialogHookTest, QueuedAnswersComeFirstThenDefaults) {
    DialogHook hook;
    WidgetDialogs dialogs;
    hook.answer(mrNo);
    hook.answerFolder("/tmp/belgeler");
    EXPECT_EQ(dialogs.DlgBoxGoster("T", "H", "1", 0, 1, 1, 4), mrNo);
    EXPECT_EQ(dialogs.DlgBoxGoster("T", "H", "2", 0, 1, 1, 4), mrYes);
    EXPECT_EQ(dialogs.selectFolder(), QStringLiteral("/tmp/belgeler"));
    EXPECT_EQ(dialogs.selectFolder(), QString());
    dialogs.plainMessage(">58317>a");
    ASSERT_EQ(hook.records().size(), 5);
    EXPECT_EQ(hook.records().at(4).kind, DialogRecord::Plain);
    EXPECT_EQ(hook.records().at(4).title, QStringLiteral("Talpo.Net"));
    EXPECT_EQ(hook.records().at(4).text, QStringLiteral(">58317>a"));
    EXPECT_EQ(hook.records().at(2).kind, DialogRecord::Folder);
}

TEST(DialogHookTest, InnerHookAnswersAndTheOuterReturns) {
    DialogHook outer;
    WidgetDialogs dialogs;
    {
        DialogHook inner;
        EXPECT_EQ(DialogHook::active(), &inner);
        BilgiMesaji(dialogs, "iç");
        EXPECT_EQ(inner.records().size(), 1);
    }
    EXPECT_EQ(DialogHook::active(), &outer);
    EXPECT_TRUE(outer.records().isEmpty());
    BilgiMesaji(dialogs, "dış");
    EXPECT_EQ(outer.texts(), QStringList({"dış"}));
}

} // namespace
