#pragma once
#include "app/Controls.h"

#include <QString>
#include <optional>
#include <vector>

namespace etb {

enum class Mode {
    TebligatKontrol,
    VergiNoSgkBirlestir,
    InteraktifVergiDairesi,
    PosKontrol,
    YeniEBeyannameAracilikSozlesmesiDefter,
    YeniEBeyannameAracilikSorumlulukSozlesmesi,
    MeslekOdalariAracilikSorumlulukSozlesmesi,
    EVergiLevhasi,
    Giris,   // "Giriş" and, as the default row, any other keyword
};

// One row of the operating modes, in the order the start-up tests them.
struct ModeRow {
    Mode mode;
    QString keyword;
    QString caption;
    bool opensDatabase;
    std::optional<Ctl> button;     // on the user-code page
    std::optional<Ctl> buttonTC;   // on the T.C. identity page
};

const std::vector<ModeRow>& modeTable();
// The row of a keyword (exact, case-sensitive); the default row for anything else.
const ModeRow& modeRowFor(const QString& keyword);
// The keyword matched a row exactly ("Giriş" included); false for the default fallback.
bool keywordKnown(const QString& keyword);

enum class LoginKind { None, Kullanici, TCKimlik };
LoginKind loginKindFor(const QString& arg6);

// The operation button that Enter in a code field clicks, by the first true mode flag.
std::optional<Ctl> enterButton(Mode mode, bool tcPage);

} // namespace etb
