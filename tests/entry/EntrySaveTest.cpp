#include "entry/MainWindowHarness.h"
#include "support/FaultInjection.h"
#include "support/ProgramFolder.h"
#include "support/StatisticsDatabase.h"

#include "entry/AreaFlex.h"
#include "entry/EntryRecord.h"
#include "entry/FieldBox.h"
#include "entry/NavigateWindow.h"
#include "entry/NewTab.h"
#include "entry/NewTabControls.h"
#include "platform/Database.h"
#include "platform/HelpViewer.h"
#include "platform/Prompt.h"
#include "registration/record/RegistrationWriter.h"
#include "shell/CommandTargets.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

// A registration entered into the empty entry window as a clerk enters it, saved,
// reloaded, renamed and deleted from the main window.
namespace {

using A = FormControl::Array;

class EntrySaveTest : public ProgramFolder, protected MainWindowHarness
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_state.ProvinceCode = 410000;
        StatisticsDatabase stat;
        stat.mines = {{QStringLiteral("410100001"), 2012, 2008}};
        ASSERT_TRUE(stat.create(path(QStringLiteral("tjk.mdb"))));
        m_state.TJPath = dir();
        m_state.TJName = QStringLiteral("tjk.mdb");
        NewTab::Register(targets);
        EntryRecord::Register(targets);
        NAVIGATE::Register(targets);
        showMainWindow();
        openEntry();
        ASSERT_NE(w(), nullptr);
        Prompt::clear();
    }
    void TearDown() override
    {
        closeMainWindow();
        ProgramFolder::TearDown();
    }

    NewTab* w() const { return NewTab::instance(); }
    bool saveMark() const { return main->buttonEnabled(QStringLiteral("SAVE")); }

    // Key events that carry their text, Chinese included.
    static void typeText(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }
    void type(A array, int index, const QString& text)
    {
        FieldBox* box = controlsOf(w()).box(array, index);
        box->editor()->setFocus();
        typeText(box->editor(), text);
    }
    // Types one cell of a coordinate grid: the first character opens the editor,
    // Enter commits it.
    void typeCell(int g, int row, int col, const QString& text)
    {
        AreaFlex* grid = controlsOf(w()).Area_Flex(g);
        grid->grid().setCursor(row, col);
        grid->syncView();
        grid->setFocus();
        typeText(grid, text.left(1));
        ASSERT_FALSE(grid->txtEdit()->isHidden());
        typeText(grid->txtEdit(), text.mid(1));
        QTest::keyClick(grid->txtEdit(), Qt::Key_Return);
    }
    void pickRegion(const QString& cityKey, const QString& countyKey)
    {
        controlsOf(w()).Command7()->click();
        QTreeWidget* tree = controlsOf(w()).TreeView2();
        QTreeWidgetItem* city = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == cityKey) city = *it;
        }
        ASSERT_NE(city, nullptr);
        city->setExpanded(true);
        for (int i = 0; i < city->childCount(); ++i) {
            if (city->child(i)->data(0, Qt::UserRole).toString() == countyKey) {
                tree->setCurrentItem(city->child(i));
                Q_EMIT tree->itemClicked(city->child(i), 0);
                Q_EMIT tree->itemDoubleClicked(city->child(i), 0);
                return;
            }
        }
        FAIL() << "no county " << countyKey.toStdString();
    }
    QModelIndex listNode(const QString& text) const
    {
        for (const QModelIndex& node : NAVIGATE::Tree_Nodes(controlsOf(w()).TvmDataList()))
            if (node.data().toString() == text) return node;
        return {};
    }
    int rows(const QString& table, const QString& djh) const
    {
        return Db::scalar(m_state.Cn(),
                          QStringLiteral("select count(*) from \"%1\" where 登记号 = ?").arg(table), {djh})
            .toInt();
    }
    QByteArray fileHash() const
    {
        QFile f(path(QStringLiteral("djk.mdb")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    // The registration as the clerk types it (box -> text).
    struct Typed
    {
        A array;
        int index;
        QString text;
    };
    const QList<Typed> typed{
        {A::Kn1Data, 1, QStringLiteral("张三")},
        {A::Kn1Data, 2, QStringLiteral("李四")},
        {A::Kn1Data, 6, QStringLiteral("河南省国土资源厅")},
        {A::Kn2Data, 0, QStringLiteral("O'Neil 100% \\ 建设公司")},
        {A::Kn2Data, 4, QStringLiteral("450000")},
        {A::Kn2Data, 5, QStringLiteral("0371")},
        {A::Kn2Data, 6, QStringLiteral("66661234")},
        {A::Kn2Data, 8, QStringLiteral("郑州至开封城际铁路")},
        {A::Kn2Data, 15, QStringLiteral("郑州煤田'东区'")},
        {A::Kn2Data, 16, QStringLiteral("410100001")},
        {A::Kn2Data, 17, QStringLiteral("12")},
        {A::Kn2Data, 24, QStringLiteral("45")},
        {A::Kn3Data, 0, QStringLiteral("普查报告 50%")},
        {A::Kn6Data, 0, QStringLiteral("2.5")},
        {A::Kn6Data, 1, QStringLiteral("-120")},
    };
    // Two rings of three corners each, plane coordinates.
    const QList<QStringList> ring{
        {QStringLiteral("1"), QStringLiteral("3850000"), QStringLiteral("38500000")},
        {QStringLiteral("2"), QStringLiteral("3851000"), QStringLiteral("38500000")},
        {QStringLiteral("3"), QStringLiteral("3851000"), QStringLiteral("38501000")},
        {QStringLiteral("*"), QStringLiteral("100"), QStringLiteral("-50"), QStringLiteral("KT1"),
         QStringLiteral("1")},
        {QStringLiteral("A1"), QStringLiteral("3850200"), QStringLiteral("38500200")},
        {QStringLiteral("A2"), QStringLiteral("3850400"), QStringLiteral("38500200")},
        {QStringLiteral("A3"), QStringLiteral("3850400"), QStringLiteral("38500400")},
        {QStringLiteral("*"), QStringLiteral("80"), QStringLiteral("-20"), QStringLiteral("KT2"),
         QStringLiteral("-1")},
    };

    // Clicks a node of the registration list as the mouse does.
    void clickNode(const QString& text)
    {
        const QModelIndex node = listNode(text);
        ASSERT_TRUE(node.isValid()) << text.toStdString();
        controlsOf(w()).TvmDataList()->setCurrentIndex(node);
        Q_EMIT controlsOf(w()).TvmDataList()->clicked(node);
    }
    QString stored(const QString& sql, const QString& djh) const
    {
        return Db::scalar(m_state.Cn(), sql, {djh}).toString();
    }

    void enterRegistration(const QString& number = QStringLiteral("4410102082001"))
    {
        // The window opens with nothing chosen; "..." starts a new registration.
        clickNode(QStringLiteral("..."));
        pickRegion(QStringLiteral("B4101"), QStringLiteral("C410102"));
        ASSERT_EQ(controlsOf(w()).Kn1Data(0)->text(), number);
        controlsOf(w()).Tab1()->setCurrentIndex(0);
        type(A::Kn1Data, 3, QStringLiteral("2008"));
        ASSERT_TRUE(controlsOf(w()).Kn1Data(4)->editor()->hasFocus());
        typeText(controlsOf(w()).Kn1Data(4)->editor(), QStringLiteral("11"));
        typeText(controlsOf(w()).Kn1Data(5)->editor(), QStringLiteral("3"));
        for (const Typed& t : typed) {
            controlsOf(w()).Tab1()->setCurrentIndex(t.array == A::Kn6Data   ? 2
                                                    : t.array == A::Kn1Data ? 0
                                                                            : 1);
            if (t.array == A::Kn2Data && t.index == 0) controlsOf(w()).Tab1()->setCurrentIndex(0);
            type(t.array, t.index, t.text);
        }
        controlsOf(w()).Tab1()->setCurrentIndex(2);
        // Row by row; in the first row Y comes before X, so that the corner never
        // stands there with X alone (which the grid points out as a swapped order).
        for (int r = 0; r < ring.size(); ++r) {
            QList<int> cols;
            for (int c = 0; c < ring[r].size(); ++c)
                cols.append(c);
            if (r == 0) cols = {0, 2, 1};
            for (int c : cols)
                typeCell(0, r + 1, c + 1, ring[r][c]);
        }
    }

};

TEST_F(EntrySaveTest, EnterSaveReloadRenameDelete)
{
    enterRegistration();
    EXPECT_TRUE(saveMark());
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    const QString n = QStringLiteral("4410102082001");

    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_FALSE(saveMark());
    EXPECT_EQ(m_state.Cur_DJH, n);
    EXPECT_TRUE(m_state.Reg_Inserted);
    EXPECT_FALSE(m_state.Nav_Changed) << "cleared after the navigation was rebuilt";
    for (const QString& t :
         {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"), QStringLiteral("坐标")})
        EXPECT_EQ(rows(t, n), 1) << t.toStdString();
    EXPECT_EQ(Db::scalar(m_state.Cn(), QStringLiteral("select 坐标.矿权坐标 from 坐标 where 登记号 = ?"), {n})
                  .toString(),
              QStringLiteral("2,3,1,3850000,38500000,2,3851000,38500000,3,3851000,38501000,100,-50,KT1,1,"
                             "3,A1,3850200,38500200,A2,3850400,38500200,A3,3850400,38500400,80,-20,KT2,-1,"));
    EXPECT_GT(
        Db::scalar(m_state.Cn(), QStringLiteral("select 东经起 from 压覆 where 登记号 = ?"), {n}).toDouble(),
        113.0);

    // Found in the list and loaded again: every value as typed.
    const QModelIndex node = listNode(n);
    ASSERT_TRUE(node.isValid());
    w()->clear_data();
    controlsOf(w()).TvmDataList()->setCurrentIndex(node);
    Q_EMIT controlsOf(w()).TvmDataList()->clicked(node);
    EXPECT_EQ(controlsOf(w()).Kn1Data(0)->text(), n);
    EXPECT_EQ(controlsOf(w()).Kn2Data(1)->text(), QStringLiteral("410102"));
    EXPECT_EQ(controlsOf(w()).Kn1Data(3)->text(), QStringLiteral("2008"));
    EXPECT_EQ(controlsOf(w()).Kn1Data(4)->text(), QStringLiteral("11"));
    EXPECT_EQ(controlsOf(w()).Kn1Data(5)->text(), QStringLiteral("3"));
    for (const Typed& t : typed)
        EXPECT_EQ(controlsOf(w()).box(t.array, t.index)->text(), t.text) << t.text.toStdString();
    EXPECT_EQ(controlsOf(w()).Kn2Data(2)->text(), typed[3].text) << "建设单位 on the first page";
    for (int r = 0; r < ring.size(); ++r) {
        for (int c = 0; c < ring[r].size(); ++c)
            EXPECT_EQ(controlsOf(w()).Area_Flex(0)->grid().TextMatrix(r + 1, c + 1), ring[r][c])
                << r << "," << c;
    }
    EXPECT_FALSE(saveMark());

    // Renamed: every table follows, the list shows the new number.
    ASSERT_TRUE(Db::exec(
        m_state.Cn(),
        QStringLiteral(
            "insert into 资源储量 (登记号, 矿产代码, 储量类型, 显示序号) values (?, 11001, '111', 1)"),
        {n}));
    const QString renamed = QStringLiteral("4410102082009");
    FieldBox* number = controlsOf(w()).Kn1Data(0);
    number->lineEdit()->selectAll();
    type(A::Kn1Data, 0, renamed);
    EXPECT_EQ(number->text(), renamed);
    EXPECT_TRUE(m_state.Nav_Changed);
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_EQ(m_state.Cur_DJH, renamed);
    EXPECT_FALSE(m_state.Reg_Inserted);
    for (const QString& t : {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"),
                            QStringLiteral("坐标"), QStringLiteral("资源储量")}) {
        EXPECT_EQ(rows(t, n), 0) << t.toStdString();
        EXPECT_EQ(rows(t, renamed), 1) << t.toStdString();
    }
    EXPECT_TRUE(listNode(renamed).isValid());
    EXPECT_FALSE(listNode(n).isValid());
    EXPECT_EQ(controlsOf(w()).Kn2Data(0)->text(), typed[3].text);

    // Deleted after the question; the list moves on.
    const QModelIndex renamedNode = listNode(renamed);
    ASSERT_TRUE(renamedNode.isValid());
    controlsOf(w()).TvmDataList()->setCurrentIndex(renamedNode);
    Prompt::setNextAnswer(Prompt::Answer::Ok);
    main->Toolbar_ButtonClick(QStringLiteral("DEL"));
    EXPECT_EQ(Prompt::shown().value(0).text,
              QStringLiteral("确定要删除该压覆储量数据吗？\r登记号：4410102082009"));
    EXPECT_EQ(Prompt::shown().value(0).buttons, Prompt::Buttons::OkCancel);
    for (const QString& t : {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"),
                             QStringLiteral("质量"), QStringLiteral("资源储量"), QStringLiteral("坐标")})
        EXPECT_EQ(rows(t, renamed), 0) << t.toStdString();
    EXPECT_FALSE(listNode(renamed).isValid());
}

TEST_F(EntrySaveTest, ADamagedCoordinateTextIsSaidWhenLoadedAndKeptOnSave)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString n = QStringLiteral("4410102082001");
    const QString damaged = QStringLiteral("1,-1,5,6,7,1,");
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("update 坐标 set 矿权坐标 = ? where 登记号 = ?"),
                         {damaged, n}));

    Prompt::clear();
    w()->clear_data();
    const QModelIndex node = listNode(n);
    ASSERT_TRUE(node.isValid());
    controlsOf(w()).TvmDataList()->setCurrentIndex(node);
    Q_EMIT controlsOf(w()).TvmDataList()->clicked(node);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("矿权坐标数据已损坏，无法显示！不输入新的坐标时，保存后原数据保持不变。"));
    EXPECT_EQ(controlsOf(w()).Area_Flex(0)->grid().Flex_Row_Count(), 0);

    // Another field changes; the stored coordinates stay as they were.
    controlsOf(w()).Tab1()->setCurrentIndex(1);
    type(A::Kn2Data, 8, QStringLiteral("二期"));
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    // Saved and shown again: the text is still damaged and said so once more.
    EXPECT_EQ(Prompt::shown().size(), 2) << Prompt::lastText().toStdString();
    EXPECT_EQ(Prompt::shown().at(1).text, Prompt::shown().at(0).text);
    EXPECT_EQ(Db::scalar(m_state.Cn(), QStringLiteral("select 矿权坐标 from 坐标 where 登记号 = ?"), {n})
                  .toString(),
              damaged);
    EXPECT_TRUE(
        Db::scalar(m_state.Cn(), QStringLiteral("select 建设项目名称 from 压覆 where 登记号 = ?"), {n})
            .toString()
            .contains(QStringLiteral("二期")));
}

