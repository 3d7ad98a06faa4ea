// The entry window's navigation: clicking nodes in the four modes loads the
// registration into the pages; the status text, the "..." node, the query button
// and the edit lock.

#include "registration/navigation/NavigationFixture.h"

#include "entry/AreaFlex.h"
#include "entry/EntryEditing.h"
#include "entry/EntryWindowHost.h"
#include "entry/EntryGeometry.h"
#include "entry/FieldBox.h"
#include "entry/NavigateTree.h"
#include "entry/NavigatePanel.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

namespace {

const QString R1 = QStringLiteral("4510104082001"); // 锦江区, fully filled
const QString R2 = QStringLiteral("4510104082002");
const QString R4 = QStringLiteral("4510105092001");

class NewTabNavigationTest : public NavigationFixture, protected EntryWindowHost
{
protected:
    void SetUp() override
    {
        NavigationFixture::SetUp();
        addStandardRegistrations();
        fillFirstRegistration();
        showArea(QSize(1200, 860));
        // The edit button works only once the detail editor exists.
        EntryEditing::setDetailEditor([](NewTab&) {});
    }
    void TearDown() override
    {
        if (m_window) m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        closeArea();
        NAVIGATE::Set_Query_Dialog({});
        EntryEditing::setDetailEditor({});
        NavigationFixture::TearDown();
    }

    // Every page of R1 holds data: dates, telephone, options, category, both
    // coordinate texts and a quality group with its reserves.
    void fillFirstRegistration()
    {
        exec("UPDATE 登记 SET 填表人='张三', 填表日期='2008年5月3日', 审定日期='2008年7月' WHERE 登记号=?",
             {R1});
        exec("UPDATE 压覆 SET 建设单位='成渝高速公路公司', 电话号码='028-8765-4321', 建设项目类别='公路', "
             "批准日期='2007年11月', 压覆性质='全部压覆', 利用现状='未利用', 方位=120.5 WHERE 登记号=?",
             {R1});
        exec("INSERT INTO 报告 (登记号, 报告名称, 评审日期) VALUES (?, '压覆矿产评估报告', '2008年1月20日')",
             {R1});
        exec("INSERT INTO 坐标 (登记号, 矿权坐标, 计算坐标, 矿权面积) VALUES (?, ?, ?, 12.5)",
             {R1,
              "1,4,1,102.3015,30.4510,2,102.3115,30.4510,3,102.3115,30.4610,4,102.3015,30.4610,1200,800,1,1,",
              "2,3,1,3401000.5,35512000.2,2,3401100,35512100,3,3401000,35512200,900,500,1,1,"
              "3,4,3401010,35512010,5,3401020,35512020,6,3401030,35512010,,,,,"});
        exec("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, "
             "均值标识, 显示序号) "
             "VALUES (?, 22001, 0, '10003', '1', 'Cu', 1.2, '%', 0, 101)",
             {R1});
        exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, "
             "矿石量1, 显示序号) "
             "VALUES (?, 22001, 0, 10003, 1, '122', 10, 500, 101)",
             {R1});
    }

    // Chooses a mode as the user does.
    void chooseMode(const QString& mode)
    {
        QComboBox* box = controlsOf(m_window).cobNavigate();
        const int i = box->findText(mode);
        ASSERT_GE(i, 0);
        box->setCurrentIndex(i);
        Q_EMIT box->activated(i);
        QApplication::processEvents();
    }

    QModelIndex node(NavigateTree* tree, const QString& key) const
    {
        for (const QModelIndex& item : NAVIGATE::Tree_Nodes(tree))
            if (NAVIGATE::Node_Key(item) == key) return item;
        return {};
    }
    QModelIndex nodeByText(NavigateTree* tree, const QString& text) const
    {
        for (const QModelIndex& item : NAVIGATE::Tree_Nodes(tree))
            if (item.data().toString() == text) return item;
        return {};
    }

