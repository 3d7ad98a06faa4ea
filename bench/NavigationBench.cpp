// Timings of the entry window's registration list and navigation modes, and of
// loading one registration, on the sample database of overlay registrations (20,000
// unless ORVANE_BENCH_SIZE says otherwise), opened as the program opens its working
// database. The lists stand beside their floors: the same statement in the sqlite3
// tool, as its own timer tells.
//
// The sample database is shared with the other benchmarks (sample-<size>.mdb),
// generated on the first run and reused afterwards; delete it to make a new one.

#include "BenchSupport.h"
#include "entry/NavigateTree.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Database.h"
#include "registration/navigation/NAVIGATE.h"
#include "registration/navigation/RegistrationFilter.h"
#include "registration/navigation/ReserveGridRows.h"
#include "registration/record/RegistrationSnapshot.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QString g_bigCounty; // the county with the most registrations
QString g_sampleDjh; // a registration of that county with quality and reserve rows
NavigateTree* g_tree = nullptr;
NewTab* g_window = nullptr;

QSqlDatabase cn()
{
    return state().Cn();
}

RegistrationFilter mineralFilter()
{
    RegistrationFilter f;
    f.mineralCode = QStringLiteral("22001");
    return f;
}

// The floor of a list: `sql` run by the sqlite3 tool on the sample, its rows written
// to nowhere, timed by the tool itself (without starting it).
void BM_Sqlite(benchmark::State& s, QString sql)
{
    const QString file = cn().databaseName();
    static const QRegularExpression runTime(QStringLiteral("Run Time: real ([0-9.]+)"));
    for (auto _ : s) {
        QProcess tool;
        tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file});
        tool.write(QStringLiteral(".output /dev/null\n.timer on\n%1;\n").arg(sql).toUtf8());
        tool.closeWriteChannel();
        const bool done = tool.waitForFinished(600000) && tool.exitCode() == 0;
        const QRegularExpressionMatch m = runTime.match(QString::fromUtf8(tool.readAllStandardOutput()));
        if (!done || !m.hasMatch()) {
            s.SkipWithError("the sqlite3 tool did not run the statement");
            break;
        }
        s.SetIterationTime(m.captured(1).toDouble());
    }
}

void BM_OpenList(benchmark::State& s)
{
    for (auto _ : s)
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::All_Registrations(cn()));
    s.counters["nodes"] = double(NAVIGATE::Tree_Nodes(g_tree).size());
}

// The check a working database passes when it is opened, and the check of the whole
// file that follows in the background.
void BM_OpenCheck(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(Db::checkStructure(cn()));
}
BENCHMARK(BM_OpenCheck)->Unit(benchmark::kMillisecond);

void BM_WholeFileCheck(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(Db::checkIntegrity(cn()));
}
BENCHMARK(BM_WholeFileCheck)->Unit(benchmark::kMillisecond);

void BM_Mode_DJH(benchmark::State& s, RegistrationFilter filter)
{
    for (auto _ : s)
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::Load_Tree_DJH(cn(), filter));
    s.counters["registrations"] = double(NAVIGATE::Count_Registrations(g_tree));
}

void BM_Mode_KQ(benchmark::State& s, RegistrationFilter filter)
{
    for (auto _ : s)
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::Load_Tree_KQ(cn(), filter, QStringLiteral("1")));
    s.counters["registrations"] = double(NAVIGATE::Count_Registrations(g_tree));
}

// The mining-area list read into its nodes, without a tree.
void BM_Read_KQ(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(NAVIGATE::Load_Tree_KQ(cn(), RegistrationFilter(), QStringLiteral("1")));
}

// The region modes: the region tree, then the list of the county that holds the
// registration to show (the largest county here).
void BM_Mode_XZQ_DJH(benchmark::State& s, RegistrationFilter filter)
{
    NavigateTree list;
    for (auto _ : s) {
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::Load_Tree_XZQ(cn(), filter));
        NAVIGATE::Fill_Tree(&list, *NAVIGATE::Load_Tree_DJH_XZQ(cn(), g_bigCounty, filter));
    }
    s.counters["regions"] = double(NAVIGATE::Tree_Nodes(g_tree).size());
}

void BM_Mode_XZQ_KQ(benchmark::State& s, RegistrationFilter filter)
{
    NavigateTree list;
    for (auto _ : s) {
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::Load_Tree_XZQ(cn(), filter));
        NAVIGATE::Fill_Tree(&list,
                            *NAVIGATE::Load_Tree_KQ_XZQ(cn(), g_bigCounty, filter, QStringLiteral("1")));
    }
    s.counters["regions"] = double(NAVIGATE::Tree_Nodes(g_tree).size());
}

