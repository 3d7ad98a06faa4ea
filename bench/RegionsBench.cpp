// Timings of the export by region on a sample database of registrations (20,000
// unless ORVANE_BENCH_SIZE says otherwise) of all four kinds (a quarter each of 查明, 占用, 停办 and 压覆),
// beside the raw SQLite copy of the same rows (ATTACH and INSERT ... SELECT, the template copied first)
// measured in the same run:
//  - exporting the registrations of the province that holds the most of them,
//    all four kinds;
//  - the same province, overlay registrations only.
//
// The sample database is generated beside this program on the first run
// (regions-sample-<size>.mdb) and reused afterwards; delete it to make a new one.

#include "BenchSupport.h"
#include "OutputCounts.h"
#include "exchange/TableCopier.h"
#include "platform/Database.h"
#include "platform/FileCopy.h"
#include "regions/RegionExport.h"
#include "regions/RegionSelection.h"
#include "support/SampleRegistrations.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QString g_sample;
QString g_province; // two digits
QTemporaryDir* g_dir = nullptr;

const QString Template = QStringLiteral(ORVANE_TEMPLATE_PATH);

void BM_RegionExport(benchmark::State& s, bool allKinds)
{
    const QString target = g_dir->filePath(QStringLiteral("region.mdb"));
    Db::ScopedConnection working(QStringLiteral("working"), g_sample, Db::OpenMode::ReadOnly);
    for (auto _ : s) {
        regions::RegionExportRequest r;
        r.templatePath = Template;
        r.target = target;
        r.prefix = g_province;
        r.allKinds = allKinds;
        r.provinceCode = g_province.toInt() * 10000;
        const Status done = regions::exportRegion(working.db(), r);
        if (!done) s.SkipWithError(qPrintable(done.error().description));
    }
    countOutputRows(s, target);
}

// The floor: the template copied, the sample attached, each table of the copy
// order filled in one statement with its columns as they stand.
void BM_RawRegionCopy(benchmark::State& s)
{
    const QString target = g_dir->filePath(QStringLiteral("raw.mdb"));
    for (auto _ : s) {
        QFile::remove(target);
        FileCopy::copyFile(Template, target, true);
        Db::ScopedConnection c(QStringLiteral("raw"), target, Db::OpenMode::ReadWrite);
        exchange::AttachedDatabase src(c.db(), g_sample, QStringLiteral("src"));
        Db::TransactionGuard t(c.db());
        for (const regions::ExportStep& step : regions::exportSteps(true)) {
            const QString sql =
                step.table == step.kind
                    ? QStringLiteral(
                          "INSERT INTO main.%1 SELECT * FROM src.%1 WHERE substr(行政区代码,1,2)=?")
                          .arg(step.table)
                    : QStringLiteral(
                          "INSERT INTO main.%1 SELECT s.* FROM src.%1 s JOIN src.%2 k ON k.登记号 = "
                          "s.登记号 WHERE substr(k.行政区代码,1,2)=?")
                          .arg(step.table, step.kind);
            if (!Db::exec(c.db(), sql, {g_province})) s.SkipWithError("raw copy failed");
        }
        t.commit();
    }
}

// A quarter of the registrations each become identified, occupied and suspended
// ones: their numbers take the kind's first digit and their row moves to the kind
// table.
bool spreadKinds(const QSqlDatabase& db)
{
    Db::TransactionGuard t(db);
    const QStringList kinds{QStringLiteral("查明"), QStringLiteral("占用"), QStringLiteral("停办")};
    for (int k = 0; k < kinds.size(); ++k) {
        const QString digit = QString::number(k + 1);
        const QString pick =
            QStringLiteral("SELECT 登记号 FROM 压覆 WHERE rowid % 4 = ") + QString::number(k + 1);
        if (!Db::exec(db, QStringLiteral("CREATE TEMP TABLE moving AS ") + pick)) return false;
        if (!Db::exec(db,
                      QStringLiteral("INSERT INTO %1 (登记号, 行政区代码) SELECT ? || substr(登记号, 2), "
                                     "行政区代码 FROM 压覆 WHERE 登记号 IN (SELECT 登记号 FROM temp.moving)")
                          .arg(kinds.at(k)),
                      {digit}))
            return false;
        if (!Db::exec(db,
                      QStringLiteral("DELETE FROM 压覆 WHERE 登记号 IN (SELECT 登记号 FROM temp.moving)")))
            return false;
        for (const QString& table : regions::detailTables())
            if (!Db::exec(db,
                          QStringLiteral("UPDATE %1 SET 登记号 = ? || substr(登记号, 2) WHERE 登记号 IN "
                                         "(SELECT 登记号 FROM temp.moving)")
                              .arg(table),
                          {digit}))
                return false;
        Db::exec(db, QStringLiteral("DROP TABLE temp.moving"));
    }
    return t.commit();
}

bool makeSample(const QString& path)
{
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "Generating %d registrations into %s ...\n", Bench::sampleSize(),
                     qPrintable(path));
        const QString part = path + QStringLiteral(".part");
        Db::Error e;
        SampleRegistrations::Options o;
        o.count = Bench::sampleSize();
        if (!SampleRegistrations::makeDatabase(Template, part, o, &e)) {
            std::fprintf(stderr, "cannot make the sample database: %s\n", qPrintable(e.description));
            return false;
        }
        bool spread = false;
        {
            Db::ScopedConnection c(QStringLiteral("spread"), part, Db::OpenMode::ReadWrite);
            spread = c.ok() && spreadKinds(c.db());
        }
        if (!spread || !QFile::rename(part, path)) return false;
    }
    g_sample = path;
    Db::ScopedConnection c(QStringLiteral("sample"), path, Db::OpenMode::ReadOnly);
    g_province =
        Db::scalar(c.db(), QStringLiteral("SELECT p FROM (SELECT substr(行政区代码,1,2) AS p, count(*) AS n "
                                          "FROM 压覆 GROUP BY p) ORDER BY n DESC LIMIT 1"))
            .toString();
    return g_province.size() == 2;
}

} // namespace

BENCHMARK(BM_RawRegionCopy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegionExport, province_all_kinds, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegionExport, province_overlay_only, false)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!makeSample(Bench::samplePath(QStringLiteral("regions-sample")))) return 1;
    std::fprintf(stderr, "Province %s\n", qPrintable(g_province));
    QTemporaryDir dir;
    g_dir = &dir;
    Bench::compareWithFloor("BM_RegionExport/province_all_kinds", "BM_RawRegionCopy");
    return Bench::run(&argc, argv);
}
