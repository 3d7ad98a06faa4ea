#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/MAINBAS.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kOpenError = QStringLiteral("数据库打开错误！请确认连接的数据库是否为登记库或是否已打开！");
const QString kOlder =
    QStringLiteral("当前连接的数据库词表比最新发布的旧！请先使用数据库升级转换模块来升级数据库！再启动此系统");

class StartupTest : public ProgramFolder
{
protected:
    MAINBAS::StartResult start()
    {
        shown = false;
        return MAINBAS::Main(dir(), [this] { shown = true; });
    }
    // A registration database elsewhere with the given version ("" for an empty
    // version, "-" for no 数据库参数 table, "none" for a table without rows).
    QString databaseWithVersion(const QString& name, const QString& version)
    {
        const QString file = copyTemplate(name);
        if (version == QLatin1String("-"))
            runSql(file, {QStringLiteral("drop table 数据库参数")});
        else if (version == QLatin1String("none"))
            runSql(file, {QStringLiteral("delete from 数据库参数")});
        else
            runSql(file, {QStringLiteral("update 数据库参数 set 版本号='%1'").arg(version)});
        return file;
    }
    void configure(const QString& folder, const QString& name)
    {
        writeFile(QStringLiteral("djk.ini"), (folder + QStringLiteral("\r\n") + name + QStringLiteral("\r\n")).toUtf8());
    }
    QByteArray iniBytes(const QString& name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    bool shown = false;
};

TEST_F(StartupTest, NoSettingsMakesDjkMdbFromTheTemplateAndShowsTheMainWindow)
{
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("djk.mdb"))));
    EXPECT_EQ(m_state.DBPath, dir());
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_TRUE(m_state.Cn().isOpen());
    EXPECT_EQ(m_state.ProvinceCode, 0);
    EXPECT_TRUE(m_state.MapFill);
    EXPECT_TRUE(m_state.MapShowAll);
    EXPECT_FALSE(m_state.MapShowPoints || m_state.MapShowLabels || m_state.MapOnlyRight || m_state.MapOnlyReserve);
    EXPECT_EQ(m_state.HelpFilePath, dir() + QStringLiteral("/Tarnwick.chm"));
    EXPECT_DOUBLE_EQ(m_state.PrintScaleX, 1.2);
    EXPECT_DOUBLE_EQ(m_state.PrintScaleY, 1.5);
    EXPECT_GE(m_state.PrinterCount, 1);
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.ini"))));
}

TEST_F(StartupTest, TheDefaultDatabaseIsNeverVersionChecked)
{
    databaseWithVersion(QStringLiteral("djk.mdb"), QStringLiteral("1.0"));
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(StartupTest, AMissingConfiguredFileFallsBackSilentlyAndKeepsTheSettings)
{
    configure(QStringLiteral("/no/such/folder"), QStringLiteral("gone.mdb"));
    const QByteArray before = iniBytes(QStringLiteral("djk.ini"));
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    EXPECT_EQ(m_state.DBPath, dir());
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(iniBytes(QStringLiteral("djk.ini")), before);
}

TEST_F(StartupTest, AnOlderConfiguredDatabaseEndsTheProgramAndClearsTheSettings)
{
    for (const QString& v : {QStringLiteral("1.43"), QString(), QStringLiteral("-"), QStringLiteral("none")}) {
        SCOPED_TRACE(v.toStdString());
        Prompt::clear();
        QDir(dir()).mkpath(QStringLiteral("other"));
        databaseWithVersion(QStringLiteral("other/old.mdb"), v);
        configure(path(QStringLiteral("other")), QStringLiteral("old.mdb"));
        writeFile(QStringLiteral("tjk.ini"), "/tj\r\ntj.mdb\r\n");
        ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
        EXPECT_FALSE(shown);
        ASSERT_EQ(Prompt::shown().size(), 1);
        EXPECT_EQ(Prompt::shown().at(0).text, kOlder);
        EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("提示"));
        EXPECT_EQ(iniBytes(QStringLiteral("djk.ini")), QByteArray("\r\n\r\n"));
        EXPECT_EQ(iniBytes(QStringLiteral("tjk.ini")), QByteArray("\r\n\r\n"));
        EXPECT_TRUE(m_state.TJPath.isEmpty());
    }
    // The next start uses the defaults.
    Prompt::clear();
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    EXPECT_EQ(m_state.DBPath, dir());
}

