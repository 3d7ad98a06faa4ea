#include "CheckFixture.h"
#include "support/DamagedDatabase.h"
#include "support/ModalDialogs.h"
#include "support/SampleRegistrations.h"

#include "checks/CheckDataRun.h"
#include "checks/ChecksTargets.h"
#include "checks/DataCheck.h"
#include "checks/FrmCheckData.h"
#include "checks/ReportViewer.h"
#include "entry/MainWindowHarness.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/ShellNames.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class ChecksWindowTest : public CheckFixture, public MainWindowHarness
{
protected:
    void SetUp() override
    {
        CheckFixture::SetUp();
        openWorkingDatabase();
        ReportViewer::setOpener([this](const QString& path) {
            opened << path;
            return true;
        });
    }
    void TearDown() override
    {
        closeMainWindow();
        ReportViewer::setOpener({});
        CheckFixture::TearDown();
    }
    static QPushButton* button(QWidget* dialog, int index)
    {
        return dialog->findChild<QPushButton*>(QStringLiteral("Command2_%1").arg(index));
    }
    static QLineEdit* pathBox(QWidget* dialog)
    {
        return dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    }
    // Types `file` into the data check's path box and presses 开  始.
    static void start(QWidget* dialog, const QString& file)
    {
        pathBox(dialog)->setText(file);
        button(dialog, 0)->click();
    }
    QString workingFile() const { return path(QStringLiteral("djk.mdb")); }
    // The last box shown: a failure, not a crash, when none was.
    static Prompt::Shown lastShown()
    {
        if (Prompt::shown().isEmpty()) ADD_FAILURE() << "no message box was shown";
        return Prompt::shown().isEmpty() ? Prompt::Shown{} : Prompt::shown().constLast();
    }
    // Shows the main window with the checks' windows, opens one by `open` and runs
    // `act` on it while it is shown (act closes it).
    void whileOpen(const std::function<void()>& open, const std::function<void(QWidget*)>& act)
    {
        checks::registerTargets(targets);
        showMainWindow();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            const QPointer<QWidget> dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            act(dialog);
            seen = true;
            // A step that failed part way left the window open: the test ends all the same.
            if (dialog && dialog->isVisible()) dialog->close();
        });
        open();
        ASSERT_TRUE(seen);
    }

    QStringList opened;
};

TEST_F(ChecksWindowTest, AClerkChecksTheWorkingDatabaseFromTheDataMenuAndOpensTheReport)
{
    openDatabase(workingFile());
    completeRegistration(QStringLiteral("4110101082001"));
    insert(QStringLiteral("登记"), with(header(QStringLiteral("4110101082002")), {{"填表人", null()}}));
    closeDatabase();
    whileOpen([&] { main->MENU_DATA_Click(9); },
              [&](QWidget* dialog) {
                  EXPECT_EQ(dialog->objectName(), WindowNames::DataCheck);
                  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("数据检查"));
                  EXPECT_TRUE(main->buttonPressed(Keys::Check));
                  EXPECT_EQ(main->panelText(1), QStringLiteral("数据检查..."));
                  EXPECT_EQ(pathBox(dialog)->text(), workingFile());
                  EXPECT_FALSE(button(dialog, 2)->isVisibleTo(dialog));

                  button(dialog, 0)->click();
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("数据检查完成！"));
                  EXPECT_EQ(lastShown().title, QStringLiteral("提示"));
                  EXPECT_TRUE(button(dialog, 2)->isVisibleTo(dialog));
                  button(dialog, 2)->click();
                  button(dialog, 1)->click();
              });

    EXPECT_EQ(opened, QStringList{path(QStringLiteral("数据检查结果.txt"))});
    const QByteArray report = readAll(opened.value(0));
    EXPECT_TRUE(report.startsWith("路径：" + workingFile().toUtf8() +
                                  "\r\n\r\n【封  页】\r\n"
                                  "   1.登记号(4110101082002),以下数据没有填写：填表人\r\n"));
    EXPECT_FALSE(main->buttonPressed(Keys::Check));
    EXPECT_EQ(main->panelText(1), StatusText::Idle);
}

