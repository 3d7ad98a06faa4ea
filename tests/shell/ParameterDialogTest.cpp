#include "support/FakeMainWindow.h"
#include "support/ProgramFolder.h"
#include "support/StatisticsDatabase.h"

#include "platform/Database.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/FrmPara.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MAINBAS.h"
#include "shell/ParaLogic.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

namespace {

using ParaLogic::Is_Statistics_Version_Enough;

TEST(StatisticsVersionRule, ComparesTheTrimmedTextCharacterByCharacter)
{
    EXPECT_TRUE(Is_Statistics_Version_Enough(QStringLiteral("1.44")));
    EXPECT_TRUE(Is_Statistics_Version_Enough(QStringLiteral("1.5")));
    EXPECT_TRUE(Is_Statistics_Version_Enough(QStringLiteral(" 1.5 ")));
    EXPECT_TRUE(Is_Statistics_Version_Enough(QStringLiteral("2")));
    EXPECT_FALSE(Is_Statistics_Version_Enough(QStringLiteral("1.43")));
    EXPECT_FALSE(Is_Statistics_Version_Enough(QStringLiteral("1.100")));
    EXPECT_FALSE(Is_Statistics_Version_Enough(QStringLiteral("")));
    EXPECT_FALSE(Is_Statistics_Version_Enough(QStringLiteral("   ")));
}

TEST(PathParts, SplitAtTheLastSeparator)
{
    EXPECT_EQ(KCUTIL::Get_File_Dir(QStringLiteral("/a/b/c.mdb")), QStringLiteral("/a/b"));
    EXPECT_EQ(KCUTIL::Get_File_Name(QStringLiteral("/a/b/c.mdb")), QStringLiteral("c.mdb"));
    EXPECT_EQ(KCUTIL::Get_File_Dir(QStringLiteral("C:\\data\\x.mdb")), QStringLiteral("C:\\data"));
    EXPECT_EQ(KCUTIL::Get_File_Name(QStringLiteral("x.mdb")), QStringLiteral("x.mdb"));
    EXPECT_EQ(KCUTIL::Get_File_Dir(QStringLiteral("x.mdb")), QString());
}

class ParameterDialogTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_main.install();
        oldConnection = m_state.CnName;
    }

    // A registration database elsewhere, with a province code in 参数表 when given.
    QString otherDatabase(const QString& name, const QString& province = QString())
    {
        const QString file = copyTemplate(name);
        if (!province.isEmpty())
            runSql(file, {QStringLiteral("insert into 参数表 (省代码) values (%1)").arg(province)});
        return file;
    }
    QString statistics(const QString& name, StatisticsDatabase db = StatisticsDatabase{})
    {
        const QString file = path(name);
        EXPECT_TRUE(db.create(file));
        return file;
    }
    QByteArray bytesOf(const QString& name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QVariant provinceIn(const QString& file)
    {
        Db::ScopedConnection c(QStringLiteral("probe"), file, Db::OpenMode::ReadOnly);
        return Db::scalar(c.db(), QStringLiteral("select 省代码 from 参数表"));
    }

    QString oldConnection;
    FakeMainWindow m_main;
    QStringList& buttons = m_main.buttons;
    QMap<int, QString>& panels = m_main.panels;
    int& reloads = m_main.reloads;
};

