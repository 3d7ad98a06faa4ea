#pragma once

#include "ExchangeDocument.h"

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// The database side of the conversion library: a registration's rows out of the
// registration tables, and whole registrations into them.
namespace tabxfer {

// The tables an exchange file may carry, in the order the exchange moves them.
const QStringList& registrationTables();

// Splits a ";"-separated table list; fails on an empty list or a table that is not
// a registration table.
Result<QStringList> tableList(const QString& text);

// The rows of registration `number` in each of `tables` (in that order), every
// column of every row, rows in the order they were stored. Fails when a table
// lacks `keyColumn`, on a read error, and when the number has no row at all.
Result<ExchangeRegistration> readRegistration(const QSqlDatabase& db, const QStringList& tables,
                                              const QString& keyColumn, const QString& number);

// Called after each registration written: registrations done, registrations in all.
using Progress = std::function<void(int done, int total)>;

// Appends the registrations of `document` to the database in one transaction.
// Before anything is written every table of the file must be one of `tables` and
// exist with every column the file gives it, every row must carry its
// registration's number in `keyColumn`, and no number may be in any of `tables`
// already. On any failure nothing is written.
Status appendRegistrations(const QSqlDatabase& db, const ExchangeDocument& document,
                           const QStringList& tables, const QString& keyColumn,
                           const Progress& progress = {});

} // namespace tabxfer
