#pragma once

#include <QString>

// The XML file an export proposes: the program folder, today's date as
// "YYYY年M月D日" and ".xml".
QString defaultXmlPath(const QString& programDir);