TEST_F(ParameterDialogTest, OpeningShowsTheSettingsAndClosingReleasesTheButton)
{
    m_state.ProvinceCode = 510000;
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("tj.mdb");
    {
        FrmPara dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("参数设置"));
        EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000   四川省"));
        EXPECT_EQ(dlg.Text2->text(), dir() + QStringLiteral("/djk.mdb"));
        EXPECT_EQ(dlg.txtTJK->text(), dir() + QStringLiteral("/tj.mdb"));
        EXPECT_TRUE(dlg.Check1->isHidden());
        EXPECT_TRUE(dlg.List1->isHidden());
        ASSERT_GT(dlg.List1->count(), 30);
        EXPECT_EQ(dlg.List1->item(0)->text(), QStringLiteral("110000   北京市"));
        for (int i = 0; i < dlg.List1->count(); ++i)
            EXPECT_TRUE(dlg.List1->item(i)->text().startsWith(dlg.List1->item(i)->text().left(2) +
                                                              QStringLiteral("0000")));
        EXPECT_EQ(buttons, QStringList{QStringLiteral("PARA:down")});
        EXPECT_EQ(panels.value(1), QStringLiteral("参数设置..."));
        dlg.Command2_Click(1);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("PARA:down"), QStringLiteral("PARA:up")}));
    EXPECT_EQ(panels.value(1), QStringLiteral("待命..."));
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(ParameterDialogTest, WithoutAProvinceCodeTheBoxIsEmptyAndAcceptingIsRefused)
{
    FrmPara dlg;
    EXPECT_TRUE(dlg.Text1->text().isEmpty());
    dlg.SSTab1->setCurrentIndex(1);
    dlg.Command2_Click(0);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).text, QStringLiteral("省代码填写错误！请重新填写！"));
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("提示"));
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Exclamation);
    EXPECT_EQ(dlg.SSTab1->currentIndex(), 0);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_FALSE(buttons.contains(QStringLiteral("PARA:up")));

    // A code that cb08 does not hold is refused the same way.
    Prompt::clear();
    dlg.Text1->setText(QStringLiteral("990000"));
    dlg.Command2_Click(0);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("省代码填写错误！请重新填写！"));
    EXPECT_EQ(m_state.ProvinceCode, 0);
    EXPECT_FALSE(provinceIn(path(QStringLiteral("djk.mdb"))).isValid());
}

TEST_F(ParameterDialogTest, ATypedCodeAndAPickedEntryAreSavedAlike)
{
    {
        FrmPara dlg;
        dlg.Text1->setText(QStringLiteral("110000"));
        dlg.Command2_Click(0);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(m_state.ProvinceCode, 110000);
    EXPECT_EQ(provinceIn(path(QStringLiteral("djk.mdb"))).toInt(), 110000);
    EXPECT_EQ(panels.value(2), dir() + QStringLiteral("/djk.mdb"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.ini"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tjk.ini"))));

    // Picking from the list: the entry is "code   name"; the row is updated, not added.
    FrmPara dlg;
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("110000   北京市"));
    dlg.Command1_Click();
    EXPECT_FALSE(dlg.List1->isHidden());
    const auto found = dlg.List1->findItems(QStringLiteral("510000   四川省"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    // The keyboard moves the choice into the box, as a click does.
    dlg.List1->setCurrentItem(found.at(0));
    QTest::keyClick(dlg.List1, Qt::Key_Down);
    EXPECT_EQ(dlg.Text1->text(), dlg.List1->currentItem()->text());
    dlg.List1->setCurrentItem(found.at(0));
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000   四川省"));
    dlg.List1_DblClick();
    EXPECT_TRUE(dlg.List1->isHidden());
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000   四川省"));
    dlg.Command2_Click(0);
    EXPECT_EQ(m_state.ProvinceCode, 510000);
    Db::ScopedConnection c(QStringLiteral("probe"), path(QStringLiteral("djk.mdb")), Db::OpenMode::ReadOnly);
    EXPECT_EQ(Db::scalar(c.db(), QStringLiteral("select count(*) from 参数表")).toInt(), 1);
}

TEST_F(ParameterDialogTest, DroppingTheProvinceListChangesNothingUntilTheKeysMove)
{
    m_state.ProvinceCode = 510000;
    FrmPara dlg;
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    ASSERT_EQ(dlg.Text1->text(), QStringLiteral("510000   四川省"));
    dlg.Command1_Click();
    QApplication::processEvents();
    EXPECT_TRUE(dlg.List1->hasFocus());
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000   四川省"));
    // The keys go on from the province of the box.
    QTest::keyClick(dlg.List1, Qt::Key_Down);
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("520000   贵州省"));
    // Enter in the list takes the entry and closes the list, as a double click does.
    QTest::keyClick(dlg.List1, Qt::Key_Return);
    EXPECT_TRUE(dlg.List1->isHidden());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("520000   贵州省"));
    EXPECT_TRUE(dlg.Text1->hasFocus());
    // Enter in the box drops no list and opens no chooser.
    FileDialog::clear();
    QTest::keyClick(dlg.Text1, Qt::Key_Return);
    EXPECT_TRUE(dlg.List1->isHidden());
    EXPECT_TRUE(FileDialog::captions().isEmpty());
    dlg.Command2_Click(1);
}

