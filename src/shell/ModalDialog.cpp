#include "ModalDialog.h"

#include "MainWindowServices.h"
#include "ShellNames.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

ModalDialog::ModalDialog(QWidget* parent, const QString& key, const QString& activity)
    : QDialog(parent), m_key(key), m_activity(activity)
{
    setModal(true);
}

ModalDialog::~ModalDialog()
{
    releaseMark();
}

void ModalDialog::markOpen()
{
    if (m_marked) return;
    m_marked = true;
    if (!m_key.isEmpty()) mainWindow().pressButton(m_key, true);
    if (!m_activity.isEmpty()) mainWindow().setPanelText(1, m_activity);
}

void ModalDialog::centreOnScreen()
{
    m_centred = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->availableGeometry();
    move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
}

void ModalDialog::showEvent(QShowEvent* event)
{
    markOpen();
    if (m_centred) centreOnScreen();
    QDialog::showEvent(event);
}

void ModalDialog::keyPressEvent(QKeyEvent* event)
{
    // A button without autoDefault passes Enter on to its dialog.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && button && button->isVisible() && button->isEnabled()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ModalDialog::done(int result)
{
    releaseMark();
    QDialog::done(result);
}

void ModalDialog::releaseMark()
{
    if (!m_marked) return;
    m_marked = false;
    if (!m_key.isEmpty()) mainWindow().pressButton(m_key, false);
    if (!m_activity.isEmpty()) mainWindow().setPanelText(1, StatusText::Idle);
}
