#include "app/Session.h"
#include "browser/TableReading.h"

namespace etb {

namespace {

bool headerIs(const TextMatrix& m, std::initializer_list<std::pair<int, const char*>> cells) {
    for (const auto& [col, text] : cells)
        if (m.cell(col, 0) != QString::fromUtf8(text))
            return false;
    return true;
}

} // namespace

void Session::takeOverTebligatTable(bool pBelgeDetay) {
    const TextMatrix& m = SGrd;
    if (!pBelgeDetay) {
        if (!headerIs(m, {{1, "Gönderen Birim"}, {2, "Tebliğ Edilen Belge Türü"}, {3, "Belge No"}}))
            return;
        // The table's last row is its footer.
        for (int r = 1; r <= m.rowCount() - 2; ++r) {
            if (m.cell(0, r) == QStringLiteral("Kayıt bulunamadı."))
                return;
            if (m.cell(6, r) == kEkleme)
                continue;   // no envelope button: not an unread notification
            TebligatRow row;
            row.GONDEREN_BIRIM = m.cell(1, r);
            row.GONDERME_TARIHI = m.cell(4, r);
            row.TEBLIG_TARIHI = m.cell(5, r);
            row.TEBLIG_BELGE_TURU = m.cell(2, r);
            row.BELGE_NO = m.cell(3, r);
            row.ZARF_INDIR_BUTON_NAME = m.cell(6, r);
            MemTebligatList.append(row);
        }
        return;
    }
    if (!headerIs(m, {{0, "Vergi Dairesi"}, {1, "Tebliğ Edilen Belge Türü"}, {2, "Belge No"}}))
        return;
    for (int r = 1; r <= m.rowCount() - 1; ++r) {
        for (int i = 0; i < MemTebligatList.count(); ++i) {
            TebligatRow& row = MemTebligatList.rows()[i];
            if (row.TEBLIG_BELGE_TURU == m.cell(1, r) && row.BELGE_NO == m.cell(2, r)) {
                MemTebligatList.setCurrent(i);
                row.BELGE_INDIR_BUTON_NAME = m.cell(8, r).left(50);
                break;
            }
        }
    }
}

void Session::storeTebligatRows() {
    // A failed download is reported, but the rows are stored all the same: an opened
    // envelope counts as read on the site, and these rows are the host's only record of it.
    if (gETebligatIndirilemedi)
        BilgiMesaji(s.dialogs, QStringLiteral("Sistemde okunmamış e-Tebligat(larınız) bulunmaktadır fakat indirme "
                                              "işlemi sırasında hata oluşmuştur.Lütfen tekrar deneyiniz."));
    if (!MemTebligatList.isOpen() || MemTebligatList.count() == 0)
        return;
    for (const TebligatRow& row : MemTebligatList.rows()) {
        try {
            s.db.exec(Statement::InsertTebligat, {{QStringLiteral("GONDEREN_BIRIM"), row.GONDEREN_BIRIM},
                                                  {QStringLiteral("GONDERME_TARIHI"), row.GONDERME_TARIHI},
                                                  {QStringLiteral("TEBLIG_TARIHI"), row.TEBLIG_TARIHI},
                                                  {QStringLiteral("TEBLIG_BELGE_TURU"), row.TEBLIG_BELGE_TURU},
                                                  {QStringLiteral("BELGE_NO"), row.BELGE_NO},
                                                  {QStringLiteral("BELGE_YOLU"), row.BELGE_YOLU},
                                                  {QStringLiteral("BELGE_FILE_NAME"), row.BELGE_FILE_NAME}});
        } catch (const std::exception&) {
            // A refused row does not keep the others from being stored.
        }
    }
}

} // namespace etb

namespace etb {

void Session::pr_GetETebligatList(bool pBelgeDetay) {
    TableReader reader;
    reader.rule = pBelgeDetay ? CellRule::TebligatBelge : CellRule::TebligatList;
    reader.open = [](Session& s) {
        if (!s.MemTebligatList.isOpen())
            s.MemTebligatList.open();
    };
    reader.takeOver = [pBelgeDetay](Session& s) { s.takeOverTebligatTable(pBelgeDetay); };
    pr_TablolariTara(*this, reader);
}

} // namespace etb
