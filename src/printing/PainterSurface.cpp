#include "PainterSurface.h"

#include "coords/AreaMap.h"
#include "registration/form/FormFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace {
// The glyph box of the CJK fonts stands 0.88 em above the baseline.
constexpr double Ascent = 0.88;
constexpr double TwipsPerPoint = 20.0;

// The face the ideographs of the form's 宋体 print in. A PDF tells the characters of
// its text by the glyphs it shows, and Noto Serif CJK draws 人, 山, 石, 高 ... with
// the glyphs of the Kangxi radicals ⼈ ⼭ ⽯ ⾼: a saved form read back, searched or
// copied as radicals. AR PL UMing CN, a 宋体 too, gives the radicals glyphs of their
// own. Latin, digits and punctuation keep the form's font, whose l and 1, O and 0
// are told apart. The 黑体 prints the title only, none of whose characters is one
// of them.
const QString IdeographFace = QStringLiteral("AR PL UMing CN");

// The CJK ideographs of the basic plane: unified, extension A and compatibility.
bool isIdeograph(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF);
}

// Calls `piece(run, ideographs)` for each run of ideographs and of other characters.
template <class F>
void forEachRun(const QString& text, F piece)
{
    qsizetype from = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (i == text.size() || isIdeograph(text[i]) != isIdeograph(text[from])) {
            piece(text.mid(from, i - from), isIdeograph(text[from]));
            from = i;
        }
    }
}
} // namespace

QString PainterSurface::ideographFace(const QString& family)
{
    // Without UMing the form prints in its own font throughout.
    static const bool installed = QFontDatabase::hasFamily(IdeographFace);
    return family == FormFonts::SongTi && installed ? IdeographFace : QString();
}

PainterSurface::PainterSurface(QPaintDevice& device) : m_device(device)
{
    m_font.setFamily(FormFonts::SongTi);
    m_font.setPointSizeF(9);
    fontChanged();
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
    fontChanged();
}

void PainterSurface::setFontSize(double size)
{
    m_font.setPointSizeF(std::max(size, 0.5));
    fontChanged();
}

void PainterSurface::fontChanged()
{
    const QString face = ideographFace(m_font.family());
    m_split = !face.isEmpty();
    if (m_split) {
        m_ideographs = m_font;
        m_ideographs.setFamilies({face, m_font.family()}); // what UMing lacks in the form's font
    }
    m_current = nullptr;
}

double PainterSurface::Metrics::advance(const QString& text) const
{
    if (!ideographs) return font.horizontalAdvance(text);
    double width = 0;
    forEachRun(text, [&](const QString& run, bool ideograph) {
        width += (ideograph ? *ideographs : font).horizontalAdvance(run);
    });
    return width;
}

PainterSurface::Metrics& PainterSurface::metrics() const
{
    if (m_current) return *m_current;
    const FontKey key{m_font.family(), m_font.pointSizeF(), m_font.bold()};
    auto at = m_metrics.find(key);
    if (at == m_metrics.end())
        at = m_metrics
                 .emplace(key, Metrics{QFontMetricsF(m_font, &m_device),
                                       m_split ? std::optional(QFontMetricsF(m_ideographs, &m_device))
                                               : std::nullopt,
                                       {}})
                 .first;
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
        at = m.texts.insert(text, m.advance(text));
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
    m_painter.setPen(Qt::black);
    QPointF at(dx(x), dy(y + Ascent * textHeight(text)));
    if (m_split) {
        const Metrics& m = metrics();
        forEachRun(text, [&](const QString& run, bool ideograph) {
            m_painter.setFont(ideograph ? m_ideographs : m_font);
            m_painter.drawText(at, run);
            at.rx() += (ideograph ? *m.ideographs : m.font).horizontalAdvance(run);
        });
    } else {
        m_painter.setFont(m_font);
        m_painter.drawText(at, text);
    }
    m_painter.setFont(m_font); // the sketch map draws in it
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
