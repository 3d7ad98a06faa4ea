#pragma once

#include "FormFonts.h"

#include <QString>

// One control of the registration form as the entry window places it and the page
// printer draws it. All lengths are twips of the page (1/1440 inch).
//
// Geometry: left, top, width and height for every kind but lines; a line runs from
// (x1, y1) = (left, top) to (x2, y2) = (left + width, top + height).
struct FormControl
{
    enum class Kind {
        Label,
        TextBox,
        CheckBox,
        OptionBox,
        ComboBox,
        Line,
        Shape,
        Grid,
        Button,
        Tree,
        Frame,
        MapArea, // the rectangle of the coordinate page in which the sketch map is drawn
    };

    enum class Align { Left = 0, Right = 1, Center = 2 };

    // The four bound arrays of field boxes and the table each of them writes.
    enum class Array { None, Kn1Data, Kn2Data, Kn3Data, Kn6Data };

    QString name;      // control name, e.g. "Kn2Data", "KnLAB", "THFLEX"
    int index = -1;    // element of a control array; -1 for a single control
    QString container; // "KNPIC", "Frame2" or "TEMPPIC" (the continuation-sheet template)
    int page = -1;     // the page picture KNPIC(page) that holds the control or its frame; -1 on TEMPPIC
    Kind kind = Kind::Label;

    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    QString caption;       // labels, check and option boxes, buttons
    QString fontName;      // a family of FormFonts
    double fontSize = 9.0; // points
    bool fontBold = false;
    Align alignment = Align::Left;
    bool multiLine = false; // text boxes: several lines with a vertical scroll bar
    int maxLength = 0;      // text boxes: 0 means no limit
    QString tag;            // print options: "N" not printed, "X" bottom line, "F" spread
    QString column;         // field boxes: the bound column; elsewhere the tooltip text, if any
    bool visible = true;

    int x1() const { return left; }
    int y1() const { return top; }
    int x2() const { return left + width; }
    int y2() const { return top + height; }
    int right() const { return left + width; }
    int bottom() const { return top + height; }

    Array array() const
    {
        if (kind != Kind::TextBox) return Array::None;
        if (name == QLatin1String("Kn1Data")) return Array::Kn1Data;
        if (name == QLatin1String("Kn2Data")) return Array::Kn2Data;
        if (name == QLatin1String("Kn3Data")) return Array::Kn3Data;
        if (name == QLatin1String("Kn6Data")) return Array::Kn6Data;
        return Array::None;
    }
    bool isFieldBox() const { return array() != Array::None; }
    // Text of the tooltip: the bound column of a field box.
    const QString& toolTipText() const { return column; }
};

