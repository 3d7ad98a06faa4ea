#include "ColumnCatalog.h"

#include "Database.h"

#include <QRegularExpression>

namespace Db {

int typeCodeForDeclared(const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    if (t.isEmpty()) return TypeVarWChar;
    if (t.startsWith(QLatin1String("LONGTEXT")) || t == QLatin1String("MEMO") || t == QLatin1String("CLOB"))
        return TypeLongVarWChar;
    if (t.startsWith(QLatin1String("BOOL")) || t == QLatin1String("BIT")) return TypeBoolean;
    if (t == QLatin1String("SMALLINT") || t == QLatin1String("TINYINT")) return TypeSmallInt;
    if (t == QLatin1String("BIGINT")) return TypeBigInt;
    if (t.startsWith(QLatin1String("INT")) || t == QLatin1String("LONG")) return TypeInteger;
    if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("DOUBLE")) ||
        t.startsWith(QLatin1String("FLOAT")))
        return TypeDouble;
    if (t.startsWith(QLatin1String("SINGLE"))) return TypeSingle;
    if (t.startsWith(QLatin1String("NUMERIC")) || t.startsWith(QLatin1String("DECIMAL"))) return TypeNumeric;
    if (t.startsWith(QLatin1String("CURRENCY")) || t.startsWith(QLatin1String("MONEY"))) return TypeCurrency;
    if (t.startsWith(QLatin1String("DATETIME")) || t.startsWith(QLatin1String("TIMESTAMP")))
        return TypeDbTimeStamp;
    if (t.startsWith(QLatin1String("DATE"))) return TypeDate;
    if (t.startsWith(QLatin1String("BLOB")) || t.startsWith(QLatin1String("BINARY"))) return TypeBinary;
    return TypeVarWChar;
}

QList<Column> columns(const QSqlDatabase& db, const QString& table)
{
    QList<Column> result;
    // PRAGMA takes no bound parameters; the table-valued form does.
    auto q = exec(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"), {table});
    if (!q) return result;
    while (q->next()) {
        Column c;
        c.name = q->value(0).toString();
        c.declaredType = q->value(1).toString();
        c.typeCode = typeCodeForDeclared(c.declaredType);
        result << c;
    }
    if (!finished(*q)) return {};
    return result;
}

int columnTypeCode(const QSqlDatabase& db, const QString& table, const QString& column)
{
    for (const Column& c : columns(db, table))
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) return c.typeCode;
    return TypeVarWChar;
}

} // namespace Db
