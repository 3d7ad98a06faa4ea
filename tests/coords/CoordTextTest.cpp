#include "CoordsFixture.h"

#include "coords/CoordText.h"
#include "coords/Projection.h"

#include <QCoreApplication>

#include <algorithm>

using namespace KCUTIL;

namespace {

class CoordTextTest : public CoordsFixture
{
};

const QString ExampleText = QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50,1,1,");
const QString ExampleLines = QStringLiteral("4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,100,50,1,1\r\n");

CoordGridRows exampleGrid()
{
    return gridOf({{"1", "10", "20"}, {"2", "11", "20"}, {"3", "11", "21"}, {"*", "100", "50", "1", ""}});
}

TEST_F(CoordTextTest, WritesTheStoredFormAndSetsAnEmptyNature)
{
    CoordGridRows grid = exampleGrid();
    const CoordTextResult r = Coord_Grid_To_Str(grid);
    EXPECT_EQ(r.text, ExampleText);
    EXPECT_EQ(grid.cellText(4, 5), QStringLiteral("1"));
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(Coord_Str_To_Lines(r.text), ExampleLines);
}

TEST_F(CoordTextTest, GridWithoutDataRowsIsTheEmptyTextAndResetsTheExtent)
{
    m_state.Area_Extent = Coord_Extent{116, 117, 39, 40}; // left from an earlier registration
    CoordGridRows grid;
    const CoordTextResult r = Coord_Grid_To_Str(grid, 0);
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_EQ(m_state.Area_Extent.X_Min, 0.0);
    EXPECT_EQ(m_state.Area_Extent.X_Max, 0.0);
    EXPECT_EQ(m_state.Area_Extent.Y_Min, 0.0);
    EXPECT_EQ(m_state.Area_Extent.Y_Max, 0.0);
}

TEST_F(CoordTextTest, OpenLastRingGetsFourEmptyEndFields)
{
    CoordGridRows grid = gridOf({{"1", "10", "20"}, {"2", "11", "20"}, {"3", "11", "21"}});
    const QString text = Coord_Grid_To_Str(grid).text;
    EXPECT_EQ(text, QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,,,,,"));
    EXPECT_EQ(Coord_Str_To_Lines(text), QStringLiteral("4\r\n1,10,20,\r\n2,11,20,\r\n3,11,21,\r\n*,,,,\r\n"));
}

TEST_F(CoordTextTest, CellsAreTrimmedAndABlankStarEndsARingEverywhere)
{
    CoordGridRows grid = gridOf({{" 1 ", " 10", "20 "},
                                 {"2", "11", "20"},
                                 {"3", "11", "21"},
                                 {" * ", " 100 ", "50", " A1 ", " -1 "},
                                 {"4", "12", "22"},
                                 {"5", "13", "22"},
                                 {"6", "13", "23"},
                                 {" *", "0", "0", "B", "1"}});
    EXPECT_EQ(Coord_Grid_To_Str(grid).text,
              QStringLiteral("2,3,1,10,20,2,11,20,3,11,21,100,50,A1,-1,3,4,12,22,5,13,22,6,13,23,0,0,B,1,"));
}

TEST_F(CoordTextTest, EmptyEntryRowIsNeverWritten)
{
    CoordGridRows grid = exampleGrid();
    grid.setCellText(grid.rowCount() - 1, 1, QStringLiteral("9"));
    grid.setCellText(grid.rowCount() - 1, 2, QStringLiteral("99"));
    EXPECT_EQ(Coord_Grid_To_Str(grid).text, ExampleText);
}

TEST_F(CoordTextTest, ExtentComesFromThisGridInDecimalDegrees)
{
    // Geographic cells are DDD.MMSS: 116.3000 is 116.5 degrees.
    CoordGridRows geo = gridOf({{"1", "116.3000", "40.1500"},
                                {"2", "116.4500", "40.1500"},
                                {"3", "116.4500", "40.3000"},
                                {"*", "0", "0", "", "1"}});
    Coord_Grid_To_Str(geo, 0);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.X_Min, 116.5);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.X_Max, 116.75);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.Y_Min, 40.25);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.Y_Max, 40.5);

    // Grid 1 goes to Calc_Extent and leaves Area_Extent alone.
    CoordGridRows plane = gridOf({{"1", "4400000", "39450000"},
                                  {"2", "4400000", "39460000"},
                                  {"3", "4410000", "39460000"},
                                  {"*", "0", "0", "", "1"}});
    const CoordTextResult r = Coord_Grid_To_Str(plane, 1);
    EXPECT_EQ(r.extentCorners, 3);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.X_Min, 116.5);
    const GeoPoint a = *Convert_Coord(4400000, 39450000);
    const GeoPoint b = *Convert_Coord(4400000, 39460000);
    const GeoPoint c = *Convert_Coord(4410000, 39460000);
    EXPECT_EQ(m_state.Calc_Extent.X_Min, std::min({a.longitude, b.longitude, c.longitude}));
    EXPECT_EQ(m_state.Calc_Extent.X_Max, std::max({a.longitude, b.longitude, c.longitude}));
    EXPECT_EQ(m_state.Calc_Extent.Y_Min, std::min({a.latitude, b.latitude, c.latitude}));
    EXPECT_EQ(m_state.Calc_Extent.Y_Max, std::max({a.latitude, b.latitude, c.latitude}));
}

