#pragma once
#include <QString>

namespace etb {

// The controls of the main form that the logic reads, fills, shows, hides or focuses.
// Each widget carries its name as objectName (see ctlName).
#define ETB_CONTROLS(X)                                                                            \
    X(EdtKullaniciKodu) X(EdtParola) X(EdtSifre)                                                   \
    X(EdtDogrulamaKodu) X(EdtDogrulamaKoduTC)                                                      \
    X(EdtTCKimlikNo) X(EdtGun) X(EdtAy) X(EdtYil) X(EdtAnne1) X(EdtAnne2) X(EdtYakinTCNo)          \
    X(CaptchaImg) X(CaptchaImgTC) X(BtnCapthcaYenile) X(BtnCapthcaYenileTC)                        \
    X(LblDogrulamaKodu) X(LblDogrulamaKoduTC) X(Bekle) X(BekleTC) X(LblUyari)                      \
    X(BtnETebligatKontrol) X(BtnETebligatKontrolTC)                                                \
    X(BtnVergiNoSgkBirlestir) X(BtnVergiNoSgkBirlestirTC)                                          \
    X(BtnPosKontrol) X(BtnPosKontrolTC)                                                            \
    X(BtnYeniEBeyannameAracilikSozlesmesiDefter) X(BtnYeniEBeyannameAracilikSozlesmesiDefterTC)    \
    X(BtnYeniEBeyannameAracilikSorumlulukSozlesmesi) X(BtnYeniEBeyannameAracilikSorumlulukSozlesmesiTC) \
    X(BtnMeslekOdalariAracilikSorumlulukSozlesmesi)                                                \
    X(BtnEVergiLevhasi)                                                                            \
    X(BtnGirisYap) X(BtnGirisYapTC)                                                                \
    X(BtnKapat)

enum class Ctl {
#define ETB_ENUM(name) name,
    ETB_CONTROLS(ETB_ENUM)
#undef ETB_ENUM
};

QString ctlName(Ctl c);

// The pages of the page control PC, by index.
enum class Page {
    TSWeb = 0,
    TSChrom = 1,
    TSGiris = 2,
    TSLog = 3,
    cxTabSheet1 = 4,
    TSGirisTCKimlik = 5,
    TSInteraktifVergiDairesi = 6,
};

} // namespace etb