    // Clicks a node with the mouse.
    void click(NavigateTree* tree, const QModelIndex& item)
    {
        ASSERT_TRUE(item.isValid());
        tree->expandAll();
        tree->scrollTo(item);
        QApplication::processEvents();
        const QRect r = tree->visualRect(item);
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        QApplication::processEvents();
    }

    QStringList keys(NavigateTree* tree) const
    {
        QStringList k;
        for (const QModelIndex& item : NAVIGATE::Tree_Nodes(tree))
            k << NAVIGATE::Node_Key(item);
        return k;
    }
    QStringList texts(NavigateTree* tree) const
    {
        QStringList t;
        for (const QModelIndex& item : NAVIGATE::Tree_Nodes(tree))
            t << item.data().toString();
        return t;
    }

    QString cell(QTableWidget* grid, int row, int column) const
    {
        QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }

    QString status() const { return m_host.panels.value(3); }

    // What R1 shows on every page.
    void expectFirstRegistrationShown()
    {
        NewTab& w = *m_window;
        EXPECT_EQ(m_state.Cur_DJH, R1);
        EXPECT_FALSE(m_state.Is_Loading);
        EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), R1);
        EXPECT_EQ(controlsOf(w).Kn1Data(1)->text(), "张三");
        EXPECT_EQ(controlsOf(w).Kn1Data(3)->text(), "2008");
        EXPECT_EQ(controlsOf(w).Kn1Data(4)->text(), "5");
        EXPECT_EQ(controlsOf(w).Kn1Data(5)->text(), "3");
        EXPECT_EQ(controlsOf(w).Kn1Data(22)->text(), "2008");
        EXPECT_EQ(controlsOf(w).Kn1Data(23)->text(), "7");
        EXPECT_EQ(controlsOf(w).Kn1Data(24)->text(), "");
        EXPECT_EQ(controlsOf(w).Kn2Data(0)->text(), "成渝高速公路公司");
        EXPECT_EQ(controlsOf(w).Kn2Data(1)->text(), "510104");
        EXPECT_EQ(controlsOf(w).Kn2Data(5)->text(), "028");
        // The number box holds 8 characters, but a stored number shows whole.
        EXPECT_EQ(controlsOf(w).Kn2Data(6)->text(), "8765-4321");
        EXPECT_EQ(controlsOf(w).Kn2Data(12)->text(), "2007");
        EXPECT_EQ(controlsOf(w).Kn2Data(13)->text(), "11");
        EXPECT_EQ(controlsOf(w).Kn2Data(14)->text(), "");
        EXPECT_EQ(controlsOf(w).Kn2Data(16)->text(), "510104001");
        EXPECT_EQ(controlsOf(w).Kn2Data(17)->text(), "1");
        EXPECT_EQ(controlsOf(w).Combo5()->currentText(), "公路");
        EXPECT_FALSE(controlsOf(w).Check11(0)->isChecked()); // 部分压覆
        EXPECT_TRUE(controlsOf(w).Check11(1)->isChecked());  // 全部压覆
        EXPECT_TRUE(controlsOf(w).Check12(0)->isChecked());  // 未利用
        EXPECT_FALSE(controlsOf(w).Check12(1)->isChecked()); // 已利用
        EXPECT_EQ(controlsOf(w).Kn3Data(0)->text(), "压覆矿产评估报告");
        EXPECT_EQ(controlsOf(w).Kn3Data(7)->text(), "2008");
        EXPECT_EQ(controlsOf(w).Kn3Data(8)->text(), "1");
        EXPECT_EQ(controlsOf(w).Kn3Data(9)->text(), "20");
        EXPECT_EQ(controlsOf(w).Kn6Data(0)->text(), "12.5");
        // Grid 0: four corners and the ring end; grid 1: two rings, the last unclosed.
        const CoordGridModel& g0 = controlsOf(w).Area_Flex(0)->grid();
        EXPECT_EQ(g0.TextMatrix(1, 1), "1");
        EXPECT_EQ(g0.TextMatrix(1, 2), "102.3015");
        EXPECT_EQ(g0.TextMatrix(5, 1), "*");
        EXPECT_EQ(g0.TextMatrix(5, 2), "1200");
        EXPECT_TRUE(controlsOf(w).Check1(0)->isChecked()) << "longitude and latitude";
        const CoordGridModel& g1 = controlsOf(w).Area_Flex(1)->grid();
        EXPECT_EQ(g1.TextMatrix(1, 2), "3401000.5");
        EXPECT_EQ(g1.TextMatrix(4, 1), "*");
        EXPECT_EQ(g1.TextMatrix(5, 1), "4");
        EXPECT_EQ(g1.TextMatrix(8, 1), "*");
        EXPECT_FALSE(controlsOf(w).Check1(1)->isChecked());
        EXPECT_EQ(m_state.Area_Coord_Str.left(3), "8\r\n");
        // The reserve table.
        QTableWidget* tb = controlsOf(w).TBFLEX();
        ASSERT_EQ(tb->rowCount(), 1);
        EXPECT_EQ(cell(tb, 0, 0), "铜矿");
        EXPECT_EQ(cell(tb, 0, 4), "122");
        // A loaded registration: editing on, nothing unsaved.
        EXPECT_TRUE(controlsOf(w).Kn1Data(0)->isEnabled());
        EXPECT_TRUE(controlsOf(w).Command2()->isEnabled());
        EXPECT_FALSE(m_host.enabled.value("SAVE"));
        EXPECT_TRUE(m_host.enabled.value("DEL"));
    }

};

} // namespace

