#include "ExchangeWindow.h"

#include "shell/KCUTIL_Paths.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace exchange {

QLabel* bannerLabel(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPointSize(14);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* dialogButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QProgressBar* progressBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("PBar"));
    bar->setVisible(false);
    return bar;
}

Progress barProgress(QProgressBar* bar)
{
    return [bar](int done, int total) {
        if (total < 1) return true;
        if (bar->maximum() != total) bar->setMaximum(total);
        bar->setValue(done);
        bar->setVisible(true);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
}

void hideProgress(QProgressBar* bar)
{
    bar->setVisible(false);
    bar->setValue(0);
}

QString workingDatabasePath()
{
    return MAINBAS::Database_File();
}

QString templatePath()
{
    return KCUTIL::joinPath(state().ProgramDir, QStringLiteral("djk.sys"));
}

} // namespace exchange