TEST_F(EntrySaveTest, AFailingSaveWritesNothingAndKeepsTheEdits)
{
    enterRegistration();
    FaultInjection faults(m_state.Cn());
    faults.failOn(QStringLiteral("坐标"), FaultInjection::Kind::Insert);
    const QByteArray before = fileHash();
    const QString cur = m_state.Cur_DJH;
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    ASSERT_FALSE(Prompt::shown().isEmpty());
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("Error # ")))
        << Prompt::lastText().toStdString();
    EXPECT_TRUE(Prompt::lastText().contains(FaultInjection::Message));
    EXPECT_EQ(fileHash(), before);
    EXPECT_TRUE(saveMark());
    EXPECT_EQ(m_state.Cur_DJH, cur);
    EXPECT_FALSE(listNode(cur).isValid());

    // Closing asks to save; the save fails again and the window stays open.
    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    EXPECT_TRUE(w()->Form_Unload());
    EXPECT_NE(NewTab::instance(), nullptr);
    EXPECT_EQ(fileHash(), before);
}

TEST_F(EntrySaveTest, ChecksStopTheSaveAndShowTheBox)
{
    clickNode(QStringLiteral("..."));
    pickRegion(QStringLiteral("B4101"), QStringLiteral("C410102"));
    controlsOf(w()).Tab1()->setCurrentIndex(2);
    type(A::Kn3Data, 8, QStringLiteral("13")); // 评审日期 month
    const QByteArray before = fileHash();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("【评审日期】应填写日期型数值！"));
    EXPECT_EQ(controlsOf(w()).Tab1()->currentIndex(), 1);
    QApplication::processEvents();
    EXPECT_TRUE(controlsOf(w()).Kn3Data(7)->editor()->hasFocus())
        << "a month without a year: the cursor goes to the year";
    EXPECT_TRUE(m_state.Check_Failed);
    EXPECT_TRUE(saveMark());
    EXPECT_EQ(fileHash(), before);

    // The mine is not in the statistics database: No stops without a further message.
    controlsOf(w()).Kn3Data(8)->setText(QString());
    controlsOf(w()).Kn2Data(16)->setText(QStringLiteral("410100999"));
    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::No);
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("储量统计库中无压覆所对应的矿区或矿山！是否确定此操作？"));
    EXPECT_EQ(fileHash(), before);

    // Without a number the save refuses.
    m_state.Is_Loading = true;
    controlsOf(w()).Kn1Data(0)->setText(QString());
    m_state.Is_Loading = false;
    EXPECT_FALSE(EntryRecord::Save_Data_All(*w()));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("关键字【登记号】无数据！请设置行政区代码！"));
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("错误"));
}

