#pragma once

#include <QString>

// The answer of the outside data-check component: the file checkinfodjk.xml in the
// program folder. Layout (elements only, attributes are not read):
//   <DataSoures>
//     <DataSoure> <systype>DJK</systype> <nd/> <djh/> <kqbh/> <ssksbh/> <ksbh/>
//                 <fieldname/> <tablename/> </DataSoure> ...
//   </DataSoures>
// Only sources whose systype is exactly "DJK" are meant for this system; the last
// of them wins.
struct CheckInfo
{
    int nd = 0;
    QString djh;
    QString kqbh;
    QString ssksbh;
    QString ksbh;
    QString fieldname;
    QString tablename;

    bool operator==(const CheckInfo&) const = default;
};

namespace CheckInfoFile {

inline const QString kFileName = QStringLiteral("checkinfodjk.xml");

enum class Result {
    Read,    // a DJK source was read into the info
    NoMatch, // a well-formed answer without a DJK source; the info is unchanged
    Failed   // missing, unreadable or malformed; the info is unchanged
};

// Reads the answer file at `path`. The info changes only when the whole file could
// be read. A file over 1 MB or nested deeper than the layout above is refused.
Result read(const QString& path, CheckInfo* info, QString* why = nullptr);

} // namespace CheckInfoFile
