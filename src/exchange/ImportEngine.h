#pragma once

#include "TableCopier.h"
#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The import of chosen registrations from another registration database into the
// working one. Only overlay numbers of 13 characters are taken. A number that the
// working database holds already gets the next free serial under its first ten
// characters, and every row of the registration's other tables follows it; a
// prefix without a free serial refuses that registration. Rows are appended, never
// changed or deleted, and the whole import is one transaction: it lands whole or
// not at all.
namespace exchange {

struct ImportRequest
{
    QString sourcePath;
    QStringList numbers;     // the chosen numbers
    bool allNumbers = false; // every listed number is chosen: the tables are read whole
    bool everyKind = false;  // "全部登记号": 查明, 占用 and 停办 join the tables
};

struct Renumbering
{
    QString from;
    QString to;
};

struct ImportOutcome
{
    int registrations = 0;
    QList<Renumbering> renumbered;
    QStringList refused; // numbers whose prefix had no free serial left
    QList<OldDate> oldDates;
};

// The message for a registration refused for want of a serial.
QString refusedMessage(const QString& number);

// The tables in the order they are imported; 登记 first, as it gives the numbers.
QStringList importTables(bool everyKind);

// Imports on `db` (the working database). Progress counts the tables.
Result<ImportOutcome> importRegistrations(const QSqlDatabase& db, const ImportRequest& request,
                                          const Progress& progress = {});

} // namespace exchange
