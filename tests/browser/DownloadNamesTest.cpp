// File names of downloaded documents.
#include "browser/DocumentNames.h"

#include <gtest/gtest.h>

using namespace etb;

namespace {

TEST(DocumentNames, PdfExtensionRule) {
    const struct {
        const char* given;
        const char* name;
    } cases[] = {
        {"Ödeme Emri_123456.PDF", "Ödeme Emri_123456.PDF"},
        {"Ödeme Emri_123456.Pdf", "Ödeme Emri_123456.Pdf"},
        {"belge.pdf", "belge.pdf"},
        {"Ödeme Emri_123456", "Ödeme Emri_123456.pdf"},
        {"rapor.pdf.txt", "rapor.pdf.txt.pdf"},
        {"PDF", "PDF.pdf"},
        {"", ".pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(belgeDosyaAdi(QString::fromUtf8(c.given)).toStdString(), c.name) << c.given;
}

TEST(DocumentNames, TaxPlateName) {
    const struct {
        const char* yil;
        const char* klavuz;
        const char* tarih;
        const char* name;
    } cases[] = {
        {"2019", "00123", "12.03.2019 10:15:30", "2019_00123_Vergi_Levhası_12_03_2019_10_15_30.pdf"},
        {"2024", "7", "01.02.2024", "2024_7_Vergi_Levhası_01_02_2024.pdf"},
        {"2024", "7", "", "2024_7_Vergi_Levhası_.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vergiLevhasiDosyaAdi(c.yil, c.klavuz, QString::fromUtf8(c.tarih)).toStdString(), c.name)
            << c.tarih;
}

TEST(DocumentNames, NamesFromThePageStayInTheirFolder) {
    const struct {
        const char* given;
        const char* safe;
    } cases[] = {
        {"Vergi/Ceza İhbarnamesi_2024-1.pdf", "Vergi_Ceza İhbarnamesi_2024-1.pdf"},
        {"../../etc/passwd", ".._.._etc_passwd"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
        {"satır\nsonu\t.pdf", "satır_sonu_.pdf"},
        {"Ödeme Emri_123456.pdf", "Ödeme Emri_123456.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(guvenliDosyaAdi(QString::fromUtf8(c.given)).toStdString(), c.safe) << c.given;
}

} // namespace
