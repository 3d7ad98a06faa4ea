#include "EditorSql.h"

#include "shell/KCUTIL_Fields.h"

#include <QSqlError>

namespace editors::EditorSql {

QString text(const QVariant& value)
{
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{value, Db::TypeVarWChar});
}

QString ownReserveRowsOf(const QString& djh, int mineral, int object, int type, int grade,
                         QVariantList* values)
{
    *values = {djh, mineral, object, type, grade};
    return QStringLiteral(
               " where 登记号=? and 矿产代码=? and 统计对象=? and 矿石类型=? and 矿石品级=? and ") +
           OwnReserveRows;
}

std::optional<Db::Error> readError(const QSqlQuery& query, const QString& source)
{
    if (query.lastError().isValid()) return Db::errorOf(query.lastError(), source);
    return std::nullopt;
}

} // namespace editors::EditorSql
