#include "adapters/StatementCatalogue.h"

#include <QDateTime>
#include <QStringList>

namespace etb {

namespace {

QString lines(std::initializer_list<const char*> parts) {
    QStringList l;
    for (const char* p : parts)
        l << QString::fromUtf8(p);
    return l.join(QLatin1Char('\n'));
}

QVector<CatalogueEntry> makeCatalogue() {
    const QString insertLog = QStringLiteral("INSERT INTO E_TEBLIGAT_LOG(TARIH,ACIKLAMA) VALUES (:TARIH,:ACIKLAMA)");
    const QString insertTebligat = lines(
        {"INSERT INTO E_TEBLIGAT",
         "  (GONDEREN_BIRIM, GONDERME_TARIHI, TEBLIG_TARIHI, TEBLIG_BELGE_TURU, BELGE_NO, BELGE_YOLU, BELGE_FILE_NAME)",
         "VALUES",
         "  (:GONDEREN_BIRIM, :GONDERME_TARIHI, :TEBLIG_TARIHI, :TEBLIG_BELGE_TURU, :BELGE_NO, :BELGE_YOLU, "
         ":BELGE_FILE_NAME)"});
    const QString updateFirma = QStringLiteral("UPDATE E_TEBLIGAT_LOG SET FIRMA_ID = 2 WHERE FIRMA_ID = 1");

    QVector<StatementParam> tebligatParams;
    for (const char* name : {"GONDEREN_BIRIM", "GONDERME_TARIHI", "TEBLIG_TARIHI", "TEBLIG_BELGE_TURU", "BELGE_NO",
                             "BELGE_YOLU", "BELGE_FILE_NAME"})
        tebligatParams.push_back({QString::fromLatin1(name), ParamKind::Text});

    return {
        {Statement::InsertLog, insertLog,
         QStringLiteral("INSERT INTO E_TEBLIGAT_LOG(TARIH,ACIKLAMA) VALUES (CONVERT(datetime2(3), :TARIH, 126),"
                        ":ACIKLAMA)"),
         insertLog,
         {{QStringLiteral("TARIH"), ParamKind::DateTime}, {QStringLiteral("ACIKLAMA"), ParamKind::Text}}},
        {Statement::InsertTebligat, insertTebligat, insertTebligat, insertTebligat, tebligatParams},
        {Statement::UpdateFirmaId, updateFirma, updateFirma, updateFirma, {}},
    };
}

} // namespace

const QString& CatalogueEntry::text(SqlDialect d) const {
    switch (d) {
    case SqlDialect::SqlServer:
        return sqlServer;
    case SqlDialect::SqlServerIsoDates:
        return sqlServerIsoDates;
    case SqlDialect::Sqlite:
        break;
    }
    return sqlite;
}

const CatalogueEntry& catalogueEntry(Statement statement) {
    static const QVector<CatalogueEntry> catalogue = makeCatalogue();
    for (const CatalogueEntry& e : catalogue)
        if (e.statement == statement)
            return e;
    throw DatabaseError("Bilinmeyen veri tabanı komutu.");
}

QVariant boundValue(const StatementParam& param, const QVariant& value, SqlDialect dialect) {
    const bool isNull = !value.isValid() || value.isNull();
    if (param.kind == ParamKind::Text)
        return isNull ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.toString());

    if (isNull)
        return dialect == SqlDialect::SqlServer ? QVariant(QMetaType::fromType<QDateTime>())
                                                : QVariant(QMetaType::fromType<QString>());
    const QDateTime dt = value.toDateTime();
    if (!dt.isValid())
        throw DatabaseError(QStringLiteral("Geçersiz tarih değeri (%1): \"%2\"")
                                .arg(param.name, value.toString())
                                .toStdString());
    if (dialect == SqlDialect::SqlServer)
        return QVariant(dt);
    return QVariant(dt.toString(dialect == SqlDialect::Sqlite ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                                              : QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
}

} // namespace etb
