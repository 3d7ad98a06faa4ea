#include "support/ProgramFolder.h"

#include "platform/HelpViewer.h"
#include "platform/ProgramIcon.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/CommandTargets.h"
#include "shell/KCUTIL_Toolbar.h"
#include "shell/MAINBAS.h"
#include "shell/TabMain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <map>
#include <memory>

namespace {

using Menu = TabMain::Menu;

const QString kIdle = QStringLiteral("待命...");

// What the toolbar keys and menu items open, as the main window's tables say.
const std::map<QString, QString> kButtonWindows{
    {QStringLiteral("NEW"), QStringLiteral("NewTab")},          {QStringLiteral("EXPORT"), QStringLiteral("DataExportXzq")},
    {QStringLiteral("IMPORT"), QStringLiteral("DataImportXzq")}, {QStringLiteral("INSERT"), QStringLiteral("Frm引用")},
    {QStringLiteral("PRINT"), QStringLiteral("FrmPrintSelect")}, {QStringLiteral("CODE"), QStringLiteral("FrmCode")},
    {QStringLiteral("PARA"), QStringLiteral("FrmPara")},         {QStringLiteral("SYS"), QStringLiteral("FrmSysView")},
};
const std::map<std::pair<Menu, int>, QString> kMenuWindows{
    {{Menu::DJ, 0}, QStringLiteral("NewTab")},           {{Menu::DJ, 5}, QStringLiteral("FrmPrintSelect")},
    {{Menu::DJ, 6}, QStringLiteral("FrmPrintMany")},     {{Menu::DATA, 0}, QStringLiteral("DataExport")},
    {{Menu::DATA, 1}, QStringLiteral("DataExportXzq")},  {{Menu::DATA, 2}, QStringLiteral("DataXmlExport")},
    {{Menu::DATA, 4}, QStringLiteral("DataImport")},     {{Menu::DATA, 5}, QStringLiteral("DataImportXzq")},
    {{Menu::DATA, 6}, QStringLiteral("DataImportAll")},  {{Menu::DATA, 7}, QStringLiteral("xmlimport")},
    {{Menu::DATA, 9}, QStringLiteral("DataCheck")},      {{Menu::DATA, 10}, QStringLiteral("FrmCheckData")},
    {{Menu::ELSE, 0}, QStringLiteral("FrmCode")},        {{Menu::ELSE, 2}, QStringLiteral("FrmPara")},
    {{Menu::ELSE, 4}, QStringLiteral("FrmSysView")},     {{Menu::ELSE, 6}, QStringLiteral("DBDelete")},
    {{Menu::ELSE, 7}, QStringLiteral("DataDelete")},     {{Menu::ELSE, 12}, QStringLiteral("FrmClearLX_PJ")},
    {{Menu::ELSE, 13}, QStringLiteral("DataModification")}, {{Menu::HELP, 2}, QStringLiteral("About")},
};

class MainWindowTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_state.HelpFilePath = path(QStringLiteral("Tarnwick.chm"));
        HelpViewer::setOpener([this](const QUrl& url) {
            helpOpened << url;
            return true;
        });
        main = std::make_unique<TabMain>(targets);
        m_state.MainWindow = main.get();
    }
    void TearDown() override
    {
        m_state.MainWindow = nullptr;
        main.reset();
        HelpViewer::setOpener({});
        ProgramFolder::TearDown();
    }

    // Registers every window with an opener that records its name and the text
    // of status panel 1 at that moment, and every entry-window hook.
    void registerEverything()
    {
        for (const QString& name : CommandTargets::windowNames())
            ASSERT_TRUE(targets.registerWindow(name, [this, name](TabMain& m) {
                opened << name;
                panelAtOpen << m.panelText(1);
            }));
        CommandTargets::EntryHooks hooks;
        hooks.Check_Before_Save = [this] {
            calls << QStringLiteral("check");
            return checkPasses;
        };
        hooks.Save_Data_All = [this] { calls << QStringLiteral("save"); };
        hooks.Delete_Data_All = [this] { calls << QStringLiteral("delete"); };
        hooks.cobNavigate_Click = [this] { calls << QStringLiteral("navigate"); };
        hooks.Draw_Area_Map = [this] { calls << QStringLiteral("draw"); };
        hooks.Focus_Area_Flex = [this] { calls << QStringLiteral("focus"); };
        targets.setEntryHooks(hooks);
        targets.setRunCheckTool([this](int mode, const QString& system, TabMain&) {
            calls << QStringLiteral("check tool %1 %2").arg(mode).arg(system);
        });
    }
    void enableSaveDeletePrint()
    {
        for (const char* key : {"SAVE", "DEL", "PRINT"}) main->setButtonEnabled(QLatin1String(key), true);
        KCUTIL::Sync_Menu_Toolbar();
    }
    std::array<bool, 7> drawMarks() const
    {
        std::array<bool, 7> marks{};
        for (int i = 0; i < 7; ++i)
            if (i != 3) marks[i] = main->Draw_para(i)->isChecked();
        return marks;
    }
    std::array<bool, 6> switches() const
    {
        return {m_state.MapFill,    m_state.MapShowPoints, m_state.MapShowLabels,
                m_state.MapShowAll, m_state.MapOnlyRight,  m_state.MapOnlyReserve};
    }

    CommandTargets targets;
    std::unique_ptr<TabMain> main;
    QStringList opened;
    QStringList panelAtOpen;
    QStringList calls;
    QList<QUrl> helpOpened;
    bool checkPasses = true;
};

