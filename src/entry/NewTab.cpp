#include "NewTab.h"

#include "AreaFlex.h"
#include "EntryEditing.h"
#include "FieldBox.h"
#include "KnPage.h"
#include "NavigateWindow.h"
#include "NavigatePanel.h"
#include "NavigateTree.h"
#include "RegionPickerTree.h"
#include "Wheel.h"
#include "registration/form/CellText.h"
#include "registration/form/FieldRegistry.h"
#include "registration/form/FormLayout.h"
#include "registration/form/ReserveTableLayout.h"

#include "coords/AreaMap.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/CommandTargets.h"
#include "shell/KCUTIL_DicLists.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableWidget>

#include <cmath>

namespace {

const QString Title = QStringLiteral("压覆矿产资源储量登记书");
const QString IdleText = StatusText::Idle;

// Tabs of Tab1: caption and key, in page order.
struct TabDef
{
    const char16_t* caption;
    const char* key;
};
constexpr TabDef Tabs[FormLayout::PageCount] = {
    {u"封 页", "Cover"}, {u"第一页", "First"}, {u"坐 标", "Area_Range"}, {u"审 核", "Scond"}};

// The one open entry window.
QPointer<NewTab> g_instance;

QString controlKey(const QString& name, int index)
{
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

} // namespace

NewTab::NewTab(QWidget* parent) : QWidget(parent)
{
    g_instance = this;
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);
    buildNavigation();
    buildPages();
    connectNavigation();
    Form_Load();
    EntryEditing::attach(*this); // change handlers, keys, region picker, cover-page controls
}

NewTab::~NewTab()
{
    if (!m_unloaded) {
        state().Form_Opened[1] = false;
        state().Active_Form = 0;
        Wheel::Wheel_UnHook(this);
    }
}

NewTab* NewTab::instance()
{
    return g_instance;
}

void NewTab::Register(CommandTargets& targets)
{
    targets.registerMdiChild<NewTab>(WindowNames::NewTab);
    CommandTargets::EntryHooks hooks = targets.entry();
    hooks.Draw_Area_Map = [] {
        if (NewTab* window = instance()) window->KnPic_Paint(2);
    };
    // The grid popup menu: the page tabs first, so that the grid receives the focus
    // even when it had it already; the grid then runs the pending command.
    hooks.Focus_Area_Flex = [] {
        NewTab* window = instance();
        const int index = state().Flex_Menu_Index;
        if (!window || index < 0 || index >= window->m_areaFlex.size()) return;
        window->Tab1()->setFocus();
        window->Area_Flex(index)->focusFromMenu();
    };
    // After the parameter dialog switched databases, or an append, the open entry
    // window reloads its list; the count follows it.
    hooks.Get_Data_All = [] {
        NewTab* window = instance();
        if (!window) return;
        window->Get_Data_All();
        window->showListCount();
    };
    targets.setEntryHooks(hooks);
}

QString NewTab::caption()
{
    return Title;
}

QString NewTab::Tag() const
{
    return FormLayout::mapRectText();
}

// ---- Building ------------------------------------------------------------------

