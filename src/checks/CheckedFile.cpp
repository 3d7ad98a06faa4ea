#include "CheckedFile.h"

namespace checks {

int Check_Import_File(const QString& path, std::unique_ptr<Db::ScopedConnection>* connection)
{
    auto opened =
        std::make_unique<Db::ScopedConnection>(QStringLiteral("check"), path, Db::OpenMode::ReadOnly);
    connection->reset();
    if (!opened->ok()) return -1;
    Db::Error error;
    const QVariant found = Db::scalar(
        opened->db(), QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?"),
        {QStringLiteral("压覆")}, &error);
    if (error.isSet()) return -1;
    if (found.toInt() == 0) return 0;
    *connection = std::move(opened);
    return 1;
}

} // namespace checks
