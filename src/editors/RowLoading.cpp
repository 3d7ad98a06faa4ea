#include "RowLoading.h"

#include "EditorSql.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Dictionary.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>

namespace editors::RowLoading {

namespace {

const QString Source = QStringLiteral("FrmEdit");

int codeOf(const QString& text)
{
    return TextNumber::roundToInt32(TextNumber::leading(text));
}

Db::Error failed(const QString& what)
{
    return Db::Error{-1, Source, what};
}

} // namespace

Result<Loaded> Load_Rows(const QSqlDatabase& db, const QString& djh, RowGrid& grid)
{
    Db::Error e;
    auto q =
        Db::exec(db,
                 QStringLiteral("select 登记号,矿产代码,统计对象,矿石类型,矿石品级,均值标识,组分名 from 质量 "
                                "where 登记号=? order by 显示序号"),
                 {djh}, &e);
    if (!q) return e;

    Loaded loaded;
    QString prevMineral;
    int prevObject = 0;
    QString prevType;
    QString prevGrade;
    bool prevAverage = false;
    int r = 1;
    while (q->next()) {
        const QString mineralText = EditorSql::text(q->value(1));
        const int mineral = codeOf(mineralText);
        const int object = codeOf(EditorSql::text(q->value(2)));
        const QString type = EditorSql::text(q->value(3));
        const QString grade = EditorSql::text(q->value(4));
        const bool average = q->value(5).toInt() != 0;
        const QString component = EditorSql::text(q->value(6));

        if (mineralText != prevMineral || object != prevObject || type != prevType || grade != prevGrade ||
            average != prevAverage) {
            ++loaded.groups;
            if (r <= RowGrid::LastRow) {
                Db::Error le;
                grid.setText(r, RowGrid::Mineral, KCUTIL::Get_KCMC(mineral, &le));
                grid.setText(r, RowGrid::Object, KCUTIL::Get_Calc_Units(mineral, object, &le));
                grid.setCode(r, RowGrid::Mineral, mineral);
                grid.setCode(r, RowGrid::Object, object);
                if (!average) {
                    const int typeCode = codeOf(type);
                    const int gradeCode = codeOf(grade);
                    grid.setText(r, RowGrid::OreType, KCUTIL::Get_Ore_Type_Name(mineral, typeCode, &le));
                    grid.setText(r, RowGrid::OreGrade, KCUTIL::Get_Ore_Grade_Name(mineral, gradeCode, &le));
                    grid.setCode(r, RowGrid::OreType, typeCode);
                    grid.setCode(r, RowGrid::OreGrade, gradeCode);
                }
                if (le.isSet()) return le;
                const Result<Combination> combination = Get_Mineral_Combination(db, djh, mineral);
                if (!combination) return combination.error();
                grid.setText(r, RowGrid::Combination, combination->name);
                grid.setCode(r, RowGrid::Combination, codeOf(combination->code));
                if (average) {
                    grid.setText(r, RowGrid::Quality, RowGrid::Average);
                } else {
                    if (!component.isEmpty()) grid.setText(r, RowGrid::Quality, RowGrid::Present);
                    const Result<QString> marker = Get_Reserve_Marker(db, djh, grid.key(r));
                    if (!marker) return marker.error();
                    grid.setText(r, RowGrid::Reserve, *marker);
                }
            }
            ++r;
        }
        prevMineral = mineralText;
        prevObject = object;
        prevType = type;
        prevGrade = grade;
        prevAverage = average;
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return loaded;
}

Result<Combination> Get_Mineral_Combination(const QSqlDatabase& db, const QString& djh, int mineral)
{
    Db::Error e;
    auto q =
        Db::exec(db, QStringLiteral("select 矿产组合码,矿产组合 from 资源储量 where 登记号=? and 矿产代码=?"),
                 {djh, mineral}, &e);
    if (!q) return e;
    Combination c;
    if (q->next()) {
        c.code = EditorSql::text(q->value(0));
        c.name = EditorSql::text(q->value(1));
    } else if (auto le = EditorSql::readError(*q, Source)) {
        return *le;
    }
    return c;
}

Result<QString> Get_Reserve_Marker(const QSqlDatabase& db, const QString& djh, const RowGrid::Key& key)
{
    QVariantList values;
    const QString where =
        EditorSql::ownReserveRowsOf(djh, key.mineral, key.object, key.type, key.grade, &values);
    Db::Error e;
    auto q = Db::exec(db, QStringLiteral("select count(*) from 资源储量") + where, values, &e);
    if (!q) return e;
    if (!q->next())
        return EditorSql::readError(*q, Source).value_or(failed(QStringLiteral("资源储量无法读取")));
    return q->value(0).toInt() > 0 ? RowGrid::Present : QString();
}

Result<QStringList> Load_dic_List1(const QSqlDatabase& db, int tableNo, const QString& table)
{
    // The table name comes from this fixed list only.
    if (table.compare(QLatin1String("cb01"), Qt::CaseInsensitive) != 0)
        return failed(QStringLiteral("未知的代码表：") + table);
    Db::Error e;
    auto q = Db::exec(
        db, QStringLiteral("select 表内码,名称 from cb01 where 表号=? and 表内码<>0 order by 表内码"),
        {tableNo}, &e);
    if (!q) return e;
    QStringList entries;
    if (tableNo != 16) entries << QString();
    while (q->next())
        entries << EditorSql::text(q->value(0)) + QStringLiteral(". ") + EditorSql::text(q->value(1));
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return entries;
}

Result<QStringList> Load_Type_Grade_List(const QSqlDatabase& db, int listIndex, int mineral)
{
    QStringList entries{QString()};
    auto add = [&](const QString& sql, const QVariantList& values) -> std::optional<Db::Error> {
        Db::Error e;
        auto q = Db::exec(db, sql, values, &e);
        if (!q) return e;
        while (q->next()) {
            const double code = TextNumber::leading(EditorSql::text(q->value(0)));
            entries << QString::number(code, 'g', 15) + QStringLiteral(". ") + EditorSql::text(q->value(1));
        }
        return EditorSql::readError(*q, Source);
    };
    std::optional<Db::Error> e;
    if (listIndex == 1) {
        e = add(QStringLiteral("select 矿石类型,矿石类型名称 from cb02 where 矿产代码=? order by rowid"),
                {mineral});
    } else if (mineral == 11001) {
        const QString sql = QStringLiteral("select 矿石品级,矿石品级名称 from cb03 where 矿产代码=? "
                                           "and cast(矿石品级 as real) %1 order by cast(矿石品级 as real)");
        e = add(sql.arg(QStringLiteral(">13")), {mineral});
        if (!e) e = add(sql.arg(QStringLiteral("<14")), {mineral});
    } else {
        e = add(QStringLiteral("select 矿石品级,矿石品级名称 from cb03 where 矿产代码=? order by rowid"),
                {mineral});
    }
    if (e) return *e;
    return entries;
}

Entry parseEntry(const QString& entry)
{
    Entry result;
    result.code = codeOf(entry);
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    result.name = dot < 0 ? QString() : entry.mid(dot + 1).trimmed();
    return result;
}

} // namespace editors::RowLoading
