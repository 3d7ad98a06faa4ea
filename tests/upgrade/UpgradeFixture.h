#pragma once

#include "support/OldRegistrations.h"
#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "upgrade/DjkDatabase.h"
#include "upgrade/Upgrade.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlRecord>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A program folder with the template, and helpers to build old databases and read the
// files a run leaves.
class UpgradeFixture : public ProgramFolder
{
protected:
    // An old database of generated registrations.
    QString oldDatabase(const QString& name, OldRegistrations::Options options = {})
    {
        Db::Error error;
        EXPECT_TRUE(OldRegistrations::makeDatabase(templatePath(), path(name), options, &error))
            << error.description.toStdString();
        return path(name);
    }
    // An old database holding only the rows the statements add.
    QString oldDatabase(const QString& name, const QStringList& statements, const QString& version = "1.40")
    {
        const QString file = copyTemplate(name);
        runSql(file, statements);
        Db::Error error;
        EXPECT_TRUE(OldRegistrations::toOldStructure(file, version, &error))
            << error.description.toStdString();
        return file;
    }
    static QVariant value(const QString& file, const QString& sql, const QVariantList& values = {})
    {
        Db::ScopedConnection c(QStringLiteral("read"), file, Db::OpenMode::ReadOnly);
        EXPECT_TRUE(c.ok()) << file.toStdString();
        Db::Error error;
        const QVariant v = Db::scalar(c.db(), sql, values, &error);
        EXPECT_FALSE(error.isSet()) << sql.toStdString() << ": " << error.description.toStdString();
        return v;
    }
    static QStringList rows(const QString& file, const QString& sql)
    {
        Db::ScopedConnection c(QStringLiteral("read"), file, Db::OpenMode::ReadOnly);
        QStringList out;
        auto q = Db::exec(c.db(), sql);
        EXPECT_TRUE(q.has_value()) << sql.toStdString();
        if (!q) return out;
        while (q->next()) {
            QStringList cells;
            for (int i = 0; i < q->record().count(); ++i)
                cells << (q->value(i).isNull() ? QStringLiteral("NULL") : q->value(i).toString());
            out << cells.join(u'|');
        }
        return out;
    }
    static QByteArray hash(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    // The files of a folder, hidden ones included.
    static QStringList files(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    Module1 paths(const QString& source, const QString& des, const QString& repairSource = {},
                  const QString& repairDes = {})
    {
        Module1 m;
        m.sourcePath = source;
        m.desPath = des;
        m.isRepair = !repairSource.isEmpty();
        m.repairSourcePath = repairSource;
        m.repairDesPath = repairDes;
        m.tableNames = DjkDatabase::initTableList();
        return m;
    }
    Result<Upgrade::Outcome> upgrade(Module1& m, Upgrade::Progress progress = {})
    {
        return Upgrade(m, dir(), std::move(progress)).doBusiness();
    }
};