TEST_F(ParameterDialogTest, AProvinceCodeThatCannotBeStoredIsReportedAndTheDialogStaysOpen)
{
    runSql(path(QStringLiteral("djk.mdb")), {QStringLiteral("drop table 参数表")});
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000"));
    dlg.Command2_Click(0);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("Error # ")))
        << Prompt::lastText().toStdString();
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(m_state.ProvinceCode, 0);
}

TEST_F(ParameterDialogTest, AChosenDatabaseWithAnEmptyProvinceCodeShowsZero)
{
    const QString other = copyTemplate(QStringLiteral("other.mdb"));
    runSql(other, {QStringLiteral("insert into 参数表 (省代码) values (NULL)")});
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000   北京市"));
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("0"));
    EXPECT_EQ(dlg.Text2->text(), other);
}

TEST_F(ParameterDialogTest, BrowsingRefusesFilesThatAreNoRegistrationDatabase)
{
    FrmPara dlg;
    const QString before = dlg.Text2->text();

    writeFile(QStringLiteral("junk.mdb"),
              QByteArray("this is not a database at all, just some text\n").repeated(50));
    FileDialog::setNextFileName(path(QStringLiteral("junk.mdb")));
    dlg.Command3_Click();
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("指定的数据库文件打开出现错误,请检查是否允许打开该数据库！"));
    EXPECT_EQ(Prompt::shown().last().icon, Prompt::Icon::Information);
    EXPECT_EQ(dlg.Text2->text(), before);

    runSql(path(QStringLiteral("plain.mdb")), {QStringLiteral("create table 压覆 (登记号 varchar(13))")});
    FileDialog::setNextFileName(path(QStringLiteral("plain.mdb")));
    dlg.Command3_Click();
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("指定的数据库文件非固体查明数据库,请重新选择！"));
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("提示"));
    EXPECT_EQ(dlg.Text2->text(), before);
    EXPECT_TRUE(dlg.Check1->isHidden());

    // Cancelling the file dialog changes nothing and says nothing.
    Prompt::clear();
    dlg.Command3_Click();
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(FileDialog::captions().last(), QStringLiteral("选择数据库"));
    // The chooser takes an existing file or a new name and never asks to replace.
    EXPECT_EQ(FileDialog::kinds().last(), FileDialog::Kind::OpenOrNew);
}

TEST_F(ParameterDialogTest, BrowsingToAMissingFileCreatesItFromTheTemplateAfterTheQuestion)
{
    FrmPara dlg;
    const QString target = path(QStringLiteral("new.mdb"));

    Prompt::setNextAnswer(Prompt::Answer::No);
    FileDialog::setNextFileName(target);
    dlg.Command3_Click();
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("文件不存在,是否创建新数据库？"));
    EXPECT_EQ(Prompt::shown().last().buttons, Prompt::Buttons::YesNo);
    EXPECT_FALSE(QFileInfo::exists(target));

    Prompt::setNextAnswer(Prompt::Answer::Yes);
    FileDialog::setNextFileName(target);
    dlg.Command3_Click();
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(MAINBAS::Check_Import_DB(target), 1);
    EXPECT_EQ(dlg.Text2->text(), target);
    EXPECT_FALSE(dlg.Check1->isHidden());
    EXPECT_FALSE(dlg.Check1->isChecked());

    // A copy that cannot be made is reported and changes nothing.
    Prompt::clear();
    const QString nowhere = path(QStringLiteral("no-such-folder/x.mdb"));
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    FileDialog::setNextFileName(nowhere);
    dlg.Command3_Click();
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::createFailedText(nowhere));
    EXPECT_EQ(Prompt::shown().at(1).text, QStringLiteral("无法建立数据库") +
                                              QDir::toNativeSeparators(nowhere) +
                                              QStringLiteral("，请确认该文件夹可以写入！"));
    EXPECT_EQ(Prompt::shown().at(1).title, QStringLiteral("错误"));
    EXPECT_EQ(dlg.Text2->text(), target);
}

