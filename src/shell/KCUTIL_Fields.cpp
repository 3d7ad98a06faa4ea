#include "KCUTIL_Fields.h"

#include "myvbs.h"
#include "platform/TextNumber.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <charconv>
#include <cmath>

namespace KCUTIL {

namespace {

bool isTextCode(int code)
{
    return code == 129 || code == 130 || code == 200 || code == 202;
}

bool isLongTextCode(int code)
{
    return code == 201 || code == 203;
}

// A long text is read through its actual size: Null and "" have none.
bool hasNoSize(const QVariant& v)
{
    if (v.isNull()) return true;
    if (v.typeId() == QMetaType::QByteArray) return v.toByteArray().isEmpty();
    return v.toString().isEmpty();
}

QString dateText(const QDate& d)
{
    return QStringLiteral("%1/%2/%3").arg(d.year(), 4, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
}

// Plain decimal form, never an exponent: 5e-05 reads "0.00005" and 1.5e15
// "1500000000000000". Fifteen significant digits drop the noise of binary
// fractions (0.1 + 0.2 reads "0.3").
QString doubleText(double d)
{
    if (!std::isfinite(d)) return QString::number(d);
    if (d == std::floor(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
    const double rounded = QString::number(d, 'g', 15).toDouble();
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed);
    if (r.ec != std::errc()) return QString::number(d, 'g', 15);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

// The standard conversion of a value to text. Decimal points are "." and date
// parts are separated by "/", whatever the locale.
QString valueText(const QVariant& v, int typeCode)
{
    if (v.isNull()) return QString();
    if (v.typeId() == QMetaType::Bool || typeCode == Db::TypeBoolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return doubleText(v.toDouble());
    case QMetaType::QDate: return dateText(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        QString t = dateText(dt.date());
        if (dt.time() != QTime(0, 0)) t += QLatin1Char(' ') + dt.time().toString(QStringLiteral("H:mm:ss"));
        return t;
    }
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
    }
}

QVariant nullOf(QMetaType type)
{
    return QVariant(type);
}

// "0.####": at most four decimals, no trailing zeros and no bare point.
QString fourDecimals(double n)
{
    QString t = QString::number(n, 'f', 4);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    }
    if (t == QLatin1String("-0")) t = QStringLiteral("0");
    return t;
}

} // namespace

int Get_Field_Kind(int typeCode)
{
    switch (typeCode) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 14:
    case 20:
    case 131: return 1;
    case 7:
    case 133:
    case 134:
    case 135: return 2;
    case 201:
    case 203: return 3;
    default: return 0;
    }
}

QString Get_Field_Str(const FieldValue& field)
{
    if (isLongTextCode(field.typeCode)) return hasNoSize(field.value) ? QString() : valueText(field.value, 0);
    return valueText(field.value, field.typeCode);
}

QString Get_Field_Text(int typeCode, const QVariant& value)
{
    switch (Get_Field_Kind(typeCode)) {
    case 1: {
        if (value.isNull()) return QString();
        QString t = valueText(value, typeCode);
        if (t.startsWith(QLatin1Char('.'))) t.prepend(QLatin1Char('0'));
        return t;
    }
    case 2: {
        if (value.isNull()) return QString();
        const QDate d = myvbs::Valid_Date(Get_Field_Str(FieldValue{value, typeCode}));
        return d.isValid() ? dateText(d) : QString();
    }
    case 3: return hasNoSize(value) ? QString() : valueText(value, 0);
    default:
        if (!isTextCode(typeCode) || value.isNull()) return QString();
        return valueText(value, typeCode);
    }
}

QString Get_Field_NumStr(const FieldValue& field)
{
    QString t;
    if (isLongTextCode(field.typeCode)) {
        t = hasNoSize(field.value) ? QString() : valueText(field.value, 0);
    } else if (!field.value.isNull()) {
        const double n = TextNumber::leading(valueText(field.value, field.typeCode));
        t = n == 0.0 ? QString() : fourDecimals(n);
    }
    if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    if (t == QLatin1String("0")) t.clear();
    return t;
}

QString Get_Field_Num(const FieldValue& field)
{
    if (isLongTextCode(field.typeCode)) return hasNoSize(field.value) ? QString() : valueText(field.value, 0);
    if (field.value.isNull()) return QString();
    const QString t = valueText(field.value, field.typeCode);
    if (TextNumber::leading(t) == 0.0) return QStringLiteral("0");
    return t;
}

QVariant Text_To_Value(int typeCode, const QString& text)
{
    switch (Get_Field_Kind(typeCode)) {
    case 1:
        if (text.isEmpty()) return nullOf(QMetaType::fromType<double>());
        return QVariant(TextNumber::leading(text));
    case 2: {
        const QDate d = myvbs::Valid_Date(text);
        return d.isValid() ? QVariant(d) : nullOf(QMetaType::fromType<QDate>());
    }
    default:
        if (isTextCode(typeCode) || isLongTextCode(typeCode)) return QVariant(text);
        return QVariant();
    }
}

int Get_Record_Count(QSqlQuery& query)
{
    // Counted on a second run of the same statement, so that the caller's query,
    // forward-only or not, keeps its current row.
    if (!query.isActive() || !query.isSelect() || !query.driver()) return -1;
    QSqlQuery copy(query.driver()->createResult());
    copy.setForwardOnly(true);
    if (!copy.prepare(query.lastQuery())) return -1;
    const QVariantList values = query.boundValues();
    for (int i = 0; i < values.size(); ++i) copy.bindValue(i, values.at(i));
    if (!copy.exec()) return -1;
    int count = 0;
    while (copy.next()) ++count;
    if (copy.lastError().isValid()) return -1;
    return count;
}

bool Get_Field_Index(const QString& name, const QSqlRecord& record)
{
    const QString wanted = name.toUpper();
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).toUpper() == wanted) return true;
    return false;
}

} // namespace KCUTIL
