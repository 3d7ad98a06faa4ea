#include "entry/MainWindowHarness.h"
#include "support/ProgramFolder.h"

#include "entry/KnPage.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/CommandTargets.h"
#include "shell/TabMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

#include <cmath>
#include <memory>

// The entry window inside the real main window: opened by its command, closed with
// the main window's buttons as the mark of unsaved edits.
namespace {

using Menu = TabMain::Menu;

class EntryMainWindowTest : public ProgramFolder, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        NewTab::Register(targets);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        ProgramFolder::TearDown();
    }

    NewTab* entry() const { return NewTab::instance(); }
    QMdiSubWindow* sub() const { return qobject_cast<QMdiSubWindow*>(entry()->parentWidget()); }
    int twipsY(int px) const { return int(std::lround(Twips::fromPixelsY(px))); }

};

TEST_F(EntryMainWindowTest, NewOpensTheEntryWindow)
{
    EXPECT_TRUE(main->toolbarButton(QStringLiteral("NEW"))->isEnabled());
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    QApplication::processEvents();
    NewTab* w = entry();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QStringLiteral("NewTab"));
    EXPECT_EQ(sub()->pos(), QPoint(0, 0));
    EXPECT_EQ(sub()->width(), Twips::toPixelsX(11170));
    const QToolBar* bar = main->findChild<QToolBar*>(QStringLiteral("Toolbar"));
    const int height = int(std::lround(twipsY(main->height()) - 3.5 * twipsY(main->statusBar()->height()) -
                                       twipsY(bar->height())));
    EXPECT_EQ(sub()->height(), std::max(Twips::toPixelsY(height), sub()->minimumHeight()));
    EXPECT_EQ(w->Cur_Page(), 0);
    EXPECT_TRUE(controlsOf(w).KNPIC(0)->isVisible());
    EXPECT_EQ(controlsOf(w).Tab1()->currentIndex(), 0);
    EXPECT_EQ(controlsOf(w).cobNavigate()->currentText(), QStringLiteral("登记号"));
    EXPECT_TRUE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 1);
    // Loading enables Print; activation presses "NEW" and disables the menu item.
    EXPECT_TRUE(main->buttonEnabled(QStringLiteral("PRINT")));
    EXPECT_TRUE(main->menuItemEnabled(Menu::DJ, 6));
    EXPECT_TRUE(main->buttonPressed(QStringLiteral("NEW")));
    EXPECT_FALSE(main->menuItemEnabled(Menu::DJ, 0));

    // The command again activates the same window; the menu item opens it as well.
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    EXPECT_EQ(entry(), w);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
}

TEST_F(EntryMainWindowTest, ClosingWithoutEditsAsksNothing)
{
    main->MENU_DJ_Click(0);
    QApplication::processEvents();
    ASSERT_NE(entry(), nullptr);
    QPointer<QMdiSubWindow> s = sub();
    s->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s.isNull());
    EXPECT_EQ(entry(), nullptr);
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_FALSE(main->buttonPressed(QStringLiteral("NEW")));
    EXPECT_TRUE(main->menuItemEnabled(Menu::DJ, 0));
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("PRINT")));
    EXPECT_FALSE(main->menuItemEnabled(Menu::DJ, 6));
    EXPECT_EQ(main->panelText(1), QStringLiteral("待命..."));
    EXPECT_EQ(main->panelText(3), QString());
    EXPECT_FALSE(m_state.Form_Opened[1]);
    EXPECT_EQ(m_state.Active_Form, 0);
}

TEST_F(EntryMainWindowTest, ClosingWithUnsavedEditsAsksAndNoCloses)
{
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    QApplication::processEvents();
    main->setButtonEnabled(QStringLiteral("SAVE"), true);
    main->setButtonEnabled(QStringLiteral("DEL"), true);
    Prompt::setNextAnswer(Prompt::Answer::No);
    QPointer<QMdiSubWindow> s = sub();
    s->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s.isNull());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown()[0].text, QStringLiteral("[压覆矿产资源储量登记书]已经发生改变,保存吗?"));
    EXPECT_EQ(Prompt::shown()[0].title, QStringLiteral("提示"));
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("SAVE")));
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("PRINT")));
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("DEL")));
    EXPECT_FALSE(main->menuItemEnabled(Menu::DJ, 2));
    EXPECT_FALSE(main->menuItemEnabled(Menu::DJ, 3));
    EXPECT_FALSE(main->menuItemEnabled(Menu::DJ, 5));
}

TEST_F(EntryMainWindowTest, YesWithAFailingSaveKeepsTheWindow)
{
    // The checks pass, the save itself fails: the edits stay unsaved.
    int saves = 0;
    CommandTargets::EntryHooks hooks = targets.entry();
    hooks.Check_Before_Save = [] { return true; };
    hooks.Save_Data_All = [&] { ++saves; };
    targets.setEntryHooks(hooks);
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    QApplication::processEvents();
    main->setButtonEnabled(QStringLiteral("SAVE"), true);
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_FALSE(main->close());
    EXPECT_EQ(saves, 1);
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(m_state.Form_Opened[1]);

    // A save that goes through clears Save, and the main window closes.
    hooks.Save_Data_All = [&] {
        ++saves;
        main->setButtonEnabled(QStringLiteral("SAVE"), false);
    };
    targets.setEntryHooks(hooks);
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_TRUE(main->close());
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(m_state.Form_Opened[1]);
}

TEST_F(EntryMainWindowTest, TheMapMenuRepaintsTheCoordinatePage)
{
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    QApplication::processEvents();
    NewTab* w = entry();
    int drawn = 0;
    QObject::connect(w, &NewTab::areaMapDrawn, [&] { ++drawn; });
    controlsOf(w).Tab1()->setCurrentIndex(2);
    QApplication::processEvents();
    drawn = 0;
    main->Draw_para_Click(0);
    QApplication::processEvents();
    EXPECT_GE(drawn, 1);
}

} // namespace
