#include "ReserveEditing.h"

#include "EditorSql.h"
#include "RowGrid.h"

#include "platform/ColumnCatalog.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace editors::ReserveEditing {

namespace {

const QString Source = QStringLiteral("FrmZycl");

// The bottom-most box of code column `column` (0, 3 or 6) holding `code`, or -1.
int boxOfCode(const Boxes& boxes, int column, const QString& code)
{
    int found = -1;
    for (int r = 0; r < Rows; ++r)
        if (boxes[r * BoxesPerRow + column] == code) found = r * BoxesPerRow + column;
    return found;
}

// The ore row's own reserve rows: deductions from other registrations are left out.
QString ownRowsOf(const HandOver& h, QVariantList* values)
{
    return EditorSql::ownReserveRowsOf(h.Cur_DJH, h.Cur_KCDM, h.Cur_TJDX, h.Cur_KSLX, h.Cur_KSPJ, values);
}

double amount(const QString& text)
{
    return TextNumber::leading(text);
}

} // namespace

const QStringList& boxColumns()
{
    static const QStringList columns = {
        QStringLiteral("储量类型"),     QStringLiteral("金属量1"), QStringLiteral("矿石量1"),
        QStringLiteral("基础储量类型"), QStringLiteral("金属量2"), QStringLiteral("矿石量2"),
        QStringLiteral("资源量类型"),   QStringLiteral("金属量3"), QStringLiteral("矿石量3")};
    return columns;
}

bool isCodeBox(int box)
{
    return box >= 0 && box % 3 == 0;
}

bool isMetalBox(int box)
{
    return box >= 0 && box % 3 == 1;
}

bool isOreBox(int box)
{
    return box >= 0 && box % 3 == 2;
}

int listOfBox(int box)
{
    return (box % BoxesPerRow) / 3;
}

const QStringList& codeList(int list)
{
    static const QStringList lists[3] = {
        {QStringLiteral("111"), QStringLiteral("121"), QStringLiteral("122")},
        {QStringLiteral("111b"), QStringLiteral("121b"), QStringLiteral("122b"), QStringLiteral("2M11"),
         QStringLiteral("2M21"), QStringLiteral("2M22")},
        {QStringLiteral("2S11"), QStringLiteral("2S21"), QStringLiteral("2S22"), QStringLiteral("331"),
         QStringLiteral("332"), QStringLiteral("333"), QStringLiteral("334")}};
    return lists[qBound(0, list, 2)];
}

Result<Loaded> Load_Reserves(const QSqlDatabase& db, const HandOver& h)
{
    QVariantList key;
    const QString where = ownRowsOf(h, &key);
    Db::Error e;
    auto q = Db::exec(db,
                      QStringLiteral("select %1 from 资源储量").arg(boxColumns().join(QLatin1Char(','))) +
                          where + QStringLiteral(" order by 显示序号"),
                      key, &e);
    if (!q) return e;
    Loaded loaded;
    while (q->next()) {
        const int r = loaded.rows++;
        if (r >= Rows) continue;
        for (int c = 0; c < BoxesPerRow; ++c) {
            const QVariant v = q->value(c);
            QString text = isCodeBox(c) ? EditorSql::text(v) : KCUTIL::Get_Field_Text(Db::TypeDouble, v);
            if (text == QLatin1String("0")) text.clear();
            loaded.boxes[r * BoxesPerRow + c] = text;
        }
    }
    if (auto le = EditorSql::readError(*q, Source)) return *le;
    return loaded;
}

Result<Units> Set_Amount_Boxes(const QSqlDatabase& db, int mineral, int object)
{
    Db::Error e;
    auto q =
        Db::exec(db, QStringLiteral("select 金属量单位,矿石量单位 from cb06 where 矿产代码=? and 统计对象=?"),
                 {mineral, object}, &e);
    if (!q) return e;
    Units units;
    if (q->next()) {
        units.metal = !EditorSql::text(q->value(0)).isEmpty();
        units.ore = !EditorSql::text(q->value(1)).isEmpty();
    } else if (auto le = EditorSql::readError(*q, Source)) {
        return *le;
    }
    return units;
}

QStringList Fill_Free_Codes(const Boxes& boxes, int list)
{
    QStringList free = codeList(list);
    for (int r = 0; r < Rows; ++r)
        free.removeAll(boxes[r * BoxesPerRow + 3 * list].trimmed());
    return free;
}

int partnerBox(const Boxes& boxes, int box, const QString& code, QString* partner)
{
    const int list = listOfBox(box);
    if (list == 2) return -1;
    static const QStringList reserves = codeList(0);
    QString other;
    for (const QString& r : reserves) {
        if (code == r) other = r + QLatin1Char('b');
        if (code == r + QLatin1Char('b')) other = r;
    }
    if (other.isEmpty()) return -1;
    const int otherColumn = list == 0 ? 3 : 0;
    if (boxOfCode(boxes, otherColumn, other) >= 0) return -1;
    if (partner) *partner = other;
    const int sameRow = box - box % BoxesPerRow + otherColumn;
    if (boxes[sameRow].isEmpty()) return sameRow;
    for (int r = 0; r < Rows; ++r)
        if (boxes[r * BoxesPerRow + otherColumn].isEmpty()) return r * BoxesPerRow + otherColumn;
    return -1;
}

