#include "support/ProgramFolder.h"

#include "platform/Prompt.h"
#include "shell/MAINBAS.h"

#include <QFile>
#include <QStringEncoder>

namespace {

class SettingsTest : public ProgramFolder
{
protected:
    QByteArray readBytes(const QString& name)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

TEST_F(SettingsTest, BlankLinesAreSkippedAndValuesReadAsWritten)
{
    m_state.DBPath = QStringLiteral("keep");
    m_state.DBName = QStringLiteral("djk.mdb");
    writeFile(QStringLiteral("djk.ini"), "\r\n   \r\n/data/登记库\r\n\r\npy.mdb\r\nthird line\r\n");
    MAINBAS::Read_Djk_Ini(path(QStringLiteral("djk.ini")));
    EXPECT_EQ(m_state.DBPath, QStringLiteral("/data/登记库"));
    EXPECT_EQ(m_state.DBName, QStringLiteral("py.mdb"));

    // Blanks at either end belong to a folder or file name and come back as written.
    m_state.DBPath = QStringLiteral("  /data/登记 库 ");
    m_state.DBName = QStringLiteral("\tpy.mdb ");
    ASSERT_TRUE(MAINBAS::Write_Djk_Ini(path(QStringLiteral("djk.ini"))));
    m_state.DBPath.clear();
    m_state.DBName.clear();
    MAINBAS::Read_Djk_Ini(path(QStringLiteral("djk.ini")));
    EXPECT_EQ(m_state.DBPath, QStringLiteral("  /data/登记 库 "));
    EXPECT_EQ(m_state.DBName, QStringLiteral("\tpy.mdb "));

    // A bare CR ends a line as well.
    writeFile(QStringLiteral("djk.ini"), "/old\rold.mdb\r");
    MAINBAS::Read_Djk_Ini(path(QStringLiteral("djk.ini")));
    EXPECT_EQ(m_state.DBPath, QStringLiteral("/old"));
    EXPECT_EQ(m_state.DBName, QStringLiteral("old.mdb"));
}

TEST_F(SettingsTest, OneLineChangesOnlyTheFolderAndAMissingFileNothing)
{
    m_state.DBPath = QStringLiteral("/prog");
    m_state.DBName = QStringLiteral("djk.mdb");
    writeFile(QStringLiteral("djk.ini"), "/elsewhere\n");
    MAINBAS::Read_Djk_Ini(path(QStringLiteral("djk.ini")));
    EXPECT_EQ(m_state.DBPath, QStringLiteral("/elsewhere"));
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));

    MAINBAS::Read_Tjk_Ini(path(QStringLiteral("tjk.ini")));
    EXPECT_TRUE(m_state.TJPath.isEmpty());
    EXPECT_TRUE(m_state.TJName.isEmpty());
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(SettingsTest, OlderChineseSettingsFilesAreRead)
{
    QStringEncoder gb("GB18030");
    writeFile(QStringLiteral("tjk.ini"), QByteArray(gb.encode(QStringLiteral("D:\\储量统计\r\n统计库.mdb\r\n"))));
    MAINBAS::Read_Tjk_Ini(path(QStringLiteral("tjk.ini")));
    EXPECT_EQ(m_state.TJPath, QStringLiteral("D:\\储量统计"));
    EXPECT_EQ(m_state.TJName, QStringLiteral("统计库.mdb"));
}

TEST_F(SettingsTest, ViewIniTakesTheLastOneOrZero)
{
    writeFile(QStringLiteral("view.ini"), "1\r\n 0 \r\nx\r\n");
    MAINBAS::Read_View_Ini(path(QStringLiteral("view.ini")));
    EXPECT_EQ(m_state.ViewFlag, QStringLiteral("0"));

    m_state.ViewFlag.clear();
    writeFile(QStringLiteral("view.ini"), "yes\r\n");
    MAINBAS::Read_View_Ini(path(QStringLiteral("view.ini")));
    EXPECT_TRUE(m_state.ViewFlag.isEmpty());
}

TEST_F(SettingsTest, WritersProduceExactlyTheirLines)
{
    m_state.DBPath.clear();
    m_state.DBName.clear();
    ASSERT_TRUE(MAINBAS::Write_Djk_Ini(path(QStringLiteral("djk.ini"))));
    EXPECT_EQ(readBytes(QStringLiteral("djk.ini")), QByteArray("\r\n\r\n"));

    m_state.TJPath = QStringLiteral("/tj");
    m_state.TJName = QStringLiteral("统计.mdb");
    ASSERT_TRUE(MAINBAS::Write_Tjk_Ini(path(QStringLiteral("tjk.ini"))));
    EXPECT_EQ(readBytes(QStringLiteral("tjk.ini")), QStringLiteral("/tj\r\n统计.mdb\r\n").toUtf8());

    m_state.ViewFlag = QStringLiteral("1");
    ASSERT_TRUE(MAINBAS::Write_View_Ini(path(QStringLiteral("view.ini"))));
    EXPECT_EQ(readBytes(QStringLiteral("view.ini")), QByteArray("1\r\n"));
    m_state.ViewFlag = QStringLiteral("2");
    ASSERT_TRUE(MAINBAS::Write_View_Ini(path(QStringLiteral("view.ini"))));
    EXPECT_EQ(readBytes(QStringLiteral("view.ini")), QByteArray());
}

TEST_F(SettingsTest, AnUnreadableSettingsFileIsNamedAndDefaultsStay)
{
    // A folder where the file should be cannot be read as a file.
    ASSERT_TRUE(QDir(dir()).mkdir(QStringLiteral("djk.ini")));
    m_state.DBPath = QStringLiteral("/prog");
    m_state.DBName = QStringLiteral("djk.mdb");
    MAINBAS::Read_Djk_Ini(path(QStringLiteral("djk.ini")));
    EXPECT_EQ(m_state.DBPath, QStringLiteral("/prog"));
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("设置文件无法读取，将使用默认设置：") + QDir::toNativeSeparators(path(QStringLiteral("djk.ini"))));
}

} // namespace
