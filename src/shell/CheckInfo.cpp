#include "CheckInfo.h"

#include "platform/TextNumber.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFile>

namespace CheckInfoFile {

namespace {

bool childText(const QDomElement& parent, const QString& name, QString* text)
{
    const QDomElement e = parent.firstChildElement(name);
    if (e.isNull()) return false;
    *text = e.text();
    return true;
}

} // namespace

Result read(const QString& path, CheckInfo* info, QString* why)
{
    auto fail = [&](const QString& reason) {
        if (why) *why = reason;
        return Result::Failed;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("cannot open ") + path);
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(file.readAll(), &message, &line, &column))
        return fail(QStringLiteral("%1 at %2:%3").arg(message).arg(line).arg(column));
    const QDomElement top = doc.documentElement();
    if (top.tagName() != QLatin1String("DataSoures")) return fail(QStringLiteral("no DataSoures"));

    CheckInfo result = *info;
    bool matched = false;
    for (QDomElement src = top.firstChildElement(QStringLiteral("DataSoure")); !src.isNull();
         src = src.nextSiblingElement(QStringLiteral("DataSoure"))) {
        QString systype;
        if (!childText(src, QStringLiteral("systype"), &systype)) return fail(QStringLiteral("no systype"));
        if (systype != QLatin1String("DJK")) continue;
        QString nd;
        CheckInfo next;
        if (!childText(src, QStringLiteral("nd"), &nd) || !childText(src, QStringLiteral("djh"), &next.djh) ||
            !childText(src, QStringLiteral("kqbh"), &next.kqbh) ||
            !childText(src, QStringLiteral("ssksbh"), &next.ssksbh) ||
            !childText(src, QStringLiteral("ksbh"), &next.ksbh) ||
            !childText(src, QStringLiteral("fieldname"), &next.fieldname) ||
            !childText(src, QStringLiteral("tablename"), &next.tablename))
            return fail(QStringLiteral("a DJK source lacks a field"));
        bool inRange = false;
        next.nd = TextNumber::roundToInt16(TextNumber::leading(nd), &inRange);
        if (!inRange) return fail(QStringLiteral("nd out of range"));
        result = next;
        matched = true;
    }
    if (!matched) return Result::NoMatch;
    *info = result;
    return Result::Read;
}

} // namespace CheckInfoFile
