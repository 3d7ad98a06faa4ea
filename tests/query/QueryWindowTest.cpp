// The query button and the reference chooser as a clerk uses them in the main window.

#include "QueryFixture.h"

#include "editors/MineralPicker.h"
#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/MainWindowHarness.h"
#include "entry/NavigateTree.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "platform/Prompt.h"
#include "query/QueryTargets.h"
#include "query/ReferenceDialogs.h"
#include "registration/form/FieldRegistry.h"
#include "shell/ShellNames.h"
#include "support/ModalDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using ModalDialogs::click;
using ModalDialogs::withDialog;

namespace {

const QString A = QStringLiteral("4510104072001");
const QString B = QStringLiteral("4510104082002");
const QString D = QStringLiteral("4510105072004");
const QString N = QStringLiteral("4510104072009"); // an occupied registration

class QueryWindowTest : public QueryFixture, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        QueryFixture::SetUp();
        addOverlay(A, 510104, QStringLiteral("锦江铁矿区"), QStringLiteral("四川矿业公司"), {11001});
        addOverlay(B, 510104, QStringLiteral("锦江铁矿区"), QStringLiteral("四川矿业公司"), {11001});
        addOverlay(D, 510105, QStringLiteral("青羊煤矿区"), QStringLiteral("大四川矿业"), {11001});
        NewTab::Register(targets);
        NAVIGATE::Register(targets);
        query::registerTargets(targets);
        showMainWindow();
    }
    void TearDown() override
    {
        closeMainWindow();
        NAVIGATE::Set_Query_Dialog({});
        QueryFixture::TearDown();
    }

    static void type(QWidget* dialog, int box, const QString& text)
    {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(box))->setText(text);
    }

    static QStringList listed(NewTab* w)
    {
        QStringList out;
        auto* tree = w->findChild<NavigateTree*>(QStringLiteral("TvmDataList"));
        for (int i = 0; i < tree->topLevelCount(); ++i)
            out << tree->model()->index(i, 0).data().toString();
        return out;
    }

    static QString boxText(NewTab* w, const QString& name)
    {
        auto* box = w->findChild<FieldBox*>(name);
        return box ? box->text() : QStringLiteral("<none>");
    }

    // The object name of box `part` of a column.
    static QString boxOf(const QString& table, const QString& column, int part = 0)
    {
        const FieldRegistry::Box b = FieldRegistry::boxes(table, column).value(part);
        return QStringLiteral("%1(%2)").arg(FieldRegistry::arrayName(b.array)).arg(b.index);
    }

    // The occupied registration N, with the coordinate text `coords`.
    void addOccupied(const QString& coords)
    {
        exec(
            QStringLiteral("INSERT INTO 登记 (登记号, 填表人, 填表日期) VALUES (?, '张三', '2007年5月12日')"),
            {N});
        exec(QStringLiteral("INSERT INTO 占用 (登记号, 采矿权人, 行政区代码, 电话号码, 矿区名称) "
                            "VALUES (?, '某矿业', 510104, '028-87654321', '锦江铁矿区')"),
             {N});
        exec(QStringLiteral("INSERT INTO 坐标 (登记号, 矿权坐标, 矿权面积) VALUES (?, ?, 0.5)"), {N, coords});
    }

    int rows(const QString& table)
    {
        return Db::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }
};

} // namespace

