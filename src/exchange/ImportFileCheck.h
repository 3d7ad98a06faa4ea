#pragma once

#include "platform/Database.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace exchange {

// Opens a database file other than the working one for reading only (it is never
// written) and tells whether it holds `table`: 1 it does, 0 it opens but holds no
// such table, -1 it cannot be opened or read (*error tells why). On 1 the
// connection is left open in `connection` when one is asked for; on 0 and -1
// `connection` is released.
int Check_Import_File(const QString& path, const QString& table,
                      std::unique_ptr<Db::ScopedConnection>* connection = nullptr,
                      Db::Error* error = nullptr);

// The first of the tables `reads` (or of its columns) that the template open on
// `reference` has and the file open on `file` lacks, so that an import which would
// read it refuses the file before it starts. None when the template did not open.
Db::MissingColumn missingImportColumn(const QSqlDatabase& file, const Db::ScopedConnection& reference,
                                      const QStringList& reads);

} // namespace exchange