void NewTab::buildNavigation()
{
    m_pic3 = new NavigatePanel(this);
    m_cobNavigate = m_pic3->cobNavigate();
    m_tvDataList = m_pic3->TvDataList();
    m_tvmDataList = m_pic3->TvmDataList();
    m_command6 = m_pic3->Command6();

    m_tempPic = new QWidget(this);
    m_tempPic->setObjectName(QStringLiteral("TEMPPIC"));
    m_tempPic->setCursor(Qt::SplitHCursor);
    m_tempPic->setAutoFillBackground(true);
    m_tempPic->setBackgroundRole(QPalette::Button);
    m_tempPic->installEventFilter(this);

    m_tab1 = new QTabBar(this);
    m_tab1->setObjectName(QStringLiteral("Tab1"));
    m_tab1->setExpanding(false);
    m_tab1->setFocusPolicy(Qt::TabFocus);
    for (const TabDef& t : Tabs) {
        const int i = m_tab1->addTab(QString::fromUtf16(t.caption));
        m_tab1->setTabData(i, QString::fromLatin1(t.key));
    }
    connect(m_tab1, &QTabBar::currentChanged, this, [this] { Tab1_Click(); });

    m_pic1 = new QWidget(this);
    m_pic1->setObjectName(QStringLiteral("Pic1"));
    // The sheets lie on a dark ground (a role of its own, so that the sheets'
    // controls keep the program's colours).
    m_pic1->setAutoFillBackground(true);
    m_pic1->setBackgroundRole(QPalette::Dark);

    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_hScroll1 = new QScrollBar(Qt::Horizontal, this);
    m_hScroll1->setObjectName(QStringLiteral("HScroll1"));
    for (QScrollBar* bar : {m_vScroll1, m_hScroll1}) {
        bar->setSingleStep(EntryGeometry::WheelStep);
        bar->setRange(0, 0);
    }
    // The scroll events (thumb dragged) run the change handlers too.
    connect(m_vScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    connect(m_hScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
}

void NewTab::buildPages()
{
    for (int i = 0; i < FormLayout::PageCount; ++i) {
        auto* page = new KnPage(i, m_pic1);
        m_pages.append(page);
        m_controls.insert(controlKey(FormLayout::PageContainer, i), page);
    }
    m_pages[2]->setUnderlay([this](KnPage& page) { drawAreaMap(page); });

    for (const FieldRegistry::Array a : FieldRegistry::arrays()) {
        m_boxes[int(a)].resize(FieldRegistry::count(a));
    }

    for (const FormControl& c : FormLayout::controls()) {
        if (c.page < 0) continue; // the continuation-sheet template is no widget
        QWidget* parent = c.container == FormLayout::FrameContainer ? m_frame2 : m_pages[c.page];
        QWidget* w = nullptr;
        switch (c.kind) {
        case FormControl::Kind::TextBox: {
            auto* box = new FieldBox(c, parent);
            m_boxes[int(c.array())][c.index] = box;
            w = box;
            break;
        }
        case FormControl::Kind::CheckBox: {
            auto* check = new QCheckBox(c.caption, parent);
            check->setToolTip(c.column);
            QList<QCheckBox*>& group = c.name == QLatin1String("Check1")    ? m_check1
                                       : c.name == QLatin1String("Check11") ? m_check11
                                                                            : m_check12;
            group.append(check);
            w = check;
            break;
        }
        case FormControl::Kind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setToolTip(c.column);
            m_combo5.append(combo);
            w = combo;
            break;
        }
        case FormControl::Kind::Button: {
            auto* button = new QPushButton(c.caption, parent);
            (c.name == QLatin1String("Command2") ? m_command2 : m_command7) = button;
            w = button;
            break;
        }
        case FormControl::Kind::Tree: {
            m_treeView2 = new PickerTreeView(parent);
            m_treeView2->setHeaderHidden(true);
            w = m_treeView2;
            break;
        }
        case FormControl::Kind::Grid: {
            if (c.name == QLatin1String("Area_Flex")) {
                auto* grid = new AreaFlex(c.index, parent);
                grid->attachCheck1(m_check1.value(c.index));
                connect(grid, &AreaFlex::pageRepaintRequested, this, [this] { KnPic_Paint(2); });
                m_areaFlex.append(grid);
                w = grid;
                break;
            }
            w = m_reserveTable.createGrid(c, parent);
            break;
        }
        case FormControl::Kind::Frame:
            m_frame2 = new QWidget(parent);
            w = m_frame2;
            break;
        default:
            break;
        }
        if (!w) continue;
        if (c.kind != FormControl::Kind::Grid || c.index < 0) w->setObjectName(controlKey(c.name, c.index));
        if (c.kind != FormControl::Kind::TextBox) w->setFont(FormFonts::fontOf(c));
        if (auto* flex = qobject_cast<AreaFlex*>(w)) flex->fitFont();
        w->setGeometry(Twips::toPixels(c.left, c.top, c.width, c.height));
        w->setVisible(c.visible);
        m_controls.insert(controlKey(c.name, c.index), w);
    }

    for (int i = 0; i < m_check11.size(); ++i) {
        connect(m_check11[i], &QCheckBox::toggled, this, [this, i] { Check11_Click(i); });
    }
    for (int i = 0; i < m_check12.size(); ++i) {
        connect(m_check12[i], &QCheckBox::toggled, this, [this, i] { Check12_Click(i); });
    }
}

FieldBox* NewTab::box(Array array, int index) const
{
    const QList<FieldBox*>& list = m_boxes[int(array)];
    return index >= 0 && index < list.size() ? list[index] : nullptr;
}

const QList<FieldBox*>& NewTab::boxes(Array array) const
{
    return m_boxes[int(array)];
}

QList<FieldBox*> NewTab::fieldBoxes(const QString& table, const QString& column) const
{
    QList<FieldBox*> out;
    for (const FieldRegistry::Box& b : FieldRegistry::boxes(table, column))
        out.append(box(b.array, b.index));
    return out;
}

QLineEdit* NewTab::txtEdit(int index) const
{
    return m_areaFlex.at(index)->txtEdit();
}

const CoordGrid* NewTab::mapGrid(int index) const
{
    return index >= 0 && index < m_areaFlex.size() ? &m_areaFlex[index]->coordGrid() : nullptr;
}

QWidget* NewTab::control(const QString& name, int index) const
{
    return m_controls.value(controlKey(name, index));
}

// ---- Lifecycle -----------------------------------------------------------------

void NewTab::Form_Load()
{
    ProgramState& s = state();
    s.Form_Opened[1] = true;
    s.Active_Form = 1;
    Wheel::Wheel_Hook(this);
    m_tabSwitching = false;
    m_splitDragging = false;
    s.Is_Loading = false;
    // The window opens with no registration chosen: nothing loaded, the boxes locked.
    s.Cur_DJH.clear();
    m_loaded = {};
    // The window is placed when it is first shown inside the main window.
    m_curPage = 0;
    for (int i = 0; i < FormLayout::PageCount; ++i) {
        m_pagePos[i] = QPoint(EntryGeometry::PageOffset, EntryGeometry::PageOffset);
        movePage(i);
        m_pages[i]->setVisible(i == 0);
    }
    m_pages[0]->raise();
    m_tab1->setCurrentIndex(0);
    Init_Flex(0, state().Area_Coord_Str);
    Init_Flex(1, state().Area_Coord_Str);
    Show_Page();
    Init_Table_Grids();
    KCUTIL::Fill_Dic_List(42, m_combo5[0], QStringLiteral("cb01"));
    m_cobNavigate->setCurrentIndex(0);
    Get_Data_All();
    NAVIGATE::Enable_Edit(*this, 1);
    MainWindowServices& host = mainWindow();
    host.setButtonEnabled(Keys::Print, true);
    host.setMenuItemEnabled(MainCommands::Menu::DJ, DjMenu::PrintMany, host.buttonEnabled(Keys::Print));
}

QMdiSubWindow* NewTab::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QSize NewTab::outerSizeTwips() const
{
    const QWidget* outer = subWindow() ? static_cast<const QWidget*>(subWindow()) : this;
    return QSize(int(std::lround(Twips::fromPixelsX(outer->width()))),
                 int(std::lround(Twips::fromPixelsY(outer->height()))));
}

void NewTab::placeWindow()
{
    QMdiSubWindow* sub = subWindow();
    if (!sub) return;
    sub->setMinimumSize(Twips::toPixelsX(EntryGeometry::MinWidth),
                        Twips::toPixelsY(EntryGeometry::MinHeight));
    const MainWindowServices& host = mainWindow();
    int height = int(std::lround(host.windowHeightTwips() - 3.5 * host.statusBarHeightTwips() -
                                 host.toolBarHeightTwips()));
    if (host.windowHeightTwips() <= 0 && sub->mdiArea()) {
        height = int(std::lround(Twips::fromPixelsY(sub->mdiArea()->height())));
    }
    sub->setGeometry(0, 0, Twips::toPixelsX(11170), Twips::toPixelsY(height));
}

void NewTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed) return;
    m_placed = true;
    if (QMdiSubWindow* sub = subWindow()) {
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if ((now & Qt::WindowActive) && !(before & Qt::WindowActive)) Form_Activate();
                });
        placeWindow();
        if (sub->isActiveWindow() || (sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub))
            Form_Activate();
    }
    Form_Resize();
}

