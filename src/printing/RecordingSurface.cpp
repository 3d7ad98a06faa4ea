#include "RecordingSurface.h"

#include <algorithm>

void RecordingSurface::setFont(const QString& name, double size, bool bold)
{
    m_font = name;
    m_size = size;
    m_bold = bold;
}

double RecordingSurface::textWidth(const QString& text) const
{
    double w = 0;
    for (const QChar c : text)
        w += c.unicode() > 127 ? m_size * 20 : m_size * 10;
    return w;
}

double RecordingSurface::textHeight(const QString&) const
{
    return m_size * 20;
}

void RecordingSurface::add(Op::Kind kind, double x, double y, double x2, double y2, const QString& text)
{
    Op op;
    op.kind = kind;
    op.x = x;
    op.y = y;
    op.x2 = x2;
    op.y2 = y2;
    op.text = text;
    if (m_sheets == 0) m_sheets = 1; // drawing without an opened document still uses a sheet
    op.sheet = m_sheets - 1;
    op.font = m_font;
    op.size = m_size;
    op.bold = m_bold;
    op.lineWidth = m_lineWidth;
    ops.append(op);
}

void RecordingSurface::printText(double x, double y, const QString& text)
{
    add(Op::Kind::Text, x, y, x + textWidth(text), y + textHeight(text), text);
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2)
{
    add(Op::Kind::Line, x1, y1, x2, y2);
}

void RecordingSurface::drawBox(double x, double y, double w, double h)
{
    add(Op::Kind::Box, x, y, x + w, y + h);
}

void RecordingSurface::beginDocument()
{
    if (m_open) return;
    if (m_ended || m_sheets == 0) ++m_sheets;
    m_open = true;
    m_ended = false;
    ++m_documents;
    add(Op::Kind::BeginDocument);
}

void RecordingSurface::newSheet()
{
    ++m_sheets;
    add(Op::Kind::NewSheet);
}

void RecordingSurface::endDocument()
{
    if (!m_open) return;
    m_open = false;
    m_ended = true;
    add(Op::Kind::EndDocument);
}

void RecordingSurface::drawAreaMap(const AreaMapSource&)
{
    add(Op::Kind::Map);
}

QList<RecordingSurface::Op> RecordingSurface::of(Op::Kind kind, int sheet) const
{
    QList<Op> out;
    for (const Op& op : ops) {
        if (op.kind == kind && (sheet < 0 || op.sheet == sheet)) out.append(op);
    }
    return out;
}

QList<RecordingSurface::Op> RecordingSurface::texts(int sheet) const
{
    return of(Op::Kind::Text, sheet);
}

QList<RecordingSurface::Op> RecordingSurface::lines(int sheet) const
{
    return of(Op::Kind::Line, sheet);
}

QList<RecordingSurface::Op> RecordingSurface::boxes(int sheet) const
{
    return of(Op::Kind::Box, sheet);
}

QString RecordingSurface::joinedTexts(int sheet) const
{
    QStringList parts;
    for (const Op& op : texts(sheet))
        parts << op.text;
    return parts.join(u'|');
}

const RecordingSurface::Op* RecordingSurface::findText(const QString& text, int sheet) const
{
    for (const Op& op : ops) {
        if (op.kind == Op::Kind::Text && op.text == text && (sheet < 0 || op.sheet == sheet)) return &op;
    }
    return nullptr;
}

int RecordingSurface::countText(const QString& text, int sheet) const
{
    return int(std::count_if(ops.begin(), ops.end(), [&](const Op& op) {
        return op.kind == Op::Kind::Text && op.text == text && (sheet < 0 || op.sheet == sheet);
    }));
}

double RecordingSurface::bottomOf(int sheet) const
{
    double bottom = 0;
    for (const Op& op : ops) {
        if (op.sheet != sheet) continue;
        if (op.kind == Op::Kind::Text || op.kind == Op::Kind::Box) bottom = std::max(bottom, op.y2);
        if (op.kind == Op::Kind::Line) bottom = std::max({bottom, op.y, op.y2});
    }
    return bottom;
}
