#include "RegistrationDelete.h"

#include "ExchangeTables.h"

namespace exchange {

namespace {

Status deleteOne(const QSqlDatabase& db, const QString& number)
{
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(QStringLiteral("DataDelete"));
    Db::Error error;
    for (const QString& table : overlayTables())
        if (!Db::exec(db,
                      QStringLiteral("DELETE FROM ") + Db::quotedName(table) +
                          QStringLiteral(" WHERE 登记号=?"),
                      {number}, &error))
            return error;
    if (!transaction.commit(&error)) return error;
    return {};
}

} // namespace

DeleteOutcome deleteRegistrations(const QSqlDatabase& db, const QStringList& numbers,
                                  const Progress& progress)
{
    DeleteOutcome outcome;
    for (int i = 0; i < numbers.size(); ++i) {
        if (progress) progress(i, int(numbers.size()));
        const Status done = deleteOne(db, numbers.at(i));
        if (done)
            outcome.deleted << numbers.at(i);
        else
            outcome.failed << DeleteFailure{numbers.at(i), done.error()};
    }
    if (progress) progress(int(numbers.size()), int(numbers.size()));
    return outcome;
}

} // namespace exchange
