#include "registration/record/StatDatabase.h"

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/TextNumber.h"

#include <QDir>
#include <QSqlError>

SqliteStatDatabase::SqliteStatDatabase(const QString& tjPath, const QString& tjName)
    : m_path(tjPath), m_name(tjName)
{
}

int SqliteStatDatabase::findMine(const QString& kqbh, std::optional<int> djflbh, int year,
                                 int previousYear) const
{
    if (m_path.isEmpty() && m_name.isEmpty()) return NotConfigured;
    if (m_name.isEmpty()) return Unreadable;
    const QString file = m_path.isEmpty() ? m_name : QDir(m_path).filePath(m_name);
    Db::ScopedConnection connection(QStringLiteral("stat_mine"), file, Db::OpenMode::ReadOnly);
    if (!connection.ok()) return Unreadable;

    QString sql = QStringLiteral("SELECT 1 FROM KCL_KS WHERE KQBH = ?");
    QVariantList values{kqbh};
    if (djflbh) {
        sql += QStringLiteral(" AND DJFLBH = ?");
        values.append(*djflbh);
    }
    sql += QStringLiteral(" AND (ND = ? OR ND = ?) LIMIT 1");
    values << year << previousYear;

    Db::Error error;
    auto query = Db::exec(connection.db(), sql, values, &error);
    if (!query) return Unreadable;
    const bool found = query->next();
    if (query->lastError().isValid()) return Unreadable;
    return found ? Found : NotFound;
}

namespace KCUTIL {

int Stat_Year(const QString& djh)
{
    const int yy = TextNumber::roundToInt32(TextNumber::leading(djh.mid(7, 2)));
    return yy > Clock::today().year() % 100 ? 1900 + yy : 2000 + yy;
}

int Check_Stat_Mine(const StatDatabase& stat, const QString& djh, const QString& kqbh, const QString& ksbh)
{
    const int year = Stat_Year(djh);
    std::optional<int> djflbh;
    if (!ksbh.trimmed().isEmpty()) djflbh = TextNumber::roundToInt32(TextNumber::leading(ksbh)) + 2000;
    return stat.findMine(kqbh, djflbh, year, year - 1);
}

} // namespace KCUTIL
