#include "PrintingTargets.h"

#include "FrmPrintMany.h"
#include "FrmPrintSelect.h"

#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ShellNames.h"

#include <QPointer>

namespace printing {

void registerTargets(CommandTargets& targets)
{
    targets.registerModal<FrmPrintSelect>(WindowNames::FrmPrintSelect);
    targets.registerWindow(WindowNames::FrmPrintMany, [](TabMain&) {
        static QPointer<FrmPrintMany> window;
        if (!window) {
            window = new FrmPrintMany(mainWindow().dialogParent());
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
}

} // namespace printing