TEST_F(MainWindowTest, StartsIdleWithTheDatabaseAndTodayInTheStatusBar)
{
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Orvane"));
    EXPECT_EQ(main->panelText(1), kIdle);
    EXPECT_EQ(main->panelText(2), MAINBAS::Database_File());
    EXPECT_EQ(main->panelText(3), QStringLiteral("2008年11月3日"));
    QStringList tips;
    for (QLabel* panel : main->statusBar()->findChildren<QLabel*>()) tips << panel->toolTip();
    EXPECT_EQ(tips, (QStringList{QStringLiteral("操作对象"), QStringLiteral("文件名称"), QStringLiteral("当前日期")}));
    QStringList menus;
    for (QAction* a : main->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("日常登记(&R)"), QStringLiteral("数据交换(&D)"),
                                  QStringLiteral("数据维护(&E)"), QStringLiteral("帮助(&H)")}));
    EXPECT_EQ(main->menuItem(Menu::DJ, 0)->text(), QStringLiteral("固体压覆资源储量登记(&R)"));
    EXPECT_TRUE(main->menuItem(Menu::DJ, 1)->isSeparator());
    EXPECT_EQ(main->toolbarButton(QStringLiteral("SAVE"))->text(), QStringLiteral("保存"));
    EXPECT_EQ(main->toolbarButton(QStringLiteral("SAVE"))->toolTip(), QStringLiteral("保存登记书"));
    EXPECT_EQ(m_state.Mcd_hWnd, main.get());
}

TEST_F(MainWindowTest, SaveDeleteAndPrintStartDisabledWithTheirMenuItems)
{
    registerEverything();
    for (const char* key : {"SAVE", "DEL", "PRINT"}) {
        EXPECT_FALSE(main->buttonEnabled(QLatin1String(key))) << key;
        EXPECT_FALSE(main->toolbarButton(QLatin1String(key))->isEnabled()) << key;
    }
    for (int i : {2, 3, 5, 6}) EXPECT_FALSE(main->menuItem(Menu::DJ, i)->isEnabled()) << i;
    EXPECT_TRUE(main->menuItem(Menu::DJ, 0)->isEnabled());
    EXPECT_TRUE(main->toolbarButton(QStringLiteral("NEW"))->isEnabled());
}