TEST_F(ChecksWindowTest, ADatabaseWithoutOverlayDataHasNoData)
{
    DataCheck dialog;
    start(&dialog, workingFile());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("所查数据库没有“Orvane”数据,请填写!"));
    EXPECT_EQ(lastShown().title, QStringLiteral("结果"));
    EXPECT_FALSE(button(&dialog, 2)->isVisibleTo(&dialog));

    // Registrations in 登记 but none in 压覆, after a run that wrote a report: the
    // report of the earlier database is no longer offered.
    const QString checked = makeDatabase(QStringLiteral("checked.mdb"));
    completeRegistration(QStringLiteral("4110101082001"));
    const QString headers = makeDatabase(QStringLiteral("headers.mdb"));
    insert(QStringLiteral("登记"), header(QStringLiteral("4110101082001")));
    closeDatabase();
    start(&dialog, checked);
    ASSERT_TRUE(button(&dialog, 2)->isVisibleTo(&dialog));
    // Nor after a file that is refused.
    writeFile(QStringLiteral("text.mdb"), "not a database");
    start(&dialog, path(QStringLiteral("text.mdb")));
    EXPECT_FALSE(button(&dialog, 2)->isVisibleTo(&dialog));
    start(&dialog, checked);
    ASSERT_TRUE(button(&dialog, 2)->isVisibleTo(&dialog));
    Prompt::clear();
    start(&dialog, headers);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("所查数据库没有“Orvane”数据,请填写!"));
    EXPECT_FALSE(button(&dialog, 2)->isVisibleTo(&dialog));
}

TEST_F(ChecksWindowTest, ADamagedFileIsRefusedAndACheckThatStopsEarlySaysSo)
{
    DataCheck dialog;
    const QString report = path(QStringLiteral("数据检查结果.txt"));
    const QString damaged = path(QStringLiteral("damaged.mdb"));
    ASSERT_TRUE(DamagedDatabase::make(templatePath(), damaged, 300));
    start(&dialog, damaged);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(
        Prompt::lastText().startsWith(QStringLiteral("数据库文件已损坏，不能使用：") + damaged + '\r'))
        << Prompt::lastText().toStdString();
    EXPECT_EQ(lastShown().title, QStringLiteral("错误"));
    EXPECT_FALSE(QFileInfo::exists(report));

    // Damage that comes after the working database was opened and checked: a
    // table's scan ends part way.
    const QString working = path(QStringLiteral("later.mdb"));
    SampleRegistrations::Options options;
    options.count = 300;
    ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), working, options));
    ASSERT_TRUE(DamagedDatabase::damageMiddleLeaf(working, QStringLiteral("资源储量")));
    Db::ScopedConnection cn(QStringLiteral("later"), working, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(cn.ok());
    m_state.CnName = cn.name();
    m_state.DBName = QStringLiteral("later.mdb");
    Prompt::clear();
    start(&dialog, working);
    const QStringList texts = Prompt::shownTexts();
    ASSERT_FALSE(Prompt::shown().isEmpty());
    EXPECT_EQ(Prompt::shown().constFirst().title, QStringLiteral("Error"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("数据检查中途停止，检查结果不完整！"));
    EXPECT_FALSE(texts.contains(QStringLiteral("数据检查完成！")));
    // What was found is kept, and the report says that it is not all.
    EXPECT_TRUE(button(&dialog, 2)->isVisibleTo(&dialog));
    EXPECT_TRUE(readAll(report).endsWith("\r\n数据检查中途停止，检查结果不完整！\r\n"));
}

TEST_F(ChecksWindowTest, AReportThatCannotBeOpenedIsNamedWithTheCause)
{
    const QString report = path(QStringLiteral("数据检查结果.txt"));
    ReportViewer::setOpener([](const QString&) { return false; });
    EXPECT_FALSE(ReportViewer::open(report));
    writeFile(QStringLiteral("数据检查结果.txt"), "report");
    EXPECT_FALSE(ReportViewer::open(report));
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(0).text, QStringLiteral("找不到检查结果文件：") + report);
    EXPECT_EQ(Prompt::shown().at(1).text,
              QStringLiteral("无法打开检查结果文件：") + report + QStringLiteral("\n没有找到可打开文本文件的程序"));
}

