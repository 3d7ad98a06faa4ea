#include "entry/AreaFlex.h"
#include "coords/CoordText.h"
#include "platform/Prompt.h"
#include "shell/CommandTargets.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"
#include "support/TestSeams.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Two coordinate grids on a child window of the main window, wired to it the way
// the entry window wires them.
class AreaFlexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSeams::reset();
        installState(&m_state);
        m_state.Active_Form = 1;
        main = std::make_unique<TabMain>(targets);
        m_state.MainWindow = main.get();

        page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        tabs = new QTabBar(page);
        tabs->addTab(QStringLiteral("坐 标"));
        tabs->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(tabs);
        for (int i = 0; i < 2; ++i) {
            check[i] = new QCheckBox(QStringLiteral("经纬度坐标"), page);
            grids[i] = new AreaFlex(i, page);
            grids[i]->attachCheck1(check[i]);
            layout->addWidget(check[i]);
            layout->addWidget(grids[i]);
        }
        CommandTargets::EntryHooks hooks;
        hooks.Focus_Area_Flex = [this] {
            tabs->setFocus();
            grids[state().Flex_Menu_Index]->focusFromMenu();
        };
        targets.setEntryHooks(hooks);
        main->mdiArea()->addSubWindow(page)->resize(900, 600);
        main->show();
        page->show();
        QApplication::setActiveWindow(main.get());
        QApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        main.reset();
        TestSeams::reset();
    }

    void load(int i, const QString& lines) { grids[i]->Init_Flex(lines); }
    // Selects grid cells by their grid coordinates (row 1 is the first data row).
    void select(int i, int row, int col, int rowSel, int colSel)
    {
        grids[i]->grid().setSelection(row, col, rowSel, colSel);
        grids[i]->syncView();
    }
    QString cell(int i, int row, int col) const { return grids[i]->grid().TextMatrix(row, col); }
    QLineEdit* editor(int i) const { return grids[i]->txtEdit(); }
    bool editing(int i) const { return !editor(i)->isHidden(); }
    void type(int i, const QString& text)
    {
        QTest::keyClick(grids[i], text.at(0).toLatin1());
        ASSERT_TRUE(editing(i));
        QTest::keyClicks(editor(i), text.mid(1));
    }
    void ctrl(int i, Qt::Key key) { QTest::keyClick(grids[i], key, Qt::ControlModifier); }

    ProgramState m_state;
    CommandTargets targets;
    std::unique_ptr<TabMain> main;
    QWidget* page = nullptr;
    QTabBar* tabs = nullptr;
    AreaFlex* grids[2] = {};
    QCheckBox* check[2] = {};
};

const QString kTwoCorners = QStringLiteral("2\r\n1,4000,5000,\r\n2,4000,6000,\r\n");

TEST_F(AreaFlexTest, LaysOutFromTheLineFormAndFollowsTheCheckBox)
{
    EXPECT_EQ(grids[0]->rowCount(), 1);
    EXPECT_EQ(grids[0]->columnCount(), 5);
    EXPECT_EQ(grids[0]->toolTip(),
              QStringLiteral("*号结束；矿体标识：矿体文字标注；性质：1表示主区，-1表示挖空区"));
    EXPECT_EQ(grids[0]->horizontalHeaderItem(1)->text(), QStringLiteral("X(起标高)"));
    const QLabel* corner = grids[0]->findChild<QLabel*>(QStringLiteral("cornerHeading"));
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->text(), QStringLiteral("序号"));
    EXPECT_EQ(corner->width(), grids[0]->verticalHeader()->width());

    load(0, QStringLiteral("2\r\n1,116.2345,40.1234,\r\n*,100,,,\r\n"));
    EXPECT_TRUE(check[0]->isChecked());
    EXPECT_EQ(grids[0]->rowCount(), 3);
    EXPECT_EQ(grids[0]->item(0, 1)->text(), QStringLiteral("116.2345"));
    EXPECT_EQ(grids[0]->verticalHeaderItem(1)->text(), QStringLiteral("2"));
    EXPECT_EQ(grids[0]->horizontalHeaderItem(1)->text(), QStringLiteral("经度(起标高)"));
    EXPECT_EQ(cell(0, 2, 3), QString());

    // Writing the stored text fills the empty 性质 in the grid on screen too.
    EXPECT_EQ(KCUTIL::Coord_Grid_To_Str(grids[0]->coordGrid()).text,
              QStringLiteral("1,1,1,116.2345,40.1234,100,,,1,"));
    EXPECT_EQ(grids[0]->item(1, 4)->text(), QStringLiteral("1"));

    check[0]->click();
    EXPECT_EQ(grids[0]->horizontalHeaderItem(1)->text(), QStringLiteral("X(起标高)"));
    EXPECT_EQ(grids[0]->horizontalHeaderItem(2)->text(), QStringLiteral("Y(止标高)"));
    EXPECT_EQ(cell(0, 1, 2), QStringLiteral("116.2345"));
}