TEST_F(StartupTest, AnEqualOrNewerConfiguredDatabaseIsOpened)
{
    for (const QString& v : {QStringLiteral("1.44"), QStringLiteral("1.440"), QStringLiteral("2.1")}) {
        Prompt::clear();
        databaseWithVersion(QStringLiteral("cur.mdb"), v);
        configure(dir(), QStringLiteral("cur.mdb"));
        ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown) << v.toStdString();
        EXPECT_EQ(m_state.DBName, QStringLiteral("cur.mdb"));
        EXPECT_TRUE(Prompt::shown().isEmpty());
    }
}

TEST_F(StartupTest, OtherLetterCaseOfDjkMdbIsCheckedLikeAnyOtherFile)
{
    databaseWithVersion(QStringLiteral("DJK.MDB"), QStringLiteral("1.43"));
    configure(dir(), QStringLiteral("DJK.MDB"));
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    EXPECT_EQ(Prompt::lastText(), kOlder);
}

TEST_F(StartupTest, ADatabaseWithoutChaMingEndsWithTheOpenError)
{
    const QString file = copyTemplate(QStringLiteral("plain.mdb"));
    runSql(file, {QStringLiteral("drop table 查明")});
    configure(dir(), QStringLiteral("plain.mdb"));
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).text, kOpenError);
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Exclamation);
    EXPECT_FALSE(shown);
}

TEST_F(StartupTest, RandomBytesAndAnEmptyFileAreRefusedWithoutHarm)
{
    QByteArray noise;
    for (int i = 0; i < 2048; ++i) noise.append(char((i * 131 + 7) % 256));
    writeFile(QStringLiteral("noise.mdb"), noise);
    configure(dir(), QStringLiteral("noise.mdb"));
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    // One failure, one box: the version check fails in the generic box, which refuses
    // the file, and the open error ends start-up.
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::shown().at(0).text.startsWith(QStringLiteral("Error # ")));
    EXPECT_EQ(Prompt::shown().at(1).text, kOpenError);
    QFile f(path(QStringLiteral("noise.mdb")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), noise);

    Prompt::clear();
    writeFile(QStringLiteral("empty.mdb"), QByteArray());
    configure(dir(), QStringLiteral("empty.mdb"));
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    EXPECT_EQ(Prompt::lastText(), kOpenError);
    EXPECT_EQ(QFileInfo(path(QStringLiteral("empty.mdb"))).size(), 0);
}

TEST_F(StartupTest, AMissingTemplateIsReportedByName)
{
    QFile::remove(path(QStringLiteral("djk.sys")));
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("找不到数据库模板文件") +
                                      QDir::toNativeSeparators(path(QStringLiteral("djk.sys"))) +
                                      QStringLiteral("，无法建立数据库") +
                                      QDir::toNativeSeparators(path(QStringLiteral("djk.mdb"))) +
                                      QStringLiteral("！"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.mdb"))));
}

TEST_F(StartupTest, ProvinceCodeFromParameterTable)
{
    openWorkingDatabase();
    MAINBAS::Get_Province_Code();
    EXPECT_EQ(m_state.ProvinceCode, 0);
    EXPECT_TRUE(Prompt::shown().isEmpty());

    Db::exec(m_state.Cn(), QStringLiteral("insert into 参数表 (省代码) values (?)"), {510000.5});
    MAINBAS::Get_Province_Code();
    EXPECT_EQ(m_state.ProvinceCode, 510000);

    Db::exec(m_state.Cn(), QStringLiteral("drop table 参数表"));
    m_state.ProvinceCode = 7;
    MAINBAS::Get_Province_Code();
    EXPECT_EQ(m_state.ProvinceCode, 7);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).text, QStringLiteral("取系统参数出错！"));
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("错误"));
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Critical);
}

