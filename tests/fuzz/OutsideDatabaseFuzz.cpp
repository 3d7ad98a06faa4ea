// A registration database handed over from outside, read by the import by number
// and by the append import. The input is decoded into a source file of the
// template's tables, altered as files from elsewhere are (a column missing, one of
// another kind, an extra one, a date column), holding a few rows whose values are
// of every storage class. The working database already holds registrations.
//
// After the import, with the working connection closed, both files are read with
// plain SQL and held to the copy rules as stated here: every row copied equals its
// source row value for value, a renumbered registration has the next serial of its
// prefix, the rows that were there are all still there unchanged, and an import
// fails only where a key of the template refuses a row, leaving the file as it was.
#include "FuzzDatabase.h"

#include "exchange/AppendImport.h"
#include "exchange/ImportEngine.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QString kNumberColumn = QStringLiteral("登记号");

const QStringList kNumbers{QStringLiteral("4510104082001"), QStringLiteral("4510104082002"),
                           QStringLiteral("4510104082999"), QStringLiteral("4510104082998"),
                           QStringLiteral("1510104082001"), QStringLiteral("451010408200"),
                           QStringLiteral("4510104082O03"), QStringLiteral("4510104083999")};

constexpr int MaxRows = 12;

class Input
{
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    QByteArray bytes(int n)
    {
        QByteArray b;
        while (n-- > 0 && !atEnd())
            b.append(char(byte()));
        return b;
    }
    quint64 word()
    {
        quint64 w = 0;
        for (int i = 0; i < 8; ++i)
            w = (w << 8) | byte();
        return w;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// A value and the SQL that stores it: raw bytes become text with CAST, so that
// text need not be valid UTF-8.
struct Value
{
    QVariant bound;
    bool rawText = false;
};

Value decodeValue(Input& in)
{
    static const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      1e308,
                                      -1e308,
                                      5e-324,
                                      -0.0,
                                      9.2233720368547758e18};
    static const char* dates[] = {"1000-05-01", "0999-12-31",          "1001-01-01", "0100-01-01",
                                  "0099-12-31", "2008-01-20 12:00:00", "abc",        "-4713-11-24",
                                  "9999-12-31", "1000-13-45"};
    switch (in.byte() % 10) {
    case 0:
        return {QVariant(), false};
    case 1:
        return {kNumbers.at(in.byte() % kNumbers.size()), false};
    case 2:
        return {qlonglong(in.word()), false};
    case 3: {
        const quint64 bits = in.word();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return {d, false};
    }
    case 4:
        return {specials[in.byte() % std::size(specials)], false};
    case 5:
        return {in.bytes(in.byte() % 32), true};
    case 6:
        return {QString(int(in.byte() % 64 + 1) * 4096, QChar(0x538B)), false}; // 压
    case 7:
        return {in.bytes(in.byte() % 32), false}; // a blob
    case 8:
        return {QString::fromLatin1(dates[in.byte() % std::size(dates)]), false};
    default:
        return {1721060.0 + double((in.byte() << 8) | in.byte()) * 16.0, false}; // a Julian day
    }
}

// ---- The copy rules, stated here -------------------------------------------------

// The kinds of column a copy tells apart, by the declared types the template and
// the altered sources use.
enum class Kind { Text, Number, Date, LongText };

Kind kindOf(const QString& declared)
{
    const QString t = declared.toUpper();
    if (t.startsWith(QLatin1String("VARCHAR")) || t == QLatin1String("BOOLEAN")) return Kind::Text;
    if (t == QLatin1String("INTEGER") || t == QLatin1String("REAL")) return Kind::Number;
    if (t == QLatin1String("DATE")) return Kind::Date;
    if (t == QLatin1String("LONGTEXT")) return Kind::LongText;
    std::fprintf(stderr, "declared type %s\n", qPrintable(declared));
    FuzzSupport::require(false, "every declared type has a known kind");
    return Kind::Text;
}

// A stored value: its storage class and its exact value.
using Cell = QByteArray;

const Cell& nullCell()
{
    static const Cell null("null:");
    return null;
}

Cell textCell(const QByteArray& utf8)
{
    return "text:" + utf8;
}

bool isText(const Cell& c)
{
    return c.startsWith("text:");
}

QByteArray textOf(const Cell& c)
{
    return c.mid(5);
}

struct Column
{
    QString name;
    Kind kind = Kind::Text;
    bool key = false;
    Cell byDefault; // what a new row holds when the column is not written
};

struct Row
{
    qlonglong rowid = 0;
    QList<Cell> cells;
    QList<int> years; // of a date column's value as SQLite reads dates; 0 when none
};

struct Table
{
    QString name;
    QList<Column> columns;
    QList<Row> rows;
    QByteArray digest; // every row in one text, for a quick look whether anything changed

