#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Twips {

namespace {
double screenDpiX()
{
    if (auto* s = QGuiApplication::primaryScreen()) return s->logicalDotsPerInchX();
    return 96.0;
}
double screenDpiY()
{
    if (auto* s = QGuiApplication::primaryScreen()) return s->logicalDotsPerInchY();
    return 96.0;
}
} // namespace

double scaleX(const QPaintDevice* device)
{
    return (device ? device->logicalDpiX() : screenDpiX()) / double(perInch);
}

double scaleY(const QPaintDevice* device)
{
    return (device ? device->logicalDpiY() : screenDpiY()) / double(perInch);
}

int toPixelsX(double twips, const QPaintDevice* device)
{
    return int(std::lround(twips * scaleX(device)));
}

int toPixelsY(double twips, const QPaintDevice* device)
{
    return int(std::lround(twips * scaleY(device)));
}

double fromPixelsX(int pixels, const QPaintDevice* device)
{
    return pixels / scaleX(device);
}

double fromPixelsY(int pixels, const QPaintDevice* device)
{
    return pixels / scaleY(device);
}

QRect toPixels(double left, double top, double width, double height, const QPaintDevice* device)
{
    const int x = toPixelsX(left, device);
    const int y = toPixelsY(top, device);
    return QRect(x, y, toPixelsX(left + width, device) - x, toPixelsY(top + height, device) - y);
}

} // namespace Twips
