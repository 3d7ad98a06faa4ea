#include "registration/record/SaveChecks.h"

#include "registration/form/FieldRegistry.h"

#include "coords/CoordText.h"
#include "coords/Projection.h"
#include "coords/RegistrationNumbers.h"
#include "platform/ErrorText.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Dates.h"
#include "shell/myvbs.h"

namespace KCUTIL {

namespace {

using Array = FormControl::Array;
using Outcome = SaveCheckResult::Outcome;

const QString Tip = QStringLiteral("提示");
const QString ErrorTitle = QStringLiteral("错误");

// The lowest and highest registration numbers, both refused.
constexpr qint64 DjhLow = 1110000041000LL;
constexpr qint64 DjhHigh = 4659999994999LL;

bool asciiDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return !text.isEmpty();
}

SaveCheckResult fault(const QString& message, int page, Array array, int index)
{
    SaveCheckResult r;
    r.outcome = Outcome::Fault;
    r.message = message;
    r.title = Tip;
    r.icon = Prompt::Icon::Information;
    r.page = page;
    r.array = array;
    r.index = index;
    return r;
}

SaveCheckResult gridFault(const QString& message)
{
    SaveCheckResult r;
    r.outcome = Outcome::Fault;
    r.message = message;
    r.title = ErrorTitle;
    r.icon = Prompt::Icon::Exclamation;
    return r;
}

SaveCheckResult declined()
{
    SaveCheckResult r;
    r.outcome = Outcome::Declined;
    return r;
}

QString rowText(int row, const QString& rest)
{
    return QStringLiteral("第") + QString::number(row) + QStringLiteral("行") + rest;
}

// A date: three boxes of one array from the year's index on, and the page holding them.
struct DateTriple
{
    Array array;
    int year;
    int page;
};

// In the order they are checked.
const DateTriple Dates[] = {
    {Array::Kn1Data, 3, 1},  // 填表日期
    {Array::Kn1Data, 10, 4}, // 核实日期
    {Array::Kn1Data, 16, 4}, // 初审日期
    {Array::Kn1Data, 22, 4}, // 审定日期
    {Array::Kn2Data, 12, 2}, // 批准日期
    {Array::Kn2Data, 31, 2}, // 文号日期
    {Array::Kn2Data, 35, 4}, // 截止日期
    {Array::Kn3Data, 2, 2},  // 报告提交日期
    {Array::Kn3Data, 7, 2},  // 评审日期
    {Array::Kn3Data, 14, 2}, // 备案日期
};

} // namespace

QString Stat_Mine_Question(int statResult)
{
    const QString reason = statResult == StatDatabase::NotFound
                               ? QStringLiteral("储量统计库中无压覆所对应的矿区或矿山！")
                               : QStringLiteral("无法获取统计库连接，请检查统计库配置！");
    return reason + QStringLiteral("是否确定此操作？");
}

QString Djh_Length_Message()
{
    return QStringLiteral("【") + FieldRegistry::column(Array::Kn1Data, 0) +
           QStringLiteral("】请填写13位代码！");
}

QString Date_Message(const QString& column)
{
    return QStringLiteral("【") + column + QStringLiteral("】应填写日期型数值！");
}

Result<DjhFree> DJH_Is_Free(const QSqlDatabase& db, const QString& number, const DjhContext& context)
{
    const Result<bool> present = Is_DJH_In_DB(db, number);
    if (!present) return present.error();
    if (!*present) return DjhFree::Free;
    if (context.registrationSelected && context.curDjh == number) return DjhFree::Free;
    return DjhFree::Taken;
}

