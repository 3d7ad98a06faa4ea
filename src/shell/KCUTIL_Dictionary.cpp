#include "KCUTIL_Dictionary.h"

#include "KCUTIL_Fields.h"
#include "ProgramState.h"
#include "platform/TextNumber.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>

namespace KCUTIL {

namespace {

const QChar LF(QLatin1Char('\n'));

// Leading and trailing blanks (spaces only; line feeds belong to the heading).
QString trimBlanks(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b) == QLatin1Char(' ')) ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' ')) --e;
    return s.mid(b, e - b);
}

void report(const Db::Error& e, Db::Error* out)
{
    if (out)
        *out = e;
    else
        Db::reportUnhandled(e);
}

// Runs a lookup on the shared connection; the query is positioned on its first
// row, or std::nullopt when there is none or the query failed.
std::optional<QSqlQuery> firstRow(const QString& sql, const QVariantList& values, Db::Error* error)
{
    Db::Error e;
    auto q = Db::exec(state().Cn(), sql, values, &e);
    if (!q) {
        if (!e.isSet()) e.description = QStringLiteral("查询失败");
        if (e.source.isEmpty()) e.source = QStringLiteral("KCUTIL");
        report(e, error);
        return std::nullopt;
    }
    if (!q->next()) {
        if (!Db::finished(*q, &e)) report(e, error);
        return std::nullopt;
    }
    return q;
}

QString text(const QSqlQuery& q, int column)
{
    return Get_Field_Str(FieldValue{q.value(column), Db::TypeVarWChar});
}

} // namespace

QStringList Dic_List_Entries(int tableNo, const QString& table, Db::Error* error)
{
    QStringList entries{QString()};
    // The table name comes from this fixed list only.
    if (table.compare(QLatin1String("cb01"), Qt::CaseInsensitive) != 0) {
        report(Db::Error{-1, QStringLiteral("KCUTIL.Fill_Dic_List"), QStringLiteral("未知的代码表：") + table},
               error);
        return entries;
    }
    Db::Error e;
    auto q = Db::exec(state().Cn(), QStringLiteral("select 名称 from cb01 where 表号=? and 表内码<>0 order by 表内码"),
                      {tableNo}, &e);
    if (!q) {
        report(e, error);
        return entries;
    }
    while (q->next()) entries << text(*q, 0);
    if (!Db::finished(*q, &e)) {
        report(e, error);
        return {QString()};
    }
    return entries;
}

QString Get_KCMC(int mineralCode, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 矿产名称 from cb06 where 矿产代码=?"), {mineralCode}, error);
    return q ? text(*q, 0) : QString();
}

QString Calc_Object_Heading(const QString& name, const QString& metalUnit, const QString& oreUnit, bool unitFlag)
{
    QString result;
    if (unitFlag) {
        if (!metalUnit.isEmpty() && !oreUnit.isEmpty()) {
            const QString stacked = metalUnit + LF + QStringLiteral("──") + LF + oreUnit;
            result = name.isEmpty() ? stacked : name + LF + stacked;
        } else {
            result = name + QStringLiteral("  ") + (metalUnit.isEmpty() ? oreUnit : metalUnit);
        }
    } else {
        result = name + QStringLiteral("  ") + oreUnit;
    }
    return trimBlanks(result);
}

QString Calc_Units_Text(const QString& name, const QString& metalUnit, const QString& oreUnit)
{
    if (!metalUnit.isEmpty() && !oreUnit.isEmpty())
        return trimBlanks(name + LF + metalUnit + QLatin1Char('/') + oreUnit);
    return trimBlanks(name + QStringLiteral("  ") + (metalUnit.isEmpty() ? oreUnit : metalUnit));
}

QString Cb06_Units_Text(const QString& metalUnit, const QString& oreUnit)
{
    if (!metalUnit.isEmpty() && !oreUnit.isEmpty()) return metalUnit + QLatin1Char('/') + oreUnit;
    return metalUnit.isEmpty() ? oreUnit : metalUnit;
}

QString Get_Calc_Object(int mineralCode, int statObject, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 计算对象名称,金属量单位,矿石量单位,计算单位标识 from cb06 "
                                     "where 矿产代码=? and 统计对象=?"),
                      {mineralCode, statObject}, error);
    if (!q) return QString();
    const bool flag = TextNumber::leading(text(*q, 3)) != 0.0;
    return Calc_Object_Heading(text(*q, 0), text(*q, 1), text(*q, 2), flag);
}

QString Get_Calc_Units(int mineralCode, int statObject, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 计算对象名称,金属量单位,矿石量单位 from cb06 "
                                     "where 矿产代码=? and 统计对象=?"),
                      {mineralCode, statObject}, error);
    return q ? Calc_Units_Text(text(*q, 0), text(*q, 1), text(*q, 2)) : QString();
}

QString Get_Ore_Type_Name(int mineralCode, int oreType, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 矿石类型名称 from cb02 where 矿产代码=? and 矿石类型=?"),
                      {mineralCode, oreType}, error);
    return q ? text(*q, 0) : QString();
}

QString Get_Ore_Grade_Name(int mineralCode, int oreGrade, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 矿石品级名称 from cb03 where 矿产代码=? and 矿石品级=?"),
                      {mineralCode, oreGrade}, error);
    if (!q) return QString();
    QString name = text(*q, 0);
    if (state().Edit_Open != 0 && mineralCode == 11001)
        name += oreGrade < 14 ? QStringLiteral("(58牌号)") : QStringLiteral("(86牌号)");
    return name;
}

QString Get_Cb01_Name(int code, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 名称 from cb01 where 代码=? order by 表号, 表内码"), {code}, error);
    return q ? text(*q, 0) : QString();
}

bool Has_Multi_Objects(int mineralCode, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select count(*) from cb06 where 矿产代码=?"), {mineralCode}, error);
    return q && q->value(0).toInt() > 1;
}

QString Get_Cb06_Units(int mineralCode, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 金属量单位,矿石量单位 from cb06 where 矿产代码=? order by 统计对象"),
                      {mineralCode}, error);
    return q ? Cb06_Units_Text(text(*q, 0), text(*q, 1)) : QString();
}

int Get_Calc_Unit_Flag(int mineralCode, int statObject, Db::Error* error)
{
    auto q = firstRow(QStringLiteral("select 计算单位标识 from cb06 where 矿产代码=? and 统计对象=?"),
                      {mineralCode, statObject}, error);
    if (!q) return 1;
    return TextNumber::leading(text(*q, 0)) == 0.0 ? 0 : 1;
}

} // namespace KCUTIL