TEST_F(EntrySaveTest, AFailedDeleteKeepsTheList)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString n = QStringLiteral("4410102082001");
    ASSERT_TRUE(listNode(n).isValid());
    FaultInjection faults(m_state.Cn());
    faults.failOn(QStringLiteral("坐标"), FaultInjection::Kind::Delete);
    const QByteArray before = fileHash();
    controlsOf(w()).TvmDataList()->setCurrentIndex(listNode(n));
    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    main->MENU_DJ_Click(3);
    EXPECT_EQ(fileHash(), before) << "Cancel deletes nothing";
    Prompt::setNextAnswer(Prompt::Answer::Ok);
    main->MENU_DJ_Click(3);
    EXPECT_TRUE(Prompt::lastText().contains(FaultInjection::Message));
    EXPECT_EQ(fileHash(), before);
    EXPECT_TRUE(listNode(n).isValid());
    EXPECT_EQ(rows(QStringLiteral("登记"), n), 1);
}

// Runs a helper program of the X session and waits for it, the window's events flowing
// meanwhile; its output, or an empty text when it failed.
QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForStarted(5000)) return {};
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 20000)) {
        p.kill();
        p.waitForFinished(5000);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
// Real keys and clicks on the X server (arguments separated by spaces).
QString xdotool(const QString& arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments.split(QLatin1Char(' ')));
}

