#include "ImportFileCheck.h"

namespace exchange {

int Check_Import_File(const QString& path, const QString& table,
                      std::unique_ptr<Db::ScopedConnection>* connection)
{
    if (connection) connection->reset();
    auto file =
        std::make_unique<Db::ScopedConnection>(QStringLiteral("Import_Cn"), path, Db::OpenMode::ReadOnly);
    if (!file->ok()) return -1;
    Db::Error error;
    const QVariant found = Db::scalar(
        file->db(), QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?"),
        {table}, &error);
    if (error.isSet() || !found.isValid()) return -1;
    if (found.toInt() == 0) return 0;
    if (connection) *connection = std::move(file);
    return 1;
}

} // namespace exchange