TEST_F(MainWindowTest, NothingRegisteredLeavesOnlyExitAndHelp)
{
    for (const auto& [key, window] : kButtonWindows)
        EXPECT_FALSE(main->toolbarButton(key)->isEnabled()) << key.toStdString();
    for (const auto& [item, window] : kMenuWindows)
        EXPECT_FALSE(main->menuItem(item.first, item.second)->isEnabled()) << window.toStdString();
    EXPECT_FALSE(main->toolbarButton(QStringLiteral("CHECK"))->isEnabled());
    EXPECT_FALSE(main->menuItem(Menu::ELSE, 9)->isEnabled());
    EXPECT_FALSE(main->menuItem(Menu::ELSE, 10)->isEnabled());
    EXPECT_TRUE(main->toolbarButton(QStringLiteral("EXIT"))->isEnabled());
    EXPECT_TRUE(main->toolbarButton(QStringLiteral("HELP"))->isEnabled());
    EXPECT_TRUE(main->menuItem(Menu::DJ, 8)->isEnabled());
    EXPECT_TRUE(main->menuItem(Menu::HELP, 0)->isEnabled());

    // Pressing a disabled command does nothing.
    main->toolbarButton(QStringLiteral("PARA"))->trigger();
    main->Toolbar_ButtonClick(QStringLiteral("PARA"));
    main->MENU_ELSE_Click(2);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MainWindowTest, EveryToolbarKeyAndMenuItemReachesItsTarget)
{
    registerEverything();
    enableSaveDeletePrint();
    for (const auto& [key, window] : kButtonWindows) {
        opened.clear();
        QAction* button = main->toolbarButton(key);
        ASSERT_TRUE(button->isEnabled()) << key.toStdString();
        button->trigger();
        EXPECT_EQ(opened, QStringList{window}) << key.toStdString();
    }
    for (const auto& [item, window] : kMenuWindows) {
        opened.clear();
        QAction* a = main->menuItem(item.first, item.second);
        ASSERT_TRUE(a->isEnabled()) << window.toStdString();
        a->trigger();
        EXPECT_EQ(opened, QStringList{window}) << window.toStdString();
    }
    // Unregistering disables again.
    targets.unregisterWindow(QStringLiteral("FrmPara"));
    EXPECT_FALSE(main->toolbarButton(QStringLiteral("PARA"))->isEnabled());
    EXPECT_FALSE(main->menuItem(Menu::ELSE, 2)->isEnabled());
    EXPECT_FALSE(targets.registerWindow(QStringLiteral("NoSuchWindow"), [](TabMain&) {}));
}

TEST_F(MainWindowTest, TheExchangeMenuHandsOverTheMainWindow)
{
    registerEverything();
    EXPECT_EQ(m_state.Xml_hWnd, nullptr);
    main->MENU_DATA_Click(2);
    EXPECT_EQ(m_state.Xml_hWnd, main.get());
}

TEST_F(MainWindowTest, PrintWritesItsActivityBeforeTheDialogOpens)
{
    registerEverything();
    enableSaveDeletePrint();
    main->toolbarButton(QStringLiteral("PRINT"))->trigger();
    main->MENU_DJ_Click(5);
    EXPECT_EQ(panelAtOpen, (QStringList{QStringLiteral("打印输出登记书..."), QStringLiteral("打印输出登记书...")}));
    // The batch print writes nothing itself.
    main->setPanelText(1, kIdle);
    main->MENU_DJ_Click(6);
    EXPECT_EQ(panelAtOpen.last(), kIdle);
}

TEST_F(MainWindowTest, TheDataCheckComponentIsCalledInItsTwoModes)
{
    registerEverything();
    main->setButtonPressed(QStringLiteral("CHECK"), true);
    main->toolbarButton(QStringLiteral("CHECK"))->trigger();
    EXPECT_FALSE(main->buttonPressed(QStringLiteral("CHECK")));
    main->MENU_ELSE_Click(9);
    main->MENU_ELSE_Click(10);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("check tool 1 登记库压覆"), QStringLiteral("check tool 1 登记库压覆"),
                                  QStringLiteral("check tool 2 登记库压覆")}));
}

