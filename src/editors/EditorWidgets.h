#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace editors {

// Pieces of the editors' windows: the 宋体 of their grids and boxes, the white
// banner with the bold title across the top, the help text under it, and the
// place in the middle of the screen.
namespace EditorWidgets {

QFont songti(double points, bool bold = false);

// The banner Picture1 (585 twips high, the window's width) holding the title Label1.
void addBanner(QWidget* window, const QString& title);

// A word-wrapped help label at (left, top) in twips.
QLabel* addHelp(QWidget* window, const QString& text, int left, int top, int width, int height);

} // namespace EditorWidgets

} // namespace editors