TEST_F(NewTabNavigationTest, OpensWithTheWholeListAndNothingLoaded)
{
    NewTab& w = *open();
    EXPECT_EQ(controlsOf(w).cobNavigate()->currentText(), "登记号");
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()),
              (QStringList{"4130102082001", R1, R2, "4510104102003", R4, "..."}));
    EXPECT_TRUE(controlsOf(w).TvDataList()->isHidden());
    EXPECT_EQ(m_state.Cur_DJH, "");
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "");
}

TEST_F(NewTabNavigationTest, ASwitchedDatabaseShowsNothingOfTheOldOne)
{
    NewTab& w = *open();
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    ASSERT_EQ(controlsOf(w).Kn1Data(0)->text(), R1);
    // The working database becomes another file, as the parameter dialog switches it.
    const QString other = copyTemplate(QStringLiteral("other.mdb"));
    ASSERT_TRUE(Db::open(QStringLiteral("SwitchedCn"), other, Db::OpenMode::ReadWrite));
    const QString old = m_state.CnName;
    m_state.CnName = QStringLiteral("SwitchedCn");
    w.Get_Data_All();
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), QStringList{"..."});
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "");
    EXPECT_EQ(m_state.Cur_DJH, "");
    EXPECT_FALSE(controlsOf(w).Kn2Data(0)->isEnabled());
    EXPECT_FALSE(m_host.enabled.value("SAVE"));
    m_state.CnName = old;
    Db::close(QStringLiteral("SwitchedCn"));
}

TEST_F(NewTabNavigationTest, NumbersAndPlaneCoordinatesShowWholeAtTheDefaultWidths)
{
    NewTab& w = *open();
    QApplication::processEvents();
    ASSERT_EQ(w.panelWidth(), EntryGeometry::PanelDesignWidth);
    NavigateTree* list = controlsOf(w).TvmDataList();
    // The number column fits even beside a vertical scroll bar.
    const int extent = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    EXPECT_LE(list->header()->sectionSize(0), list->width() - 2 * list->frameWidth() - extent);

    // An 8-digit Y with two decimals in both coordinate columns of both grids.
    for (int g = 0; g < 2; ++g) {
        AreaFlex* grid = controlsOf(w).Area_Flex(g);
        const QFontMetrics metrics(grid->font());
        for (int c : {1, 2})
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("35571509.12")) + 4, grid->columnWidth(c))
                << g << "," << c;
    }
}

