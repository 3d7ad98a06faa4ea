// Timings of the two coordinate-text routines on a large area: 5,000 corners in
// 500 rings of ten, plane coordinates, as the save writes it and the load reads it.

#include "coords/CoordGridRows.h"
#include "coords/CoordText.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Rings = 500;
constexpr int CornersPerRing = 10;

// Rings of ten corners on a circle, each ring a little further north-east.
CoordGridRows largeGrid()
{
    QList<QStringList> rows;
    for (int r = 0; r < Rings; ++r) {
        const double x0 = 4400000.0 + r * 150.0;
        const double y0 = 39450000.0 + r * 120.0;
        for (int c = 0; c < CornersPerRing; ++c) {
            const double a = c * 2.0 * 3.141592653589793 / CornersPerRing;
            rows.append({QString::number(c + 1), QString::number(x0 + 50.0 * std::cos(a), 'f', 2),
                         QString::number(y0 + 50.0 * std::sin(a), 'f', 2)});
        }
        rows.append({QStringLiteral("*"), QStringLiteral("120.5"), QStringLiteral("80"),
                     QStringLiteral("V%1").arg(r + 1),
                     r % 5 == 4 ? QStringLiteral("-1") : QStringLiteral("1")});
    }
    return CoordGridRows::fromDataRows(rows);
}

void BM_Coord_Grid_To_Str(benchmark::State& st)
{
    CoordGridRows grid = largeGrid();
    qsizetype size = 0;
    for (auto _ : st) {
        const KCUTIL::CoordTextResult r = KCUTIL::Coord_Grid_To_Str(grid);
        size = r.text.size();
        benchmark::DoNotOptimize(size);
    }
    st.counters["corners"] = Rings * CornersPerRing;
    st.counters["chars"] = double(size);
    st.SetItemsProcessed(st.iterations() * Rings * CornersPerRing);
}
BENCHMARK(BM_Coord_Grid_To_Str)->Unit(benchmark::kMicrosecond);

void BM_Coord_Str_To_Lines(benchmark::State& st)
{
    CoordGridRows grid = largeGrid();
    const QString stored = KCUTIL::Coord_Grid_To_Str(grid).text;
    qsizetype size = 0;
    for (auto _ : st) {
        const QString lines = KCUTIL::Coord_Str_To_Lines(stored);
        size = lines.size();
        benchmark::DoNotOptimize(size);
    }
    st.counters["corners"] = Rings * CornersPerRing;
    st.counters["chars"] = double(stored.size());
    st.SetItemsProcessed(st.iterations() * Rings * CornersPerRing);
}
BENCHMARK(BM_Coord_Str_To_Lines)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
