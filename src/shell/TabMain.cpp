#include "TabMain.h"

#include <QMdiArea>

TabMain::TabMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Orvane"));
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    resize(1024, 720);
}
