#include "MainWindowHost.h"

#include "platform/Twips.h"
#include "shell/KCUTIL_Toolbar.h"
#include "shell/TabMain.h"

#include <QStatusBar>
#include <QToolBar>

#include <cmath>

namespace {

TabMain* tabMain()
{
    return TabMain::instance();
}

int twipsY(int pixels)
{
    return int(std::lround(Twips::fromPixelsY(pixels)));
}

} // namespace

bool MainWindowHost::buttonEnabled(const QString& key) const
{
    TabMain* main = tabMain();
    return main && main->buttonEnabled(key);
}

void MainWindowHost::setButtonEnabled(const QString& key, bool enabled)
{
    if (TabMain* main = tabMain()) main->setButtonEnabled(key, enabled);
}

void MainWindowHost::setButtonPressed(const QString& key, bool pressed)
{
    if (TabMain* main = tabMain()) main->setButtonPressed(key, pressed);
}

bool MainWindowHost::menuItemEnabled(int index) const
{
    TabMain* main = tabMain();
    return main && main->menuItemEnabled(TabMain::Menu::DJ, index);
}

void MainWindowHost::setMenuItemEnabled(int index, bool enabled)
{
    if (TabMain* main = tabMain()) main->setMenuItemEnabled(TabMain::Menu::DJ, index, enabled);
}

void MainWindowHost::setPanelText(int panel, const QString& text)
{
    if (TabMain* main = tabMain()) main->setPanelText(panel, text);
}

void MainWindowHost::pressSave()
{
    if (TabMain* main = tabMain()) main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
}

void MainWindowHost::setToolbarState(QTreeWidget* registrationList)
{
    if (tabMain()) KCUTIL::Set_Toolbar_State(registrationList);
}

void MainWindowHost::syncMenuToolbar()
{
    if (tabMain()) KCUTIL::Sync_Menu_Toolbar();
}

int MainWindowHost::windowHeight() const
{
    TabMain* main = tabMain();
    return main ? twipsY(main->height()) : 0;
}

int MainWindowHost::statusBarHeight() const
{
    TabMain* main = tabMain();
    return main ? twipsY(main->statusBar()->height()) : 0;
}

int MainWindowHost::toolBarHeight() const
{
    TabMain* main = tabMain();
    const QToolBar* bar = main ? main->findChild<QToolBar*>(QStringLiteral("Toolbar")) : nullptr;
    return bar ? twipsY(bar->height()) : 0;
}

QMdiArea* MainWindowHost::mdiArea() const
{
    TabMain* main = tabMain();
    return main ? main->mdiArea() : nullptr;
}
