#include "NavigatePanel.h"

#include "platform/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

NavigatePanel::NavigatePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pic3"));

    m_cobNavigate = new QComboBox(this);
    m_cobNavigate->setObjectName(QStringLiteral("cobNavigate"));
    m_cobNavigate->addItems(modes());

    m_tvDataList = new QTreeWidget(this);
    m_tvDataList->setObjectName(QStringLiteral("TvDataList"));
    m_tvDataList->setHeaderHidden(true);
    m_tvDataList->hide();

    m_tvmDataList = new QTreeWidget(this);
    m_tvmDataList->setObjectName(QStringLiteral("TvmDataList"));
    m_tvmDataList->setHeaderHidden(true);
    // Numbers and names are shown whole; a narrow panel scrolls sideways.
    for (QTreeWidget* tree : {m_tvDataList, m_tvmDataList}) {
        tree->setTextElideMode(Qt::ElideNone);
        tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        tree->header()->setStretchLastSection(false);
        tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

    m_command6 = new QPushButton(QStringLiteral("条 件 查 询"), this);
    m_command6->setObjectName(QStringLiteral("Command6"));
}

const QStringList& NavigatePanel::modes()
{
    static const QStringList texts = {QStringLiteral("登记号"), QStringLiteral("矿山-->登记号"),
                                      QStringLiteral("行政区-->矿山"), QStringLiteral("行政区-->登记号")};
    return texts;
}

void NavigatePanel::place(const EntryGeometry::Layout& l)
{
    auto pixels = [](const QRect& r) { return Twips::toPixels(r.x(), r.y(), r.width(), r.height()); };
    setGeometry(pixels(l.panel));
    m_cobNavigate->setGeometry(pixels(l.combo));
    m_command6->setGeometry(pixels(l.queryButton));
    m_tvDataList->setGeometry(pixels(l.regionTree));
    m_tvDataList->setVisible(l.regionTreeVisible);
    m_tvmDataList->setGeometry(pixels(l.registrationTree));
    m_tvmDataList->setVisible(l.registrationTreeVisible);
}
