#include "FitFont.h"

#include <QFontMetrics>

QFont Fit_Font_To_Width(QFont font, const QString& sample, int width, double minimumPoints)
{
    if (font.pointSizeF() <= 0) return font; // a pixel-sized font is left as it is
    double size = font.pointSizeF();
    while (QFontMetrics(font).horizontalAdvance(sample) > width && size - 0.5 >= minimumPoints) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}
