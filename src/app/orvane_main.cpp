#include "entry/EntryTargets.h"
#include "exchange/xml/XmlTargets.h"
#include "shell/CommandTargets.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/ShellTargets.h"
#include "shell/TabMain.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QFont>

#include <memory>

namespace {

// The windows and operations the main window reaches in the other parts of the
// program: one line per library (see shell/CommandTargets.h). A command whose
// target is not registered stays disabled.
void registerTargets(CommandTargets& targets)
{
    shell::registerTargets(targets);
    entry::registerTargets(targets);
    exchange::registerXmlTargets(targets);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    installChineseTranslations(app);
    // Set the font explicitly so Chinese never falls back to another script.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);

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