TEST_F(ChecksWindowTest, BadPathsAreRefusedBeforeAnythingIsRead)
{
    DataCheck dialog;
    writeFile(QStringLiteral("text.mdb"), "not a database");
    runSql(path(QStringLiteral("other.mdb")), {QStringLiteral("CREATE TABLE 登记 (登记号 TEXT)")});
    const QString other = path(QStringLiteral("other.mdb"));
    struct Case
    {
        QString typed;
        QString message;
    };
    const QList<Case> cases{
        {QStringLiteral("   "), QStringLiteral("请先指定检查数据库文件名！")},
        {path(QStringLiteral("none.mdb")), QStringLiteral("指定的数据库文件不存在，请重新选择！")},
        {other, QStringLiteral("指定的数据库文件非压覆矿产登记数据库,请重新选择！")},
        {path(QStringLiteral("text.mdb")),
         QStringLiteral("指定的数据库文件打开出现错误,请检查是否允许打开该数据库！")},
        // The working database's path in other letter case is another file.
        {workingFile().toUpper(), QStringLiteral("指定的数据库文件不存在，请重新选择！")},
    };
    for (const Case& c : cases) {
        Prompt::clear();
        start(&dialog, c.typed);
        EXPECT_EQ(Prompt::lastText(), c.message) << c.typed.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("数据检查结果.txt"))));

    // Choosing a file through the "..." button.
    auto choose = [&](const QString& file) {
        Prompt::clear();
        FileDialog::setNextFileName(file);
        dialog.Command3_Click();
        return Prompt::lastText();
    };
    EXPECT_EQ(choose(path(QStringLiteral("none.mdb"))), QStringLiteral("文件不存在,请重新选择！"));
    EXPECT_EQ(choose(other), QStringLiteral("指定的数据库文件非固体登记数据库,请重新选择！"));
    EXPECT_EQ(pathBox(&dialog)->text(), other);
    EXPECT_EQ(choose(copyTemplate(QStringLiteral("copy.mdb"))), QString());
    ASSERT_FALSE(FileDialog::captions().isEmpty());
    EXPECT_EQ(FileDialog::captions().constLast(), QStringLiteral("选择检查数据库文件"));
}

TEST_F(ChecksWindowTest, EnterInThePathBoxOpensNoFileChooser)
{
    DataCheck dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    FileDialog::clear();
    pathBox(&dialog)->setFocus();
    QTest::keyClick(pathBox(&dialog), Qt::Key_Return);
    EXPECT_TRUE(FileDialog::captions().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
}

TEST_F(ChecksWindowTest, EnterPressesTheFocusedButton)
{
    whileOpen([&] { main->MENU_DATA_Click(10); },
              [&](QWidget* dialog) {
                  ModalDialogs::enter(dialog, QStringLiteral("Command2_0"));
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("请选择相应的数据检查项！"));
                  ModalDialogs::enter(dialog, QStringLiteral("Command2_1"));
                  EXPECT_FALSE(dialog->isVisible());
              });
}

TEST_F(ChecksWindowTest, TheSecondCheckWritesItsReportBesideTheWorkingDatabase)
{
    openDatabase(workingFile());
    completeRegistration(QStringLiteral("4110101082001"));
    insert(QStringLiteral("登记"), header(QStringLiteral("4110101082002")));
    closeDatabase();
    whileOpen([&] { main->MENU_DATA_Click(10); },
              [&](QWidget* dialog) {
                  EXPECT_EQ(dialog->objectName(), WindowNames::FrmCheckData);
                  EXPECT_EQ(main->panelText(1), StatusText::Idle);
                  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("登记库DJK数据检查"));
                  EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("Check2"))->isEnabled());
                  EXPECT_FALSE(button(dialog, 2)->isVisibleTo(dialog));

                  button(dialog, 0)->click();
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("请选择相应的数据检查项！"));
                  EXPECT_EQ(lastShown().title, QStringLiteral("数据检查2"));

                  dialog->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
                  button(dialog, 0)->click();
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("完成对储量登记库DJK的数据检查！"));
                  EXPECT_EQ(lastShown().title, QStringLiteral("数据检查"));
                  ASSERT_TRUE(button(dialog, 2)->isVisibleTo(dialog));
                  button(dialog, 2)->click();
                  EXPECT_FALSE(button(dialog, 2)->isVisibleTo(dialog));

                  QFile::remove(path(QStringLiteral("djk.sys")));
                  button(dialog, 0)->click();
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("系统文件DJK.SYS破坏！"));
                  EXPECT_EQ(lastShown().buttons, Prompt::Buttons::YesNo);
                  EXPECT_FALSE(button(dialog, 2)->isVisibleTo(dialog));
                  button(dialog, 1)->click();
              });

    EXPECT_EQ(opened, QStringList{path(QStringLiteral("djk.Txt"))});
    EXPECT_TRUE(readAll(opened.value(0))
                    .startsWith("储量登记库DJK中有1个登记无储量数据!\r\n\r\n登记号：4110101082002\r\n"));
    // Neither the toolbar nor the status bar is touched.
    EXPECT_EQ(main->panelText(1), StatusText::Idle);
}

