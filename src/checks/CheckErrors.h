#pragma once

#include "platform/Database.h"

#include <QList>

namespace checks {

// The failures met during a check run. A check goes on after a failure; each
// distinct failure is kept once, so that a fault repeated on every row is shown
// once and not once per row.
class CheckErrors
{
public:
    void add(const Db::Error& error);
    // A column that a rule reads is missing from the table.
    void missingColumn(const QString& table, const QString& column);

    bool isEmpty() const { return m_errors.isEmpty(); }
    const QList<Db::Error>& list() const { return m_errors; }

private:
    QList<Db::Error> m_errors;
};

} // namespace checks
