// The entry window's navigation panel and the loading of a registration: the mode
// box, the region and registration trees, the query button, and what a click on a
// registration shows.

#include "NewTab.h"

#include "AreaFlex.h"
#include "FieldBox.h"
#include "NavigateTree.h"
#include "NavigateWindow.h"
#include "registration/form/FieldRegistry.h"
#include "registration/navigation/NAVIGATE.h"
#include "registration/navigation/RegistrationFilter.h"
#include "registration/navigation/ReserveGridRows.h"
#include "registration/record/RegistrationSnapshot.h"

#include "coords/CoordText.h"
#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "platform/TextNumber.h"
#include "shell/CommandTargets.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"
#include "shell/myvbsControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>

namespace {

// Keeps Is_Loading true for the life of a load, and false on every way out.
class LoadingScope
{
public:
    LoadingScope() { state().Is_Loading = true; }
    ~LoadingScope() { state().Is_Loading = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;
};

void setButton(const QString& key, bool enabled)
{
    mainWindow().setButtonEnabled(key, enabled);
}

QList<QAbstractButton*> buttons(const QList<QCheckBox*>& boxes)
{
    return QList<QAbstractButton*>(boxes.begin(), boxes.end());
}

} // namespace

void NewTab::connectNavigation()
{
    connect(m_cobNavigate, &QComboBox::activated, this, [this] { cobNavigate_Click(); });
    connect(m_tvDataList, &NavigateTree::clicked, this,
            [this](const QModelIndex& node) { TvDataList_NodeClick(node); });
    connect(m_tvmDataList, &NavigateTree::clicked, this,
            [this](const QModelIndex& node) { TvmDataList_NodeClick(node); });
    // Moving the selection with the keys chooses the node as a click does, so the
    // list, the pages and Delete always agree.
    connect(m_tvDataList, &NavigateTree::keyMoved, this,
            [this](const QModelIndex& node) { TvDataList_NodeClick(node); });
    connect(m_tvmDataList, &NavigateTree::keyMoved, this,
            [this](const QModelIndex& node) { TvmDataList_NodeClick(node); });
    connect(m_tvmDataList, &NavigateTree::doubleClicked, this, [this] { TvmDataList_DblClick(); });
    connect(m_command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    m_command6->setEnabled(NAVIGATE::Has_Query_Dialog());
}

// ---- Navigation ---------------------------------------------------------------------

void NewTab::cobNavigate_Click()
{
    NAVIGATE::Enable_Edit(*this, 1);
    const QString mode = m_cobNavigate->currentText();
    const QString djh = state().Cur_DJH;
    if (mode == NAVIGATE::ModeDJH) {
        NAVIGATE::Load_Tree_DJH(*this);
        positionDJH(djh, m_tvmDataList);
    } else if (mode == NAVIGATE::ModeXZQ_DJH || mode == NAVIGATE::ModeXZQ_KQ) {
        NAVIGATE::Load_Tree_XZQ(*this);
        positionXZQ(djh, m_tvDataList);
        positionDJH(djh, m_tvmDataList);
    } else if (mode == NAVIGATE::ModeKQ) {
        NAVIGATE::Load_Tree_KQ(*this);
        positionDJH(djh, m_tvmDataList);
    }
    // The count follows the rebuilt list also where nothing is loaded from it (after
    // an import or a delete), and a list with nothing chosen opens at its top.
    showListCount();
    if (!m_tvmDataList->currentIndex().isValid()) m_tvmDataList->scrollToTop();
}

void NewTab::positionDJH(const QString& djh, NavigateTree* tree)
{
    const QModelIndex node = NAVIGATE::Find_Node_Key_Suffix(tree, djh, 13);
    if (!node.isValid()) return;
    tree->setCurrentIndex(node);
    tree->scrollTo(node);
    TvmDataList_NodeClick(node);
}

void NewTab::positionXZQ(const QString& djh, NavigateTree* tree)
{
    Db::Error e;
    auto q = Db::exec(state().Cn(), QStringLiteral("SELECT 行政区代码 FROM 压覆 WHERE 登记号=?"), {djh}, &e);
    if (!q) return ErrorBox::show(e, this);
    if (!q->next()) return;
    const QVariant v = q->value(0);
    const QString code =
        QString::number(v.isNull() ? 0 : TextNumber::roundToInt32(TextNumber::leading(v.toString())));

    const QModelIndex node = NAVIGATE::Find_Node_Key_Suffix(tree, code, 6);
    if (!node.isValid()) return;
    // Selecting a node this way is no click.
    tree->setCurrentIndex(node);
    tree->scrollTo(node);
    const QString mode = m_cobNavigate->currentText();
    if (mode == NAVIGATE::ModeXZQ_DJH)
        NAVIGATE::Load_Tree_DJH_XZQ(*this, code);
    else if (mode == NAVIGATE::ModeXZQ_KQ)
        NAVIGATE::Load_Tree_KQ_XZQ(*this, code);
}

void NewTab::navigate_djh()
{
    NAVIGATE::Clear_Tree(*this);
    NAVIGATE::Fill_Tree(*this, m_tvmDataList, NAVIGATE::All_Registrations(state().Cn()));
}

void NewTab::Get_Data_All()
{
    // The whole, unfiltered list in mode "登记号"; nothing is loaded and the editing
    // state stays as it is. Setting the mode by code raises no click.
    m_tvmDataList->clear();
    m_cobNavigate->setCurrentIndex(m_cobNavigate->findText(NAVIGATE::ModeDJH));
    navigate_djh();
    // The list opens at its top (nothing is chosen in it until a click).
    m_tvmDataList->scrollToTop();
    // After a switch of the working database the pages would still show a
    // registration of the old file, which a save would then write into the new one:
    // the window forgets it and waits for a choice, as when it opened.
    if (!m_loaded.database.isEmpty() && m_loaded.database != state().Cn().databaseName()) {
        clear_data();
        state().Cur_DJH.clear();
        NAVIGATE::Enable_Edit(*this, 1);
    }
}

void NewTab::Data_All_Refresh()
{
    const QString mode = m_cobNavigate->currentText();
    if (mode == NAVIGATE::ModeDJH)
        NAVIGATE::Load_Tree_DJH(*this);
    else if (mode == NAVIGATE::ModeKQ)
        NAVIGATE::Load_Tree_KQ(*this);
    else if (mode == NAVIGATE::ModeXZQ_DJH || mode == NAVIGATE::ModeXZQ_KQ)
        NAVIGATE::Load_Tree_XZQ(*this);
}

void NewTab::Command6_Click()
{
    ProgramState& s = state();
    Query_Filter().clear();
    s.Query_Where.clear();
    s.Query_Where2.clear();
    s.Query_SQL.clear();
    NAVIGATE::Open_Query_Dialog(this);
    Data_All_Refresh();
    // The count and the toolbar follow the rebuilt list, also where nothing is
    // clicked in it (the region modes leave it empty until a region is chosen).
    showListCount();
    if (m_tvmDataList->topLevelCount() > 0) {
        const QModelIndex first = m_tvmDataList->model()->index(0, 0);
        m_tvmDataList->setCurrentIndex(first);
        TvmDataList_NodeClick(first);
    } else {
        mainWindow().setToolbarState(m_tvmDataList);
    }
}

void NewTab::TvDataList_NodeClick(const QModelIndex& node)
{
    setButton(Keys::Del, false);
    m_command2->setEnabled(false);
    NAVIGATE::Enable_Edit(*this, 1);
    const QString key = NAVIGATE::Node_Key(node);
    if (!key.startsWith(u'C')) return; // provinces and cities list nothing
    const QString mode = m_cobNavigate->currentText();
    if (mode == NAVIGATE::ModeXZQ_DJH)
        NAVIGATE::Load_Tree_DJH_XZQ(*this, key.mid(1));
    else if (mode == NAVIGATE::ModeXZQ_KQ)
        NAVIGATE::Load_Tree_KQ_XZQ(*this, key.mid(1));
}

void NewTab::TvmDataList_NodeClick(const QModelIndex& node)
{
    Q_UNUSED(node); // the load reads the tree's selected node
    const QModelIndex selected = m_tvmDataList->currentIndex();
    if (selected.isValid() && !NAVIGATE::Has_Children(selected)) {
        BusyCursor busy;
        NAVIGATE::Enable_Edit(*this, 2);
        view_djh();
        // What was just loaded counts as unchanged.
        setButton(Keys::Save, false);
        mainWindow().setToolbarState(m_tvmDataList);
    } else {
        NAVIGATE::Enable_Edit(*this, 1);
        setButton(Keys::Del, false);
        m_command2->setEnabled(false);
    }
}

void NewTab::TvmDataList_DblClick()
{
    const QModelIndex selected = m_tvmDataList->currentIndex();
    if (!selected.isValid() || selected.data().toString() != NAVIGATE::ClosingText) return;
    mainWindow().openWindow(WindowNames::FrmReference);
}

// ---- Loading a registration ----------------------------------------------------------

void NewTab::view_djh()
{
    ProgramState& s = state();
    showListCount();

    const QModelIndex selected = m_tvmDataList->currentIndex();
    if (!selected.isValid()) return;
    const QString djh = NAVIGATE::Node_Registration(m_cobNavigate->currentText(),
                                                    NAVIGATE::Node_Key(selected), selected.data().toString());
    s.Cur_DJH = djh;
    clear_data();
    m_command2->setEnabled(true);

    if (djh == NAVIGATE::ClosingText) {
        s.Cur_DJH.clear();
        s.Is_Loading = false;
        if (m_tab1->currentIndex() != 0) m_tab1->setCurrentIndex(0);
        m_command2->setEnabled(false);
        return;
    }

    LoadingScope loading;
    const RegistrationSnapshot snap = RegistrationSnapshot::read(s.Cn(), djh);
    if (snap.error.isSet()) ErrorBox::show(snap.error, this);
    if (!snap.has(QStringLiteral("登记"))) return;

    // The boxes of a table take its columns by their tooltip texts. A stored value
    // longer than its box shows whole (a telephone number without "-", a long area
    // code, a number with more decimals than the box holds), so that it saves back
    // unchanged.
    const auto fillArray = [&](Array array) {
        const QString table = FieldRegistry::tableOf(array);
        const QList<FieldBox*>& list = m_boxes[int(array)];
        for (int i = 0; i < list.size(); ++i) {
            const QString column = list[i]->column();
            QString text;
            switch (FieldRegistry::partOf(array, i)) {
            case FieldRegistry::Part::Whole:
                text = snap.text(table, column);
                break;
            case FieldRegistry::Part::Year:
                text = snap.date(table, column).year;
                break;
            case FieldRegistry::Part::Month:
                text = snap.date(table, column).month;
                break;
            case FieldRegistry::Part::Day:
                text = snap.date(table, column).day;
                break;
            case FieldRegistry::Part::AreaCode:
                text = snap.phoneArea;
                break;
            case FieldRegistry::Part::Number:
                text = snap.phoneNumber;
                break;
            }
            list[i]->setTextWhole(text);
        }
        // Every stored value keeps the texts its boxes got (a date three, a telephone
        // number two, any other one), to be saved back unchanged while they still
        // show them.
        for (int i = 0; i < list.size(); ++i) {
            const FieldRegistry::Part part = FieldRegistry::partOf(array, i);
            const int span = part == FieldRegistry::Part::Year       ? 3
                             : part == FieldRegistry::Part::AreaCode ? 2
                             : part == FieldRegistry::Part::Whole    ? 1
                                                                     : 0;
            if (span == 0 || i + span > list.size()) continue;
            const QString column = list[i]->column();
            QVariant stored;
            if (part == FieldRegistry::Part::Year) {
                // A Null date stays Null while its boxes stay empty.
                const QString date = snap.storedDate(table, column);
                const QVariant value = snap.value(table, column);
                if (!date.isEmpty())
                    stored = date;
                else if (value.isValid() && value.isNull())
                    stored = value;
            } else {
                stored =
                    part == FieldRegistry::Part::AreaCode ? QVariant(snap.phone) : snap.value(table, column);
            }
            if (!stored.isValid()) continue;
            QStringList parts;
            for (int k = 0; k < span; ++k)
                parts << list[i + k]->text();
            m_loaded.splits.append({array, i, stored, parts});
        }
    };

    fillArray(Array::Kn1Data);
    m_loaded.djh = djh;
    m_loaded.database = s.Cn().databaseName();
    if (snap.has(QStringLiteral("压覆"))) {
        fillArray(Array::Kn2Data);
        const QString table = QStringLiteral("压覆");
        for (QComboBox* c : m_combo5)
            myvbs::Set_Combo_Value(c, snap.text(table, QStringLiteral("建设项目类别")));
        myvbs::Set_Option_By_Caption(buttons(m_check11), snap.text(table, QStringLiteral("压覆性质")));
        myvbs::Set_Option_By_Caption(buttons(m_check12), snap.text(table, QStringLiteral("利用现状")));
    }
    if (snap.has(QStringLiteral("报告"))) fillArray(Array::Kn3Data);
    view_zycl();
    if (snap.has(QStringLiteral("坐标"))) {
        fillArray(Array::Kn6Data);
        s.Area_Coord_Str = snap.areaLines;
        Init_Flex(0, s.Area_Coord_Str);
        s.Area_Coord_Str = snap.calcLines;
        Init_Flex(1, s.Area_Coord_Str);
        // A damaged coordinate text leaves its grid empty; it is kept to be written back as it is.
        for (int i = 0; i < 2; ++i) {
            if (!(i == 0 ? snap.areaDamaged : snap.calcDamaged)) continue;
            m_areaFlex.at(i)->grid().setKeptText(i == 0 ? snap.areaStored : snap.calcStored);
            Prompt::message(KCUTIL::Coord_Damaged_Message(i), QStringLiteral("提示"),
                            Prompt::Icon::Exclamation, this);
        }
        KnPic_Paint(2);
    }
}

void NewTab::showListCount()
{
    // The number of registrations the list holds (not its nodes).
    mainWindow().setPanelText(3, QStringLiteral("共有") +
                                     QString::number(NAVIGATE::Count_Registrations(m_tvmDataList)) +
                                     QStringLiteral("个项目"));
}

void NewTab::view_zycl()
{
    // Quality and reserve rows of the registration shown, both by its number.
    const ReserveGridRows g = ReserveGridRows::build(state().Cur_DJH);
    m_reserveTable.show(g);
    if (g.error.isSet()) ErrorBox::show(g.error, this);
}
