#include "app/ProgramTargets.h"
#include "platform/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    return runProgram(app, QCoreApplication::applicationDirPath());
}
