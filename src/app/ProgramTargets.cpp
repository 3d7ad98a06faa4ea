#include "app/ProgramTargets.h"

#include "checks/ChecksTargets.h"
#include "editors/EditorsTargets.h"
#include "entry/EntryTargets.h"
#include "exchange/ExchangeTargets.h"
#include "platform/Application.h"
#include "printing/PrintingTargets.h"
#include "query/QueryTargets.h"
#include "regions/RegionTargets.h"
#include "shell/CommandTargets.h"
#include "shell/ProgramState.h"
#include "shell/ShellTargets.h"
#include "shell/TabMain.h"

#include <QApplication>

void registerProgramTargets(CommandTargets& targets)
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

MAINBAS::StartResult startProgram(const QString& programDir, CommandTargets& targets,
                                  std::unique_ptr<TabMain>& window)
{
    registerProgramTargets(targets);
    return MAINBAS::Main(programDir, [&] {
        window = std::make_unique<TabMain>(targets);
        state().MainWindow = window.get();
        window->show();
    });
}

int runProgram(QApplication& app, const QString& programDir)
{
    prepareApplication(app, QStringLiteral("Orvane"));
    CommandTargets targets;
    std::unique_ptr<TabMain> mainWindow;
    if (startProgram(programDir, targets, mainWindow) != MAINBAS::StartResult::MainWindowShown) return 0;
    const int rc = QApplication::exec();
    state().MainWindow = nullptr;
    return rc;
}