void NewTab::Form_Activate()
{
    MainWindowServices& host = mainWindow();
    host.pressButton(Keys::New, true);
    host.setMenuItemEnabled(MainCommands::Menu::DJ, DjMenu::Register, false);
    host.setToolbarState(m_tvmDataList);
}

void NewTab::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void NewTab::Form_Resize()
{
    QMdiSubWindow* sub = subWindow();
    if (sub && sub->isMinimized()) return;
    if (isMinimized()) return;

    const QSize outer = outerSizeTwips();
    const QSize limited = EntryGeometry::limitedSize(outer);
    if (limited != outer) {
        QWidget* w = sub ? static_cast<QWidget*>(sub) : static_cast<QWidget*>(this);
        w->resize(std::max(w->width(), Twips::toPixelsX(limited.width())),
                  std::max(w->height(), Twips::toPixelsY(limited.height())));
    }

    auto twipsX = [](int px) { return int(std::lround(Twips::fromPixelsX(px))); };
    auto twipsY = [](int px) { return int(std::lround(Twips::fromPixelsY(px))); };
    auto rectTwips = [&](const QRect& r) {
        const int x = twipsX(r.x()), y = twipsY(r.y());
        return QRect(x, y, twipsX(r.x() + r.width()) - x, twipsY(r.y() + r.height()) - y);
    };
    auto rectPixels = [](const QRect& r) { return Twips::toPixels(r.x(), r.y(), r.width(), r.height()); };

    EntryGeometry::Inputs in;
    in.innerWidth = twipsX(width());
    in.innerHeight = twipsY(height());
    in.panelWidth = m_panelWidth;
    in.comboHeight = twipsY(m_cobNavigate->sizeHint().height());
    in.queryButtonHeight = twipsY(m_command6->sizeHint().height());
    in.tabHeight = twipsY(m_tab1->sizeHint().height());
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    in.hScrollHeight = twipsY(extent);
    in.vScrollWidth = twipsX(extent);
    in.mode = m_cobNavigate->currentText();
    in.regionTree = rectTwips(m_tvDataList->geometry());
    in.regionTreeVisible = !m_tvDataList->isHidden();
    in.registrationTree = rectTwips(m_tvmDataList->geometry());
    in.registrationTreeVisible = !m_tvmDataList->isHidden();
    in.page = QSize(FormLayout::PageWidth, FormLayout::PageHeight);

    const EntryGeometry::Layout l = EntryGeometry::arrange(in);
    m_layout = l;
    m_pic3->place(l);
    m_tempPic->setGeometry(rectPixels(l.splitter));
    m_tab1->setGeometry(rectPixels(l.tabs));
    m_pic1->setGeometry(rectPixels(l.viewport));
    m_hScroll1->setGeometry(rectPixels(l.hScroll));
    m_hScroll1->setVisible(l.hScrollVisible);
    m_vScroll1->setGeometry(rectPixels(l.vScroll));
    m_vScroll1->setVisible(l.vScrollVisible);
    m_hScroll1->setPageStep(std::max(1, l.viewport.width()));
    m_vScroll1->setPageStep(std::max(1, l.viewport.height()));
    m_hScroll1->setRange(0, std::max(0, l.hScrollMax));
    m_vScroll1->setRange(0, std::max(0, l.vScrollMax));
}

