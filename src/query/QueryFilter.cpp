#include "QueryFilter.h"

#include "shell/ProgramState.h"

namespace query {

bool Is_Digits(const QString& text)
{
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QueryOutcome Build_Query_Filter(const QueryTexts& texts)
{
    QueryOutcome out;
    const auto t = [&](Box box) { return texts[box].trimmed(); };
    const auto refuse = [&](Box box, const QString& message) {
        out.filter.clear();
        out.refusedBox = box;
        out.message = message;
        return out;
    };

    if (!t(YearBox).isEmpty() && (!Is_Digits(t(YearBox)) || t(YearBox).size() != 4))
        return refuse(YearBox, YearRefusal);
    if (!t(NumberBox).isEmpty() && !Is_Digits(t(NumberBox))) return refuse(NumberBox, NumberRefusal);
    if (!t(RegionBox).isEmpty() && !Is_Digits(t(RegionBox))) return refuse(RegionBox, RegionRefusal);

    RegistrationFilter& f = out.filter;
    f.year = t(YearBox);
    f.number = t(NumberBox);
    f.holder = t(HolderBox);
    f.areaName = t(AreaNameBox);
    f.projectName = t(ProjectNameBox);
    f.regionCode = t(RegionBox);
    f.areaNumber = t(AreaNumberBox);
    f.mineralCode = t(MineralBox);
    return out;
}

QueryTexts Remembered_Query_Texts()
{
    QueryTexts texts;
    const ProgramState& s = state();
    for (int i = 0; i < BoxCount; ++i)
        texts[i] = s.Query_Text[i];
    return texts;
}

void Remember_Query_Texts(const QueryTexts& texts)
{
    ProgramState& s = state();
    for (int i = 0; i < BoxCount; ++i)
        s.Query_Text[i] = texts[i];
}

} // namespace query
