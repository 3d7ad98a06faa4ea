#include "PainterSurface.h"

#include "coords/AreaMap.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace {
// The glyph box of the CJK fonts stands 0.88 em above the baseline.
constexpr double Ascent = 0.88;
constexpr double TwipsPerPoint = 20.0;
} // namespace

PainterSurface::PainterSurface(QPaintDevice& device) : m_device(device)
{
    m_font.setFamily(QStringLiteral("Noto Serif CJK SC"));
    m_font.setPointSizeF(9);
}

PainterSurface::~PainterSurface()
{
    finish();
}

bool PainterSurface::finish()
{
    if (!m_painter.isActive()) return !m_started || m_began;
    return m_painter.end();
}

bool PainterSurface::ensurePainter()
{
    if (m_painter.isActive()) return true;
    if (m_started) return false; // ended already
    m_started = true;
    m_began = m_painter.begin(&m_device);
    return m_began;
}

double PainterSurface::dx(double twips) const
{
    return twips * m_device.logicalDpiX() / 1440.0;
}

double PainterSurface::dy(double twips) const
{
    return twips * m_device.logicalDpiY() / 1440.0;
}

void PainterSurface::setFont(const QString& name, double size, bool bold)
{
    m_font.setFamily(name);
    m_font.setPointSizeF(std::max(size, 0.5));
    m_font.setBold(bold);
    m_current = nullptr;
}

void PainterSurface::setFontSize(double size)
{
    m_font.setPointSizeF(std::max(size, 0.5));
    m_current = nullptr;
}

PainterSurface::Metrics& PainterSurface::metrics() const
{
    if (m_current) return *m_current;
    const FontKey key{m_font.family(), m_font.pointSizeF(), m_font.bold()};
    auto at = m_metrics.find(key);
    if (at == m_metrics.end())
        at = m_metrics.emplace(key, Metrics{QFontMetricsF(m_font, &m_device), {}}).first;
    m_current = &at->second;
    return *m_current;
}

double PainterSurface::textWidth(const QString& text) const
{
    // Fitting measures every character and every growing line, and the captions of
    // the form come back on every registration: each text is shaped once per font.
    constexpr qsizetype Kept = 4096;
    Metrics& m = metrics();
    auto at = m.texts.constFind(text);
    if (at == m.texts.cend()) {
        if (m.texts.size() >= Kept) m.texts.clear();
        at = m.texts.insert(text, m.font.horizontalAdvance(text));
    }
    return *at * 1440.0 / m_device.logicalDpiX();
}

double PainterSurface::textHeight(const QString&) const
{
    return m_font.pointSizeF() * TwipsPerPoint;
}

void PainterSurface::printText(double x, double y, const QString& text)
{
    if (text.isEmpty() || !ensurePainter()) return;
    m_sheetUsed = true;
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPointF(dx(x), dy(y + Ascent * textHeight(text))), text);
}

void PainterSurface::applyPen()
{
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    pen.setWidthF(std::max(1.0, m_lineWidth * m_device.logicalDpiX() / 600.0));
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2)
{
    if (!ensurePainter()) return;
    m_sheetUsed = true;
    applyPen();
    m_painter.drawLine(QPointF(dx(x1), dy(y1)), QPointF(dx(x2), dy(y2)));
}

void PainterSurface::drawBox(double x, double y, double w, double h)
{
    if (!ensurePainter()) return;
    m_sheetUsed = true;
    applyPen();
    m_painter.drawRect(QRectF(dx(x), dy(y), dx(w), dy(h)));
}

void PainterSurface::beginDocument()
{
    if (m_open) return;
    if (!ensurePainter()) return;
    if (m_ended && m_sheetUsed) newSheet();
    m_open = true;
    m_ended = false;
}

void PainterSurface::newSheet()
{
    if (!ensurePainter()) return;
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&m_device)) paged->newPage();
    m_sheetUsed = false;
}

void PainterSurface::endDocument()
{
    if (!m_open) return;
    m_open = false;
    m_ended = true;
}

double PainterSurface::pageWidth() const
{
    return m_device.width() * 1440.0 / m_device.logicalDpiX();
}

double PainterSurface::pageHeight() const
{
    return m_device.height() * 1440.0 / m_device.logicalDpiY();
}

double PainterSurface::paperWidth() const
{
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&m_device))
        return paged->pageLayout().fullRectPoints().width() * TwipsPerPoint;
    return pageWidth();
}

double PainterSurface::paperHeight() const
{
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&m_device))
        return paged->pageLayout().fullRectPoints().height() * TwipsPerPoint;
    return pageHeight();
}

void PainterSurface::drawAreaMap(const AreaMapSource& source)
{
    if (!ensurePainter()) return;
    m_sheetUsed = true;
    myvbs::Draw_Area_Map(m_painter, source, myvbs::MapTarget::Printer);
}
