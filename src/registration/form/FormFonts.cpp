#include "FormFonts.h"

#include "FormControl.h"

namespace FormFonts {

QFont font(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont fontOf(const FormControl& control)
{
    return font(control.fontName, control.fontSize, control.fontBold);
}

} // namespace FormFonts
