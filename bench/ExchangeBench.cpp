// Timings of the exchange by registration number on the sample database of overlay
// registrations (20,000 unless ORVANE_BENCH_SIZE says otherwise), each set beside the
// raw SQLite copy of the same rows (ATTACH and INSERT ... SELECT) measured in the
// same run:
//  - exporting 1,000 of them (half of a smaller sample) into a new file made
//    from the template;
//  - importing a file of as many other registrations into the sample, with numbers
//    that are free, and with the generator's own numbers, many of which clash and
//    are renumbered (the counter tells how many);
//  - the backup of the sample made before every import, beside a plain copy of its
//    file (read, written, written through to the disk and renamed into place).
//
// The sample databases are generated beside this program on the first run
// (sample-<size>.mdb, exchange-import-<size>.mdb) and reused afterwards; delete them
// to make new ones.

#include "BenchSupport.h"
#include "OutputCounts.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/ImportEngine.h"
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
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The registrations exported and imported.
int chosen()
{
    return Bench::share(1000, 2);
}

QString g_sample;
QString g_import;      // 1,000 registrations whose numbers the sample does not hold
QString g_clashing;    // the same registrations under numbers that the sample holds
QStringList g_numbers; // chosen() registrations spread over the sample
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
    countOutputRows(s, target);
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

// A fresh copy of the sample as the working database.
void freshWorking(const QString& target)
{
    QFile::remove(target);
    FileCopy::copyFile(g_sample, target, true);
}

void BM_Import(benchmark::State& s, const QString* source)
{
    const QString working = g_dir->filePath(QStringLiteral("working.mdb"));
    int renumbered = 0;
    for (auto _ : s) {
        s.PauseTiming();
        freshWorking(working);
        {
            Db::ScopedConnection c(QStringLiteral("working"), working, Db::OpenMode::ReadWrite);
            s.ResumeTiming();
            exchange::ImportRequest r;
            r.sourcePath = *source;
            r.allNumbers = true;
            const auto done = exchange::importRegistrations(c.db(), r);
            if (!done) {
                std::fprintf(stderr, "import failed: %s\n", qPrintable(done.error().description));
                s.SkipWithError("import failed");
                break;
            }
            renumbered = int(done->renumbered.size());
            s.PauseTiming();
        }
        s.ResumeTiming();
    }
    s.counters["renumbered"] = renumbered;
}

void BM_RawImport(benchmark::State& s)
{
    const QString working = g_dir->filePath(QStringLiteral("working.mdb"));
    for (auto _ : s) {
        s.PauseTiming();
        freshWorking(working);
        {
            Db::ScopedConnection c(QStringLiteral("working"), working, Db::OpenMode::ReadWrite);
            s.ResumeTiming();
            exchange::AttachedDatabase src(c.db(), g_import, QStringLiteral("src"));
            Db::TransactionGuard t(c.db());
            bool ok = true;
            for (const char* table : {"登记", "压覆", "报告", "质量", "资源储量", "坐标"})
                ok = ok && Db::exec(c.db(), QStringLiteral("INSERT INTO main.%1 SELECT * FROM src.%1")
                                                .arg(QString::fromUtf8(table)))
                               .has_value();
            if (!ok || !t.commit()) {
                s.SkipWithError("raw copy failed");
                break;
            }
            s.PauseTiming();
        }
        s.ResumeTiming();
    }
}

// The floor of the backup: the sample's file read and written to a new file, which
// is written through to the disk and renamed over the last one.
void BM_PlainFileCopy(benchmark::State& s)
{
    const QByteArray source = QFile::encodeName(g_sample);
    const QByteArray part = QFile::encodeName(g_dir->filePath(QStringLiteral("plain.part")));
    const QByteArray target = QFile::encodeName(g_dir->filePath(QStringLiteral("plain.mdb")));
    std::vector<char> buffer(size_t(4) << 20);
    for (auto _ : s) {
        const int in = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
        const int out = ::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool ok = in >= 0 && out >= 0;
        for (ssize_t n; ok && (n = ::read(in, buffer.data(), buffer.size())) > 0;)
            ok = ::write(out, buffer.data(), size_t(n)) == n;
        ok = ok && ::fsync(out) == 0;
        if (in >= 0) ::close(in);
        if (out >= 0) ok = ::close(out) == 0 && ok;
        ok = ok && std::rename(part.constData(), target.constData()) == 0;
        if (!ok) s.SkipWithError("plain copy failed");
    }
}

void BM_Backup(benchmark::State& s)
{
    // Read-write, as the working database is open.
    Db::ScopedConnection c(QStringLiteral("sample"), g_sample, Db::OpenMode::ReadWrite);
    const QString target = g_dir->filePath(QStringLiteral("DATABASE_BAKUP.MDB"));
    for (auto _ : s)
        if (!exchange::backupDatabase(c.db(), target)) s.SkipWithError("backup failed");
}

// 1,000 registrations of another seed; the free copy gives them a 9 where every
// number of the sample has its 2 (the tenth character), so none clashes.
bool makeImport(const QString& clashing, const QString& free)
{
    if (!QFile::exists(free)) {
        SampleRegistrations::Options o;
        o.count = chosen();
        o.seed = 7;
        Db::Error e;
        if (!SampleRegistrations::makeDatabase(Template, clashing, o, &e)) return false;
        FileCopy::copyFile(clashing, free + QStringLiteral(".part"), true);
        {
            Db::ScopedConnection c(QStringLiteral("free"), free + QStringLiteral(".part"),
                                   Db::OpenMode::ReadWrite);
            for (const char* table : {"登记", "压覆", "报告", "质量", "资源储量", "坐标"})
                Db::exec(
                    c.db(),
                    QStringLiteral("UPDATE %1 SET 登记号 = substr(登记号, 1, 9) || '9' || substr(登记号, 11)")
                        .arg(QString::fromUtf8(table)));
        }
        QFile::rename(free + QStringLiteral(".part"), free);
    }
    g_clashing = clashing;
    g_import = free;
    return QFile::exists(free) && QFile::exists(clashing);
}

bool makeSample(const QString& path)
{
    if (path.isEmpty()) return false;
    g_sample = path;
    Db::ScopedConnection c(QStringLiteral("sample"), path, Db::OpenMode::ReadOnly);
    auto q = Db::exec(c.db(), QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号"));
    const int step = Bench::sampleSize() / chosen();
    int i = 0;
    while (q && q->next() && g_numbers.size() < chosen())
        if (i++ % step == 0) g_numbers << q->value(0).toString();
    return g_numbers.size() == chosen();
}

} // namespace

BENCHMARK(BM_RawCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawImport)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, free_numbers, &g_import)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Import, clashing_numbers, &g_clashing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFileCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!makeSample(Bench::sharedSample()) ||
        !makeImport(Bench::samplePath(QStringLiteral("exchange-import-clashing")),
                    Bench::samplePath(QStringLiteral("exchange-import"))))
        return 1;
    QTemporaryDir dir;
    g_dir = &dir;
    Bench::compareWithFloor("BM_Export", "BM_RawCopy");
    Bench::compareWithFloor("BM_Import/free_numbers", "BM_RawImport");
    Bench::compareWithFloor("BM_Backup", "BM_PlainFileCopy");
    return Bench::run(&argc, argv);
}