TEST_F(NewTabNavigationTest, NumberModeLoadsTheClickedRegistration)
{
    NewTab& w = *open();
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    expectFirstRegistrationShown();
    EXPECT_EQ(status(), "共有5个项目");
    EXPECT_GE(m_host.toolbarStates, 1);

    // Another registration replaces what was shown.
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R2));
    EXPECT_EQ(m_state.Cur_DJH, R2);
    EXPECT_EQ(controlsOf(w).Kn1Data(1)->text(), "");
    EXPECT_EQ(controlsOf(w).Kn2Data(5)->text(), "");
    EXPECT_FALSE(controlsOf(w).Check11(1)->isChecked());
    EXPECT_EQ(controlsOf(w).Combo5()->currentIndex(), -1);
    EXPECT_EQ(controlsOf(w).TBFLEX()->rowCount(), 0);
    EXPECT_EQ(controlsOf(w).Area_Flex(0)->grid().TextMatrix(1, 1), "");
}

TEST_F(NewTabNavigationTest, ClosingNodeEmptiesTheWindowOnItsCoverPage)
{
    NewTab& w = *open();
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    controlsOf(w).Tab1()->setCurrentIndex(3);
    click(controlsOf(w).TvmDataList(), nodeByText(controlsOf(w).TvmDataList(), "..."));
    EXPECT_EQ(m_state.Cur_DJH, "");
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "");
    EXPECT_EQ(controlsOf(w).Kn2Data(1)->text(), "");
    EXPECT_FALSE(controlsOf(w).Check11(1)->isChecked());
    EXPECT_EQ(controlsOf(w).TBFLEX()->rowCount(), 0);
    EXPECT_EQ(controlsOf(w).Tab1()->currentIndex(), 0);
    EXPECT_FALSE(controlsOf(w).Command2()->isEnabled());
    EXPECT_FALSE(m_state.Is_Loading);
    EXPECT_EQ(status(), "共有5个项目");
}

TEST_F(NewTabNavigationTest, MineModeCountsRegistrationsAndLoadsByKey)
{
    NewTab& w = *open();
    m_state.Cur_DJH = R1;
    chooseMode("矿山-->登记号");
    EXPECT_TRUE(controlsOf(w).TvDataList()->isHidden());
    // Cur_DJH is selected again and loaded.
    ASSERT_TRUE(controlsOf(w).TvmDataList()->currentIndex().isValid());
    EXPECT_EQ(NAVIGATE::Node_Key(controlsOf(w).TvmDataList()->currentIndex()), "C" + R1);
    expectFirstRegistrationShown();
    // Four registrations have a mining area; the tree has eleven nodes.
    EXPECT_EQ(status(), "共有4个项目");

    // A mining-area node switches editing off.
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), "A510104001"));
    EXPECT_FALSE(controlsOf(w).Kn1Data(0)->isEnabled());
    EXPECT_FALSE(m_host.enabled.value("SAVE"));
    EXPECT_FALSE(m_host.enabled.value("DEL"));
    EXPECT_FALSE(controlsOf(w).Command2()->isEnabled());

    // The registration node shows the project name; the number comes from the key.
    const QModelIndex r4 = node(controlsOf(w).TvmDataList(), "C" + R4);
    EXPECT_EQ(r4.data().toString(), "青羊新区");
    click(controlsOf(w).TvmDataList(), r4);
    EXPECT_EQ(m_state.Cur_DJH, R4);
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), R4);
    EXPECT_TRUE(controlsOf(w).Kn1Data(0)->isEnabled());
}

