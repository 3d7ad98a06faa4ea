#include "EditorSql.h"

#include "shell/KCUTIL_Fields.h"

#include <QSqlError>

namespace editors::EditorSql {

QString text(const QVariant& value)
{
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{value, Db::TypeVarWChar});
}

std::optional<Db::Error> readError(const QSqlQuery& query, const QString& source)
{
    if (query.lastError().isValid()) return Db::errorOf(query.lastError(), source);
    return std::nullopt;
}

} // namespace editors::EditorSql
