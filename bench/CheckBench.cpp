// Timings of the two data checks on the sample database of overlay registrations
// (20,000 unless ORVANE_BENCH_SIZE says otherwise), each beside its floor: the same
// statements, as the check ran them, stepped through plain SQLite with every column
// of every row read as text (what the sqlite3 tool does when it prints them).
//
// The sample database is the one the benchmarks share (sample-<size>.mdb); it is
// made here on the first run when missing.

#include "BenchSupport.h"
#include "checks/CheckDataRun.h"
#include "checks/DataCheckRun.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

QString g_sample;
QTemporaryDir* g_programDir = nullptr;

// The statements a check ran, in order, each with the connection it ran on: every
// connection the process opens while recording is traced.
struct Statement
{
    int connection;
    std::string sql;
};
std::vector<Statement> g_recorded;
std::vector<std::string> g_connections; // the file of each connection
bool g_recording = false;

int traceStatement(unsigned type, void* context, void* p, void* x)
{
    if (type != SQLITE_TRACE_STMT || !g_recording) return 0;
    const char* text = static_cast<const char*>(x);
    if (text && text[0] == '-' && text[1] == '-') return 0; // a trigger's own statements
    char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(p));
    g_recorded.push_back({int(reinterpret_cast<intptr_t>(context)), expanded ? expanded : text});
    sqlite3_free(expanded);
    return 0;
}

int traceConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    if (!g_recording) return SQLITE_OK;
    const char* file = sqlite3_db_filename(db, "main");
    g_connections.push_back(file ? file : "");
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traceStatement,
                     reinterpret_cast<void*>(intptr_t(g_connections.size() - 1)));
    return SQLITE_OK;
}

// Runs `work` once and keeps every statement it ran.
template <typename Work> void record(Work work)
{
    g_recorded.clear();
    g_connections.clear();
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
    g_recording = true;
    work();
    g_recording = false;
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
}

// The floor of recorded work: each statement prepared and stepped to its end on a
// plain connection to the same file, every column of every row read as text.
// False when a statement fails.
bool replay(bool readOnly, std::string* failure)
{
    std::map<int, sqlite3*> open;
    bool ok = true;
    for (const Statement& st : g_recorded) {
        sqlite3*& db = open[st.connection];
        if (!db) {
            const std::string& file = g_connections.at(size_t(st.connection));
            const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
            if (sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
                *failure = "cannot open " + file;
                ok = false;
                break;
            }
        }
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, st.sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            *failure = sqlite3_errmsg(db) + (": " + st.sql);
            ok = false;
            break;
        }
        int rc = SQLITE_OK;
        size_t bytes = 0;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i) {
                sqlite3_column_text(stmt, i);
                bytes += size_t(sqlite3_column_bytes(stmt, i));
            }
        benchmark::DoNotOptimize(bytes);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) {
            *failure = sqlite3_errmsg(db) + (": " + st.sql);
            ok = false;
            break;
        }
    }
    for (auto& [id, db] : open)
        sqlite3_close_v2(db);
    return ok;
}

// Times the replay of the recorded statements, `before` run untimed ahead of each.
void timeFloor(benchmark::State& s, bool readOnly, const std::function<void()>& before = {})
{
    for (auto _ : s) {
        if (before) {
            s.PauseTiming();
            before();
            s.ResumeTiming();
        }
        std::string failure;
        if (!replay(readOnly, &failure)) {
            s.SkipWithError(failure.c_str());
            return;
        }
    }
    s.counters["statements"] = double(g_recorded.size());
}

// The floor of BM_DataCheck: its statements through plain SQLite.
void BM_DataCheckFloor(benchmark::State& s)
{
    const QString report = checks::DataCheckRun::reportPath(g_programDir->path());
    record([&] {
        Db::ScopedConnection cn(QStringLiteral("bench"), g_sample, Db::OpenMode::ReadOnly);
        if (!checks::DataCheckRun(cn.db()).run(g_sample, report)) std::fprintf(stderr, "the check failed\n");
    });
    timeFloor(s, true);
}

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

// The second check makes its work database from the template of the program folder.
bool templateInProgramFolder(benchmark::State& s)
{
    const QString sys = g_programDir->filePath(QStringLiteral("djk.sys"));
    if (QFile::exists(sys) || QFile::copy(QStringLiteral(ORVANE_TEMPLATE_PATH), sys)) return true;
    s.SkipWithError("cannot copy the template");
    return false;
}

checks::CheckGroups allGroups()
{
    checks::CheckGroups groups;
    groups.required = groups.numeric = groups.consistency = true;
    return groups;
}

// The floor of BM_SecondCheck: the template copied to the work database, then the
// check's statements through plain SQLite.
void BM_SecondCheckFloor(benchmark::State& s)
{
    if (!templateInProgramFolder(s)) return;
    record([&] {
        if (!checks::CheckDataRun(g_programDir->path(), g_sample).run(allGroups()))
            std::fprintf(stderr, "the check failed\n");
    });
    QFile::remove(checks::CheckDataRun::reportPath(g_sample));
    const QString work = checks::CheckDataRun::workPath(g_programDir->path());
    const QString sys = g_programDir->filePath(QStringLiteral("djk.sys"));
    timeFloor(s, false, [&] {
        QFile::remove(work);
        QFile::copy(sys, work);
    });
}

// The second data check "数据检查2" with all three groups: the work database made
// from the template and filled from the sample, the checks, the report.
void BM_SecondCheck(benchmark::State& s)
{
    if (!templateInProgramFolder(s)) return;
    for (auto _ : s) {
        const auto result = checks::CheckDataRun(g_programDir->path(), g_sample).run(allGroups());
        if (!result || *result != checks::CheckDataRun::Outcome::Done) s.SkipWithError("the check failed");
    }
    s.counters["report_kB"] = double(QFile(checks::CheckDataRun::reportPath(g_sample)).size()) / 1024.0;
    QFile::remove(checks::CheckDataRun::reportPath(g_sample));
}

} // namespace

// Each check is shown with its ratio to its floor, registered before it.
BENCHMARK(BM_DataCheckFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DataCheck)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SecondCheckFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SecondCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_sample = Bench::sharedSample();
    if (g_sample.isEmpty()) return 1;
    QTemporaryDir programDir;
    g_programDir = &programDir;
    Bench::compareWithFloor("BM_DataCheck", "BM_DataCheckFloor");
    Bench::compareWithFloor("BM_SecondCheck", "BM_SecondCheckFloor");
    return Bench::run(&argc, argv);
}
