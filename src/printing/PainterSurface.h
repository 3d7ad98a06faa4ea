#pragma once

#include "PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <map>
#include <optional>
#include <tuple>

class QPaintDevice;

// A print surface over QPainter on any paint device: the printer, a PDF writer or
// an image. Twips become device dots by the device's resolution; fonts keep their
// point size; lines are cosmetic pens as wide as the line width in 1/600 inch.
// A paged device (printer, PDF) gets a new page for every further sheet. The
// ideographs of the form's 宋体 print in a face of their own (ideographFace).
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

    // The face the ideographs of `family` print in; empty when they print in the
    // family itself.
    static QString ideographFace(const QString& family);

private:
    // The metrics of the current font on the device. Each face, size and weight is
    // loaded once per surface: fitting a text tries size after size, and a form
    // measures thousands of texts in a handful of fonts.
    struct Metrics
    {
        QFontMetricsF font;
        std::optional<QFontMetricsF> ideographs; // of their own face, when they have one
        QHash<QString, double> texts;            // advances of the texts measured, device dots

        double advance(const QString& text) const;
    };
    Metrics& metrics() const;

    // Takes a change of the font: the face of its ideographs, no metrics yet.
    void fontChanged();
    bool ensurePainter();
    void applyPen();
    double dx(double twips) const;
    double dy(double twips) const;

    QPaintDevice& m_device;
    QPainter m_painter;
    QFont m_font;
    QFont m_ideographs; // m_font in the face of its ideographs, when m_split
    bool m_split = false;
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
