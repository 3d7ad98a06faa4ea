#include "MineralCodes.h"

#include "EditorSql.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Dictionary.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>

namespace editors::MineralCodes {

namespace {

const QString Source = QStringLiteral("Mineral_Picker");

} // namespace

Result<QList<Category>> categories(const QSqlDatabase& db)
{
    Db::Error e;
    auto q = Db::exec(db, QStringLiteral("select distinct 矿产类别 from cb06 order by 矿产类别"), {}, &e);
    if (!q) return e;
    QList<Category> list;
    while (q->next()) {
        const QString code = EditorSql::text(q->value(0));
        Db::Error le;
        const QString name = KCUTIL::Get_Cb01_Name(TextNumber::roundToInt32(TextNumber::leading(code)), &le);
        if (le.isSet()) return le;
        list.append({code, name});
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return list;
}

Result<QList<Mineral>> minerals(const QSqlDatabase& db, const QString& category)
{
    Db::Error e;
    auto q = Db::exec(db,
                      QStringLiteral("select 矿产代码,min(矿产名称),count(*) from cb06 where 矿产类别=? "
                                     "group by 矿产代码 order by 矿产代码"),
                      {category}, &e);
    if (!q) return e;
    QList<Mineral> list;
    while (q->next())
        list.append({EditorSql::text(q->value(0)), EditorSql::text(q->value(1)), q->value(2).toInt() > 1});
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return list;
}

Result<QList<StatObject>> objects(const QSqlDatabase& db, const QString& mineral)
{
    Db::Error e;
    auto q = Db::exec(
        db,
        QStringLiteral("select 统计对象,计算对象名称,金属量单位,矿石量单位 from cb06 where 矿产代码=? "
                       "order by rowid"),
        {mineral}, &e);
    if (!q) return e;
    QList<StatObject> list;
    while (q->next()) {
        const int object = TextNumber::roundToInt32(TextNumber::leading(EditorSql::text(q->value(0))));
        list.append({object, objectText(EditorSql::text(q->value(1)), EditorSql::text(q->value(2)),
                                        EditorSql::text(q->value(3)))});
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return list;
}

QString objectText(const QString& name, const QString& metalUnit, const QString& oreUnit)
{
    const QString gap = QStringLiteral("  ");
    if (metalUnit.isEmpty()) return name + gap + oreUnit;
    if (oreUnit.isEmpty()) return name + gap + metalUnit;
    return name + gap + metalUnit + QLatin1Char('/') + oreUnit;
}

} // namespace editors::MineralCodes