TEST_F(AreaFlexTest, TypingEntersRowsWithEnterAndMarksTheRegistration)
{
    QSignalSpy repaint(grids[0], &AreaFlex::pageRepaintRequested);
    grids[0]->setFocus();
    type(0, QStringLiteral("1"));
    QTest::keyClick(editor(0), Qt::Key_Return);
    EXPECT_EQ(cell(0, 1, 1), QStringLiteral("1"));
    EXPECT_EQ(grids[0]->grid().Col(), 2);
    ASSERT_TRUE(editing(0));
    QTest::keyClicks(editor(0), QStringLiteral("4000"));
    QTest::keyClick(editor(0), Qt::Key_Tab);
    QTest::keyClicks(editor(0), QStringLiteral("5000"));
    QTest::keyClick(editor(0), Qt::Key_Return);
    EXPECT_EQ(grids[0]->grid().Flex_Row_Count(), 1);
    EXPECT_EQ(grids[0]->item(0, 2)->text(), QStringLiteral("5000"));
    EXPECT_EQ(grids[0]->grid().Row(), 2);
    EXPECT_EQ(grids[0]->grid().Col(), 1);
    EXPECT_TRUE(m_state.Form_Changed[1]);
    EXPECT_TRUE(main->buttonEnabled(QStringLiteral("SAVE")));
    EXPECT_TRUE(main->menuItemEnabled(TabMain::Menu::DJ, 2));
    EXPECT_GE(repaint.count(), 1);

    // The first corner (4000, 5000) is in order, and X alone (Y not typed yet)
    // is not judged: no warning on the way.
    EXPECT_TRUE(Prompt::shown().isEmpty());

    // Esc leaves the cell as it was.
    QTest::keyClick(editor(0), Qt::Key_Escape);
    EXPECT_FALSE(editing(0));
    EXPECT_EQ(grids[0]->grid().Flex_Row_Count(), 1);
}

TEST_F(AreaFlexTest, ClickingAnotherCellStoresTheEditedOne)
{
    load(0, kTwoCorners);
    select(0, 1, 2, 1, 2);
    QTest::keyClick(grids[0], Qt::Key_Return);
    ASSERT_TRUE(editing(0));
    EXPECT_EQ(editor(0)->text(), QStringLiteral("4000"));
    editor(0)->setText(QStringLiteral("4100"));
    const QRect target = grids[0]->visualRect(grids[0]->model()->index(1, 2));
    QTest::mouseClick(grids[0]->viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_FALSE(editing(0));
    EXPECT_EQ(cell(0, 1, 2), QStringLiteral("4100"));
    EXPECT_EQ(grids[0]->grid().Row(), 2);
    EXPECT_EQ(grids[0]->grid().Col(), 3);

    // A double click opens the editor with the cell's text.
    QTest::mouseDClick(grids[0]->viewport(), Qt::LeftButton, {}, target.center());
    ASSERT_TRUE(editing(0));
    EXPECT_EQ(editor(0)->text(), QStringLiteral("6000"));

    // A comma is refused and the editor stays on its cell.
    editor(0)->setText(QStringLiteral("6,1"));
    QTest::keyClick(editor(0), Qt::Key_Return);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("第2行坐标数据不能含有逗号..."));
    EXPECT_TRUE(editing(0));
    EXPECT_EQ(cell(0, 2, 3), QStringLiteral("6000"));
}

