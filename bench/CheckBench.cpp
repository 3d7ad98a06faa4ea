// Timings of the two data checks on the sample database of overlay registrations
// (20,000 unless ORVANE_BENCH_SIZE says otherwise).
//
// The sample database is the one the benchmarks share (sample-<size>.mdb); it is
// made here on the first run when missing.

#include "checks/CheckDataRun.h"
#include "checks/DataCheckRun.h"
#include "platform/Database.h"
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QString g_sample;
QTemporaryDir* g_programDir = nullptr;

// The data check "数据检查" of the whole sample, read-only, report included.
void BM_DataCheck(benchmark::State& s)
{
    Db::ScopedConnection cn(QStringLiteral("bench"), g_sample, Db::OpenMode::ReadOnly);
    if (!cn.ok()) {
        s.SkipWithError("cannot open the sample");
        return;
    }
    const QString report = checks::DataCheckRun::reportPath(g_programDir->path());
    for (auto _ : s) {
        checks::DataCheckRun run(cn.db());
        const auto result = run.run(g_sample, report);
        if (!result || !result->reportWritten) s.SkipWithError("the check wrote no report");
    }
    s.counters["report_kB"] = double(QFile(report).size()) / 1024.0;
}

// The second data check "数据检查2" with all three groups: the work database made
// from the template and filled from the sample, the checks, the report.
void BM_SecondCheck(benchmark::State& s)
{
    QFile::remove(g_programDir->filePath(QStringLiteral("djk.sys")));
    if (!QFile::copy(QStringLiteral(ORVANE_TEMPLATE_PATH),
                     g_programDir->filePath(QStringLiteral("djk.sys")))) {
        s.SkipWithError("cannot copy the template");
        return;
    }
    checks::CheckGroups groups;
    groups.required = groups.numeric = groups.consistency = true;
    for (auto _ : s) {
        const auto result = checks::CheckDataRun(g_programDir->path(), g_sample).run(groups);
        if (!result || *result != checks::CheckDataRun::Outcome::Done) s.SkipWithError("the check failed");
    }
    s.counters["report_kB"] = double(QFile(checks::CheckDataRun::reportPath(g_sample)).size()) / 1024.0;
    QFile::remove(checks::CheckDataRun::reportPath(g_sample));
}

} // namespace

BENCHMARK(BM_DataCheck)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SecondCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_sample = Bench::sharedSample();
    if (g_sample.isEmpty()) return 1;
    QTemporaryDir programDir;
    g_programDir = &programDir;
    return Bench::run(&argc, argv);
}