TEST_F(StartupTest, AFailedSwitchKeepsTheWorkingConnection)
{
    openWorkingDatabase();
    const QString before = m_state.CnName;
    m_state.DBName = QStringLiteral("missing.mdb");
    EXPECT_FALSE(MAINBAS::Open_Connection());
    EXPECT_EQ(m_state.CnName, before);
    EXPECT_TRUE(m_state.Cn().isOpen());
}

class ImportCheckTest : public StartupTest
{
};

TEST_F(ImportCheckTest, JudgesChosenFilesAgainstTheTemplate)
{
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("a.mdb"), QStringLiteral("1.44"))), 1);
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("b.mdb"), QStringLiteral("1.43"))), -3);
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("c.mdb"), QString())), -3);
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("d.mdb"), QStringLiteral("-"))), -3);
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("e.mdb"), QStringLiteral("none"))), -3);
    const QString noChaMing = databaseWithVersion(QStringLiteral("f.mdb"), QStringLiteral("9.9"));
    runSql(noChaMing, {QStringLiteral("drop table 查明")});
    EXPECT_EQ(MAINBAS::Check_Import_DB(noChaMing), -2);
    EXPECT_TRUE(Prompt::shown().isEmpty());

    const QString missing = path(QStringLiteral("missing.mdb"));
    EXPECT_EQ(MAINBAS::Check_Import_DB(missing), -1);
    EXPECT_FALSE(QFileInfo::exists(missing));
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("Error"));
}

TEST_F(ImportCheckTest, VersionsCompareAsNumbers)
{
    runSql(path(QStringLiteral("djk.sys")), {QStringLiteral("update 数据库参数 set 版本号='1.10'")});
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("a.mdb"), QStringLiteral("1.9"))), 1);
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("b.mdb"), QStringLiteral("V2"))), -3);

    // A template without a version accepts everything.
    runSql(path(QStringLiteral("djk.sys")), {QStringLiteral("update 数据库参数 set 版本号=''")});
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("c.mdb"), QStringLiteral("0.1"))), 1);
    runSql(path(QStringLiteral("djk.sys")), {QStringLiteral("drop table 数据库参数")});
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("d.mdb"), QString())), 1);

    // A damaged template is a failure.
    writeFile(QStringLiteral("djk.sys"), QByteArray(3000, 'x'));
    EXPECT_EQ(MAINBAS::Check_Import_DB(databaseWithVersion(QStringLiteral("e.mdb"), QStringLiteral("1.44"))), -1);
}

TEST(VersionRule, OlderOnlyWhenSmallerAsNumber)
{
    EXPECT_FALSE(MAINBAS::Is_Older_Version(QStringLiteral("1.44"), QStringLiteral("1.44")));
    EXPECT_TRUE(MAINBAS::Is_Older_Version(QStringLiteral("1.44"), QStringLiteral("1.43")));
    EXPECT_FALSE(MAINBAS::Is_Older_Version(QStringLiteral("1.5"), QStringLiteral("1.50")));
    EXPECT_FALSE(MAINBAS::Is_Older_Version(QStringLiteral("1.10"), QStringLiteral("1.9")));
    EXPECT_TRUE(MAINBAS::Is_Older_Version(QStringLiteral("1.44"), QString()));
    EXPECT_FALSE(MAINBAS::Is_Older_Version(QString(), QString()));
    EXPECT_TRUE(MAINBAS::Is_Older_Version(QStringLiteral("1.44"), QStringLiteral("V2")));
}

} // namespace