// Chinese typed through fcitx5's pinyin on an X server as a clerk types it: a click,
// Ctrl+Space, "gonglu", Space. tests/entry/ime_check.sh starts the server, the D-Bus
// session and the input method and runs this test there.
TEST_F(EntrySaveTest, PinyinThroughTheInputMethodIsSaved)
{
    if (qEnvironmentVariableIsEmpty("ORVANE_IME_CHECK")) GTEST_SKIP() << "runs under ime_check.sh";
    ASSERT_FALSE(xdotool(QStringLiteral("search --sync --onlyvisible --pid %1")
                             .arg(QCoreApplication::applicationPid()))
                     .isEmpty());
    xdotool(QStringLiteral("windowfocus --sync %1").arg(main->winId()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    enterRegistration();

    // Clicks `widget` at `pos`, switches the input method on where it is off, types.
    const auto typePinyin = [](QWidget* widget, QPoint pos) {
        const QPoint at = widget->mapToGlobal(pos);
        xdotool(QStringLiteral("mousemove --sync %1 %2 click 1").arg(at.x()).arg(at.y()));
        const auto active = [] { return runTool(QStringLiteral("fcitx5-remote"), {}) == QLatin1String("2"); };
        if (!QTest::qWaitFor(active, 1000)) {
            xdotool(QStringLiteral("key ctrl+space"));
            ASSERT_TRUE(QTest::qWaitFor(active, 10000)) << "the input method did not switch on";
        }
        xdotool(QStringLiteral("type --delay 80 gonglu"));
        QTest::qWait(300);
        xdotool(QStringLiteral("key space"));
    };

    // A text box of the first page.
    controlsOf(w()).Tab1()->setCurrentIndex(1);
    FieldBox* box = controlsOf(w()).Kn2Data(8);
    box->setText(QString());
    typePinyin(box->editor(), box->editor()->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box->text().isEmpty(); }, 10000));
    const QString word = box->text();
    EXPECT_TRUE(std::all_of(word.begin(), word.end(), [](QChar c) { return c.script() == QChar::Script_Han; }))
        << word.toStdString();

    // The corner name of the first corner.
    controlsOf(w()).Tab1()->setCurrentIndex(2);
    AreaFlex* grid = controlsOf(w()).Area_Flex(0);
    grid->scrollToTop();
    typePinyin(grid->viewport(), grid->visualRect(grid->model()->index(0, 0)).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid->txtEdit()->text().isEmpty(); }, 10000));
    xdotool(QStringLiteral("key Return"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->grid().TextMatrix(1, 1) != QLatin1String("1"); }, 10000));
    EXPECT_EQ(grid->grid().TextMatrix(1, 1), word);

    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    // The stored rows, read from the file by another program.
    const QString stored = runTool(
        QStringLiteral("sqlite3"),
        {QStringLiteral("-readonly"), path(QStringLiteral("djk.mdb")), QStringLiteral(".param set @n '4410102082001'"),
         QStringLiteral("select \"%1\" from 压覆 where 登记号 = @n").arg(box->column()),
         QStringLiteral("select 矿权坐标 from 坐标 where 登记号 = @n")});
    EXPECT_EQ(stored.toStdString(),
              (word + QStringLiteral("\n2,3,") + word +
               QStringLiteral(",3850000,38500000,2,3851000,38500000,3,3851000,38501000,100,-50,KT1,1,"
                              "3,A1,3850200,38500200,A2,3850400,38500200,A3,3850400,38500400,80,-20,KT2,-1,"))
                  .toStdString());
}

} // namespace