bool amountWarns(const QString& text)
{
    if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('-')) || text.endsWith(QLatin1Char('.')))
        return false;
    return !TextNumber::isNumeric(text);
}

QStringList Pair_Check(const Boxes& boxes)
{
    QStringList lines;
    for (const QString& code : codeList(0)) {
        const int reserve = boxOfCode(boxes, 0, code);
        const int basic = boxOfCode(boxes, 3, code + QLatin1Char('b'));
        if (reserve < 0 || basic < 0) continue;
        const bool metal = std::abs(amount(boxes[reserve + 1])) > std::abs(amount(boxes[basic + 1]));
        const bool ore = std::abs(amount(boxes[reserve + 2])) > std::abs(amount(boxes[basic + 2]));
        if (metal || ore) lines << code + QStringLiteral("数据比") + code + QStringLiteral("b数据绝对值大");
    }
    return lines;
}

Check Check_Values(const Boxes& boxes)
{
    for (int r = 0; r < Rows; ++r) {
        for (int group = 0; group < 3; ++group) {
            const int codeBox = r * BoxesPerRow + 3 * group;
            for (const int box : {codeBox + 1, codeBox + 2}) {
                const QString& text = boxes[box];
                if (text.trimmed().isEmpty()) continue;
                if (!TextNumber::isNumeric(text)) return {Problem::NotNumeric, r + 1};
                if (boxes[codeBox].trimmed().isEmpty()) return {Problem::AmountWithoutCode, r + 1};
            }
        }
    }
    return {};
}

bool allEmpty(const Boxes& boxes)
{
    for (const QString& text : boxes)
        if (!text.trimmed().isEmpty()) return false;
    return true;
}

Result<QString> Save_Reserves(const QSqlDatabase& db, const HandOver& h, const Boxes& boxes)
{
    Db::TransactionGuard tx(db);
    if (!tx.started()) return tx.beginError(Source);
    QVariantList key;
    const QString where = ownRowsOf(h, &key);
    Db::Error e;
    const QVariant stored = Db::scalar(db, QStringLiteral("select count(*) from 资源储量") + where, key, &e);
    if (e.isSet()) return e;
    if (stored.toInt() > Rows)
        return Db::Error{-1, Source, QStringLiteral("资源储量数据超过7行，不能在此保存！")};
    if (!Db::exec(db, QStringLiteral("delete from 资源储量") + where, key, &e)) return e;

    QString marker;
    const QString insert =
        QStringLiteral("insert into 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, %1, "
                       "矿产组合, 矿产组合码, 显示序号) values (?, ?, ?, ?, ?, %2?, ?, ?)")
            .arg(boxColumns().join(QStringLiteral(", ")), QStringLiteral("?, ").repeated(9));
    for (int r = 0; r < Rows; ++r) {
        const int first = r * BoxesPerRow;
        if (boxes[first].trimmed().isEmpty() && boxes[first + 3].trimmed().isEmpty() &&
            boxes[first + 6].trimmed().isEmpty())
            continue;
        QVariantList values = key;
        for (int c = 0; c < BoxesPerRow; ++c) {
            const QString& text = boxes[first + c];
            if (text.trimmed().isEmpty())
                values << QVariant();
            else if (isCodeBox(c))
                values << text;
            else
                values << TextNumber::leading(text);
        }
        values << h.Cur_KCZH << h.Cur_KCZHM << h.Cur_XSXH + r + 1;
        if (!Db::exec(db, insert, values, &e)) return e;
        marker = RowGrid::Present;
    }

    // An ore row with reserves only keeps its place in the row list by an empty
    // quality row.
    const QVariantList qualityKey{h.Cur_DJH, h.Cur_KCDM, h.Cur_TJDX, QString::number(h.Cur_KSLX),
                                  QString::number(h.Cur_KSPJ)};
    const QVariant quality = Db::scalar(
        db,
        QStringLiteral(
            "select count(*) from 质量 where 登记号=? and 矿产代码=? and 统计对象=? and 矿石类型=? "
            "and 矿石品级=? and 均值标识=0"),
        qualityKey, &e);
    if (e.isSet()) return e;
    if (quality.toInt() == 0 &&
        !Db::exec(db,
                  QStringLiteral(
                      "insert into 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 显示序号, 均值标识) "
                      "values (?, ?, ?, ?, ?, ?, 0)"),
                  qualityKey + QVariantList{h.Cur_XSXH + 1}, &e))
        return e;
    if (!tx.commit(&e)) return e;
    return marker;
}

Status Delete_Reserves(const QSqlDatabase& db, const HandOver& h)
{
    QVariantList key;
    const QString where = ownRowsOf(h, &key);
    Db::Error e;
    if (!Db::exec(db, QStringLiteral("delete from 资源储量") + where, key, &e)) return e;
    return Status::success();
}

} // namespace editors::ReserveEditing