// The mine tree gives its nodes items as they are opened: a mining area shows as a
// group before it is opened, the count and a relabelling reach the nodes not yet
// opened, and the keys open the area and mine down to a registration, which loads.
TEST_F(NewTabNavigationTest, MineTreeOpensItsNodesAsTheyAreReached)
{
    NewTab& w = *open();
    m_state.Cur_DJH.clear();
    chooseMode("矿山-->登记号");
    NavigateTree* list = controlsOf(w).TvmDataList();
    ASSERT_GT(list->topLevelCount(), 0);
    const QModelIndex area = list->model()->index(0, 0);
    EXPECT_FALSE(list->isExpanded(area));
    EXPECT_TRUE(NAVIGATE::Has_Children(area));
    EXPECT_EQ(NAVIGATE::Count_Registrations(list), 4);
    NAVIGATE::Relabel_Tree_Nodes(w);

    list->setFocus();
    list->setCurrentIndex(area);
    QTest::keyClick(list, Qt::Key_Right);
    ASSERT_TRUE(list->isExpanded(area));
    QTest::keyClick(list, Qt::Key_Down);
    const QModelIndex mine = list->currentIndex();
    ASSERT_EQ(mine, list->model()->index(0, 0, area));
    EXPECT_FALSE(m_host.enabled.value("DEL"));
    QTest::keyClick(list, Qt::Key_Right);
    QTest::keyClick(list, Qt::Key_Down);
    const QModelIndex registration = list->currentIndex();
    ASSERT_TRUE(registration.isValid());
    ASSERT_EQ(registration.parent(), mine);
    const QString djh = NAVIGATE::Node_Key(registration).mid(1);
    EXPECT_EQ(registration.data().toString(), djh);
    EXPECT_EQ(m_state.Cur_DJH, djh);
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), djh);
    EXPECT_EQ(status(), "共有4个项目");
}

TEST_F(NewTabNavigationTest, RegionNumberModeSelectsTheCountyOfTheShownRegistration)
{
    NewTab& w = *open();
    m_state.Cur_DJH = R1;
    chooseMode("行政区-->登记号");
    EXPECT_FALSE(controlsOf(w).TvDataList()->isHidden());
    EXPECT_FALSE(controlsOf(w).TvmDataList()->isHidden());
    ASSERT_TRUE(controlsOf(w).TvDataList()->currentIndex().isValid());
    EXPECT_EQ(NAVIGATE::Node_Key(controlsOf(w).TvDataList()->currentIndex()), "C510104");
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), (QStringList{R1, R2, "4510104102003", "..."}));
    expectFirstRegistrationShown();
    EXPECT_EQ(status(), "共有3个项目");

    // Another county lists its own registrations; a city lists nothing.
    click(controlsOf(w).TvDataList(), node(controlsOf(w).TvDataList(), "B510100"));
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), (QStringList{R1, R2, "4510104102003", "..."}));
    EXPECT_FALSE(controlsOf(w).Kn1Data(0)->isEnabled());
    click(controlsOf(w).TvDataList(), node(controlsOf(w).TvDataList(), "C510105"));
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), (QStringList{R4, "..."}));
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R4));
    EXPECT_EQ(m_state.Cur_DJH, R4);
    EXPECT_EQ(controlsOf(w).Kn2Data(1)->text(), "510105");
    EXPECT_EQ(status(), "共有1个项目");
}

TEST_F(NewTabNavigationTest, RegionMineModeBuildsTheMiningAreasOfTheClickedCounty)
{
    NewTab& w = *open();
    chooseMode("行政区-->矿山");
    EXPECT_FALSE(controlsOf(w).TvDataList()->currentIndex().isValid())
        << "no registration shown: no county selected";
    EXPECT_EQ(controlsOf(w).TvmDataList()->topLevelCount(), 0);
    click(controlsOf(w).TvDataList(), node(controlsOf(w).TvDataList(), "C510104"));
    EXPECT_EQ(keys(controlsOf(w).TvmDataList()),
              (QStringList{"A510104001", "B5101040010", "C" + R2, "B5101040011", "C" + R1, "A510104002",
                           "B5101040021", "C4510104102003"}));
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), "C" + R1));
    expectFirstRegistrationShown();
    EXPECT_EQ(status(), "共有3个项目");
}

