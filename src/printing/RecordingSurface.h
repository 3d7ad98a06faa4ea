#pragma once

#include "PrintSurface.h"

#include <QList>
#include <QString>

// A print surface that keeps what was drawn, for tests and for counting sheets.
// Its measures are plain: a character beyond ASCII is one em wide (the font size in
// twips, 20 per point), an ASCII character half an em; every text is one em high.
// The page is A4 portrait with a margin of 5 mm unless a test sets another.
class RecordingSurface : public PrintSurface
{
public:
    struct Op
    {
        enum class Kind { Text, Line, Box, Map, BeginDocument, NewSheet, EndDocument };
        Kind kind = Kind::Text;
        int sheet = 0;                       // sheet of the run, from 0
        double x = 0, y = 0, x2 = 0, y2 = 0; // text: top-left; line: ends; box: corner and size
        QString text;
        QString font;
        double size = 0;
        bool bold = false;
        int lineWidth = 0;
    };

    QList<Op> ops;
    double paperW = 11906, paperH = 16838; // A4 portrait, twips
    double margin = 283;                   // 5 mm

    void setFont(const QString& name, double size, bool bold) override;
    void setFontSize(double size) override { m_size = size; }
    QString fontName() const override { return m_font; }
    double fontSize() const override { return m_size; }
    bool fontBold() const override { return m_bold; }
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
    double pageWidth() const override { return paperW - 2 * margin; }
    double pageHeight() const override { return paperH - 2 * margin; }
    double paperWidth() const override { return paperW; }
    double paperHeight() const override { return paperH; }
    void drawAreaMap(const AreaMapSource& source) override;

    // ---- Reading what was drawn ------------------------------------------------
    // Number of sheets drawn on (0 when nothing was opened).
    int sheetCount() const { return m_sheets; }
    int documentCount() const { return m_documents; }
    QList<Op> texts(int sheet = -1) const;
    QList<Op> lines(int sheet = -1) const;
    QList<Op> boxes(int sheet = -1) const;
    // The texts in drawing order, joined by "|".
    QString joinedTexts(int sheet = -1) const;
    // First text op whose text equals `text`; nullptr when none.
    const Op* findText(const QString& text, int sheet = -1) const;
    int countText(const QString& text, int sheet = -1) const;
    // Largest y reached by a text box, line or box on a sheet.
    double bottomOf(int sheet) const;

private:
    QList<Op> of(Op::Kind kind, int sheet) const;
    // Records an op of `kind` with the current font and line width on the current sheet.
    void add(Op::Kind kind, double x = 0, double y = 0, double x2 = 0, double y2 = 0,
             const QString& text = {});

    QString m_font = QStringLiteral("Noto Serif CJK SC");
    double m_size = 9;
    bool m_bold = false;
    int m_lineWidth = 1;
    int m_sheets = 0;
    int m_documents = 0;
    bool m_open = false;
    bool m_ended = false;
};
