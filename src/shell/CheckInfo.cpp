#include "CheckInfo.h"

#include "platform/TextNumber.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

namespace CheckInfoFile {

namespace {

// The answer is small and three levels deep (DataSoures, DataSoure, field); anything
// larger or deeper is no answer of the component.
constexpr qint64 MaxBytes = 1024 * 1024;
constexpr int MaxDepth = 3;

const QStringList& fieldNames()
{
    static const QStringList names{QStringLiteral("nd"),       QStringLiteral("djh"),
                                   QStringLiteral("kqbh"),     QStringLiteral("ssksbh"),
                                   QStringLiteral("ksbh"),     QStringLiteral("fieldname"),
                                   QStringLiteral("tablename")};
    return names;
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
    if (file.size() > MaxBytes) return fail(QStringLiteral("larger than 1 MB"));

    QXmlStreamReader xml(&file);
    CheckInfo result = *info;
    bool matched = false;
    bool sawTop = false;
    int depth = 0;
    QHash<QString, QString> fields; // of the current DataSoure: the first of each name
    bool inSource = false;
    QString fieldName;
    QString fieldText;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > MaxDepth) return fail(QStringLiteral("nested too deep"));
            if (depth == 1) {
                if (xml.name() != QLatin1String("DataSoures")) return fail(QStringLiteral("no DataSoures"));
                sawTop = true;
            } else if (depth == 2) {
                inSource = xml.name() == QLatin1String("DataSoure");
                fields.clear();
            } else if (inSource) {
                fieldName = xml.name().toString();
                fieldText.clear();
            }
            break;
        case QXmlStreamReader::Characters:
            if (depth == 3 && inSource) fieldText += xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            const int level = depth--;
            if (level == 3 && inSource && !fields.contains(fieldName))
                fields.insert(fieldName, fieldText.trimmed().isEmpty() ? QString() : fieldText);
            if (level == 2 && inSource) {
                inSource = false;
                if (!fields.contains(QStringLiteral("systype"))) return fail(QStringLiteral("no systype"));
                if (fields.value(QStringLiteral("systype")) != QLatin1String("DJK")) break;
                for (const QString& f : fieldNames())
                    if (!fields.contains(f)) return fail(QStringLiteral("a DJK source lacks a field"));
                CheckInfo next;
                bool inRange = false;
                next.nd = TextNumber::roundToInt16(TextNumber::leading(fields.value(QStringLiteral("nd"))),
                                                   &inRange);
                if (!inRange) return fail(QStringLiteral("nd out of range"));
                next.djh = fields.value(QStringLiteral("djh"));
                next.kqbh = fields.value(QStringLiteral("kqbh"));
                next.ssksbh = fields.value(QStringLiteral("ssksbh"));
                next.ksbh = fields.value(QStringLiteral("ksbh"));
                next.fieldname = fields.value(QStringLiteral("fieldname"));
                next.tablename = fields.value(QStringLiteral("tablename"));
                result = next;
                matched = true;
            }
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError())
        return fail(QStringLiteral("%1 at %2:%3")
                        .arg(xml.errorString())
                        .arg(xml.lineNumber())
                        .arg(xml.columnNumber()));
    if (!sawTop) return fail(QStringLiteral("no DataSoures"));
    if (!matched) return Result::NoMatch;
    *info = result;
    return Result::Read;
}

} // namespace CheckInfoFile
