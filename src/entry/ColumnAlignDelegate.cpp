#include "ColumnAlignDelegate.h"

#include "registration/form/CellText.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

ColumnAlignDelegate::ColumnAlignDelegate(Rule rule, bool wordWrap, QObject* parent)
    : QStyledItemDelegate(parent), m_rule(std::move(rule)), m_wordWrap(wordWrap)
{
}

void ColumnAlignDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    const QString text = o.text;
    o.text.clear();
    const QWidget* widget = o.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, painter, widget);
    painter->save();
    painter->setFont(o.font);
    painter->setPen(
        o.palette.color((o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    const QRect r = o.rect.adjusted(1, 0, -1, 0);
    if (m_wordWrap) {
        CellText::draw(*painter, r, text, int(o.displayAlignment));
    } else {
        painter->drawText(r, int(o.displayAlignment), text);
    }
    painter->restore();
}

void ColumnAlignDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = m_rule(index.row(), index.column());
}
