#pragma once

#include "platform/Database.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

// One registration as the entry window shows it, read from its one-row tables 登记,
// 压覆, 报告 and 坐标 and turned into the texts of the boxes: every column's display
// text by (table, column), stored dates split into year, month and day, the
// telephone number split into area code and number, and both coordinate texts in the
// line form the coordinate grids load.
struct RegistrationSnapshot
{
    struct DateParts
    {
        QString year, month, day;
        bool operator==(const DateParts&) const = default;
    };

    // The tables read, in reading order.
    static const QStringList& tables();
    // The date columns of a table (stored as year 年 month 月 day 日 texts).
    static QStringList dateColumns(const QString& table);

    QString djh;
    // Which tables have a row for the number. Without a 登记 row nothing else is read.
    QHash<QString, bool> found;
    Db::Error error; // the first failure met; what was read before it is kept

    bool has(const QString& table) const { return found.value(table); }

    // Display text of a column (Null shows empty, numbers as their text); the empty
    // text for a column or table that was not read.
    QString text(const QString& table, const QString& column) const;
    // A column's value as stored (Null included); invalid for a column or table that
    // was not read.
    QVariant value(const QString& table, const QString& column) const;
    // The three boxes of a date column: the parts of the stored text, all empty for a
    // Null or empty date.
    DateParts date(const QString& table, const QString& column) const;
    // A date column's text as stored, whatever its form; empty for Null.
    QString storedDate(const QString& table, const QString& column) const;

    // 压覆.电话号码 split at its first "-": the area code before it, the rest after it.
    // A number without "-" goes whole into the number part. `phone` is the text as stored.
    QString phone, phoneArea, phoneNumber;

    // 坐标.矿权坐标 and 坐标.计算坐标 in line form; empty for a Null or unreadable text.
    QString areaLines, calcLines;
    // A damaged stored text reads as no lines; it is kept to be written back as it is.
    bool areaDamaged = false, calcDamaged = false;
    QString areaStored, calcStored;

    // Reads registration `djh`.
    static RegistrationSnapshot read(const QSqlDatabase& db, const QString& djh);

private:
    QHash<QString, QHash<QString, QString>> m_text;
    QHash<QString, QHash<QString, QVariant>> m_values;
    QHash<QString, QHash<QString, DateParts>> m_dates;
    QHash<QString, QHash<QString, QString>> m_storedDates;
};
