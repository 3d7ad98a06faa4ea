#pragma once

#include "TableCopier.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Deletion of chosen registrations from the six registration tables of the working
// database. Each registration goes in one transaction of its own: it is deleted
// from all six tables or, when a statement fails, from none.
namespace exchange {

struct DeleteFailure
{
    QString number;
    Db::Error error;
};

struct DeleteOutcome
{
    QStringList deleted; // numbers whose rows are gone (also those that had none)
    QList<DeleteFailure> failed;
};

// Progress counts the numbers done (its answer is not asked).
DeleteOutcome deleteRegistrations(const QSqlDatabase& db, const QStringList& numbers,
                                  const Progress& progress = {});

} // namespace exchange
