#include "BenchSupport.h"

#include "platform/Database.h"
#include "support/SampleRegistrations.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace Bench {

namespace {

constexpr int DefaultSize = 20000;

std::map<std::string, std::string>& floors()
{
    static std::map<std::string, std::string> pairs;
    return pairs;
}

// The console output with the ratio of each timing to its floor added, and a note of
// every failed benchmark.
class FloorReporter : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal, as the library's own reporter does.
    FloorReporter() : ConsoleReporter(::isatty(::fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    bool failed = false;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        std::vector<Run> shown = runs;
        for (Run& r : shown) {
            if (r.error_occurred) failed = true;
            if (r.error_occurred || r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
            const std::string name = r.run_name.function_name;
            const double seconds = r.real_accumulated_time / double(r.iterations);
            m_times[name] = seconds;
            const auto floor = floors().find(name);
            if (floor == floors().end()) continue;
            const auto time = m_times.find(floor->second);
            if (time != m_times.end() && time->second > 0) r.counters["x_floor"] = seconds / time->second;
        }
        ConsoleReporter::ReportRuns(shown);
    }

private:
    std::map<std::string, double> m_times;
};

// Makes the sample database of `count` registrations at `path` once (from the
// template, with `seed`); an existing file is taken as it is. Several benchmarks
// asking at once make it once. False, after saying why on stderr, on failure.
bool ensureSample(const QString& path, int count, quint32 seed = 20080501)
{
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.lock()) {
        std::fprintf(stderr, "cannot lock %s\n", qPrintable(path));
        return false;
    }
    if (QFile::exists(path)) return true;
    std::fprintf(stderr, "Generating %d registrations into %s ...\n", count, qPrintable(path));
    QElapsedTimer t;
    t.start();
    Db::Error e;
    SampleRegistrations::Options o;
    o.count = count;
    o.seed = seed;
    if (!SampleRegistrations::ensureDatabase(QStringLiteral(ORVANE_TEMPLATE_PATH), path, o, &e)) {
        std::fprintf(stderr, "cannot make the sample database: %s\n", qPrintable(e.description));
        return false;
    }
    std::fprintf(stderr, "... done in %lld ms\n", t.elapsed());
    return true;
}

} // namespace

int sampleSize()
{
    bool ok = false;
    const int size = qEnvironmentVariableIntValue("ORVANE_BENCH_SIZE", &ok);
    return ok && size > 0 ? size : DefaultSize;
}

int share(int wanted, int divisor)
{
    return qMax(1, qMin(wanted, sampleSize() / divisor));
}

QString samplePath(const QString& prefix)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + prefix + QLatin1Char('-') +
           QString::number(sampleSize()) + QStringLiteral(".mdb");
}

QString sharedSample()
{
    const QString path = samplePath(QStringLiteral("sample"));
    return ensureSample(path, sampleSize()) ? path : QString();
}

void compareWithFloor(const char* name, const char* floor)
{
    floors()[name] = floor;
}

int run(int* argc, char** argv)
{
    benchmark::Initialize(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(*argc, argv)) return 1;
    std::fprintf(stderr, "sample size: %d registrations\n", sampleSize());
    FloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed ? 1 : 0;
}

} // namespace Bench
