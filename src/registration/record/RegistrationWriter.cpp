#include "registration/record/RegistrationWriter.h"

#include "registration/form/FieldRegistry.h"

#include "platform/ColumnCatalog.h"
#include "shell/KCUTIL_Dates.h"
#include "shell/KCUTIL_Fields.h"

#include <QHash>
#include <QSqlError>

namespace KCUTIL {

namespace {

using Array = FormControl::Array;
using Part = FieldRegistry::Part;

const QString KeyColumn = QStringLiteral("登记号");

// Column values of one row, in the order of their first box; a later box of the same
// column replaces the value of an earlier one.
class RowValues
{
public:
    void set(const QString& column, const QVariant& value)
    {
        if (!m_values.contains(column)) m_order.append(column);
        m_values.insert(column, value);
    }
    const QStringList& columns() const { return m_order; }
    QVariant value(const QString& column) const { return m_values.value(column); }

private:
    QStringList m_order;
    QHash<QString, QVariant> m_values;
};

// An empty text that is stored as the empty text, not as Null.
QString storedText(const QString& text)
{
    return text.isNull() ? QString(0, QChar()) : text;
}

Db::Error failure(const QString& description)
{
    return Db::Error{-1, QStringLiteral("Save_Data_All"), description};
}

RowValues boxValues(const QSqlDatabase& db, const QString& table, Array array, const EntryValues& values)
{
    QHash<QString, int> types;
    for (const Db::Column& c : Db::columns(db, table))
        types.insert(c.name, c.typeCode);

    RowValues row;
    QString phoneArea, phoneNumber;
    int phoneAt = -1; // the area code's box
    for (int i = 0; i < values.count(array); ++i) {
        const QString column = FieldRegistry::column(array, i);
        if (column.isEmpty()) continue;
        const QString text = values.text(array, i);
        switch (FieldRegistry::partOf(array, i)) {
        case Part::Year:
            if (const EntryValues::Loaded::Split* d = values.unedited(array, i))
                row.set(column, d->stored);
            else
                row.set(column, storedText(Date_To_Chinese(text, values.text(array, i + 1),
                                                           values.text(array, i + 2))));
            break;
        case Part::Month:
        case Part::Day:
            break;
        case Part::AreaCode:
            phoneArea = text;
            phoneAt = i;
            break;
        case Part::Number:
            phoneNumber = text;
            break;
        case Part::Whole: {
            if (const EntryValues::Loaded::Split* d = values.unedited(array, i)) {
                row.set(column, d->stored);
                break;
            }
            // A column the table lacks goes in as text, so the statement reports it.
            const int type = types.value(column, Db::TypeVarWChar);
            const bool number = Get_Field_Kind(type) == 1;
            const QVariant v = Text_To_Value(type, number ? Plain_Number_Text(text) : text);
            if (!v.isValid()) break;
            row.set(column, v.typeId() == QMetaType::QString ? QVariant(storedText(v.toString())) : v);
            break;
        }
        }
    }
    if (phoneAt >= 0) {
        const EntryValues::Loaded::Split* loaded = values.unedited(array, phoneAt);
        row.set(QStringLiteral("电话号码"),
                loaded ? loaded->stored : QVariant(phoneArea + QLatin1Char('-') + phoneNumber));
    }
    return row;
}

// Rewrites the row of `curDjh` or inserts one; `inserted` tells which.
bool writeRow(const QSqlDatabase& db, const QString& table, const QString& curDjh, const QString& djh,
              RowValues row, bool* inserted, Db::Error* error)
{
    row.set(KeyColumn, djh);
    bool exists = false;
    if (!curDjh.isEmpty()) {
        auto q = Db::exec(
            db, QStringLiteral("SELECT 1 FROM %1 WHERE 登记号 = ? LIMIT 1").arg(Db::quotedName(table)),
            {curDjh}, error);
        if (!q) return false;
        exists = q->next();
        if (!Db::finished(*q, error)) return false;
    }
    QVariantList bound;
    for (const QString& c : row.columns())
        bound.append(row.value(c));
    QString sql;
    if (exists) {
        QStringList sets;
        for (const QString& c : row.columns())
            sets.append(Db::quotedName(c) + QStringLiteral(" = ?"));
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE 登记号 = ?")
                  .arg(Db::quotedName(table), sets.join(QStringLiteral(", ")));
        bound.append(curDjh);
    } else {
        QStringList names;
        for (const QString& c : row.columns())
            names.append(Db::quotedName(c));
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(Db::quotedName(table), names.join(QStringLiteral(", ")),
                       QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    }
    if (!Db::exec(db, sql, bound, error)) return false;
    if (inserted) *inserted = !exists;
    return true;
}

CoordTextResult coordText(CoordGrid* grid)
{
    if (!grid) return {};
    return Coord_Grid_To_Str(*grid);
}

} // namespace

QString No_Number_Message()
{
    return QStringLiteral("关键字【登记号】无数据！请设置行政区代码！");
}

QString Plain_Number_Text(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)
            c = QChar(u'0' + (u - 0xFF10));
        else if (u == 0xFF0E)
            c = QLatin1Char('.');
        else if (u == 0xFF0D)
            c = QLatin1Char('-');
        else if (u == 0xFF0B)
            c = QLatin1Char('+');
        else if (u == 0x3000)
            c = QLatin1Char(' ');
    }
    return out;
}

