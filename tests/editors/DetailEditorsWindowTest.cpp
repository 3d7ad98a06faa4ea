#include "EditorWindowFixture.h"

#include "editors/EditorsTargets.h"
#include "editors/FrmEdit.h"
#include "editors/FrmKszl.h"
#include "editors/FrmZycl.h"
#include "editors/MineralPicker.h"
#include "entry/EntryEditing.h"
#include "entry/MainWindowHarness.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Prompt.h"

#include "TextRecorder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <functional>

// The quality and reserve editors as the clerk meets them: opened from the row list
// window inside the main window, typed into with the keyboard, saved and closed.
namespace {

using namespace editors;

class DetailEditorsWindowTest : public EditorWindowFixture
{
protected:
    void SetUp() override
    {
        EditorWindowFixture::SetUp();
        quality(22001, 0, "10001", "32", 101, QVariant());
        reserve(22001, 0, 10001, 32, 2, QStringLiteral("主矿产"));
        openEntryWindow();
    }
    static void key(QWidget* w, Qt::Key k) { QTest::keyClick(w, k); }
    // The copper row of the fixture.
    static HandOver copperRow()
    {
        HandOver row;
        row.Cur_DJH = DJH;
        row.Cur_KCDM = 22001;
        row.Cur_KSLX = 10001;
        row.Cur_KSPJ = 32;
        return row;
    }
};

} // namespace

