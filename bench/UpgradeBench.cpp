// Timings of the upgrade of an old registration database of overlay registrations
// (20,000 unless ORVANE_BENCH_SIZE says otherwise), beside a plain SQLite copy of the
// same rows into a copy of the template (attach, one INSERT ... SELECT per table, one
// transaction).
//
// The old database is generated beside this program on the first run
// (upgrade-old-<size>.mdb) and reused afterwards; delete it to make a new one.

#include "BenchSupport.h"
#include "platform/Database.h"
#include "platform/FileCopy.h"
#include "support/OldRegistrations.h"
#include "upgrade/DjkDatabase.h"
#include "upgrade/Upgrade.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QString g_source;
QString g_programDir;
QTemporaryDir* g_out = nullptr;

void BM_Upgrade(benchmark::State& s)
{
    const QString target = g_out->filePath(QStringLiteral("upgraded.mdb"));
    for (auto _ : s) {
        Module1 m;
        m.sourcePath = g_source;
        m.desPath = target;
        m.tableNames = DjkDatabase::initTableList();
        const auto r = Upgrade(m, g_programDir).doBusiness();
        if (!r || r->ending == Upgrade::Ending::FaultyDeductions) {
            s.SkipWithError("the upgrade failed");
            return;
        }
    }
}

// The same rows copied by SQLite alone, without checks, fill or remap.
void BM_RawCopy(benchmark::State& s)
{
    const QString target = g_out->filePath(QStringLiteral("raw.mdb"));
    for (auto _ : s) {
        QFile::remove(target);
        QString why;
        if (!FileCopy::copyFile(Upgrade::templatePath(g_programDir), target, false, &why)) {
            s.SkipWithError("cannot copy the template");
            return;
        }
        Db::ScopedConnection c(QStringLiteral("raw"), target, Db::OpenMode::ReadWrite);
        QSqlDatabase db = c.db();
        Db::attach(db, g_source, QStringLiteral("src"), Db::OpenMode::ReadOnly);
        db.transaction();
        for (const QString& table : DjkDatabase::initTableList()) {
            QStringList columns;
            auto q = Db::exec(db, QStringLiteral("SELECT name FROM pragma_table_info(?, 'src')"), {table});
            while (q && q->next())
                columns << q->value(0).toString();
            q.reset();
            const QString list = columns.join(QLatin1Char(','));
            if (!Db::exec(
                    db, QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM src.%1").arg(table, list))) {
                s.SkipWithError("the copy failed");
                return;
            }
        }
        db.commit();
    }
}

bool makeSource(const QString& path)
{
    if (QFile::exists(path)) return true;
    std::fprintf(stderr, "Generating %d old registrations into %s ...\n", Bench::sampleSize(),
                 qPrintable(path));
    QElapsedTimer t;
    t.start();
    OldRegistrations::Options o;
    o.count = Bench::sampleSize();
    o.referenced = 50;
    Db::Error e;
    if (!OldRegistrations::makeDatabase(Upgrade::templatePath(g_programDir), path + QStringLiteral(".part"),
                                        o, &e) ||
        !QFile::rename(path + QStringLiteral(".part"), path)) {
        std::fprintf(stderr, "cannot make the old database: %s\n", qPrintable(e.description));
        return false;
    }
    std::fprintf(stderr, "... done in %lld ms\n", t.elapsed());
    return true;
}

} // namespace

BENCHMARK(BM_RawCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Upgrade)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_programDir = QFileInfo(QStringLiteral(ORVANE_TEMPLATE_PATH)).absolutePath();
    g_source = Bench::samplePath(QStringLiteral("upgrade-old"));
    if (!makeSource(g_source)) return 1;
    QTemporaryDir out(QCoreApplication::applicationDirPath() + QStringLiteral("/upgrade-out-XXXXXX"));
    g_out = &out;
    for (const QString& table : DjkDatabase::initTableList()) {
        Db::ScopedConnection c(QStringLiteral("count"), g_source, Db::OpenMode::ReadOnly);
        std::fprintf(stderr, "%s: %d rows\n", qPrintable(table),
                     Db::scalar(c.db(), QStringLiteral("SELECT count(*) FROM ") + table).toInt());
    }
    Bench::compareWithFloor("BM_Upgrade", "BM_RawCopy");
    return Bench::run(&argc, argv);
}