bool NewTab::Form_Unload()
{
    if (m_unloaded) return false;
    ProgramState& s = state();
    MainWindowServices& host = mainWindow();
    const QString save = Keys::Save;
    if (host.buttonEnabled(save)) {
        const QString question = QStringLiteral("[") + Title + QStringLiteral("]已经发生改变,保存吗?");
        if (Prompt::ask(question, QStringLiteral("提示"), Prompt::Buttons::YesNo, Prompt::Icon::Question,
                        this) == Prompt::Answer::Yes) {
            s.Check_Failed = false;
            host.clickButton(Keys::Save);
            // A refused check, or a save that did not go through (Save stays enabled
            // while edits are unsaved), keeps the window open with its edits.
            if (s.Check_Failed || host.buttonEnabled(save)) return true;
        }
    }

    s.Nav_Changed = false;
    host.pressButton(Keys::New, false);
    host.setMenuItemEnabled(MainCommands::Menu::DJ, DjMenu::Register, true);
    host.setPanelText(1, IdleText);
    host.setPanelText(3, QString());
    host.setButtonEnabled(save, false);
    host.setButtonEnabled(Keys::Print, false);
    host.setButtonEnabled(Keys::Del, false);
    host.setMenuItemEnabled(MainCommands::Menu::DJ, DjMenu::PrintMany, host.buttonEnabled(Keys::Print));
    host.syncMenuToolbar();
    // The flags tell other windows whether the entry window is open: exactly while it is.
    s.Form_Opened[1] = false;
    s.Active_Form = 0;
    Wheel::Wheel_UnHook(this);
    m_unloaded = true;
    return false;
}

