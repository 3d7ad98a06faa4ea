#include "CodeDictionary.h"

#include <QSqlRecord>

namespace CodeDictionary {

const QStringList& tableNames()
{
    static const QStringList names{QStringLiteral("cb01"), QStringLiteral("cb02"), QStringLiteral("cb03"),
                                   QStringLiteral("cb04"), QStringLiteral("cb05"), QStringLiteral("cb06"),
                                   QStringLiteral("cb08"), QStringLiteral("cb09"), QStringLiteral("cb13")};
    return names;
}

bool read(const QSqlDatabase& db, const QString& table, Table* out, Db::Error* error)
{
    *out = Table{};
    if (!tableNames().contains(table)) {
        if (error)
            *error =
                Db::Error{-1, QStringLiteral("CodeDictionary"), QStringLiteral("不是数据词表：") + table};
        return false;
    }
    // The name comes from the fixed list above.
    auto q = Db::exec(db, QStringLiteral("select * from ") + table, {}, error);
    if (!q) return false;
    const QSqlRecord rec = q->record();
    for (int c = 0; c < rec.count(); ++c)
        out->columns << rec.fieldName(c);
    while (q->next()) {
        QStringList row;
        row.reserve(rec.count());
        for (int c = 0; c < rec.count(); ++c) {
            const QVariant v = q->value(c);
            row << (v.isNull() ? QString() : v.toString());
        }
        out->rows << row;
    }
    if (!Db::finished(*q, error)) return false;
    return true;
}

QString failureText(const QString& table, const Db::Error& error)
{
    return QStringLiteral("数据词表") + table + QStringLiteral("无法读取：") + error.description;
}

} // namespace CodeDictionary
