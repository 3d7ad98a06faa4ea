#include "app/ProgramTargets.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return runProgram(app, QCoreApplication::applicationDirPath());
}
