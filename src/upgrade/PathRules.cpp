#include "PathRules.h"

#include "platform/FilePaths.h"

namespace PathRules {

QString isNull(const Boxes& b)
{
    QString message;
    if (!b.repairSource.trimmed().isEmpty()) {
        if (b.repairDes.trimmed().isEmpty())
            message = QStringLiteral("请选择补办目标数据库，补办目标数据库不能为空！");
        if (samePath(b.repairDes, b.desSource))
            message = QStringLiteral(
                "源目标数据库和补办目标数据库相同，请改变源目标数据库或者补办目标数据库路径！");
    }
    if (b.desSource.trimmed().isEmpty()) message = QStringLiteral("请选择目标数据库，目标数据库不能为空！");
    if (b.source.trimmed().isEmpty()) message = QStringLiteral("请选择源数据库，源数据库不能为空！");
    return message;
}

bool samePath(const QString& a, const QString& b)
{
    return FilePaths::sameFile(a.trimmed(), b.trimmed());
}

QString sourceConflict(const QString& path, const Boxes& b)
{
    if (samePath(path, b.repairSource))
        return QStringLiteral("不能选择已挂补办库作为源库，请重新选择源库或者补办库");
    if (samePath(path, b.repairDes))
        return QStringLiteral("不能选择已挂补办目标库作为源库，请重新选择源库或者补办库");
    return QString();
}

QString repairConflict(const QString& path, const Boxes& b)
{
    if (samePath(path, b.source))
        return QStringLiteral("不能选择已挂源库作为补办库，请重新选择补办库或者源库");
    if (samePath(path, b.desSource))
        return QStringLiteral("不能选择已挂目标库作为补办目标库，请重新选择补办库或者源库");
    return QString();
}

QString targetConflict(const QString& path, const Boxes& b)
{
    if (samePath(path, b.repairSource)) return QStringLiteral("不能选择补办源数据库作为另存库！");
    if (samePath(path, b.repairDes)) return QStringLiteral("不能选择补办目标库作为另存库！");
    return QString();
}

QString repairTargetConflict(const QString& path, const Boxes& b)
{
    if (samePath(path, b.source)) return QStringLiteral("不能选择源数据库作为新保存数据库！");
    if (samePath(path, b.desSource)) return QStringLiteral("不能选择目标数据库作为新保存数据库！");
    return QString();
}

QString templateConflict(const QString& path, const QString& templatePath, bool repair)
{
    if (!samePath(path, templatePath)) return QString();
    return repair ? QStringLiteral("不能选择模板数据库作为新保存数据库！")
                  : QStringLiteral("不能选择模板数据库作为另存库！");
}

QString typedConflict(const Boxes& b, const QString& templatePath)
{
    const bool repair = !b.repairSource.trimmed().isEmpty();
    if (repair)
        for (const QString& m : {sourceConflict(b.source, b), repairConflict(b.repairSource, b),
                                 targetConflict(b.desSource, b), repairTargetConflict(b.repairDes, b)})
            if (!m.isEmpty()) return m;
    if (QString m = templateConflict(b.desSource, templatePath, false); !m.isEmpty() || !repair) return m;
    return templateConflict(b.repairDes, templatePath, true);
}

QString errorListConflict(const QString& path, const Boxes& b, const QString& templatePath)
{
    for (const QString& database : {b.source, b.repairSource, b.desSource, b.repairDes, templatePath})
        if (samePath(path, database)) return QStringLiteral("不能选择升级用到的数据库作为错误列表文件！");
    return QString();
}

} // namespace PathRules