TEST_F(QueryWindowTest, QueryButtonFiltersTheListAndRemembersTheAcceptedTexts)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    auto* command6 = w->findChild<QPushButton*>(QStringLiteral("Command6"));
    ASSERT_TRUE(command6->isEnabled());

    // Closing the dialog after a refused 确定 applies nothing.
    withDialog([&] { command6->click(); },
               [&](QWidget* d) {
                   type(d, 1, "成都");
                   type(d, 4, "51a");
                   click(d, "Command2_0");
                   EXPECT_EQ(Prompt::lastText(), "请填写数值型代码！");
                   EXPECT_TRUE(d->isVisible());
               });
    EXPECT_EQ(listed(w), (QStringList{A, B, D, "..."}));
    EXPECT_EQ(m_state.Query_Text[1], "");

    withDialog([&] { command6->click(); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->windowTitle(), "查询条件设置");
                   type(d, 4, "");
                   type(d, 0, "07");
                   click(d, "Command2_0");
                   EXPECT_EQ(Prompt::lastText(), "请填写4位数值！");
                   EXPECT_TRUE(d->isVisible());
                   EXPECT_EQ(d->focusWidget(), d->findChild<QLineEdit*>("Text1_0"));
                   type(d, 0, "2007");
                   type(d, 1, "四川矿业");
                   type(d, 6, "11001");
                   click(d, "Command2_0");
                   EXPECT_FALSE(d->isVisible());
               });
    EXPECT_EQ(listed(w), (QStringList{A, D, "..."}));
    EXPECT_EQ(m_state.Cur_DJH, A);
    EXPECT_EQ(m_state.Query_Text[1], "四川矿业");

    // 取消 lists everything again and keeps the texts of the last accepted query.
    withDialog([&] { command6->click(); },
               [&](QWidget* d) {
                   EXPECT_EQ(d->findChild<QLineEdit*>("Text1_0")->text(), "2007");
                   type(d, 1, "别的");
                   click(d, "Command2_1");
               });
    EXPECT_EQ(listed(w), (QStringList{A, B, D, "..."}));
    EXPECT_EQ(m_state.Query_Text[1], "四川矿业");
}

TEST_F(QueryWindowTest, ACancelledQueryInARegionModeLeavesNeitherCountNorDeleteOfTheEmptiedList)
{
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    auto* box = w->findChild<QComboBox*>(QStringLiteral("cobNavigate"));
    box->setCurrentIndex(box->findText("行政区-->登记号"));
    Q_EMIT box->activated(box->currentIndex());
    auto* regions = w->findChild<NavigateTree*>(QStringLiteral("TvDataList"));
    auto* list = w->findChild<NavigateTree*>(QStringLiteral("TvmDataList"));
    regions->expandAll();
    QModelIndex county;
    for (const QModelIndex& n : NAVIGATE::Tree_Nodes(regions))
        if (NAVIGATE::Node_Key(n) == "C510105") county = n;
    ASSERT_TRUE(county.isValid());
    regions->setCurrentIndex(county);
    Q_EMIT regions->clicked(county);
    ASSERT_EQ(listed(w), (QStringList{D, "..."}));
    const QModelIndex d = list->model()->index(0, 0);
    list->setCurrentIndex(d);
    Q_EMIT list->clicked(d);
    ASSERT_EQ(main->panelText(3), "共有1个项目");
    ASSERT_TRUE(main->buttonEnabled("DEL"));

    // 取消 rebuilds the region tree; the registration list stays empty until a
    // region is chosen, and the registration shown stays on the pages.
    withDialog([&] { w->findChild<QPushButton*>(QStringLiteral("Command6"))->click(); },
               [&](QWidget* dialog) { click(dialog, "Command2_1"); });
    EXPECT_EQ(listed(w), QStringList{});
    EXPECT_EQ(boxText(w, "Kn1Data(0)"), D);
    EXPECT_EQ(main->panelText(3), "共有0个项目");
    EXPECT_FALSE(main->buttonEnabled("DEL"));
    EXPECT_FALSE(main->menuItemEnabled(MainCommands::Menu::DJ, DjMenu::Delete));
    w->Form_Activate();
    EXPECT_FALSE(main->buttonEnabled("DEL"));
}