TEST(CoordSystemError, BoxCarriesTheApplicationTitle)
{
    Prompt::clear();
    KCUTIL::Show_Coord_System_Error(4000000.5, 48000000);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown()[0].text, QStringLiteral("错误坐标系统:4000000.5|48000000"));
    EXPECT_EQ(Prompt::shown()[0].title, QCoreApplication::applicationName());
    EXPECT_EQ(Prompt::shown()[0].buttons, Prompt::Buttons::Ok);
    Prompt::clear();
}

TEST_F(EntrySaveTest, AReopenedWindowNeverWritesOverTheRegistrationShownBefore)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString a = QStringLiteral("4410102082001");
    ASSERT_EQ(rows(QStringLiteral("登记"), a), 1);
    const QString project = QStringLiteral("select 建设项目名称 from 压覆 where 登记号 = ?");
    const QString before = stored(project, a);

    // Shown, then the window closes without edits and opens again: nothing is chosen.
    clickNode(a);
    ASSERT_EQ(m_state.Cur_DJH, a);
    w()->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(w(), nullptr);
    openEntry();
    ASSERT_NE(w(), nullptr);
    EXPECT_EQ(m_state.Cur_DJH, QString());
    EXPECT_FALSE(controlsOf(w()).Kn1Data(0)->isEnabled());
    EXPECT_FALSE(controlsOf(w()).Kn2Data(8)->isEnabled());
    EXPECT_FALSE(saveMark());
    EXPECT_FALSE(main->buttonEnabled(QStringLiteral("DEL")));

    // A new registration saved while Cur_DJH still names A (left by another window or
    // another database) is refused; A keeps its rows and its number.
    const QString b = QStringLiteral("4410102082002");
    enterRegistration(b);
    m_state.Cur_DJH = a;
    Prompt::clear();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    // A plain notice in the system's words, not an error box naming a routine.
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("登记号为4410102082001的登记没有载入窗口，不能改写。请重新选择登记。"));
    EXPECT_EQ(Prompt::shown().last().title, QStringLiteral("提示"));
    EXPECT_EQ(rows(QStringLiteral("登记"), a), 1);
    EXPECT_EQ(rows(QStringLiteral("登记"), b), 0);
    EXPECT_EQ(stored(project, a), before);
    EXPECT_TRUE(saveMark());

    // Chosen afresh, the new registration saves beside A.
    m_state.Cur_DJH.clear();
    Prompt::clear();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(rows(QStringLiteral("登记"), a), 1);
    EXPECT_EQ(rows(QStringLiteral("登记"), b), 1);
}

