#include "Application.h"

#include "ProgramIcon.h"
#include "Translations.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QThreadPool>

#include <csignal>

void prepareProcess()
{
    // A temporary file cut short by the signal would be left behind.
    std::signal(SIGXFSZ, SIG_IGN);
}

void prepareApplication(QApplication& app, const QString& name)
{
    QApplication::setApplicationName(name);
    // Also where the program starts without its main(): runProgram in a test, the
    // start-up benchmark.
    prepareProcess();
    // The first window waits for the list of the system's fonts, which does not
    // depend on the program: it is read in the background while the program reads
    // its settings and opens its database.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    installChineseTranslations(app);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);
    QApplication::setWindowIcon(programIcon());
}
