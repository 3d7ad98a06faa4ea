#pragma once

#include "exchange/TableCopier.h"
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QString>

// Export of the registrations of one region, or of all regions, into a new
// database file. The file is made from the template under a temporary name beside
// the target, filled table by table with the columns matched by name, given the
// installation's province code, and renamed into place only when complete. With no
// region and all four kinds, the working database itself is copied instead. The
// working database is only read.
namespace regions {

struct RegionExportRequest
{
    QString templatePath; // djk.sys
    QString target;
    QString prefix;        // Region_Prefix of the code box; empty: every region
    bool allKinds = false; // 查明, 占用, 停办 and 压覆; else 压覆 alone
    int provinceCode = 0;
};

// One step of the copy order: `table` copied as far as its rows belong to the
// chosen region through the kind table `kind` (the same name for a kind table).
struct ExportStep
{
    QString table;
    QString kind;
};

// The copy order: 登记 and 压覆, then 占用, 停办 and 查明 when all kinds are chosen,
// then 报告, 质量, 资源储量 and 坐标 of 压覆, then the five detail tables of 查明,
// 停办 and 占用 when all kinds are chosen.
QList<ExportStep> exportSteps(bool allKinds);

// Exports from the working database open on `working`. Fails, leaving the target
// as it was, when the target is the working database or the template or when any
// step fails. Progress counts the steps.
Status exportRegion(const QSqlDatabase& working, const RegionExportRequest& request,
                    const exchange::Progress& progress = {});

} // namespace regions
