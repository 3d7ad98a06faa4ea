#pragma once

#include "TableCopier.h"
#include "platform/Result.h"

#include <QString>
#include <QStringList>

// Export of chosen overlay registrations into a new database file made from the
// template: the six registration tables copied by column name, the installation's
// province code written into 参数表. The file is built under a temporary name beside
// the target and renamed into place only when complete; the working database is
// only read.
namespace exchange {

struct ExportRequest
{
    QString workingDatabase; // path of the working registration database
    QString templatePath;    // djk.sys
    QString target;          // the new file
    QStringList numbers;     // chosen numbers, in the order they were chosen
    // Every listed number is chosen: the tables are copied whole (every overlay row,
    // in number order) instead of number by number.
    bool wholeTables = false;
    int provinceCode = 0;
};

// Fails, leaving the target untouched, when the target is the working database or
// the template, or when any step fails. Progress counts the six tables.
Status exportRegistrations(const ExportRequest& request, const Progress& progress = {});

} // namespace exchange