TEST_F(AreaFlexTest, CommandKeysReplaceTheViewsShortcuts)
{
    // A shortcut of the main window must not take the grid's keys.
    auto* stolen = new QAction(main.get());
    stolen->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_A)});
    main->addAction(stolen);
    QSignalSpy triggered(stolen, &QAction::triggered);

    load(0, kTwoCorners);
    grids[0]->setFocus();
    ctrl(0, Qt::Key_A);
    EXPECT_TRUE(editing(0));
    EXPECT_EQ(grids[0]->grid().Row(), 3);
    EXPECT_EQ(grids[0]->selectedRanges().size(), 1); // nothing else got selected
    QTest::keyClick(editor(0), Qt::Key_Escape);

    select(0, 1, 1, 2, 3);
    ctrl(0, Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text().toUtf8(),
              QByteArray("STACOL=1;ENDCOL=3;ROWS=2\r\n1,4000,5000\r\n2,4000,6000\r\n"));
    EXPECT_EQ(triggered.count(), 0);

    // Ctrl+N inserts, the Delete key with whole rows selected deletes.
    select(0, 2, 1, 2, 1);
    ctrl(0, Qt::Key_N);
    EXPECT_EQ(grids[0]->grid().Flex_Row_Count(), 3);
    EXPECT_EQ(cell(0, 2, 1), QString());
    select(0, 2, 1, 2, 5);
    QTest::keyClick(grids[0], Qt::Key_Delete);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("确认删除当前记录行的数据！"));
    EXPECT_EQ(grids[0]->grid().Flex_Row_Count(), 2);

    // Shift+Insert pastes copied rows before the current row.
    select(0, 1, 1, 2, 5);
    ctrl(0, Qt::Key_C);
    select(0, 1, 1, 1, 1);
    QTest::keyClick(grids[0], Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grids[0]->grid().Flex_Row_Count(), 4);
    EXPECT_EQ(grids[0]->item(3, 2)->text(), QStringLiteral("6000"));
    EXPECT_EQ(grids[0]->verticalHeaderItem(3)->text(), QStringLiteral("4"));
}

TEST_F(AreaFlexTest, WholeRowSelectionsServeTheDeleteKey)
{
    load(0, QStringLiteral("3\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n"));
    QTest::keyClick(grids[0], Qt::Key_Right); // no modifier is held any more
    grids[0]->selectRow(1);                   // what a click on the row's number does
    const CoordGridModel& g = grids[0]->grid();
    EXPECT_EQ(g.r1(), 2);
    EXPECT_EQ(g.r2(), 2);
    EXPECT_EQ(g.c1(), 1);
    EXPECT_EQ(g.c2(), 5);
    QTest::keyClick(grids[0], Qt::Key_Delete);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("确认删除当前记录行的数据！"));
    EXPECT_EQ(g.Flex_Row_Count(), 2);
    EXPECT_EQ(cell(0, 2, 1), QStringLiteral("3"));

    // Shift+Down extends the selection from the cursor, as the grid always did.
    select(0, 1, 2, 1, 2);
    QTest::keyClick(grids[0], Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), 2);
    Prompt::setNextAnswer(Prompt::Answer::No);
    QTest::keyClick(grids[0], Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("确认删除从当前记录行以下2行数据！"));
}

TEST_F(AreaFlexTest, BlockTravelsThroughTheClipboardBetweenTheGrids)
{
    load(0, QStringLiteral("4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,,,,\r\n"));
    select(0, 1, 1, 5, 5); // the trailing row is left out
    ctrl(0, Qt::Key_Insert);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral(
                  "STACOL=1;ENDCOL=5;ROWS=4\r\n1,10,20, , \r\n2,11,20, , \r\n3,11,21, , \r\n*, , , , \r\n"));
    grids[1]->setFocus();
    ctrl(1, Qt::Key_V);
    EXPECT_EQ(grids[1]->grid().Flex_Row_Count(), 4);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(cell(1, r, c), cell(0, r, c)) << r << "," << c;
}

TEST_F(AreaFlexTest, PopupCommandsRunThroughTheMainWindow)
{
    load(1, kTwoCorners);
    // A right click prepares the menu for this grid.
    QSignalSpy popup(grids[1], &AreaFlex::popupMenuRequested);
    m_state.Flex_Menu_Cmd = 9;
    QTest::mouseClick(grids[1]->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(popup.count(), 1);
    EXPECT_EQ(m_state.Flex_Menu_Index, 1);
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 0);
    EXPECT_TRUE(main->E_MENU(6)->isEnabled());
    main->EDIT_MENU()->hide();

    // 复制 (item 5) then 粘贴 (item 6) on the trailing row.
    select(1, 1, 1, 1, 5);
    main->E_MENU(5)->trigger(); // the menu's own item
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 0);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("STACOL=1;ENDCOL=5;ROWS=1\r\n1,4000,5000, , \r\n"));
    select(1, 3, 1, 3, 1);
    main->E_MENU(6)->trigger();
    EXPECT_EQ(grids[1]->grid().Flex_Row_Count(), 3);
    EXPECT_EQ(cell(1, 3, 3), QStringLiteral("5000"));

    // 插入 (item 1), 删除 (item 2) with its question, 剪切 (item 4).
    select(1, 1, 2, 1, 2);
    main->E_MENU_Click(1);
    EXPECT_EQ(grids[1]->grid().Flex_Row_Count(), 4);
    Prompt::setNextAnswer(Prompt::Answer::No);
    main->E_MENU_Click(2);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("确认删除当前记录行的数据！"));
    EXPECT_EQ(grids[1]->grid().Flex_Row_Count(), 4);
    select(1, 2, 2, 3, 3);
    main->E_MENU_Click(4);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("STACOL=2;ENDCOL=3;ROWS=2\r\n4000,5000\r\n4000,6000\r\n"));
    EXPECT_EQ(grids[1]->grid().Flex_Row_Count(), 2);

    // 追加 (item 0) opens the editor on the trailing row of the grid.
    main->E_MENU_Click(0);
    EXPECT_TRUE(editing(1));
    EXPECT_EQ(grids[1]->grid().Row(), 3);
    // While editing, 剪切 shows the copy's and the delete's refusals.
    Prompt::clear();
    main->E_MENU_Click(4);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown()[0].text, QStringLiteral("编辑状态不能执行拷贝操作..."));
    EXPECT_EQ(Prompt::shown()[1].text, QStringLiteral("编辑状态不能执行删除操作..."));
    EXPECT_FALSE(editing(0));

    // With the entry window closed the command is only stored.
    m_state.Active_Form = 0;
    main->E_MENU_Click(6);
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 6);
}

