#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The content of an XML exchange file, as the conversion library reads and writes
// it (FORMAT.md beside this file describes the file itself).
//
// A value is a QVariant holding exactly what the database column holds: an
// invalid QVariant for Null, a QString for text (empty text is a non-null empty
// string), a qlonglong for an integer, a double for a real and a QByteArray for a
// blob. Nothing else is a value.
namespace tabxfer {

struct ExchangeRow
{
    QStringList columns; // in the order the row gives them
    QVariantList values; // one per column
};

struct ExchangeTable
{
    QString name;
    QList<ExchangeRow> rows;
};

struct ExchangeRegistration
{
    QString number;
    QList<ExchangeTable> tables;
};

struct ExchangeDocument
{
    QString system;   // the system-type code, "DJK" for this system
    QString database; // the database type, "MDB"
    QString header;   // the header record the exporting program handed over
    QList<ExchangeRegistration> registrations;
};

// The format version this library writes and reads.
inline constexpr int kFormatVersion = 1;

} // namespace tabxfer
