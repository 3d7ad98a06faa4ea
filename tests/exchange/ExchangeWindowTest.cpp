// The export and deletion dialogs as a clerk reaches them from the main window.

#include "ExchangeFixture.h"

#include "entry/MainWindowHarness.h"
#include "entry/NAVIGATE.h"
#include "entry/NavigateTree.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "exchange/DataExport.h"
#include "exchange/ExchangeTargets.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/DialogHooks.h"
#include "shell/MAINBAS.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
        dialogHooks() = DialogHooks();
        ExchangeFixture::TearDown();
    }

    // Runs `open`, and `work` on the modal dialog it shows.
    static void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& work)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            work(dialog);
            ran = true;
            if (dialog->isVisible())
                dialog
                    ->findChild<QPushButton*>(dialog->objectName() == "DataDelete" ? "CommandOut"
                                                                                   : "Command2_1")
                    ->click();
        });
        open();
        EXPECT_TRUE(ran);
    }

    static void click(QWidget* dialog, const QString& name)
    {
        auto* b = dialog->findChild<QPushButton*>(name);
        ASSERT_NE(b, nullptr) << name.toStdString();
        ASSERT_TRUE(b->isEnabled()) << name.toStdString();
        b->click();
    }

    QStringList shownTexts() const
    {
        QStringList texts;
        for (const Prompt::Shown& s : Prompt::shown())
            texts << s.text;
        return texts;
    }
};

} // namespace

TEST_F(ExchangeWindowTest, ExportEveryRegistrationFromTheDataMenu)
{
    ASSERT_TRUE(QDir(dir()).mkdir("导出数据"));
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
    EXPECT_EQ(shownTexts(), QStringList({"确定要导出数据吗?", "数据导出完成！"}));
    EXPECT_FALSE(main->buttonPressed("EXPORT"));
    EXPECT_EQ(main->panelText(1), "待命...");
    Db::ScopedConnection out("out", dir() + "/导出数据/2008年11月3日.mdb", Db::OpenMode::ReadOnly);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(count(out.db(), "登记"), 3);
    EXPECT_EQ(rowsOf(out.db(), B), full());
    EXPECT_EQ(Db::scalar(out.db(), "SELECT 省代码 FROM 参数表").toInt(), 510000);
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
    EXPECT_EQ(shownTexts(),
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
    EXPECT_EQ(shownTexts(), QStringList({"文件已经存在,是否覆盖?", "文件已经存在,是否覆盖?"}));
    EXPECT_EQ(bytes(path("out.mdb")), "keep");
    EXPECT_EQ(FileDialog::captions(), QStringList({"选择导出文件"}));
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
    EXPECT_EQ(shownTexts(), QStringList({"确定要删除？", "请选择删除的登记号！", "确定要删除？",
                                         "确定要删除？", "删除成功"}));
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::None);
    EXPECT_EQ(rowsOf(db(), A), none());
    EXPECT_EQ(rowsOf(db(), C), none());
    EXPECT_EQ(rowsOf(db(), B), full());
    // The entry window was opened to show the remaining registration.
    NewTab* entry = NewTab::instance();
    ASSERT_NE(entry, nullptr);
    QStringList listed;
    for (QTreeWidgetItem* n : NAVIGATE::Tree_Nodes(entry->TvmDataList()))
        listed << n->text(0);
    EXPECT_TRUE(listed.contains(B));
    EXPECT_FALSE(listed.contains(A));
    EXPECT_EQ(main->panelText(1), "数据库删除...");
}
