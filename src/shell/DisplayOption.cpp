#include "DisplayOption.h"

#include "MAINBAS.h"
#include "ProgramState.h"

namespace DisplayOption {

bool showsNames(const QString& viewFlag)
{
    return viewFlag != QLatin1String("0");
}

bool apply(bool byName, const QString& programDir)
{
    ProgramState& s = state();
    const QString wanted = byName ? QStringLiteral("1") : QStringLiteral("0");
    if (s.ViewFlag == wanted) return false;
    s.ViewFlag = wanted;
    MAINBAS::Write_View_Ini(programDir + QStringLiteral("/view.ini"));
    return true;
}

} // namespace DisplayOption
