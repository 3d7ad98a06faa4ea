#pragma once

#include "platform/Database.h"

#include <QString>

#include <memory>

namespace checks {

// Opens a registration database file other than the working one for reading only
// (it is never written) and tells whether it holds the table 压覆: 1 it does (the
// connection is left open in `connection`), 0 it does not, -1 it cannot be opened
// or read. On 0 and -1 `connection` is released.
int Check_Import_File(const QString& path, std::unique_ptr<Db::ScopedConnection>* connection);

} // namespace checks
