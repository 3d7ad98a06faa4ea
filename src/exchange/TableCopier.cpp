#include "TableCopier.h"

#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>

namespace exchange {

namespace {

const QString kSource = QStringLiteral("exchange.TableCopier");

Db::Error failure(const QString& description)
{
    return Db::Error{-1, kSource, description};
}

// The year of a date value as SQLite reads it (ISO text or a Julian day number);
// Null when the value is no date.
QString yearOf(const QString& expression)
{
    return QStringLiteral("CAST(strftime('%Y', ") + expression + QStringLiteral(") AS INTEGER)");
}

QString oldDateTest(const QString& expression)
{
    return yearOf(expression) + QStringLiteral(" BETWEEN 100 AND 1000");
}

const CopyColumn* findColumn(const QList<CopyColumn>& columns, const QString& name)
{
    for (const CopyColumn& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

constexpr int DateKind = 2;

} // namespace

Result<QList<CopyColumn>> tableColumns(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    Db::Error error;
    auto q = Db::exec(
        db, QStringLiteral("SELECT name, type, dflt_value FROM pragma_table_info(?, ?) ORDER BY cid"),
        {table, schema}, &error);
    if (!q) return error;
    QList<CopyColumn> columns;
    while (q->next())
        columns << CopyColumn{q->value(0).toString(),
                              KCUTIL::Get_Field_Kind(Db::typeCodeForDeclared(q->value(1).toString())),
                              q->value(2).toString()};
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), kSource);
    return columns;
}

Result<CopyOutcome> copyTable(const QSqlDatabase& db, const TableCopy& copy)
{
    const auto target = tableColumns(db, QStringLiteral("main"), copy.table);
    if (!target) return target.error();
    const auto source = tableColumns(db, copy.sourceSchema, copy.table);
    if (!source) return source.error();
    if (target->isEmpty()) return failure(QStringLiteral("目标数据库中没有表[%1]").arg(copy.table));
    if (source->isEmpty()) return failure(QStringLiteral("源数据库中没有表[%1]").arg(copy.table));

    const QString from = QStringLiteral(" FROM ") + Db::quotedName(copy.sourceSchema) + QLatin1Char('.') +
                         Db::quotedName(copy.table) + QStringLiteral(" AS s ") + copy.rows;

    CopyOutcome outcome;
    // Old dates first: find and report them in row order.
    QList<const CopyColumn*> dated;
    if (copy.nullOldDates) {
        for (const CopyColumn& t : *target)
            if (const CopyColumn* s = findColumn(*source, t.name); s && s->kind == DateKind) dated << s;
    }
    if (!dated.isEmpty()) {
        QStringList picks;
        QStringList tests;
        for (const CopyColumn* s : dated) {
            const QString value = QStringLiteral("s.") + Db::quotedName(s->name);
            tests << oldDateTest(value);
            picks << value
                  << QStringLiteral("CASE WHEN ") + tests.constLast() + QStringLiteral(" THEN 1 ELSE 0 END");
        }
        // A row's place among the rows the step reads, rows of the selection that
        // the copy leaves out counted too; worked out only for the rare row with an
        // old date.
        QString before = QStringLiteral("p.rowid <= s.rowid");
        if (!copy.selection.isEmpty()) before += QStringLiteral(" AND (") + copy.selection + QLatin1Char(')');
        picks << QStringLiteral("CASE WHEN ") + tests.join(QStringLiteral(" OR ")) +
                     QStringLiteral(" THEN (SELECT count(*) FROM ") + Db::quotedName(copy.sourceSchema) +
                     QLatin1Char('.') + Db::quotedName(copy.table) + QStringLiteral(" AS p WHERE ") + before +
                     QStringLiteral(") ELSE 0 END");
        Db::Error error;
        auto q = Db::exec(db, QStringLiteral("SELECT ") + picks.join(QStringLiteral(", ")) + from,
                          copy.values, &error);
        if (!q) return error;
        const int place = int(2 * dated.size());
        while (q->next()) {
            for (int i = 0; i < dated.size(); ++i)
                if (q->value(2 * i + 1).toInt() == 1)
                    outcome.oldDates << OldDate{copy.table, q->value(place).toInt(), dated.at(i)->name,
                                                q->value(2 * i).toString()};
        }
        if (q->lastError().isValid()) return Db::errorOf(q->lastError(), kSource);
    }

    QStringList names;
    QStringList values;
    for (int i = 0; i < target->size(); ++i) {
        const CopyColumn& t = target->at(i);
        if (i == 0 && !copy.firstColumn.isEmpty()) {
            names << Db::quotedName(t.name);
            values << copy.firstColumn;
            continue;
        }
        const CopyColumn* s = findColumn(*source, t.name);
        if (!s) continue;
        const QString value = QStringLiteral("s.") + Db::quotedName(s->name);
        if (copy.nullOldDates && s->kind == DateKind) {
            // Whatever the target's kind: a column of another kind keeps its default
            // unless the date is old.
            QString otherwise = value;
            if (s->kind != t.kind)
                otherwise = t.defaultValue.isEmpty() ? QStringLiteral("NULL")
                                                     : QLatin1Char('(') + t.defaultValue + QLatin1Char(')');
            names << Db::quotedName(t.name);
            values << QStringLiteral("CASE WHEN ") + oldDateTest(value) + QStringLiteral(" THEN NULL ELSE ") +
                          otherwise + QStringLiteral(" END");
            continue;
        }
        if (s->kind != t.kind) continue;
        names << Db::quotedName(t.name);
        values << value;
    }
    if (names.isEmpty()) return outcome;

    const QString sql = QStringLiteral("INSERT INTO main.") + Db::quotedName(copy.table) +
                        QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
                        QStringLiteral(") SELECT ") + values.join(QStringLiteral(", ")) + from;
    Db::Error error;
    auto q = Db::exec(db, sql, copy.values, &error);
    if (!q) return error;
    outcome.rows = q->numRowsAffected();
    return outcome;
}

Db::Error keyClash(const QSqlDatabase& db, const TableCopy& copy, const Db::Error& failed)
{
    constexpr int Constraint = 19; // SQLITE_CONSTRAINT, the primary code of every key refusal
    if ((failed.number & 0xff) != Constraint) return failed;
    const QString table = Db::quotedName(copy.table);
    // The rows the copy brings, each with the number it takes, its own and its
    // place; the first whose number the table holds or that comes twice.
    const QString taken = copy.firstColumn.isEmpty() ? QStringLiteral("s.登记号") : copy.firstColumn;
    auto q = Db::exec(db,
                      QStringLiteral("WITH c(n, o, r) AS (SELECT ") + taken +
                          QStringLiteral(", s.登记号, s.rowid FROM ") + Db::quotedName(copy.sourceSchema) +
                          QLatin1Char('.') + table + QStringLiteral(" AS s ") + copy.rows +
                          QStringLiteral(") SELECT n, min(o), EXISTS (SELECT 1 FROM main.") + table +
                          QStringLiteral(" x WHERE x.登记号 = c.n) AS held FROM c GROUP BY n "
                                         "HAVING held OR count(*) > 1 ORDER BY min(r) LIMIT 1"),
                      copy.values);
    if (!q || !q->next()) return failed;
    const QString number = q->value(0).toString();
    const QString own = q->value(1).toString();
    QString text = QStringLiteral("数据重复或其它错误：登记号【") + own + QStringLiteral("】\r");
    if (!q->value(2).toBool())
        text += QStringLiteral("导入文件的“%1”表中此登记号有多条数据。").arg(copy.table);
    else if (number != own)
        text +=
            QStringLiteral("它导入后的登记号【%1】在当前数据库的“%2”表中已有数据。").arg(number, copy.table);
    else
        text += QStringLiteral("当前数据库的“%1”表中已有此登记号的数据。").arg(copy.table);
    return Db::Error{failed.number, failed.source, text + QStringLiteral("导入已取消，当前数据库没有改动。")};
}

QString oldDateMessage(const OldDate& date)
{
    return QStringLiteral("[") + date.table + QStringLiteral("]表第") + QString::number(date.row) +
           QStringLiteral("条记录字段[") + date.column + QStringLiteral("]日期型数据:") + date.value +
           QStringLiteral("错误...");
}

AttachedDatabase::AttachedDatabase(const QSqlDatabase& db, const QString& path, const QString& schema)
    : m_db(db), m_schema(schema)
{
    // Read-only: the transaction of the copy takes no lock on the file it reads, so
    // another program writing to it does not stop the copy. Attaching never
    // creates a missing file, and a file that is no database fails here.
    m_attached = Db::attach(m_db, path, Db::quotedName(schema), Db::OpenMode::ReadOnly, &m_error);
    if (!m_attached) {
        m_error.source = kSource;
        return;
    }
    const QVariant tables = Db::scalar(m_db,
                                       QStringLiteral("SELECT count(*) FROM ") + Db::quotedName(schema) +
                                           QStringLiteral(".sqlite_master"),
                                       {}, &m_error);
    if (!tables.isValid() || tables.toInt() == 0) {
        if (!m_error.isSet()) m_error = failure(QStringLiteral("不是登记数据库: %1").arg(path));
    }
}

AttachedDatabase::~AttachedDatabase()
{
    // Through the database layer, which lets the file go with it.
    if (m_attached) Db::detach(m_db, Db::quotedName(m_schema));
}

ScratchTable::ScratchTable(const QSqlDatabase& db, const QString& name, const QString& columns)
    : m_db(db), m_table(QStringLiteral("temp.") + Db::quotedName(name))
{
    Db::exec(m_db, QStringLiteral("DROP TABLE IF EXISTS ") + m_table);
    Db::exec(m_db,
             QStringLiteral("CREATE TABLE ") + m_table + QStringLiteral(" (") + columns + QStringLiteral(")"),
             {}, &m_error);
}

ScratchTable::~ScratchTable()
{
    Db::exec(m_db, QStringLiteral("DROP TABLE IF EXISTS ") + m_table);
}

NumberTable::NumberTable(const QSqlDatabase& db, const QString& name, const QStringList& numbers)
    : ScratchTable(db, name, QStringLiteral("seq INTEGER PRIMARY KEY, number TEXT NOT NULL UNIQUE"))
{
    if (!ok()) return;
    QSqlQuery insert(m_db);
    if (!insert.prepare(QStringLiteral("INSERT OR IGNORE INTO ") + m_table +
                        QStringLiteral(" (number) VALUES (?)"))) {
        m_error = Db::errorOf(insert.lastError(), kSource);
        return;
    }
    for (const QString& n : numbers) {
        insert.bindValue(0, n);
        if (!insert.exec()) {
            m_error = Db::errorOf(insert.lastError(), kSource);
            return;
        }
    }
    // Told how few numbers it holds, SQLite joins from them to the rows of each one,
    // instead of reading the whole table of a large database and looking each row
    // up here.
    Db::exec(m_db, QStringLiteral("ANALYZE ") + m_table, {}, &m_error);
}

} // namespace exchange
