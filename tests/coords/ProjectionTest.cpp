#include "coords/Projection.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace KCUTIL;

namespace {

TEST(DmsTextToDegree, PacksDegreesMinutesSeconds)
{
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("116.3")), 116.5);
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("116")), 116.0);
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("116.30155")), 116.0 + 30.0 / 60.0 + 15.0 / 3600.0);
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("39.1230")), 39.0 + 12.0 / 60.0 + 30.0 / 3600.0);
    EXPECT_EQ(DMS_Text_To_Degree(QString()), 0.0);
    // The sign belongs to the whole angle.
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("-116.3000")), -116.5);
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral(" -0.3")), -0.5);
    // Minutes are not tested against 60.
    EXPECT_DOUBLE_EQ(DMS_Text_To_Degree(QStringLiteral("116.7000")), 116.0 + 70.0 / 60.0);
}

TEST(ConvertCoord, GeographicPointsPassUnchanged)
{
    const auto p = Convert_Coord(116.3, 40.1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->longitude, 116.3);
    EXPECT_EQ(p->latitude, 40.1);
    // Whatever they mean.
    EXPECT_EQ(Convert_Coord(359.9, -5.0)->latitude, -5.0);
}

TEST(ConvertCoord, ZoneRules)
{
    // On the central meridian the longitude is exactly the meridian.
    EXPECT_EQ(Convert_Coord(4400000, 20500000)->longitude, 117.0); // 6-degree zone 20
    EXPECT_EQ(Convert_Coord(4400000, 39500000)->longitude, 117.0); // 3-degree zone 39
    EXPECT_EQ(Convert_Coord(4400000, 49500000)->longitude, 75.0);  // 1.5 x (49 + 1)
    EXPECT_EQ(Convert_Coord(4400000, 13500000)->longitude, 75.0);  // 6-degree zone 13
    EXPECT_EQ(Convert_Coord(4400000, 25500000)->longitude, 75.0);  // 3-degree zone 25
    // The same northing gives the same latitude on every central meridian.
    EXPECT_EQ(Convert_Coord(4400000, 20500000)->latitude, Convert_Coord(4400000, 39500000)->latitude);
    // Boundaries of the bands.
    EXPECT_LT(Convert_Coord(4400000, 24000000)->longitude, 72.0); // zone 24 of 3 degrees, west of 72
}

TEST(ConvertCoord, EastingsOutsideEveryZoneGiveNoPosition)
{
    EXPECT_FALSE(Convert_Coord(4400000, 10500000));
    EXPECT_FALSE(Convert_Coord(4400000, 11000000));
    EXPECT_FALSE(Convert_Coord(4400000, 48000000));
    EXPECT_FALSE(Convert_Coord(4400000, 400));
    // A zone number of more than two digits is no zone.
    EXPECT_TRUE(Convert_Coord(4400000, 99500000));
    EXPECT_FALSE(Convert_Coord(4400000, 100000000));
    EXPECT_FALSE(Convert_Coord(4400000, 1e20));
    EXPECT_EQ(Coord_System_Error_Text(4400000, 48000000), QStringLiteral("错误坐标系统:4400000|48000000"));
}

// Reference values computed once with PROJ's cs2cs (make_proj_reference.sh).
TEST(ConvertCoord, AgreesWithProj)
{
    QFile file(QStringLiteral(COORDS_TEST_DATA "/proj_reference.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    int points = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(f.size(), 4) << line.toStdString();
        const double X = f[0].toDouble(), Y = f[1].toDouble();
        const auto p = Convert_Coord(X, Y);
        ASSERT_TRUE(p) << line.toStdString();
        EXPECT_NEAR(p->longitude, f[2].toDouble(), 1e-6) << line.toStdString();
        EXPECT_NEAR(p->latitude, f[3].toDouble(), 1e-6) << line.toStdString();
        ++points;
    }
    EXPECT_GE(points, 10);
}

TEST(UpdateExtent, StartsAtTheFirstPositionAndWidens)
{
    Coord_Extent e = Update_Extent(std::nullopt, 116.5, 40.0);
    EXPECT_EQ(e.X_Min, 116.5);
    EXPECT_EQ(e.X_Max, 116.5);
    EXPECT_EQ(e.Y_Min, 40.0);
    EXPECT_EQ(e.Y_Max, 40.0);
    e = Update_Extent(e, 116.0, 40.5);
    e = Update_Extent(e, 117.0, 39.5);
    EXPECT_EQ(e.X_Min, 116.0);
    EXPECT_EQ(e.X_Max, 117.0);
    EXPECT_EQ(e.Y_Min, 39.5);
    EXPECT_EQ(e.Y_Max, 40.5);
}

} // namespace
