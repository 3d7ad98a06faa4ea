#include "checks/ChecksTargets.h"
#include "editors/EditorsTargets.h"
#include "entry/EntryRecord.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "exchange/ExchangeTargets.h"
#include "printing/PrintingTargets.h"
#include "query/QueryTargets.h"
#include "regions/RegionTargets.h"
#include "shell/About.h"
#include "shell/CommandTargets.h"
#include "shell/DialogHooks.h"
#include "shell/FrmCode.h"
#include "shell/FrmPara.h"
#include "shell/FrmSysView.h"
#include "shell/MAINBAS.h"
#include "shell/ModMCD.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"
#include "platform/Application.h"

#include <QApplication>

#include <memory>

namespace {

// The windows and operations the main window reaches in the other parts of the
// program, one line each (see shell/CommandTargets.h). A command whose target is
// not registered here stays disabled.
void registerTargets(CommandTargets& targets)
{
    targets.registerModal<FrmCode>(QStringLiteral("FrmCode"));
    targets.registerModal<FrmPara>(QStringLiteral("FrmPara"));
    targets.registerModal<FrmSysView>(QStringLiteral("FrmSysView"));
    targets.registerModal<About>(QStringLiteral("About"));
    NewTab::Register(targets);
    EntryRecord::Register(targets);
    NAVIGATE::Register(targets);
    editors::registerTargets(targets);
    exchange::registerTargets(targets);
    checks::registerTargets(targets);
    printing::registerTargets(targets);
    query::registerTargets(targets);
    regions::registerTargets(targets);
    targets.setRunCheckTool([](int mode, const QString& systemName, TabMain&) { ModMCD::Run_Check_Tool(mode, systemName); });

    // The shell's dialogs press their toolbar button and write the status bar.
    dialogHooks().pressButton = [](const QString& key, bool pressed) {
        if (TabMain* main = TabMain::instance()) main->setButtonPressed(key, pressed);
    };
    dialogHooks().setPanelText = [](int panel, const QString& text) {
        if (TabMain* main = TabMain::instance()) main->setPanelText(panel, text);
    };
    // After the parameter dialog switched databases, the open entry window reloads its list.
    dialogHooks().reloadEntryList = [] {
        if (NewTab* entry = NewTab::instance()) entry->Get_Data_All();
    };
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app, QStringLiteral("Orvane"));

    CommandTargets targets;
    registerTargets(targets);

    std::unique_ptr<TabMain> mainWindow;
    const auto result = MAINBAS::Main(QCoreApplication::applicationDirPath(), [&] {
        mainWindow = std::make_unique<TabMain>(targets);
        state().MainWindow = mainWindow.get();
        mainWindow->show();
    });
    if (result != MAINBAS::StartResult::MainWindowShown) return 0;
    const int rc = QApplication::exec();
    state().MainWindow = nullptr;
    return rc;
}