    int indexOf(const QString& column) const
    {
        for (int i = 0; i < columns.size(); ++i)
            if (columns.at(i).name.compare(column, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    Cell number(const Row& row) const { return row.cells.value(indexOf(kNumberColumn), nullCell()); }
};

// The columns of `table` in `schema`, their kinds, keys and defaults.
QList<Column> readColumns(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    QList<Column> columns;
    auto q = Db::exec(db, QStringLiteral("SELECT name, type, pk, dflt_value FROM pragma_table_info(?, ?)"),
                      {table, schema});
    FuzzSupport::require(q.has_value(), "the columns are read");
    while (q->next()) {
        Column c{q->value(0).toString(), kindOf(q->value(1).toString()), q->value(2).toInt() > 0, nullCell()};
        if (!q->value(3).isNull()) {
            // The default as the column stores it, through its own type.
            const QString probe = QStringLiteral("temp.fuzz_default");
            Db::exec(db, QStringLiteral("DROP TABLE IF EXISTS ") + probe);
            FuzzSupport::require(
                Db::exec(db, QStringLiteral("CREATE TABLE ") + probe + QStringLiteral(" (x ") +
                                 q->value(1).toString() + QStringLiteral(" DEFAULT ") +
                                 q->value(3).toString() + QStringLiteral(", y)"))
                        .has_value() &&
                    Db::exec(db, QStringLiteral("INSERT INTO ") + probe + QStringLiteral(" (y) VALUES (1)"))
                        .has_value(),
                "a default is stored");
            auto d = Db::exec(db, QStringLiteral("SELECT typeof(x), CASE WHEN typeof(x) IN ('text', 'blob') "
                                                 "THEN CAST(x AS BLOB) ELSE x END FROM ") +
                                      probe);
            FuzzSupport::require(d.has_value() && d->next(), "a default is read");
            c.byDefault = d->value(0).toByteArray() + ':' +
                          (d->value(1).typeId() == QMetaType::Double
                               ? QByteArray::number(d->value(1).toDouble(), 'g', 17)
                               : d->value(1).toByteArray());
            d->finish();
            Db::exec(db, QStringLiteral("DROP TABLE ") + probe);
        }
        columns << c;
    }
    FuzzSupport::require(!q->lastError().isValid(), "the columns are read to their end");
    return columns;
}

// Every row of `table` in `schema` in one text, exact for all but reals.
QByteArray digestOf(const QSqlDatabase& db, const QString& schema, const QString& table,
                    const QList<Column>& columns)
{
    QStringList values{QStringLiteral("rowid")};
    for (const Column& c : columns)
        values << QStringLiteral("quote(") + Db::quotedName(c.name) + QLatin1Char(')');
    const QVariant digest =
        Db::scalar(db, QStringLiteral("SELECT count(*) || ':' || group_concat(") +
                           values.join(QStringLiteral(" || ',' || ")) +
                           QStringLiteral(", ';') FROM (SELECT * FROM ") + Db::quotedName(schema) +
                           QLatin1Char('.') + Db::quotedName(table) + QStringLiteral(" ORDER BY rowid)"));
    FuzzSupport::require(digest.isValid(), "the table is read whole");
    return digest.toByteArray();
}

// Every row of `table` in `schema` with its columns.
Table readTable(const QSqlDatabase& db, const QString& schema, const QString& table)
{
    Table t{table, readColumns(db, schema, table), {}, {}};
    t.digest = digestOf(db, schema, table, t.columns);
    QStringList picks{QStringLiteral("rowid")};
    for (const Column& c : t.columns) {
        const QString v = Db::quotedName(c.name);
        picks << QStringLiteral("typeof(") + v + QLatin1Char(')')
              << QStringLiteral("CASE WHEN typeof(") + v +
                     QStringLiteral(") IN ('text', 'blob') THEN CAST(") + v +
                     QStringLiteral(" AS BLOB) ELSE ") + v + QStringLiteral(" END")
              << (c.kind == Kind::Date
                      ? QStringLiteral("CAST(strftime('%Y', ") + v + QStringLiteral(") AS INTEGER)")
                      : QStringLiteral("0"));
    }
    auto q = Db::exec(db, QStringLiteral("SELECT ") + picks.join(QStringLiteral(", ")) +
                              QStringLiteral(" FROM ") + Db::quotedName(schema) + QLatin1Char('.') +
                              Db::quotedName(table) + QStringLiteral(" ORDER BY rowid"));
    FuzzSupport::require(q.has_value(), "the table is read");
    while (q->next()) {
        Row row;
        row.rowid = q->value(0).toLongLong();
        for (int i = 0; i < t.columns.size(); ++i) {
            const QVariant v = q->value(2 + 3 * i);
            const QByteArray type = q->value(1 + 3 * i).toByteArray();
            row.cells << type + ':' +
                             (type == "real"   ? QByteArray::number(v.toDouble(), 'g', 17)
                              : type == "null" ? QByteArray()
                                               : v.toByteArray());
            row.years << (t.columns.at(i).kind == Kind::Date ? q->value(3 + 3 * i).toInt() : 0);
        }
        t.rows << row;
    }
    FuzzSupport::require(!q->lastError().isValid(), "the table is read to its end");
    return t;
}

QByteArray keyOf(const QList<Cell>& cells)
{
    QByteArray key;
    for (const Cell& c : cells)
        key += QByteArray::number(c.size()) + ':' + c;
    return key;
}

// The row a copy writes into `target` for the source row: columns matched by name;
// a date of the years 100 to 1000 becomes Null whatever the kinds; otherwise a
// value of the same kind is taken as it is stored, and a column of another kind,
// or one the source lacks, keeps its default. `number`, when given, is written to
// the first column instead. Counts the dates made Null.
QList<Cell> copiedRow(const Table& target, const Table& source, const Row& row, const Cell* number,
                      int& oldDates)
{
    QList<Cell> cells;
    for (int i = 0; i < target.columns.size(); ++i) {
        const Column& t = target.columns.at(i);
        const int s = source.indexOf(t.name);
        if (i == 0 && number)
            cells << *number;
        else if (s < 0)
            cells << t.byDefault;
        else if (source.columns.at(s).kind == Kind::Date && row.cells.at(s) != nullCell() &&
                 row.years.at(s) >= 100 && row.years.at(s) <= 1000) {
            cells << nullCell();
            ++oldDates;
        } else if (source.columns.at(s).kind == t.kind)
            cells << row.cells.at(s);
        else
            cells << t.byDefault;
    }
    return cells;
}

// What an import must leave: per table, the rows added.
struct Expected
{
    QHash<QString, QList<QByteArray>> added;  // table -> row keys
    QHash<QString, QList<Cell>> addedNumbers; // table -> first column of each row added
    int oldDates = 0;
    int rows = 0;

    void add(const Table& target, const QList<Cell>& cells)
    {
        added[target.name] << keyOf(cells);
        addedNumbers[target.name] << cells.first();
        ++rows;
    }
};

// The files compared: the template's tables in the working database before and
// after, and the source's.
struct Files
{
    QList<Table> before; // the working database as it was, every table of the template
    QHash<QString, Table> source;

    const Table& working(const QString& name) const
    {
        for (const Table& t : before)
            if (t.name == name) return t;
        FuzzSupport::require(false, "the template has the table");
        return before.first();
    }
};

// True when a key column of the template would hold one value twice.
bool keyClashes(const Files& files, const Expected& expected)
{
    for (const Table& t : files.before) {
        if (!t.columns.first().key || !expected.addedNumbers.contains(t.name)) continue;
        QSet<Cell> held;
        for (const Row& r : t.rows)
            held.insert(r.cells.first());
        for (const Cell& n : expected.addedNumbers.value(t.name)) {
            if (held.contains(n)) return true;
            held.insert(n);
        }
    }
    return false;
}

// ---- The files -----------------------------------------------------------------

QString templateTablesSql()
{
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                          "ORDER BY name");
}

QStringList templateTables()
{
    static const QStringList tables = [] {
        QStringList names;
        Db::ScopedConnection c(QStringLiteral("fuzz_template_tables"), FuzzDatabase::templatePath(),
                               Db::OpenMode::ReadOnly);
        FuzzSupport::require(c.ok(), "the template opens");
        auto q = Db::exec(c.db(), templateTablesSql());
        FuzzSupport::require(q.has_value(), "the template's tables are read");
        while (q->next())
            names << q->value(0).toString();
        return names;
    }();
    return tables;
}

// The ways a source differs from the template, one bit each of the shape byte.
struct Alteration
{
    const char* table;
    const char* column;
    const char* type; // nullptr: the column is missing
};

const Alteration kAlterations[] = {
    {"压覆", "建设单位", nullptr},   {"压覆", "行政区代码", "VARCHAR(6)"},
    {"报告", "附注", "VARCHAR(20)"}, {"登记", "填表日期", "DATE"},
    {"质量", "均值标识", "DATE"},    {"坐标", "矿权坐标", "VARCHAR(255)"},
    {"资源储量", "金属量1", "DATE"}, {"坐标", "矿权面积", "LONGTEXT"},
};

// The template's registration tables without keys, indexes, NOT NULL or defaults:
// a file anyone may hand over, altered by `shape`.
QString looseSource(uint8_t shape)
{
    static QHash<uint8_t, QString> made;
    if (made.contains(shape)) return made.value(shape);
    const QString file =
        FuzzSupport::fileOf(qPrintable(QStringLiteral("loose-%1.mdb").arg(shape)), nullptr, 0);
    QFile::remove(file);
    {
        Db::ScopedConnection c(QStringLiteral("fuzz_loose_template"), FuzzDatabase::templatePath(),
                               Db::OpenMode::ReadOnly);
        FuzzSupport::require(c.ok(), "the template opens");
        QSqlDatabase loose =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz_loose"));
        loose.setDatabaseName(file);
        FuzzSupport::require(loose.open(), "the source file is made");
        for (const QString& t : {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"),
                                 QStringLiteral("质量"), QStringLiteral("资源储量"), QStringLiteral("坐标"),
                                 QStringLiteral("查明"), QStringLiteral("占用"), QStringLiteral("停办")}) {
            QStringList columns;
            auto q = Db::exec(c.db(), QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {t});
            FuzzSupport::require(q.has_value(), "the template's columns are read");
            while (q->next()) {
                QString type = q->value(1).toString();
                bool kept = true;
                for (int bit = 0; bit < 8; ++bit) {
                    const Alteration& a = kAlterations[bit];
                    if (!(shape & (1 << bit)) || t != QString::fromUtf8(a.table) ||
                        q->value(0).toString() != QString::fromUtf8(a.column))
                        continue;
                    kept = a.type != nullptr;
                    if (kept) type = QString::fromUtf8(a.type);
                }
                if (kept) columns << Db::quotedName(q->value(0).toString()) + QLatin1Char(' ') + type;
            }
            for (int bit = 0; bit < 8; ++bit) {
                const Alteration& a = kAlterations[bit];
                if (shape & (1 << bit) && a.type && t == QString::fromUtf8(a.table) &&
                    !c.db().record(t).contains(QString::fromUtf8(a.column)))
                    columns << Db::quotedName(QString::fromUtf8(a.column)) + QLatin1Char(' ') +
                                   QString::fromUtf8(a.type);
            }
            FuzzSupport::require(Db::exec(loose, QStringLiteral("CREATE TABLE ") + Db::quotedName(t) +
                                                     QStringLiteral(" (") +
                                                     columns.join(QStringLiteral(", ")) + QLatin1Char(')'))
                                     .has_value(),
                                 "the source table is made");
        }
        loose.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fuzz_loose"));
    made.insert(shape, file);
    return file;
}

// The template with registrations already in it: one whole, one under a prefix
// whose serials are used up, an overlay row without its 登记 row, an examined one.
QString seededWorking()
{
    static const QString path = [] {
        const QString file = FuzzDatabase::copyOf(FuzzDatabase::templatePath(), "seeded.mdb");
        Db::ScopedConnection c(QStringLiteral("fuzz_seed"), file, Db::OpenMode::ReadWrite);
        FuzzSupport::require(c.ok(), "the working template opens");
        const QStringList rows{
            QStringLiteral(
                "INSERT INTO 登记 (登记号, 填表人, 填表日期) VALUES ('4510104082001', '甲', '2008-01-20')"),
            QStringLiteral("INSERT INTO 登记 (登记号, 填表人) VALUES ('4510104083999', '乙')"),
            QStringLiteral("INSERT INTO 压覆 (登记号, 建设单位, 行政区代码, 中心点X坐标) "
                           "VALUES ('4510104082001', '建设', 450101, 108.5)"),
            QStringLiteral("INSERT INTO 压覆 (登记号, 建设单位) VALUES ('4510104082998', '无登记')"),
            QStringLiteral(
                "INSERT INTO 报告 (登记号, 报告名称, 可利用情况码) VALUES ('4510104082001', '报告', 2)"),
            QStringLiteral("INSERT INTO 质量 (登记号, 组分名, 组分值) VALUES ('4510104082001', 'Fe', 31.5)"),
            QStringLiteral("INSERT INTO 质量 (登记号, 组分名, 均值标识) VALUES ('4510104082001', 'S', 1)"),
            QStringLiteral(
                "INSERT INTO 资源储量 (登记号, 矿产代码, 金属量1) VALUES ('4510104082001', 10100, 12.25)"),
            QStringLiteral(
                "INSERT INTO 坐标 (登记号, 矿权坐标, 矿权面积) VALUES ('4510104082001', '1,2,3', 0.5)"),
            QStringLiteral("INSERT INTO 查明 (登记号, 探矿权人) VALUES ('4510104082998', '丙')"),
        };
        for (const QString& sql : rows)
            FuzzSupport::require(Db::exec(c.db(), sql).has_value(), "the working template is seeded");
        return file;
    }();
    return path;
}

// The working database as seeded, every table of the template.
const QList<Table>& seededTables()
{
    static const QList<Table> tables = [] {
        QList<Table> all;
        Db::ScopedConnection c(QStringLiteral("fuzz_seeded_read"), seededWorking(), Db::OpenMode::ReadOnly);
        FuzzSupport::require(c.ok(), "the seeded working database opens");
        for (const QString& t : templateTables())
            all << readTable(c.db(), QStringLiteral("main"), t);
        return all;
    }();
    return tables;
}

// Writes the decoded rows into a fresh copy of the altered source.
QString writeSource(Input& in, uint8_t shape)
{
    const QString path = FuzzDatabase::copyOf(looseSource(shape), "source.mdb");
    Db::ScopedConnection c(QStringLiteral("fuzz_source"), path, Db::OpenMode::ReadWrite);
    FuzzSupport::require(c.ok(), "the source opens");
    FuzzDatabase::quick(c.db());
    QStringList tables;
    QHash<QString, QStringList> columns;
    auto q = Db::exec(c.db(), templateTablesSql());
    FuzzSupport::require(q.has_value(), "the source's tables are read");
    while (q->next())
        tables << q->value(0).toString();
    for (const QString& t : tables)
        for (const Column& col : readColumns(c.db(), QStringLiteral("main"), t))
            columns[t] << col.name;
    for (int row = 0; row < MaxRows && !in.atEnd(); ++row) {
        const QString table = tables.at(in.byte() % tables.size());
        const QStringList& names = columns[table];
        QHash<QString, Value> values;
        values.insert(names.first(), decodeValue(in));
        const int more = in.byte() % 6;
        for (int i = 0; i < more; ++i) {
            const QString name = names.at(1 + in.byte() % (names.size() - 1));
            values.insert(name, decodeValue(in));
        }
        QStringList quoted, marks;
        QVariantList bound;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            quoted << Db::quotedName(it.key());
            marks << (it->rawText ? QStringLiteral("CAST(? AS TEXT)") : QStringLiteral("?"));
            bound << it->bound;
        }
        FuzzSupport::require(Db::exec(c.db(),
                                      QStringLiteral("INSERT INTO ") + Db::quotedName(table) +
                                          QStringLiteral(" (") + quoted.join(QStringLiteral(", ")) +
                                          QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                                          QLatin1Char(')'),
                                      bound)
                                 .has_value(),
                             "a source row is written");
    }
    return path;
}

// Reads the source, and after the import, with its connection closed, holds the
// working file to the rows expected.
Files readSource(const QString& source)
{
    Files files;
    files.before = seededTables();
    Db::ScopedConnection c(QStringLiteral("fuzz_source_read"), source, Db::OpenMode::ReadOnly);
    FuzzSupport::require(c.ok(), "the source opens");
    auto q = Db::exec(c.db(), templateTablesSql());
    FuzzSupport::require(q.has_value(), "the source's tables are read");
    QStringList tables;
    while (q->next())
        tables << q->value(0).toString();
    for (const QString& t : tables)
        files.source.insert(t, readTable(c.db(), QStringLiteral("main"), t));
    return files;
}

void requireResult(const QString& working, const Files& files, const Expected& expected)
{
    Db::ScopedConnection c(QStringLiteral("fuzz_result_read"), working, Db::OpenMode::ReadOnly);
    FuzzSupport::require(c.ok(), "the working database opens after the import");
    for (const Table& before : files.before) {
        // A table left as it was, where nothing is to be added, is read no further.
        if (!expected.added.contains(before.name) &&
            digestOf(c.db(), QStringLiteral("main"), before.name, before.columns) == before.digest)
            continue;
        const Table after = readTable(c.db(), QStringLiteral("main"), before.name);
        QHash<qlonglong, QByteArray> now;
        for (const Row& r : after.rows)
            now.insert(r.rowid, keyOf(r.cells));
        for (const Row& r : before.rows) {
            if (now.value(r.rowid) != keyOf(r.cells))
                std::fprintf(stderr, "table %s, row %lld\n", qPrintable(before.name), r.rowid);
            FuzzSupport::require(now.take(r.rowid) == keyOf(r.cells),
                                 "every row that was there is still there, unchanged");
        }
        QList<QByteArray> added = now.values();
        QList<QByteArray> wanted = expected.added.value(before.name);
        std::sort(added.begin(), added.end());
        std::sort(wanted.begin(), wanted.end());
        if (added != wanted) {
            std::fprintf(stderr, "table %s: %d rows added, %d expected\n", qPrintable(before.name),
                         int(added.size()), int(wanted.size()));
            for (const QByteArray& k : added)
                std::fprintf(stderr, "  added    %s\n", k.left(300).toPercentEncoding(":").constData());
            for (const QByteArray& k : wanted)
                std::fprintf(stderr, "  expected %s\n", k.left(300).toPercentEncoding(":").constData());
        }
        FuzzSupport::require(added == wanted,
                             "every row copied equals its source row, and nothing else is added");
    }
}

// ---- The two imports -----------------------------------------------------------

bool isOverlayNumber(const QString& number)
{
    return number.size() == 13 && number.startsWith(QLatin1Char('4'));
}

// The highest three-digit serial under `prefix` among `numbers`.
int highestSerial(const QSet<QString>& numbers, const QString& prefix)
{
    int highest = 0;
    for (const QString& n : numbers) {
        bool digits = false;
        const int serial = n.right(3).toInt(&digits);
        if (n.size() == 13 && n.startsWith(prefix) && digits && n.right(3).size() == 3)
            highest = std::max(highest, serial);
    }
    return highest;
}

// Import by number: the chosen overlay numbers of the source's 登记, each once in
// the order stored, take their own number, or when the working database or this
// import holds it, the next serial after the highest of its prefix; a prefix at 999
// refuses it. Every row of the registration's tables follows under that number.
void importByNumber(const QString& source, uint8_t flags, uint8_t chosenMask)
{
    exchange::ImportRequest request;
    request.sourcePath = source;
    request.allNumbers = flags & 2;
    request.everyKind = flags & 4;
    QSet<QByteArray> chosen;
    for (int i = 0; i < kNumbers.size(); ++i)
        if (chosenMask & (1 << i)) {
            request.numbers << kNumbers.at(i);
            chosen.insert(kNumbers.at(i).toUtf8());
        }

    const Files files = readSource(source);
    QStringList tables{QStringLiteral("登记"), QStringLiteral("压覆")};
    if (request.everyKind)
        tables << QStringLiteral("查明") << QStringLiteral("占用") << QStringLiteral("停办");
    tables << QStringLiteral("报告") << QStringLiteral("质量") << QStringLiteral("资源储量")
           << QStringLiteral("坐标");

    QSet<QString> held; // the numbers of the working 登记, and those given in this import
    const Table& registrations = files.working(QStringLiteral("登记"));
    for (const Row& r : registrations.rows)
        held.insert(QString::fromUtf8(textOf(r.cells.first())));
    QHash<QByteArray, Cell> map; // the source number as the other tables hold it -> the new one
    QList<QPair<QString, QString>> renumbered;
    QStringList refused;
    QSet<QString> seen;
    Expected expected;
    const Table& sourceRegistrations = files.source.value(QStringLiteral("登记"));
    for (const Row& r : sourceRegistrations.rows) {
        const Cell n = sourceRegistrations.number(r);
        if (!isText(n) || (!request.allNumbers && !chosen.contains(textOf(n)))) continue;
        const QString number = QString::fromUtf8(textOf(n));
        if (!isOverlayNumber(number) || seen.contains(number)) continue;
        seen.insert(number);
        QString given = number;
        if (held.contains(number)) {
            const int highest = highestSerial(held, number.left(10));
            if (highest >= 999) {
                refused << number;
                continue;
            }
            given = number.left(10) + QStringLiteral("%1").arg(highest + 1, 3, 10, QLatin1Char('0'));
            renumbered << qMakePair(number, given);
        }
        held.insert(given);
        map.insert(number.toUtf8(), textCell(given.toUtf8()));
        expected.add(registrations, copiedRow(registrations, sourceRegistrations, r, &map[number.toUtf8()],
                                              expected.oldDates));
    }
    for (const QString& t : tables.mid(1)) {
        const Table& from = files.source.value(t);
        for (const Row& r : from.rows) {
            const Cell n = from.number(r);
            if (isText(n) && map.contains(textOf(n)))
                expected.add(files.working(t),
                             copiedRow(files.working(t), from, r, &map[textOf(n)], expected.oldDates));
        }
    }

    FuzzDatabase::Working work(seededWorking(), QStringLiteral("fuzz_work"));
    const auto outcome = exchange::importRegistrations(work.db(), request);
    work.close();
    if (keyClashes(files, expected)) {
        FuzzSupport::require(!outcome, "an import that a key refuses fails");
        work.requireUnchanged();
        return;
    }
    if (!outcome) std::fprintf(stderr, "%s\n", qPrintable(outcome.error().description));
    FuzzSupport::require(bool(outcome), "an import that the rules allow succeeds");
    FuzzSupport::require(outcome->registrations == map.size(), "every registration imported is counted");
    FuzzSupport::require(outcome->refused == refused,
                         "a registration is refused only when its prefix is full");
    QList<QPair<QString, QString>> told;
    for (const exchange::Renumbering& r : outcome->renumbered)
        told << qMakePair(r.from, r.to);
    FuzzSupport::require(told == renumbered,
                         "a registration held already takes the next serial of its prefix");
    FuzzSupport::require(outcome->oldDates.size() == expected.oldDates, "every date made Null is reported");
    requireResult(work.path, files, expected);
}

// Append: the source's kind tables (压覆, or all four) in turn; a registration is
// left out with all its rows when its number is no text, repeats in its kind
// table, is held by the working database in its kind table or any table of its
// details, or is in a kind table before it. Otherwise its kind row and the rows of
// its details are added with its number.
void appendAll(const QString& source, uint8_t flags)
{
    const bool everyKind = flags & 4;
    const QStringList kinds = everyKind ? QStringList{QStringLiteral("查明"), QStringLiteral("占用"),
                                                      QStringLiteral("停办"), QStringLiteral("压覆")}
                                        : QStringList{QStringLiteral("压覆")};
    const QStringList details{QStringLiteral("登记"), QStringLiteral("报告"), QStringLiteral("质量"),
                              QStringLiteral("资源储量"), QStringLiteral("坐标")};
    const Files files = readSource(source);

    Expected expected;
    QStringList leftOut;
    QList<QSet<Cell>> earlier;
    QList<QSet<QByteArray>> taken; // per kind, the numbers appended
    for (const QString& kind : kinds) {
        const Table& from = files.source.value(kind);
        QHash<Cell, int> count;
        QList<Cell> order;
        for (const Row& r : from.rows) {
            const Cell n = from.number(r);
            if (!count.contains(n)) order << n;
            ++count[n];
        }
        QSet<QByteArray> numbers;
        for (const Cell& n : order) {
            bool out = !isText(n) || count.value(n) > 1;
            for (const QString& t : QStringList{kind} + details)
                for (const Row& r : files.working(t).rows)
                    out = out || r.cells.first() == n;
            for (const QSet<Cell>& e : earlier)
                out = out || e.contains(n);
            // Text that is no valid UTF-8 is named as the database layer reads it.
            const QString text = QString::fromUtf8(textOf(n));
            if (out && isText(n) && text.toUtf8() == textOf(n)) leftOut << text;
            if (!out) numbers.insert(textOf(n));
        }
        earlier << QSet<Cell>(order.cbegin(), order.cend());
        taken << numbers;
    }
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k < kinds.size(); ++k)
            for (const QString& t : pass == 0 ? QStringList{kinds.at(k)} : details) {
                const Table& from = files.source.value(t);
                for (const Row& r : from.rows) {
                    const Cell n = from.number(r);
                    if (isText(n) && taken.at(k).contains(textOf(n)))
                        expected.add(files.working(t),
                                     copiedRow(files.working(t), from, r, nullptr, expected.oldDates));
                }
            }

    FuzzDatabase::Working work(seededWorking(), QStringLiteral("fuzz_work"));
    const auto outcome = exchange::appendDatabase(work.db(), source, everyKind);
    work.close();
    if (keyClashes(files, expected)) {
        FuzzSupport::require(!outcome, "an append that a key refuses fails");
        work.requireUnchanged();
        return;
    }
    if (!outcome) std::fprintf(stderr, "%s\n", qPrintable(outcome.error().description));
    FuzzSupport::require(bool(outcome), "an append that the rules allow succeeds");
    for (const QString& n : leftOut)
        FuzzSupport::require(outcome->duplicates.contains(n), "a registration left out is reported");
    FuzzSupport::require(outcome->rows == expected.rows, "the rows reported are the rows added");
    FuzzSupport::require(outcome->oldDates.size() == expected.oldDates, "every date made Null is reported");
    requireResult(work.path, files, expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    Input in(data, size);
    const uint8_t flags = in.byte();
    const uint8_t chosen = in.byte();
    const uint8_t shape = in.byte();
    const QString source = writeSource(in, shape);
    if (flags & 1)
        appendAll(source, flags);
    else
        importByNumber(source, flags, chosen);
    return 0;
}
