#include "CommandTargets.h"

#include "ShellNames.h"
#include "TabMain.h"

CommandTargets::CommandTargets(QObject* parent) : QObject(parent) {}

const QStringList& CommandTargets::windowNames()
{
    static const QStringList names{
        WindowNames::NewTab,           WindowNames::FrmPrintSelect, WindowNames::FrmPrintMany,
        WindowNames::DataExport,       WindowNames::DataExportXzq,  WindowNames::DataXmlExport,
        WindowNames::DataImport,       WindowNames::DataImportXzq,  WindowNames::DataImportAll,
        WindowNames::XmlImport,        WindowNames::DataCheck,      WindowNames::FrmCheckData,
        WindowNames::FrmCode,          WindowNames::FrmPara,        WindowNames::FrmSysView,
        WindowNames::DBDelete,         WindowNames::DataDelete,     WindowNames::FrmClearLX_PJ,
        WindowNames::DataModification, WindowNames::About,          WindowNames::FrmReference,
    };
    return names;
}

bool CommandTargets::registerWindow(const QString& name, WindowOpener opener)
{
    if (!windowNames().contains(name) || !opener) return false;
    m_windows.insert(name, std::move(opener));
    Q_EMIT changed();
    return true;
}

void CommandTargets::unregisterWindow(const QString& name)
{
    if (m_windows.remove(name) > 0) Q_EMIT changed();
}

bool CommandTargets::hasWindow(const QString& name) const
{
    return m_windows.contains(name);
}

bool CommandTargets::openWindow(const QString& name, TabMain& main) const
{
    const auto it = m_windows.constFind(name);
    if (it == m_windows.constEnd()) return false;
    // A copy: the opener may change the registry while it runs.
    const WindowOpener opener = it.value();
    opener(main);
    return true;
}

void CommandTargets::setEntryHooks(EntryHooks hooks)
{
    m_entry = std::move(hooks);
    Q_EMIT changed();
}

void CommandTargets::setRunCheckTool(CheckTool tool)
{
    m_checkTool = std::move(tool);
    Q_EMIT changed();
}

bool CommandTargets::runCheckTool(int mode, const QString& systemName, TabMain& main) const
{
    if (!m_checkTool) return false;
    const CheckTool tool = m_checkTool;
    tool(mode, systemName, main);
    return true;
}

QWidget* CommandTargets::parentOf(TabMain& main)
{
    return &main;
}

void CommandTargets::showChild(TabMain& main, QWidget* window)
{
    main.showChild(window);
}