TEST_F(CoordTextTest, BadCornersStayOutOfTheExtentAndAreReportedOnce)
{
    CoordGridRows grid = gridOf({{"1", "116.3000", "40.1500"},
                                 {"2", "东经", "40.1500"},
                                 {"3", "4400000", "10500000"},
                                 {"4", "116.4500", "40.3000"},
                                 {"*", "0", "0", "", "1"}});
    const CoordTextResult r = Coord_Grid_To_Str(grid, 0);
    // The text still holds every corner.
    EXPECT_EQ(r.text,
              QStringLiteral(
                  "1,4,1,116.3000,40.1500,2,东经,40.1500,3,4400000,10500000,4,116.4500,40.3000,0,0,,1,"));
    ASSERT_EQ(r.faults.size(), 2);
    EXPECT_EQ(r.faults[0].kind, CoordFault::Kind::NotNumber);
    EXPECT_EQ(r.faults[0].row, 2);
    EXPECT_EQ(r.faults[1].kind, CoordFault::Kind::NoZone);
    EXPECT_EQ(r.faults[1].row, 3);
    EXPECT_EQ(Coord_System_Error_Text(r.faults[1].x, r.faults[1].y),
              QStringLiteral("错误坐标系统:4400000|10500000"));
    EXPECT_EQ(r.extentCorners, 2);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.X_Min, 116.5);
    EXPECT_DOUBLE_EQ(m_state.Area_Extent.Y_Max, 40.5);
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(CoordTextTest, CommasInCellsAreFoundAndRefused)
{
    EXPECT_TRUE(Is_Coord_Cell_Storable(QStringLiteral("116.3000")));
    EXPECT_TRUE(Is_Coord_Cell_Storable(QStringLiteral("矿体，一"))); // a full-width comma is plain text
    EXPECT_FALSE(Is_Coord_Cell_Storable(QStringLiteral("116,3")));

    CoordGridRows grid = exampleGrid();
    EXPECT_EQ(Find_Coord_Comma(grid).row, 0);
    grid.setCellText(4, 4, QStringLiteral("A,B"));
    const CoordFault f = Find_Coord_Comma(grid);
    EXPECT_EQ(f.row, 4);
    EXPECT_EQ(f.column, 4);
    EXPECT_EQ(Coord_Comma_Message(f.row), QStringLiteral("第4行坐标数据不能含有逗号..."));

    const CoordTextResult r = Coord_Grid_To_Str(grid);
    EXPECT_TRUE(r.hasComma());
    EXPECT_FALSE(r.ok());
}

TEST(CoordStrToLines, EmptyAndCommaFreeTextsReadAsEmpty)
{
    EXPECT_EQ(Coord_Str_To_Lines(QString()), QString());
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("12")), QString());
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("0,")), QStringLiteral("0\r\n"));
}

TEST(CoordStrToLines, DamagedTextsLoseTheWholeGrid)
{
    // A ring with corner count 0.
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("2,3,1,10,20,2,11,20,3,11,21,100,50,1,1,0,1,2,3,4,")),
              QString());
    // Cut off inside a corner.
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1,3,1,10,20,2,11,20,3,11")), QString());
    // Cut off inside the first three end fields.
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50")), QString());
    // A corner count that is not a number counts as 0.
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1,x,1,10,20,")), QString());
}

TEST(CoordStrToLines, ACornerCountThatIsNoPositiveWholeNumberMarksTheTextDamaged)
{
    bool damaged = false;
    for (const char* text :
         {"1,-1,5,6,7,1,", "1,1.5,1,10,20,100,50,1,1,", "1,x,1,10,20,", "1,0,1,2,3,4,",
          "1,3,1,10,20,2,11,20,3,11", "12", "1,1e9,1,2,3,", "1,3,1,1,2,*,3,4,5,6,7,8,9,1,1,"}) {
        EXPECT_EQ(Coord_Str_To_Lines(QString::fromLatin1(text), &damaged), QString()) << text;
        EXPECT_TRUE(damaged) << text;
    }
    EXPECT_EQ(Coord_Str_To_Lines(ExampleText, &damaged), ExampleLines);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral(" \r\n"), &damaged), QString());
    EXPECT_FALSE(damaged) << "a blank text holds no coordinates and no damage";
}

