#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

// Text in a small ruled cell, as the form's grids show it: broken into lines at its
// line breaks and wherever the next character would pass the cell's width, the
// lines drawn at a pitch that keeps them all inside the cell, nothing elided.
namespace CellText {

// The lines of `text` in a cell `width` wide; `advance` measures a piece of text.
// A carriage return, a line feed or both, and a line or paragraph separator break a
// line; a character wider than the cell stands alone on its line.
QStringList wrap(const QString& text, int width, const std::function<int(const QString&)>& advance);

// Draws `text` into `rect` with the painter's font by `alignment` (horizontal and
// vertical parts both honoured).
void draw(QPainter& painter, const QRect& rect, const QString& text, int alignment);

} // namespace CellText
