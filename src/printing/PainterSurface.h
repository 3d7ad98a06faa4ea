#pragma once

#include "PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QRawFont>

#include <map>
#include <tuple>
#include <vector>

class QPaintDevice;

// A print surface over QPainter on any paint device: the printer, a PDF writer or
// an image. Twips become device dots by the device's resolution; fonts keep their
// point size; lines are cosmetic pens as wide as the line width in 1/600 inch.
// A paged device (printer, PDF) gets a new page for every further sheet.
//
// Text is drawn character by character, each by the glyph its face maps it to and
// at that glyph's advance, so that no shaping across characters (ligatures, the
// figures a font picks after a letter) swaps in a glyph a PDF cannot name. Each
// character prints in the first face of its font whose glyph reads back as that
// character; the ideographs of the plain 宋体 print in AR PL UMing CN.
class PainterSurface : public PrintSurface
{
public:
    explicit PainterSurface(QPaintDevice& device);
    ~PainterSurface() override;

    // Ends the painting (the print job or the file is complete); false when the
    // device could not be painted on. Nothing drawn is no failure.
    bool finish();
    // True once painting has started on the device.
    bool began() const { return m_began; }
    // False when the painter could not be started on the device.
    bool isActive() const { return m_painter.isActive(); }

    void setFont(const QString& name, double size, bool bold) override;
    void setFontSize(double size) override;
    QString fontName() const override { return m_font.family(); }
    double fontSize() const override { return m_font.pointSizeF(); }
    bool fontBold() const override { return m_font.bold(); }
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;
    void printText(double x, double y, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawBox(double x, double y, double w, double h) override;
    int lineWidth() const override { return m_lineWidth; }
    void setLineWidth(int width) override { m_lineWidth = width; }
    void beginDocument() override;
    void newSheet() override;
    void endDocument() override;
    double pageWidth() const override;
    double pageHeight() const override;
    double paperWidth() const override;
    double paperHeight() const override;
    void drawAreaMap(const AreaMapSource& source) override;

private:
    // One face of the current font at the device's size.
    // A face without a bold of its own prints bold as its regular glyphs, stroked.
    struct Face
    {
        QRawFont raw;
        const std::vector<char16_t>* names = nullptr; // the character each glyph reads back as
        bool stroked = false;                         // bold drawn as an outline round the glyph
    };
    // Characters of one face in a text; face -1 is Qt's own choice, for characters
    // that none of the faces has.
    struct Piece
    {
        int face;
        qsizetype from;
        qsizetype length;
    };
    // The faces of the current font on the device. Each face, size and weight is
    // loaded once per surface: fitting a text tries size after size, and a form
    // measures thousands of texts in a handful of fonts.
    struct Metrics
    {
        std::vector<Face> faces;
        int ideographs = -1; // the face tried first for an ideograph, if any
        QFontMetricsF fallback;
        QHash<QString, double> texts; // advances of the texts measured, device dots

        QList<Piece> pieces(const QString& text) const;
        // Glyphs of a piece and their advances, device dots.
        QList<quint32> glyphs(const QString& text, const Piece& piece) const;
        QList<QPointF> advances(const QList<quint32>& glyphs, const Piece& piece) const;
        double advance(const QString& text, const Piece& piece) const;
        double advance(const QString& text) const;

    private:
        int faceOf(const QString& text, qsizetype at, qsizetype length) const;
    };
    Metrics& metrics() const;
    Metrics load() const;

    bool ensurePainter();
    void applyPen();
    double dx(double twips) const;
    double dy(double twips) const;

    QPaintDevice& m_device;
    QPainter m_painter;
    QFont m_font;
    using FontKey = std::tuple<QString, double, bool>;
    mutable std::map<FontKey, Metrics> m_metrics;
    mutable Metrics* m_current = nullptr; // of m_font; null after a change of font
    int m_lineWidth = 1;
    bool m_started = false;
    bool m_began = false;
    bool m_open = false;
    bool m_ended = false;
    bool m_sheetUsed = false;
};
