#pragma once

#include <QFont>
#include <QString>

struct FormControl;

// The form's two fonts and how the screen draws them.
namespace FormFonts {

inline const QString SongTi = QStringLiteral("Noto Serif CJK SC"); // 宋体
inline const QString HeiTi = QStringLiteral("Noto Sans CJK SC");   // 黑体

// `family` at `points` as the form's pages show it on screen. The glyphs are drawn
// unhinted: at the form's small sizes, hinting snaps the thin horizontal strokes of
// 宋体 to whole pixels, as heavy as its verticals, so its Chinese reads as a sans
// face beside the serif Latin of the same font. Unhinted, both scripts keep the
// strokes they have on paper.
QFont font(const QString& family, double points, bool bold = false);

// The font of one control of the layout.
QFont fontOf(const FormControl& control);

} // namespace FormFonts
