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

// The band of the help text under the banner, in twips: room for two lines of the
// windows' 宋体 9 pt. What lies under the help text starts below HelpBottom.
constexpr int HelpTop = 600;
constexpr int HelpBottom = 1155;

// A word-wrapped help label in the help band, from `left` and `width` wide (twips).
QLabel* addHelp(QWidget* window, const QString& text, int left, int width);

} // namespace EditorWidgets

} // namespace editors
