#include "CommandTargets.h"

#include "TabMain.h"

CommandTargets::CommandTargets(QObject* parent) : QObject(parent) {}

const QStringList& CommandTargets::windowNames()
{
    static const QStringList names{
        QStringLiteral("NewTab"),        QStringLiteral("FrmPrintSelect"), QStringLiteral("FrmPrintMany"),
        QStringLiteral("DataExport"),    QStringLiteral("DataExportXzq"),  QStringLiteral("DataXmlExport"),
        QStringLiteral("DataImport"),    QStringLiteral("DataImportXzq"),  QStringLiteral("DataImportAll"),
        QStringLiteral("xmlimport"),     QStringLiteral("DataCheck"),      QStringLiteral("FrmCheckData"),
        QStringLiteral("FrmCode"),       QStringLiteral("FrmPara"),        QStringLiteral("FrmSysView"),
        QStringLiteral("DBDelete"),      QStringLiteral("DataDelete"),     QStringLiteral("FrmClearLX_PJ"),
        QStringLiteral("DataModification"), QStringLiteral("About"),       QStringLiteral("Frm引用"),
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