TEST_F(ParameterDialogTest, BrowsingBackToTheDatabaseInUseHidesTheDefaultBox)
{
    FrmPara dlg;
    FileDialog::setNextFileName(otherDatabase(QStringLiteral("other.mdb"), QStringLiteral("510000")));
    dlg.Command3_Click();
    EXPECT_FALSE(dlg.Check1->isHidden());
    EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000"));
    dlg.Check1->setChecked(true);

    FileDialog::setNextFileName(dir() + QStringLiteral("/djk.mdb"));
    dlg.Command3_Click();
    EXPECT_TRUE(dlg.Check1->isHidden());
    EXPECT_FALSE(dlg.Check1->isChecked());
    EXPECT_EQ(dlg.Text2->text(), dir() + QStringLiteral("/djk.mdb"));
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(ParameterDialogTest, ASwitchOpensTheNewDatabaseReloadsTheEntryListAndForgetsTheStatistics)
{
    const QString other = otherDatabase(QStringLiteral("other.mdb"), QStringLiteral("510000"));
    m_state.Form_Opened[1] = true;
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("tj.mdb");
    {
        FrmPara dlg;
        dlg.Text1->setText(QStringLiteral("110000"));
        FileDialog::setNextFileName(other);
        dlg.Command3_Click();
        EXPECT_EQ(dlg.Text1->text(), QStringLiteral("510000"));
        dlg.Command2_Click(0);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(dlg.txtTJK->text().isEmpty());
    }
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).text, QStringLiteral("确定要修改系统连接的数据库吗？"));
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("重要提示"));
    EXPECT_EQ(Prompt::shown().at(0).buttons, Prompt::Buttons::OkCancel);
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Question);

    EXPECT_EQ(m_state.DBPath, dir());
    EXPECT_EQ(m_state.DBName, QStringLiteral("other.mdb"));
    EXPECT_NE(m_state.CnName, oldConnection);
    EXPECT_FALSE(QSqlDatabase::contains(oldConnection));
    EXPECT_EQ(QFileInfo(m_state.Cn().databaseName()).fileName(), QStringLiteral("other.mdb"));
    EXPECT_EQ(m_state.ProvinceCode, 510000);
    EXPECT_EQ(provinceIn(other).toInt(), 510000);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(m_state.Switched_DB_Path, other);
    EXPECT_EQ(panels.value(2), other);
    // Not made the default: djk.ini is left alone; the statistics settings are cleared.
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.ini"))));
    EXPECT_TRUE(m_state.TJPath.isEmpty());
    EXPECT_TRUE(m_state.TJName.isEmpty());
    EXPECT_EQ(bytesOf(QStringLiteral("tjk.ini")), QByteArray("\r\n\r\n"));

    // Reopened, the dialog offers to make the switched database the default.
    Prompt::clear();
    FrmPara again;
    EXPECT_FALSE(again.Check1->isHidden());
    EXPECT_TRUE(again.txtTJK->text().isEmpty());
    again.Check1->setChecked(true);
    again.Command2_Click(0);
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(bytesOf(QStringLiteral("djk.ini")), (dir() + QStringLiteral("\r\nother.mdb\r\n")).toUtf8());
    EXPECT_TRUE(m_state.Switched_DB_Path.isEmpty());
    EXPECT_EQ(reloads, 1);
}

TEST_F(ParameterDialogTest, ASwitchWithTheDefaultTickedWritesDjkIniAndSkipsTheReloadWhenTheEntryIsClosed)
{
    const QString other = otherDatabase(QStringLiteral("other.mdb"), QStringLiteral("510000"));
    FrmPara dlg;
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    dlg.Check1->setChecked(true);
    dlg.Command2_Click(0);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(bytesOf(QStringLiteral("djk.ini")), (dir() + QStringLiteral("\r\nother.mdb\r\n")).toUtf8());
    EXPECT_TRUE(m_state.Switched_DB_Path.isEmpty());
    EXPECT_EQ(reloads, 0);
}

