#include "Deductions.h"

#include "DeductionKinds.h"

#include "platform/Database.h"
#include "platform/TextFile.h"

#include <QSqlError>

namespace Deductions {

namespace {

QString lookupTable(const DeductionKind& kind, bool scratch)
{
    return scratch ? QStringLiteral("temp.") + kind.scratch : QStringLiteral("main.") + kind.table;
}

// A deducted registration k that can give a deduction its columns.
QString usable(const DeductionKind& kind)
{
    QString c = QStringLiteral("trim(coalesce(k.矿区编号, '')) <> ''");
    if (kind.hasMine) c += QStringLiteral(" AND trim(coalesce(k.所属矿山编号, '')) <> ''");
    return c;
}

} // namespace

Result<QStringList> checkKcOrigin(const QSqlDatabase& db, bool scratch)
{
    QStringList errors;
    for (const DeductionKind& kind : deductionKinds()) {
        Db::Error error;
        auto q =
            Db::exec(db,
                     QStringLiteral("SELECT DISTINCT r.登记号, r.原登记号 FROM main.资源储量 r "
                                    "WHERE substr(r.原登记号, 1, 1) = ? AND r.原登记号 IS NOT NULL "
                                    "AND trim(r.原登记号) <> '' AND NOT EXISTS (SELECT 1 FROM ") +
                         lookupTable(kind, scratch) + QStringLiteral(" k WHERE k.登记号 = r.原登记号 AND ") +
                         usable(kind) + QStringLiteral(") ORDER BY r.登记号, r.原登记号"),
                     {QString(kind.digit)}, &error);
        if (!q) return error;
        while (q->next())
            errors << q->value(0).toString() + QString(20, QLatin1Char(' ')) + q->value(1).toString();
        if (q->lastError().isValid()) return Db::errorOf(q->lastError(), QStringLiteral("SQLite"));
    }
    return errors;
}

QStringList errorFileLines(const QStringList& errors)
{
    return QStringList{
               QStringLiteral(
                   " 以下登记信息的扣减原登记号未找到对应记录，无法成功升级，请全部修改后再执行升级！"),
               QStringLiteral(" 登记号") + QString(28, QLatin1Char(' ')) + QStringLiteral("原登记号")} +
           errors;
}

Status WriteTxt(const QString& path, const QStringList& errors)
{
    QString why;
    if (!TextFile::writeLines(path, errorFileLines(errors), &why))
        return Db::Error{-1, QStringLiteral("Quillet"), why};
    return Status::success();
}

Result<int> fillKc(const QSqlDatabase& db, bool scratch)
{
    Db::Error error;
    const QVariant count = Db::scalar(db,
                                      QStringLiteral("SELECT count(DISTINCT 原登记号) FROM main.资源储量 "
                                                     "WHERE 原登记号 IS NOT NULL AND 原登记号 <> ''"),
                                      {}, &error);
    if (error.isSet()) return error;
    for (const DeductionKind& kind : deductionKinds()) {
        const QString from = QStringLiteral(" FROM ") + lookupTable(kind, scratch) +
                             QStringLiteral(" k WHERE k.登记号 = 资源储量.原登记号");
        // Where a registration is there twice (in both databases), the usable copy counts.
        const QString first = QStringLiteral(" ORDER BY CASE WHEN ") + usable(kind) +
                              QStringLiteral(" THEN 0 ELSE 1 END, k.rowid LIMIT 1");
        const QString registrationClass =
            kind.hasMine
                ? QStringLiteral("CAST(CAST(k.所属矿山编号 AS INTEGER) + %1 AS TEXT)").arg(kind.classBase)
                : QStringLiteral("'%1'").arg(kind.classBase);
        if (!Db::exec(db,
                      QStringLiteral("UPDATE main.资源储量 SET 扣矿区编号 = (SELECT k.矿区编号") + from +
                          first + QStringLiteral("), 扣登记分类编号 = (SELECT ") + registrationClass + from +
                          first + QStringLiteral(") WHERE substr(原登记号, 1, 1) = ? AND EXISTS (SELECT 1") +
                          from + QStringLiteral(")"),
                      {QString(kind.digit)}, &error))
            return error;
    }
    return count.toInt();
}

} // namespace Deductions
