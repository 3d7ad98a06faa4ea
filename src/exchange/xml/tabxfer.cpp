#include "tabxfer.h"

#include "ExchangeReader.h"
#include "ExchangeText.h"
#include "ExchangeWriter.h"

#include "platform/FileGate.h"
#include "platform/NewFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace tabxfer {

namespace {

const QString kDatabaseType = QStringLiteral("MDB");

// Sets the status the caller reads back, then hands the outcome on.
Status finish(QString& status, Status outcome)
{
    status = outcome ? QStringLiteral("1") : QStringLiteral("0");
    return outcome;
}

Result<QSqlDatabase> openConnection(const QString& name, const QString& databaseType)
{
    if (databaseType != kDatabaseType)
        return failure(QStringLiteral("不支持的数据库类型“%1”。").arg(databaseType));
    QSqlDatabase db = Db::connection(name);
    if (!db.isValid() || !db.isOpen()) return failure(QStringLiteral("数据库没有打开。"));
    return db;
}

Status exportRegistration(const ExportArguments& args)
{
    auto db = openConnection(args.connection, args.databaseType);
    if (!db) return db.error();
    auto tables = tableList(args.tables);
    if (!tables) return tables.error();
    auto key = templateKeyColumn(args.queryTemplate);
    if (!key) return key.error();
    if (args.xmlFile.trimmed().isEmpty()) return failure(QStringLiteral("没有指定XML文件。"));

    auto reg = readRegistration(*db, *tables, *key, args.number);
    if (!reg) return reg.error();
    ExchangeDocument doc;
    doc.system = args.systemType;
    doc.database = args.databaseType;
    doc.header = args.header;
    doc.registrations << *reg;
    auto bytes = writeDocument(doc);
    if (!bytes) return bytes.error();

    NewFile out(args.xmlFile);
    if (!out.open() || !out.write(*bytes) || !out.commit()) return failure(out.errorString());
    return Status::success();
}

// The first `limit` bytes of the file `path`, none when it cannot be read. The file
// chosen may be a database this program has open, under any name: it is read as the
// gate's Reading reads it.
std::optional<QByteArray> readStart(const QString& path, qsizetype limit)
{
    const FileGate::Reading in(path);
    QByteArray bytes;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    while (bytes.size() < limit) {
        const qint64 n = in.read(bytes.size(), chunk.data(), std::min(chunk.size(), limit - bytes.size()));
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        bytes.append(chunk.constData(), qsizetype(n));
    }
    return bytes;
}

Status importFile(const ImportArguments& args, const Progress& progress)
{
    auto db = openConnection(args.connection, args.databaseType);
    if (!db) return db.error();
    auto tables = tableList(args.tables);
    if (!tables) return tables.error();
    const QString key = args.keyDescription.section(QLatin1Char(';'), 0, 0).trimmed();
    if (key.isEmpty()) return failure(QStringLiteral("没有指定关键字段。"));

    const QString path = QDir::toNativeSeparators(args.xmlFile);
    const QFileInfo info(args.xmlFile);
    if (args.xmlFile.isEmpty() || !info.exists() || !info.isFile())
        return failure(QStringLiteral("文件不存在：%1").arg(path));
    if (info.size() > kMaxFileBytes) return invalidFile(QStringLiteral("文件太大（超过256MB）。"));
    const std::optional<QByteArray> bytes = readStart(args.xmlFile, kMaxFileBytes + 1);
    if (!bytes) return failure(QStringLiteral("无法读取文件：%1").arg(path));

    auto doc = readDocument(*bytes);
    if (!doc) return doc.error();
    if (doc->system != args.systemType)
        return invalidFile(
            QStringLiteral("文件的系统类型“%1”不是本系统的“%2”。").arg(doc->system, args.systemType));
    return appendRegistrations(*db, *doc, *tables, key, progress);
}

} // namespace

Result<QString> templateKeyColumn(const QString& queryTemplate)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+_0_\\s+where\\s+(\\S+?)\\s*=\\s*'_1_'\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = form.match(queryTemplate);
    if (!m.hasMatch()) return failure(QStringLiteral("无法识别的查询模板“%1”。").arg(queryTemplate));
    return m.captured(1);
}

Status exporttoxml(ExportArguments& args)
{
    return finish(args.status, exportRegistration(args));
}

Status xmlimport(ImportArguments& args, const Progress& progress)
{
    return finish(args.status, importFile(args, progress));
}

} // namespace tabxfer
