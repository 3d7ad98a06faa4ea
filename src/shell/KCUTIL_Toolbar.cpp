#include "KCUTIL_Toolbar.h"

#include "MainWindowServices.h"
#include "ShellNames.h"

#include <QTreeView>

namespace KCUTIL {

void Set_Toolbar_State(QTreeView* TvmDataList)
{
    MainWindowServices& main = mainWindow();
    if (!main.present()) return;
    const QAbstractItemModel* list = TvmDataList ? TvmDataList->model() : nullptr;
    if (list && list->rowCount() > 0) {
        if (!TvmDataList->currentIndex().isValid()) {
            // Choosing the closing node by code leaves the list where it is: a list
            // just built opens at its top, not scrolled to its end.
            const bool scrolls = TvmDataList->hasAutoScroll();
            TvmDataList->setAutoScroll(false);
            TvmDataList->setCurrentIndex(list->index(list->rowCount() - 1, 0));
            TvmDataList->setAutoScroll(scrolls);
        }
        const QModelIndex node = TvmDataList->currentIndex();
        // Only a registration leaf can be deleted: not "...", not a group node (one
        // whose children are not shown yet included).
        if (node.data().toString() != QLatin1String("...") && !list->hasChildren(node)) {
            main.setButtonEnabled(Keys::Print, true);
            main.setButtonEnabled(Keys::Del, true);
        } else {
            main.setButtonEnabled(Keys::Del, false);
        }
    } else if (list) {
        // An empty list (a region mode before its region is chosen) holds nothing to
        // delete, whatever the pages still show.
        main.setButtonEnabled(Keys::Del, false);
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