// What the platform's input context does with each step of a composition: it asks
// the focus widget whether it takes the input method, then sends it the event.
void imeEvent(const QString& preedit, const QString& commit = QString())
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(target, &query);
    ASSERT_TRUE(query.value(Qt::ImEnabled).toBool()) << "input method off in " << target->metaObject()->className();
    QInputMethodEvent ime(preedit, {});
    ime.setCommitString(commit);
    QApplication::sendEvent(target, &ime);
}

TEST_F(AreaFlexTest, ChineseInputOpensTheEditor)
{
    load(0, kTwoCorners);
    select(0, 1, 2, 1, 2);
    grids[0]->setFocus();
    // Clicked on a corner name, the first composition opens the editor and shows in
    // the cell, its candidates under it, while the grid keeps the focus.
    const QModelIndex corner = grids[0]->model()->index(1, 0);
    QTest::mouseClick(grids[0]->viewport(), Qt::LeftButton, {}, grids[0]->visualRect(corner).center());
    imeEvent(QStringLiteral("k"));
    ASSERT_TRUE(editing(0));
    EXPECT_EQ(editor(0)->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), grids[0]);
    const QRect cellRect = grids[0]->visualRect(corner).translated(grids[0]->viewport()->pos());
    EXPECT_TRUE(cellRect.intersects(grids[0]->inputMethodQuery(Qt::ImCursorRectangle).toRect()));
    imeEvent(QStringLiteral("kuang"));
    imeEvent(QString(), QStringLiteral("矿"));
    EXPECT_EQ(editor(0)->text(), QStringLiteral("矿"));
    EXPECT_EQ(QApplication::focusWidget(), editor(0));
    QTest::keyClick(editor(0), Qt::Key_Return);
    EXPECT_EQ(cell(0, 2, 1), QStringLiteral("矿"));

    // After an arrow move the same; text committed at once opens the editor with it.
    select(0, 1, 2, 1, 2);
    grids[0]->setFocus();
    QTest::keyClick(grids[0], Qt::Key_Left);
    imeEvent(QString(), QStringLiteral("矿体"));
    ASSERT_TRUE(editing(0));
    EXPECT_EQ(editor(0)->text(), QStringLiteral("矿体"));
    EXPECT_EQ(editor(0)->cursorPosition(), 2);
    QTest::keyClick(editor(0), Qt::Key_Return);
    EXPECT_EQ(cell(0, 1, 1), QStringLiteral("矿体"));

    // A key that carries a Chinese character does the same.
    select(0, 2, 1, 2, 1);
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("甲"));
    QApplication::sendEvent(grids[0], &key);
    ASSERT_TRUE(editing(0));
    EXPECT_EQ(editor(0)->text(), QStringLiteral("甲"));
}

TEST_F(AreaFlexTest, ScrollingDropsTheEditor)
{
    QString lines = QStringLiteral("60\r\n");
    for (int i = 1; i <= 60; ++i)
        lines += QStringLiteral("%1,%2,%3,\r\n").arg(i).arg(4000 + i).arg(5000);
    load(0, lines);
    select(0, 1, 2, 1, 2);
    QTest::keyClick(grids[0], '9');
    ASSERT_TRUE(editing(0));
    grids[0]->verticalScrollBar()->setValue(grids[0]->verticalScrollBar()->maximum());
    EXPECT_FALSE(editing(0));
    EXPECT_EQ(cell(0, 1, 2), QStringLiteral("4001"));

    // Append scrolls to the trailing row and keeps its editor.
    grids[0]->verticalScrollBar()->setValue(0);
    ctrl(0, Qt::Key_A);
    EXPECT_TRUE(editing(0));
    EXPECT_EQ(grids[0]->grid().Row(), 61);
}

} // namespace
