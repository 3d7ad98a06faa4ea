// The export and deletion dialogs as a clerk reaches them from the main window.

#include "ExchangeFixture.h"

#include "entry/MainWindowHarness.h"
#include "entry/NavigateTree.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "exchange/DataExport.h"
#include "exchange/DataImport.h"
#include "exchange/ExchangeTargets.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "registration/navigation/NAVIGATE.h"
#include "shell/MAINBAS.h"
#include "shell/TabMain.h"
#include "support/ModalDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

const QString A = "4510104082001", B = "4510104082002", C = "4510104082003";

class ExchangeWindowTest : public ExchangeFixture, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        for (const QString& n : {A, B, C})
            addRegistration(db(), n);
        m_state.ProvinceCode = 510000;
        NewTab::Register(targets);
        NAVIGATE::Register(targets);
        exchange::registerTargets(targets);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        ExchangeFixture::TearDown();
    }

    // Runs `open`, and `work` on the modal dialog it shows; closes the dialog by its
    // own close button when still open.
    static void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& work)
    {
        ModalDialogs::withDialog(open, [&](QWidget* dialog) {
            work(dialog);
            if (dialog->isVisible())
                dialog
                    ->findChild<QPushButton*>(dialog->objectName() == "DataDelete" ? "CommandOut"
                                                                                   : "Command2_1")
                    ->click();
        });
    }
    static void click(QWidget* dialog, const QString& name) { ModalDialogs::click(dialog, name); }

};

} // namespace

TEST_F(ExchangeWindowTest, ExportEveryRegistrationFromTheDataMenu)
{
    // The program folder holds the folders the build lays out beside the program (the
    // program never makes the default export's folder itself).
    for (const QString& folder : QFileInfo(templatePath()).dir().entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ASSERT_TRUE(QDir(dir()).mkdir(folder));
    ASSERT_TRUE(main->menuItemEnabled(TabMain::Menu::DATA, 0));
    withDialog([&] { main->MENU_DATA_Click(0); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "数据导出");
                   EXPECT_TRUE(main->buttonPressed("EXPORT"));
                   EXPECT_EQ(main->panelText(1), "数据库导出...");
                   auto* text1 = d->findChild<QLineEdit*>("Text1");
                   EXPECT_EQ(QDir::fromNativeSeparators(text1->text()),
                             dir() + "/导出数据/2008年11月3日.mdb");
                   EXPECT_FALSE(d->findChild<QPushButton*>("Command1_0")->isEnabled());
                   click(d, "Command1_2"); // 全选
                   EXPECT_EQ(d->findChild<QListWidget*>("List1_1")->count(), 3);
                   click(d, "Command2_0"); // 导出
               });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"确定要导出数据吗?", "数据导出完成！"}));
    EXPECT_FALSE(main->buttonPressed("EXPORT"));
    EXPECT_EQ(main->panelText(1), "待命...");
    Db::ScopedConnection out("out", dir() + "/导出数据/2008年11月3日.mdb", Db::OpenMode::ReadOnly);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(count(out.db(), "登记"), 3);
    EXPECT_EQ(rowsOf(out.db(), B), full());
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 省代码 FROM 参数表").toInt(), 510000);
}

TEST_F(ExchangeWindowTest, TheDialogsOpenInTheMiddleOfTheScreen)
{
    const QPoint middle = QApplication::primaryScreen()->availableGeometry().center();
    const auto centred = [&](QWidget* d) {
        EXPECT_LE((d->frameGeometry().center() - middle).manhattanLength(), 6)
            << d->objectName().toStdString() << " at " << d->x() << "," << d->y();
    };
    withDialog([&] { main->MENU_DATA_Click(0); }, centred);
    withDialog([&] { main->MENU_DATA_Click(4); }, centred);
    withDialog([&] { main->MENU_ELSE_Click(7); }, centred);
}

TEST_F(ExchangeWindowTest, ExportRefusesWhatCannotBeExported)
{
    DataExport d;
    auto* text1 = d.findChild<QLineEdit*>("Text1");
    text1->setText("  ");
    click(&d, "Command2_0");
    text1->setText(path("out.mdb"));
    click(&d, "Command2_0");
    d.findChild<QListWidget*>("List1_0")->item(1)->setSelected(true);
    click(&d, "Command1_0");
    text1->setText(path("missing/out.mdb"));
    click(&d, "Command2_0");
    text1->setText(MAINBAS::Database_File());
    click(&d, "Command2_0");
    EXPECT_EQ(Prompt::shownTexts(),
              QStringList({"请先指定导出文件名！", "请先指定导出数据登记号！", "指定的导出文件路径不存在！",
                           "不能导出到当前数据库文件或模板文件，请重新指定导出文件！"}));

    // An existing target is asked about; No keeps it.
    Prompt::clear();
    writeFile("out.mdb", "keep");
    FileDialog::setNextFileName(path("out.mdb"));
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    click(&d, "Command3");
    EXPECT_EQ(text1->text(), QDir::toNativeSeparators(path("out.mdb")));
    Prompt::setNextAnswer(Prompt::Answer::No);
    click(&d, "Command2_0");
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"文件已经存在,是否覆盖?", "文件已经存在,是否覆盖?"}));
    EXPECT_EQ(bytes(path("out.mdb")), "keep");
    EXPECT_EQ(FileDialog::captions(), QStringList({"选择导出文件"}));
    // The chooser asks nothing itself: the one question about an existing file is ours.
    EXPECT_EQ(FileDialog::kinds(), QList<FileDialog::Kind>{FileDialog::Kind::OpenOrNew});
}