TEST_F(EntrySaveTest, UneditedPhoneAndLineEndsSaveBackByteForByte)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString n = QStringLiteral("4410102082001");
    // A multi-line box of the project page and its column.
    FieldBox* multi = nullptr;
    for (FieldBox* b : controlsOf(w()).boxes(A::Kn2Data))
        if (b->isMultiLine() && !b->column().isEmpty() && b != controlsOf(w()).Kn2Data(8)) multi = b;
    ASSERT_NE(multi, nullptr);
    const QString column = multi->column();
    const QString lines = QStringLiteral("第一行\r\n第二行");
    const QString phone = QStringLiteral("13812345678");
    ASSERT_TRUE(Db::exec(m_state.Cn(),
                         QStringLiteral("update 压覆 set 电话号码 = ?, \"%1\" = ? where 登记号 = ?").arg(column),
                         {phone, lines, n}));

    clickNode(n);
    EXPECT_EQ(controlsOf(w()).Kn2Data(6)->text(), phone) << "shown whole";
    controlsOf(w()).Tab1()->setCurrentIndex(1);
    type(A::Kn2Data, 8, QStringLiteral("二期"));
    ASSERT_TRUE(saveMark());
    Prompt::clear();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_TRUE(stored(QStringLiteral("select 建设项目名称 from 压覆 where 登记号 = ?"), n)
                    .contains(QStringLiteral("二期")));
    EXPECT_EQ(stored(QStringLiteral("select 电话号码 from 压覆 where 登记号 = ?"), n), phone);
    EXPECT_EQ(stored(QStringLiteral("select \"%1\" from 压覆 where 登记号 = ?").arg(column), n), lines);

    // A number typed anew is stored with its area code as before.
    clickNode(n);
    FieldBox* number = controlsOf(w()).Kn2Data(6);
    number->lineEdit()->selectAll();
    type(A::Kn2Data, 6, QStringLiteral("66661234"));
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(stored(QStringLiteral("select 电话号码 from 压覆 where 登记号 = ?"), n), QStringLiteral("-66661234"));

    // An area code longer than its box shows whole and saves back too.
    const QString longArea = QStringLiteral("(0311)-87654321");
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("update 压覆 set 电话号码 = ? where 登记号 = ?"), {longArea, n}));
    clickNode(n);
    EXPECT_EQ(controlsOf(w()).Kn2Data(5)->text(), QStringLiteral("(0311)"));
    type(A::Kn2Data, 8, QStringLiteral("三期"));
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(stored(QStringLiteral("select 电话号码 from 压覆 where 登记号 = ?"), n), longArea);
}

