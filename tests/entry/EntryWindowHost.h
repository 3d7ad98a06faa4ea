#pragma once

#include "entry/NewTab.h"
#include "support/FakeMainWindow.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

// A child-window area with a FakeMainWindow installed, for tests of the entry window
// without the real main window. The fixture calls showArea() in its set-up and
// closeArea() in its tear-down.
class EntryWindowHost
{
protected:
    void showArea(const QSize& size)
    {
        m_area = new QMdiArea;
        m_area->resize(size);
        m_area->show();
        m_host.area = m_area;
        m_host.install();
    }
    void closeArea()
    {
        delete m_area;
        QApplication::processEvents();
        installMainWindowServices(nullptr);
    }

    // Opens the entry window as the main window shows a child window; the child
    // window deletes itself on closing when `deleteOnClose`.
    NewTab* open(bool deleteOnClose = false)
    {
        auto* window = new NewTab(nullptr);
        QMdiSubWindow* sub = m_area->addSubWindow(window);
        if (deleteOnClose) sub->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        sub->show();
        m_area->setActiveSubWindow(sub);
        QApplication::processEvents();
        m_window = window;
        return window;
    }

    QMdiArea* m_area = nullptr;
    FakeMainWindow m_host;
    QPointer<NewTab> m_window;
};
