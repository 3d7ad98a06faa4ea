#include "ReserveStatCheck.h"

#include "EditorSql.h"
#include "platform/TextNumber.h"
#include "registration/record/StatDatabase.h"
#include "shell/KCUTIL_Fields.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace editors::ReserveStatCheck {

namespace {

const QString Source = QStringLiteral("FrmZycl.Check_Stat_Reserves");

} // namespace

Result<bool> Check_Stat_Reserves(const QSqlDatabase& db, const QString& tjPath, const QString& tjName,
                                 const HandOver& h, const ReserveEditing::Boxes& boxes)
{
    const QString djh = h.Cur_DJH;
    if (djh.size() != 13) return false;
    if (tjPath.isEmpty() && tjName.isEmpty()) return false;
    const QString file = QDir(tjPath).filePath(tjName);
    if (!QFileInfo(file).isFile())
        return Db::Error{-1, Source, QStringLiteral("储量库文件不存在：") + QDir::toNativeSeparators(file)};

    Db::Error e;
    auto area =
        Db::exec(db, QStringLiteral("select 矿区编号,所属矿山编号 from 压覆 where 登记号=?"), {djh}, &e);
    if (!area) return e;
    QString kqbh;
    int djflbh = 1000;
    if (area->next()) {
        kqbh = KCUTIL::Get_Field_Str(KCUTIL::FieldValue{area->value(0), Db::TypeVarWChar});
        if (!area->value(1).isNull()) {
            bool ok = false;
            djflbh = TextNumber::roundToInt16(TextNumber::leading(area->value(1).toString()) + 2000, &ok);
            if (!ok) return Db::Error{6, Source, QStringLiteral("溢出")};
        }
    } else if (auto le = EditorSql::readError(*area, Source)) {
        return *le;
    }
    if (kqbh.isEmpty()) return false;

    Db::ScopedConnection stat(QStringLiteral("Stat_Cn"), file, Db::OpenMode::ReadOnly);
    if (!stat.ok()) return stat.error();
    const int year = KCUTIL::Stat_Year(djh);
    for (int r = 0; r < ReserveEditing::Rows; ++r) {
        for (int group = 0; group < 3; ++group) {
            const int codeBox = r * ReserveEditing::BoxesPerRow + 3 * group;
            const QString code = boxes[codeBox];
            if (code.isEmpty()) continue;
            const QVariant found = Db::scalar(
                stat.db(),
                QStringLiteral(
                    "select count(*) from KCL_ZYCL where ND=? and KQBH=? and DJFLBH=? and KCDM=? and TJDX=? "
                    "and KSLX=? and KSPJ=? and ZYCLLB=19001 and ZYCLLX=? and JSL=? and KSL=? and KCZHM=? "
                    "and KCZH=?"),
                {year, kqbh, djflbh, h.Cur_KCDM, h.Cur_TJDX, h.Cur_KSLX, h.Cur_KSPJ, code,
                 TextNumber::leading(boxes[codeBox + 1]), TextNumber::leading(boxes[codeBox + 2]),
                 h.Cur_KCZHM, h.Cur_KCZH},
                &e);
            if (e.isSet()) return e;
            if (found.toInt() == 0) return false;
        }
    }
    return true;
}

} // namespace editors::ReserveStatCheck
