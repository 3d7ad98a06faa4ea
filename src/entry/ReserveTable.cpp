#include "ReserveTable.h"

#include "ColumnAlignDelegate.h"

#include "registration/form/FormControl.h"
#include "registration/form/FormLayout.h"
#include "registration/form/ReserveTableLayout.h"
#include "registration/navigation/ReserveGridRows.h"

#include "platform/Twips.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

QFont songTi9()
{
    return FormFonts::font(FormFonts::SongTi, 9);
}

const QString GridStyle = QStringLiteral(
    "QTableWidget { border: 1px solid black; gridline-color: black; background: white; color: black; }"
    "QTableWidget::item { padding: 0px; }");

void prepareGrid(QTableWidget* grid)
{
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->setStyleSheet(GridStyle);
    grid->setFont(songTi9());
    grid->setTextElideMode(Qt::ElideNone);
    // Columns and rows take the sizes of the form, however narrow.
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
}

// Column widths in pixels such that every column edge falls on the pixel of its
// position in twips.
void setColumnWidthsTwips(QTableWidget* grid, const QList<int>& widths)
{
    int x = 0;
    for (int c = 0; c < widths.size(); ++c) {
        const int px0 = Twips::toPixelsX(x);
        x += widths[c];
        grid->setColumnWidth(c, Twips::toPixelsX(x) - px0);
    }
}

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

QTableWidget* ReserveTable::createGrid(const FormControl& c, QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    prepareGrid(grid);
    if (c.name == QLatin1String("THFLEX")) {
        m_header = grid;
        grid->setItemDelegate(new ColumnAlignDelegate([](int, int) { return Qt::AlignCenter; }, true, grid));
        grid->setFocusPolicy(Qt::NoFocus);
        grid->setSelectionMode(QAbstractItemView::NoSelection);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        m_body = grid;
        grid->setItemDelegate(new ColumnAlignDelegate(
            [](int, int column) {
                return ReserveTableLayout::bodyColumnLeftAligned(column) ? Qt::AlignLeft | Qt::AlignVCenter
                                                                         : Qt::AlignCenter;
            },
            true, grid));
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    return grid;
}

void ReserveTable::Init_Table_Grids()
{
    namespace R = ReserveTableLayout;
    const FormControl* shape = FormLayout::find(QStringLiteral("Shape1"), 0);
    const FormControl* header = FormLayout::find(QStringLiteral("THFLEX"));
    const QList<int> widths = R::columnWidths();
    const int width = R::totalWidth();

    QTableWidget* th = m_header;
    th->setUpdatesEnabled(false);
    th->clearSpans();
    th->clear();
    th->setWordWrap(true);
    th->setRowCount(R::HeaderRows);
    th->setColumnCount(R::ColumnCount);
    th->setFont(songTi9());
    int y = 0;
    for (int r = 0; r < R::HeaderRows; ++r) {
        const int px0 = Twips::toPixelsY(y);
        y += R::headerRowHeight();
        th->setRowHeight(r, Twips::toPixelsY(y) - px0);
        const QStringList titles = R::headerRow(r);
        for (int c = 0; c < R::ColumnCount; ++c) {
            QString title = titles[c];
            title.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            th->setItem(r, c, fixedItem(title));
        }
    }
    setColumnWidthsTwips(th, widths);
    const int frame = 2 * th->frameWidth();
    QRect g = Twips::toPixels(shape->left, header->top, width, R::headerHeight());
    th->setGeometry(g.x(), g.y(), g.width() + frame, g.height() + frame);
    th->setUpdatesEnabled(true);
    for (const R::Span& span : R::headerSpans())
        th->setSpan(span.row, span.column, span.rows, span.columns);

    QTableWidget* tb = m_body;
    tb->setUpdatesEnabled(false);
    tb->clearSpans();
    tb->clear();
    tb->setRowCount(0);
    tb->setColumnCount(R::ColumnCount);
    tb->setFont(songTi9());
    tb->setWordWrap(true);
    setColumnWidthsTwips(tb, widths);
    const int bodyTop = header->top + R::headerHeight() - R::BodyOverlap;
    g = Twips::toPixels(shape->left, bodyTop, width, R::bodyHeight());
    tb->setGeometry(g.x(), g.y(), g.width() + frame, g.height());
    tb->setUpdatesEnabled(true);
    tb->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tb->raise();
}

void ReserveTable::show(const ReserveGridRows& g)
{
    QTableWidget* tb = m_body;
    tb->setUpdatesEnabled(false);
    tb->clearSpans();
    tb->clearContents();
    tb->setRowCount(0);
    tb->setRowCount(int(g.rows.size()));
    for (int r = 0; r < g.rows.size(); ++r) {
        for (int c = 0; c < ReserveGridRows::ColumnCount; ++c)
            tb->setItem(r, c, fixedItem(g.rows[r].value(c)));
    }
    for (const ReserveGridRows::Span& span : g.spans)
        tb->setSpan(span.row, span.column, span.rowCount, 1);
    tb->resizeRowsToContents();
    tb->setUpdatesEnabled(true);
}
