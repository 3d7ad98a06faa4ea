#include "ProgramFolder.h"

#include "TestSeams.h"

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileGate.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

QString templatePath()
{
    return QStringLiteral(ORVANE_TEMPLATE_PATH);
}

void ProgramFolder::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    TestSeams::reset();
    m_state = ProgramState{};
    m_state.ProgramDir = m_dir.path();
    installState(&m_state);
    // As the program's start does.
    FileGate::setTemplate(path(QStringLiteral("djk.sys")));
    Clock::setFixed(QDateTime(QDate(2008, 11, 3), QTime(9, 30)));
    ASSERT_TRUE(QFile::copy(templatePath(), path(QStringLiteral("djk.sys")))) << templatePath().toStdString();
    QFile::setPermissions(path(QStringLiteral("djk.sys")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                              QFileDevice::WriteUser);
}

void ProgramFolder::TearDown()
{
    if (!m_state.CnName.isEmpty()) Db::close(m_state.CnName);
    FileGate::setTemplate(QString());
    TestSeams::reset();
}

QString ProgramFolder::path(const QString& name) const
{
    return QDir::isAbsolutePath(name) ? name : m_dir.filePath(name);
}

QString ProgramFolder::copyTemplate(const QString& name) const
{
    const QString target = path(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(templatePath(), target));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

void ProgramFolder::openWorkingDatabase()
{
    copyTemplate(QStringLiteral("djk.mdb"));
    m_state.DBPath = dir();
    m_state.DBName = QStringLiteral("djk.mdb");
    // The shared connection as the program opens it, under a name of its own.
    static int generation = 0;
    const QString name = QStringLiteral("TestCn") + QString::number(++generation);
    Db::Error error;
    ASSERT_TRUE(Db::open(name, path(m_state.DBName), Db::OpenMode::ReadWrite, &error))
        << error.description.toStdString();
    if (!m_state.CnName.isEmpty()) Db::close(m_state.CnName);
    m_state.CnName = name;
}

void ProgramFolder::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QFileDevice::Permissions ProgramFolder::modeOf(const QString& file)
{
    return QFile::permissions(file) &
           ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

void ProgramFolder::runSql(const QString& file, const QStringList& statements)
{
    const QString name = QStringLiteral("test-sql");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString& s : statements) {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
