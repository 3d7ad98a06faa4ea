#pragma once

#include "platform/Database.h"

#include <QString>

// What the writer and the reader of the exchange file share: which characters a
// text value carries as they are, the spelling of numbers, and the failures both
// report.
namespace tabxfer {

// Element and attribute names of the file.
namespace Tag {
inline const QString Root = QStringLiteral("registration-exchange");
inline const QString Header = QStringLiteral("header");
inline const QString Registration = QStringLiteral("registration");
inline const QString Table = QStringLiteral("table");
inline const QString Row = QStringLiteral("row");
inline const QString Null = QStringLiteral("null");
inline const QString Text = QStringLiteral("text");
inline const QString Integer = QStringLiteral("integer");
inline const QString Real = QStringLiteral("real");
inline const QString Blob = QStringLiteral("blob");
inline const QString Char = QStringLiteral("char");
inline const QString Format = QStringLiteral("format");
inline const QString System = QStringLiteral("system");
inline const QString Database = QStringLiteral("database");
inline const QString Number = QStringLiteral("number");
inline const QString Name = QStringLiteral("name");
inline const QString Column = QStringLiteral("col");
inline const QString Code = QStringLiteral("code");
} // namespace Tag

// A UTF-16 code unit that XML 1.0 carries unchanged in element content: tab, line
// feed and the characters from U+0020 on, except surrogates (checked in pairs by
// the caller), U+FFFE and U+FFFF. Carriage return is not among them: XML readers
// turn it into a line feed.
inline bool isPlainContentUnit(char16_t u)
{
    return u == 0x9 || u == 0xA || (u >= 0x20 && u <= 0xD7FF) || (u >= 0xE000 && u <= 0xFFFD);
}

// True when `text` can stand in an attribute and read back unchanged: plain
// content units or surrogate pairs only, and no tab or line feed (attribute values
// are normalised by XML readers).
bool isAttributeSafe(const QString& text);

// The shortest decimal spelling of `value` that reads back to the same double;
// "INF" and "-INF" for the infinities.
QString realText(double value);
// Reads a spelling realText writes (or any plain decimal number); false for
// anything else, NaN and overflow included.
bool parseReal(const QString& text, double* value);
// Reads an optional minus sign and decimal digits that fit a 64-bit integer.
bool parseInteger(const QString& text, qlonglong* value);

// A failure of the conversion library, with its Chinese description.
Db::Error failure(const QString& description);
// A failure because the file is no valid exchange file of this system (its
// syntax, its encoding, its system, rows that contradict it), as against a valid
// file that the database refuses.
Db::Error invalidFile(const QString& description);
bool isInvalidFile(const Db::Error& error);

} // namespace tabxfer
