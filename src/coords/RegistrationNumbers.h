#pragma once

#include "platform/Database.h"

#include <QSqlDatabase>
#include <QString>

// Registration numbers (登记号): 13 digits, kind (1), region code (6), year (2),
// "2", serial (3). The first ten characters are the prefix under which serials
// are counted.
namespace KCUTIL {

// The highest serial in use under `prefix` in table 登记 (the last three
// characters of the number that sorts first by them), 0 when none. The prefix is
// compared as text with the first ten characters of each number. When that number
// is not 13 characters long, "库内登记号[" + number + "]位数错，系统无法正确配号！"
// is shown (title "警告") and its last three characters still count. A database
// failure gives 0 and fills `error`.
int New_DJH(const QSqlDatabase& db, const QString& prefix, Db::Error* error = nullptr);
// The same on the shared connection.
int New_DJH(const QString& prefix, Db::Error* error = nullptr);

// True when table 登记 holds a row with exactly this number. A database failure
// gives false and fills `error`.
bool Is_DJH_In_DB(const QSqlDatabase& db, const QString& number, Db::Error* error = nullptr);
bool Is_DJH_In_DB(const QString& number, Db::Error* error = nullptr);

// The next number under a prefix.
struct DjhAllocation
{
    enum class Status {
        Ok,         // `number` is the prefix and the next serial, three digits
        PrefixFull, // serial 999 is taken: no 13-character number is left
        Failed,     // the database could not be read (`error`)
    };
    Status status = Status::Failed;
    QString number;
    Db::Error error;
};
// prefix + (New_DJH(prefix) + 1) written with three digits; gaps below the
// highest serial are not reused.
DjhAllocation Next_DJH(const QSqlDatabase& db, const QString& prefix);
DjhAllocation Next_DJH(const QString& prefix);

} // namespace KCUTIL