TEST_F(DetailEditorsWindowTest, QualityAndReservesOfARowFollowIntoTheMarkersAndTheTable)
{
    bool listDriven = false, qualityDriven = false, reserveDriven = false;
    whenShown<FrmEdit>(
        [&](FrmEdit& list) {
            auto* button = list.findChild<QToolButton*>("Command1");
            EXPECT_EQ(list.rows().text(1, 6), "");
            EXPECT_EQ(list.rows().text(1, 7), "有");

            // The quality editor: Enter moves from box to box, a pick fills the name.
            whenShown<FrmKszl>(
                [&](FrmKszl& q) {
                    EXPECT_EQ(q.windowTitle(), "矿石质量输入");
                    auto* average = q.findChild<QCheckBox*>("Check1");
                    EXPECT_FALSE(average->isChecked());
                    EXPECT_FALSE(average->isEnabled()) << "the key has a stored record";
                    EXPECT_FALSE(q.findChild<QPlainTextEdit*>("Kn4Data_0")->isVisible());
                    auto* save = q.findChild<QPushButton*>("Command1_0");
                    EXPECT_FALSE(save->isEnabled());
                    auto* name = q.findChild<QLineEdit*>("Kn4Data_2");
                    name->setFocus();
                    QApplication::processEvents();
                    auto* drop = q.findChild<QToolButton*>("Command2");
                    ASSERT_TRUE(drop->isVisible());
                    drop->click();
                    auto* items = q.findChild<QListWidget*>("List1_0");
                    ASSERT_TRUE(items->isVisible());
                    const auto cu = items->findItems("Cu（铜）", Qt::MatchExactly);
                    ASSERT_EQ(cu.size(), 1);
                    items->setCurrentItem(cu.first());
                    QTest::keyClick(items, Qt::Key_Return);
                    EXPECT_EQ(name->text(), "Cu");
                    EXPECT_TRUE(save->isEnabled());
                    key(name, Qt::Key_Return);
                    auto* value = q.findChild<QLineEdit*>("Kn4Data_3");
                    EXPECT_TRUE(value->hasFocus());
                    typeInto(value, "1.2x");
                    EXPECT_EQ(Prompt::lastText(), "请填写数值型数据！");
                    value->setText("1.25");
                    key(value, Qt::Key_Escape);
                    EXPECT_TRUE(q.isVisible()) << "Esc is dropped in the boxes";
                    key(value, Qt::Key_Down);
                    auto* unit = q.findChild<QLineEdit*>("Kn4Data_4");
                    EXPECT_TRUE(unit->hasFocus());
                    typeInto(unit, "%");
                    key(unit, Qt::Key_Up);
                    EXPECT_TRUE(value->hasFocus());

                    // Closing with unsaved edits asks; Cancel keeps the window.
                    Prompt::setNextAnswer(Prompt::Answer::Cancel);
                    q.findChild<QPushButton*>("Command1_2")->click();
                    EXPECT_EQ(Prompt::lastText(), "矿石质量信息已经修改，将不保存，确定要退出吗？");
                    EXPECT_TRUE(q.isVisible());
                    save->click();
                    EXPECT_FALSE(save->isEnabled());
                    EXPECT_TRUE(q.findChild<QPushButton*>("Command1_1")->isEnabled());
                    Prompt::clear();
                    q.findChild<QPushButton*>("Command1_2")->click();
                    EXPECT_TRUE(Prompt::shown().isEmpty()) << "nothing to ask after a save";
                },
                &qualityDriven);
            clickCell(list, 1, 6);
            button->click();
            EXPECT_EQ(list.rows().text(1, 6), "有");

            // The reserve editor: a code from the list brings its partner along.
            whenShown<FrmZycl>(
                [&](FrmZycl& z) {
                    EXPECT_EQ(z.windowTitle(), "资源储量输入");
                    auto* code = z.findChild<QLineEdit*>("Kn5Data_9");
                    code->setFocus();
                    QApplication::processEvents();
                    auto* drop = z.findChild<QToolButton*>("Command5");
                    ASSERT_TRUE(drop->isVisible());
                    key(drop, Qt::Key_Return);
                    auto* codes = z.findChild<QListWidget*>("List2_0");
                    ASSERT_TRUE(codes->isVisible());
                    EXPECT_EQ(codes->count(), 2) << "111 is used in row 1";
                    codes->setCurrentItem(codes->findItems("121", Qt::MatchExactly).first());
                    QTest::keyClick(codes, Qt::Key_Return);
                    EXPECT_EQ(code->text(), "121");
                    EXPECT_EQ(z.findChild<QLineEdit*>("Kn5Data_12")->text(), "121b");
                    auto* metal = z.findChild<QLineEdit*>("Kn5Data_10");
                    EXPECT_TRUE(metal->hasFocus());
                    typeInto(metal, "40");
                    typeInto(z.findChild<QLineEdit*>("Kn5Data_13"), "30");
                    // 121 exceeds 121b: refused after the statistics question.
                    Prompt::clear();
                    z.findChild<QPushButton*>("Command1_0")->click();
                    ASSERT_EQ(Prompt::shown().size(), 2);
                    EXPECT_EQ(Prompt::shown()[0].text, "当前登记号对应储量数据与储量库不一致，是否继续?");
                    EXPECT_EQ(Prompt::shown()[1].text, "121数据比121b数据绝对值大");
                    z.findChild<QLineEdit*>("Kn5Data_13")->setText("45");
                    z.findChild<QPushButton*>("Command1_0")->click();
                    z.findChild<QPushButton*>("Command1_2")->click();
                },
                &reserveDriven);
            clickCell(list, 1, 7);
            button->click();
            EXPECT_EQ(list.rows().text(1, 7), "有");
            list.findChild<QPushButton*>("Command2_1")->click();
        },
        &listDriven);
    controlsOf(entry).Command2()->click();
    EXPECT_TRUE(listDriven && qualityDriven && reserveDriven);

    EXPECT_EQ(column("select 组分名 || 组分值 || 组分单位 || 显示序号 from 质量"),
              QStringList({"Cu1.25%101"}));
    EXPECT_EQ(column("select 储量类型 || 显示序号 from 资源储量 order by 显示序号"),
              QStringList({"111101", "121102"}));
    ASSERT_EQ(controlsOf(entry).TBFLEX()->rowCount(), 2);
    EXPECT_TRUE(controlsOf(entry).TBFLEX()->item(0, 3)->text().contains("Cu 1.25 %"));
    EXPECT_EQ(controlsOf(entry).TBFLEX()->item(1, 4)->text(), "121");
}