void NewTab::closeEvent(QCloseEvent* event)
{
    if (Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
}

// ---- Splitter ------------------------------------------------------------------

bool NewTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tempPic) {
        auto twipsX = [](const QMouseEvent* e) {
            return int(std::lround(Twips::fromPixelsX(int(e->position().x()))));
        };
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            TEMPPIC_MouseDown();
            return true;
        case QEvent::MouseMove:
            TEMPPIC_MouseMove(twipsX(static_cast<QMouseEvent*>(event)));
            return true;
        case QEvent::MouseButtonRelease:
            TEMPPIC_MouseUp(twipsX(static_cast<QMouseEvent*>(event)));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NewTab::TEMPPIC_MouseDown()
{
    m_splitDragging = true;
    m_splitterLeft = m_layout.splitter.left();
}

void NewTab::TEMPPIC_MouseMove(int x)
{
    Form_MouseMove(x);
}

void NewTab::Form_MouseMove(int x)
{
    if (!m_splitDragging) return;
    m_splitterLeft += x;
    m_tempPic->setGeometry(Twips::toPixels(m_splitterLeft, m_layout.panel.top(), EntryGeometry::SplitterWidth,
                                           m_layout.panel.height()));
    m_tempPic->raise();
}

void NewTab::TEMPPIC_MouseUp(int x)
{
    if (!m_splitDragging) return;
    m_panelWidth = EntryGeometry::releasedPanelWidth(m_splitterLeft, x, EntryGeometry::PanelLeft,
                                                     outerSizeTwips().width());
    Form_Resize();
    m_splitDragging = false;
}

// ---- Pages, tabs and scrolling -------------------------------------------------

void NewTab::Show_Page()
{
    for (int i = 0; i < FormLayout::PageCount; ++i) {
        if (i != m_curPage && m_pages[i]->isVisible()) m_pages[i]->hide();
    }
    m_pages[m_curPage]->show();
    m_pages[m_curPage]->raise();
    if (m_curPage == 2) {
        for (QTableWidget* grid : m_areaFlex)
            grid->setUpdatesEnabled(true);
    }
}

void NewTab::movePage(int page)
{
    m_pages[page]->move(Twips::toPixelsX(m_pagePos[page].x()), Twips::toPixelsY(m_pagePos[page].y()));
}

void NewTab::Tab1_Click()
{
    const QString key = m_tab1->tabData(m_tab1->currentIndex()).toString();
    int page = -1;
    for (int i = 0; i < FormLayout::PageCount; ++i) {
        if (key == QLatin1String(Tabs[i].key)) page = i;
    }
    if (page < 0) return;
    m_curPage = page;
    Show_Page();
    m_tabSwitching = true;
    m_hScroll1->setRange(
        0, std::max(0, EntryGeometry::scrollMaximum(FormLayout::PageWidth, m_layout.viewport.width())));
    m_vScroll1->setRange(
        0, std::max(0, EntryGeometry::scrollMaximum(FormLayout::PageHeight, m_layout.viewport.height())));
    // The bars show where this page was left: each page keeps its own position.
    m_hScroll1->setValue(EntryGeometry::scrollValueAt(m_pagePos[page].x()));
    m_vScroll1->setValue(EntryGeometry::scrollValueAt(m_pagePos[page].y()));
    m_tabSwitching = false;
}

void NewTab::VScroll1_Change()
{
    if (m_tabSwitching) return;
    m_pagePos[m_curPage].setY(EntryGeometry::pagePosition(m_vScroll1->value()));
    movePage(m_curPage);
}

void NewTab::HScroll1_Change()
{
    if (m_tabSwitching) return;
    m_pagePos[m_curPage].setX(EntryGeometry::pagePosition(m_hScroll1->value()));
    movePage(m_curPage);
}

void NewTab::KnPic_Paint(int index)
{
    if (index >= 0 && index < m_pages.size()) m_pages[index]->update();
}

void NewTab::drawAreaMap(KnPage& page)
{
    QPainter painter(&page);
    painter.setBackground(Qt::white);
    myvbs::Draw_Area_Map(painter, *this, myvbs::MapTarget::Screen);
    painter.end();
    Q_EMIT areaMapDrawn();
}

// ---- Clearing and the tick groups ------------------------------------------------

void NewTab::clear_data()
{
    ProgramState& s = state();
    m_loaded = {};
    s.Is_Loading = true;
    for (FieldBox* b : m_boxes[int(Array::Kn1Data)])
        b->setText(QString());
    for (QCheckBox* c : m_check11)
        c->setChecked(false);
    for (QCheckBox* c : m_check12)
        c->setChecked(false);
    for (const Array a : {Array::Kn2Data, Array::Kn3Data, Array::Kn6Data}) {
        for (FieldBox* b : m_boxes[int(a)])
            b->setText(QString());
    }
    for (int i = 0; i < 2; ++i) {
        s.Area_Coord_Str.clear();
        Init_Flex(i, s.Area_Coord_Str);
    }
    KnPic_Paint(2);
    for (QComboBox* c : m_combo5)
        c->setCurrentIndex(-1);
    Init_Table_Grids();
    s.Is_Loading = false;
}

void NewTab::clearForTakeOver()
{
    const EntryValues::Loaded loaded = m_loaded;
    clear_data();
    m_loaded.djh = loaded.djh;
    m_loaded.database = loaded.database;
}

void NewTab::Check11_Click(int index)
{
    Check_Group_To_Field(m_check11, index, 19);
}

void NewTab::Check12_Click(int index)
{
    Check_Group_To_Field(m_check12, index, 20);
}

void NewTab::Check_Group_To_Field(const QList<QCheckBox*>& group, int index, int fieldIndex)
{
    FieldBox* field = Kn2Data(fieldIndex);
    field->setText(QString());
    if (!group[index]->isChecked()) return;
    for (int i = 0; i < group.size(); ++i) {
        if (i != index) group[i]->setChecked(false); // its own handler empties the field and stops
    }
    field->setText(group[index]->text().trimmed());
}

// ---- Grids -----------------------------------------------------------------------

void NewTab::Init_Table_Grids()
{
    m_reserveTable.Init_Table_Grids();
}

void NewTab::savedAs(const QString& djh)
{
    m_loaded.djh = djh;
    m_loaded.database = state().Cn().databaseName();
}

EntryValues NewTab::values()
{
    EntryValues v;
    for (const Array a : FieldRegistry::arrays()) {
        const QList<FieldBox*>& list = boxes(a);
        for (int i = 0; i < list.size(); ++i)
            v.setText(a, i, list[i]->text());
    }
    for (int i = 0; i < 2; ++i) {
        AreaFlex* grid = Area_Flex(i);
        v.grids[i] = &grid->coordGrid();
        v.geographic[i] = Check1(i)->isChecked();
    }
    v.loaded = m_loaded;
    return v;
}

void NewTab::showValues(const EntryValues& values)
{
    for (const Array a : FieldRegistry::arrays()) {
        const QList<FieldBox*>& list = boxes(a);
        for (int i = 0; i < list.size() && i < values.count(a); ++i)
            list[i]->setTextWhole(values.text(a, i));
    }
}

QString NewTab::category() const
{
    return m_combo5.isEmpty() ? QString() : m_combo5.at(0)->currentText();
}

QList<int> NewTab::ticks(const QString& group) const
{
    const QList<QCheckBox*>& boxes = group == QLatin1String("Check1")    ? m_check1
                                     : group == QLatin1String("Check11") ? m_check11
                                                                         : m_check12;
    QList<int> states;
    for (const QCheckBox* box : boxes)
        states << (box->checkState() == Qt::Checked ? 1 : box->checkState() == Qt::PartiallyChecked ? 2 : 0);
    return states;
}

void NewTab::Init_Flex(int index, const QString& lines)
{
    m_areaFlex.at(index)->Init_Flex(lines);
}
