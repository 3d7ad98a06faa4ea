#include "KnPage.h"

#include "registration/form/CellText.h"
#include "registration/form/FormLayout.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

bool hasOption(const QString& tag, QChar letter)
{
    for (const QString& item : tag.split(QLatin1Char(','))) {
        const QString t = item.trimmed();
        if (!t.isEmpty() && t[0].toUpper() == letter) return true;
    }
    return false;
}

// Offset of a frame's controls on the page.
QPoint frameOffset(const FormControl& c)
{
    if (c.container != FormLayout::FrameContainer) return {};
    const FormControl* frame = FormLayout::find(FormLayout::FrameContainer);
    return frame ? QPoint(frame->left, frame->top) : QPoint();
}

} // namespace

KnPage::KnPage(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    setObjectName(QStringLiteral("KNPIC(%1)").arg(index));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(Twips::toPixelsX(FormLayout::PageWidth), Twips::toPixelsY(FormLayout::PageHeight));
}

void KnPage::drawCaption(QPainter& p, const FormControl& c, const QRect& rect)
{
    const QString caption = c.caption;
    if (caption.isEmpty()) return;
    p.setFont(FormFonts::fontOf(c));
    const QFontMetrics fm(p.font());
    const int charWidth = fm.horizontalAdvance(QStringLiteral("中"));

    if (hasOption(c.tag, QLatin1Char('F'))) {
        QString s = caption;
        s.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
        const int n = int(s.size());
        const double step = n > 1 ? charWidth + double(rect.width() - n * charWidth) / (n - 1) : 0.0;
        for (int i = 0; i < n; ++i) {
            const QRect cell(rect.left() + int(i * step), rect.top(), charWidth, rect.height());
            p.drawText(cell, Qt::AlignCenter, QString(s[i]));
        }
        return;
    }

    // Otherwise by its alignment, centred vertically; a column too narrow for two
    // characters stands the caption upright, one character under the other.
    int align = Qt::AlignVCenter;
    switch (c.alignment) {
    case FormControl::Align::Left:
        align |= Qt::AlignLeft;
        break;
    case FormControl::Align::Right:
        align |= Qt::AlignRight;
        break;
    case FormControl::Align::Center:
        align |= Qt::AlignHCenter;
        break;
    }
    CellText::draw(p, rect, caption, align);
}

void KnPage::paintEvent(QPaintEvent*)
{
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
    }
    if (m_underlay) m_underlay(*this);

    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    for (const FormControl* c : FormLayout::pageControls(m_index)) {
        const QPoint off = frameOffset(*c);
        switch (c->kind) {
        case FormControl::Kind::Line:
            p.drawLine(Twips::toPixelsX(c->x1() + off.x()), Twips::toPixelsY(c->y1() + off.y()),
                       Twips::toPixelsX(c->x2() + off.x()), Twips::toPixelsY(c->y2() + off.y()));
            break;
        case FormControl::Kind::Shape: {
            const QRect r = Twips::toPixels(c->left + off.x(), c->top + off.y(), c->width, c->height);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        }
        case FormControl::Kind::Label:
            if (c->visible) {
                drawCaption(p, *c, Twips::toPixels(c->left + off.x(), c->top + off.y(), c->width, c->height));
            }
            break;
        case FormControl::Kind::TextBox:
            // An underlined box (print option X) shows its line on the sheet too.
            if (c->visible && hasOption(c->tag, QLatin1Char('X'))) {
                const int y = Twips::toPixelsY(c->bottom() + off.y()) - 1;
                p.drawLine(Twips::toPixelsX(c->left + off.x()), y, Twips::toPixelsX(c->right() + off.x()), y);
            }
            break;
        default:
            break;
        }
    }
}
