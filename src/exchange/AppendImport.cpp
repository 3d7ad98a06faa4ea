#include "AppendImport.h"

#include <QSqlError>
#include <QSqlQuery>

namespace exchange {

namespace {

const QString kSource = QStringLiteral("Append_All_Tables");

const QStringList& kindTables()
{
    static const QStringList kinds{QStringLiteral("查明"), QStringLiteral("占用"), QStringLiteral("停办"),
                                   QStringLiteral("压覆")};
    return kinds;
}

const QStringList& childTables()
{
    static const QStringList tables{QStringLiteral("登记"), QStringLiteral("报告"), QStringLiteral("质量"),
                                    QStringLiteral("资源储量"), QStringLiteral("坐标")};
    return tables;
}

// The kind tables appended: all four, or 压覆 alone.
QStringList appendedKinds(bool everyKind)
{
    return everyKind ? kindTables() : QStringList{QStringLiteral("压覆")};
}

// Numbers of a kind table left out of the append.
struct LeftOut
{
    QStringList reported; // every one, as the clerk is told it
    // The text numbers among them: the registrations skipped. A number that is no
    // text names no registration (the steps copy text numbers only), so it is
    // reported but not skipped: a blob of the digits of a registration's number
    // reads back as the same text and would keep that registration out. Each is
    // kept as the source stores it, so that a text that is no valid UTF-8 is
    // skipped too.
    QList<QByteArray> registrations;
};

// Numbers of the source's kind table `kind` that must not be appended: held by the
// working database in any table of the kind's steps, taken by a kind before it in
// the plan, repeated within the kind table, or no text (Null, a blob). In the kind
// table's order.
Result<LeftOut> duplicatesOf(const QSqlDatabase& db, const QString& kind, const QStringList& earlierKinds)
{
    QStringList tests;
    QStringList tables = childTables();
    tables.prepend(kind);
    for (const QString& t : tables)
        tests << QStringLiteral("EXISTS (SELECT 1 FROM main.") + Db::quotedName(t) +
                     QStringLiteral(" x WHERE x.登记号 = k.登记号)");
    for (const QString& e : earlierKinds)
        tests << QStringLiteral("EXISTS (SELECT 1 FROM src.") + Db::quotedName(e) +
                     QStringLiteral(" y WHERE y.登记号 = k.登记号)");
    tests << QStringLiteral("count(*) > 1") << QStringLiteral("typeof(k.登记号) <> 'text'");
    Db::Error error;
    auto q = Db::exec(
        db,
        QStringLiteral("SELECT k.登记号, typeof(k.登记号) = 'text', CAST(k.登记号 AS BLOB) FROM src.") +
            Db::quotedName(kind) + QStringLiteral(" k GROUP BY k.登记号 HAVING ") +
            tests.join(QStringLiteral(" OR ")) + QStringLiteral(" ORDER BY min(k.rowid)"),
        {}, &error);
    if (!q) return error;
    LeftOut left;
    while (q->next()) {
        const QString number = q->value(0).toString();
        left.reported << number;
        if (q->value(1).toInt() == 1) left.registrations << q->value(2).toByteArray();
    }
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), kSource);
    return left;
}

// Numbers of the kind `kind` to leave out: temp.append_skip. Each is stored as the
// source stores it, so that a text that is no valid UTF-8 still names its rows.
Status addSkipped(const QSqlDatabase& db, const QString& kind, const QList<QByteArray>& numbers)
{
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral(
            "INSERT OR IGNORE INTO temp.append_skip (kind, number) VALUES (?, CAST(? AS TEXT))")))
        return Db::errorOf(insert.lastError(), kSource);
    for (const QByteArray& n : numbers) {
        insert.bindValue(0, kind);
        insert.bindValue(1, n);
        if (!insert.exec()) return Db::errorOf(insert.lastError(), kSource);
    }
    return {};
}

} // namespace

QList<AppendStep> appendPlan(bool everyKind)
{
    const QStringList kinds = appendedKinds(everyKind);
    QList<AppendStep> plan;
    for (const QString& k : kinds)
        plan << AppendStep{k, k};
    for (const QString& k : kinds)
        for (const QString& t : childTables())
            plan << AppendStep{k, t};
    return plan;
}

QStringList appendTables(bool everyKind)
{
    return appendedKinds(everyKind) + childTables();
}

QString duplicatesLead(int count)
{
    return QStringLiteral("数据重复或其它错误：以下%1个登记号未导入").arg(count);
}

Result<AppendOutcome> appendDatabase(const QSqlDatabase& db, const QString& sourcePath, bool everyKind,
                                     const Progress& progress)
{
    AttachedDatabase source(db, sourcePath, QStringLiteral("src"));
    if (!source.ok()) return source.error();
    ScratchTable skip(db, QStringLiteral("append_skip"),
                      QStringLiteral("kind TEXT, number TEXT, PRIMARY KEY (kind, number)"));
    if (!skip.ok()) return skip.error();

    AppendOutcome outcome;
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(kSource);
    const QList<AppendStep> plan = appendPlan(everyKind);
    // Which registrations stay out is settled before the first row is written.
    QStringList earlier;
    for (const AppendStep& step : plan) {
        if (step.kind != step.table) continue;
        const auto duplicates = duplicatesOf(db, step.kind, earlier);
        if (!duplicates) return duplicates.error();
        if (const Status added = addSkipped(db, step.kind, duplicates->registrations); !added)
            return added.error();
        outcome.duplicates << duplicates->reported;
        earlier << step.kind;
    }
    for (int i = 0; i < plan.size(); ++i) {
        if (progress && !progress(i, int(plan.size())))
            return Db::Error{-1, kSource, QStringLiteral("导入已中止")};
        const AppendStep& step = plan.at(i);
        TableCopy copy;
        copy.table = step.table;
        QString rows =
            QStringLiteral("WHERE typeof(s.登记号) = 'text' AND NOT EXISTS (SELECT 1 FROM temp.append_skip x "
                           "WHERE x.kind = ? AND x.number = s.登记号)");
        // A kind table is read whole; any other table for the numbers of the kind.
        if (step.table != step.kind) {
            const QString ofKind = QStringLiteral("登记号 IN (SELECT 登记号 FROM src.") +
                                   Db::quotedName(step.kind) + QLatin1Char(')');
            rows += QStringLiteral(" AND s.") + ofKind;
            copy.selection = QStringLiteral("p.") + ofKind;
        }
        copy.rows = rows + QStringLiteral(" ORDER BY s.rowid");
        copy.values = {step.kind};
        copy.nullOldDates = true;
        const auto copied = copyTable(db, copy);
        if (!copied) return keyClash(db, copy, copied.error());
        outcome.rows += copied->rows;
        outcome.oldDates << copied->oldDates;
    }
    if (progress && !progress(int(plan.size()), int(plan.size())))
        return Db::Error{-1, kSource, QStringLiteral("导入已中止")};
    Db::Error error;
    if (!transaction.commit(&error)) return error;
    return outcome;
}

} // namespace exchange