TEST_F(ChecksWindowTest, ADatabaseThatTheRunWouldWriteOverIsNotChecked)
{
    openDatabase(workingFile());
    completeRegistration(QStringLiteral("4110101082001"));
    closeDatabase();
    // The first check's report is 数据检查结果.txt in the program folder; the second's
    // report of w.Txt is w.Txt, and its work copy 临时.mdb in the program folder.
    const QString overReport =
        QStringLiteral("检查结果文件就是被检查的数据库文件，检查结果会写在数据库上，不能检查：\n");
    const struct
    {
        int menu;
        QString name;
        QString refusal;
        QString title;
    } cases[] = {
        {9, QStringLiteral("数据检查结果.txt"), overReport, QStringLiteral("提示")},
        {10, QStringLiteral("w.Txt"), overReport, QStringLiteral("数据检查2")},
        {10, QStringLiteral("临时.mdb"),
         QStringLiteral("检查用的临时数据库就是被检查的数据库文件，检查会删除这个文件，不能检查：\n"),
         QStringLiteral("数据检查2")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString file = path(c.name);
        ASSERT_TRUE(QFile::copy(workingFile(), file));
        m_state.DBName = c.name;
        const QByteArray before = readAll(file);
        Prompt::clear();
        whileOpen([&] { main->MENU_DATA_Click(c.menu); },
                  [&](QWidget* dialog) {
                      if (auto* required = dialog->findChild<QCheckBox*>(QStringLiteral("Check1")))
                          required->setChecked(true);
                      else
                          pathBox(dialog)->setText(file);
                      button(dialog, 0)->click();
                      EXPECT_EQ(Prompt::lastText(), c.refusal + file);
                      EXPECT_EQ(lastShown().title, c.title);
                      EXPECT_FALSE(button(dialog, 2)->isVisibleTo(dialog));
                      button(dialog, 1)->click();
                  });
        EXPECT_EQ(readAll(file), before);
        EXPECT_EQ(QFileInfo::exists(checks::CheckDataRun::workPath(dir())),
                  file == checks::CheckDataRun::workPath(dir()));
    }
}

TEST_F(ChecksWindowTest, TheCleanUpRunsFromTheMaintenanceMenuAndLeavesItsStatusText)
{
    openDatabase(workingFile());
    insert(QStringLiteral("资源储量"),
           reserve(QStringLiteral("4110101082001"), 11001, "111", "111b", null(), {1, 1, 1, 1, 0, 0}));
    QSqlQuery(db()).exec(QStringLiteral("UPDATE 资源储量 SET 矿石品级 = NULL"));
    closeDatabase();
    whileOpen([&] { main->MENU_ELSE_Click(12); },
              [&](QWidget* dialog) {
                  EXPECT_EQ(dialog->objectName(), WindowNames::FrmClearLX_PJ);
                  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("清理错误的矿石类型和品级"));
                  EXPECT_EQ(main->panelText(1), QStringLiteral("清理错误的矿石类型和品级..."));
                  dialog->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
                  EXPECT_EQ(Prompt::lastText(), QStringLiteral("清理完毕"));
                  ModalDialogs::enter(dialog, QStringLiteral("Command1_1"));
                  EXPECT_FALSE(dialog->isVisible());
              });
    EXPECT_FALSE(QApplication::activeModalWidget());
    EXPECT_EQ(main->panelText(1), QStringLiteral("清理错误的矿石类型和品级..."));
    EXPECT_EQ(Db::scalar(m_state.Cn(), QStringLiteral("SELECT 矿石品级 FROM 资源储量")).toInt(), 30);
}

} // namespace
