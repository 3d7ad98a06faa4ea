#include "RegistrationExport.h"

#include "ExchangeFiles.h"
#include "ExchangeTables.h"
#include "shell/KCUTIL_Province.h"

namespace exchange {

namespace {

const QString kSource = QStringLiteral("DataExport");

Db::Error failure(const QString& description)
{
    return Db::Error{-1, kSource, description};
}

Status fill(const QSqlDatabase& db, const ExportRequest& request, const Progress& progress)
{
    // The file is still temporary: a failure throws it away, so it needs no journal
    // on disk and no flush per commit; it is flushed once when complete.
    Db::exec(db, QStringLiteral("PRAGMA journal_mode=MEMORY"));
    Db::exec(db, QStringLiteral("PRAGMA synchronous=OFF"));
    AttachedDatabase source(db, request.workingDatabase, QStringLiteral("src"));
    if (!source.ok()) return source.error();
    {
        std::optional<NumberTable> chosen;
        if (!request.wholeTables) {
            chosen.emplace(db, QStringLiteral("export_numbers"), request.numbers);
            if (!chosen->ok()) return chosen->error();
        }
        Db::TransactionGuard transaction(db);
        if (!transaction.started()) return transaction.beginError(kSource);
        const QStringList& tables = overlayTables();
        for (int i = 0; i < tables.size(); ++i) {
            if (progress && !progress(i, int(tables.size()))) return failure(QStringLiteral("导出已中止"));
            TableCopy copy;
            copy.table = tables.at(i);
            copy.rows = request.wholeTables
                            ? QStringLiteral("WHERE substr(s.登记号,1,1)='4' ORDER BY s.登记号, s.rowid")
                            : QStringLiteral("JOIN temp.export_numbers n ON n.number = s.登记号 "
                                             "ORDER BY n.seq, s.rowid");
            const auto copied = copyTable(db, copy);
            if (!copied) return copied.error();
        }
        Db::Error error;
        if (!transaction.commit(&error)) return error;
    }
    if (progress && !progress(int(overlayTables().size()), int(overlayTables().size())))
        return failure(QStringLiteral("导出已中止"));
    if (const Status stored = KCUTIL::Store_Province_Code(db, request.provinceCode); !stored)
        return stored.error();
    return {};
}

} // namespace

Status exportRegistrations(const ExportRequest& request, const Progress& progress)
{
    if (const Status refused =
            refuseDatabaseOrTemplate(request.target, request.workingDatabase, request.templatePath, kSource);
        !refused)
        return refused;
    return fillFromTemplate(request.templatePath, request.target, kSource,
                            [&](const QSqlDatabase& db) { return fill(db, request, progress); });
}

} // namespace exchange