SaveCheckResult Check_Coord_Grid(CoordGrid& grid, bool geographic, const Asker& ask)
{
    const int rows = grid.rowCount();
    if (rows < 3) return {};
    int corners = 0;
    for (int r = 1; r <= rows - 2; ++r) {
        // The stored text separates its fields by commas and cannot carry one inside a cell.
        for (int c = 1; c <= 5; ++c) {
            if (!Is_Coord_Cell_Storable(grid.cellText(r, c))) return gridFault(Coord_Comma_Message(r));
        }
        const QString c1 = grid.cellText(r, 1);
        const QString c2 = grid.cellText(r, 2);
        const QString c3 = grid.cellText(r, 3);
        if (c1.isEmpty()) return gridFault(rowText(r, QStringLiteral("<拐点号>列中必须填写数值...")));
        double x = 0.0, y = 0.0;
        const bool bothNumeric = Read_Coord_Cell(c2, &x) && Read_Coord_Cell(c3, &y);
        if (c1.trimmed() == QLatin1String("*")) {
            if (corners < 3) return gridFault(rowText(r, QStringLiteral("以上区域拐点个数小于3...")));
            if (grid.cellText(r, 5).trimmed().isEmpty()) grid.setCellText(r, 5, QStringLiteral("1"));
            const int nature = TextNumber::roundToInt32(TextNumber::leading(grid.cellText(r, 5)));
            if (nature < -1 || nature > 1)
                return gridFault(rowText(r, QStringLiteral("<性质>数据填写错误...")));
            if (!bothNumeric && !ask(rowText(r, QStringLiteral("<标高>数据不全,继续?")),
                                     QStringLiteral("警告"), Prompt::Icon::Question))
                return declined();
            corners = 0;
            continue;
        }
        if (myvbs::LenA(c1) > 8) return gridFault(rowText(r, QStringLiteral("<拐点号>数据填写超长(>8)...")));
        if (!bothNumeric) return gridFault(rowText(r, QStringLiteral("<坐标>列必须输入数据值...")));
        if (geographic) {
            const double lon = DMS_Text_To_Degree(c2);
            const double lat = DMS_Text_To_Degree(c3);
            if (lon < 70 || lon > 140)
                return gridFault(rowText(r, QStringLiteral("<经度坐标>列数据超范围...")));
            if (lat < 0 || lat > 55)
                return gridFault(rowText(r, QStringLiteral("<纬度坐标>列数据超范围...")));
        } else {
            if (x < 1000000 || x > 10000000)
                return gridFault(rowText(r, QStringLiteral("<X_坐标>列数据超范围...")));
            if (y < 10000000 || y > 100000000)
                return gridFault(rowText(r, QStringLiteral("<Y_坐标>列数据超范围...")));
        }
        ++corners;
    }
    if (grid.cellText(rows - 2, 1).trimmed() != QLatin1String("*"))
        return gridFault(QStringLiteral("最后一个区域没有结束标记..."));
    return {};
}

SaveCheckResult Check_Before_Save(const QSqlDatabase& db, EntryValues& values, const DjhContext& context,
                                  const StatDatabase& stat, const Asker& ask)
{
    // 1. The mine in the statistics database, when a mining-area number is given.
    const QString kqbh = values.text(Array::Kn2Data, 16);
    if (!kqbh.trimmed().isEmpty()) {
        const int found = Check_Stat_Mine(stat, values.djh(), kqbh, values.text(Array::Kn2Data, 17));
        if (found != StatDatabase::Found && !ask(Stat_Mine_Question(found), Tip, Prompt::Icon::None))
            return declined();
    }

    // 2. The registration number: 13 ASCII digits, first "4", inside the range, free.
    const QString djh = values.djh();
    if (djh.size() != 13 || !asciiDigits(djh)) return fault(Djh_Length_Message(), 1, Array::Kn1Data, 0);
    if (djh.at(0) != QLatin1Char('4'))
        return fault(QStringLiteral("登记号第一位应该为4！"), 1, Array::Kn1Data, 0);
    const qint64 value = djh.toLongLong();
    if (value <= DjhLow || value >= DjhHigh)
        return fault(QStringLiteral("登记号超过范围（应在1110000041000～4659999994999之间）！"), 1,
                     Array::Kn1Data, 0);
    const Result<DjhFree> free = DJH_Is_Free(db, djh, context);
    if (!free) {
        const Db::Error& error = free.error();
        SaveCheckResult r =
            fault(ErrorBox::text(error.number == 0 ? -1 : error.number, error.source, error.description), 1,
                  Array::Kn1Data, 0);
        r.title = QStringLiteral("Error");
        r.icon = Prompt::Icon::None;
        return r;
    }
    if (*free == DjhFree::Taken)
        return fault(QStringLiteral("登记号在数据库中已经存在，请重新输入！"), 1, Array::Kn1Data, 0);

    // 3. The dates. A part that is filled must be plain digits: the stored date text
    // is built from digits only, so anything else would be lost on saving. A stored
    // date the boxes still show as loaded is saved back as it is and passes.
    for (const DateTriple& d : Dates) {
        if (values.unedited(d.array, d.year)) continue;
        const QString y = values.text(d.array, d.year);
        const QString m = values.text(d.array, d.year + 1);
        const QString day = values.text(d.array, d.year + 2);
        int bad = Is_Date_Text(y, m, day);
        if (bad == 0) {
            const QString parts[] = {y.trimmed(), m.trimmed(), day.trimmed()};
            for (int p = 0; p < 3 && bad == 0; ++p) {
                if (!parts[p].isEmpty() && !asciiDigits(parts[p])) bad = p + 1;
            }
        }
        if (bad != 0)
            return fault(Date_Message(FieldRegistry::column(d.array, d.year)), d.page, d.array,
                         d.year + bad - 1);
    }

    // 4. The coordinate grids.
    for (int i = 0; i < 2; ++i) {
        if (!values.grids[i]) continue;
        SaveCheckResult r = Check_Coord_Grid(*values.grids[i], values.geographic[i], ask);
        if (!r.passed()) return r;
    }
    return {};
}

} // namespace KCUTIL
