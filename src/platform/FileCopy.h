#pragma once

#include <QString>

namespace FileCopy {

// Copies `source` to `target` through a temporary file in the target's folder that
// is renamed into place only when complete; an existing target is replaced only
// when `overwrite` is set.
bool copyFile(const QString& source, const QString& target, bool overwrite = false, QString* error = nullptr);

} // namespace FileCopy
