#include "ClearTypesAndGrades.h"

#include "platform/TextNumber.h"

namespace checks {

namespace {

const QString kSource = QStringLiteral("FrmClearLX_PJ");

const QString kReserveColumns = QStringLiteral(
    "登记号,矿产代码,统计对象,矿石类型,矿石品级,储量类型,金属量1,矿石量1,基础储量类型,金属量2,矿石量2,"
    "资源量类型,金属量3,矿石量3,矿产组合码,矿产组合,原登记号,显示序号,扣矿区编号,扣登记分类编号");
const QString kQualityColumns =
    QStringLiteral("登记号,矿产代码,统计对象,矿石类型,矿石品级,组分名,组分值,组分单位,均值标识,显示序号");

// The dictionary statements at the start of both batches: the default ore type
// and grade of each mineral, from the number of its rows in cb02 and cb03.
QStringList dictionaryStatements()
{
    return {
        QStringLiteral(
            "CREATE TABLE TEMP_QLLX AS SELECT cb02.矿产代码 AS DM, COUNT(cb02.矿石类型) AS LX FROM cb02 "
            "GROUP BY cb02.矿产代码"),
        QStringLiteral("UPDATE TEMP_QLLX SET LX=70010 WHERE LX=1"),
        QStringLiteral("UPDATE TEMP_QLLX SET LX=70000 WHERE LX<>70010"),
        QStringLiteral(
            "CREATE TABLE TEMP_QLPJ AS SELECT cb03.矿产代码 AS DM, COUNT(cb03.矿石品级) AS PJ FROM cb03 "
            "GROUP BY cb03.矿产代码"),
        QStringLiteral("UPDATE TEMP_QLPJ SET PJ=32 WHERE PJ=1"),
        QStringLiteral("UPDATE TEMP_QLPJ SET PJ=500 WHERE PJ<>32"),
        QStringLiteral("UPDATE TEMP_QLPJ SET PJ=30 WHERE DM=11001"),
    };
}

// The statements of one batch on `table` (rows moved out into `scratch`, given
// their defaults, and written back merged). `missingType` and `missingGrade` are
// the conditions of a missing code; `defaulted` the condition of a row that
// already carries a default; `value` turns a default number into the column's
// value; `merge` is the statement that writes the scratch rows back.
QStringList batch(const QString& table, const QString& scratch, const QString& columns,
                  const QString& missingType, const QString& missingGrade, const QString& defaulted,
                  const QString& value, const QString& merge)
{
    QStringList s = dictionaryStatements();
    s << QStringLiteral("CREATE TABLE %1 AS SELECT %2 FROM %3 WHERE %4")
             .arg(scratch, columns, table, missingType.arg(table))
      << QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, missingType.arg(table))
      << QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 WHERE %4")
             .arg(scratch, columns, table, missingGrade.arg(table))
      << QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, missingGrade.arg(table))
      << QStringLiteral("UPDATE %1 SET 矿石类型=%2 FROM TEMP_QLLX AS L WHERE %3 AND %1.矿产代码 = L.DM")
             .arg(scratch, value.arg(QStringLiteral("L.LX")), missingType.arg(scratch))
      << QStringLiteral("UPDATE %1 SET 矿石品级=%2 FROM TEMP_QLPJ AS P WHERE %3 AND %1.矿产代码 = P.DM")
             .arg(scratch, value.arg(QStringLiteral("P.PJ")), missingGrade.arg(scratch))
      << QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 WHERE %4")
             .arg(scratch, columns, table, defaulted.arg(table))
      << QStringLiteral("DELETE FROM %1 WHERE %2").arg(table, defaulted.arg(table)) << merge
      << QStringLiteral("DROP TABLE %1").arg(scratch) << QStringLiteral("DROP TABLE TEMP_QLLX")
      << QStringLiteral("DROP TABLE TEMP_QLPJ");
    return s;
}

} // namespace

