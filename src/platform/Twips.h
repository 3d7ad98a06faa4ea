#pragma once

#include <QPaintDevice>
#include <QRect>

// Lengths of the forms and windows are kept in twips (1/1440 inch) as the program
// has always measured them; one place turns them into device pixels.
namespace Twips {

constexpr int perInch = 1440;

// Pixels per twip of a device (logical DPI); screen when `device` is null.
double scaleX(const QPaintDevice* device = nullptr);
double scaleY(const QPaintDevice* device = nullptr);

int toPixelsX(double twips, const QPaintDevice* device = nullptr);
int toPixelsY(double twips, const QPaintDevice* device = nullptr);
double fromPixelsX(int pixels, const QPaintDevice* device = nullptr);
double fromPixelsY(int pixels, const QPaintDevice* device = nullptr);
QRect toPixels(double left, double top, double width, double height, const QPaintDevice* device = nullptr);

} // namespace Twips
