#include "PathRules.h"

#include <QDir>
#include <QFileInfo>

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
    const QString x = a.trimmed(), y = b.trimmed();
    if (x.isEmpty() || y.isEmpty()) return false;
    if (x == y) return true;
    const QFileInfo fx(x), fy(y);
    if (QDir::cleanPath(fx.absoluteFilePath()) == QDir::cleanPath(fy.absoluteFilePath())) return true;
    return fx.exists() && fy.exists() && fx.canonicalFilePath() == fy.canonicalFilePath();
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

QString typedConflict(const Boxes& b)
{
    if (b.repairSource.trimmed().isEmpty()) return QString();
    for (const QString& m : {sourceConflict(b.source, b), repairConflict(b.repairSource, b),
                             targetConflict(b.desSource, b), repairTargetConflict(b.repairDes, b)})
        if (!m.isEmpty()) return m;
    return QString();
}

} // namespace PathRules