TEST_F(ExchangeWindowTest, DeleteChosenRegistrationsFromTheOtherMenu)
{
    ASSERT_TRUE(main->menuItemEnabled(TabMain::Menu::ELSE, 7));
    withDialog([&] { main->MENU_ELSE_Click(7); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "数据删除");
                   EXPECT_EQ(main->panelText(1), "数据库删除...");
                   // Nothing chosen yet.
                   click(d, "CommandDelete");
                   auto* source = d->findChild<QListWidget*>("List1_0");
                   source->item(0)->setSelected(true);
                   source->item(2)->setSelected(true);
                   click(d, "Command1_0");
                   Prompt::setNextAnswer(Prompt::Answer::No);
                   click(d, "CommandDelete");
                   EXPECT_EQ(rowsOf(db(), A), full());
                   click(d, "CommandDelete");
                   EXPECT_EQ(source->count(), 1);
                   EXPECT_EQ(d->findChild<QListWidget*>("List1_1")->count(), 0);
               });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"确定要删除？", "请选择删除的登记号！", "确定要删除？",
                                         "确定要删除？", "删除成功"}));
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::None);
    EXPECT_EQ(rowsOf(db(), A), none());
    EXPECT_EQ(rowsOf(db(), C), none());
    EXPECT_EQ(rowsOf(db(), B), full());
    // The entry window was opened to show the remaining registration.
    NewTab* entry = NewTab::instance();
    ASSERT_NE(entry, nullptr);
    QStringList listed;
    for (const QModelIndex& n : NAVIGATE::Tree_Nodes(controlsOf(entry).TvmDataList()))
        listed << n.data().toString();
    EXPECT_TRUE(listed.contains(B));
    EXPECT_FALSE(listed.contains(A));
    EXPECT_EQ(main->panelText(1), "数据库删除...");
}

TEST_F(ExchangeWindowTest, ImportChosenRegistrationsFromTheDataMenu)
{
    const QString source = copyTemplate("import.mdb");
    {
        Db::ScopedConnection src("src", source, Db::OpenMode::ReadWrite);
        addRegistration(src.db(), A, "来的一");
        addRegistration(src.db(), "4510104082002", "来的二");
    }
    for (const char* t : {"登记", "压覆", "报告", "质量", "资源储量", "坐标"})
        exec(db(), QString("DELETE FROM %1 WHERE 登记号 <> ?").arg(QString::fromUtf8(t)), {A});
    NewTab* entry = openEntry();
    ASSERT_NE(entry, nullptr);
    FileDialog::setNextFileName(source);
    withDialog([&] { main->MENU_DATA_Click(4); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "数据导入");
                   EXPECT_TRUE(main->buttonPressed("IMPORT"));
                   EXPECT_EQ(main->panelText(1), "数据库导入...");
                   auto* check1 = d->findChild<QCheckBox*>("Check1");
                   EXPECT_FALSE(check1->isEnabled());
                   click(d, "Command4");
                   EXPECT_TRUE(check1->isEnabled());
                   EXPECT_EQ(d->findChild<QListWidget*>("List1_0")->count(), 2);
                   click(d, "Command1_2");
                   click(d, "Command2_0");
               });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"确定要导入数据吗?", "数据导入完成！"}));
    EXPECT_EQ(Prompt::shown().at(0).buttons, Prompt::Buttons::OkCancel);
    EXPECT_FALSE(main->buttonPressed("IMPORT"));
    EXPECT_EQ(main->panelText(1), "待命...");
    // The backup holds the database as it was before the import.
    Db::ScopedConnection backup("backup", path("DATABASE_BAKUP.MDB"), Db::OpenMode::ReadOnly);
    ASSERT_TRUE(backup.ok());
    EXPECT_EQ(count(backup.db(), "登记"), 1);
    // 001 was taken: it became 002, and the source's 002 then became 003.
    EXPECT_EQ(Db::scalar(db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号='4510104082002'").toString(),
              "来的一");
    EXPECT_EQ(Db::scalar(db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号='4510104082003'").toString(),
              "来的二");
    QStringList listed;
    for (const QModelIndex& n : NAVIGATE::Tree_Nodes(controlsOf(entry).TvmDataList()))
        listed << n.data().toString();
    EXPECT_TRUE(listed.contains("4510104082003"));
}

TEST_F(ExchangeWindowTest, ImportRefusesWhatCannotBeImported)
{
    const QString good = copyTemplate("good.mdb");
    const QString old = copyTemplate("old.mdb");
    runSql(old, {"UPDATE 数据库参数 SET 版本号='1.20'"});
    runSql(path("other.mdb"), {"CREATE TABLE 别的 (x TEXT)"});
    writeFile("junk.mdb", "not a database");
    DataImport d;
    auto* text1 = d.findChild<QLineEdit*>("Text1");
    click(&d, "Command2_0");
    text1->setText(path("missing.mdb"));
    click(&d, "Command2_0");
    for (const char* name : {"missing.mdb", "junk.mdb", "other.mdb", "old.mdb", "djk.mdb", "good.mdb"}) {
        text1->setText(path(name));
        QMetaObject::invokeMethod(text1, "returnPressed");
    }
    click(&d, "Command2_0");
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"请先指定导入文件名！", "指定的导入文件不存在,请重新选择！",
                                         "文件不存在,请重新选择！",
                                         "指定的导入文件打开出现错误,请检查是否允许打开该数据库！",
                                         "指定的导入文件非固体数据库,请重新选择！",
                                         "导入的数据库的版本过低，请先使用数据库升级模块进行数据库升级！",
                                         "不能从当前数据库或其备份文件导入,请重新选择！", "确定要导入数据吗?",
                                         "未指定任何导入数据,请先设置！"}));
    EXPECT_EQ(Prompt::shown().at(5).icon, Prompt::Icon::None);
    EXPECT_FALSE(QFile::exists(path("DATABASE_BAKUP.MDB")));
}