TEST_F(QueryWindowTest, TheKeysPickInBothPickerTreesAsClicksDo)
{
    m_state.ProvinceCode = 510000;
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    const auto drop = [](QWidget* d, const char* button, const char* name) {
        click(d, button);
        auto* tree = d->findChild<QTreeWidget*>(name);
        EXPECT_TRUE(tree->isVisible());
        tree->setFocus();
        return tree;
    };
    withDialog([&] { w->findChild<QPushButton*>(QStringLiteral("Command6"))->click(); },
               [&](QWidget* d) {
                   // Down through the root and the first category, opening each, to the
                   // first mineral: it is picked and the tree closes, as a click does.
                   QTreeWidget* minerals = drop(d, "Command1", "TreeView1");
                   QTreeWidgetItem* reached = nullptr;
                   for (int i = 0; i < 20 && minerals->isVisible(); ++i) {
                       QTreeWidgetItem* at = minerals->currentItem();
                       if (at && at->childCount() > 0 && !at->isExpanded())
                           QTest::keyClick(minerals, Qt::Key_Right);
                       QTest::keyClick(minerals, Qt::Key_Down);
                       reached = minerals->currentItem();
                   }
                   ASSERT_NE(reached, nullptr);
                   EXPECT_FALSE(minerals->isVisible());
                   EXPECT_EQ(d->findChild<QLineEdit*>("Text1_6")->text(),
                             QString::number(MineralPicker::mineralCodeOf(reached)));
                   type(d, 6, "");

                   // Each move in the region tree puts the code of its node into the box.
                   QTreeWidget* regions = drop(d, "Command3", "TreeView2");
                   auto* region = d->findChild<QLineEdit*>("Text1_4");
                   regions->setCurrentItem(regions->topLevelItem(0));
                   QTest::keyClick(regions, Qt::Key_Right);
                   QTest::keyClick(regions, Qt::Key_Down);
                   EXPECT_EQ(region->text(), "5101");
                   QTest::keyClick(regions, Qt::Key_Up);
                   EXPECT_EQ(region->text(), "51");
                   QTest::keyClick(regions, Qt::Key_Down);
                   QTest::keyClick(regions, Qt::Key_Right);
                   QTest::keyClick(regions, Qt::Key_Down);
                   EXPECT_EQ(region->text(), "510104");
                   EXPECT_TRUE(regions->isVisible());
                   click(d, "Command2_0");
               });
    EXPECT_EQ(listed(w), (QStringList{A, B, "..."}));
}

TEST_F(QueryWindowTest, TheReferenceListShowsWholeRegistrationNumbers)
{
    const QString identified = QStringLiteral("1410100072001");
    exec(QStringLiteral("INSERT INTO 查明 (登记号, 探矿权人) VALUES (?, '某探矿')"), {identified});
    withDialog([&] { main->Toolbar_ButtonClick(Keys::Insert); },
               [&](QWidget* chooser) {
                   QTimer::singleShot(0, [&] {
                       QWidget* list = QApplication::activeModalWidget();
                       ASSERT_NE(list, nullptr);
                       auto* items = list->findChild<QTreeWidget*>("ListView1");
                       ASSERT_EQ(items->topLevelItemCount(), 1);
                       EXPECT_EQ(items->topLevelItem(0)->text(1), identified);
                       // The cell keeps its focus frame's margins on both sides.
                       const int margin =
                           2 *
                           (items->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, items) + 1);
                       EXPECT_LE(QFontMetrics(items->font()).horizontalAdvance(identified) + margin,
                                 items->columnWidth(1));
                       EXPECT_EQ(items->columnWidth(1), items->logicalDpiX());
                       click(list, "Command1_1");
                   });
                   click(chooser, "Command1_0");
               });
}

TEST_F(QueryWindowTest, EnterPressesTheFocusedButtonOfTheReferenceDialogs)
{
    withDialog([&] { main->Toolbar_ButtonClick(Keys::Insert); },
               [&](QWidget* chooser) {
                   bool listClosed = false;
                   QTimer::singleShot(0, [&] {
                       QWidget* list = QApplication::activeModalWidget();
                       ASSERT_NE(list, chooser);
                       ModalDialogs::enter(list, "Command1_1");
                       listClosed = !list->isVisible();
                   });
                   ModalDialogs::enter(chooser, "Command1_0");
                   EXPECT_TRUE(listClosed);
                   EXPECT_FALSE(chooser->isVisible());
               });
    withDialog([&] { main->Toolbar_ButtonClick(Keys::Insert); },
               [&](QWidget* chooser) {
                   ModalDialogs::enter(chooser, "Command1_2");
                   EXPECT_FALSE(chooser->isVisible());
               });
}

