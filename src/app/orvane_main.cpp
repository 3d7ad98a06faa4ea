#include "checks/ChecksTargets.h"
#include "editors/EditorsTargets.h"
#include "entry/EntryTargets.h"
#include "exchange/ExchangeTargets.h"
#include "platform/Application.h"
#include "printing/PrintingTargets.h"
#include "query/QueryTargets.h"
#include "regions/RegionTargets.h"
#include "shell/CommandTargets.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/ShellTargets.h"
#include "shell/TabMain.h"

#include <QApplication>

#include <memory>

namespace {

// The windows and operations the main window reaches in the other subsystems:
// one line per library (see shell/CommandTargets.h). A command whose
// target is not registered stays disabled.
void registerTargets(CommandTargets& targets)
{
    shell::registerTargets(targets);
    entry::registerTargets(targets);
    editors::registerTargets(targets);
    exchange::registerTargets(targets);
    checks::registerTargets(targets);
    printing::registerTargets(targets);
    query::registerTargets(targets);
    regions::registerTargets(targets);
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
