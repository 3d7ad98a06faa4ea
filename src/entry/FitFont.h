#pragma once

#include <QFont>
#include <QString>

// The font `font` at the largest size, not above its own and not below
// `minimumPoints`, at which `sample` takes at most `width` pixels: a column whose
// width the layout fixes shows its widest value whole.
QFont Fit_Font_To_Width(QFont font, const QString& sample, int width, double minimumPoints = 6.0);
