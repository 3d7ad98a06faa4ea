#include "PainterSurface.h"

#include "coords/AreaMap.h"
#include "registration/form/FormFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainterPath>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <map>
#include <mutex>

namespace {
// The glyph box of the CJK fonts stands 0.88 em above the baseline.
constexpr double Ascent = 0.88;
constexpr double TwipsPerPoint = 20.0;
// Width of the outline stroked round a glyph whose face has no bold, in em: as much
// as the bold of the form's fonts adds to a stem.
constexpr double BoldStroke = 0.05;

// A PDF tells the characters of its text by the glyphs it shows, and Qt's PDF writer
// names each glyph by the lowest code point of the basic plane that the face maps to
// it. Noto CJK draws 人, 石, 页 ... with the glyphs of the radicals ⼈ ⽯ ⻚ and ～ ／
// with those of 〜 ∕, which come first: those characters read back as the others.
// AR PL UMing CN (a 宋体) and WenQuanYi Micro Hei (a 黑体) give each of them a glyph
// of its own.
const QString UMing = QStringLiteral("AR PL UMing CN");
const QString MicroHei = QStringLiteral("WenQuanYi Micro Hei");

// The CJK ideographs of the basic plane: unified, extension A and compatibility.
bool isIdeograph(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF);
}

// For each glyph of `raw`, the code point a PDF reads it back as (0: none). A face
// is read once per program: the whole basic plane through its character map.
const std::vector<char16_t>* glyphNames(const QRawFont& raw)
{
    static std::mutex mutex;
    static std::map<std::pair<QString, QString>, std::vector<char16_t>> names;
    const std::lock_guard lock(mutex);
    auto [at, added] = names.try_emplace({raw.familyName(), raw.styleName()});
    if (!added) return &at->second;
    QList<QChar> chars;
    for (char32_t u = 1; u < 0x10000; ++u)
        if (!QChar::isSurrogate(u)) chars.append(QChar(char16_t(u)));
    QList<quint32> glyphs(chars.size());
    int count = int(glyphs.size());
    if (!raw.glyphIndexesForChars(chars.constData(), int(chars.size()), glyphs.data(), &count))
        return &at->second;
    std::vector<char16_t>& of = at->second;
    for (qsizetype i = 0; i < count; ++i) {
        const quint32 g = glyphs[i];
        if (g == 0) continue;
        if (g >= of.size()) of.resize(g + 1, 0);
        if (of[g] == 0) of[g] = chars[i].unicode();
    }
    return &of;
}

// True when `family` has a bold of its own: Qt makes up one for a face without.
bool hasBold(const QString& family)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::DemiBold;
    });
}

// The installed faces the characters of `family` print in, in order of preference;
// the first is the family itself.
QStringList facesOf(const QString& family)
{
    QStringList faces{family};
    const QStringList others =
        family == FormFonts::HeiTi ? QStringList{MicroHei, UMing} : QStringList{UMing, MicroHei};
    for (const QString& face : others)
        if (face != family && QFontDatabase::hasFamily(face)) faces << face;
    return faces;
}
} // namespace

