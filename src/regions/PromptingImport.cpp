#include "PromptingImport.h"

#include "RegionSelection.h"
#include "coords/RegistrationNumbers.h"

#include <QSqlError>

namespace regions {

namespace {
const QString kSource = QStringLiteral("DataImportXzq");
}

QString duplicateMessage(const QString& number)
{
    return QStringLiteral("登记号【") + number +
           QStringLiteral("】已经存在！\n覆盖：覆盖已有数据    不导入：不导入该数据\n"
                          "取消：退出本次导入操作");
}

Result<PromptingOutcome> Prompt_Import_Kind_Table(const QSqlDatabase& db, const QString& table,
                                                  const QString& kind, const PromptingRun& run)
{
    PromptingOutcome outcome;
    if (*run.answer == StopImport) return outcome;
    const bool kindTable = kindTables(true).contains(table);
    // The rows of the region, after "FROM src.<table> AS s".
    const RegionCondition c = regionCondition(
        kindTable ? QStringLiteral("s.行政区代码") : QStringLiteral("k.行政区代码"), run.prefix);
    QString rows;
    QStringList where;
    if (!kindTable)
        rows = QStringLiteral("JOIN src.") + Db::quotedName(kind) +
               QStringLiteral(" AS k ON k.登记号 = s.登记号 ");
    if (!c.isEmpty()) where << c.sql;
    if (!kindTable && run.overlayOnly) where << QStringLiteral("substr(s.登记号,1,1)='4'");
    if (!where.isEmpty()) rows += QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND "));

    Db::Error error;
    auto numbers =
        Db::exec(db,
                 QStringLiteral("SELECT s.登记号 FROM src.") + Db::quotedName(table) +
                     QStringLiteral(" AS s ") + rows + QStringLiteral(" GROUP BY s.登记号 ORDER BY s.登记号"),
                 c.values, &error);
    if (!numbers) return error;
    QStringList list;
    while (numbers->next())
        list << numbers->value(0).toString();
    if (numbers->lastError().isValid()) return Db::errorOf(numbers->lastError(), kSource);

    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(kSource);
    const bool registration = table == QStringLiteral("登记");
    for (const QString& number : list) {
        if (number.size() != 13) continue;
        if (registration) {
            const Result<bool> present = KCUTIL::Is_DJH_In_DB(db, number);
            if (!present) return present.error();
            if (*present) {
                if (*run.answer != OverwriteAll && *run.answer != LeaveOutAll)
                    *run.answer = run.ask(duplicateMessage(number));
                if (*run.answer == StopImport) break;
                if (*run.answer == LeaveOut || *run.answer == LeaveOutAll) {
                    if (run.skipped->size() == 1 && run.skipped->first().isEmpty())
                        (*run.skipped)[0] = number;
                    else
                        run.skipped->append(number);
                    continue;
                }
            }
        } else if (run.skipped->contains(number)) {
            continue;
        }
        if (!Db::exec(db,
                      QStringLiteral("DELETE FROM ") + Db::quotedName(table) +
                          QStringLiteral(" WHERE 登记号=?"),
                      {number}, &error))
            return error;
        exchange::TableCopy copy;
        copy.table = table;
        copy.nullOldDates = true;
        copy.rows = rows + (where.isEmpty() ? QStringLiteral("WHERE ") : QStringLiteral(" AND ")) +
                    QStringLiteral("s.登记号=? ORDER BY s.rowid");
        copy.values = c.values;
        copy.values << number;
        const auto copied = exchange::copyTable(db, copy);
        if (!copied) return copied.error();
        ++outcome.numbers;
        outcome.oldDates << copied->oldDates;
    }
    if (!transaction.commit(&error)) return error;
    return outcome;
}

} // namespace regions
