#include "RegionCodeReplacement.h"

#include "RegionSelection.h"
#include "exchange/TableCopier.h"

namespace regions {

namespace {

const QString kSource = QStringLiteral("DataModification");

bool sixDigits(const QString& code)
{
    if (code.size() != 6) return false;
    for (const QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

Result<int> countRows(const QSqlDatabase& db, const QString& table, const QString& column,
                      const QString& code)
{
    Db::Error error;
    const QVariant n = Db::scalar(db,
                                  QStringLiteral("SELECT count(*) FROM ") + Db::quotedName(table) +
                                      QStringLiteral(" WHERE ") + column + QStringLiteral("=?"),
                                  {code.toLongLong()}, &error);
    if (error.isSet()) return error;
    return n.toInt() >= 1 ? 1 : -1;
}

} // namespace

Result<int> Code_In_Dictionary(const QSqlDatabase& db, const QString& code)
{
    return countRows(db, QStringLiteral("cb08"), QStringLiteral("DM"), code);
}

Result<int> Code_In_Kind_Tables(const QSqlDatabase& db, const QString& code, bool allKinds)
{
    Result<int> found = -1;
    for (const QString& kind : kindTables(allKinds)) {
        const auto n = countRows(db, kind, QStringLiteral("行政区代码"), code);
        if (!n) return n;
        if (*n == 1) found = 1;
    }
    return found;
}

QString Check_Region_Code(const QSqlDatabase& db, const QString& code, CodeRole role, bool allKinds,
                          QList<Db::Error>* queryErrors)
{
    const QString c = code.trimmed();
    if (c.isEmpty()) return QStringLiteral("替换的内容不能为空！");
    // Text that was pasted past the key filter counts as a wrong length.
    if (!sixDigits(c)) return QStringLiteral("行政区代码为6位有效数字！");
    auto found = [&](const Result<int>& r) {
        if (!r && queryErrors) queryErrors->append(r.error());
        return r && *r == 1;
    };
    if (role == CodeRole::New) {
        if (c.startsWith(QLatin1Char('0'))) return QStringLiteral("行政区代码首位不能为零！");
        if (c.endsWith(QLatin1Char('0'))) return QStringLiteral("必须填写县级行政区代码！");
        if (!found(Code_In_Dictionary(db, c))) return QStringLiteral("行政区词表中不存在此行政区代码！");
    } else if (!found(Code_In_Kind_Tables(db, c, allKinds))) {
        return QStringLiteral("登记表表中不存在此行政区代码！");
    }
    return QString();
}

InputCheck Check_Input(const QSqlDatabase& db, const QString& oldCode, const QString& newCode, bool allKinds)
{
    InputCheck check;
    check.refusal = Check_Region_Code(db, oldCode, CodeRole::Old, allKinds, &check.queryErrors);
    if (!check.refusal.isEmpty()) return check;
    check.box = CodeRole::New;
    check.refusal = Check_Region_Code(db, newCode, CodeRole::New, allKinds, &check.queryErrors);
    return check;
}

Result<int> Replace_Region_Code(const QSqlDatabase& db, const QString& newCode, const QString& oldCode,
                                bool allKinds)
{
    if (!sixDigits(newCode) || !sixDigits(oldCode))
        return Db::Error{-1, kSource, QStringLiteral("行政区代码为6位有效数字！")};
    Db::TransactionGuard transaction(db);
    if (!transaction.started()) return transaction.beginError(kSource);
    Db::Error error;
    int rows = 0;
    for (const QString& kind : kindTables(allKinds)) {
        auto q = Db::exec(db,
                          QStringLiteral("UPDATE ") + Db::quotedName(kind) +
                              QStringLiteral(" SET 行政区代码=? WHERE 行政区代码=?"),
                          {newCode.toLongLong(), oldCode.toLongLong()}, &error);
        if (!q) return error;
        rows += q->numRowsAffected();
    }
    if (!transaction.commit(&error)) return error;
    return rows;
}

} // namespace regions
