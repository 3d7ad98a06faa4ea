#include "registration/navigation/RegistrationFilter.h"

#include "shell/ProgramState.h"

namespace {

QString escapeLike(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_') out += u'\\';
        out += c;
    }
    return out;
}

// A LIKE condition on `column`: the text anywhere in it, or at its start.
void appendLike(SqlPart& part, const QString& column, const QString& text, bool anywhere)
{
    part.sql += QStringLiteral(" AND ") + column + QStringLiteral(" LIKE ? ESCAPE '\\'");
    part.values << (anywhere ? QStringLiteral("%") : QString()) + escapeLike(text) + QStringLiteral("%");
}

// A mineral code is compared as a number when it reads as one.
QVariant mineralValue(const QString& code)
{
    bool ok = false;
    const qlonglong n = code.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(code);
}

} // namespace

void RegistrationFilter::appendConditions(SqlPart& part, const QString& prefix) const
{
    const QString y = year.trimmed();
    if (!y.isEmpty()) {
        // Characters 8 and 9 of the number are the year's last two digits; text
        // against text.
        part.sql += QStringLiteral(" AND substr(") + prefix + QStringLiteral("登记号,8,2)=?");
        part.values << y.mid(2);
    }
    const struct
    {
        const QString& text;
        const char16_t* column;
        bool anywhere;
    } likes[] = {
        {number, u"登记号", true},          {holder, u"矿业权人", true},
        {areaName, u"矿区名称", true},      {projectName, u"建设项目名称", true},
        {regionCode, u"行政区代码", false}, {areaNumber, u"矿区编号", true},
    };
    for (const auto& l : likes) {
        const QString t = l.text.trimmed();
        if (!t.isEmpty()) appendLike(part, prefix + QString::fromUtf16(l.column), t, l.anywhere);
    }
}

SqlPart RegistrationFilter::conditions() const
{
    SqlPart part;
    appendConditions(part, QString());
    return part;
}

SqlPart RegistrationFilter::joinedConditions() const
{
    SqlPart part;
    if (!hasMineral()) return part;
    part.sql = QStringLiteral(" AND 资源储量.矿产代码 = ?");
    part.values << mineralValue(mineralCode.trimmed());
    appendConditions(part, QStringLiteral("压覆."));
    return part;
}

SqlPart RegistrationFilter::listStatement() const
{
    SqlPart part;
    if (!hasMineral()) return part;
    const SqlPart joined = joinedConditions();
    part.sql =
        QStringLiteral(
            "SELECT DISTINCT 压覆.登记号 FROM 压覆 LEFT JOIN 资源储量 ON 压覆.登记号 = 资源储量.登记号 "
            "WHERE 1=1") +
        joined.sql;
    part.values = joined.values;
    return part;
}

QueryFilter& Query_Filter()
{
    return state().Query_Filter;
}