TEST_F(MainWindowTest, PROHasNoButtonAndDoesNothing)
{
    registerEverything();
    EXPECT_EQ(main->toolbarButton(QStringLiteral("PRO")), nullptr);
    main->Toolbar_ButtonClick(QStringLiteral("PRO"));
    main->Toolbar_ButtonClick(QStringLiteral("new")); // keys compare as exact text
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(MainWindowTest, SaveRunsTheCheckThenTheSaveThenTheNavigationWhenNeeded)
{
    registerEverything();
    enableSaveDeletePrint();
    checkPasses = false;
    main->toolbarButton(QStringLiteral("SAVE"))->trigger();
    EXPECT_EQ(calls, QStringList{QStringLiteral("check")});

    calls.clear();
    checkPasses = true;
    main->MENU_DJ_Click(2);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("check"), QStringLiteral("save")}));

    calls.clear();
    m_state.Nav_Changed = true;
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(calls, (QStringList{QStringLiteral("check"), QStringLiteral("save"), QStringLiteral("navigate")}));
    EXPECT_FALSE(m_state.Nav_Changed);
}

TEST_F(MainWindowTest, TheDeleteButtonRebuildsTheNavigationTheMenuItemDoesNot)
{
    registerEverything();
    enableSaveDeletePrint();
    // The delete hook stands for a delete whose question was answered No.
    main->toolbarButton(QStringLiteral("DEL"))->trigger();
    EXPECT_EQ(calls, (QStringList{QStringLiteral("delete"), QStringLiteral("navigate")}));
    calls.clear();
    main->menuItem(Menu::DJ, 3)->trigger();
    EXPECT_EQ(calls, QStringList{QStringLiteral("delete")});
}

TEST_F(MainWindowTest, MapSwitches)
{
    registerEverything();
    using Marks = std::array<bool, 7>;
    using Switches = std::array<bool, 6>;
    EXPECT_EQ(drawMarks(), (Marks{true, false, false, false, true, false, false}));

    // Choosing "全部显示" while checked leaves the group unchecked.
    main->Draw_para_Click(4);
    EXPECT_EQ(drawMarks(), (Marks{true, false, false, false, false, false, false}));
    EXPECT_FALSE(m_state.MapShowAll);
    // "仅矿权" then checks only itself.
    main->Draw_para_Click(5);
    EXPECT_EQ(drawMarks(), (Marks{true, false, false, false, false, true, false}));
    EXPECT_EQ(switches(), (Switches{true, false, false, false, true, false}));
    // "仅储量" moves the check.
    main->Draw_para_Click(6);
    EXPECT_EQ(switches(), (Switches{true, false, false, false, false, true}));
    // The toggles invert their own mark and switch only; a user's click does the same.
    main->Draw_para(0)->trigger();
    main->Draw_para(1)->trigger();
    main->Draw_para(2)->trigger();
    EXPECT_EQ(drawMarks(), (Marks{false, true, true, false, false, false, true}));
    EXPECT_EQ(switches(), (Switches{false, true, true, false, false, true}));
    main->Draw_para(6)->trigger();
    EXPECT_EQ(drawMarks(), (Marks{false, true, true, false, false, false, false}));
    EXPECT_FALSE(m_state.MapOnlyReserve);

    // The map is redrawn only while the entry window is loaded.
    EXPECT_TRUE(calls.isEmpty());
    m_state.Active_Form = 1;
    main->Draw_para_Click(0);
    EXPECT_EQ(calls, QStringList{QStringLiteral("draw")});
}

TEST_F(MainWindowTest, GridPopupStoresItsCommandAndFocusesTheGridOnlyWhenLoaded)
{
    registerEverything();
    const std::map<int, int> expected{{0, 1}, {1, 2}, {2, 3}, {4, 4}, {5, 5}, {6, 6}};
    for (const auto& [index, command] : expected) {
        m_state.Flex_Menu_Cmd = 0;
        main->E_MENU(index)->trigger();
        EXPECT_EQ(m_state.Flex_Menu_Cmd, command) << index;
    }
    EXPECT_TRUE(calls.isEmpty());
    m_state.Active_Form = 1;
    main->E_MENU_Click(2);
    EXPECT_EQ(m_state.Flex_Menu_Cmd, 3);
    EXPECT_EQ(calls, QStringList{QStringLiteral("focus")});
    EXPECT_EQ(main->EDIT_MENU()->actions().size(), 7);
    EXPECT_EQ(main->E_MENU(6)->text(), QStringLiteral("粘贴(&P)"));
}

