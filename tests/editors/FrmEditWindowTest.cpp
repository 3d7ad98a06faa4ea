#include "EditorWindowFixture.h"

#include "editors/EditorsTargets.h"
#include "editors/FrmEdit.h"
#include "editors/MineralPicker.h"
#include "entry/EntryEditing.h"
#include "entry/MainWindowHarness.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <functional>

// The row list window as the clerk meets it: opened by the entry window's "编辑"
// button inside the main window, edited with the mouse, closed.
namespace {

using editors::FrmEdit;

class FrmEditWindowTest : public EditorWindowFixture
{
protected:
    void SetUp() override
    {
        EditorWindowFixture::SetUp();
        quality(21001, 0, "20101", "1", 101);
        reserve(21001, 0, 20101, 1, 1, QStringLiteral("单一矿产"));
        openEntryWindow();
    }

    // Presses "编辑" and runs `drive` on the row list window it opens; closes it after.
    void edit(const std::function<void(FrmEdit&)>& drive)
    {
        bool driven = false;
        whenShown<FrmEdit>(
            [&](FrmEdit& window) {
                drive(window);
                if (window.isVisible()) window.findChild<QPushButton*>("Command2_1")->click();
            },
            &driven);
        controlsOf(entry).Command2()->click();
        EXPECT_TRUE(driven);
    }
    static void clickNode(QTreeWidget* tree, const QString& key)
    {
        QTreeWidgetItem* found = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (MineralPicker::keyOf(*it) == key) found = *it;
        ASSERT_NE(found, nullptr) << key.toStdString();
        tree->scrollToItem(found);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found).center());
    }
    static QListWidgetItem* entryOf(QListWidget* list, const QString& text)
    {
        const auto items = list->findItems(text, Qt::MatchExactly);
        return items.isEmpty() ? nullptr : items.first();
    }
};

} // namespace

