#pragma once

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>

// The ore grades 1 to 13 of mineral 11001 are replaced by the current grade codes. The
// quality and reserve rows of that mineral with a grade from 1 to 30 (quality rows of
// the average composition excepted) are taken out, regraded and put back, so that rows
// which become equal merge: reserve amounts are added up, equal quality rows kept once.
namespace GradeRemap {

// Old grade, new grade, old grade, new grade ..., in the order they are applied.
QList<int> initGradePairs();

Status remapGrade11001(const QSqlDatabase& db);

} // namespace GradeRemap
