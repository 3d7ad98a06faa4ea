#pragma once

#include "platform/Database.h"

#include <QString>

#include <memory>

namespace exchange {

// Opens a database file other than the working one for reading only (it is never
// written) and tells whether it holds `table`: 1 it does, 0 it opens but holds no
// such table, -1 it cannot be opened or read. On 1 the connection is left open in
// `connection` when one is asked for; on 0 and -1 `connection` is released.
int Check_Import_File(const QString& path, const QString& table,
                      std::unique_ptr<Db::ScopedConnection>* connection = nullptr);

} // namespace exchange
