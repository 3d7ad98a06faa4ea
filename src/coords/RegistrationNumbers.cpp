#include "RegistrationNumbers.h"

#include "platform/TextNumber.h"
#include "shell/ProgramState.h"

namespace KCUTIL {

namespace {
constexpr int MaxSerial = 999;
}

QString Wrong_Length_Message(const QString& number)
{
    return QStringLiteral("库内登记号[") + number + QStringLiteral("]位数错，系统无法正确配号！");
}

Result<HighestSerial> New_DJH(const QSqlDatabase& db, const QString& prefix)
{
    Db::Error e;
    // The range lets the key's index find the prefix's numbers without reading the
    // whole table.
    auto q = Db::exec(
        db,
        QStringLiteral("SELECT 登记号 FROM 登记 WHERE 登记号 >= ? AND 登记号 < ? AND substr(登记号,1,10)=? "
                       "ORDER BY substr(登记号,-3) DESC, 登记号"),
        {prefix, prefix + QChar(0xFFFF), prefix}, &e);
    if (!q) return e;
    HighestSerial h;
    if (!q->next()) {
        Db::Error ended;
        if (!Db::finished(*q, &ended)) return ended;
        return h;
    }
    const QString number = q->value(0).toString();
    if (number.size() != 13) h.warning = Wrong_Length_Message(number);
    h.serial = TextNumber::roundToInt32(TextNumber::leading(QStringView(number).right(3)));
    return h;
}

Result<HighestSerial> New_DJH(const QString& prefix)
{
    return New_DJH(state().Cn(), prefix);
}

Result<bool> Is_DJH_In_DB(const QSqlDatabase& db, const QString& number)
{
    Db::Error e;
    auto q = Db::exec(db, QStringLiteral("SELECT 登记号 FROM 登记 WHERE 登记号=?"), {number}, &e);
    if (!q) return e;
    if (q->next()) return true;
    Db::Error ended;
    if (!Db::finished(*q, &ended)) return ended;
    return false;
}

Result<bool> Is_DJH_In_DB(const QString& number)
{
    return Is_DJH_In_DB(state().Cn(), number);
}

Result<DjhAllocation> Next_DJH(const QSqlDatabase& db, const QString& prefix)
{
    const Result<HighestSerial> highest = New_DJH(db, prefix);
    if (!highest) return highest.error();
    DjhAllocation a;
    a.warning = highest->warning;
    if (highest->serial >= MaxSerial) {
        a.status = DjhAllocation::Status::PrefixFull;
        return a;
    }
    a.number = prefix + QStringLiteral("%1").arg(qMax(highest->serial, 0) + 1, 3, 10, QLatin1Char('0'));
    return a;
}

Result<DjhAllocation> Next_DJH(const QString& prefix)
{
    return Next_DJH(state().Cn(), prefix);
}

} // namespace KCUTIL
