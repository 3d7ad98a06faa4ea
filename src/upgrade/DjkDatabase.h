#pragma once

#include "platform/Result.h"

#include <QString>
#include <QStringList>

// Recognition of registration databases and their version against the template's.
namespace DjkDatabase {

// The ten registration tables, in the order they are copied.
QStringList initTableList();

// The file is a registration database: it holds all ten tables (other tables do not
// matter). A file that is not a database answers false; one that cannot be read is an error.
Result<bool> isDjkDatabase(const QString& path);

// 数据库参数.版本号 of the first row, or the empty text when it cannot be read.
QString getVersion(const QString& path);

// The database's version is not older than the template's, compared as text
// character by character; a database without a version is older. The template must
// open; a template without a version counts every non-empty version as current.
Result<bool> isConsistent(const QString& path, const QString& templatePath);

} // namespace DjkDatabase