QString Not_Loaded_Message(const QString& djh)
{
    return QStringLiteral("登记号为") + djh +
           QStringLiteral("的登记没有载入窗口，不能改写。请重新选择登记。");
}

SaveOutcome Save_Registration(const QSqlDatabase& db, const QString& curDjh, EntryValues& values)
{
    SaveOutcome out;
    const QString djh = values.djh();
    if (djh.isEmpty()) {
        out.status = SaveOutcome::Status::NoNumber;
        return out;
    }
    out.djh = djh;

    // Rows of a registration the window did not load (a number left from an earlier
    // window or another database) are never rewritten or renamed.
    if (!curDjh.isEmpty() && (curDjh != values.loaded.djh || values.loaded.database != db.databaseName())) {
        auto q =
            Db::exec(db, QStringLiteral("SELECT 1 FROM 登记 WHERE 登记号 = ? LIMIT 1"), {curDjh}, &out.error);
        if (!q) return out;
        const bool stored = q->next();
        if (!Db::finished(*q, &out.error)) return out;
        if (stored) {
            out.status = SaveOutcome::Status::NotLoaded;
            return out;
        }
    }

    // The coordinate texts and the extent come from the grids as they are saved.
    out.area = coordText(values.grids[0]);
    out.calc = coordText(values.grids[1]);
    for (const CoordTextResult* r : {&out.area, &out.calc}) {
        if (r->hasComma()) {
            for (const CoordFault& f : r->faults) {
                if (f.kind == CoordFault::Kind::Comma) {
                    out.error = failure(Coord_Comma_Message(f.row));
                    return out;
                }
            }
        }
    }

    Db::TransactionGuard guard(db);
    if (!guard.started()) {
        out.error = guard.beginError(QStringLiteral("Save_Data_All"));
        return out;
    }

    RowValues dj = boxValues(db, QStringLiteral("登记"), Array::Kn1Data, values);
    if (!writeRow(db, QStringLiteral("登记"), curDjh, djh, dj, &out.inserted, &out.error)) return out;

    RowValues yf = boxValues(db, QStringLiteral("压覆"), Array::Kn2Data, values);
    const Coord_Extent& e = out.area.extent;
    yf.set(QStringLiteral("东经起"), e.X_Min);
    yf.set(QStringLiteral("东经止"), e.X_Max);
    yf.set(QStringLiteral("北纬起"), e.Y_Min);
    yf.set(QStringLiteral("北纬止"), e.Y_Max);
    if (!writeRow(db, QStringLiteral("压覆"), curDjh, djh, yf, nullptr, &out.error)) return out;

    RowValues bg = boxValues(db, QStringLiteral("报告"), Array::Kn3Data, values);
    if (!writeRow(db, QStringLiteral("报告"), curDjh, djh, bg, nullptr, &out.error)) return out;

    if (!curDjh.isEmpty() && curDjh != djh) {
        for (const QString& table : {QStringLiteral("质量"), QStringLiteral("资源储量")}) {
            if (!Db::exec(
                    db,
                    QStringLiteral("UPDATE %1 SET 登记号 = ? WHERE 登记号 = ?").arg(Db::quotedName(table)),
                    {djh, curDjh}, &out.error))
                return out;
        }
    }

    RowValues zb = boxValues(db, QStringLiteral("坐标"), Array::Kn6Data, values);
    zb.set(QStringLiteral("矿权坐标"), storedText(out.area.text));
    zb.set(QStringLiteral("计算坐标"), storedText(out.calc.text));
    if (!writeRow(db, QStringLiteral("坐标"), curDjh, djh, zb, nullptr, &out.error)) return out;

    if (!guard.commit(&out.error)) return out;
    out.status = SaveOutcome::Status::Saved;
    return out;
}

const QStringList& Registration_Tables()
{
    static const QStringList tables{QStringLiteral("登记"),     QStringLiteral("压覆"),
                                    QStringLiteral("报告"),     QStringLiteral("质量"),
                                    QStringLiteral("资源储量"), QStringLiteral("坐标")};
    return tables;
}

QString Delete_Question(const QString& djh)
{
    return QStringLiteral("确定要删除该") + QStringLiteral("压覆") + QStringLiteral("储量数据吗？") +
           QLatin1Char('\r') + QStringLiteral("登记号：") + djh;
}

Status Delete_Registration(const QSqlDatabase& db, const QString& djh)
{
    Db::TransactionGuard guard(db);
    if (!guard.started()) return guard.beginError(QStringLiteral("Delete_Data_All"));
    Db::Error error;
    for (const QString& table : Registration_Tables()) {
        if (!Db::exec(db, QStringLiteral("DELETE FROM %1 WHERE 登记号 = ?").arg(Db::quotedName(table)), {djh},
                      &error))
            return error;
    }
    if (!guard.commit(&error)) return error;
    return Status::success();
}

} // namespace KCUTIL