const QStringList& ClearTypesAndGrades::scratchTables()
{
    static const QStringList tables{QStringLiteral("TEMP_QLLX"), QStringLiteral("TEMP_QLPJ"),
                                    QStringLiteral("TEMP_QL_ZYCL"), QStringLiteral("TEMP_QL_ZL")};
    return tables;
}

QStringList ClearTypesAndGrades::Get_Clear_Sql(const QString& mode)
{
    double n = 0;
    if (TextNumber::readWhole(mode, &n) && n == 1.0) {
        // Reserves: the codes are numbers; missing is Null or 0.
        return batch(
            QStringLiteral("资源储量"), QStringLiteral("TEMP_QL_ZYCL"), kReserveColumns,
            QStringLiteral("(%1.矿石类型 IS NULL OR %1.矿石类型=0)"),
            QStringLiteral("(%1.矿石品级 IS NULL OR %1.矿石品级=0)"),
            QStringLiteral(
                "(%1.矿石类型 = 70000 OR %1.矿石类型 = 70010 OR %1.矿石品级 = 32 OR %1.矿石品级 = 500 "
                "OR (%1.矿石品级 = 30 AND %1.矿产代码=11001))"),
            QStringLiteral("%1"),
            QStringLiteral("INSERT INTO 资源储量 (%1) SELECT 登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, "
                           "储量类型, SUM(金属量1), SUM(矿石量1), 基础储量类型, SUM(金属量2), SUM(矿石量2), "
                           "资源量类型, SUM(金属量3), SUM(矿石量3), 矿产组合码, 矿产组合, 原登记号, "
                           "MAX(显示序号), 扣矿区编号, 扣登记分类编号 FROM TEMP_QL_ZYCL GROUP BY 登记号, "
                           "矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 基础储量类型, 资源量类型, "
                           "矿产组合码, 矿产组合, 原登记号, 扣矿区编号, 扣登记分类编号")
                .arg(kReserveColumns));
    }
    // Quality: the codes are texts; missing is Null, '0' or blanks, on composition
    // rows only. The defaults are written as plain digits.
    return batch(
        QStringLiteral("质量"), QStringLiteral("TEMP_QL_ZL"), kQualityColumns,
        QStringLiteral("(%1.矿石类型 IS NULL OR %1.矿石类型='0' OR TRIM(%1.矿石类型)='') AND %1.均值标识=0"),
        QStringLiteral("(%1.矿石品级 IS NULL OR %1.矿石品级='0' OR TRIM(%1.矿石品级)='') AND %1.均值标识=0"),
        QStringLiteral("(%1.矿石类型 = '70000' OR %1.矿石类型 = '70010' OR %1.矿石品级 = '32' OR "
                       "%1.矿石品级 = '500' OR (%1.矿石品级 = '30' AND %1.矿产代码=11001))"),
        QStringLiteral("CAST(%1 AS TEXT)"),
        QStringLiteral("INSERT INTO 质量 (%1) SELECT 登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, "
                       "组分值, 组分单位, 均值标识, MAX(显示序号) FROM TEMP_QL_ZL GROUP BY 登记号, 矿产代码, "
                       "统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, 均值标识")
            .arg(kQualityColumns));
}

Status ClearTypesAndGrades::run(const QSqlDatabase& db, const Progress& progress)
{
    Db::TransactionGuard guard(db);
    if (!guard.started()) return guard.beginError(kSource);
    auto run = [&](const QString& sql) -> std::optional<Db::Error> {
        Db::Error error;
        if (Db::exec(db, sql, {}, &error)) return std::nullopt;
        error.source = kSource;
        return error;
    };
    // Scratch tables left behind by an interrupted run of an older program.
    for (const QString& t : scratchTables())
        if (auto e = run(QStringLiteral("DROP TABLE IF EXISTS ") + t)) return *e;
    for (const QString& mode : {QStringLiteral("1"), QStringLiteral("2")}) {
        for (const QString& sql : Get_Clear_Sql(mode)) {
            if (auto e = run(sql)) return *e;
            if (progress) progress();
        }
    }
    Db::Error error;
    if (!guard.commit(&error)) return error;
    return Status::success();
}

} // namespace checks
