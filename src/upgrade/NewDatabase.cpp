#include "NewDatabase.h"

#include "platform/Database.h"
#include "platform/FileCopy.h"
#include "platform/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace NewDatabase {

namespace {

Db::Error failure(const QString& description)
{
    return Db::Error{-1, QStringLiteral("Quillet"), description};
}

// Column names of a table of the schema `alias` ("main" or an attached one), in order.
Result<QStringList> columnsOf(const QSqlDatabase& db, const QString& alias, const QString& table)
{
    Db::Error error;
    auto q = Db::exec(db,
                      QStringLiteral("PRAGMA ") + alias + QStringLiteral(".table_info(") +
                          Db::quotedName(table) + QStringLiteral(")"),
                      {}, &error);
    if (!q) return error;
    QStringList names;
    while (q->next())
        names << q->value(1).toString();
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), QStringLiteral("SQLite"));
    return names;
}

} // namespace

QString StripPathName(const QString& path)
{
    const QString p = QDir::fromNativeSeparators(path);
    const int slash = p.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : p.left(slash + 1);
}

QString newFileName(const QString& folder, const QDateTime& when)
{
    const QString stem = QLatin1Char('.') + when.toString(QStringLiteral("yyyy年MM月dd日HH时mm分ss秒"));
    QString name = folder + stem + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = folder + stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".mdb");
    return name;
}

Result<QString> createNewDb(const QString& templatePath, const QString& target, const QDateTime& when)
{
    const QString folder = StripPathName(target);
    if (folder.isEmpty()) return failure(QStringLiteral("源数据库路径选择不正确！"));
    // Work files of runs that were killed, with their side files: their own, and those
    // of a target replaced, which take the work file's name until it is in place.
    static const QRegularExpression workFile(QStringLiteral(
        "^\\.\\d{4}年\\d{2}月\\d{2}日\\d{2}时\\d{2}分\\d{2}秒(-\\d+)?\\.mdb(-journal|-wal|-shm)?$"));
    NewFile::removeStale(folder, workFile);
    // The copy is made and written through beside the target, so that a failure names
    // the target the clerk chose, and then takes the work file's name.
    QString why;
    const QString copy = FileCopy::copyToTemporary(templatePath, target, &why);
    if (copy.isEmpty()) return failure(why);
    const QString name = newFileName(folder, when);
    if (const Status moved = NewFile::moveTemporary(copy, name, target); !moved) {
        NewFile::discard(copy);
        return failure(moved.error().description);
    }
    // A read-only template still gives a file the run can write.
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::ReadOther);
    return name;
}

Status copyTables(const QSqlDatabase& db, const QString& sourceAlias, const QStringList& tables,
                  const std::function<void()>& step)
{
    for (const QString& table : tables) {
        const auto source = columnsOf(db, sourceAlias, table);
        if (!source) return source.error();
        const auto target = columnsOf(db, QStringLiteral("main"), table);
        if (!target) return target.error();
        if (source->isEmpty() || target->isEmpty())
            return failure(QStringLiteral("数据库中没有表“%1”").arg(table));
        // The new structure's own names, so that nothing of the old file reaches the SQL.
        QStringList columns;
        for (const QString& name : *source) {
            const auto it = std::find_if(target->begin(), target->end(), [&](const QString& t) {
                return t.compare(name, Qt::CaseInsensitive) == 0;
            });
            if (it == target->end())
                return failure(QStringLiteral("表“%1”的列“%2”在当前版本的数据库中不存在").arg(table, name));
            columns << Db::quotedName(*it);
        }
        const QString list = columns.join(QLatin1Char(','));
        Db::Error error;
        if (!Db::exec(db,
                      QStringLiteral("INSERT INTO main.") + Db::quotedName(table) + QStringLiteral(" (") +
                          list + QStringLiteral(") SELECT ") + list + QStringLiteral(" FROM ") + sourceAlias +
                          QLatin1Char('.') + Db::quotedName(table),
                      {}, &error))
            return error;
        if (step) step();
    }
    // Codes the current version no longer knows.
    Db::Error error;
    if (!Db::exec(db, QStringLiteral("UPDATE main.报告 SET 可利用情况码 = NULL WHERE 可利用情况码 = ?"),
                  {12000}, &error) ||
        !Db::exec(db, QStringLiteral("UPDATE main.报告 SET 未用原因1码 = NULL WHERE 未用原因1码 = ?"),
                  {QStringLiteral("11000")}, &error))
        return error;
    return Status::success();
}

Status replaceTarget(const QString& newPath, const QString& target)
{
    // The upgraded file keeps the permissions of the file it replaces.
    QString why;
    if (!FileCopy::putInPlace(newPath, target, &why)) return failure(why);
    return Status::success();
}

} // namespace NewDatabase
