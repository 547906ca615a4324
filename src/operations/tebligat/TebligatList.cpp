#include "operations/tebligat/TebligatList.h"

namespace etb {

TebligatRow TebligatList::fitted(TebligatRow r) {
    r.GONDEREN_BIRIM.truncate(200);
    r.GONDERME_TARIHI.truncate(20);
    r.TEBLIG_TARIHI.truncate(20);
    r.TEBLIG_BELGE_TURU.truncate(100);
    r.BELGE_NO.truncate(50);
    r.BELGE_URL.truncate(500);
    r.BELGE_YOLU.truncate(250);
    r.BELGE_FILE_NAME.truncate(50);
    r.ZARF_INDIR_BUTON_NAME.truncate(50);
    r.BELGE_INDIR_BUTON_NAME.truncate(50);
    return r;
}

void TebligatList::append(TebligatRow row) {
    rows_.append(fitted(std::move(row)));
    current_ = count() - 1;
}

bool TebligatList::locateEnvelope(const QString& id) {
    for (int i = 0; i < count(); ++i) {
        if (rows_[i].ZARF_INDIR_BUTON_NAME == id) {
            current_ = i;
            return true;
        }
    }
    return false;
}

} // namespace etb
