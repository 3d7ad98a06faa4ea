#include "NavigatePanel.h"

#include "FitFont.h"
#include "NavigateTree.h"

#include "platform/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>

NavigatePanel::NavigatePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pic3"));

    m_cobNavigate = new QComboBox(this);
    m_cobNavigate->setObjectName(QStringLiteral("cobNavigate"));
    m_cobNavigate->addItems(modes());

    m_tvDataList = new NavigateTree(this);
    m_tvDataList->setObjectName(QStringLiteral("TvDataList"));
    m_tvDataList->setHeaderHidden(true);
    m_tvDataList->hide();

    m_tvmDataList = new NavigateTree(this);
    m_tvmDataList->setObjectName(QStringLiteral("TvmDataList"));
    m_tvmDataList->setHeaderHidden(true);
    // Numbers and names are shown whole; a narrow panel scrolls sideways. The width is
    // that of the rows on the screen, which the view measures again as it scrolls:
    // measuring a thousand rows of a long list at every change of the selection took
    // longer than reading the list.
    for (NavigateTree* tree : {m_tvDataList, m_tvmDataList}) {
        QHeaderView* header = tree->header();
        tree->setTextElideMode(Qt::ElideNone);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setResizeContentsPrecision(0);
        header->setStretchLastSection(false);
        tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

    m_listFont = m_tvmDataList->font();

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
    // A whole registration number fits the list's width beside its indentation and
    // a vertical scroll bar; a narrow panel makes the font smaller.
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_tvmDataList);
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_tvmDataList) + 1);
    const int width = m_tvmDataList->width() - 2 * m_tvmDataList->frameWidth() - extent -
                      m_tvmDataList->indentation() - margin;
    const QFont fitted = Fit_Font_To_Width(m_listFont, QStringLiteral("4510104082001"), width);
    if (fitted != m_tvmDataList->font()) m_tvmDataList->setFont(fitted);
}
