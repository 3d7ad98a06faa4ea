#include "entry/MainWindowHarness.h"
#include "support/ProgramFolder.h"

#include "entry/EntryEditing.h"
#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Database.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "shell/CommandTargets.h"
#include "shell/TabMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The entry window while the clerk types: change handlers, keys, the region picker
// and the cover-page controls, inside the real main window.
namespace {

class EntryEditingTest : public ProgramFolder, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_state.ProvinceCode = 410000;
        NewTab::Register(targets);
        EntryRecord::Register(targets);
        targets.registerWindow(QStringLiteral("FrmPara"), [this](TabMain&) {
            ++paraOpened;
            m_state.ProvinceCode = 110000;
        });
        showMainWindow();
        openEntry();
        ASSERT_NE(w(), nullptr);
        // The window opens with nothing chosen; "..." starts a new registration.
        NavigateTree* list = controlsOf(w()).TvmDataList();
        ASSERT_GT(list->topLevelCount(), 0);
        const QModelIndex closing = list->model()->index(list->topLevelCount() - 1, 0);
        ASSERT_EQ(closing.data().toString(), QStringLiteral("..."));
        list->setCurrentIndex(closing);
        Q_EMIT list->clicked(closing);
        Prompt::clear();
    }
    void TearDown() override
    {
        closeMainWindow();
        EntryEditing::setDetailEditor({});
        ProgramFolder::TearDown();
    }

    NewTab* w() const { return NewTab::instance(); }
    bool saveMark() const { return main->buttonEnabled(QStringLiteral("SAVE")); }
    // Types text into a single-line box as the keyboard does.
    void type(FieldBox* box, const QString& text)
    {
        box->editor()->setFocus();
        QTest::keyClicks(box->lineEdit(), text);
    }
    QTreeWidgetItem* pickerItem(const QString& key) const
    {
        QTreeWidget* tree = controlsOf(w()).TreeView2();
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == key) return *it;
        }
        return nullptr;
    }
    void pick(const QString& cityKey, const QString& countyKey)
    {
        controlsOf(w()).Command7()->click();
        QTreeWidgetItem* city = pickerItem(cityKey);
        ASSERT_NE(city, nullptr);
        city->setExpanded(true);
        QTreeWidgetItem* county = pickerItem(countyKey);
        ASSERT_NE(county, nullptr);
        controlsOf(w()).TreeView2()->setCurrentItem(county);
        Q_EMIT controlsOf(w()).TreeView2()->itemClicked(county, 0);
        Q_EMIT controlsOf(w()).TreeView2()->itemDoubleClicked(county, 0);
    }

    int paraOpened = 0;
};

TEST_F(EntryEditingTest, ChangesMarkTheRegistrationEditedExceptWhileLoading)
{
    m_state.Is_Loading = true;
    controlsOf(w()).Kn2Data(0)->setText(QStringLiteral("建设单位甲"));
    EXPECT_EQ(controlsOf(w()).Kn2Data(2)->text(), QStringLiteral("建设单位甲"))
        << "copied also while loading";
    EXPECT_FALSE(saveMark());
    m_state.Is_Loading = false;

    type(controlsOf(w()).Kn1Data(1), QStringLiteral("ab"));
    EXPECT_TRUE(saveMark());
    EXPECT_TRUE(main->menuItemEnabled(TabMain::Menu::DJ, 2));
    EXPECT_TRUE(Prompt::shown().isEmpty());

    // 方位 warns at every change while it is not a number; 中心点X坐标 lets "12." pass.
    controlsOf(w()).Kn2Data(24)->setText(QStringLiteral("东"));
    controlsOf(w()).Kn2Data(24)->setText(QStringLiteral("东北"));
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown()[0].text, QStringLiteral("请填写数值型数据！"));
    EXPECT_EQ(Prompt::shown()[0].title, QStringLiteral("提示"));
    controlsOf(w()).Kn2Data(22)->setText(QStringLiteral("12."));
    controlsOf(w()).Kn6Data(1)->setText(QStringLiteral("-"));
    EXPECT_EQ(Prompt::shown().size(), 2);
}

TEST_F(EntryEditingTest, RegionPickerMakesTheNumberOfANewRegistration)
{
    // Serials 001 to 041 are in use under the prefix.
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("insert into 登记 (登记号) values ('4410102082041')")));
    pick(QStringLiteral("B4101"), QStringLiteral("C410102"));
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QStringLiteral("410102"))
        << "the three blanks are cut by the box";
    EXPECT_EQ(controlsOf(w()).Kn1Data(0)->text(), QStringLiteral("4410102082042"));
    EXPECT_EQ(m_state.Cur_DJH, QStringLiteral("4410102082042"));
    EXPECT_TRUE(m_state.Nav_Changed);
    EXPECT_TRUE(controlsOf(w()).TreeView2()->isHidden());
    EXPECT_TRUE(saveMark());

    // With a number in the box, another region changes nothing but the flag.
    m_state.Nav_Changed = false;
    pick(QStringLiteral("B4101"), QStringLiteral("C410103"));
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QStringLiteral("410103"));
    EXPECT_EQ(controlsOf(w()).Kn1Data(0)->text(), QStringLiteral("4410102082042"));
    EXPECT_TRUE(m_state.Nav_Changed);
}

