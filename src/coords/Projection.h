#pragma once

#include "shell/ProgramState.h"

#include <QString>

#include <optional>

class QWidget;

namespace KCUTIL {

// A geographic position in decimal degrees.
struct GeoPoint
{
    double longitude = 0.0;
    double latitude = 0.0;
};

// Packed degrees-minutes-seconds text DDD.MMSS to decimal degrees. Digits after the
// fourth behind the point are ignored, missing ones count as zeros on the right
// ("116.3" is 116 degrees 30 minutes); without a point the text is whole degrees;
// the empty text gives 0. Minutes and seconds are not tested against 60. A minus sign
// makes the whole angle negative ("-116.3" is -116.5).
double DMS_Text_To_Degree(const QString& text);

// The number a coordinate cell holds: plain decimal notation (sign, digits, at most
// one point), blanks around it allowed. An exponent, "inf", "nan" or anything else
// makes it no number. The check before saving and the writer of the stored text
// both read cells through this.
bool Read_Coord_Cell(const QString& text, double* value);

// Plane Gauss-Krueger coordinates (X northing, Y easting with the zone number in
// front, metres) to longitude and latitude on the Krasovsky 1940 ellipsoid.
// A point with X and Y both below 360 is geographic already and comes back as it
// is. Y decides the zone: above 11000000 and below 24000000 a 6-degree zone, from
// 24000000 to below 48000000 a 3-degree zone, above 48000000 a zone whose central
// meridian is 1.5 x (whole millions + 1), up to a two-digit zone number (below
// 100000000). Any other Y lies in no zone: the result is
// empty and nothing is shown; the caller reports it (Coord_System_Error_Text).
std::optional<GeoPoint> Convert_Coord(double X, double Y);

// "错误坐标系统:" + X + "|" + Y, the report of a point that lies in no zone (the
// entry window shows it, see EntryRecord).
QString Coord_System_Error_Text(double X, double Y);

// The extent `extent` widened to hold the position; with no extent yet the
// position's own (empty) extent.
Coord_Extent Update_Extent(const std::optional<Coord_Extent>& extent, double longitude, double latitude);

} // namespace KCUTIL
