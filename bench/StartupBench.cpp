// Timings of the start of the program on the sample database of overlay registrations
// (20,000 unless ORVANE_BENCH_SIZE says otherwise), beside its floor: a bare Qt main
// window that carries the program's Chinese texts in its menu bar, toolbar and status
// bar, so that both load the same fonts before their first paint. Each start is a
// process of its own (this program, started again to play one of the two), timed from
// its start until it says that its main window is shown. Also the switch of the
// working database within the running program: the judging of the file and the open
// of the new connection.
//
// The sample database is shared with the other benchmarks (sample-<size>.mdb).

#include "BenchSupport.h"
#include "app/ProgramTargets.h"
#include "platform/Application.h"
#include "platform/Database.h"
#include "shell/CommandTargets.h"
#include "shell/MAINBAS.h"
#include "shell/MainCommands.h"
#include "shell/ProgramState.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char* const ChildOption = "--startup-child";
const QByteArray ShownLine = QByteArrayLiteral("shown");

QString g_sample;
QString g_programDir; // the template and djk.ini naming the sample

// In the started process: the window up, painted, then said.
void windowShown()
{
    QApplication::processEvents();
    std::fprintf(stdout, "%s\n", ShownLine.constData());
    std::fflush(stdout);
}

// The program's own start: the settings and the working database of the program
// folder, then its main window.
int programChild(int argc, char** argv, const QString& programDir)
{
    QApplication app(argc, argv);
    prepareApplication(app, QStringLiteral("Orvane"));
    CommandTargets targets;
    std::unique_ptr<TabMain> window;
    if (startProgram(programDir, targets, window) != MAINBAS::StartResult::MainWindowShown) return 1;
    windowShown();
    // The background check may run on; the timing ends here.
    std::_Exit(0);
}

// A main window with nothing of the program but the texts of its menus, toolbar
// buttons and status panel.
int bareChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (MainCommands::Menu m : {MainCommands::Menu::DJ, MainCommands::Menu::DATA, MainCommands::Menu::ELSE,
                                 MainCommands::Menu::HELP})
        window.menuBar()->addMenu(MainCommands::menuTitle(m));
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    for (const MainCommands::ToolButton& b : MainCommands::toolButtons())
        toolbar->addAction(b.caption);
    window.statusBar()->showMessage(TabMain::idleText());
    window.resize(1024, 768);
    window.show();
    windowShown();
    std::_Exit(0);
}

void BM_Start(benchmark::State& s, bool program)
{
    QStringList arguments{QString::fromLatin1(ChildOption)};
    arguments << (program ? g_programDir : QStringLiteral("bare"));
    for (auto _ : s) {
        QProcess child;
        QElapsedTimer t;
        t.start();
        child.start(QCoreApplication::applicationFilePath(), arguments);
        bool shown = false;
        while (!shown && child.waitForReadyRead(60000))
            shown = child.readAll().contains(ShownLine);
        s.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        child.waitForFinished(60000);
        if (!shown) {
            s.SkipWithError("the main window was not shown");
            break;
        }
    }
}

// Judging the chosen file against the template and opening it, as the switch in the
// parameter dialog does; the check of every page follows in the background and is
// not part of it.
void BM_Switch(benchmark::State& s)
{
    for (auto _ : s) {
        if (MAINBAS::Switch_Working_Database(g_sample) != MAINBAS::SwitchResult::InUse) {
            s.SkipWithError("the switch failed");
            break;
        }
    }
}

bool prepare(const QString& programDir)
{
    if (g_sample.isEmpty()) return false;
    g_programDir = programDir;
    if (!QFile::copy(QStringLiteral(ORVANE_TEMPLATE_PATH), programDir + QStringLiteral("/djk.sys")))
        return false;
    ProgramState& st = state();
    st.ProgramDir = programDir;
    st.DBPath = QFileInfo(g_sample).absolutePath();
    st.DBName = QFileInfo(g_sample).fileName();
    return MAINBAS::Write_Djk_Ini(programDir + QStringLiteral("/djk.ini"));
}

} // namespace

BENCHMARK_CAPTURE(BM_Start, bare_window, false)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(BM_Start, program, true)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_Switch)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], ChildOption) == 0) {
        int childArgc = 1;
        return std::strcmp(argv[2], "bare") == 0
                   ? bareChild(childArgc, argv)
                   : programChild(childArgc, argv, QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    g_sample = Bench::sharedSample();
    QTemporaryDir programDir;
    if (!prepare(programDir.path())) return 1;
    Bench::compareWithFloor("BM_Start/program", "BM_Start/bare_window");
    const int rc = Bench::run(&argc, argv);
    Db::close(state().CnName);
    return rc;
}
