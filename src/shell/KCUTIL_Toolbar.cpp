#include "KCUTIL_Toolbar.h"

#include "TabMain.h"

#include <QTreeWidget>

namespace KCUTIL {

void Set_Toolbar_State(QTreeWidget* TvmDataList)
{
    TabMain* main = TabMain::instance();
    if (!main) return;
    if (TvmDataList && TvmDataList->topLevelItemCount() > 0) {
        if (!TvmDataList->currentItem())
            TvmDataList->setCurrentItem(TvmDataList->topLevelItem(TvmDataList->topLevelItemCount() - 1));
        if (TvmDataList->currentItem()->text(0) != QLatin1String("...")) {
            main->setButtonEnabled(QStringLiteral("PRINT"), true);
            main->setButtonEnabled(QStringLiteral("DEL"), true);
        } else {
            main->setButtonEnabled(QStringLiteral("DEL"), false);
        }
    }
    Sync_Menu_Toolbar();
}

void Sync_Menu_Toolbar()
{
    TabMain* main = TabMain::instance();
    if (!main) return;
    using Menu = TabMain::Menu;
    main->setMenuItemEnabled(Menu::DJ, 2, main->buttonEnabled(QStringLiteral("SAVE")));
    main->setMenuItemEnabled(Menu::DJ, 3, main->buttonEnabled(QStringLiteral("DEL")));
    main->setMenuItemEnabled(Menu::DJ, 5, main->buttonEnabled(QStringLiteral("PRINT")));
    // The batch print, disabled with Print when the window loads, comes back with it.
    main->setMenuItemEnabled(Menu::DJ, 6, main->buttonEnabled(QStringLiteral("PRINT")));
}

} // namespace KCUTIL
