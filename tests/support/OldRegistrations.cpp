#include "OldRegistrations.h"

#include "SampleRegistrations.h"

#include <QStringList>
#include <QVariant>

namespace OldRegistrations {

namespace {

bool run(const QSqlDatabase& db, const QString& sql, const QVariantList& values, Db::Error* error)
{
    return Db::exec(db, sql, values, error).has_value();
}

QString numberOf(QChar kind, int serial)
{
    return QString(kind) + QStringLiteral("110101082") + QStringLiteral("%1").arg(serial, 3, 10, QChar(u'0'));
}

// Identified, occupied and suspended registrations, and deductions from them and from
// overlay registrations that can be deducted from.
bool addReferences(const QSqlDatabase& db, const Options& o, Db::Error* error)
{
    const QList<QPair<QChar, QString>> kinds = {{QChar(u'1'), QStringLiteral("查明")},
                                                {QChar(u'2'), QStringLiteral("占用")},
                                                {QChar(u'3'), QStringLiteral("停办")}};
    QStringList referenced;
    for (const auto& [digit, table] : kinds) {
        const bool mine = table != QStringLiteral("查明");
        for (int i = 1; i <= o.referenced; ++i) {
            const QString djh = numberOf(digit, i);
            const QString area =
                QStringLiteral("110101%1").arg(digit.digitValue() * 100 + i, 3, 10, QChar(u'0'));
            if (!run(db, QStringLiteral("INSERT INTO 登记 (登记号, 填表人) VALUES (?, ?)"),
                     {djh, QStringLiteral("王伟")}, error))
                return false;
            const QString sql =
                mine ? QStringLiteral("INSERT INTO %1 (登记号, 采矿权人, 行政区代码, 矿区名称, 矿区编号, "
                                      "所属矿山编号) VALUES (?, ?, ?, ?, ?, ?)")
                     : QStringLiteral("INSERT INTO %1 (登记号, 探矿权人, 行政区代码, 矿区名称, 矿区编号) "
                                      "VALUES (?, ?, ?, ?, ?)");
            QVariantList values{djh, QStringLiteral("东城矿业有限公司"), 110101,
                                QStringLiteral("东城煤矿区%1").arg(i), area};
            if (mine) values << 10 + i;
            if (!run(db, sql.arg(table), values, error)) return false;
            referenced << djh;
        }
    }
    // The sample deducts from overlay registrations that may lack a mining area or mine
    // number; such deductions are dropped, so that the database upgrades cleanly.
    if (!run(db,
             QStringLiteral(
                 "UPDATE 资源储量 SET 原登记号 = NULL WHERE 原登记号 IS NOT NULL AND 原登记号 NOT IN "
                 "(SELECT 登记号 FROM 压覆 WHERE trim(coalesce(矿区编号, '')) <> '' "
                 "AND 所属矿山编号 IS NOT NULL)"),
             {}, error))
        return false;
    // Every seventh reserve row of the sample deducts from one of the referenced registrations.
    if (!referenced.isEmpty()) {
        auto q =
            Db::exec(db, QStringLiteral("SELECT rowid FROM 资源储量 WHERE 原登记号 IS NULL ORDER BY rowid"),
                     {}, error);
        if (!q) return false;
        QList<qlonglong> rows;
        while (q->next())
            rows << q->value(0).toLongLong();
        q.reset();
        for (int i = 0; i < rows.size(); i += 7)
            if (!run(db, QStringLiteral("UPDATE 资源储量 SET 原登记号 = ? WHERE rowid = ?"),
                     {referenced.at((i / 7) % referenced.size()), rows.at(i)}, error))
                return false;
    }
    // Coal rows graded in the old classification (1 to 13), beside the sample's own.
    if (!run(db,
             QStringLiteral(
                 "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 资源量类型, 矿石量3, "
                 "显示序号) SELECT 登记号, 11001, 0, 10001, 1 + rowid % 13, '333', rowid, 901 "
                 "FROM 压覆 WHERE rowid % 3 = 0"),
             {}, error) ||
        !run(
            db,
            QStringLiteral(
                "INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, "
                "均值标识, 显示序号) SELECT 登记号, 11001, 0, '10001', CAST(1 + rowid % 13 AS TEXT), '灰分', "
                "12.5, '%', 0, 901 FROM 压覆 WHERE rowid % 3 = 0"),
            {}, error))
        return false;
    // Report codes older versions used.
    return run(db,
               QStringLiteral(
                   "UPDATE 报告 SET 可利用情况码 = 12000, 未用原因1码 = '11000' WHERE rowid % 5 = 0"),
               {}, error) &&
           run(db,
               QStringLiteral(
                   "UPDATE 报告 SET 可利用情况码 = 11000, 未用原因1码 = '12000' WHERE rowid % 5 = 1"),
               {}, error) &&
           run(db, QStringLiteral("UPDATE 资源储量 SET 扣矿区编号 = NULL, 扣登记分类编号 = NULL"), {}, error);
}

} // namespace

QList<QPair<QString, QString>> laterColumns()
{
    return {{QStringLiteral("资源储量"), QStringLiteral("扣矿区编号")},
            {QStringLiteral("资源储量"), QStringLiteral("扣登记分类编号")},
            {QStringLiteral("占用"), QStringLiteral("是否录入")},
            {QStringLiteral("停办"), QStringLiteral("是否录入")},
            {QStringLiteral("压覆"), QStringLiteral("是否录入")},
            {QStringLiteral("查明"), QStringLiteral("是否录入")}};
}

bool toOldStructure(const QString& path, const QString& version, Db::Error* error)
{
    Db::ScopedConnection c(QStringLiteral("old-structure"), path, Db::OpenMode::ReadWrite);
    if (!c.ok()) {
        if (error) *error = c.error();
        return false;
    }
    for (const auto& [table, column] : laterColumns())
        if (!run(c.db(), QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(table, column), {}, error))
            return false;
    if (version.isEmpty()) return run(c.db(), QStringLiteral("DROP TABLE 数据库参数"), {}, error);
    return run(c.db(), QStringLiteral("UPDATE 数据库参数 SET 版本号 = ?"), {version}, error);
}

bool makeDatabase(const QString& templatePath, const QString& target, const Options& options,
                  Db::Error* error)
{
    if (!SampleRegistrations::makeDatabase(templatePath, target, {options.count, options.seed}, error))
        return false;
    {
        Db::ScopedConnection c(QStringLiteral("old-references"), target, Db::OpenMode::ReadWrite);
        if (!c.ok()) {
            if (error) *error = c.error();
            return false;
        }
        Db::TransactionGuard tx(c.db());
        if (!addReferences(c.db(), options, error) || !tx.commit(error)) return false;
    }
    return toOldStructure(target, options.version, error);
}

} // namespace OldRegistrations
