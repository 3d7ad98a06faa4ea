#include "app/ProgramTargets.h"
#include "platform/Application.h"
#include "shell/CommandTargets.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app, QStringLiteral("Orvane"));

    CommandTargets targets;
    std::unique_ptr<TabMain> mainWindow;
    const auto result = startProgram(QCoreApplication::applicationDirPath(), targets, mainWindow);
    if (result != MAINBAS::StartResult::MainWindowShown) return 0;
    const int rc = QApplication::exec();
    state().MainWindow = nullptr;
    return rc;
}
