// Timings of printing: one registration's four pages to a PDF file, and a batch of
// 100 generated registrations into one PDF file as the batch print window runs it
// (each registration read by its number, then its four pages).
//
// The sample database of 100 registrations is generated in a temporary folder.

#include "BenchSupport.h"
#include "platform/Database.h"
#include "platform/PrinterService.h"
#include "printing/Module_PrintTable_Page.h"
#include "printing/PrintRun.h"
#include "printing/PrintedForm.h"
#include "shell/ProgramState.h"
#include "support/SampleRegistrations.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int BatchSize = 100;
QStringList g_numbers;
QTemporaryDir* g_dir = nullptr;

bool printRun(const QStringList& numbers, const QString& file)
{
    const QString pdf = PrinterService::pdfPrinterName();
    PrintRun run({pdf, file});
    PrintSurface* surface = run.surface();
    if (!surface) return false;
    Module_PrintTable::PrintReport report;
    for (const QString& djh : numbers) {
        const Result<PrintedForm> form = PrintedForm::load(state().Cn(), djh);
        if (!form) return false;
        if (!Module_PrintTable::Print_Registration_Form(*surface, pdf, *form, state().Cn(),
                                                        {true, true, true, true}, true, report))
            return false;
    }
    return run.finish().ok() && report.errors.isEmpty();
}

void BM_Print_One(benchmark::State& s)
{
    for (auto _ : s) {
        if (!printRun({g_numbers.first()}, g_dir->filePath(QStringLiteral("one.pdf"))))
            s.SkipWithError("print failed");
    }
}

void BM_Print_Batch(benchmark::State& s)
{
    for (auto _ : s) {
        if (!printRun(g_numbers, g_dir->filePath(QStringLiteral("batch.pdf"))))
            s.SkipWithError("print failed");
    }
}

BENCHMARK(BM_Print_One)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Print_Batch)->Unit(benchmark::kMillisecond)->Iterations(1);

bool prepare()
{
    const QString work = g_dir->filePath(QStringLiteral("djk.mdb"));
    Db::Error e;
    if (!SampleRegistrations::makeDatabase(QStringLiteral(ORVANE_TEMPLATE_PATH), work, {BatchSize, 20080501},
                                           &e)) {
        std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(work), qPrintable(e.description));
        return false;
    }
    state().CnName = QStringLiteral("bench");
    state().PrinterCount = 1;
    if (!Db::open(state().CnName, work, Db::OpenMode::ReadWrite, &e)) return false;
    QSqlQuery q(state().Cn());
    q.exec(QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号"));
    while (q.next())
        g_numbers << q.value(0).toString();
    return g_numbers.size() == BatchSize;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    if (!prepare()) return 1;
    return Bench::run(&argc, argv);
}