TEST_F(ExchangeWindowTest, AppendAWholeDatabaseFromTheDataMenu)
{
    const QString source = copyTemplate("all.mdb");
    {
        Db::ScopedConnection src("src", source, Db::OpenMode::ReadWrite);
        addRegistration(src.db(), A, "来的一");
        addRegistration(src.db(), "4510104082009");
        addRegistration(src.db(), C, "来的三");
    }
    int reloaded = 0;
    CommandTargets::EntryHooks hooks = targets.entry();
    hooks.Get_Data_All = [&] { ++reloaded; };
    targets.setEntryHooks(hooks);
    openEntry();
    FileDialog::setNextFileName(source);
    withDialog([&] { main->MENU_DATA_Click(6); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "全部导入");
                   EXPECT_EQ(main->panelText(1), "数据库追加导入...");
                   click(d, "Command4");
                   auto* importButton = d->findChild<QPushButton*>("Command2_0");
                   importButton->setFocus();
                   click(d, "Command2_0");
                   // Enter on the last message must not start the import again.
                   EXPECT_EQ(d->focusWidget(), d->findChild<QPushButton*>("Command2_1"));
               });
    // The refused numbers together in one list.
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"数据重复或其它错误：以下2个登记号未导入", "数据导入完成！"}));
    EXPECT_EQ(Prompt::shown().first().list, QStringList({A, C}));
    EXPECT_EQ(Prompt::shown().first().icon, Prompt::Icon::Exclamation);
    EXPECT_EQ(Db::scalar(db(), "SELECT 建设项目名称 FROM 压覆 WHERE 登记号=?", {A}).toString(), "项目001");
    EXPECT_EQ(rowsOf(db(), A), full());
    EXPECT_EQ(rowsOf(db(), "4510104082009"), full());
    EXPECT_TRUE(QFile::exists(path("DATABASE_BAKUP.MDB")));
    EXPECT_EQ(reloaded, 1);
    EXPECT_EQ(main->panelText(1), "待命...");
}

TEST_F(ExchangeWindowTest, NoImportWithoutABackup)
{
    const QString source = copyTemplate("good.mdb");
    {
        Db::ScopedConnection src("src", source, Db::OpenMode::ReadWrite);
        addRegistration(src.db(), "4510104082009");
    }
    ASSERT_TRUE(QDir(dir()).mkdir("DATABASE_BAKUP.MDB")); // no file can take its place
    const QByteArray before = bytes(MAINBAS::Database_File());
    DataImport d;
    d.findChild<QLineEdit*>("Text1")->setText(source);
    QMetaObject::invokeMethod(d.findChild<QLineEdit*>("Text1"), "returnPressed");
    click(&d, "Command1_2");
    click(&d, "Command2_0");
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).title, "Error");
    EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
    EXPECT_EQ(rowsOf(db(), "4510104082009"), none());
}
