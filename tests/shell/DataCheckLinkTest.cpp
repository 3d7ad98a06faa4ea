#include "support/FakeDataCheckComponent.h"
#include "support/FakeMainWindow.h"
#include "support/ProgramFolder.h"

#include "platform/Prompt.h"
#include "shell/CheckInfo.h"
#include "shell/DataCheckComponent.h"
#include "shell/ModMCD.h"

#include <QFile>
#include <QMainWindow>
#include <QWidget>

namespace {

const QString kDjh = QStringLiteral("4510104082001");

class DataCheckLinkTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_main.install();
        FakeDataCheckComponent::calls().clear();
        FakeDataCheckComponent::nextAnswer().clear();
        m_main.onShowCurrentRegistration = [this] { shownNumbers << m_state.Cur_DJH; };
    }
    void useFake()
    {
        ModMCD::setComponentFactory([] { return std::make_unique<FakeDataCheckComponent>(); });
    }
    // Runs a check whose component answers with `bytes`.
    void answerWith(const QByteArray& bytes)
    {
        useFake();
        FakeDataCheckComponent::nextAnswer() = bytes;
        ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    }
    // One DataSoure with the given child elements.
    static QByteArray source(const QString& children)
    {
        return (QStringLiteral("<DataSoures><DataSoure>") + children +
                QStringLiteral("</DataSoure></DataSoures>"))
            .toUtf8();
    }
    static QString fields(const QString& systype, const QString& djh,
                          const QString& nd = QStringLiteral("2008"))
    {
        return QStringLiteral("<systype>%1</systype><nd>%2</nd><djh>%3</djh><kqbh>K9</kqbh><ssksbh>3</ssksbh>"
                              "<ksbh>4</ksbh><fieldname>f</fieldname><tablename>t</tablename>")
            .arg(systype, nd, djh);
    }

    QStringList shownNumbers;
    FakeMainWindow m_main;
};

TEST_F(DataCheckLinkTest, WithoutAComponentBothModesSaySoAndOtherModesDoNothing)
{
    ModMCD::Run_Check_Tool(3, ModMCD::kSystemName);
    EXPECT_TRUE(Prompt::shown().isEmpty());
    ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    ModMCD::Run_Check_Tool(2, ModMCD::kSystemName);
    ASSERT_EQ(Prompt::shown().size(), 2);
    for (const auto& s : Prompt::shown()) {
        EXPECT_EQ(s.text, QStringLiteral("没有安装数据检查组件，无法执行此项操作！"));
        EXPECT_EQ(s.title, QStringLiteral("提示"));
    }
    EXPECT_TRUE(shownNumbers.isEmpty());
}

TEST_F(DataCheckLinkTest, TheComponentGetsItsArgumentsInOrder)
{
    QWidget mainWindow;
    ModMCD::MCD_Hook(&mainWindow);
    useFake();
    m_state.ProvinceCode = 510000;
    ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    m_state.ProvinceCode = 0;
    ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    ModMCD::Run_Check_Tool(2, ModMCD::kSystemName);

    const auto& calls = FakeDataCheckComponent::calls();
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[0].method, QStringLiteral("Check_Database"));
    EXPECT_EQ(calls[0].arguments,
              (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("登记库压覆"),
                           QStringLiteral("Driver=QSQLITE;Dbq=") + dir() + QStringLiteral("/djk.mdb"),
                           QString(), QString(), dir(), QStringLiteral("51")}));
    EXPECT_EQ(calls[0].mainWindow, &mainWindow);
    EXPECT_EQ(calls[1].arguments.last(), QStringLiteral("0"));
    EXPECT_EQ(calls[2].method, QStringLiteral("Define_Check_Items"));
    EXPECT_EQ(calls[2].arguments,
              (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("登记库压覆"), dir()}));
    EXPECT_TRUE(Prompt::shown().isEmpty());

    // Without a hooked window the program's main window is handed over.
    ModMCD::MCD_Hook(nullptr);
    QMainWindow programWindow;
    m_state.MainWindow = &programWindow;
    ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    EXPECT_EQ(FakeDataCheckComponent::calls().last().mainWindow, &programWindow);
}

TEST_F(DataCheckLinkTest, TheLastDjkSourceIsShownWithItsBlanksDropped)
{
    answerWith(FakeDataCheckComponent::answerXml(
        {{QStringLiteral("DJK"), QStringLiteral("4110101082001")},
         {QStringLiteral("KCL"), QStringLiteral("4110101082002")},
         {QStringLiteral("DJK"), QStringLiteral("  ") + kDjh + QStringLiteral(" ")},
         {QStringLiteral("djk"), QStringLiteral("4110101082003")}}));
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(m_state.Cur_DJH, kDjh);
    EXPECT_EQ(shownNumbers, QStringList{kDjh});
    const CheckInfo& info = ModMCD::Check_Info();
    EXPECT_EQ(info.djh, QStringLiteral("  ") + kDjh + QStringLiteral(" "));
    EXPECT_EQ(info.nd, 2008);
    EXPECT_EQ(info.kqbh, QStringLiteral("K001"));
    EXPECT_EQ(info.fieldname, QStringLiteral("矿区编号"));
    EXPECT_EQ(info.tablename, QStringLiteral("压覆"));
}

