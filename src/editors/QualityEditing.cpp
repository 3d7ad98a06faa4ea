#include "QualityEditing.h"

#include "EditorSql.h"
#include "RowGrid.h"

#include "platform/TextNumber.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>

namespace editors::QualityEditing {

namespace {

const QString Source = QStringLiteral("FrmKszl");

// The condition of the key's records and its values.
QString whereOf(const Key& key, QVariantList* values)
{
    *values = {key.djh, key.mineral, key.object};
    if (key.average) return QStringLiteral(" where 登记号=? and 矿产代码=? and 统计对象=? and 均值标识=1");
    *values << QString::number(key.type) << QString::number(key.grade);
    return QStringLiteral(
        " where 登记号=? and 矿产代码=? and 统计对象=? and 矿石类型=? and 矿石品级=? and 均值标识=0");
}

} // namespace

Key keyOf(const HandOver& h, bool average)
{
    return Key{h.Cur_DJH, h.Cur_KCDM, h.Cur_TJDX, average ? 0 : h.Cur_KSLX, average ? 0 : h.Cur_KSPJ,
               average};
}

Result<Loaded> Load_Quality(const QSqlDatabase& db, const Key& key)
{
    QVariantList values;
    const QString where = whereOf(key, &values);
    Db::Error e;
    auto q = Db::exec(db,
                      QStringLiteral("select 矿石类型,矿石品级,组分名,组分值,组分单位 from 质量") + where +
                          QStringLiteral(" order by 显示序号"),
                      values, &e);
    if (!q) return e;
    Loaded loaded;
    while (q->next()) {
        const int r = loaded.records++;
        if (r >= ComponentRows) continue;
        loaded.sheet.typeText = EditorSql::text(q->value(0));
        loaded.sheet.gradeText = EditorSql::text(q->value(1));
        Component& c = loaded.sheet.rows[r];
        c.name = EditorSql::text(q->value(2));
        const QString value = EditorSql::text(q->value(3));
        if (TextNumber::leading(value) != 0.0)
            c.value = KCUTIL::Get_Field_NumStr(KCUTIL::FieldValue{q->value(3), Db::TypeDouble});
        c.unit = EditorSql::text(q->value(4));
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    if (loaded.sheet.typeText.isEmpty()) loaded.sheet.typeText = QString::number(key.type);
    if (loaded.sheet.gradeText.isEmpty()) loaded.sheet.gradeText = QString::number(key.grade);
    return loaded;
}

Check Check_Quality(const Sheet& sheet, bool average)
{
    Check check;
    check.remindDescriptions =
        average && sheet.typeText.trimmed().isEmpty() && sheet.gradeText.trimmed().isEmpty();
    for (int r = 0; r < ComponentRows; ++r) {
        const Component& c = sheet.rows[r];
        const int filled = int(!c.name.isEmpty()) + int(!c.value.isEmpty()) + int(!c.unit.isEmpty());
        if (filled != 0 && filled != 3) return {Problem::Incomplete, r + 1, check.remindDescriptions};
    }
    for (int r = 0; r < ComponentRows; ++r) {
        const Component& c = sheet.rows[r];
        if (c.blank() || c.value.trimmed().isEmpty()) continue;
        if (!TextNumber::isNumeric(c.value)) return {Problem::NotNumeric, r + 1, check.remindDescriptions};
    }
    return check;
}

Result<QString> Save_Quality(const QSqlDatabase& db, const Key& key, const Sheet& sheet, int base)
{
    Db::TransactionGuard tx(db);
    if (!tx.started()) return tx.beginError(Source);
    QVariantList values;
    const QString where = whereOf(key, &values);
    Db::Error e;
    const QVariant stored = Db::scalar(db, QStringLiteral("select count(*) from 质量") + where, values, &e);
    if (e.isSet()) return e;
    if (stored.toInt() > ComponentRows)
        return Db::Error{-1, Source,
                         QStringLiteral("组分含量数据超过") + QString::number(ComponentRows) +
                             QStringLiteral("组，不能在此保存！")};
    if (!Db::exec(db, QStringLiteral("delete from 质量") + where, values, &e)) return e;

    QString marker;
    // An empty description is stored as the empty text, not as Null.
    auto text = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
    const QVariant type = key.average ? text(sheet.typeText) : QString::number(key.type);
    const QVariant grade = key.average ? text(sheet.gradeText) : QString::number(key.grade);
    for (int r = 0; r < ComponentRows; ++r) {
        const Component& c = sheet.rows[r];
        if (c.blank()) continue;
        double number = 0;
        const QVariant value = TextNumber::readWhole(c.value, &number) ? QVariant(number) : QVariant();
        if (!Db::exec(
                db,
                QStringLiteral(
                    "insert into 质量 (登记号, 矿产代码, 统计对象, 均值标识, 矿石类型, 矿石品级, 组分名, "
                    "组分值, 组分单位, 显示序号) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {key.djh, key.mineral, key.object, key.average ? 1 : 0, type, grade, c.name, value, c.unit,
                 base + r + 1},
                &e))
            return e;
        marker = key.average ? RowGrid::Average : RowGrid::Present;
    }
    if (!tx.commit(&e)) return e;
    return marker;
}

Status Delete_Quality(const QSqlDatabase& db, const Key& key)
{
    QVariantList values;
    const QString where = whereOf(key, &values);
    Db::Error e;
    if (!Db::exec(db, QStringLiteral("delete from 质量") + where, values, &e)) return e;
    return Status::success();
}

Result<QStringList> Fill_Item_List(const QSqlDatabase& db, int listIndex, int mineral)
{
    const QString sql = listIndex == 0
                            ? QStringLiteral("select distinct 品质,品质名 from cb04 where 矿产代码=?")
                            : QStringLiteral("select distinct 品质单位名 from cb04 where 矿产代码=?");
    Db::Error e;
    auto q = Db::exec(db, sql, {mineral}, &e);
    if (!q) return e;
    QStringList entries{QString()};
    while (q->next()) {
        if (listIndex == 0)
            entries << EditorSql::text(q->value(0)) + QStringLiteral("（") + EditorSql::text(q->value(1)) +
                           QStringLiteral("）");
        else
            entries << EditorSql::text(q->value(0));
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return entries;
}

QString pickedText(int listIndex, const QString& entry)
{
    if (listIndex != 0) return entry;
    const qsizetype bracket = entry.indexOf(QStringLiteral("（"));
    return bracket < 0 ? entry : entry.left(bracket);
}

bool valueWarns(const QString& text)
{
    if (text.trimmed().isEmpty() || text.endsWith(QLatin1Char('.'))) return false;
    return !TextNumber::isNumeric(text);
}

} // namespace editors::QualityEditing
