#include "CheckProgressBar.h"

#include <QProgressBar>

namespace checks {

QProgressBar* newCheckProgressBar(QWidget* parent, const QString& name)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    QSizePolicy keepPlace = bar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    bar->setSizePolicy(keepPlace);
    bar->hide();
    return bar;
}

} // namespace checks
