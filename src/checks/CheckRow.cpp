#include "CheckRow.h"

#include "platform/ColumnCatalog.h"
#include "platform/TextNumber.h"

#include "shell/KCUTIL_Fields.h"

#include <limits>

namespace checks {

Truth operator&&(Truth a, Truth b)
{
    if (a == Truth::False || b == Truth::False) return Truth::False;
    if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
    return Truth::True;
}

Truth operator||(Truth a, Truth b)
{
    if (a == Truth::True || b == Truth::True) return Truth::True;
    if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
    return Truth::False;
}

namespace {

// The number a value stands for in a comparison; false for Null.
bool numberOf(const QVariant& v, double* n)
{
    if (!v.isValid() || v.isNull()) return false;
    switch (v.typeId()) {
    case QMetaType::Bool:
        *n = v.toBool() ? -1.0 : 0.0;
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        *n = v.toDouble();
        return true;
    default:
        break;
    }
    const QString text =
        v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
    if (!TextNumber::readWhole(text, n))
        *n = std::numeric_limits<double>::infinity();
    return true;
}

Truth compare(const QVariant& v, double bound, int wanted)
{
    double n = 0;
    if (!numberOf(v, &n)) return Truth::Unknown;
    const int order = n < bound ? -1 : (n > bound ? 1 : 0);
    return truthOf(order == wanted);
}

} // namespace

Truth lessThan(const QVariant& value, double bound)
{
    return compare(value, bound, -1);
}

Truth greaterThan(const QVariant& value, double bound)
{
    return compare(value, bound, 1);
}

Truth equalTo(const QVariant& value, double bound)
{
    return compare(value, bound, 0);
}

Truth outside(const QVariant& value, double low, double high)
{
    double n = 0;
    if (!numberOf(value, &n)) return Truth::Unknown;
    return truthOf(n < low || n > high);
}

Truth greaterThan(const QVariant& a, const QVariant& b)
{
    double y = 0;
    if (!numberOf(b, &y)) return Truth::Unknown;
    return greaterThan(a, y);
}

bool isTrue(const QVariant& value)
{
    if (!value.isValid() || value.isNull()) return false;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    double n = 0;
    return TextNumber::readWhole(text, &n) && n != 0.0;
}

CheckRow::CheckRow(const QStringList& names, const QList<int>& typeCodes) : m_names(names), m_types(typeCodes)
{
    while (m_types.size() < m_names.size())
        m_types << Db::TypeVarWChar;
}

void CheckRow::keepValues(const CheckRow& row, int count)
{
    if (m_rows || m_values.size() != count) {
        m_rows = nullptr;
        m_values.resize(count);
    }
    for (int i = 0; i < count; ++i)
        m_values[i] = row.value(i);
}

QList<int> CheckRow::placesOf(const QStringList& names) const
{
    QList<int> places;
    places.reserve(names.size());
    for (const QString& name : names)
        places << indexOf(name);
    return places;
}

QVariant CheckRow::value(int i) const
{
    if (i < 0 || i >= m_names.size()) return QVariant();
    if (m_rows) return m_rows->value(i);
    return m_values.value(i);
}

QString CheckRow::text(int i) const
{
    if (i < 0 || i >= m_names.size()) return QString();
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{value(i), m_types.at(i)});
}

bool CheckRow::isEmptyText(int i) const
{
    if (i < 0 || i >= m_names.size()) return true;
    if (m_rows) {
        switch (m_rows->kind(i)) {
        case Db::Rows::Kind::Null:
            return true;
        case Db::Rows::Kind::Integer:
        case Db::Rows::Kind::Real:
            return false;
        case Db::Rows::Kind::Text:
            // A Boolean column reads "True" or "False", whatever it holds.
            return m_types.at(i) != Db::TypeBoolean && m_rows->text(i).isEmpty();
        case Db::Rows::Kind::Blob:
            return m_types.at(i) != Db::TypeBoolean && m_rows->value(i).toByteArray().isEmpty();
        }
        return true;
    }
    if (i >= m_values.size()) return true;
    const QVariant& v = m_values.at(i);
    if (v.isNull()) return true;
    if (m_types.at(i) == Db::TypeBoolean) return false;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(v.constData())->isEmpty();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(v.constData())->isEmpty();
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return false;
    default:
        return text(i).isEmpty();
    }
}

QString CheckRow::emptyTextSql(const QString& quotedColumn, int typeCode)
{
    const QString empty = typeCode == Db::TypeBoolean ? QStringLiteral("%1 IS NULL")
                                                      : QStringLiteral("%1 IS NULL OR %1 = '' OR %1 = x''");
    return QStringLiteral("CASE WHEN ") + empty.arg(quotedColumn) + QStringLiteral(" THEN NULL ELSE 1 END");
}

} // namespace checks
