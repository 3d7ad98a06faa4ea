#include "registration/coordgrid/CoordGridFixture.h"

#include "coords/CoordText.h"

namespace {

using Icon = Prompt::Icon;
const QString kOrder = QStringLiteral("请检查坐标输入顺序是否正确！");

// ---------------------------------------------------------------------------
// Layout and loading

class CoordGridLoadTest : public CoordGridFixture
{
};

TEST_F(CoordGridLoadTest, EmptyTextGivesHeadingsAndOneBlankRowAsTheCheckBoxStands)
{
    geographic = true;
    CoordGridLoader::Init_Flex(grid, geographic, QString());
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Flex_Row_Count(), 0);
    EXPECT_TRUE(geographic);
    const QStringList headings = grid.rowTexts(0);
    EXPECT_EQ(headings, (QStringList{QStringLiteral("序号"), QStringLiteral("拐点号"),
                                     QStringLiteral("经度(起标高)"), QStringLiteral("纬度(止标高)"),
                                     QStringLiteral("矿体标识"), QStringLiteral("性质")}));
    geographic = false;
    CoordGridLoader::Init_Flex(grid, geographic, QString());
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("X(起标高)"));
    EXPECT_EQ(grid.TextMatrix(0, 3), QStringLiteral("Y(止标高)"));
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(CoordGridLoadTest, FirstCornerDecidesGeographicOrRectangular)
{
    load({QStringLiteral("1,116.2345,40.1234"), QStringLiteral("2,116.2400,40.1300")});
    EXPECT_TRUE(geographic);
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("经度(起标高)"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("116.2345"));
    EXPECT_EQ(grid.TextMatrix(1, 3), QStringLiteral("40.1234"));

    load({QStringLiteral("1,4000.5,3000.25"), QStringLiteral("2,4001.5,3001.25")});
    EXPECT_FALSE(geographic);
    EXPECT_EQ(grid.TextMatrix(0, 3), QStringLiteral("Y(止标高)"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4000.5"));

    // Plane values below 1000 are taken for degrees.
    load({QStringLiteral("1,500.1,300.2")});
    EXPECT_TRUE(geographic);
}

TEST_F(CoordGridLoadTest, RowsCellsAndNumbersFollowTheLines)
{
    CoordGridLoader::Init_Flex(grid, geographic,
                               QStringLiteral("4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,100,50,A1,-1\r\n"));
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.Flex_Row_Count(), 4);
    EXPECT_EQ(dataRows(), (QStringList{QStringLiteral("1,10,20,,"), QStringLiteral("2,11,20,,"),
                                       QStringLiteral("3,11,21,,"), QStringLiteral("*,100,50,A1,-1")}));
    EXPECT_EQ(grid.TextMatrix(4, 0), QStringLiteral("4"));
    EXPECT_EQ(grid.TextMatrix(5, 0), QString());
    EXPECT_TRUE(grid.isRingEnd(4));
}

// A ring closed without elevations or nature keeps those cells empty instead of
// inventing zeros.
TEST_F(CoordGridLoadTest, EmptyRingEndFieldsStayEmpty)
{
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("2\n1,10,20,\n*,,,,\n"));
    EXPECT_EQ(dataRows(), (QStringList{QStringLiteral("1,10,20,,"), QStringLiteral("*,,,,")}));
}

TEST_F(CoordGridLoadTest, FillStopsAtABlankLineOrACornerWithoutComma)
{
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("3\n1,10,20,\n\n2,11,20,\n"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QString());
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("2\n1,10,20,\n2 10\n"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QString());
}

TEST_F(CoordGridLoadTest, ADamagedLineCountCannotBlowTheGridUp)
{
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("99999999\n1,10,20,\n"));
    EXPECT_LE(grid.Rows(), 3);
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("10"));
    // More lines than announced are all shown.
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("1\n1,10,20,\n2,11,20,\n"));
    EXPECT_EQ(grid.Flex_Row_Count(), 2);
    // No line feed at all: nothing to fill.
    CoordGridLoader::Init_Flex(grid, geographic, QStringLiteral("2"));
    EXPECT_EQ(grid.Rows(), 2);
}

