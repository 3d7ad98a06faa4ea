#include "Projection.h"

#include "platform/TextNumber.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace KCUTIL {

namespace {

// Krasovsky 1940 and the constants the registration offices compute with. Pi is
// deliberately the truncated value; the published coordinates were made with it.
constexpr double A = 6378245.0;
constexpr double E2 = 0.00669342162296594;
constexpr double EP2 = 0.00673852541468348;
constexpr double FootpointDivisor = 6335552.717; // a(1 - e^2), to the millimetre
constexpr double Rho = 206264.806247096;         // arc-seconds per radian
constexpr double Pi = 3.141592653;

QString numberText(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace

double DMS_Text_To_Degree(const QString& text)
{
    if (text.isEmpty()) return 0.0;
    // The sign belongs to the whole angle, not to the degrees alone.
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('-'))) return -DMS_Text_To_Degree(trimmed.mid(1));
    const qsizetype p = text.indexOf(QLatin1Char('.'));
    if (p < 0) return TextNumber::leading(text);
    QString s = text;
    const qsizetype after = s.size() - p - 1;
    if (after < 4) s.append(QString(4 - after, QLatin1Char('0')));
    const double degrees = TextNumber::leading(QStringView(s).left(p));
    const double minutes = TextNumber::leading(QStringView(s).mid(p + 1, 2));
    const double seconds = TextNumber::leading(QStringView(s).mid(p + 3, 2));
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

bool Read_Coord_Cell(const QString& text, double* value)
{
    static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!plain.match(t).hasMatch()) return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

std::optional<GeoPoint> Convert_Coord(double X, double Y)
{
    if (X < 360.0 && Y < 360.0) return GeoPoint{X, Y};

    double n = 0.0;
    double L0 = 0.0;
    if (Y > 11000000.0 && Y < 24000000.0) {
        n = std::floor(Y / 1000000.0); // the first two digits of an 8-digit easting
        L0 = 6.0 * n - 3.0;
    } else if (Y >= 24000000.0 && Y < 48000000.0) {
        n = std::floor(Y / 1000000.0);
        L0 = 3.0 * n;
    } else if (Y > 48000000.0 && Y < 100000000.0) {
        n = std::floor(std::nearbyint(Y) / 1000000.0);
        L0 = 1.5 * (n + 1.0);
    } else {
        return std::nullopt;
    }
    const double y = Y - n * 1000000.0 - 500000.0;

    // Footpoint latitude. The series is summed left to right with the 13th-power
    // term last, as the reference computation does.
    const double b = X / FootpointDivisor;
    const double b2 = b * b;
    const double b3 = b * b2, b5 = b3 * b2, b7 = b5 * b2, b9 = b7 * b2, b11 = b9 * b2, b13 = b11 * b2;
    const double b15 = b13 * b2, b17 = b15 * b2, b19 = b17 * b2, b21 = b19 * b2, b23 = b21 * b2;
    double Bf = b - 3.3467108148e-3 * b3 + 6.8614287218e-4 * b5 - 7.3761003681e-5 * b7 + 6.15383114e-6 * b9 -
                5.5763469681e-7 * b11 - 5.81279726e-9 * b15 + 6.0042761e-10 * b17 - 6.321107e-11 * b19 +
                6.75505e-12 * b21 - 7.2833e-13 * b23;
    Bf = Bf + 5.654530509e-8 * b13;

    const double t = std::tan(Bf);
    const double cosB = std::cos(Bf);
    const double eta = std::sqrt(EP2) * cosB;
    const double eta2 = eta * eta;
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double sinB = std::sin(Bf);
    const double W = std::sqrt(1.0 - E2 * sinB * sinB);
    const double M = A * (1.0 - E2) / (W * W * W);
    const double N = A / W;

    const double y2 = y * y, y3 = y2 * y, y4 = y2 * y2, y5 = y4 * y, y6 = y4 * y2;
    const double N3 = N * N * N, N5 = N3 * N * N;
    const double corrections = -(Rho * t * y2 / (2.0 * M * N)) +
                               Rho * t * y4 * (5.0 + 3.0 * t2 + eta2 - 9.0 * eta2 * t2) / (24.0 * M * N3) -
                               Rho * t * y6 * (61.0 + 90.0 * t2 + 45.0 * t4) / (720.0 * M * N5);
    const double B = Bf * 3600.0 * 180.0 / Pi + corrections;

    const double l =
        Rho * y / (N * cosB) - Rho * y3 * (1.0 + 2.0 * t2 + eta2) / (6.0 * N3 * cosB) +
        Rho * y5 * (5.0 + 28.0 * t2 + 24.0 * t4 + 6.0 * eta2 + 8.0 * eta2 * t2) / (120.0 * N5 * cosB);

    return GeoPoint{(L0 * 3600.0 + l) / 3600.0, B / 3600.0};
}

QString Coord_System_Error_Text(double X, double Y)
{
    return QStringLiteral("错误坐标系统:") + numberText(X) + QLatin1Char('|') + numberText(Y);
}

Coord_Extent Update_Extent(const std::optional<Coord_Extent>& extent, double longitude, double latitude)
{
    if (!extent) return Coord_Extent{longitude, longitude, latitude, latitude};
    Coord_Extent e = *extent;
    e.X_Min = std::min(e.X_Min, longitude);
    e.X_Max = std::max(e.X_Max, longitude);
    e.Y_Min = std::min(e.Y_Min, latitude);
    e.Y_Max = std::max(e.Y_Max, latitude);
    return e;
}

} // namespace KCUTIL
