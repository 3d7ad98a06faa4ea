#include "platform/Translations.h"
#include "upgrade/ui/Frm_Main.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    installChineseTranslations(app);
    // Set the font explicitly so Chinese never falls back to another script.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);

    Frm_Main window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