PainterSurface::PainterSurface(QPaintDevice& device) : m_device(device)
{
    m_font.setFamily(FormFonts::SongTi);
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

PainterSurface::Metrics PainterSurface::load() const
{
    Metrics m{{}, -1, QFontMetricsF(m_font, &m_device), {}};
    const bool bold = m_font.bold();
    for (const QString& family : facesOf(m_font.family())) {
        QFont f(family);
        f.setPointSizeF(m_font.pointSizeF());
        Face face;
        face.stroked = bold && !hasBold(family); // drawn as the regular glyphs, stroked
        f.setBold(bold && !face.stroked);
        face.raw = QRawFont::fromFont(QFont(f, &m_device));
        if (!face.raw.isValid()) continue;
        face.names = glyphNames(face.raw);
        // The ideographs of the plain 宋体 print in UMing, as they always have.
        if (family == UMing && m_font.family() == FormFonts::SongTi && !bold)
            m.ideographs = int(m.faces.size());
        m.faces.push_back(face);
    }
    return m;
}

int PainterSurface::Metrics::faceOf(const QString& text, qsizetype at, qsizetype length) const
{
    int first = -1; // the first face with a glyph, when none reads back
    const auto readsBack = [&](int i) {
        const Face& f = faces[i];
        quint32 g = 0;
        int n = 1;
        if (!f.raw.glyphIndexesForChars(text.constData() + at, int(length), &g, &n) || n != 1 || g == 0)
            return false;
        if (first < 0) first = i;
        return length == 1 && g < f.names->size() && (*f.names)[g] == text[at].unicode();
    };
    if (ideographs >= 0 && isIdeograph(text[at]) && readsBack(ideographs)) return ideographs;
    for (int i = 0; i < int(faces.size()); ++i)
        if (readsBack(i)) return i;
    return first;
}

QList<PainterSurface::Piece> PainterSurface::Metrics::pieces(const QString& text) const
{
    QList<Piece> out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const int face = faceOf(text, i, length);
        if (!out.isEmpty() && out.last().face == face)
            out.last().length += length;
        else
            out.append({face, i, length});
        i += length;
    }
    return out;
}

QList<quint32> PainterSurface::Metrics::glyphs(const QString& text, const Piece& piece) const
{
    QList<quint32> g(piece.length);
    int n = int(g.size());
    faces[piece.face].raw.glyphIndexesForChars(text.constData() + piece.from, int(piece.length), g.data(),
                                               &n);
    g.resize(n);
    return g;
}

QList<QPointF> PainterSurface::Metrics::advances(const QList<quint32>& glyphs, const Piece& piece) const
{
    return faces[piece.face].raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
}

double PainterSurface::Metrics::advance(const QString& text, const Piece& piece) const
{
    if (piece.face < 0) return fallback.horizontalAdvance(text.mid(piece.from, piece.length));
    double width = 0;
    for (const QPointF& a : advances(glyphs(text, piece), piece))
        width += a.x();
    return width;
}

double PainterSurface::Metrics::advance(const QString& text) const
{
    double width = 0;
    for (const Piece& piece : pieces(text))
        width += advance(text, piece);
    return width;
}

PainterSurface::Metrics& PainterSurface::metrics() const
{
    if (m_current) return *m_current;
    const FontKey key{m_font.family(), m_font.pointSizeF(), m_font.bold()};
    auto at = m_metrics.find(key);
    if (at == m_metrics.end()) at = m_metrics.emplace(key, load()).first;
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
    m_painter.setFont(m_font);
    QPointF at(dx(x), dy(y + Ascent * textHeight(text)));
    const Metrics& m = metrics();
    for (const Piece& piece : m.pieces(text)) {
        if (piece.face < 0) {
            const QString part = text.mid(piece.from, piece.length);
            m_painter.drawText(at, part);
            at.rx() += m.fallback.horizontalAdvance(part);
            continue;
        }
        const Face& face = m.faces[piece.face];
        QGlyphRun run;
        run.setRawFont(face.raw);
        const QList<quint32> glyphs = m.glyphs(text, piece);
        QList<QPointF> places;
        double step = 0;
        for (const QPointF& a : m.advances(glyphs, piece)) {
            places.append({step, 0});
            step += a.x();
        }
        run.setGlyphIndexes(glyphs);
        run.setPositions(places);
        m_painter.drawGlyphRun(at, run);
        if (face.stroked) {
            QPen pen(Qt::black, BoldStroke * face.raw.pixelSize());
            pen.setJoinStyle(Qt::RoundJoin);
            for (qsizetype i = 0; i < glyphs.size(); ++i)
                m_painter.strokePath(face.raw.pathForGlyph(glyphs[i]).translated(at + places[i]), pen);
        }
        at.rx() += step;
    }
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