// Reading one registration and building its reserve table.
void BM_ViewDjh(benchmark::State& s)
{
    for (auto _ : s) {
        const RegistrationSnapshot snap = RegistrationSnapshot::read(cn(), g_sampleDjh);
        const ReserveGridRows rows = ReserveGridRows::build(g_sampleDjh);
        benchmark::DoNotOptimize(snap.found.size() + rows.rows.size());
    }
}

// The same through the entry window: opening its list, choosing each mode with the
// sample registration shown (rebuild, select and load it), and loading it by a click.
void BM_Window_OpenList(benchmark::State& s)
{
    for (auto _ : s)
        g_window->Get_Data_All();
}

void BM_Window_Mode(benchmark::State& s, QString mode)
{
    QComboBox* box = controlsOf(g_window).cobNavigate();
    box->setCurrentIndex(box->findText(mode));
    for (auto _ : s) {
        state().Cur_DJH = g_sampleDjh;
        g_window->cobNavigate_Click();
    }
    s.counters["registrations"] = double(NAVIGATE::Count_Registrations(controlsOf(g_window).TvmDataList()));
    if (state().Cur_DJH != g_sampleDjh) s.SkipWithError("the registration was not shown");
}

void BM_Window_ViewDjh(benchmark::State& s)
{
    QComboBox* box = controlsOf(g_window).cobNavigate();
    box->setCurrentIndex(box->findText(NAVIGATE::ModeDJH));
    state().Cur_DJH = g_sampleDjh;
    g_window->cobNavigate_Click();
    const QModelIndex node = controlsOf(g_window).TvmDataList()->currentIndex();
    for (auto _ : s)
        g_window->TvmDataList_NodeClick(node);
}

bool openSample(const QString& path)
{
    if (path.isEmpty()) return false;
    // As the program opens its working database, with the template beside it.
    ProgramState& st = state();
    st.ProgramDir = QFileInfo(QStringLiteral(ORVANE_TEMPLATE_PATH)).absolutePath();
    st.DBPath = QFileInfo(path).absolutePath();
    st.DBName = QFileInfo(path).fileName();
    if (!MAINBAS::Open_Connection()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return false;
    }
    g_bigCounty = Db::scalar(cn(), QStringLiteral("SELECT 行政区代码 FROM 压覆 GROUP BY 行政区代码 "
                                                  "ORDER BY count(*) DESC LIMIT 1"))
                      .toString();
    // The registration of that county, with a mining area, that has the most quality rows.
    g_sampleDjh =
        Db::scalar(cn(),
                   QStringLiteral("SELECT z.登记号 FROM 质量 z JOIN 压覆 y ON y.登记号 = z.登记号 "
                                  "WHERE y.行政区代码 = ? AND y.矿区编号 IS NOT NULL GROUP BY z.登记号 "
                                  "ORDER BY count(*) DESC, z.登记号 LIMIT 1"),
                   {g_bigCounty.toLongLong()})
            .toString();
    return !g_bigCounty.isEmpty() && !g_sampleDjh.isEmpty();
}

} // namespace

BENCHMARK_CAPTURE(BM_Sqlite, list,
                  QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号,1,1)='4' ORDER BY 登记号"))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK_CAPTURE(BM_Sqlite, KQ, NAVIGATE::Mine_Tree_Query(nullptr, RegistrationFilter()).sql)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_DJH, all, RegistrationFilter())->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read_KQ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_KQ, all, RegistrationFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_XZQ_DJH, all, RegistrationFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_XZQ_KQ, all, RegistrationFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_DJH, mineral, mineralFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_KQ, mineral, mineralFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_XZQ_DJH, mineral, mineralFilter())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_XZQ_KQ, mineral, mineralFilter())->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewDjh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_OpenList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window_Mode, DJH, NAVIGATE::ModeDJH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window_Mode, KQ, NAVIGATE::ModeKQ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window_Mode, XZQ_KQ, NAVIGATE::ModeXZQ_KQ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window_Mode, XZQ_DJH, NAVIGATE::ModeXZQ_DJH)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_ViewDjh)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!openSample(Bench::sharedSample())) return 1;
    NavigateTree tree;
    g_tree = &tree;
    QElapsedTimer t;
    t.start();
    NewTab window;
    window.resize(1200, 860);
    window.show();
    QApplication::processEvents();
    std::fprintf(stderr, "entry window opened with its list in %lld ms\n", t.elapsed());
    g_window = &window;
    for (const char* list : {"BM_OpenList", "BM_Window_OpenList"})
        Bench::compareWithFloor(list, "BM_Sqlite/list");
    for (const char* mode : {"BM_Read_KQ", "BM_Mode_KQ/all", "BM_Window_Mode/KQ"})
        Bench::compareWithFloor(mode, "BM_Sqlite/KQ");
    const int rc = Bench::run(&argc, argv);
    Db::close(state().CnName);
    return rc;
}
