#include "ModMCD.h"

#include "DataCheckComponent.h"
#include "MAINBAS.h"
#include "MainWindowServices.h"
#include "ProgramState.h"
#include "platform/Prompt.h"

#include <QMainWindow>
#include <QPointer>
#include <QWidget>

namespace ModMCD {

namespace {

struct LinkState
{
    ComponentFactory factory;
    QPointer<QWidget> mainWindow;           // Mcd_hWnd
    QPointer<DataCheckComponent> component; // the instance of the last run
    CheckInfo info;
};

LinkState& link()
{
    static LinkState s;
    return s;
}

// The window the component is handed: the hooked one, else the program's main window.
QWidget* mainWindow()
{
    if (link().mainWindow) return link().mainWindow.data();
    return state().MainWindow;
}

std::unique_ptr<DataCheckComponent> makeComponent()
{
    if (link().factory) return link().factory();
    return std::make_unique<NoDataCheckComponent>();
}

} // namespace

void setComponentFactory(ComponentFactory factory)
{
    link().factory = std::move(factory);
}

void MCD_Hook(QWidget* mainWindow)
{
    link().mainWindow = mainWindow;
}

QString Connection_Text(const QString& databaseFile)
{
    return QStringLiteral("Driver=QSQLITE;Dbq=") + databaseFile;
}

QString Province_Prefix(int provinceCode)
{
    return QString::number(provinceCode).left(2);
}

void Run_Check_Tool(int mode, const QString& systemName)
{
    if (mode != 1 && mode != 2) return;
    LinkState& s = link();
    // An answer may come after the call has returned, so the instance stays until
    // the next run replaces it.
    if (s.component) s.component->deleteLater();
    std::unique_ptr<DataCheckComponent> made = makeComponent();
    if (!made) return;
    DataCheckComponent* c = made.release();
    s.component = c;
    QObject::connect(c, &DataCheckComponent::answered, c, [] { McdProc(); });
    const ProgramState& st = state();
    if (mode == 1) {
        c->Check_Database(0, 1, systemName, Connection_Text(MAINBAS::Database_File()), QString(), QString(),
                          st.ProgramDir, Province_Prefix(st.ProvinceCode), mainWindow());
    } else {
        c->Define_Check_Items(0, 1, systemName, st.ProgramDir);
    }
}

CheckInfoFile::Result Read_Check_Info()
{
    return CheckInfoFile::read(state().ProgramDir + QLatin1Char('/') + CheckInfoFile::kFileName,
                               &link().info);
}

void McdProc()
{
    switch (Read_Check_Info()) {
    case CheckInfoFile::Result::Failed:
        Prompt::message(kReadFailed, QStringLiteral("提示"), Prompt::Icon::Information, mainWindow());
        return;
    case CheckInfoFile::Result::NoMatch:
        return;
    case CheckInfoFile::Result::Read:
        break;
    }
    const QString djh = link().info.djh.trimmed();
    if (djh.isEmpty()) return;
    state().Cur_DJH = djh;
    ::mainWindow().showCurrentRegistration();
}

CheckInfo& Check_Info()
{
    return link().info;
}

void reset()
{
    LinkState& s = link();
    delete s.component.data();
    s.component = nullptr;
    s.mainWindow = nullptr;
    s.factory = nullptr;
    s.info = CheckInfo{};
}

} // namespace ModMCD
