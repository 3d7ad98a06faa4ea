#pragma once

#include "registration/navigation/NavigationFixture.h"

#include <QList>

// The navigation fixture with overlay registrations that carry their reserve minerals.
class QueryFixture : public NavigationFixture
{
protected:
    // Rows in 登记 and 压覆, and one reserve row per mineral.
    void addOverlay(const QString& djh, int region, const QString& areaName, const QString& holder,
                    const QList<int>& minerals = {})
    {
        addRegistration(
            {djh, region, QString::number(region) + QStringLiteral("001"), areaName, 1, QVariant(), holder});
        for (int mineral : minerals)
            addReserve(djh, mineral);
    }
};
