#include "Wheel.h"

#include "EntryGeometry.h"
#include "NewTab.h"
#include "NewTabControls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
Wheel* g_hook = nullptr;
} // namespace

Wheel::Wheel(NewTab* window) : QObject(nullptr), m_window(window) {}

void Wheel::Wheel_Hook(NewTab* window)
{
    delete g_hook;
    g_hook = new Wheel(window);
    qApp->installEventFilter(g_hook);
}

void Wheel::Wheel_UnHook(NewTab* window)
{
    if (!g_hook || g_hook->m_window != window) return;
    delete g_hook; // removes itself from the application's filters
    g_hook = nullptr;
}

bool Wheel::isHooked(const NewTab* window)
{
    return g_hook && g_hook->m_window == window;
}

bool Wheel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel || !m_window) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != m_window && !m_window->isAncestorOf(widget))) return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint delta = wheel->angleDelta();
    if (delta.y() == 0 && delta.x() != 0) return false; // a sideways tilt is no wheel turn

    const QPoint pos = m_window->mapFromGlobal(wheel->globalPosition().toPoint());
    if (EntryGeometry::strictlyInside(controlsOf(m_window).Pic1()->geometry(), pos)) {
        QScrollBar* bar = controlsOf(m_window).VScroll1();
        bar->setValue(EntryGeometry::wheelValue(bar->value(), bar->minimum(), bar->maximum(), delta.y()));
        return true;
    }
    // The navigation list and trees scroll themselves.
    for (QWidget* w = widget; w && w != m_window; w = w->parentWidget())
        if (qobject_cast<QAbstractItemView*>(w)) return false;
    return true;
}
