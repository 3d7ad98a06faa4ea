#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Aligns the cells of a grid by column (or by any rule of row and column), as a grid
// whose alignment is a property of its columns, and draws their text as the form's
// small cells show it: with word wrap, every line inside the cell and nothing
// elided, however many lines the cell's height must hold.
class ColumnAlignDelegate : public QStyledItemDelegate
{
public:
    using Rule = std::function<Qt::Alignment(int row, int column)>;
    ColumnAlignDelegate(Rule rule, bool wordWrap, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Rule m_rule;
    bool m_wordWrap;
};
