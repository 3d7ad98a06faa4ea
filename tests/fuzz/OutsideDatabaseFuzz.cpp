// A registration database handed over from outside, read by the import by number
// and by the append import. The input is decoded into a few rows of the template's
// tables whose values are of every storage class (text in number and date columns,
// blobs, very long texts, NaN and huge reals, Null in the number column), in a
// source file of the template's shape without its keys. A failed import leaves the
// working database as it was; one that succeeds has taken every row it reports.
#include "FuzzDatabase.h"

#include "exchange/AppendImport.h"
#include "exchange/ImportEngine.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QStringList kTables{QStringLiteral("登记"), QStringLiteral("压覆"),     QStringLiteral("报告"),
                          QStringLiteral("质量"), QStringLiteral("资源储量"), QStringLiteral("坐标"),
                          QStringLiteral("查明"), QStringLiteral("占用"),     QStringLiteral("停办")};

const QStringList kNumbers{QStringLiteral("4510104082001"), QStringLiteral("4510104082002"),
                           QStringLiteral("4510104082999"), QStringLiteral("4510104082998"),
                           QStringLiteral("1510104082001"), QStringLiteral("451010408200"),
                           QStringLiteral("4510104082O03"), QString()};

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

QStringList columnsOf(const QSqlDatabase& db, const QString& table)
{
    QStringList names;
    auto q = Db::exec(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    FuzzSupport::require(q.has_value(), "the columns are read");
    while (q->next())
        names << q->value(0).toString();
    return names;
}

// The template's tables with their columns and declared types, without keys,
// indexes or NOT NULL: a file anyone may hand over.
QString looseSource()
{
    static const QString path = [] {
        const QString file = FuzzSupport::fileOf("loose.mdb", nullptr, 0);
        QFile::remove(file);
        {
            Db::ScopedConnection c(QStringLiteral("fuzz_loose_template"), FuzzDatabase::templatePath(),
                                   Db::OpenMode::ReadOnly);
            FuzzSupport::require(c.ok(), "the template opens");
            QSqlDatabase loose =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz_loose"));
            loose.setDatabaseName(file);
            FuzzSupport::require(loose.open(), "the source file is made");
            for (const QString& t : kTables) {
                QStringList columns;
                auto q = Db::exec(c.db(), QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {t});
                FuzzSupport::require(q.has_value(), "the template's columns are read");
                while (q->next())
                    columns << Db::quotedName(q->value(0).toString()) + QLatin1Char(' ') +
                                   q->value(1).toString();
                FuzzSupport::require(Db::exec(loose, QStringLiteral("CREATE TABLE ") + Db::quotedName(t) +
                                                         QStringLiteral(" (") +
                                                         columns.join(QStringLiteral(", ")) +
                                                         QLatin1Char(')'))
                                         .has_value(),
                                     "the source table is made");
            }
            loose.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fuzz_loose"));
        return file;
    }();
    return path;
}

// The template with one registration already in it, so that numbers clash.
QString seededWorking()
{
    static const QString path = [] {
        const QString file = FuzzDatabase::copyOf(FuzzDatabase::templatePath(), "seeded.mdb");
        Db::ScopedConnection c(QStringLiteral("fuzz_seed"), file, Db::OpenMode::ReadWrite);
        FuzzSupport::require(c.ok(), "the working template opens");
        for (const QString& t : {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告")})
            FuzzSupport::require(Db::exec(c.db(), QStringLiteral("INSERT INTO ") + Db::quotedName(t) +
                                                      QStringLiteral(" (登记号) VALUES ('4510104082001')"))
                                     .has_value(),
                                 "the working template is seeded");
        return file;
    }();
    return path;
}

// Writes the decoded rows into a fresh copy of the loose source.
QString writeSource(Input& in)
{
    const QString path = FuzzDatabase::copyOf(looseSource(), "source.mdb");
    Db::ScopedConnection c(QStringLiteral("fuzz_source"), path, Db::OpenMode::ReadWrite);
    FuzzSupport::require(c.ok(), "the source opens");
    FuzzDatabase::quick(c.db());
    QHash<QString, QStringList> columns;
    for (const QString& t : kTables)
        columns.insert(t, columnsOf(c.db(), t));
    for (int row = 0; row < MaxRows && !in.atEnd(); ++row) {
        const QString table = kTables.at(in.byte() % kTables.size());
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

using Counts = QHash<QString, QHash<QString, int>>; // table -> number -> rows

Counts countAll(const QSqlDatabase& db, const QString& schema, const QStringList& tables)
{
    Counts counts;
    for (const QString& t : tables)
        counts.insert(t, FuzzDatabase::rowsByNumber(db, schema, t));
    return counts;
}

// The source's 登记 numbers in stored order.
QStringList registrationNumbers(const QSqlDatabase& db)
{
    QStringList numbers;
    auto q = Db::exec(db, QStringLiteral("SELECT 登记号 FROM src.登记 ORDER BY rowid"));
    FuzzSupport::require(q.has_value(), "the source's numbers are read");
    while (q->next())
        if (!q->value(0).isNull() && q->value(0).typeId() == QMetaType::QString)
            numbers << q->value(0).toString();
    return numbers;
}

// Import by number: every chosen overlay number of 13 characters lands whole under
// its own or a new number, or is refused.
void importByNumber(const QString& source, uint8_t flags, uint8_t chosenMask)
{
    exchange::ImportRequest request;
    request.sourcePath = source;
    request.allNumbers = flags & 2;
    request.everyKind = flags & 4;
    for (int i = 0; i < kNumbers.size(); ++i)
        if (chosenMask & (1 << i) && !kNumbers.at(i).isEmpty()) request.numbers << kNumbers.at(i);
    const QStringList tables = exchange::importTables(request.everyKind);

    FuzzDatabase::Working work(seededWorking(), QStringLiteral("fuzz_work"));
    const Counts before = countAll(work.db(), QStringLiteral("main"), tables);
    const auto outcome = exchange::importRegistrations(work.db(), request);
    if (!outcome) {
        work.requireUnchanged();
        return;
    }
    FuzzSupport::require(Db::attach(work.db(), source, QStringLiteral("src"), Db::OpenMode::ReadOnly),
                         "the source attaches");
    const Counts from = countAll(work.db(), QStringLiteral("src"), tables);
    QStringList expected;
    for (const QString& n : registrationNumbers(work.db()))
        if (n.size() == 13 && n.startsWith(QLatin1Char('4')) && !expected.contains(n) &&
            (request.allNumbers || request.numbers.contains(n)))
            expected << n;
    Db::detach(work.db(), QStringLiteral("src"));
    const Counts after = countAll(work.db(), QStringLiteral("main"), tables);

    FuzzSupport::require(outcome->registrations + outcome->refused.size() == expected.size(),
                         "every chosen registration is imported or refused");
    QHash<QString, QString> target;
    for (const QString& n : expected)
        if (!outcome->refused.contains(n)) target.insert(n, n);
    for (const exchange::Renumbering& r : outcome->renumbered)
        target.insert(r.from, r.to);
    for (const QString& t : tables) {
        int added = 0;
        for (auto it = target.cbegin(); it != target.cend(); ++it) {
            const int rows = t == tables.first() ? 1 : from[t].value(it.key());
            FuzzSupport::require(after[t].value(it.value()) - before[t].value(it.value()) == rows,
                                 "every row of an imported registration is in the working database");
            added += rows;
        }
        int total = 0;
        for (auto it = after[t].cbegin(); it != after[t].cend(); ++it)
            total += it.value() - before[t].value(it.key());
        FuzzSupport::require(total == added, "nothing but the imported registrations is added");
    }
}

// Append: every registration of the kinds appended lands whole with its number, or
// is reported as a repeat.
void appendAll(const QString& source, uint8_t flags)
{
    const bool everyKind = flags & 4;
    const QStringList tables = exchange::appendTables(everyKind);
    FuzzDatabase::Working work(seededWorking(), QStringLiteral("fuzz_work"));
    const Counts before = countAll(work.db(), QStringLiteral("main"), tables);
    const auto outcome = exchange::appendDatabase(work.db(), source, everyKind);
    if (!outcome) {
        work.requireUnchanged();
        return;
    }
    const Counts after = countAll(work.db(), QStringLiteral("main"), tables);
    FuzzSupport::require(Db::attach(work.db(), source, QStringLiteral("src"), Db::OpenMode::ReadOnly),
                         "the source attaches");
    const Counts from = countAll(work.db(), QStringLiteral("src"), tables);
    Db::detach(work.db(), QStringLiteral("src"));

    // A registration is left out when the working database holds its number in a
    // table of its kind's steps, when an earlier kind of the source has it, or when
    // its kind table repeats it.
    const QList<exchange::AppendStep> plan = exchange::appendPlan(everyKind);
    Counts expected; // table -> number -> rows added
    QSet<QString> earlier;
    QSet<QString> left;
    for (const exchange::AppendStep& step : plan) {
        if (step.kind != step.table) continue;
        for (auto it = from[step.kind].cbegin(); it != from[step.kind].cend(); ++it) {
            const QString& n = it.key();
            if (n == FuzzDatabase::notText() || n == FuzzDatabase::unreadable()) continue;
            bool out = it.value() > 1 || earlier.contains(n);
            for (const exchange::AppendStep& s : plan)
                if (s.kind == step.kind && before[s.table].value(n) > 0) out = true;
            if (out) {
                left.insert(n);
                continue;
            }
            for (const exchange::AppendStep& s : plan)
                if (s.kind == step.kind) expected[s.table][n] += from[s.table].value(n);
        }
        for (auto it = from[step.kind].cbegin(); it != from[step.kind].cend(); ++it)
            earlier.insert(it.key());
    }
    for (const QString& n : left)
        FuzzSupport::require(outcome->duplicates.contains(n), "a registration left out is reported");
    int rows = 0;
    for (const QString& t : tables) {
        for (auto it = after[t].cbegin(); it != after[t].cend(); ++it) {
            const int added = it.value() - before[t].value(it.key());
            if (it.key() == FuzzDatabase::unreadable()) {
                rows += added;
                continue;
            }
            FuzzSupport::require(added == expected[t].value(it.key()),
                                 "every row of an appended registration is added once, and nothing else");
            rows += added;
        }
        for (auto it = expected[t].cbegin(); it != expected[t].cend(); ++it)
            FuzzSupport::require(after[t].value(it.key()) - before[t].value(it.key()) == it.value(),
                                 "every row of an appended registration is in the working database");
    }
    FuzzSupport::require(rows == outcome->rows, "the rows reported are the rows added");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    Input in(data, size);
    const uint8_t flags = in.byte();
    const uint8_t chosen = in.byte();
    const QString source = writeSource(in);
    if (flags & 1)
        appendAll(source, flags);
    else
        importByNumber(source, flags, chosen);
    return 0;
}
