#include "RegistrationRows.h"

#include "ExchangeText.h"

#include "platform/ColumnCatalog.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace tabxfer {

namespace {

// A value as the exchange carries it (see ExchangeDocument.h).
QVariant exchangeValue(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return QVariant();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return QVariant(v.toLongLong());
    case QMetaType::Double:
        return QVariant(v.toDouble());
    case QMetaType::QByteArray:
        return v;
    default:
        return QVariant(v.toString());
    }
}

// The failure `e` of a statement on `db`: a write that the database file would not
// take is said as every write of a file is (Db::failureOf), any other as `what` and
// SQLite's text.
Db::Error statementFailure(const QSqlDatabase& db, const QSqlError& e, const QString& what)
{
    const Db::Error error = Db::failureOf(db, e, QString());
    if (Db::writeFailureCause(db, error) != 0) return failure(error.description);
    return failure(what + e.text().trimmed());
}

Db::Error sqlFailure(const QSqlDatabase& db, const QSqlError& e, const QString& table)
{
    return statementFailure(db, e, QStringLiteral("读写表【%1】时出错：").arg(table));
}

// The column names of `table`, or a failure when it is missing or lacks the key.
Result<QStringList> columnNames(const QSqlDatabase& db, const QString& table, const QString& keyColumn)
{
    QStringList names;
    for (const Db::Column& c : Db::columns(db, table))
        names << c.name;
    if (names.isEmpty()) return failure(QStringLiteral("数据库中没有表【%1】。").arg(table));
    if (!names.contains(keyColumn))
        return failure(QStringLiteral("表【%1】没有列【%2】。").arg(table, keyColumn));
    return names;
}

} // namespace

const QStringList& registrationTables()
{
    static const QStringList tables = {QStringLiteral("登记"),     QStringLiteral("压覆"),
                                       QStringLiteral("报告"),     QStringLiteral("质量"),
                                       QStringLiteral("资源储量"), QStringLiteral("坐标")};
    return tables;
}

Result<QStringList> tableList(const QString& text)
{
    QStringList tables;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (!registrationTables().contains(name))
            return failure(QStringLiteral("表【%1】不是登记数据表。").arg(name));
        if (!tables.contains(name)) tables << name;
    }
    if (tables.isEmpty()) return failure(QStringLiteral("没有指定数据表。"));
    return tables;
}

Result<ExchangeRegistration> readRegistration(const QSqlDatabase& db, const QStringList& tables,
                                              const QString& keyColumn, const QString& number)
{
    ExchangeRegistration reg;
    reg.number = number;
    int rows = 0;
    for (const QString& table : tables) {
        if (!registrationTables().contains(table))
            return failure(QStringLiteral("表【%1】不是登记数据表。").arg(table));
        auto names = columnNames(db, table, keyColumn);
        if (!names) return names.error();
        QStringList select;
        for (const QString& c : *names)
            select << Db::quotedName(c);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        const QString sql =
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY rowid")
                .arg(select.join(QLatin1Char(',')), Db::quotedName(table), Db::quotedName(keyColumn));
        if (!q.prepare(sql)) return sqlFailure(db, q.lastError(), table);
        q.addBindValue(number);
        if (!q.exec()) return sqlFailure(db, q.lastError(), table);
        ExchangeTable out;
        out.name = table;
        while (q.next()) {
            ExchangeRow row;
            row.columns = *names;
            for (int i = 0; i < names->size(); ++i)
                row.values << exchangeValue(q.value(i));
            out.rows << row;
        }
        if (q.lastError().isValid()) return sqlFailure(db, q.lastError(), table);
        rows += int(out.rows.size());
        reg.tables << out;
    }
    if (rows == 0) return failure(QStringLiteral("登记号【%1】在数据库中没有数据。").arg(number));
    return reg;
}

Status appendRegistrations(const QSqlDatabase& db, const ExchangeDocument& document,
                           const QStringList& tables, const QString& keyColumn, const Progress& progress)
{
    if (!db.isOpen()) return failure(QStringLiteral("数据库没有打开。"));

    // Check everything before the first row goes in, inside the transaction that
    // then writes, so that the checks still hold when the rows go in.
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(QStringLiteral("tabxfer"));
    QHash<QString, QSet<QString>> columnsOf;
    for (const QString& table : tables) {
        auto names = columnNames(db, table, keyColumn);
        if (!names) return names.error();
        columnsOf.insert(table, QSet<QString>(names->begin(), names->end()));
    }
    for (const ExchangeRegistration& reg : document.registrations) {
        for (const ExchangeTable& table : reg.tables) {
            if (!columnsOf.contains(table.name))
                return invalidFile(QStringLiteral("表【%1】不在导入的数据表之中。").arg(table.name));
            const QSet<QString>& known = columnsOf[table.name];
            for (const ExchangeRow& row : table.rows) {
                for (const QString& c : row.columns)
                    if (!known.contains(c))
                        return failure(QStringLiteral("数据库的表【%1】没有列【%2】。").arg(table.name, c));
                const QVariant key = row.values.value(row.columns.indexOf(keyColumn));
                if (key.typeId() != QMetaType::QString || key.toString() != reg.number)
                    return invalidFile(QStringLiteral("登记号【%1】的表【%2】中有一行的%3不是【%1】。")
                                           .arg(reg.number, table.name, keyColumn));
            }
        }
        for (const QString& table : tables) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
                               .arg(Db::quotedName(table), Db::quotedName(keyColumn))))
                return sqlFailure(db, q.lastError(), table);
            q.addBindValue(reg.number);
            if (!q.exec()) return sqlFailure(db, q.lastError(), table);
            const bool present = q.next();
            if (q.lastError().isValid()) return sqlFailure(db, q.lastError(), table);
            if (present) return failure(QStringLiteral("登记号【%1】在数据库中已经存在。").arg(reg.number));
        }
    }

    QHash<QString, QSqlQuery> inserts; // by table and column list
    const int total = int(document.registrations.size());
    int done = 0;
    for (const ExchangeRegistration& reg : document.registrations) {
        for (const ExchangeTable& table : reg.tables) {
            for (const ExchangeRow& row : table.rows) {
                const QString signature =
                    table.name + QLatin1Char('\n') + row.columns.join(QLatin1Char('\n'));
                auto it = inserts.find(signature);
                if (it == inserts.end()) {
                    QStringList names, marks;
                    for (const QString& c : row.columns) {
                        names << Db::quotedName(c);
                        marks << QStringLiteral("?");
                    }
                    QSqlQuery q(db);
                    if (!q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(Db::quotedName(table.name), names.join(QLatin1Char(',')),
                                            marks.join(QLatin1Char(',')))))
                        return sqlFailure(db, q.lastError(), table.name);
                    it = inserts.insert(signature, q);
                }
                QSqlQuery& q = *it;
                for (int i = 0; i < row.values.size(); ++i)
                    q.bindValue(i, row.values.at(i));
                if (!q.exec())
                    return statementFailure(
                        db, q.lastError(),
                        QStringLiteral("登记号【%1】写入表【%2】时出错：").arg(reg.number, table.name));
            }
        }
        ++done;
        if (progress) progress(done, total);
    }
    inserts.clear();
    Db::Error error;
    if (!transaction.commit(&error)) return error;
    return Status::success();
}

} // namespace tabxfer
