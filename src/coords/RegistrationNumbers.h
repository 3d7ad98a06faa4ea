#pragma once

#include "platform/Database.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

// Registration numbers (登记号): 13 digits, kind (1), region code (6), year (2),
// "2", serial (3). The first ten characters are the prefix under which serials
// are counted. Nothing here shows a message: a database failure comes back as the
// error of the result, the warning about a malformed number as text to show.
namespace KCUTIL {

// The highest serial in use under a prefix.
struct HighestSerial
{
    int serial = 0;  // 0 when none is in use
    QString warning; // Wrong_Length_Message of the number it came from, or empty
};

// The highest serial in use under `prefix` in table 登记 (the last three
// characters of the number that sorts first by them). The prefix is compared as
// text with the first ten characters of each number. When that number is not 13
// characters long, its last three characters still count and `warning` says so.
Result<HighestSerial> New_DJH(const QSqlDatabase& db, const QString& prefix);
// The same on the shared connection.
Result<HighestSerial> New_DJH(const QString& prefix);

// "库内登记号[" + number + "]位数错，系统无法正确配号！", shown titled "警告".
QString Wrong_Length_Message(const QString& number);

// True when table 登记 holds a row with exactly this number.
Result<bool> Is_DJH_In_DB(const QSqlDatabase& db, const QString& number);
Result<bool> Is_DJH_In_DB(const QString& number);

// The next number under a prefix.
struct DjhAllocation
{
    enum class Status {
        Ok,         // `number` is the prefix and the next serial, three digits
        PrefixFull, // serial 999 is taken: no 13-character number is left
    };
    Status status = Status::Ok;
    QString number;
    QString warning; // from New_DJH, shown before anything else
};
// prefix + (New_DJH(prefix) + 1) written with three digits; gaps below the
// highest serial are not reused.
Result<DjhAllocation> Next_DJH(const QSqlDatabase& db, const QString& prefix);
Result<DjhAllocation> Next_DJH(const QString& prefix);

} // namespace KCUTIL
