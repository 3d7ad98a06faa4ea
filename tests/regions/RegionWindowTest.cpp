// The region dialogs as a clerk reaches them from the main window.

#include "RegionWindowFixture.h"

#include "entry/NavigateTree.h"

#include "entry/NewTabControls.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/MAINBAS.h"
#include "shell/TabMain.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class RegionWindowTest : public RegionWindowFixture
{
protected:
    static QString box(QWidget* dialog, const QString& name)
    {
        return dialog->findChild<QLineEdit*>(name)->text();
    }
};

} // namespace

TEST_F(RegionWindowTest, ExportACityFromTheToolbar)
{
    ASSERT_TRUE(main->menuItemEnabled(TabMain::Menu::DATA, 1));
    withDialog(
        [&] { main->Toolbar_ButtonClick("EXPORT"); },
        [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "行政区数据导出");
            EXPECT_TRUE(main->buttonPressed("EXPORT"));
            EXPECT_EQ(main->panelText(1), "数据库导出（按行政区）...");
            EXPECT_EQ(QDir::fromNativeSeparators(box(d, "Text1")), dir() + "/导出数据/2008年11月3日.mdb");
            EXPECT_TRUE(d->findChild<QRadioButton*>("Option1_0")->isChecked());

            // Refusals before anything is written.
            d->findChild<QLineEdit*>("Text1")->setText(" ");
            click(d, "Command2_0");
            d->findChild<QLineEdit*>("Text1")->setText(path("missing/成都.mdb"));
            d->findChild<QLineEdit*>("Text2_0")->setText("51010");
            click(d, "Command2_0");
            d->findChild<QLineEdit*>("Text2_0")->setText("510100");
            click(d, "Command2_0");
            d->findChild<QLineEdit*>("Text1")->setText(MAINBAS::Database_File());
            click(d, "Command2_0");
            Prompt::setNextAnswer(Prompt::Answer::Cancel);
            d->findChild<QLineEdit*>("Text2_0")->clear();
            click(d, "Command2_0");
            EXPECT_EQ(Prompt::shownTexts(), QStringList({"请先指定导出文件名！", "行政区代码应为2位、4位或6位数字！",
                                                 "指定的导出文件路径不存在！",
                                                 "不能导出到当前数据库文件或模板文件，请重新指定导出文件！",
                                                 "行政区未选择,导出全库数据吗?"}));
            Prompt::clear();

            pick(d, "成都市");
            EXPECT_EQ(box(d, "Text2_0"), "5101");
            EXPECT_EQ(box(d, "Text2_1"), "成都市");
            FileDialog::setNextFileName(path("成都.mdb"));
            click(d, "Command3");
            EXPECT_EQ(FileDialog::captions(), QStringList({"选择导出文件"}));
            // The progress bar has its room: the dialog and its buttons stay where they were.
            const QSize size = d->size();
            const QPoint buttons = d->findChild<QPushButton*>("Command2_0")->pos();
            click(d, "Command2_0");
            EXPECT_EQ(d->size(), size);
            EXPECT_EQ(d->findChild<QPushButton*>("Command2_0")->pos(), buttons);
            // Again: the file is there now, and No keeps it.
            Prompt::setNextAnswer(Prompt::Answer::No);
            click(d, "Command2_0");
        });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"确定要导出数据吗?", "数据导出完成！", "文件已经存在,是否覆盖?"}));
    EXPECT_FALSE(main->buttonPressed("EXPORT"));
    EXPECT_EQ(main->panelText(1), "待命...");
    Db::ScopedConnection out("out", path("成都.mdb"), Db::OpenMode::ReadOnly);
    ASSERT_TRUE(out.ok());
    EXPECT_EQ(rowsIn(out.db(), "压覆", Chengdu2), whole("压覆"));
    EXPECT_EQ(count(out.db(), "登记"), 2);
}