TEST_F(EntryEditingTest, RegionPickerTree)
{
    controlsOf(w()).Command7()->click();
    QTreeWidget* tree = controlsOf(w()).TreeView2();
    EXPECT_FALSE(tree->isHidden());
    EXPECT_EQ(paraOpened, 0);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("河南省"));
    QTreeWidgetItem* city = pickerItem(QStringLiteral("B4101"));
    ASSERT_NE(city, nullptr);
    ASSERT_EQ(city->childCount(), 1);
    EXPECT_EQ(city->child(0)->text(0), QStringLiteral("NULL"));
    city->setExpanded(true);
    const int counties = city->childCount();
    EXPECT_GT(counties, 1);
    city->setExpanded(false);
    city->setExpanded(true);
    EXPECT_EQ(city->childCount(), counties) << "a city's counties are read once";
    // A province or a city with its counties writes nothing.
    Q_EMIT tree->itemClicked(tree->topLevelItem(0), 0);
    Q_EMIT tree->itemClicked(city, 0);
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QString());
    // A county directly under the province is taken.
    QTreeWidgetItem* direct = pickerItem(QStringLiteral("C419001"));
    ASSERT_NE(direct, nullptr);
    Q_EMIT tree->itemClicked(direct, 0);
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QStringLiteral("419001"));
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->lineEdit()->cursorPosition(), 6);
    // The tree goes when it loses the focus.
    controlsOf(w()).Kn1Data(1)->editor()->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(tree->isHidden());
}

TEST_F(EntryEditingTest, RegionPickerChoosesWithEnter)
{
    controlsOf(w()).Command7()->click();
    QTreeWidget* tree = controlsOf(w()).TreeView2();
    QTreeWidgetItem* city = pickerItem(QStringLiteral("B4101"));
    ASSERT_NE(city, nullptr);
    tree->setFocus();
    tree->setCurrentItem(city);
    QTest::keyClick(tree, Qt::Key_Right); // opens the city
    QTest::keyClick(tree, Qt::Key_Down);
    ASSERT_EQ(tree->currentItem(), pickerItem(QStringLiteral("C410102")));
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QString()) << "moving through the tree chooses nothing";
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QStringLiteral("410102"));
    EXPECT_TRUE(tree->isHidden());
}

TEST_F(EntryEditingTest, ARegionTableThatCannotBeReadIsShown)
{
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("alter table cb08 rename to cb08_gone")));
    Prompt::clear();
    controlsOf(w()).Command7()->click();
    EXPECT_EQ(controlsOf(w()).TreeView2()->topLevelItemCount(), 0);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(Prompt::lastText().contains(QStringLiteral("cb08"))) << Prompt::lastText().toStdString();
}

TEST_F(EntryEditingTest, WithoutAProvinceTheParameterDialogComesFirst)
{
    m_state.ProvinceCode = 0;
    controlsOf(w()).Command7()->click();
    EXPECT_EQ(paraOpened, 1);
    ASSERT_EQ(controlsOf(w()).TreeView2()->topLevelItemCount(), 1);
    EXPECT_EQ(controlsOf(w()).TreeView2()->topLevelItem(0)->text(0), QStringLiteral("北京市"));
}

TEST_F(EntryEditingTest, TypedNumberOfAnotherRegistrationWarns)
{
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("insert into 登记 (登记号) values ('4410102082001')")));
    controlsOf(w()).Kn1Data(0)->setText(QStringLiteral("4410102082001"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("【登记号】重复，请重新填写！"));
    EXPECT_FALSE(m_state.Nav_Changed);
    controlsOf(w()).Kn1Data(0)->setText(QStringLiteral("4410102082002"));
    EXPECT_TRUE(m_state.Nav_Changed);
}