TEST_F(DetailEditorsWindowTest, UntickingTheAverageReturnsToTheRowsOreTypeAndGrade)
{
    HandOver row;
    row.Cur_DJH = DJH;
    row.Cur_KCDM = 21001;
    row.Cur_KSLX = 20101;
    row.Cur_KSPJ = 1;
    row.Cur_XSXH = 200;
    FrmKszl q(nullptr, row);
    auto* average = q.findChild<QCheckBox*>("Check1");
    ASSERT_TRUE(average->isEnabled()) << "no records of the key yet";
    average->click();
    EXPECT_EQ(q.handOver().Cur_KSLX, 0);
    EXPECT_FALSE(q.findChild<QPushButton*>("Command1_0")->isEnabled()) << "ticking is no edit";
    average->click();
    EXPECT_EQ(q.handOver().Cur_KSLX, 20101);
    EXPECT_EQ(q.handOver().Cur_KSPJ, 1);
    EXPECT_EQ(q.findChild<QPlainTextEdit*>("Kn4Data_0")->toPlainText(), "20101");

    // The drop button: on a name box below a filled name, on a unit box beside one.
    auto* drop = q.findChild<QToolButton*>("Command2");
    q.show();
    QApplication::processEvents();
    auto focusBox = [&](int index) {
        QTest::mouseClick(q.findChild<QLineEdit*>(QStringLiteral("Kn4Data_%1").arg(index)), Qt::LeftButton);
        return drop->isVisible();
    };
    EXPECT_FALSE(focusBox(8)) << "row 3 name under an empty row 2";
    EXPECT_FALSE(focusBox(7)) << "row 2 unit beside an empty name";
    q.findChild<QLineEdit*>("Kn4Data_5")->setText("S");
    EXPECT_TRUE(focusBox(8));
    EXPECT_TRUE(focusBox(7));
    EXPECT_FALSE(focusBox(6)) << "never on a value";
    q.findChild<QLineEdit*>("Kn4Data_5")->clear();

    // A component row saved now belongs to the row's own type and grade.
    q.findChild<QLineEdit*>("Kn4Data_2")->setText("TFe");
    q.findChild<QLineEdit*>("Kn4Data_3")->setText("31");
    q.findChild<QLineEdit*>("Kn4Data_4")->setText("%");
    q.findChild<QPushButton*>("Command1_0")->click();
    EXPECT_EQ(q.handOver().Kszl_Flag, "有");
    EXPECT_EQ(column("select 矿石类型 || 矿石品级 || 显示序号 from 质量 where 矿产代码=21001"),
              QStringList({"201011201"}));
}

TEST_F(DetailEditorsWindowTest, LoadedValuesShowTheirStart)
{
    exec("UPDATE 质量 SET 组分值 = 123456789.125");
    exec("UPDATE 资源储量 SET 矿石量1 = 987654321.25");
    const HandOver row = copperRow();
    FrmKszl q(nullptr, row);
    auto* value = q.findChild<QLineEdit*>("Kn4Data_3");
    ASSERT_EQ(value->text(), "123456789.125");
    EXPECT_EQ(value->cursorPosition(), 0);
    FrmZycl z(nullptr, row);
    auto* ore = z.findChild<QLineEdit*>("Kn5Data_2");
    ASSERT_EQ(ore->text(), "987654321.25");
    EXPECT_EQ(ore->cursorPosition(), 0);
}