TEST(MainWindowResize, ProgressBarWidthRule)
{
    EXPECT_EQ(MainCommands::mbarWidth(8000), 1000);
    EXPECT_EQ(MainCommands::mbarWidth(8249), 1000);
    EXPECT_EQ(MainCommands::mbarWidth(8250), 7000);
    EXPECT_EQ(MainCommands::mbarWidth(9000), 7000);
    EXPECT_EQ(MainCommands::mbarWidth(15400), 7000);
    EXPECT_EQ(MainCommands::mbarWidth(15401), 7001);
    EXPECT_EQ(MainCommands::mbarWidth(20000), 11600);
}

TEST_F(MainWindowTest, TheProgressBarFollowsTheWindow)
{
    main->show();
    auto widthFor = [&](int twips) {
        main->resize(Twips::toPixelsX(twips, main.get()), 600);
        QApplication::processEvents();
        return main->mbarWidthTwips();
    };
    // One pixel is several twips: the window's width in twips is rounded to it.
    const int onePixel = int(std::ceil(1.0 / Twips::scaleX(main.get())));
    EXPECT_EQ(widthFor(8000), 1000);
    EXPECT_EQ(widthFor(9000), 7000);
    EXPECT_NEAR(widthFor(20000), 11600, onePixel);
    EXPECT_TRUE(main->MBar()->isVisible());
}

TEST_F(MainWindowTest, ToolbarAndMenuStateFollowTheRegistrationList)
{
    registerEverything();
    QTreeWidget list;
    for (const char* text : {"4420100082001", "4420100082002", "..."})
        list.addTopLevelItem(new QTreeWidgetItem(QStringList{QLatin1String(text)}));

    // Nothing selected: the "..." node is selected, Delete stays off.
    KCUTIL::Set_Toolbar_State(&list);
    EXPECT_EQ(list.currentItem()->text(0), QStringLiteral("..."));
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("DEL")));
    EXPECT_FALSE(main->menuItem(Menu::DJ, 3)->isEnabled());

    list.setCurrentItem(list.topLevelItem(0));
    KCUTIL::Set_Toolbar_State(&list);
    for (const char* key : {"DEL", "PRINT"}) EXPECT_TRUE(main->toolbarButton(QLatin1String(key))->isEnabled()) << key;
    for (int i : {3, 5, 6}) EXPECT_TRUE(main->menuItem(Menu::DJ, i)->isEnabled()) << i;

    list.setCurrentItem(list.topLevelItem(2));
    KCUTIL::Set_Toolbar_State(&list);
    EXPECT_FALSE(main->toolbarButton(QStringLiteral("DEL"))->isEnabled());
    EXPECT_FALSE(main->menuItem(Menu::DJ, 3)->isEnabled());
    EXPECT_TRUE(main->toolbarButton(QStringLiteral("PRINT"))->isEnabled());
    EXPECT_TRUE(main->menuItem(Menu::DJ, 5)->isEnabled());

    // An edit enables Save, and the menu follows.
    main->setButtonEnabled(QStringLiteral("SAVE"), true);
    EXPECT_FALSE(main->menuItem(Menu::DJ, 2)->isEnabled());
    KCUTIL::Sync_Menu_Toolbar();
    EXPECT_TRUE(main->menuItem(Menu::DJ, 2)->isEnabled());

    // Save enabled but its operations not registered: the mark stays, the button cannot be pressed.
    targets.setEntryHooks({});
    EXPECT_TRUE(main->buttonEnabled(QStringLiteral("SAVE")));
    EXPECT_FALSE(main->toolbarButton(QStringLiteral("SAVE"))->isEnabled());
}