TEST_F(DataCheckLinkTest, AnAnswerWithoutASourceOfThisSystemChangesNothing)
{
    m_state.Cur_DJH = QStringLiteral("4110101082009");
    answerWith(FakeDataCheckComponent::answerXml(
        {{QStringLiteral("djk"), kDjh}, {QStringLiteral(" DJK"), kDjh}, {QStringLiteral("DJK "), kDjh}}));
    answerWith(FakeDataCheckComponent::answerXml({}));
    answerWith(source(fields(QStringLiteral("DJK"), QStringLiteral("   "))));
    EXPECT_TRUE(Prompt::shown().isEmpty());
    EXPECT_EQ(m_state.Cur_DJH, QStringLiteral("4110101082009"));
    EXPECT_TRUE(shownNumbers.isEmpty());
}

TEST_F(DataCheckLinkTest, AnAnswerThatCannotBeReadIsReportedAndChangesNothing)
{
    answerWith(FakeDataCheckComponent::answerXml({{QStringLiteral("DJK"), kDjh}}));
    ASSERT_EQ(shownNumbers.size(), 1);
    const CheckInfo before = ModMCD::Check_Info();

    const QList<QByteArray> bad{
        QByteArray("<DataSoures><DataSoure><systype>DJK</systype>"),  // malformed
        QByteArray(" "),                                              // empty
        QByteArray("<Other/>"),                                       // wrong top element
        source(QStringLiteral("<nd>1</nd><djh>4110101082001</djh>")), // no systype
        source(fields(QStringLiteral("DJK"), QStringLiteral("4110101082001"),
                      QStringLiteral("40000"))),                                            // nd too big
        source(QStringLiteral("<systype>DJK</systype><nd>1</nd><djh>4110101082001</djh>")), // fields missing
        FakeDataCheckComponent::answerXml({{QStringLiteral("DJK"), QStringLiteral("4110101082001")}}) +
            QByteArray("<DataSoure>"), // good start, bad end
        source(fields(QStringLiteral("DJK"), QStringLiteral("4110101082001"), QStringLiteral("1"))
                   .replace(QStringLiteral("<kqbh>"),
                            QStringLiteral("<kqbh>") + QStringLiteral("<a>").repeated(200))
                   .replace(QStringLiteral("</kqbh>"),
                            QStringLiteral("</a>").repeated(200) + QStringLiteral("</kqbh>"))),
        // nested deeper than the layout
        FakeDataCheckComponent::answerXml({{QStringLiteral("DJK"), QStringLiteral("4110101082001")}})
            .replace("<DataSoures>", "<DataSoures><!--" + QByteArray(1024 * 1024, 'x') + "-->"), // over 1 MB
    };
    for (const QByteArray& bytes : bad) {
        Prompt::clear();
        answerWith(bytes);
        ASSERT_EQ(Prompt::shown().size(), 1) << bytes.constData();
        EXPECT_EQ(Prompt::lastText(), QStringLiteral("读取配置信息失败"));
        EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("提示"));
        EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Information);
        EXPECT_EQ(ModMCD::Check_Info(), before) << bytes.constData();
    }
    EXPECT_EQ(m_state.Cur_DJH, kDjh);
    EXPECT_EQ(shownNumbers.size(), 1);

    // No answer file at all.
    Prompt::clear();
    QFile::remove(path(CheckInfoFile::kFileName));
    ModMCD::McdProc();
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("读取配置信息失败"));
    EXPECT_EQ(shownNumbers.size(), 1);
}

TEST_F(DataCheckLinkTest, ALaterAnswerOfTheLastRunStillArrives)
{
    useFake();
    ModMCD::Run_Check_Tool(1, ModMCD::kSystemName);
    EXPECT_TRUE(shownNumbers.isEmpty());
    // The component answers after the call returned.
    ASSERT_EQ(FakeDataCheckComponent::calls().size(), 1);
    FakeDataCheckComponent* component = FakeDataCheckComponent::calls().at(0).component;
    ASSERT_NE(component, nullptr);
    component->answer(dir(), FakeDataCheckComponent::answerXml({{QStringLiteral("DJK"), kDjh}}));
    EXPECT_EQ(shownNumbers, QStringList{kDjh});
}

} // namespace