TEST_F(DetailEditorsWindowTest, AmountsOfFourDigitsAndTwoDecimalsShowWholeInOneSize)
{
    HandOver row;
    row.Cur_DJH = DJH;
    row.Cur_KCDM = 22001;
    FrmZycl z(nullptr, row);
    int amounts = 0;
    const QFont figures = z.findChild<QLineEdit*>("Kn5Data_1")->font();
    for (QLineEdit* box : z.findChildren<QLineEdit*>()) {
        if (!box->objectName().startsWith("Kn5Data_") || box->maxLength() == 4) continue; // codes
        ++amounts;
        // One size for every figure, however wide its box.
        EXPECT_EQ(box->font().pointSizeF(), figures.pointSizeF()) << box->objectName().toStdString();
        // A line edit keeps 2 pixels free on either side of its text.
        const int room = box->contentsRect().width() - 4;
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance("4299.48"), room)
            << box->objectName().toStdString();
    }
    EXPECT_EQ(amounts, 42);
}

TEST_F(DetailEditorsWindowTest, ALoadedStatisticsObjectShowsWholeOnTheRowsTwoLines)
{
    FrmEdit w;
    w.show();
    ASSERT_EQ(w.rows().text(1, RowGrid::Object), "铜\n吨/千吨");
    auto* table = w.findChild<QTableWidget*>("MSFlexGrid1");
    const QRect cell = table->visualRect(table->model()->index(0, RowGrid::Object));
    TextRecorder shown(table->viewport()->size());
    table->viewport()->render(&shown);
    QString inCell;
    for (const TextRecorder::Piece& piece : shown.pieces())
        if (cell.contains(piece.baseline.toPoint())) inCell += piece.text;
    EXPECT_EQ(inCell, "铜吨/千吨");
}

TEST_F(DetailEditorsWindowTest, HelpTextsShowWholeAndUncovered)
{
    FrmEdit list;
    FrmKszl quality(nullptr, copperRow());
    FrmZycl reserves(nullptr, copperRow());
    for (QWidget* window : std::initializer_list<QWidget*>{&list, &quality, &reserves}) {
        const auto* help = window->findChild<QLabel*>("Label2");
        ASSERT_NE(help, nullptr) << window->objectName().toStdString();
        EXPECT_GE(help->height(), help->heightForWidth(help->width())) << window->objectName().toStdString();
        EXPECT_TRUE(window->rect().contains(help->geometry())) << window->objectName().toStdString();
        for (const QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == help || !other->isVisibleTo(window)) continue;
            EXPECT_FALSE(other->geometry().intersects(help->geometry()))
                << window->objectName().toStdString() << " " << other->objectName().toStdString();
        }
    }
}

TEST_F(DetailEditorsWindowTest, TheQualityTableIsRuledBetweenItsRowsAndColumns)
{
    FrmKszl q(nullptr, copperRow());
    // Component row r: name, value and unit boxes 3r - 1, 3r and 3r + 1.
    auto box = [&q](int r, int column) {
        return q.findChild<QLineEdit*>(QStringLiteral("Kn4Data_%1").arg(3 * r - 1 + column))->geometry();
    };
    // A line that is missing or hidden has no place, and fails every comparison.
    auto ruling = [&q](const QString& name) {
        const QFrame* line = q.findChild<QFrame*>(name);
        return line && line->isVisibleTo(&q) ? line->geometry() : QRect();
    };
    for (int n = 2; n <= 11; ++n) {
        const QRect g = ruling(QStringLiteral("Line2_%1").arg(n));
        // Above row n - 1, below row n - 2 (Line2_2 under the titles), across the table.
        EXPECT_LT(g.bottom(), box(n - 1, 0).top()) << n;
        if (n > 2) {
            EXPECT_GT(g.top(), box(n - 2, 0).bottom()) << n;
        }
        EXPECT_LT(g.left(), box(1, 0).left()) << n;
        EXPECT_GT(g.right(), box(1, 2).right()) << n;
    }
    for (int n = 0; n < 2; ++n) {
        const QRect g = ruling(QStringLiteral("Line4_%1").arg(n));
        EXPECT_GT(g.left(), box(1, n).right()) << n;
        EXPECT_LT(g.right(), box(1, n + 1).left()) << n;
        EXPECT_LT(g.top(), box(1, 0).top()) << n;
        EXPECT_GT(g.bottom(), box(10, 0).bottom()) << n;
    }
}