TEST_F(ParameterDialogTest, ASwitchThatFailsToOpenKeepsTheWorkingConnectionAndPaths)
{
    const QString other = otherDatabase(QStringLiteral("other.mdb"));
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("tj.mdb");
    m_state.Form_Opened[1] = true;
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000"));
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    // The file is replaced by one that holds no 查明 before the dialog is accepted.
    QFile::remove(other);
    runSql(other, {QStringLiteral("create table 压覆 (登记号 varchar(13))")});
    dlg.Command2_Click(0);

    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).text,
              QStringLiteral("数据库打开错误！请确认连接的数据库是否为登记库或是否已打开！"));
    EXPECT_EQ(Prompt::shown().at(1).icon, Prompt::Icon::Exclamation);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_EQ(m_state.CnName, oldConnection);
    EXPECT_TRUE(m_state.Cn().isOpen());
    EXPECT_TRUE(Db::scalar(m_state.Cn(), QStringLiteral("select count(*) from 查明")).isValid());
    EXPECT_EQ(m_state.ProvinceCode, 0);
    EXPECT_EQ(m_state.TJName, QStringLiteral("tj.mdb"));
    EXPECT_EQ(reloads, 0);
    EXPECT_TRUE(m_state.Switched_DB_Path.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.ini"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tjk.ini"))));
    EXPECT_FALSE(buttons.contains(QStringLiteral("PARA:up")));
}

