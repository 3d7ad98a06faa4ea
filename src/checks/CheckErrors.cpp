#include "CheckErrors.h"

namespace checks {

void CheckErrors::add(const Db::Error& error)
{
    for (const Db::Error& e : m_errors)
        if (e.number == error.number && e.source == error.source && e.description == error.description)
            return;
    m_errors << error;
}

void CheckErrors::missingColumn(const QString& table, const QString& column)
{
    add(Db::Error{3265, QStringLiteral("DataCheck"), QStringLiteral("表 %1 中没有列 %2").arg(table, column)});
}

} // namespace checks
