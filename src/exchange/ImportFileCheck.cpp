#include "ImportFileCheck.h"

namespace exchange {

int Check_Import_File(const QString& path, const QString& table,
                      std::unique_ptr<Db::ScopedConnection>* connection, Db::Error* error)
{
    if (connection) connection->reset();
    auto file =
        std::make_unique<Db::ScopedConnection>(QStringLiteral("Import_Cn"), path, Db::OpenMode::ReadOnly);
    if (!file->ok()) {
        if (error) *error = file->error();
        return -1;
    }
    Db::Error failure;
    const QVariant found = Db::scalar(
        file->db(), QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?"),
        {table}, &failure);
    if (failure.isSet() || !found.isValid()) {
        if (error) *error = failure;
        return -1;
    }
    if (found.toInt() == 0) return 0;
    if (connection) *connection = std::move(file);
    return 1;
}

Db::MissingColumn missingImportColumn(const QSqlDatabase& file, const Db::ScopedConnection& reference,
                                      const QStringList& reads)
{
    if (!reference.ok()) return {};
    return Db::firstMissingColumn(file, reference.db(), reads);
}

} // namespace exchange
