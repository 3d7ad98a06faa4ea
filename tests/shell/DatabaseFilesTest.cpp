// What start-up and the switch of the working database do with files that are not
// what they should be: damaged, of the wrong shape, not writable, not judged.
#include "support/DamagedDatabase.h"
#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/MAINBAS.h"
#include "shell/ParaLogic.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

class DatabaseFilesTest : public ProgramFolder
{
protected:
    MAINBAS::StartResult start()
    {
        return MAINBAS::Main(dir(), [] {});
    }
    void configure(const QString& file)
    {
        writeFile(QStringLiteral("djk.ini"), (QFileInfo(file).path() + QStringLiteral("\r\n") +
                                              QFileInfo(file).fileName() + QStringLiteral("\r\n"))
                                                 .toUtf8());
    }
    // Points the state at `file` and opens it as the switch does.
    bool switchTo(const QString& file)
    {
        m_state.DBPath = QFileInfo(file).path();
        m_state.DBName = QFileInfo(file).fileName();
        return MAINBAS::Open_Connection();
    }
    static QByteArray hashOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
                                           : QByteArray();
    }
    QString native(const QString& file) const { return QDir::toNativeSeparators(file); }
};

TEST_F(DatabaseFilesTest, ADamagedFileIsRefusedByNameAtStartAndAtTheSwitch)
{
    const QString damaged = path(QStringLiteral("damaged.mdb"));
    ASSERT_TRUE(DamagedDatabase::make(templatePath(), damaged, 300));
    const QByteArray before = hashOf(damaged);
    configure(damaged);
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_TRUE(Prompt::shown().at(0).text.startsWith(QStringLiteral("数据库文件已损坏，不能使用：") +
                                                      native(damaged) + QLatin1Char('\r')))
        << Prompt::shown().at(0).text.toStdString();
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("错误"));
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
    EXPECT_FALSE(m_state.Cn().isOpen());

    Prompt::clear();
    openWorkingDatabase();
    const QString working = m_state.CnName;
    EXPECT_FALSE(switchTo(damaged));
    EXPECT_EQ(m_state.CnName, working);
    EXPECT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(Prompt::lastText().contains(native(damaged)));
    EXPECT_EQ(hashOf(damaged), before);
}

TEST_F(DatabaseFilesTest, AFileLackingATableOrFieldOfTheTemplateIsRefusedNamingIt)
{
    openWorkingDatabase();
    const QString working = m_state.CnName;
    const QString noCoords = copyTemplate(QStringLiteral("nocoords.mdb"));
    runSql(noCoords, {QStringLiteral("drop table 坐标")});
    EXPECT_FALSE(switchTo(noCoords));
    EXPECT_EQ(Prompt::lastText(),
              MAINBAS::Missing_Table_Message(noCoords, QStringLiteral("坐标"), QString()));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("数据库文件") + native(noCoords) +
                                      QStringLiteral("缺少表【坐标】，不是本系统的登记库，不能使用！"));
    EXPECT_EQ(m_state.CnName, working);

    const QString noArea = copyTemplate(QStringLiteral("noarea.mdb"));
    runSql(noArea, {QStringLiteral("alter table 坐标 drop column 矿权面积")});
    EXPECT_FALSE(switchTo(noArea));
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("数据库文件") + native(noArea) +
                  QStringLiteral("的表【坐标】缺少字段【矿权面积】，不是本系统的登记库，不能使用！"));
    EXPECT_EQ(m_state.CnName, working);

    // The same at start-up, after the version check has passed.
    Prompt::clear();
    configure(noArea);
    EXPECT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
}

TEST_F(DatabaseFilesTest, AFileThatCannotBeWrittenIsOpenedForReadingAfterSayingSo)
{
    const QString file = copyTemplate(QStringLiteral("readonly.mdb"));
    runSql(file, {QStringLiteral("insert into 登记 (登记号) values ('4110101082001')")});
    ASSERT_TRUE(DamagedDatabase::markReadOnly(file));
    configure(file);
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(),
              MAINBAS::Read_Only_Message(
                  file, QStringLiteral("数据库文件只读，或文件所在的文件夹只读，或文件已被移走、"
                                       "删除，不能写入")));
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("数据库文件不能写入，只能查看，不能保存：") +
                                              native(file) + QLatin1Char('\r')));
    EXPECT_EQ(Db::scalar(m_state.Cn(), QStringLiteral("select count(*) from 登记")).toInt(), 1);

    // A write fails with the plain cause.
    Db::Error error;
    EXPECT_FALSE(Db::exec(m_state.Cn(), QStringLiteral("delete from 登记"), {}, &error));
    EXPECT_EQ(error.number & 0xff, 8);
    EXPECT_EQ(error.description, Db::plainCause(8));
}

TEST_F(DatabaseFilesTest, AVersionCheckThatCannotBeMadeRefusesTheFile)
{
    const QString older = copyTemplate(QStringLiteral("older.mdb"));
    runSql(older, {QStringLiteral("update 数据库参数 set 版本号='1.0'")});
    const QByteArray before = hashOf(older);
    QFile::remove(path(QStringLiteral("djk.sys")));

    // At start-up: the failure in one generic box, then the open error.
    configure(older);
    EXPECT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::shown().at(0).text.contains(QStringLiteral("djk.sys")));
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
    EXPECT_FALSE(m_state.Cn().isOpen());
    EXPECT_EQ(hashOf(older), before);
}

} // namespace
