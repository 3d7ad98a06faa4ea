#include "registration/record/RegistrationSnapshot.h"

#include "registration/form/FieldRegistry.h"

#include "coords/CoordText.h"
#include "platform/ColumnCatalog.h"
#include "shell/KCUTIL_Dates.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlQuery>
#include <QSqlRecord>

const QStringList& RegistrationSnapshot::tables()
{
    static const QStringList t = {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"),
                                  QStringLiteral("坐标")};
    return t;
}

QStringList RegistrationSnapshot::dateColumns(const QString& table)
{
    // The columns the form enters as year, month and day.
    QStringList out;
    for (const QString& column : FieldRegistry::columns(table))
        if (FieldRegistry::isDateColumn(table, column)) out << column;
    return out;
}

QString RegistrationSnapshot::text(const QString& table, const QString& column) const
{
    return m_text.value(table).value(column);
}

QVariant RegistrationSnapshot::value(const QString& table, const QString& column) const
{
    return m_values.value(table).value(column);
}

RegistrationSnapshot::DateParts RegistrationSnapshot::date(const QString& table, const QString& column) const
{
    return m_dates.value(table).value(column);
}

QString RegistrationSnapshot::storedDate(const QString& table, const QString& column) const
{
    return m_storedDates.value(table).value(column);
}

RegistrationSnapshot RegistrationSnapshot::read(const QSqlDatabase& db, const QString& djh)
{
    RegistrationSnapshot s;
    s.djh = djh;
    for (const QString& table : tables()) {
        // Table names come from the fixed list above.
        auto q = Db::exec(db, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 登记号 = ?"),
                          {djh}, &s.error);
        if (!q) break;
        const bool has = q->next();
        if (!Db::finished(*q, &s.error)) break;
        s.found.insert(table, has);
        if (!has) {
            if (table == QStringLiteral("登记")) break; // nothing further is read
            continue;
        }
        const QSqlRecord rec = q->record();
        QHash<QString, int> types;
        for (const Db::Column& c : Db::columns(db, table))
            types.insert(c.name, c.typeCode);
        QHash<QString, QString>& texts = s.m_text[table];
        QHash<QString, QVariant>& values = s.m_values[table];
        for (int i = 0; i < rec.count(); ++i) {
            const QString column = rec.fieldName(i);
            texts.insert(column, KCUTIL::Get_Field_Text(types.value(column, Db::TypeVarWChar), q->value(i)));
            values.insert(column, q->value(i));
        }
        for (const QString& column : dateColumns(table)) {
            const QString stored = KCUTIL::Get_Field_Str({q->value(column), Db::TypeVarWChar});
            DateParts parts;
            if (!stored.isEmpty()) {
                parts = {KCUTIL::Get_Date_Part(stored, QStringLiteral("年")),
                         KCUTIL::Get_Date_Part(stored, QStringLiteral("月")),
                         KCUTIL::Get_Date_Part(stored, QStringLiteral("日"))};
            }
            s.m_dates[table].insert(column, parts);
            s.m_storedDates[table].insert(column, stored);
        }
        if (table == QStringLiteral("压覆")) {
            const QString phone =
                KCUTIL::Get_Field_Str({q->value(QStringLiteral("电话号码")), Db::TypeVarWChar});
            s.phone = phone;
            const qsizetype dash = phone.indexOf(u'-');
            if (dash >= 0) {
                s.phoneArea = phone.left(dash);
                s.phoneNumber = phone.mid(dash + 1);
            } else {
                s.phoneNumber = phone;
            }
        } else if (table == QStringLiteral("坐标")) {
            const QVariant area = q->value(QStringLiteral("矿权坐标"));
            const QVariant calc = q->value(QStringLiteral("计算坐标"));
            s.areaLines =
                area.isNull() ? QString() : KCUTIL::Coord_Str_To_Lines(area.toString(), &s.areaDamaged);
            s.calcLines =
                calc.isNull() ? QString() : KCUTIL::Coord_Str_To_Lines(calc.toString(), &s.calcDamaged);
            s.areaStored = area.isNull() ? QString() : area.toString();
            s.calcStored = calc.isNull() ? QString() : calc.toString();
        }
    }
    return s;
}
