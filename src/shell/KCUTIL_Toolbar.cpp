#include "KCUTIL_Toolbar.h"

#include "MainWindowServices.h"
#include "ShellNames.h"

#include <QTreeWidget>

namespace KCUTIL {

void Set_Toolbar_State(QTreeWidget* TvmDataList)
{
    MainWindowServices& main = mainWindow();
    if (!main.present()) return;
    if (TvmDataList && TvmDataList->topLevelItemCount() > 0) {
        if (!TvmDataList->currentItem())
            TvmDataList->setCurrentItem(TvmDataList->topLevelItem(TvmDataList->topLevelItemCount() - 1));
        const QTreeWidgetItem* node = TvmDataList->currentItem();
        // Only a registration leaf can be deleted: not "...", not a group node (one
        // whose children are not shown yet included).
        if (node->text(0) != QLatin1String("...") && node->childCount() == 0 &&
            node->childIndicatorPolicy() != QTreeWidgetItem::ShowIndicator) {
            main.setButtonEnabled(Keys::Print, true);
            main.setButtonEnabled(Keys::Del, true);
        } else {
            main.setButtonEnabled(Keys::Del, false);
        }
    }
    Sync_Menu_Toolbar();
}

void Sync_Menu_Toolbar()
{
    MainWindowServices& main = mainWindow();
    if (!main.present()) return;
    using Menu = MainCommands::Menu;
    main.setMenuItemEnabled(Menu::DJ, DjMenu::Save, main.buttonEnabled(Keys::Save));
    main.setMenuItemEnabled(Menu::DJ, DjMenu::Delete, main.buttonEnabled(Keys::Del));
    main.setMenuItemEnabled(Menu::DJ, DjMenu::Print, main.buttonEnabled(Keys::Print));
    // The batch print, disabled with Print when the window loads, comes back with it.
    main.setMenuItemEnabled(Menu::DJ, DjMenu::PrintMany, main.buttonEnabled(Keys::Print));
}

} // namespace KCUTIL