TEST_F(FrmEditWindowTest, AddAMineralChangeACombinationAndCloseRefreshesTheTable)
{
    ASSERT_TRUE(controlsOf(entry).Command2()->isEnabled());
    edit([&](FrmEdit& w) {
        EXPECT_EQ(w.windowTitle(), "压覆矿产资源储量编辑");
        EXPECT_EQ(main->panelText(1), "资源储量编辑...");
        EXPECT_EQ(m_state.Edit_Open, -1);
        auto* button = w.findChild<QToolButton*>("Command1");
        auto* tree = w.findChild<MineralPicker*>("TreeView1");
        EXPECT_EQ(w.rows().text(1, 1), "铁矿");
        EXPECT_FALSE(w.findChild<QPushButton*>("Command2_0")->isEnabled());

        // Row 2: the mineral from the tree.
        clickCell(w, 2, 1);
        ASSERT_TRUE(button->isVisible());
        EXPECT_EQ(button->text(), "▼");
        button->click();
        ASSERT_TRUE(tree->isVisible());
        clickNode(tree, "B10004");
        EXPECT_TRUE(tree->isVisible()) << "a category is no choice";
        tree->setFocus();
        QTreeWidgetItem* category = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (MineralPicker::keyOf(*it) == "B10004") category = *it;
        category->setExpanded(true);
        clickNode(tree, "C23002");
        EXPECT_FALSE(tree->isVisible());
        EXPECT_EQ(w.rows().text(2, 1), "银矿");
        EXPECT_EQ(w.rows().text(2, 3), "吨/千吨");
        EXPECT_EQ(w.findChild<QTableWidget*>("MSFlexGrid1")->item(1, 1)->text(), "银矿");

        // Near the bottom of the window the tree opens above the cell.
        clickCell(w, 3, 1);
        button->click();
        auto* table = w.findChild<QTableWidget*>("MSFlexGrid1");
        const QRect cell = table->visualRect(table->model()->index(2, 1));
        EXPECT_TRUE(tree->isVisible());
        EXPECT_LE(tree->geometry().bottom(), table->viewport()->mapTo(&w, cell.topLeft()).y());
        tree->hide();

        // Quality of row 2 asks for the missing cells first.
        clickCell(w, 2, 6);
        button->click();
        EXPECT_EQ(Prompt::lastText(), "请先填写以下数据：\n矿产组合");

        // Row 1: a new combination is stored at once.
        clickCell(w, 1, 2);
        button->click();
        auto* list = w.findChild<QListWidget*>("List1_0");
        ASSERT_TRUE(list->isVisible());
        QListWidgetItem* item = entryOf(list, "2. 主矿产");
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(w.rows().text(1, 2), "主矿产");

        // Closing names the row without data.
        Prompt::clear();
        w.findChild<QPushButton*>("Command2_1")->click();
        ASSERT_EQ(Prompt::shown().size(), 1);
        EXPECT_EQ(Prompt::shown()[0].text, "以下数据无矿石质量/资源储量数据，将不保存：\n银矿");
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(m_state.Edit_Open, 0);
    EXPECT_EQ(column("select 矿产组合 from 资源储量"), QStringList({"主矿产"}));
    ASSERT_EQ(controlsOf(entry).TBFLEX()->rowCount(), 1);
    EXPECT_EQ(controlsOf(entry).TBFLEX()->item(0, 1)->text(), "主矿产");
}

TEST_F(FrmEditWindowTest, TheMineralTreeChoosesWithEnter)
{
    edit([&](FrmEdit& w) {
        auto* tree = w.findChild<MineralPicker*>("TreeView1");
        clickCell(w, 2, 1);
        w.findChild<QToolButton*>("Command1")->click();
        ASSERT_TRUE(tree->isVisible());
        tree->setFocus();
        QTreeWidgetItem* category = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (MineralPicker::keyOf(*it) == "B10004") category = *it;
        ASSERT_NE(category, nullptr);
        tree->setCurrentItem(category);
        QTest::keyClick(tree, Qt::Key_Right); // opens the category
        QTest::keyClick(tree, Qt::Key_Down);
        ASSERT_EQ(tree->currentItem()->parent(), category);
        EXPECT_TRUE(tree->isVisible()) << "moving through the tree chooses nothing";
        EXPECT_EQ(w.rows().text(2, 1), "");
        for (int i = 0; i < category->childCount(); ++i)
            if (MineralPicker::keyOf(category->child(i)) == "C23002") tree->setCurrentItem(category->child(i));
        QTest::keyClick(tree, Qt::Key_Return);
        EXPECT_FALSE(tree->isVisible());
        EXPECT_EQ(w.rows().text(2, 1), "银矿");
        EXPECT_EQ(w.rows().text(2, 3), "吨/千吨");
    });
}

TEST_F(FrmEditWindowTest, DuplicatePicksAndRowCommandsAsked)
{
    quality(21001, 0, "20102", "1", 201);
    edit([&](FrmEdit& w) {
        auto* button = w.findChild<QToolButton*>("Command1");
        // Type 20102 on row 1 would repeat row 2.
        clickCell(w, 1, 4);
        EXPECT_TRUE(w.findChild<QPushButton*>("Command2_0")->isEnabled());
        button->click();
        auto* types = w.findChild<QListWidget*>("List1_1");
        QListWidgetItem* item = entryOf(types, "20102. 赤铁矿石");
        ASSERT_NE(item, nullptr);
        types->setCurrentItem(item);
        w.List1_Click(1);
        EXPECT_EQ(Prompt::lastText(), "数据与第【2】行重复！请重新输入！");
        EXPECT_EQ(w.rows().code(1, 4), 20101);

        // Delete row 1, answering Cancel first.
        clickCell(w, 1, 3);
        Prompt::setNextAnswer(Prompt::Answer::Cancel);
        w.findChild<QPushButton*>("Command2_0")->click();
        EXPECT_EQ(Prompt::lastText(), "确定要删除第1行资源储量数据吗？");
        EXPECT_EQ(w.rows().code(1, 4), 20101);
        w.findChild<QPushButton*>("Command2_0")->click();
        EXPECT_EQ(w.rows().code(1, 4), 20102);
        EXPECT_FALSE(w.findChild<QPushButton*>("Command2_0")->isEnabled());
    });
    EXPECT_EQ(column("select 显示序号 from 质量"), QStringList({"101"}));
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"0"}));
}
