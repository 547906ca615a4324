#pragma once
#include <QString>
#include <QVariantMap>
#include <stdexcept>

namespace etb {

struct DatabaseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The statements the tool runs in the host database (see the statement catalogue).
enum class Statement {
    InsertLog,        // E_TEBLIGAT_LOG(TARIH, ACIKLAMA)
    InsertTebligat,   // E_TEBLIGAT(seven notification fields)
    UpdateFirmaId,    // the completion mark
};

// The host's database, opened from argument 7. Throws DatabaseError with the driver's text.
class HostDatabase {
public:
    virtual ~HostDatabase() = default;
    virtual void open(const QString& connectionString) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual void exec(Statement statement, const QVariantMap& params) = 0;
};

} // namespace etb