TEST_F(CoordTextTest, AnEmptyGridLoadedFromADamagedTextWritesThatTextBack)
{
    struct KeptGrid : CoordGridRows
    {
        QString kept;
        QString keptText() const override { return kept; }
    } grid;
    grid.kept = QStringLiteral("1,-1,5,6,7,1,");
    EXPECT_EQ(Coord_Grid_To_Str(grid).text, grid.kept);
    EXPECT_EQ(Coord_Damaged_Message(0),
              QStringLiteral("矿权坐标数据已损坏，无法显示！不输入新的坐标时，保存后原数据保持不变。"));
    EXPECT_EQ(Coord_Damaged_Message(1),
              QStringLiteral("计算坐标数据已损坏，无法显示！不输入新的坐标时，保存后原数据保持不变。"));
}

TEST_F(CoordTextTest, CellsInExponentFormOrInfiniteAreNoNumbers)
{
    // "116.30e1" would be 1163 to a general number reader: a plane value in no zone.
    CoordGridRows grid = gridOf({{"1", "116.30e1", "39.3"},
                                 {"2", "inf", "39.3"},
                                 {"3", "116.3", "nan"},
                                 {"4", "116.3", "39.3"},
                                 {"*", "", "", "", "1"}});
    const CoordTextResult r = Coord_Grid_To_Str(grid);
    ASSERT_EQ(r.faults.size(), 3);
    for (const CoordFault& f : r.faults)
        EXPECT_EQ(f.kind, CoordFault::Kind::NotNumber);
    EXPECT_EQ(r.extentCorners, 1);
    double v = 0;
    EXPECT_TRUE(Read_Coord_Cell(QStringLiteral(" -4400000.25 "), &v));
    EXPECT_EQ(v, -4400000.25);
    EXPECT_TRUE(Read_Coord_Cell(QStringLiteral(".5"), &v));
    EXPECT_FALSE(Read_Coord_Cell(QStringLiteral("1e3"), &v));
    EXPECT_FALSE(Read_Coord_Cell(QStringLiteral("-"), &v));
    EXPECT_FALSE(Read_Coord_Cell(QString(), &v));
}

TEST(CoordStrToLines, ToleratesAMissingLastCommaLineBreaksAndAWrongRingCount)
{
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1,3,1,10,20,2,11,20,3,11,21,100,50,1,1")), ExampleLines);
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1,3,1,10,\r\n20,2,11,20,\n3,11,21,100,50,1,1,\r\n")),
              ExampleLines);
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("7,3,1,10,20,2,11,20,3,11,21,100,50,1,1,")), ExampleLines);
    // Leading blanks go, blanks before a comma stay, the nature is trimmed.
    EXPECT_EQ(Coord_Str_To_Lines(QStringLiteral("1, 3, 1, 10 ,20,2,11,20,3,11,21, 100,50,1, 1 ,")),
              QStringLiteral("4\r\n1,10 ,20,\r\n2,11,20,\r\n3,11,21,\r\n*,100,50,1,1\r\n"));
}

TEST(CoordStrToLines, TwoRingsRoundTrip)
{
    CoordGridRows grid = gridOf({{"1", "4400000.00", "39450000.00"},
                                 {"2", "4400000.00", "39460000.00"},
                                 {"3", "4410000.00", "39460000.00"},
                                 {"*", "100", "50", "V1", "1"},
                                 {"1", "4402000.00", "39452000.00"},
                                 {"2", "4402000.00", "39454000.00"},
                                 {"3", "4404000.00", "39454000.00"},
                                 {"*", "100", "50", "", "-1"}});
    ProgramState s;
    installState(&s);
    EXPECT_EQ(Coord_Str_To_Lines(Coord_Grid_To_Str(grid, 0).text),
              QStringLiteral("8\r\n1,4400000.00,39450000.00,\r\n2,4400000.00,39460000.00,\r\n"
                             "3,4410000.00,39460000.00,\r\n*,100,50,V1,1\r\n"
                             "1,4402000.00,39452000.00,\r\n2,4402000.00,39454000.00,\r\n"
                             "3,4404000.00,39454000.00,\r\n*,100,50,,-1\r\n"));
    installState(nullptr);
}

} // namespace
