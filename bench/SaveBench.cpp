// Timings of saving and deleting one registration with two coordinate grids of 200
// corners each and 20 reserve rows, in the sample database of overlay registrations
// (20,000 unless ORVANE_BENCH_SIZE says otherwise).
//
// The sample database is shared with the other benchmarks (sample-<size>.mdb),
// generated on the first run; every run works on a fresh copy.

#include "BenchSupport.h"
#include "platform/Database.h"
#include "registration/coordgrid/CoordGridModel.h"
#include "registration/form/FieldRegistry.h"
#include "registration/record/EntryValues.h"
#include "registration/record/RegistrationWriter.h"
#include "shell/ProgramState.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Corners = 200;
constexpr int ReserveRows = 20;

const QString N1 = QStringLiteral("4110101269001");
const QString N2 = QStringLiteral("4110101269002");

CoordGridModel g_area;
CoordGridModel g_calc;

QSqlDatabase cn()
{
    return state().Cn();
}

// One ring of `Corners` corners and its ring-end row.
void fillGrid(CoordGridModel& g, double x0, double y0)
{
    g.setRows(Corners + 3);
    for (int i = 0; i < Corners; ++i) {
        const double a = 6.283185307 * i / Corners;
        g.setTextMatrix(i + 1, 1, QString::number(i + 1));
        g.setTextMatrix(i + 1, 2, QString::number(x0 + 1500 * std::cos(a), 'f', 2));
        g.setTextMatrix(i + 1, 3, QString::number(y0 + 1500 * std::sin(a), 'f', 2));
    }
    g.setTextMatrix(Corners + 1, 1, QStringLiteral("*"));
    g.setTextMatrix(Corners + 1, 2, QStringLiteral("1200"));
    g.setTextMatrix(Corners + 1, 3, QStringLiteral("800"));
    g.setTextMatrix(Corners + 1, 4, QStringLiteral("KT1"));
    g.setTextMatrix(Corners + 1, 5, QStringLiteral("1"));
    g.renumber();
}

// Every box filled as a clerk would fill it.
EntryValues values(const QString& djh)
{
    using A = FormControl::Array;
    EntryValues v;
    for (const A a : FieldRegistry::arrays()) {
        for (int i = 0; i < v.count(a); ++i) {
            const int max = FieldRegistry::maxLength(a, i);
            v.setText(a, i, QStringLiteral("测试内容").left(max > 0 ? max : 4));
        }
    }
    v.setText(A::Kn1Data, 0, djh);
    for (const auto& [a, i] : {std::pair{A::Kn1Data, 3},
                               {A::Kn1Data, 10},
                               {A::Kn1Data, 16},
                               {A::Kn1Data, 22},
                               {A::Kn2Data, 12},
                               {A::Kn2Data, 31},
                               {A::Kn2Data, 35},
                               {A::Kn3Data, 2},
                               {A::Kn3Data, 7},
                               {A::Kn3Data, 14}}) {
        v.setText(a, i, QStringLiteral("2026"));
        v.setText(a, i + 1, QStringLiteral("5"));
        v.setText(a, i + 2, QStringLiteral("17"));
    }
    v.setText(A::Kn2Data, 1, QStringLiteral("110101"));
    for (int i : {4, 5, 6, 16, 17, 21, 22, 24, 25})
        v.setText(A::Kn2Data, i, QStringLiteral("123"));
    for (int i = 0; i < 6; ++i)
        v.setText(A::Kn6Data, i, QStringLiteral("12.5"));
    v.grids = {&g_area, &g_calc};
    return v;
}

// Saves the boxes as `djh` over the registration `cur`, which the window shows as
// loaded (empty: a new registration), as it marks one after loading or saving it.
bool save(const QString& cur, const QString& djh)
{
    EntryValues v = values(djh);
    if (!cur.isEmpty()) {
        v.loaded.djh = cur;
        v.loaded.database = cn().databaseName();
    }
    const KCUTIL::SaveOutcome out = KCUTIL::Save_Registration(cn(), cur, v);
    if (!out.saved()) std::fprintf(stderr, "save failed: %s\n", qPrintable(out.error.description));
    return out.saved();
}

void BM_Save_Rewrite(benchmark::State& s)
{
    for (auto _ : s) {
        if (!save(N1, N1)) s.SkipWithError("save failed");
    }
}

void BM_Save_Rename(benchmark::State& s)
{
    bool flip = false;
    for (auto _ : s) {
        const QString from = flip ? N2 : N1;
        const QString to = flip ? N1 : N2;
        if (!save(from, to)) s.SkipWithError("save failed");
        flip = !flip;
    }
    if (flip) save(N2, N1);
}

void BM_Save_New(benchmark::State& s)
{
    const QString n = QStringLiteral("4110101269003");
    for (auto _ : s) {
        if (!save(QString(), n)) s.SkipWithError("save failed");
        s.PauseTiming();
        (void)KCUTIL::Delete_Registration(cn(), n);
        s.ResumeTiming();
    }
}

void BM_Delete(benchmark::State& s)
{
    const QString n = QStringLiteral("4110101269004");
    for (auto _ : s) {
        s.PauseTiming();
        save(QString(), n);
        s.ResumeTiming();
        if (!KCUTIL::Delete_Registration(cn(), n)) s.SkipWithError("delete failed");
    }
}

bool prepare(const QString& sample, const QString& work)
{
    if (sample.isEmpty()) return false;
    QFile::remove(work);
    if (!QFile::copy(sample, work)) return false;
    QFile::setPermissions(work, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    state().CnName = QStringLiteral("bench");
    Db::Error e;
    if (!Db::open(state().CnName, work, Db::OpenMode::ReadWrite, &e)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(work), qPrintable(e.description));
        return false;
    }
    fillGrid(g_area, 4400000, 39500000);
    fillGrid(g_calc, 4400500, 39500500);
    if (!save(QString(), N1)) return false;
    for (int i = 0; i < ReserveRows; ++i) {
        if (!Db::exec(cn(),
                      QStringLiteral(
                          "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, "
                          "金属量1, 矿石量1, 显示序号) VALUES (?, 22001, 0, 70000, 500, '111', ?, ?, ?)"),
                      {N1, 10.5 + i, 200.25 + i, i + 1}))
            return false;
        if (!Db::exec(
                cn(),
                QStringLiteral("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 组分名, 组分值, 显示序号) "
                               "VALUES (?, 22001, 0, 'Cu', ?, ?)"),
                {N1, 0.5 + i, 100 + i}))
            return false;
    }
    std::fprintf(stderr, "registrations: %d\n",
                 Db::scalar(cn(), QStringLiteral("SELECT count(*) FROM 登记")).toInt());
    return true;
}

} // namespace

BENCHMARK(BM_Save_Rewrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_Rename)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_New)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString work = Bench::samplePath(QStringLiteral("save-work"));
    if (!prepare(Bench::sharedSample(), work)) return 1;
    const int rc = Bench::run(&argc, argv);
    Db::close(state().CnName);
    QFile::remove(work);
    return rc;
}