TEST_F(EntrySaveTest, UneditedDatesOfAnyFormSaveBackUnchanged)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString n = QStringLiteral("4410102082001");
    // Old or imported dates (table, column, text), one the date checks cannot read.
    const QStringList dates{"登记", "初审日期", "2016/3/5",   "登记", "审定日期", "二〇一六年三月",
                            "压覆", "批准日期", "2016-10-07", "报告", "评审日期", "不详"};
    const auto storedDate = [&](int i) {
        return stored(
            QStringLiteral("select \"%1\" from \"%2\" where 登记号 = ?").arg(dates[i + 1], dates[i]), n);
    };
    for (int i = 0; i < dates.size(); i += 3)
        ASSERT_TRUE(Db::exec(
            m_state.Cn(),
            QStringLiteral("update \"%1\" set \"%2\" = ? where 登记号 = ?").arg(dates[i], dates[i + 1]),
            {dates[i + 2], n}));

    clickNode(n);
    type(A::Kn1Data, 1, QStringLiteral("王五"));
    Prompt::clear();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    EXPECT_TRUE(stored(QStringLiteral("select 填表人 from 登记 where 登记号 = ?"), n)
                    .contains(QStringLiteral("王五")));
    for (int i = 0; i < dates.size(); i += 3)
        EXPECT_EQ(storedDate(i), dates[i + 2]) << dates[i + 1].toStdString();
    EXPECT_EQ(stored(QStringLiteral("select 填表日期 from 登记 where 登记号 = ?"), n),
              QStringLiteral("2008年11月3日"));

    // An edited date is stored in the form's own form.
    clickNode(n);
    controlsOf(w()).Tab1()->setCurrentIndex(3);
    type(A::Kn1Data, 16, QStringLiteral("2017"));
    typeText(controlsOf(w()).Kn1Data(17)->editor(), QStringLiteral("1"));
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_EQ(storedDate(0), QStringLiteral("2017年1月"));
}

