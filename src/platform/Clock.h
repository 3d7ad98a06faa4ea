#pragma once

#include <QDate>
#include <QDateTime>

// Today's date and the time, which tests can fix.
class Clock
{
public:
    static QDate today();
    static QDateTime now();
    static void setFixed(const QDateTime& when);
    static void reset();
};
