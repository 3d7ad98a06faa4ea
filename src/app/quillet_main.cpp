#include "platform/Application.h"
#include "upgrade/ui/Frm_Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    prepareApplication(app, QStringLiteral("Quillet"));
    Frm_Main window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
