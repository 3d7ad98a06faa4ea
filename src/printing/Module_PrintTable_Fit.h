#pragma once

#include <QString>

class PrintSurface;
struct FormControl;

// Fitting a text into a printed box, and the boxed and blank-free texts of the
// page printer. Measures are taken on the printer in its current font.
namespace Module_PrintTable {

// The smallest font size fitting goes down to, its step, and the size a text gets
// whose lines do not fit even at the smallest size (points).
constexpr double MinFontSize = 0.5;
constexpr double FontStep = 0.5;
constexpr double GiveUpFontSize = 1.0;

// Breaks `text` into lines that fit `width` and lowers the printer's font size in
// steps of 0.5 point until the lines fit `height`, down to 0.5 point (a character
// still wider than the box then stands on a line of its own); lines that do not fit
// at 0.5 point are printed as wrapped there, at 1 point. `text` becomes the
// wrapped text: a carriage return after every line, input line breaks (CR LF) kept,
// a lone CR dropped. x and y get the offsets of the alignments: horizontal 0 left,
// 1 right, 2 centre; vertical 0 top, 1 bottom, 2 centre (20 twips margin; other
// codes leave the offset). `fontSize` receives the size fitted. Returns the number
// of lines. `text` must not be empty.
int Fit_Text(PrintSurface& printer, int width, int height, int& x, int& y, QString& text, int hAlign,
             int vAlign, double& fontSize);

// The text without any space or tab.
QString Strip_Blanks(const QString& text);

// Prints `text` one character per box across the width of the text box `box`,
// divided into as many boxes as the number behind the option letter of its tag
// (T13: 13 boxes), and draws the boxes. False (nothing printed) when the tag gives
// no box.
bool Print_Boxed_Text(PrintSurface& printer, const FormControl& box, const QString& text, int xOffset);
// The message for a tag without a box count.
QString Boxed_Text_Message();

} // namespace Module_PrintTable
