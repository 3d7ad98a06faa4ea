#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: the frame of the entry window and the batch-print window, with
// the menus, the toolbar and the status bar from which everything else is opened.
class TabMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TabMain(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdi; }

private:
    QMdiArea* m_mdi = nullptr;
};