TEST_F(ParameterDialogTest, AnOlderDatabaseIsRefusedAndTheProgramGoesOn)
{
    const QString other = otherDatabase(QStringLiteral("old.mdb"));
    runSql(other, {QStringLiteral("update 数据库参数 set 版本号='1.0'")});
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("tj.mdb");
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000"));
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    dlg.Command2_Click(0);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(
        Prompt::shown().at(1).text,
        QStringLiteral(
            "当前连接的数据库词表比最新发布的旧！请先使用数据库升级转换模块来升级数据库！再启动此系统"));
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(m_state.CnName, oldConnection);
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_EQ(m_state.TJName, QStringLiteral("tj.mdb"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("djk.ini"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tjk.ini"))));
}

TEST_F(ParameterDialogTest, ASwitchWhoseVersionCheckFailsIsRefusedAndWritesNothing)
{
    const QString other = otherDatabase(QStringLiteral("old.mdb"));
    runSql(other, {QStringLiteral("update 数据库参数 set 版本号='1.0'")});
    const QByteArray before = bytesOf(QStringLiteral("old.mdb"));
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000"));
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    QFile::remove(path(QStringLiteral("djk.sys")));
    Prompt::clear();
    dlg.Command2_Click(0);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(0).text, ParaLogic::kSwitchDatabase);
    EXPECT_EQ(Prompt::shown().at(1).title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::shown().at(1).text.contains(QStringLiteral("djk.sys")));
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(m_state.CnName, oldConnection);
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_EQ(bytesOf(QStringLiteral("old.mdb")), before);
}

TEST_F(ParameterDialogTest, CancellingTheSwitchQuestionChangesNothing)
{
    const QString other = otherDatabase(QStringLiteral("other.mdb"));
    FrmPara dlg;
    dlg.Text1->setText(QStringLiteral("110000"));
    FileDialog::setNextFileName(other);
    dlg.Command3_Click();
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    dlg.Command2_Click(0);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(m_state.CnName, oldConnection);
    EXPECT_EQ(m_state.DBName, QStringLiteral("djk.mdb"));
    EXPECT_EQ(m_state.ProvinceCode, 0);
    EXPECT_FALSE(provinceIn(path(QStringLiteral("djk.mdb"))).isValid());
}

TEST_F(ParameterDialogTest, BrowsingForTheStatisticsDatabaseChecksTablesAndVersion)
{
    FrmPara dlg;
    auto choose = [&](const QString& file) {
        Prompt::clear();
        dlg.txtTJK->setText(QStringLiteral("previous"));
        FileDialog::setNextFileName(file);
        dlg.Command4_Click();
        return Prompt::shown().isEmpty() ? QString() : Prompt::lastText();
    };
    const QString tooOld = QStringLiteral("指定的储量统计数据库版本太低，请先升级，再重新选择！");

    EXPECT_EQ(choose(path(QStringLiteral("missing.mdb"))), QStringLiteral("文件不存在,请重新选择！"));
    EXPECT_TRUE(dlg.txtTJK->text().isEmpty());
    EXPECT_EQ(FileDialog::captions().last(), QStringLiteral("选择统计库"));

    writeFile(QStringLiteral("junk.mdb"), QByteArray("not a database\n").repeated(100));
    EXPECT_EQ(choose(path(QStringLiteral("junk.mdb"))),
              QStringLiteral("指定的数据库文件打开出现错误,请检查是否允许打开该数据库！"));
    EXPECT_TRUE(dlg.txtTJK->text().isEmpty());

    StatisticsDatabase none;
    none.tables = StatisticsDatabase::KCL_SJKCS | StatisticsDatabase::KCL_ZYCL;
    EXPECT_EQ(choose(statistics(QStringLiteral("none.mdb"), none)),
              QStringLiteral("指定的数据库文件非储量统计数据库,请重新选择！"));
    EXPECT_EQ(Prompt::shown().last().icon, Prompt::Icon::Information);
    EXPECT_TRUE(dlg.txtTJK->text().isEmpty());

    for (const QString& version :
         {QStringLiteral("1.43"), QStringLiteral("1.100"), QString(), StatisticsDatabase::kNoRow}) {
        StatisticsDatabase db;
        db.version = version;
        EXPECT_EQ(choose(statistics(QStringLiteral("v.mdb"), db)), tooOld) << version.toStdString();
        EXPECT_TRUE(dlg.txtTJK->text().isEmpty());
    }
    StatisticsDatabase noVersionTable;
    noVersionTable.tables = StatisticsDatabase::KCL_KS;
    EXPECT_EQ(choose(statistics(QStringLiteral("nv.mdb"), noVersionTable)), tooOld);

    StatisticsDatabase good;
    good.version = QStringLiteral("1.5");
    const QString goodFile = statistics(QStringLiteral("good.mdb"), good);
    EXPECT_EQ(choose(goodFile), QString());
    EXPECT_EQ(dlg.txtTJK->text(), goodFile);

    StatisticsDatabase mineOnly;
    mineOnly.tables = StatisticsDatabase::MineTable | StatisticsDatabase::KCL_SJKCS;
    const QString mineFile = statistics(QStringLiteral("mine.mdb"), mineOnly);
    EXPECT_EQ(choose(mineFile), QString());
    EXPECT_EQ(dlg.txtTJK->text(), mineFile);

    // The configured file is taken as it is.
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("junk.mdb");
    EXPECT_EQ(choose(path(QStringLiteral("junk.mdb"))), QString());
    EXPECT_EQ(dlg.txtTJK->text(), path(QStringLiteral("junk.mdb")));
}

TEST_F(ParameterDialogTest, AChangedStatisticsDatabaseIsWrittenAfterTheQuestion)
{
    m_state.ProvinceCode = 110000;
    StatisticsDatabase good;
    good.version = QStringLiteral("1.5");
    const QString file = statistics(QStringLiteral("tj.mdb"), good);

    FrmPara dlg;
    FileDialog::setNextFileName(file);
    dlg.Command4_Click();
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    dlg.Command2_Click(0);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().at(0).text, QStringLiteral("确定要修改统计库连接的数据库吗？"));
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("重要提示"));
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_TRUE(m_state.TJName.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tjk.ini"))));

    dlg.Command2_Click(0);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(m_state.TJPath, dir());
    EXPECT_EQ(m_state.TJName, QStringLiteral("tj.mdb"));
    EXPECT_EQ(bytesOf(QStringLiteral("tjk.ini")), (dir() + QStringLiteral("\r\ntj.mdb\r\n")).toUtf8());

    // Nothing changed: no question at all.
    Prompt::clear();
    FrmPara again;
    EXPECT_EQ(again.txtTJK->text(), file);
    again.Command2_Click(0);
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(again.result(), QDialog::Accepted);
}

} // namespace