TEST_F(QueryWindowTest, ATakeOverIntoTheRegistrationShownSavesOverIt)
{
    EntryRecord::Register(targets);
    addOccupied(
        QStringLiteral("1,3,1,3850000,38500000,2,3851000,38500000,3,3851000,38501000,100,-50,KT1,1,"));
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    w->positionDJH(A, w->findChild<NavigateTree*>(QStringLiteral("TvmDataList"))); // shown as a click shows it
    ASSERT_EQ(m_state.Cur_DJH, A);

    query::Take_Over_Reference(query::ReferenceKind::Occupied, N, w);
    ASSERT_EQ(boxText(w, "Kn1Data(0)"), A);
    Prompt::clear();
    main->Toolbar_ButtonClick(Keys::Save);
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_EQ(Db::scalar(db(), QStringLiteral("SELECT 填表人 FROM 登记 WHERE 登记号 = ?"), {A}).toString(),
              "张三");
    EXPECT_FALSE(main->buttonEnabled(Keys::Save));
}

TEST_F(QueryWindowTest, TakingOverAnOccupiedRegistrationFillsTheEntryWindowAndWritesNothing)
{
    addOccupied(QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,,,,,"));
    NewTab* w = openEntry();
    ASSERT_NE(w, nullptr);
    const QString shown = boxText(w, "Kn1Data(0)");
    const int registrations = rows("登记");

    // An empty 查明 table: nothing to reference.
    withDialog([&] { main->Toolbar_ButtonClick(Keys::Insert); },
               [&](QWidget* chooser) {
                   EXPECT_EQ(chooser->windowTitle(), "提示");
                   QTimer::singleShot(0, [&] {
                       QWidget* list = QApplication::activeModalWidget();
                       ASSERT_NE(list, nullptr);
                       EXPECT_EQ(list->windowTitle(), "引用查明数据");
                       EXPECT_FALSE(list->findChild<QPushButton*>("Command1_0")->isEnabled());
                       click(list, "Command1_1");
                   });
                   click(chooser, "Command1_0");
                   EXPECT_FALSE(chooser->isVisible());
               });
    EXPECT_FALSE(main->buttonEnabled(Keys::Save));

    withDialog([&] { main->Toolbar_ButtonClick(Keys::Insert); },
               [&](QWidget* chooser) {
                   QTimer::singleShot(0, [&] {
                       QWidget* list = QApplication::activeModalWidget();
                       ASSERT_NE(list, nullptr);
                       EXPECT_EQ(list->windowTitle(), "引用占用数据");
                       auto* items = list->findChild<QTreeWidget*>("ListView1");
                       ASSERT_EQ(items->topLevelItemCount(), 1);
                       EXPECT_EQ(items->topLevelItem(0)->text(2), "某矿业");
                       items->topLevelItem(0)->setSelected(true);
                       click(list, "Command1_0");
                   });
                   click(chooser, "Command1_1");
               });
    EXPECT_EQ(boxText(w, "Kn1Data(0)"), shown);
    EXPECT_EQ(boxText(w, boxOf("登记", "填表人")), "张三");
    EXPECT_EQ(boxText(w, boxOf("登记", "填表日期")), "2007");
    EXPECT_EQ(boxText(w, boxOf("压覆", "电话号码")), "028");
    EXPECT_EQ(boxText(w, boxOf("压覆", "电话号码", 1)), "87654321");
    EXPECT_EQ(boxText(w, boxOf("压覆", "矿区名称")), "锦江铁矿区");
    EXPECT_EQ(boxText(w, boxOf("坐标", "矿权面积")), "0.5");
    // The coordinates reach the grid, so a save stores them beside the area.
    bool corner = false;
    for (QTableWidget* grid : w->findChildren<QTableWidget*>("Area_Flex"))
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (grid->item(r, c) && grid->item(r, c)->text() == "11") corner = true;
    EXPECT_TRUE(corner);
    EXPECT_FALSE(m_state.Is_Loading);
    EXPECT_TRUE(main->buttonEnabled(Keys::Save));
    EXPECT_EQ(rows("登记"), registrations);
    EXPECT_EQ(rows("压覆"), 3);
}
