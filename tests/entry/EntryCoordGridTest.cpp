#include "entry/MainWindowHarness.h"
#include "support/ProgramFolder.h"

#include "entry/AreaFlex.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "shell/CommandTargets.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include <memory>

// The coordinate grids of the entry window inside the real main window: typed into
// with keys, driven by the main window's grid popup menu, and exchanging a block
// through the system clipboard.
namespace {

class EntryCoordGridTest : public ProgramFolder, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        NewTab::Register(targets);
        showMainWindow();
        openEntry();
        ASSERT_NE(NewTab::instance(), nullptr);
        // A registration chosen, as "..." does.
        NAVIGATE::Enable_Edit(*NewTab::instance(), 2);
        main->setButtonEnabled(QStringLiteral("SAVE"), false);
        controlsOf(NewTab::instance()).Tab1()->setCurrentIndex(2);
        QApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        closeMainWindow();
        ProgramFolder::TearDown();
    }

    AreaFlex* grid(int i) const { return controlsOf(NewTab::instance()).Area_Flex(i); }
    QString cell(int i, int row, int col) const { return grid(i)->grid().TextMatrix(row, col); }
    void select(int i, int row, int col, int rowSel, int colSel)
    {
        grid(i)->grid().setSelection(row, col, rowSel, colSel);
        grid(i)->syncView();
    }
    // Right click on grid i, then the popup item.
    void popup(int i, int item)
    {
        QTest::mouseClick(grid(i)->viewport(), Qt::RightButton, {}, QPoint(3, 3));
        main->EDIT_MENU()->hide();
        main->E_MENU(item)->trigger();
    }

};

TEST_F(EntryCoordGridTest, TypedCornersMarkTheRegistrationEdited)
{
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("SAVE")));
    EXPECT_EQ(controlsOf(NewTab::instance()).txtEdit(0), grid(0)->txtEdit());
    grid(0)->setFocus();
    QTest::keyClick(grid(0), '1');
    ASSERT_FALSE(grid(0)->txtEdit()->isHidden());
    QTest::keyClick(grid(0)->txtEdit(), Qt::Key_Return);
    QTest::keyClicks(grid(0)->txtEdit(), QStringLiteral("116.2345"));
    QTest::keyClick(grid(0)->txtEdit(), Qt::Key_Return);
    QTest::keyClicks(grid(0)->txtEdit(), QStringLiteral("40.1234"));
    QTest::keyClick(grid(0)->txtEdit(), Qt::Key_Return);
    EXPECT_EQ(cell(0, 1, 2), QStringLiteral("116.2345"));
    EXPECT_EQ(cell(0, 1, 3), QStringLiteral("40.1234"));
    EXPECT_EQ(grid(0)->grid().Row(), 2);
    EXPECT_TRUE(main->buttonEnabled(QStringLiteral("SAVE")));
    EXPECT_TRUE(main->menuItemEnabled(TabMain::Menu::DJ, 2));
    EXPECT_TRUE(m_state.Form_Changed[1]);

    // The check box follows a loaded grid and relabels it when clicked.
    NewTab::instance()->Init_Flex(1, QStringLiteral("1\r\n1,4000.5,3000.25,\r\n"));
    EXPECT_FALSE(controlsOf(NewTab::instance()).Check1(1)->isChecked());
    EXPECT_EQ(grid(1)->horizontalHeaderItem(1)->text(), QStringLiteral("X(起标高)"));
    controlsOf(NewTab::instance()).Check1(1)->click();
    EXPECT_EQ(grid(1)->horizontalHeaderItem(1)->text(), QStringLiteral("经度(起标高)"));
}

TEST_F(EntryCoordGridTest, PopupMenuCopiesAndPastesBetweenTheGrids)
{
    NewTab::instance()->Init_Flex(0, QStringLiteral("3\r\n1,10,20,\r\n2,11,20,\r\n*,100,50,A,1\r\n"));
    select(0, 1, 1, 3, 5);
    popup(0, 5); // 复制
    EXPECT_EQ(m_state.Flex_Menu_Index, 0);
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 0);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("STACOL=1;ENDCOL=5;ROWS=3\r\n1,10,20, , \r\n2,11,20, , \r\n*,100,50,A,1\r\n"));

    popup(1, 6); // 粘贴 on the other grid
    EXPECT_EQ(m_state.Flex_Menu_Index, 1);
    EXPECT_EQ(grid(1)->grid().Flex_Row_Count(), 3);
    EXPECT_EQ(cell(1, 3, 4), QStringLiteral("A"));
    EXPECT_EQ(cell(1, 1, 4), QString());
    EXPECT_TRUE(main->buttonEnabled(QStringLiteral("SAVE")));

    // 删除 asks first.
    select(1, 2, 1, 2, 1);
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    popup(1, 2);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("确认删除当前记录行的数据！"));
    EXPECT_EQ(grid(1)->grid().Flex_Row_Count(), 2);
    EXPECT_EQ(grid(0)->grid().Flex_Row_Count(), 3);
}

} // namespace
