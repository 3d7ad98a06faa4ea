#pragma once

#include "registration/record/EntryValues.h"

#include "coords/CoordText.h"
#include "platform/Database.h"
#include "platform/Result.h"
#include "shell/ProgramState.h"

#include <QSqlDatabase>
#include <QString>

// Saving and deleting one registration across its tables, in one transaction each:
// either every statement took effect or none did.
namespace KCUTIL {

struct SaveOutcome
{
    enum class Status {
        Saved,
        NoNumber,  // 登记号 is empty: nothing was written
        NotLoaded, // `curDjh` names a stored registration the window did not load:
                   // nothing was written (Not_Loaded_Message says so)
        Failed,    // a statement failed: nothing was written (`error`)
    };
    Status status = Status::Failed;
    Db::Error error;
    QString djh;           // the number saved
    bool inserted = false; // the 登记 row was new (Reg_Inserted)
    CoordTextResult area;  // grid 0 as stored (矿权坐标), with its extent
    CoordTextResult calc;  // grid 1 as stored (计算坐标)

    bool saved() const { return status == Status::Saved; }
};

// "关键字【登记号】无数据！请设置行政区代码！", the refusal of a save without a number.
QString No_Number_Message();

// "登记号为" + number + "的登记没有载入窗口，不能改写。请重新选择登记。", the refusal
// of a save over a registration the window did not load.
QString Not_Loaded_Message(const QString& djh);

// Writes the registration held in `values` over the rows of `curDjh` (the number the
// window showed when the save began; empty for a new registration, which then never
// takes over rows that happen to carry an empty number):
//  - 登记, 压覆, 报告 and 坐标: the row of `curDjh` is rewritten, or inserted when
//    there is none, every bound column from its boxes (dates joined as stored date
//    text, 电话号码 as area code "-" number, the later 建设单位 box winning; any value
//    whose boxes still show what the load made of it goes back as stored, byte for
//    byte), 登记号 set to the new number;
//  - 压覆 also gets the extent of grid 0 as it is saved (东经起, 东经止, 北纬起, 北纬止);
//  - 坐标 gets the stored coordinate texts of both grids;
//  - the 质量 and 资源储量 rows of `curDjh` move to the new number.
// Empty 性质 cells of ring-end rows become "1" in the grids. Rows of `curDjh` that
// are not the registration `values` was loaded from (values.loaded) are never
// touched: the save is refused as NotLoaded.
SaveOutcome Save_Registration(const QSqlDatabase& db, const QString& curDjh, EntryValues& values);

// The six tables of a registration, in the order they are deleted.
const QStringList& Registration_Tables();

// "确定要删除该压覆储量数据吗？" CR "登记号：" + number.
QString Delete_Question(const QString& djh);

// Deletes every row of `djh` from the six tables; when a statement fails, nothing
// is deleted.
Status Delete_Registration(const QSqlDatabase& db, const QString& djh);

// A number typed with full-width digits, point or signs, in the plain characters a
// number is read from.
QString Plain_Number_Text(const QString& text);

} // namespace KCUTIL
