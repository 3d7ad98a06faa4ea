// Timings of the entry window's registration list and navigation modes, and of
// loading one registration, on a sample database of 20,000 overlay registrations.
//
// The sample database is generated beside this program on the first run
// (navigation-sample-20000.mdb) and reused afterwards; delete it to make a new one.

#include "entry/NavigateTree.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Database.h"
#include "registration/navigation/NAVIGATE.h"
#include "registration/navigation/RegistrationFilter.h"
#include "registration/navigation/ReserveGridRows.h"
#include "registration/record/RegistrationSnapshot.h"
#include "shell/ProgramState.h"
#include "support/SampleRegistrations.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int SampleSize = 20000;

QString g_bigCounty; // the county with the most registrations
QString g_sampleDjh; // a registration of that county with quality and reserve rows
QTreeWidget* g_tree = nullptr;
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

void BM_OpenList(benchmark::State& s)
{
    for (auto _ : s)
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::All_Registrations(cn()));
    s.counters["nodes"] = double(NAVIGATE::Tree_Nodes(g_tree).size());
}

// The check of the whole file a working database passes when it is opened.
void BM_OpenCheck(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(Db::checkIntegrity(cn()));
}
BENCHMARK(BM_OpenCheck)->Unit(benchmark::kMillisecond);

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

// The region modes: the region tree, then the list of the county that holds the
// registration to show (the largest county here).
void BM_Mode_XZQ_DJH(benchmark::State& s, RegistrationFilter filter)
{
    QTreeWidget list;
    for (auto _ : s) {
        NAVIGATE::Fill_Tree(g_tree, *NAVIGATE::Load_Tree_XZQ(cn(), filter));
        NAVIGATE::Fill_Tree(&list, *NAVIGATE::Load_Tree_DJH_XZQ(cn(), g_bigCounty, filter));
    }
    s.counters["regions"] = double(NAVIGATE::Tree_Nodes(g_tree).size());
}

void BM_Mode_XZQ_KQ(benchmark::State& s, RegistrationFilter filter)
{
    QTreeWidget list;
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
    QTreeWidgetItem* node = controlsOf(g_window).TvmDataList()->currentItem();
    for (auto _ : s)
        g_window->TvmDataList_NodeClick(node);
}

bool openSample(const QString& path)
{
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "Generating %d registrations into %s ...\n", SampleSize, qPrintable(path));
        QElapsedTimer t;
        t.start();
        Db::Error e;
        SampleRegistrations::Options o;
        o.count = SampleSize;
        if (!SampleRegistrations::ensureDatabase(QStringLiteral(ORVANE_TEMPLATE_PATH), path, o, &e)) {
            std::fprintf(stderr, "cannot make the sample database: %s\n", qPrintable(e.description));
            return false;
        }
        std::fprintf(stderr, "... done in %lld ms\n", t.elapsed());
    }
    state().CnName = QStringLiteral("bench");
    Db::Error e;
    if (!Db::open(state().CnName, path, Db::OpenMode::ReadOnly, &e)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(e.description));
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

BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mode_DJH, all, RegistrationFilter())->Unit(benchmark::kMillisecond);
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!openSample(QCoreApplication::applicationDirPath() + QStringLiteral("/navigation-sample-20000.mdb")))
        return 1;
    QTreeWidget tree;
    g_tree = &tree;
    QElapsedTimer t;
    t.start();
    NewTab window;
    window.resize(1200, 860);
    window.show();
    QApplication::processEvents();
    std::fprintf(stderr, "entry window opened with its list in %lld ms\n", t.elapsed());
    g_window = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Db::close(state().CnName);
    return 0;
}
