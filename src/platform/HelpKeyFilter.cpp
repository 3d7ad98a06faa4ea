#include "HelpKeyFilter.h"

#include "HelpViewer.h"

#include <QKeyEvent>
#include <QWidget>

HelpKeyFilter::HelpKeyFilter(std::function<QString()> helpFile, QObject* parent)
    : QObject(parent), m_helpFile(std::move(helpFile))
{
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the filter once per widget on its way up the parents;
    // only its first receiver, a widget, counts.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            HelpViewer::open(m_helpFile(), static_cast<QWidget*>(watched)->window());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
