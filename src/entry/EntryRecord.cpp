#include "EntryRecord.h"

#include "AreaFlex.h"
#include "FieldBox.h"
#include "NavigateTree.h"
#include "NewTab.h"
#include "registration/form/FieldRegistry.h"
#include "registration/record/RegistrationWriter.h"
#include "registration/record/SaveChecks.h"
#include "registration/record/StatDatabase.h"

#include "NewTabControls.h"
#include "coords/Projection.h"
#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>

void KCUTIL::Show_Coord_System_Error(double X, double Y, QWidget* parent)
{
    Prompt::message(Coord_System_Error_Text(X, Y), QCoreApplication::applicationName(), Prompt::Icon::None,
                    parent);
}

namespace EntryRecord {

namespace {

using Array = FormControl::Array;

// The two questions of the check before saving, as Yes/No boxes.
bool askYesNo(const QString& text, const QString& title, Prompt::Icon icon)
{
    return Prompt::ask(text, title, Prompt::Buttons::YesNo, icon) == Prompt::Answer::Yes;
}

using NAVIGATE::ClosingText;

bool mineMode(const NewTab& window)
{
    return NAVIGATE::Is_Mine_Mode(controlsOf(window).cobNavigate()->currentText());
}

// The registration a node of the list stands for, as the load takes it.
QString nodeRegistration(const NewTab& window, const QModelIndex& node)
{
    return NAVIGATE::Node_Registration(controlsOf(window).cobNavigate()->currentText(),
                                       NAVIGATE::Node_Key(node), node.data().toString());
}

// Loads the node's registration as a click on it does.
void clickNode(NewTab& window, const QModelIndex& node)
{
    NavigateTree* list = controlsOf(window).TvmDataList();
    list->setCurrentIndex(node);
    Q_EMIT list->clicked(node);
}

void setSaveMark(bool on)
{
    MainWindowServices& host = mainWindow();
    host.setButtonEnabled(Keys::Save, on);
    host.setMenuItemEnabled(MainCommands::Menu::DJ, DjMenu::Save, host.buttonEnabled(Keys::Save));
    host.syncMenuToolbar();
}

void updateList(NewTab& window, const QString& djh, bool inserted)
{
    ProgramState& s = state();
    NavigateTree* list = controlsOf(window).TvmDataList();
    const QModelIndex selected = list->currentIndex();
    if (!inserted) {
        if (!selected.isValid()) {
            s.Cur_DJH = djh;
            return;
        }
        const QString key = NAVIGATE::Node_Key(selected);
        // A node that finds its registration by key must find it under the new number.
        list->setLabel(selected, mineMode(window) && !key.isEmpty() ? key.left(1) + djh : key, djh);
        clickNode(window, selected);
        s.Cur_DJH = djh;
        return;
    }
    // A new registration goes before the "..." that closes a flat list.
    const int last = list->topLevelCount() - 1;
    const bool closed = last >= 0 && NAVIGATE::Is_Closing_Node(list->model()->index(last, 0));
    const QModelIndex node = list->insertRoot(closed ? last : last + 1, djh, djh);
    list->setCurrentIndex(node);
    s.Cur_DJH = djh;
    controlsOf(window).Command2()->setEnabled(true);
}

} // namespace

bool Check_Before_Save(NewTab& window)
{
    ProgramState& s = state();
    s.Check_Failed = false;
    EntryValues v = window.values();
    const SqliteStatDatabase stat(s.TJPath, s.TJName);
    const KCUTIL::SaveCheckResult r = KCUTIL::Check_Before_Save(
        s.Cn(), v, {s.Cur_DJH, NAVIGATE::Registration_Selected(controlsOf(window).TvmDataList())}, stat,
        askYesNo);
    if (r.passed()) return true;
    s.Check_Failed = true;
    if (r.outcome == KCUTIL::SaveCheckResult::Outcome::Fault) {
        Prompt::message(r.message, r.title, r.icon, &window);
        if (r.page > 0) controlsOf(window).Tab1()->setCurrentIndex(r.page - 1);
        if (FieldBox* box = controlsOf(window).box(r.array, r.index))
            box->editor()->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool Save_Data_All(NewTab& window)
{
    ProgramState& s = state();
    EntryValues v = window.values();
    KCUTIL::SaveOutcome out;
    {
        BusyCursor busy;
        s.Reg_Inserted = false;
        out = KCUTIL::Save_Registration(s.Cn(), s.Cur_DJH, v);
    }
    switch (out.status) {
    case KCUTIL::SaveOutcome::Status::NoNumber:
        Prompt::message(KCUTIL::No_Number_Message(), QStringLiteral("错误"), Prompt::Icon::Critical, &window);
        s.Check_Failed = true;
        return false;
    case KCUTIL::SaveOutcome::Status::NotLoaded:
        Prompt::message(KCUTIL::Not_Loaded_Message(s.Cur_DJH), QStringLiteral("提示"),
                        Prompt::Icon::Exclamation, &window);
        s.Check_Failed = true;
        return false;
    case KCUTIL::SaveOutcome::Status::Failed:
        ErrorBox::show(out.error, &window);
        s.Check_Failed = true;
        return false;
    case KCUTIL::SaveOutcome::Status::Saved:
        break;
    }

    // Corners that lie in no zone were stored but stay out of the extent.
    for (const KCUTIL::CoordTextResult* grid : {&out.area, &out.calc}) {
        for (const KCUTIL::CoordFault& f : grid->faults) {
            if (f.kind == KCUTIL::CoordFault::Kind::NoZone)
                KCUTIL::Show_Coord_System_Error(f.x, f.y, &window);
        }
    }
    s.Reg_Inserted = out.inserted;
    s.Area_Extent = out.area.extent;
    s.Calc_Extent = out.calc.extent;
    window.savedAs(out.djh);
    setSaveMark(false);
    updateList(window, out.djh, out.inserted);
    return true;
}

void Delete_Data_All(NewTab& window)
{
    NavigateTree* list = controlsOf(window).TvmDataList();
    const QModelIndex node = list->currentIndex();
    if (!node.isValid() || NAVIGATE::Has_Children(node)) return; // a group node is no registration
    const QString djh = nodeRegistration(window, node);
    if (djh.isEmpty() || djh == ClosingText) return; // the "..." node stands for no registration
    if (Prompt::ask(KCUTIL::Delete_Question(djh), QStringLiteral("提示"), Prompt::Buttons::OkCancel,
                    Prompt::Icon::Question, &window) != Prompt::Answer::Ok)
        return;
    if (const Status deleted = KCUTIL::Delete_Registration(state().Cn(), djh); !deleted) {
        ErrorBox::show(deleted.error(), &window);
        return;
    }
    list->remove(node);
    if (list->topLevelCount() > 0) clickNode(window, list->model()->index(0, 0));
}

void Register(CommandTargets& targets)
{
    CommandTargets::EntryHooks hooks = targets.entry();
    hooks.Check_Before_Save = [] {
        NewTab* window = NewTab::instance();
        return window && Check_Before_Save(*window);
    };
    hooks.Save_Data_All = [] {
        if (NewTab* window = NewTab::instance()) Save_Data_All(*window);
    };
    hooks.Delete_Data_All = [] {
        if (NewTab* window = NewTab::instance()) Delete_Data_All(*window);
    };
    targets.setEntryHooks(hooks);
}

} // namespace EntryRecord
