#pragma once

#include <QString>

class AreaMapSource;

// The sheet the print routines draw on, measured in printer twips (1/1440 inch)
// from the top-left corner of the printable area, as the printed form has always
// been laid out. Fonts are a family, a size in points and a weight; a text is
// placed by the top-left corner of its box, which is one em high (the height of
// "中"). Lines are drawn black with the current line width.
//
// A print run is a series of documents (one per printed page of the form, with
// its continuation sheets); each document starts on a sheet of its own.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;

    virtual void setFont(const QString& name, double size, bool bold) = 0;
    virtual void setFontSize(double size) = 0;
    virtual QString fontName() const = 0;
    virtual double fontSize() const = 0;
    virtual bool fontBold() const = 0;

    // Width and height of a text in the current font, twips.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;

    // Prints one line of text with the top-left corner of its box at (x, y).
    virtual void printText(double x, double y, const QString& text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    // Outline of the rectangle from (x, y), width w, height h.
    virtual void drawBox(double x, double y, double w, double h) = 0;

    // Line width in printer dots of 1/600 inch.
    virtual int lineWidth() const = 0;
    virtual void setLineWidth(int width) = 0;

    // Opens a document: after an ended document the next one starts a new sheet.
    virtual void beginDocument() = 0;
    // Starts a further sheet of the open document.
    virtual void newSheet() = 0;
    // Ends the open document; nothing happens when none is open.
    virtual void endDocument() = 0;

    // Printable area and whole paper, twips.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    virtual double paperWidth() const = 0;
    virtual double paperHeight() const = 0;

    // The sketch map of the coordinate page at its printed place.
    virtual void drawAreaMap(const AreaMapSource& source) = 0;
};
