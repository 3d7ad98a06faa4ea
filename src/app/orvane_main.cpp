#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QFont>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    // Set the font explicitly so Chinese never falls back to another script.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);

    std::unique_ptr<TabMain> mainWindow;
    const auto result = MAINBAS::Main(QCoreApplication::applicationDirPath(), [&] {
        mainWindow = std::make_unique<TabMain>();
        state().MainWindow = mainWindow.get();
        mainWindow->show();
    });
    if (result != MAINBAS::StartResult::MainWindowShown) return 0;
    const int rc = QApplication::exec();
    state().MainWindow = nullptr;
    return rc;
}
