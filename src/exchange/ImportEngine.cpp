#include "ImportEngine.h"

#include "coords/RegistrationNumbers.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

namespace exchange {

namespace {

const QString kSource = QStringLiteral("Import_All_Tables");
constexpr int MaxSerial = 999;

Db::Error failure(const QString& description)
{
    return Db::Error{-1, kSource, description};
}

// Gives each chosen source number the number it takes in the working database.
class NumberMap
{
public:
    explicit NumberMap(const QSqlDatabase& db) : m_db(db) {}

    // The new number, or an empty text when the prefix has no free serial.
    Result<QString> assign(const QString& number)
    {
        bool taken = m_assigned.contains(number);
        if (!taken) {
            const Result<bool> inDatabase = KCUTIL::Is_DJH_In_DB(m_db, number);
            if (!inDatabase) return inDatabase.error();
            taken = *inDatabase;
        }
        const QString prefix = number.left(10);
        QString result = number;
        if (taken) {
            const auto highest = highestSerial(prefix);
            if (!highest) return highest.error();
            if (*highest >= MaxSerial) return QString();
            result = prefix + QStringLiteral("%1").arg(*highest + 1, 3, 10, QLatin1Char('0'));
        }
        m_assigned.insert(result);
        const int serial = result.right(3).toInt();
        int& known = m_known.contains(prefix) ? m_known[prefix] : m_pending[prefix];
        known = std::max(known, serial);
        return result;
    }

private:
    // The highest serial under the prefix: the working database's and those given
    // in this import.
    Result<int> highestSerial(const QString& prefix)
    {
        if (!m_known.contains(prefix)) {
            const Result<KCUTIL::HighestSerial> inDatabase = KCUTIL::New_DJH(m_db, prefix);
            if (!inDatabase) return inDatabase.error();
            m_known[prefix] = std::max(inDatabase->serial, m_pending.value(prefix, 0));
        }
        return m_known.value(prefix);
    }

    QSqlDatabase m_db;
    QSet<QString> m_assigned;
    QHash<QString, int> m_known;   // prefix -> highest serial, the database's included
    QHash<QString, int> m_pending; // prefix -> highest serial given before the database was asked
};

bool isOverlayNumber(const QString& number)
{
    return number.size() == 13 && number.startsWith(QLatin1Char('4'));
}

// Reads the chosen 登记 rows of the source and fills temp.import_map. A number that
// is not text (a blob) is no registration number.
Status buildMap(const QSqlDatabase& db, const ImportRequest& request, ImportOutcome& outcome)
{
    Db::Error error;
    auto rows = Db::exec(
        db,
        request.allNumbers
            ? QStringLiteral("SELECT s.rowid, s.登记号 FROM src.登记 s WHERE typeof(s.登记号) = 'text' "
                             "ORDER BY s.rowid")
            : QStringLiteral("SELECT s.rowid, s.登记号 FROM src.登记 s JOIN temp.import_numbers n "
                             "ON n.number = s.登记号 ORDER BY s.rowid"),
        {}, &error);
    if (!rows) return error;
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO temp.import_map (rid, old, new) VALUES (?, ?, ?)")))
        return Db::errorOf(insert.lastError(), kSource);
    NumberMap map(db);
    QSet<QString> seen;
    while (rows->next()) {
        const QString number = rows->value(1).toString();
        if (!isOverlayNumber(number) || seen.contains(number)) continue;
        seen.insert(number);
        const auto assigned = map.assign(number);
        if (!assigned) return assigned.error();
        if (assigned->isEmpty()) {
            outcome.refused << number;
            continue;
        }
        if (*assigned != number) outcome.renumbered << Renumbering{number, *assigned};
        insert.bindValue(0, rows->value(0));
        insert.bindValue(1, number);
        insert.bindValue(2, *assigned);
        if (!insert.exec()) return Db::errorOf(insert.lastError(), kSource);
        ++outcome.registrations;
    }
    if (rows->lastError().isValid()) return Db::errorOf(rows->lastError(), kSource);
    return {};
}

} // namespace

QString refusedMessage(const QString& number)
{
    return QStringLiteral("登记号【") + number + QStringLiteral("】已无可用的新编号，未导入！");
}

QStringList importTables(bool everyKind)
{
    QStringList tables{QStringLiteral("登记"), QStringLiteral("压覆")};
    if (everyKind) tables << QStringLiteral("查明") << QStringLiteral("占用") << QStringLiteral("停办");
    tables << QStringLiteral("报告") << QStringLiteral("质量") << QStringLiteral("资源储量")
           << QStringLiteral("坐标");
    return tables;
}

Result<ImportOutcome> importRegistrations(const QSqlDatabase& db, const ImportRequest& request,
                                          const Progress& progress)
{
    AttachedDatabase source(db, request.sourcePath, QStringLiteral("src"));
    if (!source.ok()) return source.error();
    std::optional<NumberTable> chosen;
    if (!request.allNumbers) {
        chosen.emplace(db, QStringLiteral("import_numbers"), request.numbers);
        if (!chosen->ok()) return chosen->error();
    }
    ScratchTable map(db, QStringLiteral("import_map"),
                     QStringLiteral("rid INTEGER PRIMARY KEY, old TEXT UNIQUE, new TEXT"));
    if (!map.ok()) return map.error();

    ImportOutcome outcome;
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(kSource);
    if (const Status mapped = buildMap(db, request, outcome); !mapped) return mapped.error();
    const QStringList tables = importTables(request.everyKind);
    for (int i = 0; i < tables.size(); ++i) {
        if (progress && !progress(i, int(tables.size()))) return failure(QStringLiteral("导入已中止"));
        TableCopy copy;
        copy.table = tables.at(i);
        // The 登记 rows by their place in the source, the others by number.
        copy.rows = i == 0 ? QStringLiteral("JOIN temp.import_map m ON m.rid = s.rowid ORDER BY s.rowid")
                           : QStringLiteral("JOIN temp.import_map m ON m.old = s.登记号 ORDER BY s.rowid");
        copy.firstColumn = QStringLiteral("m.new");
        copy.nullOldDates = true;
        // The step reads the rows of the chosen numbers, those that the number filter
        // or the map leave out included.
        if (!request.allNumbers)
            copy.selection = QStringLiteral("p.登记号 IN (SELECT number FROM temp.import_numbers)");
        const auto copied = copyTable(db, copy);
        if (!copied) return keyClash(db, copy, copied.error());
        outcome.oldDates << copied->oldDates;
    }
    if (progress && !progress(int(tables.size()), int(tables.size())))
        return failure(QStringLiteral("导入已中止"));
    Db::Error error;
    if (!transaction.commit(&error)) return error;
    return outcome;
}

} // namespace exchange