TEST_F(CoordGridLoadTest, HeadingsFollowTheCheckBoxWithoutTouchingCells)
{
    load({QStringLiteral("1,4000.5,3000.25")});
    CoordGridLoader::setHeadings(grid, true);
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("经度(起标高)"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4000.5"));
}

// Loading the line form of a stored text and writing the grid back gives the
// stored text unchanged.
TEST_F(CoordGridLoadTest, StoredTextsSurviveLoadAndSave)
{
    const QStringList samples = {
        QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50,1,1,"),
        QStringLiteral(
            "2,4,1,116.2345,40.1234,2,116.2400,40.1234,3,116.2400,40.1300,4,116.2345,40.1300,"
            "120,80,K1,1,3,5,116.2350,40.1240,6,116.2360,40.1240,7,116.2360,40.1250,120,80,K1,-1,"),
        QStringLiteral("1,4,1,4445123.45,39512345.67,2,4445123.45,39513345.67,3,4446123.45,39513345.67,"
                       "4,4446123.45,39512345.67,-50.5,300,矿体①,1,"),
        QStringLiteral("1,1,A,3000.0,4000.00,,,,1,"),
        QStringLiteral("1,2,01,10.10,20.20,2,11.10,20.20,0,0,,0,"),
        QStringLiteral("2,3,1,10,20,2,11,20,3,11,21,100,50,A1,-1,3,4,12,22,5,13,22,6,13,23,0,0,B,1,"),
        QStringLiteral("1,4,1,116.3000,40.1500,2,东经,40.1500,3,4400000,10500000,4,116.4500,40.3000,0,0,,1,"),
        QStringLiteral("2,3,1,4400000.00,39450000.00,2,4400000.00,39460000.00,3,4410000.00,39460000.00,"
                       "100,50,V1,1,3,1,4402000.00,39452000.00,2,4402000.00,39454000.00,3,4404000.00,"
                       "39454000.00,100,50,,-1,"),
    };
    for (const QString& stored : samples) {
        SCOPED_TRACE(stored.toStdString());
        CoordGridLoader::Init_Flex(grid, geographic, KCUTIL::Coord_Str_To_Lines(stored));
        EXPECT_EQ(KCUTIL::Coord_Grid_To_Str(grid).text, stored);
    }

    // What the writer normalises by design: an open last ring comes back closed
    // with the nature "1", and the tolerated forms (blanks, line breaks, a wrong
    // ring count, a missing last comma) come back in the plain form.
    const QString example = QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50,1,1,");
    const QString tolerated[] = {
        QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50,1,1"),
        QStringLiteral("1,3,1,10,\r\n20,2,11,20,\n3,11,21,100,50,1,1,\r\n"),
        QStringLiteral("7,3,1,10,20,2,11,20,3,11,21,100,50,1,1,"),
        QStringLiteral("1, 3, 1, 10 ,20,2,11,20,3,11,21, 100,50,1, 1 ,"),
    };
    for (const QString& stored : tolerated) {
        CoordGridLoader::Init_Flex(grid, geographic, KCUTIL::Coord_Str_To_Lines(stored));
        EXPECT_EQ(KCUTIL::Coord_Grid_To_Str(grid).text, example) << stored.toStdString();
    }
    CoordGridLoader::Init_Flex(
        grid, geographic, KCUTIL::Coord_Str_To_Lines(QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,,,,,")));
    EXPECT_EQ(KCUTIL::Coord_Grid_To_Str(grid).text, QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,,,,1,"));
    CoordGridLoader::Init_Flex(grid, geographic, KCUTIL::Coord_Str_To_Lines(QStringLiteral("0,")));
    EXPECT_EQ(KCUTIL::Coord_Grid_To_Str(grid).text, QString());
}

// ---------------------------------------------------------------------------
// Cell commit

class CoordGridCommitTest : public CoordGridFixture
{
protected:
    void SetUp() override
    {
        CoordGridFixture::SetUp();
        load({QStringLiteral("1,4000,5000"), QStringLiteral("2,4000,6000")});
    }
};

TEST_F(CoordGridCommitTest, CornerNumberIsRoundedOnDataRowsAndKeptOnTheTrailingRow)
{
    editAndLeave(1, 1, QStringLiteral("03"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("3"));
    editAndLeave(2, 1, QStringLiteral("2.5"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("2"));
    editAndLeave(2, 1, QStringLiteral("3.5"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("4"));
    editAndLeave(2, 1, QStringLiteral(" *"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("*"));
    editAndLeave(3, 1, QStringLiteral("03"));
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("03"));
    EXPECT_TRUE(host.shown.isEmpty());
}

TEST_F(CoordGridCommitTest, CornerNumberBeyondSixteenBitsIsReportedAndKeptAsTyped)
{
    editAndLeave(1, 1, QStringLiteral("40000"));
    ASSERT_EQ(host.shown.size(), 1);
    EXPECT_EQ(lastShown().text, QStringLiteral("EDIT_FLEX_GRID模块出错。代码: 6\n\r溢出"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("40000"));
}

TEST_F(CoordGridCommitTest, TrailingRowGrowsOnlyWhenSomethingIsTyped)
{
    editAndLeave(3, 2, QString());
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(host.marks, 0);

    editAndLeave(3, 2, QStringLiteral("4100"));
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(3, 2), QStringLiteral("4100"));
    EXPECT_EQ(grid.TextMatrix(3, 0), QStringLiteral("3"));
    EXPECT_EQ(host.marks, 1);
    EXPECT_TRUE(m_state.Form_Changed[1]);
}

TEST_F(CoordGridCommitTest, UnchangedTextMarksNothingAndHiddenEditorCommitsNothing)
{
    editAndLeave(1, 2, QStringLiteral(" 4000 "));
    EXPECT_EQ(host.marks, 0);
    host.text = QStringLiteral("9");
    EXPECT_TRUE(cmd.EDIT_FLEX_GRID());
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4000"));
}

// The stored text separates fields by commas, so a value holding one is refused
// and the editor stays open on its cell.
TEST_F(CoordGridCommitTest, CommaIsRefused)
{
    edit(2, 2, QStringLiteral("4000,5"));
    EXPECT_FALSE(cmd.Area_Flex_LeaveCell());
    ASSERT_EQ(host.shown.size(), 1);
    EXPECT_EQ(lastShown().text, QStringLiteral("第2行坐标数据不能含有逗号..."));
    EXPECT_EQ(lastShown().title, QStringLiteral("错误"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("4000"));
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.marks, 0);
    // Enter does not move on either.
    enter();
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(CoordGridCommitTest, EnterMovesAlongPointAndRingEndRows)
{
    load({QStringLiteral("1,10,20"), QStringLiteral("*,100,50,A,1")});
    edit(1, 1, QStringLiteral("1"));
    enter();
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.text, QStringLiteral("10"));
    enter();
    EXPECT_EQ(grid.Col(), 3);
    enter();
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    for (int col = 2; col <= 5; ++col) {
        enter();
        EXPECT_EQ(grid.Col(), col);
        EXPECT_TRUE(host.visible);
    }
    enter();
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Rows(), 4); // nothing typed into the trailing row
    EXPECT_FALSE(cmd.Flex_Edit_Advance());
}

TEST_F(CoordGridCommitTest, TabStoresAndAdvancesLikeEnter)
{
    edit(1, 3, QStringLiteral("5001"));
    const int repaints = host.repaints;
    cmd.Cell_Editor_Key(CoordGridCommands::KeyTab, 0);
    EXPECT_EQ(grid.TextMatrix(1, 3), QStringLiteral("5001"));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    // The sketch map follows the stored text at once, not at the next cell change.
    EXPECT_GT(host.repaints, repaints);
    edit(2, 3, QStringLiteral("5002"));
    const int beforeEnter = host.repaints;
    cmd.Cell_Editor_Key(CoordGridCommands::KeyEnter, 0);
    EXPECT_GT(host.repaints, beforeEnter);
}

TEST_F(CoordGridCommitTest, EscDropsTheTypedText)
{
    edit(1, 2, QStringLiteral("1234"));
    cmd.Cell_Editor_Key(CoordGridCommands::KeyEsc, 0);
    EXPECT_FALSE(host.visible);
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4000"));
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(CoordGridCommitTest, EditorArrowsStoreThenMove)
{
    edit(1, 2, QStringLiteral("4001"));
    cmd.Cell_Editor_Key(CoordGridCommands::KeyDown, CoordGridCommands::CtrlMask);
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4001"));
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.text, QStringLiteral("5000"));
    cmd.Cell_Editor_Key(CoordGridCommands::KeyUp, CoordGridCommands::CtrlMask);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_TRUE(host.visible);

    host.text = QStringLiteral("4002");
    cmd.Cell_Editor_Key(CoordGridCommands::KeyDown, 0);
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4002"));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_FALSE(host.visible);
    edit(1, 2, QStringLiteral("4003"));
    cmd.Cell_Editor_Key(CoordGridCommands::KeyUp, 0);
    EXPECT_EQ(grid.Row(), 1); // already the first data row
    EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("4003"));
    // Other keys are the text box's own.
    EXPECT_FALSE(cmd.Cell_Editor_Key(CoordGridCommands::KeyA, 0));
}

TEST_F(CoordGridCommitTest, CoordinateOrderWarningsAfterEnter)
{
    struct Case
    {
        const char* x;
        const char* y;
        bool warns;
    };
    const Case cases[] = {
        {"40.5", "116.5", true}, {"116.5", "40.5", false}, {"4000", "3000", true}, {"3000", "4000", false},
        {"500", "300", true},    {"359", "400", false},    {"360", "100", false},  {"400", "360", false},
        {"50", "50", false},     {"4000", "4000", false},
        // A corner typed X first: its Y is still empty and nothing is judged yet.
        {"4000", "", false},     {"", "40.5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "," + c.y);
        load({QStringLiteral("1,%1,%2").arg(QLatin1String(c.x), QLatin1String(c.y))});
        host.shown.clear();
        editAndLeave(1, 1, QStringLiteral("1")); // no Enter: never checked
        EXPECT_TRUE(host.shown.isEmpty());
        edit(1, 1, QStringLiteral("1"));
        enter();
        if (c.warns) {
            ASSERT_EQ(host.shown.size(), 1);
            EXPECT_EQ(lastShown().text, kOrder);
            EXPECT_EQ(lastShown().title, QStringLiteral("提示"));
            EXPECT_EQ(lastShown().icon, Icon::Information);
        } else {
            EXPECT_TRUE(host.shown.isEmpty());
        }
        EXPECT_EQ(grid.TextMatrix(1, 2), QLatin1String(c.x)); // only a warning
    }
}

TEST_F(CoordGridCommitTest, AxisParallelContinuationIsOffered)
{
    // Same X, different Y: the next corner gets the last Y.
    edit(2, 3, QStringLiteral("6000"));
    enter();
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.TextMatrix(3, 3), QStringLiteral("6000"));
    EXPECT_EQ(grid.TextMatrix(3, 2), QString());
    EXPECT_EQ(grid.TextMatrix(3, 0), QStringLiteral("3"));
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_TRUE(host.visible);

    load({QStringLiteral("1,4000,5000"), QStringLiteral("2,4500,5000")});
    edit(2, 3, QStringLiteral("5000"));
    enter();
    EXPECT_EQ(grid.TextMatrix(3, 2), QStringLiteral("4500"));
    EXPECT_EQ(grid.TextMatrix(3, 3), QString());
    EXPECT_EQ(grid.Rows(), 5);

    load({QStringLiteral("1,4000,5000"), QStringLiteral("2,4500,6000")});
    edit(2, 3, QStringLiteral("6000"));
    enter();
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(3, 2), QString());
    EXPECT_EQ(grid.TextMatrix(3, 3), QString());
}

// ---------------------------------------------------------------------------
// Starting the editor

TEST_F(CoordGridCommitTest, ColumnRuleAndEditorStart)
{
    load({QStringLiteral("1,10,20"), QStringLiteral("*,100,50,A,1")});
    grid.setCursor(1, 4);
    cmd.Area_Flex_DblClick();
    EXPECT_FALSE(host.visible);
    grid.setCursor(1, 5);
    cmd.Area_Flex_KeyPress('7');
    EXPECT_FALSE(host.visible);
    grid.setCursor(2, 4);
    cmd.Area_Flex_DblClick();
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.text, QStringLiteral("A"));
    host.visible = false;

    grid.setCursor(1, 2);
    cmd.Area_Flex_KeyPress(' ');
    EXPECT_FALSE(host.visible);
    cmd.Area_Flex_KeyPress('7');
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.text, QStringLiteral("7"));
    EXPECT_EQ(host.repaints, 1);
    host.visible = false;
    cmd.Area_Flex_KeyPress(CoordGridCommands::KeyEnter);
    EXPECT_EQ(host.text, QStringLiteral("10"));
    host.visible = false;
    cmd.Area_Flex_KeyPress(-1, QStringLiteral("北"));
    EXPECT_EQ(host.text, QStringLiteral("北"));
}

} // namespace
