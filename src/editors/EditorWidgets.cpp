#include "EditorWidgets.h"

#include "platform/Twips.h"
#include "registration/form/FormFonts.h"

#include <QLabel>

namespace editors::EditorWidgets {

QFont songti(double points, bool bold)
{
    return FormFonts::font(FormFonts::SongTi, points, bold);
}

void addBanner(QWidget* window, const QString& title)
{
    auto* banner = new QWidget(window);
    banner->setObjectName(QStringLiteral("Picture1"));
    banner->setGeometry(0, 0, window->width(), Twips::toPixelsY(585));
    banner->setAutoFillBackground(true);
    QPalette pal = banner->palette();
    pal.setColor(QPalette::Window, Qt::white);
    banner->setPalette(pal);
    auto* label = new QLabel(title, banner);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(songti(9, true));
    label->setGeometry(Twips::toPixels(360, 0, 6000, 585));
}

QLabel* addHelp(QWidget* window, const QString& text, int left, int width)
{
    auto* help = new QLabel(text, window);
    help->setObjectName(QStringLiteral("Label2"));
    help->setWordWrap(true);
    help->setFont(songti(9));
    help->setGeometry(Twips::toPixels(left, HelpTop, width, HelpBottom - HelpTop));
    return help;
}

} // namespace editors::EditorWidgets
