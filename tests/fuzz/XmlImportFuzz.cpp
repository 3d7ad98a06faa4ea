// An XML exchange file, as the import runs it on a chosen file: read, then written
// into a fresh working database. A failed import leaves the working database as it
// was; one that succeeds has taken every row of every registration in the file.
#include "FuzzDatabase.h"

#include "exchange/xml/ExchangeReader.h"
#include "exchange/xml/RegistrationRows.h"
#include "exchange/xml/tabxfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    tabxfer::fuzzReadDocument(data, size);
    if (size > size_t(tabxfer::kMaxFileBytes)) return 0;
    const auto document =
        tabxfer::readDocument(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!document) return 0;

    FuzzDatabase::Working work(FuzzDatabase::templatePath(), QStringLiteral("fuzz_xml_work"));
    tabxfer::ImportArguments args;
    args.connection = work.name;
    args.databaseType = QStringLiteral("MDB");
    args.systemType = QStringLiteral("DJK");
    args.xmlFile = FuzzSupport::fileOf("import.xml", data, size);
    args.tables = tabxfer::registrationTables().join(QLatin1Char(';'));
    args.keyDescription = QStringLiteral("登记号;DJH;'");
    const Status imported = tabxfer::xmlimport(args);
    FuzzSupport::require(bool(imported) == (args.status == QStringLiteral("1")),
                         "the status tells the outcome");
    if (!imported) {
        work.requireUnchanged();
        return 0;
    }
    for (const tabxfer::ExchangeRegistration& reg : document->registrations) {
        for (const tabxfer::ExchangeTable& table : reg.tables) {
            const auto rows = FuzzDatabase::rowsByNumber(work.db(), QStringLiteral("main"), table.name);
            FuzzSupport::require(rows.value(reg.number) == table.rows.size(),
                                 "every row of an imported registration is in the working database");
        }
    }
    return 0;
}