TEST_F(DetailEditorsWindowTest, ANewMineralFromTheTreeWithItsQualityShowsInTheTable)
{
    bool listDriven = false, qualityDriven = false;
    whenShown<FrmEdit>(
        [&](FrmEdit& list) {
            auto* button = list.findChild<QToolButton*>("Command1");
            auto* tree = list.findChild<MineralPicker*>("TreeView1");
            clickCell(list, 2, 1);
            button->click();
            ASSERT_TRUE(tree->isVisible());
            QTreeWidgetItem* silver = nullptr;
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                if (MineralPicker::keyOf(*it) == "B10004") (*it)->setExpanded(true);
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                if (MineralPicker::keyOf(*it) == "C23002") silver = *it;
            ASSERT_NE(silver, nullptr);
            tree->scrollToItem(silver);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(silver).center());
            EXPECT_EQ(list.rows().text(2, 1), "银矿");

            auto pick = [&](int column, const QString& entry) {
                clickCell(list, 2, column);
                button->click();
                auto* box = list.findChild<QListWidget*>(
                    QStringLiteral("List1_%1").arg(column == 2 ? 0 : column - 3));
                const auto items = box->findItems(entry, Qt::MatchExactly);
                ASSERT_EQ(items.size(), 1) << entry.toStdString();
                box->setCurrentItem(items.first());
                QTest::keyClick(box, Qt::Key_Return);
            };
            pick(2, "3. 共生矿产");
            EXPECT_TRUE(Prompt::shown().isEmpty()) << "Enter in the list presses no button";
            EXPECT_EQ(list.rows().text(2, 2), "共生矿产");

            whenShown<FrmKszl>(
                [&](FrmKszl& q) {
                    // No ore type or grade: the average composition.
                    EXPECT_TRUE(q.findChild<QCheckBox*>("Check1")->isChecked());
                    EXPECT_EQ(q.findChild<QPlainTextEdit*>("Kn4Data_0")->toPlainText(), "0");
                    q.findChild<QPlainTextEdit*>("Kn4Data_0")->setPlainText("银铅锌矿石");
                    q.findChild<QPlainTextEdit*>("Kn4Data_1")->setPlainText("富矿");
                    q.findChild<QLineEdit*>("Kn4Data_2")->setText("Ag");
                    q.findChild<QLineEdit*>("Kn4Data_3")->setText("120");
                    q.findChild<QLineEdit*>("Kn4Data_4")->setText("g/t");
                    q.findChild<QPushButton*>("Command1_0")->click();
                    q.findChild<QPushButton*>("Command1_2")->click();
                },
                &qualityDriven);
            clickCell(list, 2, 6);
            button->click();
            EXPECT_EQ(Prompt::lastText(), "矿石类型/矿石品级未选择，确定是要填写平均组分含量吗？");
            EXPECT_EQ(list.rows().text(2, 6), "平均含量");
            list.findChild<QPushButton*>("Command2_1")->click();
        },
        &listDriven);
    controlsOf(entry).Command2()->click();
    EXPECT_TRUE(listDriven && qualityDriven);

    EXPECT_EQ(column("select 矿石类型 || 矿石品级 || 显示序号 from 质量 where 矿产代码=23002"),
              QStringList({"银铅锌矿石富矿201"}));
    ASSERT_EQ(controlsOf(entry).TBFLEX()->rowCount(), 2);
    EXPECT_EQ(controlsOf(entry).TBFLEX()->item(1, 0)->text(), "银矿");
    EXPECT_TRUE(controlsOf(entry).TBFLEX()->item(1, 3)->text().contains("Ag 120 g/t"));
}
