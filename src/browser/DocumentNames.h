#pragma once
#include <QString>

namespace etb {

// The answer of both downloads when the document could not be saved; callers compare with it.
inline const QString kDosyaIndirilemedi = QStringLiteral("Dosya İndirilemedi");

// The file name of a document: the caller's name when it already ends in ".pdf" (any letter
// case), otherwise the caller's name followed by ".pdf".
QString belgeDosyaAdi(const QString& fileName);

// The file name of a tax plate: year + "_" + company key + "_Vergi_Levhası_" + approval time
// (every ".", " " and ":" of it turned into "_") + ".pdf".
QString vergiLevhasiDosyaAdi(const QString& yil, const QString& klavuz, const QString& onayTarihi);

// A name taken from a web page made safe as one file name in a folder: path separators and
// the characters no file name may hold ( \ / : * ? " < > | and control characters) become "_",
// so the name can neither leave the folder nor fail on Windows.
QString guvenliDosyaAdi(const QString& name);

} // namespace etb
