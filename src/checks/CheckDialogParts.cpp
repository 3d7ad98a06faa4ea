#include "CheckDialogParts.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

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

QHBoxLayout* newCheckButtonRow(QWidget* parent, const QString& name, const QStringList& captions,
                               const QList<int>& order, bool stretch, QPushButton** buttons,
                               const std::function<void(int)>& clicked)
{
    auto* row = new QHBoxLayout;
    if (stretch) row->addStretch(1);
    for (int i : order) {
        buttons[i] = new QPushButton(captions.at(i), parent);
        buttons[i]->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        buttons[i]->setAutoDefault(false);
        row->addWidget(buttons[i]);
        QObject::connect(buttons[i], &QPushButton::clicked, parent, [clicked, i] { clicked(i); });
    }
    return row;
}

} // namespace checks
