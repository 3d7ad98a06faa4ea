#pragma once

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <functional>

// The table copier that every exchange of database files uses: rows of a table of
// one database go into the table of the same name of another, column by column
// matched by name (letter case ignored), a value copied only where both columns are
// of the same kind (number, date, text, long text, as KCUTIL::Get_Field_Kind tells
// from the declared types). Columns that only one side has are left out: a column
// the target has and the source lacks keeps its default.
//
// Both databases are reached through one connection: the target is the
// connection's own database ("main") and the source is attached to it
// (AttachedDatabase below). Each copy is one INSERT ... SELECT, so it joins the
// transaction the caller holds on the connection.
//
//     exchange::AttachedDatabase src(db, sourcePath, QStringLiteral("src"));
//     Db::TransactionGuard transaction(db);
//     exchange::TableCopy copy;
//     copy.table = QStringLiteral("质量");
//     copy.rows = QStringLiteral("WHERE s.登记号=?");   // after "FROM src.质量 AS s"
//     copy.values = {number};
//     auto copied = exchange::copyTable(db, copy);
//
// The row-copy rule with the date boundary (nullOldDates): a source value of the
// date kind whose year lies from 100 to 1000 is written as Null, whatever the kinds
// of the two columns, and reported with its row (its 1-based place among the rows
// the step reads, `selection`, in their stored order: rows of the selection that
// `rows` leaves out count, rows outside it do not), column and value, for the
// window to show.
namespace exchange {

// A column of a table of an attached or the main database.
struct CopyColumn
{
    QString name;
    int kind = 0; // KCUTIL::Get_Field_Kind of the declared type
    QString defaultValue; // the declared default, an SQL expression; empty when none
};

// The columns of `table` in `schema` ("main", "temp" or an attached name) in
// their order; empty when there is no such table.
Result<QList<CopyColumn>> tableColumns(const QSqlDatabase& db, const QString& schema, const QString& table);

struct TableCopy
{
    QString table; // same name on both sides; from the code's fixed lists
    QString sourceSchema = QStringLiteral("src");
    // Everything after "FROM <sourceSchema>.<table> AS s": joins, WHERE, ORDER BY,
    // text of the code with '?' for `values`. Empty: every row in stored order.
    QString rows;
    QVariantList values;
    // When set, the first column of the target (the registration number) takes this
    // expression instead of the source column of its name.
    QString firstColumn;
    bool nullOldDates = false;
    // The rows the step reads, for the place of a row with an old date: a condition
    // on the source row `p`, text of the code without values. Empty: the whole table.
    QString selection;
};

// A date value that the date boundary turned into Null.
struct OldDate
{
    QString table;
    int row = 0; // place among the rows the step reads, from 1
    QString column;
    QString value;
};

struct CopyOutcome
{
    int rows = 0;
    QList<OldDate> oldDates;
};

// Copies the rows that `copy` selects. Fails when either table is missing.
Result<CopyOutcome> copyTable(const QSqlDatabase& db, const TableCopy& copy);

// The failure of an import's copy that a key of the working table refused, told in
// the clerk's words: which table and which 登记号 clash (one the table holds
// already, or one that repeats among the rows the copy brings) and that nothing was
// imported. Any other failure, or one whose clash is not found, is answered as it is.
Db::Error keyClash(const QSqlDatabase& db, const TableCopy& copy, const Db::Error& failed);

// The message of an old date: "[T]表第r条记录字段[F]日期型数据:v错误...".
QString oldDateMessage(const OldDate& date);

// A database file attached to a connection for the length of a scope. Attaching
// fails inside a transaction, so attach first, then begin.
class AttachedDatabase
{
public:
    AttachedDatabase(const QSqlDatabase& db, const QString& path, const QString& schema);
    ~AttachedDatabase();
    AttachedDatabase(const AttachedDatabase&) = delete;
    AttachedDatabase& operator=(const AttachedDatabase&) = delete;

    bool ok() const { return !m_error.isSet(); }
    const Db::Error& error() const { return m_error; }

private:
    QSqlDatabase m_db;
    QString m_schema;
    bool m_attached = false;
    Db::Error m_error;
};

// A temporary table temp.<name> of the connection for the length of a scope,
// with the column definitions `columns`.
class ScratchTable
{
public:
    ScratchTable(const QSqlDatabase& db, const QString& name, const QString& columns);
    ~ScratchTable();
    ScratchTable(const ScratchTable&) = delete;
    ScratchTable& operator=(const ScratchTable&) = delete;

    bool ok() const { return !m_error.isSet(); }
    const Db::Error& error() const { return m_error; }

protected:
    QSqlDatabase m_db;
    QString m_table; // temp.<name>, quoted
    Db::Error m_error;
};

// A temporary table of registration numbers in the order given, for joins instead
// of long OR chains: temp.<name>(seq INTEGER PRIMARY KEY, number TEXT UNIQUE).
// Repeated numbers are kept once, at their first place.
class NumberTable : public ScratchTable
{
public:
    NumberTable(const QSqlDatabase& db, const QString& name, const QStringList& numbers);
};

// Progress of long work: done of total steps. Returning false stops the work (it
// then fails and rolls back).
using Progress = std::function<bool(int done, int total)>;

} // namespace exchange
