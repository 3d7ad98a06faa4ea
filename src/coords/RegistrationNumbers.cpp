#include "RegistrationNumbers.h"

#include "platform/Prompt.h"
#include "platform/TextNumber.h"
#include "shell/ProgramState.h"

namespace KCUTIL {

namespace {
constexpr int MaxSerial = 999;
}

int New_DJH(const QSqlDatabase& db, const QString& prefix, Db::Error* error)
{
    Db::Error e;
    // The range lets the key's index find the prefix's numbers without reading the
    // whole table.
    auto q = Db::exec(
        db,
        QStringLiteral("SELECT 登记号 FROM 登记 WHERE 登记号 >= ? AND 登记号 < ? AND substr(登记号,1,10)=? "
                       "ORDER BY substr(登记号,-3) DESC, 登记号"),
        {prefix, prefix + QChar(0xFFFF), prefix}, &e);
    if (!q) {
        if (error) *error = e;
        return 0;
    }
    if (!q->next()) {
        Db::finished(*q, error);
        return 0;
    }
    const QString number = q->value(0).toString();
    if (number.size() != 13)
        Prompt::message(QStringLiteral("库内登记号[") + number +
                            QStringLiteral("]位数错，系统无法正确配号！"),
                        QStringLiteral("警告"), Prompt::Icon::Information);
    return TextNumber::roundToInt32(TextNumber::leading(QStringView(number).right(3)));
}

int New_DJH(const QString& prefix, Db::Error* error)
{
    return New_DJH(state().Cn(), prefix, error);
}

bool Is_DJH_In_DB(const QSqlDatabase& db, const QString& number, Db::Error* error)
{
    Db::Error e;
    auto q = Db::exec(db, QStringLiteral("SELECT 登记号 FROM 登记 WHERE 登记号=?"), {number}, &e);
    if (!q) {
        if (error) *error = e;
        return false;
    }
    return q->next() || !Db::finished(*q, error);
}

bool Is_DJH_In_DB(const QString& number, Db::Error* error)
{
    return Is_DJH_In_DB(state().Cn(), number, error);
}

DjhAllocation Next_DJH(const QSqlDatabase& db, const QString& prefix)
{
    DjhAllocation a;
    const int highest = New_DJH(db, prefix, &a.error);
    if (a.error.isSet()) {
        a.status = DjhAllocation::Status::Failed;
        return a;
    }
    if (highest >= MaxSerial) {
        a.status = DjhAllocation::Status::PrefixFull;
        return a;
    }
    a.status = DjhAllocation::Status::Ok;
    a.number = prefix + QStringLiteral("%1").arg(qMax(highest, 0) + 1, 3, 10, QLatin1Char('0'));
    return a;
}

DjhAllocation Next_DJH(const QString& prefix)
{
    return Next_DJH(state().Cn(), prefix);
}

} // namespace KCUTIL