TEST_F(NewTabNavigationTest, ModeChangeWithoutShownRegistrationSelectsNothingAndLocksEditing)
{
    NewTab& w = *open();
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    m_state.Cur_DJH = "4999999999999";
    chooseMode("登记号");
    EXPECT_FALSE(controlsOf(w).TvmDataList()->currentIndex().isValid());
    EXPECT_FALSE(controlsOf(w).Kn1Data(0)->isEnabled());
    EXPECT_FALSE(controlsOf(w).Check1(0)->isEnabled());
    EXPECT_FALSE(controlsOf(w).Command7()->isEnabled());
    EXPECT_FALSE(m_host.enabled.value("SAVE"));
    m_state.Cur_DJH.clear();
    chooseMode("矿山-->登记号");
    EXPECT_FALSE(controlsOf(w).TvmDataList()->currentIndex().isValid());
}

TEST_F(NewTabNavigationTest, RegistrationWithoutHeaderRowLoadsEmptyAndEditable)
{
    exec("DELETE FROM 登记 WHERE 登记号=?", {R1});
    NewTab& w = *open();
    m_state.Cur_DJH = R1;
    chooseMode("登记号");
    EXPECT_EQ(m_state.Cur_DJH, R1);
    EXPECT_FALSE(m_state.Is_Loading);
    EXPECT_EQ(controlsOf(w).Kn1Data(0)->text(), "");
    EXPECT_EQ(controlsOf(w).Kn2Data(1)->text(), "");
    EXPECT_EQ(controlsOf(w).TBFLEX()->rowCount(), 0);
    EXPECT_TRUE(controlsOf(w).Kn1Data(1)->isEnabled());
}

TEST_F(NewTabNavigationTest, QueryButtonIsDisabledUntilAQueryDialogIsRegistered)
{
    NewTab& w = *open();
    EXPECT_FALSE(controlsOf(w).Command6()->isEnabled());
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    EXPECT_FALSE(controlsOf(w).Command6()->isEnabled());
}

TEST_F(NewTabNavigationTest, MineralFilterFromTheQueryDialogRestrictsEveryMode)
{
    int shown = 0;
    NAVIGATE::Set_Query_Dialog([&](QWidget* parent) {
        ++shown;
        EXPECT_TRUE(Query_Filter().isEmpty()) << "the button empties the filter before the dialog";
        EXPECT_NE(parent, nullptr);
        Query_Filter().mineralCode = "21001";
    });
    Query_Filter().holder = "left over";
    m_state.Query_Where = " and 矿业权人 like '%x%'";
    NewTab& w = *open();
    ASSERT_TRUE(controlsOf(w).Command6()->isEnabled());
    QTest::mouseClick(controlsOf(w).Command6(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(m_state.Query_Where, "");
    // The first node of the rebuilt list is clicked.
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), (QStringList{R1, R4, "..."}));
    EXPECT_EQ(m_state.Cur_DJH, R1);
    EXPECT_EQ(status(), "共有2个项目");

    m_state.Cur_DJH = R4;
    chooseMode("矿山-->登记号");
    EXPECT_EQ(keys(controlsOf(w).TvmDataList()),
              (QStringList{"A510104001", "B5101040011", "C" + R1, "A510105001", "B5101050012", "C" + R4}));
    EXPECT_EQ(m_state.Cur_DJH, R4);
    chooseMode("行政区-->登记号");
    EXPECT_EQ(keys(controlsOf(w).TvDataList()), (QStringList{"A510000", "B510100", "C510104", "C510105"}));
    EXPECT_EQ(texts(controlsOf(w).TvmDataList()), (QStringList{R4, "..."}));
    chooseMode("行政区-->矿山");
    click(controlsOf(w).TvDataList(), node(controlsOf(w).TvDataList(), "C510104"));
    EXPECT_EQ(keys(controlsOf(w).TvmDataList()), (QStringList{"A510104001", "B5101040011", "C" + R1}));

    // The whole list ignores the filter.
    w.Get_Data_All();
    EXPECT_EQ(controlsOf(w).cobNavigate()->currentText(), "登记号");
    EXPECT_EQ(controlsOf(w).TvmDataList()->topLevelCount(), 6);
}