TEST_F(RegionWindowTest, DeleteAProvinceFromTheMaintenanceMenu)
{
    NewTab* entry = openEntry();
    ASSERT_NE(entry, nullptr);
    withDialog([&] { main->MENU_ELSE_Click(6); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "数据删除");
                   EXPECT_EQ(main->panelText(1), "数据库删除（按行政区）...");
                   click(d, "Command2_0");
                   pick(d, "四川省");
                   EXPECT_EQ(box(d, "Text2_0"), "51");
                   // The name box may hold anything; the question names the region.
                   d->findChild<QLineEdit*>("Text2_1")->setText("随便");
                   Prompt::setNextAnswer(Prompt::Answer::Cancel);
                   click(d, "Command2_0");
                   EXPECT_EQ(count(db(), "压覆"), 4);
                   click(d, "Command2_0");
                   auto* tree = d->findChild<QTreeWidget*>("TreeView2");
                   EXPECT_TRUE(tree->findItems("四川省", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
                   EXPECT_FALSE(tree->findItems("河南省", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
               });
    EXPECT_EQ(Prompt::shownTexts(),
              QStringList({"请先选择行政区！", "确定要删除【四川省】行政区数据吗?",
                           "确定要删除【四川省】行政区数据吗?", "【四川省】行政区数据删除完成！"}));
    EXPECT_EQ(main->panelText(1), "待命...");
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu1), gone("压覆"));
    EXPECT_EQ(rowsIn(db(), "查明", Found), whole("查明"));
    EXPECT_EQ(count(db(), "压覆"), 1);
    // The open entry window lists what is left.
    QStringList listed;
    for (const QModelIndex& n : NAVIGATE::Tree_Nodes(controlsOf(entry).TvmDataList()))
        listed << n.data().toString();
    EXPECT_EQ(listed, QStringList({Henan, "..."}));
}

TEST_F(RegionWindowTest, ReplaceARegionCodeFromTheMaintenanceMenu)
{
    withDialog([&] { main->MENU_ELSE_Click(13); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "数据修改");
                   EXPECT_EQ(main->panelText(1), "修改行政区代码...");
                   auto* replaced = d->findChild<QLineEdit*>("txtReplaced");
                   auto* replace = d->findChild<QLineEdit*>("txtReplace");
                   QTest::keyClicks(replaced, "5");
                   EXPECT_EQ(replaced->text(), "");
                   click(d, "Command1_0");
                   auto* combo = d->findChild<QComboBox*>("Combo1");
                   combo->setCurrentIndex(0);
                   Q_EMIT combo->activated(0);
                   QTest::keyClicks(replaced, "51a0 1049");
                   EXPECT_EQ(replaced->text(), "510104") << "digits only, six at most";
                   // Delete works as in any box; nothing but digits comes from an
                   // input method.
                   replaced->setFocus();
                   replaced->setCursorPosition(0);
                   QTest::keyClick(replaced, Qt::Key_Delete);
                   EXPECT_EQ(replaced->text(), "10104");
                   QInputMethodEvent composed;
                   composed.setCommitString("是");
                   QApplication::sendEvent(replaced, &composed);
                   EXPECT_EQ(replaced->text(), "10104");
                   QTest::keyClick(replaced, Qt::Key_5);
                   // Tab, Shift+Tab and the clipboard too.
                   QTest::keyClick(replaced, Qt::Key_Tab);
                   EXPECT_EQ(d->focusWidget(), replace);
                   QTest::keyClick(replace, Qt::Key_Backtab, Qt::ShiftModifier);
                   EXPECT_EQ(d->focusWidget(), replaced);
                   QGuiApplication::clipboard()->setText("510100");
                   QTest::keyClick(replace, Qt::Key_V, Qt::ControlModifier);
                   EXPECT_EQ(replace->text(), "510100");
                   click(d, "Command1_0");
                   EXPECT_EQ(replace->text(), "");
                   QTest::keyClicks(replace, "510105");
                   click(d, "Command1_0");
                   EXPECT_FALSE(d->isVisible()) << "a done replacement closes the dialog";
               });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"请先选择修改的字段", "修改字段不能为空！",
                                         "必须填写县级行政区代码！", "替换完成！"}));
    EXPECT_EQ(main->panelText(1), "修改行政区代码...");
    EXPECT_EQ(Db::scalar(db(), "SELECT 行政区代码 FROM 压覆 WHERE 登记号=?", {Chengdu1}).toInt(), 510105);
    EXPECT_EQ(Db::scalar(db(), "SELECT 行政区代码 FROM 查明 WHERE 登记号=?", {Found}).toInt(), 510104);
}

TEST_F(RegionWindowTest, TheWarningAboutTheFieldClosesFromTheKeyboard)
{
    withDialog([&] { main->MENU_ELSE_Click(13); },
               [&](QWidget* d) {
                   auto* replaced = d->findChild<QLineEdit*>("txtReplaced");
                   auto* replace = d->findChild<QLineEdit*>("txtReplace");
                   QTest::keyClicks(replaced, "5");
                   // Enter closed the warning; its release lands in the box.
                   QTest::keyRelease(replaced, Qt::Key_Return);
                   // Tabbing into the other box warns again.
                   QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
                   QApplication::sendEvent(replace, &tabbedIn);
                   QTest::keyRelease(replace, Qt::Key_Tab);
                   QTest::keyRelease(replace, Qt::Key_Space);
                   click(d, "Command1_1");
               });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"请先选择修改的字段", "请先选择修改的字段"}));
}

TEST_F(RegionWindowTest, TheKeysPickARegionAsTheMouseDoes)
{
    withDialog([&] { main->Toolbar_ButtonClick("EXPORT"); },
               [&](QWidget* d) {
                   click(d, "Command1");
                   auto* tree = d->findChild<QTreeWidget*>("TreeView2");
                   ASSERT_TRUE(tree->isVisible());
                   // A move of the selection picks the node it lands on; the tree stays open.
                   QTest::keyClick(tree, Qt::Key_Down);
                   QTest::keyClick(tree, Qt::Key_Down);
                   const QTreeWidgetItem* city = tree->currentItem();
                   ASSERT_TRUE(city && city->parent());
                   EXPECT_EQ(box(d, "Text2_0"), city->data(0, Qt::UserRole).toString().trimmed().mid(1));
                   EXPECT_EQ(box(d, "Text2_1"), city->text(0));
                   EXPECT_TRUE(tree->isVisible());
                   // Enter picks the node under the cursor and closes the tree, as a double click.
                   QTest::keyClick(tree, Qt::Key_Up);
                   EXPECT_EQ(box(d, "Text2_1"), tree->currentItem()->text(0));
                   EXPECT_NE(tree->currentItem(), city);
                   QTest::keyClick(tree, Qt::Key_Down);
                   QTest::keyClick(tree, Qt::Key_Return);
                   EXPECT_FALSE(tree->isVisible());
                   EXPECT_EQ(box(d, "Text2_1"), city->text(0));
                   // Esc closes the dropped tree and leaves the dialog open.
                   click(d, "Command1");
                   ASSERT_TRUE(tree->isVisible());
                   QTest::keyClick(tree, Qt::Key_Escape);
                   EXPECT_FALSE(tree->isVisible());
                   EXPECT_TRUE(d->isVisible());
                   EXPECT_EQ(box(d, "Text2_1"), city->text(0));
               });
}
