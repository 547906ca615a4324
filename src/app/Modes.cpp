#include "app/Modes.h"

namespace etb {

const std::vector<ModeRow>& modeTable() {
    static const std::vector<ModeRow> rows = {
        {Mode::TebligatKontrol, "TebligatKontrol", "e-Tebligat Otomatik Kontrol", true,
         Ctl::BtnETebligatKontrol, Ctl::BtnETebligatKontrolTC},
        {Mode::VergiNoSgkBirlestir, "VergiNoSgkBirlestir",
         "Vergi Kimlik Numarası ile SGK Sicil Numarası Birleştirmesine İlişkin Bildirim İşlemleri", true,
         Ctl::BtnVergiNoSgkBirlestir, Ctl::BtnVergiNoSgkBirlestirTC},
        {Mode::InteraktifVergiDairesi, "InteraktifVergiDairesi", "İnteraktif Vergi Dairesi", false,
         std::nullopt, std::nullopt},
        {Mode::PosKontrol, "PosKontrol", "Yeni Vedop Pos Sorgula", true, Ctl::BtnPosKontrol,
         Ctl::BtnPosKontrolTC},
        {Mode::YeniEBeyannameAracilikSozlesmesiDefter, "YeniEBeyannameAracilikSozlesmesiDefter",
         "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Defter Bilgileri Girişi", true,
         Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefter, Ctl::BtnYeniEBeyannameAracilikSozlesmesiDefterTC},
        {Mode::YeniEBeyannameAracilikSorumlulukSozlesmesi, "YeniEBeyannameAracilikSorumlulukSozlesmesi",
         "Yeni E-Beyanname Aracılık ve Sorumluluk Sözleşmesi Girişi", true,
         Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesi,
         Ctl::BtnYeniEBeyannameAracilikSorumlulukSozlesmesiTC},
        {Mode::MeslekOdalariAracilikSorumlulukSozlesmesi, "MeslekOdalariAracilikSorumlulukSozlesmesi",
         "Meslek Odaları Defter-Beyan Sistemi Kullanımı Aracılık ve Sorumluluk Sözleşmesi Girişi", true,
         Ctl::BtnMeslekOdalariAracilikSorumlulukSozlesmesi, std::nullopt},
        {Mode::EVergiLevhasi, "EVergiLevhasi", "Vergi Levhası Mükellef İşlemleri", true, Ctl::BtnEVergiLevhasi,
         std::nullopt},
        {Mode::Giris, "Giriş", "Yeni Vedop Sitesine Giriş", false, Ctl::BtnGirisYap, Ctl::BtnGirisYapTC},
    };
    return rows;
}

bool keywordKnown(const QString& keyword) {
    for (const ModeRow& r : modeTable())
        if (r.keyword == keyword)
            return true;
    return false;
}

const ModeRow& modeRowFor(const QString& keyword) {
    for (const ModeRow& r : modeTable())
        if (r.keyword == keyword)
            return r;
    return modeTable().back();
}

LoginKind loginKindFor(const QString& arg6) {
    if (arg6 == QLatin1String("KullaniciGirisi"))
        return LoginKind::Kullanici;
    if (arg6 == QLatin1String("TCKimlikNoGirisi"))
        return LoginKind::TCKimlik;
    return LoginKind::None;
}

std::optional<Ctl> enterButton(Mode mode, bool tcPage) {
    // One mode is active at a time, so the first true row of the Enter table is the active
    // mode's own button; the T.C. page has no twin for the chambers contract and the plates.
    for (const ModeRow& r : modeTable())
        if (r.mode == mode)
            return tcPage ? r.buttonTC : r.button;
    return std::nullopt;
}

} // namespace etb
