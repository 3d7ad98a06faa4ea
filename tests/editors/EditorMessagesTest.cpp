#include "EditorsFixture.h"

#include "editors/FrmEdit.h"
#include "editors/FrmKszl.h"
#include "editors/FrmZycl.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// What the editors tell the clerk when a row, a sheet or a command cannot go on.
namespace {

using namespace editors;

class EditorMessagesTest : public EditorsFixture
{
protected:
    HandOver copperRow() const
    {
        HandOver h;
        h.Cur_DJH = DJH;
        h.Cur_KCDM = 22001;
        h.Cur_KSLX = 10001;
        h.Cur_KSPJ = 32;
        h.Cur_XSXH = 100;
        return h;
    }
    template <class W> static void set(W& window, int box, const QString& text)
    {
        window.template findChild<QLineEdit*>(QStringLiteral("%1_%2").arg(boxArray(window)).arg(box))
            ->setText(text);
    }
    static QString boxArray(const FrmKszl&) { return QStringLiteral("Kn4Data"); }
    static QString boxArray(const FrmZycl&) { return QStringLiteral("Kn5Data"); }
    template <class W> static void press(W& window, int button)
    {
        window.template findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(button))->click();
    }
};

TEST_F(EditorMessagesTest, RowListBeyondTwentyFiveRows)
{
    for (int i = 1; i <= 26; ++i)
        quality(21001, 0, QString::number(20100 + i), "1", 100 * i + 1);
    FrmEdit w;
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown()[0].text, "该登记的矿产资源储量数据有26行，超过25行，只能显示和编辑前25行！");
    w.MSFlexGrid1_Click(3, 3);
    w.findChild<QPushButton*>("Command2_2")->click();
    EXPECT_EQ(Prompt::lastText(), "数据已达到最大，无法再插入行！");
    EXPECT_EQ(w.rows().code(25, 4), 20125);
}

TEST_F(EditorMessagesTest, QualitySheetChecksAndDeleteQuestions)
{
    FrmKszl q(nullptr, copperRow());
    set(q, 2, "Cu");
    set(q, 3, "1.2");
    press(q, 0);
    EXPECT_EQ(Prompt::lastText(), "请将第1组数据填写完整！");
    set(q, 4, "%");
    set(q, 3, "1.2.3");
    Prompt::clear();
    press(q, 0);
    EXPECT_EQ(Prompt::lastText(), "第1组的组分值不是数值，无法保存！");
    set(q, 3, "1.2");
    press(q, 0);
    EXPECT_EQ(q.handOver().Kszl_Flag, "有");
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    press(q, 1);
    EXPECT_EQ(Prompt::lastText(), "确定要删除组分含量数据吗？");
    EXPECT_EQ(column("select count(*) from 质量"), QStringList({"1"}));
    press(q, 1);
    EXPECT_EQ(column("select count(*) from 质量"), QStringList({"0"}));
    EXPECT_EQ(q.handOver().Kszl_Flag, "");

    HandOver averageRow = copperRow();
    averageRow.Cur_KSLX = averageRow.Cur_KSPJ = 0;
    FrmKszl a(nullptr, averageRow);
    a.findChild<QPlainTextEdit*>("Kn4Data_0")->clear();
    a.findChild<QPlainTextEdit*>("Kn4Data_1")->clear();
    set(a, 2, "Cu");
    set(a, 3, "0.8");
    set(a, 4, "%");
    Prompt::clear();
    press(a, 0);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::shown()[0].text, "请填写平均组分含量描述信息：矿石类型/矿石品级！");
    EXPECT_EQ(a.handOver().Kszl_Flag, "平均含量") << "the reminder does not stop the save";
    press(a, 1);
    EXPECT_EQ(Prompt::lastText(), "确定要删除平均组分含量数据吗？");

    // More records than the ten rows: said at loading, and a save is refused.
    for (int i = 0; i < 11; ++i)
        quality(22001, 0, "10001", "32", 101 + i);
    Prompt::clear();
    FrmKszl many(nullptr, copperRow());
    const QString tooMany = "该矿石的组分含量数据共有11组，这里只能显示前10组，不能在此保存！";
    EXPECT_EQ(Prompt::lastText(), tooMany);
    set(many, 2, "Cu");
    Prompt::clear();
    press(many, 0);
    EXPECT_EQ(Prompt::lastText(), tooMany);
    EXPECT_EQ(column("select count(*) from 质量 where 组分名='TFe'"), QStringList({"11"}));
}

TEST_F(EditorMessagesTest, ReserveSheetChecksAndQuestions)
{
    m_state.TJPath = dir();
    m_state.TJName = QStringLiteral("tjk.mdb");
    FrmZycl z(nullptr, copperRow());
    z.show();
    set(z, 1, "5");
    press(z, 0);
    EXPECT_EQ(Prompt::lastText(), "第1行有数量但没有类型编码，无法保存！");
    set(z, 0, "111");
    set(z, 1, "5吨");
    press(z, 0);
    EXPECT_EQ(Prompt::lastText(), "第1行的数量不是数值，无法保存！");
    set(z, 1, "5");
    Prompt::clear();
    Prompt::setNextAnswer(Prompt::Answer::Yes);
    press(z, 0);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown()[0].text, "储量库文件不存在：" + QDir::toNativeSeparators(path("tjk.mdb")));
    EXPECT_EQ(Prompt::shown()[1].text, "当前登记号对应储量数据与储量库不一致，是否继续?");
    EXPECT_EQ(z.handOver().Zycl_Flag, "有");

    set(z, 2, "7");
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    z.close();
    EXPECT_EQ(Prompt::lastText(), "资源储量信息已经修改，将不保存，确定要退出吗？");
    press(z, 1);
    EXPECT_EQ(Prompt::lastText(), "确定要删除资源储量数据吗？");
    EXPECT_EQ(z.handOver().Zycl_Flag, "");
    EXPECT_EQ(column("select count(*) from 资源储量"), QStringList({"0"}));

    for (int i = 0; i < 8; ++i)
        reserve(22001, 0, 10001, 32, 1, "单一矿产", QVariant(), 101 + i);
    Prompt::clear();
    FrmZycl many(nullptr, copperRow());
    EXPECT_EQ(Prompt::lastText(), "该矿石的资源储量数据共有8行，这里只能显示前7行，不能在此保存！");
}

} // namespace
