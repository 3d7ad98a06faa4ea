#include "XmlDefaultPath.h"

#include "platform/Clock.h"
#include "shell/KCUTIL_Dates.h"
#include "shell/KCUTIL_Paths.h"

QString defaultXmlPath(const QString& programDir)
{
    const QDate today = Clock::today();
    const QString date = KCUTIL::Date_To_Chinese(
        QString::number(today.year()), QString::number(today.month()), QString::number(today.day()));
    return KCUTIL::joinPath(programDir, date + QStringLiteral(".xml"));
}