TEST_F(EntrySaveTest, UneditedStoredValuesShowWholeAndSaveBackByteForByte)
{
    enterRegistration();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    const QString n = QStringLiteral("4410102082001");
    // (box, column, stored value): values longer than their boxes (a number, a text, a
    // multi-line text ending in blanks), a Null that the box shows as an empty text, and
    // trailing blanks.
    const struct
    {
        int box;
        QString column;
        QVariant value;
        bool longerThanBox;
    } cases[] = {{25, QStringLiteral("至县直距"), 123.45, true},
                 {4, QStringLiteral("邮政编码"), QStringLiteral("8361001"), true},
                 {3, QStringLiteral("通讯地址"), QString(60, QChar(u'路')) + QStringLiteral("  "), true},
                 {7, QStringLiteral("电子邮箱"), QVariant(QMetaType::fromType<QString>()), false},
                 {11, QStringLiteral("批准文号"), QStringLiteral("豫国土资函〔2016〕12号   "), false}};
    const auto quoted = [&](const QString& column) {
        return stored(
            QStringLiteral("select typeof(\"%1\") || ' ' || quote(\"%1\") from 压覆 where 登记号 = ?")
                .arg(column),
            n);
    };
    QStringList before;
    for (const auto& c : cases) {
        ASSERT_TRUE(Db::exec(m_state.Cn(),
                             QStringLiteral("update 压覆 set \"%1\" = ? where 登记号 = ?").arg(c.column),
                             {c.value, n}));
        before << quoted(c.column);
    }
    ASSERT_EQ(before[3], QStringLiteral("null NULL"));
    // A Null date whose boxes stay empty stays Null.
    ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("update 压覆 set 批准日期 = NULL where 登记号 = ?"), {n}));

    clickNode(n);
    for (const auto& c : cases) {
        const FieldBox* box = controlsOf(w()).Kn2Data(c.box);
        ASSERT_EQ(box->column(), c.column);
        if (c.longerThanBox) {
            EXPECT_GT(box->text().size(), box->maxLength()) << c.box;
        }
        EXPECT_EQ(box->text(), c.value.toString()) << "shown whole";
    }
    // Typing never makes a box longer than what it shows.
    controlsOf(w()).Tab1()->setCurrentIndex(1);
    controlsOf(w()).Kn2Data(4)->lineEdit()->end(false);
    type(A::Kn2Data, 4, QStringLiteral("9"));
    EXPECT_EQ(controlsOf(w()).Kn2Data(4)->text(), QStringLiteral("8361001"));

    controlsOf(w()).Tab1()->setCurrentIndex(0);
    type(A::Kn1Data, 1, QStringLiteral("王五"));
    Prompt::clear();
    main->Toolbar_ButtonClick(QStringLiteral("SAVE"));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(quoted(cases[i].column), before[i]) << cases[i].box;
    EXPECT_EQ(quoted(QStringLiteral("批准日期")), QStringLiteral("null NULL"));
}

TEST(FieldBoxShowsTheStart, ASingleLineBoxShowsTheStartOfALongText)
{
    FormControl layout;
    layout.column = QStringLiteral("审查单位");
    layout.maxLength = 40;
    FieldBox box(layout);
    box.resize(60, 20);
    box.setText(QStringLiteral("河北省矿产资源储量评审中心"));
    EXPECT_EQ(box.lineEdit()->cursorPosition(), 0);
}