TEST_F(MainWindowTest, ButtonsArePressedByTheirWindowsNotByTheClick)
{
    bool pressedWhileOpen = false;
    targets.registerWindow(QStringLiteral("FrmPara"), [&](TabMain& m) {
        m.setButtonPressed(QStringLiteral("PARA"), true);
        m.setPanelText(1, QStringLiteral("参数设置..."));
        pressedWhileOpen = m.buttonPressed(QStringLiteral("PARA"));
        m.setButtonPressed(QStringLiteral("PARA"), false);
        m.setPanelText(1, TabMain::idleText());
    });
    main->toolbarButton(QStringLiteral("PARA"))->trigger();
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_FALSE(main->buttonPressed(QStringLiteral("PARA")));
    EXPECT_EQ(main->panelText(1), kIdle);
    // A click on a button that no window presses leaves it up.
    main->toolbarButton(QStringLiteral("HELP"))->trigger();
    EXPECT_FALSE(main->buttonPressed(QStringLiteral("HELP")));
}

TEST_F(MainWindowTest, HelpOpensFromF1TheButtonAndTheMenu)
{
    writeFile(QStringLiteral("Tarnwick.chm"), "help");
    main->show();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(main.get(), &f1);
    main->toolbarButton(QStringLiteral("HELP"))->trigger();
    main->MENU_HELP_Click(0);
    ASSERT_EQ(helpOpened.size(), 3);
    for (const QUrl& url : helpOpened) EXPECT_EQ(url, QUrl::fromLocalFile(m_state.HelpFilePath));
}

TEST_F(MainWindowTest, AMissingHelpFileIsNamed)
{
    main->MENU_HELP_Click(0);
    EXPECT_TRUE(helpOpened.isEmpty());
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown().first().text,
              QStringLiteral("找不到帮助文件：") + QDir::toNativeSeparators(m_state.HelpFilePath));
}

// A child window that records when it closes and may refuse to.
class Child : public QWidget
{
public:
    Child(const QString& name, QStringList* log, bool refuse) : m_log(log), m_refuse(refuse) { setObjectName(name); }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        *m_log << objectName();
        if (m_refuse)
            e->ignore();
        else
            e->accept();
    }

private:
    QStringList* m_log;
    bool m_refuse;
};

TEST_F(MainWindowTest, ClosingClosesTheEntryWindowFirstAndItCanCancel)
{
    main->show();
    QStringList closed;
    main->showChild(new Child(QStringLiteral("FrmPrintMany"), &closed, false));
    main->showChild(new Child(QStringLiteral("NewTab"), &closed, true));
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(closed, QStringList{QStringLiteral("NewTab")});
}

TEST_F(MainWindowTest, ClosingEndsWithEveryChildClosed)
{
    main->show();
    QStringList closed;
    main->showChild(new Child(QStringLiteral("FrmPrintMany"), &closed, false));
    main->showChild(new Child(QStringLiteral("NewTab"), &closed, false));
    main->Toolbar_ButtonClick(QStringLiteral("EXIT"));
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(closed, (QStringList{QStringLiteral("NewTab"), QStringLiteral("FrmPrintMany")}));
}

class SelfClosingDialog : public QDialog
{
public:
    explicit SelfClosingDialog(QWidget* parent) : QDialog(parent)
    {
        ++shown;
        QTimer::singleShot(0, this, &QDialog::accept);
    }
    static inline int shown = 0;
};

class EntryStandIn : public QWidget
{
public:
    explicit EntryStandIn(QWidget* parent) : QWidget(parent) { ++created; }
    static inline int created = 0;
};

TEST_F(MainWindowTest, OneLineRegistrationsOfDialogsAndChildWindows)
{
    main->show();
    EXPECT_TRUE(targets.registerModal<SelfClosingDialog>(QStringLiteral("About")));
    main->MENU_HELP_Click(2);
    EXPECT_EQ(SelfClosingDialog::shown, 1);

    EXPECT_TRUE(targets.registerMdiChild<EntryStandIn>(QStringLiteral("NewTab")));
    main->Toolbar_ButtonClick(QStringLiteral("NEW"));
    main->MENU_DJ_Click(0);
    EXPECT_EQ(EntryStandIn::created, 1);
    ASSERT_EQ(main->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(main->mdiArea()->subWindowList().first()->widget()->objectName(), QStringLiteral("NewTab"));
    // The program's icon, not Qt's.
    const QIcon icon = main->mdiArea()->subWindowList().first()->windowIcon();
    EXPECT_TRUE(!icon.isNull() && icon.cacheKey() == programIcon().cacheKey());
}

} // namespace
