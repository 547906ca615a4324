#include "app/CommandLine.h"
#include "app/Modes.h"

#include <gtest/gtest.h>

using namespace etb;

namespace {

TEST(CommandLine, MissingArgumentsReadAsEmpty) {
    const CommandLine none;
    const CommandLine three({"58317", "kod", "parola"});
    for (int n = 0; n <= 13; ++n) {
        EXPECT_EQ(none.arg(n), QString()) << n;
        if (n < 1 || n > 3) {
            EXPECT_EQ(three.arg(n), QString()) << n;
        }
    }
    EXPECT_EQ(three.sifre(), QString());
    EXPECT_EQ(three.keyword(), QString());
    EXPECT_FALSE(none.tokenOk());
    EXPECT_TRUE(three.tokenOk());
}

TEST(CommandLine, TokenMustMatchWhole) {
    for (const char* token : {"58318", " 58317", "58317 ", "5831", "583170", ""})
        EXPECT_FALSE(CommandLine({token}).tokenOk()) << token;
}

TEST(CommandLine, MonthGetsALeadingZeroOnlyWhenOneCharacter) {
    const std::pair<const char*, const char*> cases[] = {{"7", "07"}, {"12", "12"}, {"", ""},
                                                         {"07", "07"}, {"x", "0x"}, {"123", "123"}};
    for (const auto& [given, stored] : cases) {
        QStringList args(12);
        args[9] = QString::fromLatin1(given);
        EXPECT_EQ(CommandLine(args).posDonemAy(), QString::fromLatin1(stored)) << given;
    }
    EXPECT_EQ(CommandLine().posDonemAy(), QString());
}

TEST(CommandLine, ParametreListJoinsEveryArgumentAfterAMarker) {
    const std::pair<QStringList, QString> cases[] = {
        {{}, ""},
        {{"58317"}, ">58317"},
        {{"58317", "kod"}, ">58317>kod"},
        {{"a", "", "b"}, ">a>>b"},
        {{"58317", "k", "p", "s", "Giriş", "KullaniciGirisi", "Provider=SQLite;Data Source=/x.db", "12", "/d/", "7",
          "2024", "1;2"},
         ">58317>k>p>s>Giriş>KullaniciGirisi>Provider=SQLite;Data Source=/x.db>12>/d/>7>2024>1;2"},
    };
    for (const auto& [args, list] : cases)
        EXPECT_EQ(CommandLine(args).parametreList(), list) << list.toStdString();
}

TEST(CommandLine, PositionsFeedTheirFields) {
    const CommandLine c({"58317", "kod", "par", "sif", "PosKontrol", "TCKimlikNoGirisi", "cs", "KLV", "/veri/", "3",
                         "2024", "K1,K2"});
    EXPECT_EQ(c.kullaniciKodu(), "kod");
    EXPECT_EQ(c.parola(), "par");
    EXPECT_EQ(c.sifre(), "sif");
    EXPECT_EQ(c.keyword(), "PosKontrol");
    EXPECT_EQ(c.loginKind(), "TCKimlikNoGirisi");
    EXPECT_EQ(c.connectionString(), "cs");
    EXPECT_EQ(c.klavuz(), "KLV");
    EXPECT_EQ(c.anaDizin(), "/veri/");
    EXPECT_EQ(c.posDonemAy(), "03");
    EXPECT_EQ(c.posDonemYil(), "2024");
    EXPECT_EQ(c.klavuzListesi(), "K1,K2");
}

struct KeywordCase {
    const char* keyword;
    Mode mode;
    bool known;
    bool opensDatabase;
    const char* caption;
};

class Keywords : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(Keywords, SelectTheirRow) {
    const KeywordCase& c = GetParam();
    const QString kw = QString::fromUtf8(c.keyword);
    const ModeRow& row = modeRowFor(kw);
    EXPECT_EQ(row.mode, c.mode);
    EXPECT_EQ(keywordKnown(kw), c.known);
    EXPECT_EQ(row.opensDatabase, c.opensDatabase);
    EXPECT_EQ(row.caption, QString::fromUtf8(c.caption));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Keywords,
    ::testing::Values(
        KeywordCase{"TebligatKontrol", Mode::TebligatKontrol, true, true, "e-Tebligat Otomatik Kontrol"},
        KeywordCase{"VergiNoSgkBirlestir", Mode::VergiNoSgkBirlestir, true, true,
                    "Vergi Kimlik Numarası ile SGK Sicil Numarası Birleştirmesine İlişkin Bildirim İşlemleri"},
        KeywordCase{"InteraktifVergiDairesi", Mode::InteraktifVergiDairesi, true, false, "İnteraktif Vergi Dairesi"},
        KeywordCase{"PosKontrol", Mode::PosKontrol, true, true, "Yeni Vedop Pos Sorgula"},
        KeywordCase{"YeniEBeyannameAracilikSozlesmesiDefter", Mode::YeniEBeyannameAracilikSozlesmesiDefter, true,
                    true, "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Defter Bilgileri Girişi"},
        KeywordCase{"YeniEBeyannameAracilikSorumlulukSozlesmesi", Mode::YeniEBeyannameAracilikSorumlulukSozlesmesi,
                    true, true, "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Girişi"},
        KeywordCase{"MeslekOdalariAracilikSorumlulukSozlesmesi", Mode::MeslekOdalariAracilikSorumlulukSozlesmesi,
                    true, true, "Meslek Odaları Defter-Beyan Sistemi Kullanımı Aracılık ve Sorumluluk Sözleşmesi Girişi"},
        KeywordCase{"EVergiLevhasi", Mode::EVergiLevhasi, true, true, "Vergi Levhası Mükellef İşlemleri"},
        KeywordCase{"Giriş", Mode::Giris, true, false, "Yeni Vedop Sitesine Giriş"},
        // Exact comparison: case, Turkish letters and spaces all count.
        KeywordCase{"giriş", Mode::Giris, false, false, "Yeni Vedop Sitesine Giriş"},
        KeywordCase{"Giris", Mode::Giris, false, false, "Yeni Vedop Sitesine Giriş"},
        KeywordCase{"tebligatkontrol", Mode::Giris, false, false, "Yeni Vedop Sitesine Giriş"},
        KeywordCase{"PosKontrol ", Mode::Giris, false, false, "Yeni Vedop Sitesine Giriş"},
        KeywordCase{"", Mode::Giris, false, false, "Yeni Vedop Sitesine Giriş"}));

TEST(LoginKinds, OnlyTheTwoKeywordsChooseAPage) {
    const std::pair<const char*, LoginKind> cases[] = {{"KullaniciGirisi", LoginKind::Kullanici},
                                                       {"TCKimlikNoGirisi", LoginKind::TCKimlik},
                                                       {"kullanicigirisi", LoginKind::None},
                                                       {"TCKimlikNo", LoginKind::None},
                                                       {"", LoginKind::None}};
    for (const auto& [arg, kind] : cases)
        EXPECT_EQ(loginKindFor(QString::fromLatin1(arg)), kind) << arg;
}

} // namespace
