#include "ReferenceData.h"

#include "registration/form/FieldRegistry.h"

#include "coords/CoordText.h"
#include "platform/ColumnCatalog.h"
#include "shell/KCUTIL_Dates.h"
#include "shell/KCUTIL_Fields.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <optional>

namespace query {

namespace {

using Array = FormControl::Array;

const QString Source = QStringLiteral("Copy_Reference_Data");

// The columns of the kind row that the overlay table shares; every other box of
// the second page stays empty. An occupied registration's 许可证号 is not taken.
QStringList sharedColumns(ReferenceKind kind)
{
    QStringList c = {
        QStringLiteral("行政区代码"), QStringLiteral("通讯地址"),    QStringLiteral("邮政编码"),
        QStringLiteral("电话号码"),   QStringLiteral("电子邮箱"),    QStringLiteral("矿区名称"),
        QStringLiteral("矿区编号"),   QStringLiteral("中心点X坐标"), QStringLiteral("中心点Y坐标"),
        QStringLiteral("县城名"),     QStringLiteral("方位"),        QStringLiteral("至县直距"),
        QStringLiteral("备注")};
    if (kind == ReferenceKind::Identified) c << QStringLiteral("许可证号");
    return c;
}

// One row read: the display text and the stored text of each column.
struct Row
{
    QHash<QString, QString> text;
    QHash<QString, QString> stored;
};

// The first row of `sql` for the number, or nothing (no row, or a failure noted
// in `errors`). `table` names where the column types come from.
std::optional<Row> readRow(const QSqlDatabase& db, const QString& table, const QString& sql,
                           const QString& djh, QList<Db::Error>& errors)
{
    Db::Error e;
    auto q = Db::exec(db, sql, {djh}, &e);
    if (!q) {
        errors << e;
        return std::nullopt;
    }
    if (!q->next()) {
        if (q->lastError().isValid()) errors << Db::errorOf(q->lastError(), Source);
        return std::nullopt;
    }
    QHash<QString, int> types;
    for (const Db::Column& c : Db::columns(db, table))
        types.insert(c.name, c.typeCode);
    Row row;
    const QSqlRecord rec = q->record();
    for (int i = 0; i < rec.count(); ++i) {
        const QString column = rec.fieldName(i);
        const QVariant v = q->value(i);
        row.text.insert(column, KCUTIL::Get_Field_Text(types.value(column, Db::TypeVarWChar), v));
        row.stored.insert(column, KCUTIL::Get_Field_Str({v, Db::TypeVarWChar}));
    }
    return row;
}

// The text of one box of `array` taken from `row`. A date gives its part of the
// stored "年月日" text; the telephone number is split at its first "-" as the
// record load splits it.
QString boxText(const Row& row, Array array, int index, bool& known)
{
    const QString column = FieldRegistry::column(array, index);
    known = row.stored.contains(column);
    const QString stored = row.stored.value(column);
    switch (FieldRegistry::partOf(array, index)) {
    case FieldRegistry::Part::Whole:
        return row.text.value(column);
    case FieldRegistry::Part::Year:
        return stored.isEmpty() ? QString() : KCUTIL::Get_Date_Part(stored, QStringLiteral("年"));
    case FieldRegistry::Part::Month:
        return stored.isEmpty() ? QString() : KCUTIL::Get_Date_Part(stored, QStringLiteral("月"));
    case FieldRegistry::Part::Day:
        return stored.isEmpty() ? QString() : KCUTIL::Get_Date_Part(stored, QStringLiteral("日"));
    case FieldRegistry::Part::AreaCode: {
        const qsizetype dash = stored.indexOf(u'-');
        return dash >= 0 ? stored.left(dash) : QString();
    }
    case FieldRegistry::Part::Number: {
        const qsizetype dash = stored.indexOf(u'-');
        return dash >= 0 ? stored.mid(dash + 1) : stored;
    }
    }
    return QString();
}

// Fills every box of `array` from `row`. With `onlyKnown`, a box whose column the
// row lacks stays empty (the overlay-only fields of the second page); otherwise
// such a box is a failure, noted, and the next box follows.
void fill(ReferenceValues& out, const Row& row, Array array, bool onlyKnown)
{
    for (int i = 0; i < out.values.count(array); ++i) {
        bool known = false;
        const QString text = boxText(row, array, i, known);
        if (!known) {
            if (!onlyKnown)
                out.errors << Db::Error{1, Source,
                                        QStringLiteral("没有字段：") + FieldRegistry::column(array, i)};
            continue;
        }
        out.values.setText(array, i, text);
    }
}

} // namespace

QString Kind_Table(ReferenceKind kind)
{
    return kind == ReferenceKind::Identified ? QStringLiteral("查明") : QStringLiteral("占用");
}

Result<QList<ReferenceItem>> Load_Reference_List(const QSqlDatabase& db, ReferenceKind kind)
{
    const QString holder =
        kind == ReferenceKind::Identified ? QStringLiteral("探矿权人") : QStringLiteral("采矿权人");
    Db::Error e;
    auto q = Db::exec(db,
                      QStringLiteral("SELECT 登记号,") + holder +
                          QStringLiteral(",矿区名称,矿区编号,行政区代码 FROM ") + Kind_Table(kind),
                      {}, &e);
    if (!q) return e;
    QList<ReferenceItem> items;
    const auto str = [&](int i) { return KCUTIL::Get_Field_Str({q->value(i), Db::TypeVarWChar}); };
    while (q->next())
        items.append({str(0), str(1), str(2), str(3), str(4)});
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), QStringLiteral("Load_Reference_List"));
    return items;
}

ReferenceValues Copy_Reference_Data(const QSqlDatabase& db, ReferenceKind kind, const QString& djh,
                                    const QString& keptNumber)
{
    ReferenceValues out;
    const auto select = [](const QString& table) {
        return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 登记号 = ?");
    };

    const std::optional<Row> head =
        readRow(db, QStringLiteral("登记"), select(QStringLiteral("登记")), djh, out.errors);
    if (!head) return out;
    out.found = true;
    fill(out, *head, Array::Kn1Data, false);
    out.values.setText(Array::Kn1Data, 0, keptNumber);

    const QString table = Kind_Table(kind);
    const std::optional<Row> kindRow =
        readRow(db, table,
                QStringLiteral("SELECT ") + sharedColumns(kind).join(u',') + QStringLiteral(" FROM ") +
                    table + QStringLiteral(" WHERE 登记号 = ?"),
                djh, out.errors);
    if (kindRow) fill(out, *kindRow, Array::Kn2Data, true);

    if (const auto report =
            readRow(db, QStringLiteral("报告"), select(QStringLiteral("报告")), djh, out.errors))
        fill(out, *report, Array::Kn3Data, false);

    if (const auto coords =
            readRow(db, QStringLiteral("坐标"), select(QStringLiteral("坐标")), djh, out.errors)) {
        fill(out, *coords, Array::Kn6Data, false);
        const auto lines = [&](const QString& column) {
            const QString stored = coords->stored.value(column);
            return stored.isEmpty() ? QString() : KCUTIL::Coord_Str_To_Lines(stored);
        };
        out.areaLines = lines(QStringLiteral("矿权坐标"));
        out.calcLines = lines(QStringLiteral("计算坐标"));
    }
    return out;
}

} // namespace query
