#include "Application.h"

#include "Translations.h"

#include <QApplication>
#include <QFont>

void prepareApplication(QApplication& app, const QString& name)
{
    QApplication::setApplicationName(name);
    installChineseTranslations(app);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);
}
