#include "Clock.h"

namespace {
QDateTime& fixedTime()
{
    static QDateTime t;
    return t;
}
} // namespace

QDate Clock::today()
{
    return now().date();
}

QDateTime Clock::now()
{
    return fixedTime().isValid() ? fixedTime() : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& when)
{
    fixedTime() = when;
}

void Clock::reset()
{
    fixedTime() = QDateTime();
}
