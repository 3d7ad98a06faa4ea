#include "DjkDatabase.h"

#include "platform/Database.h"

#include <QSqlError>

namespace DjkDatabase {

QStringList initTableList()
{
    return {QStringLiteral("报告"),  QStringLiteral("查明"),     QStringLiteral("登记"),
            QStringLiteral("停办"),  QStringLiteral("压覆"),     QStringLiteral("占用"),
            QStringLiteral("质量"),  QStringLiteral("资源储量"), QStringLiteral("坐标"),
            QStringLiteral("参数表")};
}

Result<bool> isDjkDatabase(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("upgrade-probe"), path, Db::OpenMode::ReadOnly);
    // A file that is no database at all (SQLite's "not a database") is no registration
    // database either; other failures (a locked or unreadable file) are reported.
    constexpr int notADatabase = 26;
    if (!c.ok()) return c.error().number == notADatabase ? Result<bool>(false) : Result<bool>(c.error());
    Db::Error error;
    auto q =
        Db::exec(c.db(), QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"), {}, &error);
    if (!q) return false;
    const QStringList wanted = initTableList();
    int count = 0;
    while (q->next()) {
        const QString name = q->value(0).toString();
        for (const QString& table : wanted)
            if (name.compare(table, Qt::CaseInsensitive) == 0) {
                ++count;
                break;
            }
    }
    if (q->lastError().isValid()) return false;
    return count == wanted.size();
}

QString getVersion(const QString& path)
{
    Db::ScopedConnection c(QStringLiteral("upgrade-version"), path, Db::OpenMode::ReadOnly);
    if (!c.ok()) return QString();
    const QVariant v = Db::scalar(c.db(), QStringLiteral("SELECT 版本号 FROM 数据库参数 LIMIT 1"));
    return v.isNull() ? QString() : v.toString();
}

Result<bool> isConsistent(const QString& path, const QString& templatePath)
{
    {
        Db::ScopedConnection t(QStringLiteral("upgrade-template"), templatePath, Db::OpenMode::ReadOnly);
        if (!t.ok()) return t.error();
    }
    const QString version = getVersion(path);
    if (version.isEmpty()) return false;
    return QString::compare(version, getVersion(templatePath), Qt::CaseSensitive) >= 0;
}

} // namespace DjkDatabase
