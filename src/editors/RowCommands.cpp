#include "RowCommands.h"

#include "EditorSql.h"
#include "RowLoading.h"

#include <QSqlError>

namespace editors::RowCommands {

namespace {

const QString Source = QStringLiteral("FrmEdit");

// The 质量 rows of a grid row: its component rows by the full key, or its average
// rows by mineral and statistics object.
struct QualitySelection
{
    QString where;
    QVariantList values;
};

QualitySelection qualityOf(const RowGrid& grid, int row, const QString& djh)
{
    const RowGrid::Key k = grid.key(row);
    if (grid.isAverage(row))
        return {QStringLiteral(" where 登记号=? and 矿产代码=? and 统计对象=? and 均值标识=1"),
                {djh, k.mineral, k.object}};
    return {QStringLiteral(" where 登记号=? and 矿产代码=? and 统计对象=? and 矿石类型=? and 矿石品级=? "
                           "and 均值标识=0"),
            {djh, k.mineral, k.object, QString::number(k.type), QString::number(k.grade)}};
}

Status run(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    Db::Error e;
    if (!Db::exec(db, sql, values, &e)) return e;
    return Status::success();
}

Status commit(Db::TransactionGuard& tx)
{
    Db::Error e;
    if (!tx.commit(&e)) return e;
    return Status::success();
}

} // namespace

// ---- Picks ------------------------------------------------------------------------

Result<Pick> List_Pick(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row, int listIndex,
                       const QString& entry)
{
    static const int columns[] = {RowGrid::Combination, RowGrid::OreType, RowGrid::OreGrade};
    if (listIndex < 0 || listIndex > 2) return Pick::Ignored;
    const RowLoading::Entry picked = RowLoading::parseEntry(entry);
    if (listIndex == 2 && grid.code(row, RowGrid::Mineral) == 11001 && picked.code > 50) return Pick::Ignored;
    if (grid.Find_Duplicate_Row(row, listIndex, picked.code)) return Pick::Duplicate;
    const int column = columns[listIndex];
    if (picked.code == grid.code(row, column)) {
        grid.setText(row, column, picked.name);
        return Pick::TextOnly;
    }
    const Status s = Update_Row_Key(db, djh, grid, row, listIndex, picked.code, picked.name);
    if (!s) return s.error();
    grid.setText(row, column, picked.name);
    grid.setCode(row, column, picked.code);
    return Pick::Updated;
}

Status Update_Row_Key(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row, int listIndex,
                      int code, const QString& name)
{
    const RowGrid::Key k = grid.key(row);
    const int combination = grid.code(row, RowGrid::Combination);
    if (listIndex == 0) {
        if (code == 0) return Status::success();
        if (const Status s = run(db,
                                 QStringLiteral("update 资源储量 set 矿产组合码=?, 矿产组合=? where 登记号=? "
                                                "and 矿产代码=? and ") +
                                     EditorSql::OwnReserveRows,
                                 {code, name, djh, k.mineral});
            !s)
            return s;
        for (int i = 1; i <= RowGrid::LastRow; ++i) {
            if (grid.code(i, RowGrid::Mineral) != k.mineral) continue;
            grid.setCode(i, RowGrid::Combination, code);
            grid.setText(i, RowGrid::Combination, name);
        }
        return Status::success();
    }
    if (listIndex != 1 && listIndex != 2) return Status::success();

    // The column names come from this fixed pair only.
    const QString column = listIndex == 1 ? QStringLiteral("矿石类型") : QStringLiteral("矿石品级");
    Db::TransactionGuard tx(db);
    if (!tx.started()) return tx.beginError(Source);
    const QVariantList qualityKey{djh,
                                  k.mineral,
                                  k.object,
                                  QString::number(k.type),
                                  QString::number(k.grade),
                                  grid.isAverage(row) ? 1 : 0};
    if (const Status s =
            run(db,
                QStringLiteral("update 质量 set %1=? where 登记号=? and 矿产代码=? and 统计对象=? "
                               "and 矿石类型=? and 矿石品级=? and 均值标识=?")
                    .arg(column),
                QVariantList{QString::number(code)} + qualityKey);
        !s)
        return s;
    if (const Status s =
            run(db,
                QStringLiteral("update 资源储量 set %1=? where 登记号=? and 矿产代码=? and 矿产组合码=? "
                               "and 统计对象=? and 矿石类型=? and 矿石品级=? and ")
                        .arg(column) +
                    EditorSql::OwnReserveRows,
                {code, djh, k.mineral, combination, k.object, k.type, k.grade});
        !s)
        return s;
    return commit(tx);
}

Pick Tree_Pick(RowGrid& grid, int row, const TreeChoice& choice)
{
    RowGrid::Key candidate = grid.key(row);
    candidate.mineral = choice.mineral;
    candidate.object = choice.object;
    if (grid.findDuplicate(row, candidate)) return Pick::Duplicate;
    grid.setText(row, RowGrid::Mineral, choice.mineralText);
    grid.setText(row, RowGrid::Object, choice.objectText);
    grid.setCode(row, RowGrid::Mineral, choice.mineral);
    grid.setCode(row, RowGrid::Object, choice.object);
    return Pick::Updated;
}

// ---- Row commands -------------------------------------------------------------------

QStringList Unsaved_Rows(const RowGrid& grid)
{
    QStringList names;
    for (int i = 1; i <= RowGrid::LastRow; ++i) {
        if (grid.hasMineral(i) && grid.text(i, RowGrid::Quality).isEmpty() &&
            grid.text(i, RowGrid::Reserve).isEmpty())
            names << grid.text(i, RowGrid::Mineral);
    }
    return names;
}

Result<int> Delete_Row(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row)
{
    if (row < 1 || row > RowGrid::LastRow) return 0;
    const RowGrid before = grid;
    const RowGrid::Key k = grid.key(row);
    Db::TransactionGuard tx(db);
    if (!tx.started()) return tx.beginError(Source);
    const QualitySelection quality = qualityOf(grid, row, djh);
    if (const Status s = run(db, QStringLiteral("delete from 质量") + quality.where, quality.values); !s)
        return s.error();
    QVariantList reserveKey;
    const QString reserves =
        EditorSql::ownReserveRowsOf(djh, k.mineral, k.object, k.type, k.grade, &reserveKey);
    if (const Status s = run(db, QStringLiteral("delete from 资源储量") + reserves, reserveKey); !s)
        return s.error();

    grid.Init_Grid();
    grid.Clear_Row_Codes();
    const Result<RowLoading::Loaded> loaded = RowLoading::Load_Rows(db, djh, grid);
    Status s = loaded ? Renumber_Quality_Rows(db, djh, grid) : Status(loaded.error());
    if (s) s = commit(tx);
    if (!s) {
        grid = before;
        return s.error();
    }
    return loaded->groups;
}

Result<bool> Insert_Row(const QSqlDatabase& db, const QString& djh, RowGrid& grid, int row)
{
    if (grid.hasMineral(RowGrid::LastRow)) return false;
    if (row < 1 || row > RowGrid::LastRow) return false;
    const RowGrid before = grid;
    grid.insertEmptyRow(row);
    Db::TransactionGuard tx(db);
    Status s = tx.started() ? Renumber_Quality_Rows(db, djh, grid) : Status(tx.beginError(Source));
    if (s) s = commit(tx);
    if (!s) {
        grid = before;
        return s.error();
    }
    return true;
}

Status Renumber_Quality_Rows(const QSqlDatabase& db, const QString& djh, const RowGrid& grid)
{
    for (int i = 1; i <= RowGrid::LastRow; ++i) {
        if (!grid.hasMineral(i)) continue;
        const QualitySelection quality = qualityOf(grid, i, djh);
        if (const Status s =
                run(db, QStringLiteral("update 质量 set 显示序号=? + 显示序号 % 100") + quality.where,
                    QVariantList{100 * i} + quality.values);
            !s)
            return s;
    }
    return Status::success();
}

} // namespace editors::RowCommands
