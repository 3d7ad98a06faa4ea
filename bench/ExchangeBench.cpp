// Timings of the exchange by registration number on a sample database of 20,000
// overlay registrations: exporting 1,000 of them into a new file, set beside the
// raw SQLite copy of the same rows (ATTACH and INSERT ... SELECT into a copy of the
// template) measured in the same run.
//
// The sample database is generated beside this program on the first run
// (exchange-sample-20000.mdb) and reused afterwards; delete it to make a new one.

#include "exchange/RegistrationExport.h"
#include "exchange/TableCopier.h"
#include "platform/Database.h"
#include "platform/FileCopy.h"
#include "support/SampleRegistrations.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int SampleSize = 20000;
constexpr int Chosen = 1000;

QString g_sample;
QStringList g_numbers; // every 20th registration
QTemporaryDir* g_dir = nullptr;

const QString Template = QStringLiteral(ORVANE_TEMPLATE_PATH);

void BM_Export(benchmark::State& s)
{
    const QString target = g_dir->filePath(QStringLiteral("export.mdb"));
    for (auto _ : s) {
        exchange::ExportRequest r;
        r.workingDatabase = g_sample;
        r.templatePath = Template;
        r.target = target;
        r.numbers = g_numbers;
        r.provinceCode = 510000;
        const Status done = exchange::exportRegistrations(r);
        if (!done) s.SkipWithError(qPrintable(done.error().description));
    }
    Db::ScopedConnection out(QStringLiteral("check"), target, Db::OpenMode::ReadOnly);
    s.counters["registrations"] =
        Db::scalar(out.db(), QStringLiteral("SELECT count(*) FROM 登记")).toDouble();
    s.counters["reserve_rows"] =
        Db::scalar(out.db(), QStringLiteral("SELECT count(*) FROM 资源储量")).toDouble();
}

// The floor: the template copied, the sample attached, each table copied in one
// statement with its columns as they stand.
void BM_RawCopy(benchmark::State& s)
{
    const QString target = g_dir->filePath(QStringLiteral("raw.mdb"));
    for (auto _ : s) {
        QFile::remove(target);
        FileCopy::copyFile(Template, target, true);
        Db::ScopedConnection c(QStringLiteral("raw"), target, Db::OpenMode::ReadWrite);
        exchange::AttachedDatabase src(c.db(), g_sample, QStringLiteral("src"));
        exchange::NumberTable numbers(c.db(), QStringLiteral("raw_numbers"), g_numbers);
        Db::TransactionGuard t(c.db());
        for (const char* table : {"登记", "压覆", "报告", "质量", "资源储量", "坐标"})
            Db::exec(c.db(), QStringLiteral("INSERT INTO %1 SELECT s.* FROM src.%1 s JOIN temp.raw_numbers n "
                                            "ON n.number = s.登记号 ORDER BY n.seq")
                                 .arg(QString::fromUtf8(table)));
        t.commit();
    }
}

bool makeSample(const QString& path)
{
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "Generating %d registrations into %s ...\n", SampleSize, qPrintable(path));
        Db::Error e;
        SampleRegistrations::Options o;
        o.count = SampleSize;
        if (!SampleRegistrations::makeDatabase(Template, path + QStringLiteral(".part"), o, &e) ||
            !QFile::rename(path + QStringLiteral(".part"), path)) {
            std::fprintf(stderr, "cannot make the sample database: %s\n", qPrintable(e.description));
            return false;
        }
    }
    g_sample = path;
    Db::ScopedConnection c(QStringLiteral("sample"), path, Db::OpenMode::ReadOnly);
    auto q = Db::exec(c.db(), QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号"));
    int i = 0;
    while (q && q->next())
        if (i++ % (SampleSize / Chosen) == 0) g_numbers << q->value(0).toString();
    return g_numbers.size() == Chosen;
}

} // namespace

BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawCopy)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!makeSample(QCoreApplication::applicationDirPath() + QStringLiteral("/exchange-sample-20000.mdb")))
        return 1;
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