TEST_F(NewTabNavigationTest, QueryInMineModeClicksTheFirstMiningAreaWhichLoadsNothing)
{
    NAVIGATE::Set_Query_Dialog([](QWidget*) { Query_Filter().year = "2009"; });
    NewTab& w = *open();
    chooseMode("矿山-->登记号");
    w.Command6_Click();
    EXPECT_EQ(keys(controlsOf(w).TvmDataList()), (QStringList{"A510105001", "B5101050012", "C" + R4}));
    EXPECT_EQ(m_state.Cur_DJH, "");
    EXPECT_FALSE(controlsOf(w).Kn1Data(0)->isEnabled());
}

TEST_F(NewTabNavigationTest, RelabellingSwapsMineLabelsOnlyInMineModes)
{
    NewTab& w = *open();
    NAVIGATE::Relabel_Tree_Nodes(w);
    EXPECT_EQ(controlsOf(w).TvmDataList()->model()->index(0, 0).data().toString(), "4130102082001");
    chooseMode("矿山-->登记号");
    EXPECT_EQ(node(controlsOf(w).TvmDataList(), "C" + R1).data().toString(), "成渝高速公路");
    NAVIGATE::Relabel_Tree_Nodes(w);
    EXPECT_EQ(node(controlsOf(w).TvmDataList(), "C" + R1).data().toString(), R1);
    EXPECT_EQ(node(controlsOf(w).TvmDataList(), "A510104001").data().toString(), "510104001");
    NAVIGATE::Relabel_Tree_Nodes(w);
    EXPECT_EQ(node(controlsOf(w).TvmDataList(), "A510104001").data().toString(), "锦江铁矿区");
}

TEST_F(NewTabNavigationTest, EditLockWithAnyOtherModeChangesNothing)
{
    NewTab& w = *open();
    click(controlsOf(w).TvmDataList(), node(controlsOf(w).TvmDataList(), R1));
    for (int mode : {0, 3}) {
        NAVIGATE::Enable_Edit(w, mode);
        EXPECT_TRUE(controlsOf(w).Kn1Data(0)->isEnabled());
        EXPECT_TRUE(m_host.enabled.value("DEL"));
    }
    NAVIGATE::Enable_Edit(w, 1);
    EXPECT_FALSE(controlsOf(w).Kn3Data(0)->isEnabled());
    EXPECT_FALSE(controlsOf(w).Combo5()->isEnabled());
    EXPECT_FALSE(controlsOf(w).Check12(0)->isEnabled());
    NAVIGATE::Enable_Edit(w, 2);
    EXPECT_TRUE(controlsOf(w).Kn3Data(0)->isEnabled());
    EXPECT_TRUE(controlsOf(w).Combo5()->isEnabled());
    EXPECT_TRUE(controlsOf(w).Check1(0)->isEnabled()) << "the coordinate kind can be chosen";
    EXPECT_FALSE(controlsOf(w).Command2()->isEnabled());
}

namespace {

// A name far down a long list widens the column once it is scrolled to, and the
// panel scrolls sideways to show it whole.
TEST(NavigatePanelTest, TheColumnFitsTheLongestTextOnTheScreenAsTheListScrolls)
{
    NavigatePanel panel;
    panel.resize(200, 300);
    NavigateTree* list = panel.TvmDataList();
    list->setGeometry(0, 0, 200, 300);
    list->show();
    panel.show();
    TreeNodes nodes;
    for (int i = 0; i < 500; ++i)
        nodes.append({QString::number(4000000000000LL + i), QString::number(4000000000000LL + i), {}, {}});
    const QString wide = QStringLiteral("成渝高速公路扩建工程第二标段压覆矿产资源");
    nodes.append({QStringLiteral("4000000000999"), wide, {}, {}});
    list->fill(NodeTable(nodes));
    QApplication::processEvents();
    const int wideWidth = list->fontMetrics().horizontalAdvance(wide);
    EXPECT_LT(list->header()->sectionSize(0), wideWidth);

    list->scrollToBottom();
    QApplication::processEvents();
    EXPECT_GE(list->header()->sectionSize(0), wideWidth);
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
}

} // namespace
