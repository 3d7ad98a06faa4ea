#include "MainWindowHost.h"

#include "platform/Twips.h"
#include "shell/KCUTIL_Toolbar.h"
#include "shell/MainWindowServices.h"
#include "shell/ShellNames.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>

namespace {

using Menu = MainCommands::Menu;

// The main window's frame, or nullptr while there is none.
QMainWindow* frame()
{
    return qobject_cast<QMainWindow*>(mainWindow().dialogParent());
}

int twipsY(int pixels)
{
    return int(std::lround(Twips::fromPixelsY(pixels)));
}

} // namespace

bool MainWindowHost::buttonEnabled(const QString& key) const
{
    return mainWindow().buttonEnabled(key);
}

void MainWindowHost::setButtonEnabled(const QString& key, bool enabled)
{
    mainWindow().setButtonEnabled(key, enabled);
}

void MainWindowHost::setButtonPressed(const QString& key, bool pressed)
{
    mainWindow().pressButton(key, pressed);
}

bool MainWindowHost::menuItemEnabled(int index) const
{
    return mainWindow().menuItemEnabled(Menu::DJ, index);
}

void MainWindowHost::setMenuItemEnabled(int index, bool enabled)
{
    mainWindow().setMenuItemEnabled(Menu::DJ, index, enabled);
}

void MainWindowHost::setPanelText(int panel, const QString& text)
{
    mainWindow().setPanelText(panel, text);
}

void MainWindowHost::pressSave()
{
    mainWindow().clickButton(Keys::Save);
}

void MainWindowHost::setToolbarState(QTreeWidget* registrationList)
{
    if (mainWindow().present()) KCUTIL::Set_Toolbar_State(registrationList);
}

void MainWindowHost::syncMenuToolbar()
{
    if (mainWindow().present()) KCUTIL::Sync_Menu_Toolbar();
}

int MainWindowHost::windowHeight() const
{
    QMainWindow* main = frame();
    return main ? twipsY(main->height()) : 0;
}

int MainWindowHost::statusBarHeight() const
{
    QMainWindow* main = frame();
    return main ? twipsY(main->statusBar()->height()) : 0;
}

int MainWindowHost::toolBarHeight() const
{
    QMainWindow* main = frame();
    const QToolBar* bar = main ? main->findChild<QToolBar*>(QStringLiteral("Toolbar")) : nullptr;
    return bar ? twipsY(bar->height()) : 0;
}

QMdiArea* MainWindowHost::mdiArea() const
{
    QMainWindow* main = frame();
    return main ? qobject_cast<QMdiArea*>(main->centralWidget()) : nullptr;
}
