#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class TabMain;

// What the main window's menus and toolbar reach in the rest of the program. The
// shell cannot include the windows of the later parts, so each library registers
// its windows here in its one `void <lib>::registerTargets(CommandTargets&)`, which
// src/app calls at start-up, one line per window (names from ShellNames.h):
//
//     targets.registerModal<FrmPara>(WindowNames::FrmPara);   // modal dialog
//     targets.registerMdiChild<NewTab>(WindowNames::NewTab);  // one modeless child window
//     targets.registerWindow(WindowNames::DataCheck, [](TabMain& main) { ... });  // anything else
//     targets.setEntryHooks({...});   // the entry window's operations, see EntryHooks
//     targets.setRunCheckTool([](int mode, const QString& name, TabMain& main) { ... });
//
// A dialog class registered with registerModal takes its parent in its constructor
// and is shown with exec(); a child window registered with registerMdiChild takes
// its parent too, is created once, shown inside the main window and activated
// again while it lives (its object name becomes the registered name).
//
// A menu item or toolbar button whose target is not registered is disabled; the
// main window follows every change of the registry.
class CommandTargets : public QObject
{
    Q_OBJECT
public:
    using WindowOpener = std::function<void(TabMain&)>;

    // The entry window's operations that the main window calls. They are called
    // only while the entry window is loaded (Active_Form is 1), except the save
    // and delete, whose commands are enabled by the entry window itself.
    struct EntryHooks
    {
        std::function<bool()> Check_Before_Save; // false: the check has told the user; no save
        std::function<void()> Save_Data_All;     // sets Check_Failed when nothing could be written
        std::function<void()> Delete_Data_All;   // the registration selected in the entry window
        std::function<void()> cobNavigate_Click; // rebuilds the navigation trees
        std::function<void()> Draw_Area_Map;     // redraws the sketch map of the coordinate page
        std::function<void()> Focus_Area_Flex;   // focus to Tab1, then to Area_Flex(Flex_Menu_Index)
        std::function<void()> Get_Data_All;      // reloads the whole registration list (window open or not)
        // Opens the entry window when it is closed, rebuilds its navigation and shows Cur_DJH.
        std::function<void()> Show_Current_Registration;
        std::function<void()> Relabel_Tree_Nodes; // the navigation labels follow ViewFlag
    };

    // The outside data-check component: mode 1 checks, mode 2 defines the check items.
    using CheckTool = std::function<void(int mode, const QString& systemName, TabMain& main)>;

    explicit CommandTargets(QObject* parent = nullptr);

    // The window names the main window opens: NewTab, FrmPrintSelect, FrmPrintMany,
    // DataExport, DataExportXzq, DataXmlExport, DataImport, DataImportXzq,
    // DataImportAll, xmlimport, DataCheck, FrmCheckData, FrmCode, FrmPara,
    // FrmSysView, DBDelete, DataDelete, FrmClearLX_PJ, DataModification, About,
    // Frm引用.
    static const QStringList& windowNames();

    // False (and nothing registered) for a name that is not in windowNames().
    bool registerWindow(const QString& name, WindowOpener opener);
    void unregisterWindow(const QString& name);
    bool hasWindow(const QString& name) const;
    // False when nothing is registered under the name.
    bool openWindow(const QString& name, TabMain& main) const;

    template <class Dialog>
    bool registerModal(const QString& name)
    {
        return registerWindow(name, [](TabMain& main) {
            Dialog dialog(parentOf(main));
            dialog.exec();
        });
    }

    template <class Window>
    bool registerMdiChild(const QString& name)
    {
        auto instance = std::make_shared<QPointer<QWidget>>();
        return registerWindow(name, [name, instance](TabMain& main) {
            if (!*instance) {
                *instance = new Window(nullptr);
                (*instance)->setObjectName(name);
            }
            showChild(main, *instance);
        });
    }

    void setEntryHooks(EntryHooks hooks);
    const EntryHooks& entry() const { return m_entry; }

    void setRunCheckTool(CheckTool tool);
    bool hasRunCheckTool() const { return bool(m_checkTool); }
    bool runCheckTool(int mode, const QString& systemName, TabMain& main) const;

Q_SIGNALS:
    void changed();

private:
    static QWidget* parentOf(TabMain& main);
    static void showChild(TabMain& main, QWidget* window);

    QHash<QString, WindowOpener> m_windows;
    EntryHooks m_entry;
    CheckTool m_checkTool;
};
