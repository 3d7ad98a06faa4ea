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

// A bound value as the sqlite3 tool takes it in ".parameter set".
QString literal(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return v.toString();
    default:
        return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QStringLiteral("''")) +
               QLatin1Char('\'');
    }
}

// The floor of a list: its statements run by the sqlite3 tool on the sample with the
// same bound values, their rows written to nowhere, timed by the tool itself
// (without starting it); the times of the statements added.
void BM_Sqlite(benchmark::State& s, const QList<SqlPart>& statements)
{
    const QString file = cn().databaseName();
    static const QRegularExpression runTime(QStringLiteral("Run Time: real ([0-9.]+)"));
    QString script = QStringLiteral(".output /dev/null\n.timer on\n");
    for (const SqlPart& statement : statements) {
        script += QStringLiteral(".parameter clear\n");
        for (int i = 0; i < statement.values.size(); ++i)
            script +=
                QStringLiteral(".parameter set ?%1 %2\n").arg(i + 1).arg(literal(statement.values.at(i)));
        script += statement.sql + QStringLiteral(";\n");
    }
    for (auto _ : s) {
        QProcess tool;
        tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file});
        tool.write(script.toUtf8());
        tool.closeWriteChannel();
        const bool done = tool.waitForFinished(600000) && tool.exitCode() == 0;
        double seconds = 0;
        qsizetype timed = 0;
        for (const QRegularExpressionMatch& m :
             runTime.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()))) {
            seconds += m.captured(1).toDouble();
            ++timed;
        }
        if (!done || timed != statements.size()) {
            s.SkipWithError("the sqlite3 tool did not run the statements");
            break;
        }
        s.SetIterationTime(seconds);
    }
}

void BM_OpenList(benchmark::State& s)
{
    for (auto _ : s)
        g_tree->fill(*NAVIGATE::All_Registrations(cn()));
    s.counters["nodes"] = double(g_tree->nodes().size());
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
        g_tree->fill(*NAVIGATE::Load_Tree_DJH(cn(), filter));
    s.counters["registrations"] = double(NAVIGATE::Count_Registrations(g_tree));
}

void BM_Mode_KQ(benchmark::State& s, RegistrationFilter filter)
{
    for (auto _ : s)
        g_tree->fill(*NAVIGATE::Load_Tree_KQ(cn(), filter, QStringLiteral("1")));
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
        g_tree->fill(*NAVIGATE::Load_Tree_XZQ(cn(), filter));
        list.fill(*NAVIGATE::Load_Tree_DJH_XZQ(cn(), g_bigCounty, filter));
    }
    s.counters["regions"] = double(g_tree->nodes().size());
}

void BM_Mode_XZQ_KQ(benchmark::State& s, RegistrationFilter filter)
{
    NavigateTree list;
    for (auto _ : s) {
        g_tree->fill(*NAVIGATE::Load_Tree_XZQ(cn(), filter));
        list.fill(*NAVIGATE::Load_Tree_KQ_XZQ(cn(), g_bigCounty, filter, QStringLiteral("1")));
    }
    s.counters["regions"] = double(g_tree->nodes().size());
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

// Each list beside its floor, the statements it reads; registered once the sample
// is open, since the region lists read the largest county.
void registerBenchmarks()
{
    using benchmark::RegisterBenchmark;
    const auto ms = [](benchmark::internal::Benchmark* b) { return b->Unit(benchmark::kMillisecond); };
    const auto floor = [&](const char* name, QList<SqlPart> statements) {
        ms(RegisterBenchmark(name, BM_Sqlite, statements))->UseManualTime();
    };
    const SqlPart list{QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号,1,1)='4' ORDER BY 登记号"),
                       {}};
    floor("BM_Sqlite/list", {list});
    ms(RegisterBenchmark("BM_OpenList", BM_OpenList));
    ms(RegisterBenchmark("BM_Window_OpenList", BM_Window_OpenList));
    Bench::compareWithFloor("BM_OpenList", "BM_Sqlite/list");
    Bench::compareWithFloor("BM_Window_OpenList", "BM_Sqlite/list");

    for (const auto& [suffix, filter] :
         {std::pair{"all", RegistrationFilter()}, std::pair{"mineral", mineralFilter()}}) {
        const auto name = [&](const char* base) { return QByteArray(base) + '/' + suffix; };
        const QByteArray djh = name("BM_Mode_DJH"), kq = name("BM_Mode_KQ"), xzqDjh = name("BM_Mode_XZQ_DJH"),
                         xzqKq = name("BM_Mode_XZQ_KQ");
        const QByteArray djhFloor = name("BM_Sqlite/DJH"), kqFloor = name("BM_Sqlite/KQ"),
                         xzqDjhFloor = name("BM_Sqlite/XZQ_DJH"), xzqKqFloor = name("BM_Sqlite/XZQ_KQ");
        floor(djhFloor, {NAVIGATE::Registration_List_Query(nullptr, filter)});
        floor(kqFloor, {NAVIGATE::Mine_Tree_Query(nullptr, filter)});
        floor(xzqDjhFloor,
              {NAVIGATE::Region_Tree_Query(filter), NAVIGATE::Registration_List_Query(&g_bigCounty, filter)});
        floor(xzqKqFloor,
              {NAVIGATE::Region_Tree_Query(filter), NAVIGATE::Mine_Tree_Query(&g_bigCounty, filter)});
        ms(RegisterBenchmark(djh, BM_Mode_DJH, filter));
        ms(RegisterBenchmark(kq, BM_Mode_KQ, filter));
        ms(RegisterBenchmark(xzqDjh, BM_Mode_XZQ_DJH, filter));
        ms(RegisterBenchmark(xzqKq, BM_Mode_XZQ_KQ, filter));
        Bench::compareWithFloor(djh, djhFloor);
        Bench::compareWithFloor(kq, kqFloor);
        Bench::compareWithFloor(xzqDjh, xzqDjhFloor);
        Bench::compareWithFloor(xzqKq, xzqKqFloor);
        if (filter == RegistrationFilter()) {
            ms(RegisterBenchmark("BM_Read_KQ", BM_Read_KQ));
            Bench::compareWithFloor("BM_Read_KQ", kqFloor);
        }
    }
    ms(RegisterBenchmark("BM_ViewDjh", BM_ViewDjh));
    for (const auto& [suffix, mode] :
         {std::pair{"DJH", NAVIGATE::ModeDJH}, std::pair{"KQ", NAVIGATE::ModeKQ},
          std::pair{"XZQ_KQ", NAVIGATE::ModeXZQ_KQ}, std::pair{"XZQ_DJH", NAVIGATE::ModeXZQ_DJH}})
        ms(RegisterBenchmark((QByteArray("BM_Window_Mode/") + suffix).constData(), BM_Window_Mode, mode));
    Bench::compareWithFloor("BM_Window_Mode/KQ", "BM_Sqlite/KQ/all");
    ms(RegisterBenchmark("BM_Window_ViewDjh", BM_Window_ViewDjh));
}

} // namespace

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
    registerBenchmarks();
    const int rc = Bench::run(&argc, argv);
    Db::close(state().CnName);
    return rc;
}