TEST_F(EntryEditingTest, KeysMoveBetweenBoxes)
{
    // A full year passes the focus to the month, a full month to the day.
    type(controlsOf(w()).Kn1Data(3), QStringLiteral("2008"));
    EXPECT_TRUE(controlsOf(w()).Kn1Data(4)->editor()->hasFocus());
    QTest::keyClicks(controlsOf(w()).Kn1Data(4)->lineEdit(), QStringLiteral("05"));
    EXPECT_TRUE(controlsOf(w()).Kn1Data(5)->editor()->hasFocus());
    // Up goes back, Enter and Down go on.
    QTest::keyClick(controlsOf(w()).Kn1Data(5)->lineEdit(), Qt::Key_Up);
    EXPECT_TRUE(controlsOf(w()).Kn1Data(4)->editor()->hasFocus());
    QTest::keyClick(controlsOf(w()).Kn1Data(4)->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(controlsOf(w()).Kn1Data(5)->editor()->hasFocus());
    QTest::keyClick(controlsOf(w()).Kn1Data(5)->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(controlsOf(w()).Kn1Data(5)->editor()->hasFocus());

    // The last review date box keeps the focus when full.
    controlsOf(w()).Tab1()->setCurrentIndex(3);
    type(controlsOf(w()).Kn1Data(24), QStringLiteral("12"));
    EXPECT_TRUE(controlsOf(w()).Kn1Data(24)->editor()->hasFocus());

    // 原登记号 is full at 13 but the next box is hidden.
    controlsOf(w()).Tab1()->setCurrentIndex(1);
    type(controlsOf(w()).Kn2Data(18), QStringLiteral("4410102082001"));
    EXPECT_TRUE(controlsOf(w()).Kn2Data(18)->editor()->hasFocus());

    // A short postcode refuses Enter.
    Prompt::clear();
    type(controlsOf(w()).Kn2Data(4), QStringLiteral("123"));
    QTest::keyClick(controlsOf(w()).Kn2Data(4)->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("请填写6位数值型数据！"));
    EXPECT_TRUE(controlsOf(w()).Kn2Data(4)->editor()->hasFocus());

    // A multi-line box keeps Enter for a line break.
    FieldBox* address = controlsOf(w()).Kn2Data(3);
    ASSERT_TRUE(address->isMultiLine());
    address->editor()->setFocus();
    QTest::keyClicks(address->plainTextEdit(), QStringLiteral("ab"));
    QTest::keyClick(address->plainTextEdit(), Qt::Key_Return);
    QTest::keyClicks(address->plainTextEdit(), QStringLiteral("c"));
    EXPECT_TRUE(address->editor()->hasFocus());
    EXPECT_EQ(address->text(), QStringLiteral("ab\nc"));
}

TEST_F(EntryEditingTest, CategoryListAndEditButton)
{
    QComboBox* combo = controlsOf(w()).Combo5(0);
    ASSERT_GT(combo->count(), 1);
    combo->setCurrentIndex(1);
    Q_EMIT combo->activated(1);
    EXPECT_EQ(controlsOf(w()).Kn2Data(9)->text(), combo->itemText(1));

    // "编辑" waits for the detail editor.
    controlsOf(w()).Command2()->setEnabled(true);
    EXPECT_FALSE(controlsOf(w()).Command2()->isEnabled());
    int edits = 0;
    EntryEditing::setDetailEditor([&](NewTab&) { ++edits; });
    controlsOf(w()).Command2()->setEnabled(true);
    EXPECT_TRUE(controlsOf(w()).Command2()->isEnabled());
    m_state.Cur_DJH = QStringLiteral("4410102082001");
    // The editor leaves a quality row and a reserve row behind.
    ASSERT_TRUE(Db::exec(
        m_state.Cn(),
        QStringLiteral("insert into 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, "
                       "显示序号) values ('4410102082001', 22001, 0, '70000', '500', 'Cu', 1.2, 101)")));
    ASSERT_TRUE(Db::exec(
        m_state.Cn(),
        QStringLiteral("insert into 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, "
                       "金属量1, 矿石量1, 显示序号) values ('4410102082001', 22001, 0, 70000, 500, '111', "
                       "5, 9, 1)")));
    controlsOf(w()).Command2()->click();
    EXPECT_EQ(edits, 1);
    EXPECT_GT(controlsOf(w()).TBFLEX()->rowCount(), 0) << "the tables are shown again after the editor";
}

TEST_F(EntryEditingTest, RightClickOnTheCoordinatePageShowsTheMapMenu)
{
    m_state.MapFill = false;
    m_state.MapShowLabels = true;
    m_state.MapOnlyReserve = true;
    m_state.MapShowAll = false;
    EntryEditing* editing = EntryEditing::of(*w());
    ASSERT_NE(editing, nullptr);
    editing->KNPIC_MouseUp(1, Qt::RightButton, QPoint(10, 10));
    editing->KNPIC_MouseUp(2, Qt::LeftButton, QPoint(10, 10));
    EXPECT_FALSE(main->draw()->isVisible()) << "only a right click on the coordinate page";
    editing->KNPIC_MouseUp(2, Qt::RightButton, QPoint(10, 10));
    EXPECT_TRUE(main->draw()->isVisible());
    EXPECT_FALSE(main->Draw_para(0)->isChecked());
    EXPECT_FALSE(main->Draw_para(1)->isChecked());
    EXPECT_TRUE(main->Draw_para(2)->isChecked());
    EXPECT_FALSE(main->Draw_para(4)->isChecked());
    EXPECT_FALSE(main->Draw_para(5)->isChecked());
    EXPECT_TRUE(main->Draw_para(6)->isChecked());
    main->draw()->hide();
}

TEST_F(EntryEditingTest, TextOverTheMaximumIsCut)
{
    FieldBox* holder = controlsOf(w()).Kn2Data(26); // 矿业权人, 50 characters
    const QString text = QString(60, QChar(0x77FF));
    holder->setText(text);
    EXPECT_EQ(holder->text(), text.left(50));
    type(controlsOf(w()).Kn1Data(0), QStringLiteral("44101020820015"));
    EXPECT_EQ(controlsOf(w()).Kn1Data(0)->text(), QStringLiteral("4410102082001"));
}

} // namespace
