#include "GradeRemap.h"

#include "platform/Database.h"

#include <QStringList>

namespace GradeRemap {

namespace {

const QString kQualityColumns = QStringLiteral(
    "登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, 均值标识, 显示序号");
const QString kReserveColumns = QStringLiteral(
    "登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, 矿石量1, 基础储量类型, 金属量2, "
    "矿石量2, "
    "资源量类型, 金属量3, 矿石量3, 矿产组合码, 矿产组合, 原登记号, 显示序号, 扣矿区编号, 扣登记分类编号");

// The rows that leave their tables. val() of the old system: the leading number of the text.
const QString kQualityRows = QStringLiteral(" WHERE CAST(矿石品级 AS REAL) < 31 AND CAST(矿石品级 AS REAL) > "
                                            "0 AND 均值标识 = 0 AND 矿产代码 = 11001");
const QString kReserveRows = QStringLiteral(" WHERE 矿石品级 < 31 AND 矿石品级 > 0 AND 矿产代码 = 11001");

Status run(const QSqlDatabase& db, const QStringList& statements)
{
    Db::Error error;
    for (const QString& s : statements)
        if (!Db::exec(db, s, {}, &error)) return error;
    return Status::success();
}

} // namespace

QList<int> initGradePairs()
{
    return {1, 14, 2, 15, 3, 17, 4, 18, 5, 20, 6, 22, 7, 24, 8, 25, 9, 26, 10, 27, 11, 28, 12, 29, 13, 30};
}

Status remapGrade11001(const QSqlDatabase& db)
{
    // extract11001Rows
    Status s = run(
        db, {
                QStringLiteral("DROP TABLE IF EXISTS temp.temp_zl"),
                QStringLiteral("DROP TABLE IF EXISTS temp.temp_zycl"),
                QStringLiteral("CREATE TEMP TABLE temp_zl AS SELECT ") + kQualityColumns +
                    QStringLiteral(" FROM main.质量") + kQualityRows,
                QStringLiteral(
                    "CREATE TEMP TABLE temp_zycl AS SELECT 登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, "
                    "储量类型, 金属量1 AS temp_金属量1, 矿石量1 AS temp_矿石量1, 基础储量类型, "
                    "金属量2 AS temp_金属量2, 矿石量2 AS temp_矿石量2, 资源量类型, 金属量3 AS temp_金属量3, "
                    "矿石量3 AS temp_矿石量3, 矿产组合码, 矿产组合, 原登记号, 显示序号, 扣矿区编号, "
                    "扣登记分类编号 FROM main.资源储量") +
                    kReserveRows,
                QStringLiteral("DELETE FROM main.质量") + kQualityRows,
                QStringLiteral("DELETE FROM main.资源储量") + kReserveRows,
            });
    if (!s) return s;

    // updateGrade11001: quality grades are text, reserve grades numbers.
    const QList<int> pairs = initGradePairs();
    Db::Error error;
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        if (!Db::exec(db, QStringLiteral("UPDATE temp.temp_zl SET 矿石品级 = ? WHERE 矿石品级 = ?"),
                      {QString::number(pairs[i + 1]), QString::number(pairs[i])}, &error))
            return error;
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        if (!Db::exec(db, QStringLiteral("UPDATE temp.temp_zycl SET 矿石品级 = ? WHERE 矿石品级 = ?"),
                      {pairs[i + 1], pairs[i]}, &error))
            return error;

    // restore11001Rows, then drop11001Temp
    const QString reserveKey = QStringLiteral("登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, "
                                              "基础储量类型, 资源量类型, 矿产组合码, 矿产组合, "
                                              "原登记号, 显示序号, 扣矿区编号, 扣登记分类编号");
    return run(
        db,
        {
            QStringLiteral("INSERT INTO main.资源储量 (") + kReserveColumns +
                QStringLiteral(
                    ") SELECT 登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, sum(temp_金属量1), "
                    "sum(temp_矿石量1), 基础储量类型, sum(temp_金属量2), sum(temp_矿石量2), 资源量类型, "
                    "sum(temp_金属量3), sum(temp_矿石量3), 矿产组合码, 矿产组合, 原登记号, 显示序号, "
                    "扣矿区编号, 扣登记分类编号 FROM temp.temp_zycl GROUP BY ") +
                reserveKey,
            QStringLiteral("INSERT INTO main.质量 (") + kQualityColumns + QStringLiteral(") SELECT ") +
                kQualityColumns + QStringLiteral(" FROM temp.temp_zl GROUP BY ") + kQualityColumns,
            QStringLiteral("DROP TABLE temp.temp_zycl"),
            QStringLiteral("DROP TABLE temp.temp_zl"),
        });
}

} // namespace GradeRemap
