#include "XmlFixture.h"

#include "exchange/NumberPicker.h"
#include "exchange/xml/ExchangeReader.h"
#include "exchange/xml/ExchangeWriter.h"
#include "exchange/xml/XmlCallArguments.h"
#include "exchange/xml/tabxfer.h"

#include <QFile>

namespace {

using namespace tabxfer;

class XmlLibraryTest : public XmlFixture
{
protected:
    Status exportTo(const QString& file, const QString& number, QString* status = nullptr)
    {
        ExportArguments args = XmlCallArguments::forExport(file, number);
        Status s = exporttoxml(args);
        if (status) *status = args.status;
        return s;
    }
    Status importFrom(const QString& file, QString* status = nullptr, const QString& connection = {})
    {
        ImportArguments args = XmlCallArguments::forImport(file);
        if (!connection.isEmpty()) args.connection = connection;
        Status s = xmlimport(args, [this](int done, int total) { progress << done * 100 + total; });
        if (status) *status = args.status;
        return s;
    }
    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The failure's description, or "" when it succeeded.
    static QString why(const Status& s) { return s ? QString() : s.error().description; }

    QList<int> progress;
};

TEST_F(XmlLibraryTest, ExportDeleteImportGivesBackEveryColumn)
{
    const QStringList numbers = *loadRegistrationNumbers(db());
    ASSERT_EQ(numbers.size(), 5);
    for (const QString& number : numbers) {
        SCOPED_TRACE(number.toStdString());
        const QStringList before = dump(db(), number);
        const QString file = path(number + QStringLiteral(".xml"));
        QString status;
        ASSERT_EQ(why(exportTo(file, number, &status)), QString());
        EXPECT_EQ(status, QStringLiteral("1"));
        deleteRegistration(number);
        ASSERT_TRUE(dump(db(), number).isEmpty());
        status.clear();
        ASSERT_EQ(why(importFrom(file, &status)), QString());
        EXPECT_EQ(status, QStringLiteral("1"));
        EXPECT_EQ(dump(db(), number), before);
    }
    // Null and empty text, CR LF, control characters and full-precision reals
    // were really there to lose.
    const QString odd = dump(db(), kOdd).join(QLatin1Char('\n'));
    EXPECT_TRUE(odd.contains(QStringLiteral("填表人=null:")));
    EXPECT_TRUE(odd.contains(QStringLiteral("填表负责人=text: ")));
    EXPECT_TRUE(odd.contains(QStringLiteral("0D0A")));
    EXPECT_TRUE(odd.contains(QStringLiteral("备注=text:01")));
    EXPECT_TRUE(odd.contains(QStringLiteral("中心点X坐标=real:4412345.6789012337")));
    EXPECT_TRUE(odd.contains(QStringLiteral("均值标识=integer:31")));
}

TEST_F(XmlLibraryTest, ImportIntoAnEmptyTemplateCopyMatchesTheSource)
{
    const QString file = path(QStringLiteral("odd.xml"));
    ASSERT_EQ(why(exportTo(file, kOdd)), QString());
    Db::ScopedConnection target(QStringLiteral("xml-target"), copyTemplate(QStringLiteral("empty.mdb")),
                                Db::OpenMode::ReadWrite);
    ASSERT_TRUE(target.ok());
    ASSERT_EQ(why(importFrom(file, nullptr, target.name())), QString());
    EXPECT_EQ(dump(target.db(), kOdd), dump(db(), kOdd));
    EXPECT_EQ(progress, QList<int>{101});
}

TEST_F(XmlLibraryTest, AFileOfSeveralRegistrationsGoesInWhole)
{
    const QStringList numbers = loadRegistrationNumbers(db())->mid(0, 3);
    ExchangeDocument doc{QStringLiteral("DJK"), QStringLiteral("MDB"), QString(), {}};
    QList<QStringList> before;
    for (const QString& number : numbers) {
        auto reg = readRegistration(db(), kTables, QStringLiteral("登记号"), number);
        ASSERT_TRUE(reg.ok());
        doc.registrations << *reg;
        before << dump(db(), number);
        deleteRegistration(number);
    }
    writeFile(QStringLiteral("three.xml"), *writeDocument(doc));
    ASSERT_EQ(why(importFrom(path(QStringLiteral("three.xml")))), QString());
    for (int i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(dump(db(), numbers.at(i)), before.at(i));
    EXPECT_EQ(progress, (QList<int>{103, 203, 303}));
}

TEST_F(XmlLibraryTest, RefusedFilesLeaveTheDatabaseUnchanged)
{
    const QString file = path(QStringLiteral("odd.xml"));
    ASSERT_EQ(why(exportTo(file, kOdd)), QString());
    const QByteArray good = bytesOf(file);
    const QList<int> all = counts(db());

    // The number is still in the database.
    QString status;
    EXPECT_EQ(why(importFrom(file, &status)), QStringLiteral("登记号【4110101082999】在数据库中已经存在。"));
    EXPECT_EQ(status, QStringLiteral("0"));
    deleteRegistration(kOdd);
    const QList<int> without = counts(db());
    ASSERT_NE(without, all);

    struct Case
    {
        QByteArray bytes;
        QString message;
    };
    const QByteArray other = QByteArray(good).replace("<table name=\"质量\">", "<table name=\"查明\">");
    QByteArray stranger = good;
    stranger.replace("<null col=\"填表人\"/>", "<null col=\"填表人\"/><text col=\"外来列\">x</text>");
    QByteArray twoRows = good;
    const int rowStart = twoRows.indexOf("      <row>");
    const int rowEnd = twoRows.indexOf("</row>", rowStart) + 6;
    twoRows.insert(rowEnd, "\n" + twoRows.mid(rowStart, rowEnd - rowStart)); // 登记 twice: the key refuses it
    const QList<Case> cases = {
        {good.left(good.size() / 2), QStringLiteral("第%1行：文件不完整，XML没有正常结束。")
                                         .arg(good.left(good.size() / 2).count('\n') + 1)},
        {"<?xml version=\"1.0\"?><kml><Document/></kml>",
         QStringLiteral("第1行：文件不是本系统的XML交换文件。")},
        {QByteArray(good).replace("system=\"DJK\"", "system=\"CKQ\""),
         QStringLiteral("文件的系统类型“CKQ”不是本系统的“DJK”。")},
        {other, QStringLiteral("表【查明】不在导入的数据表之中。")},
        {stranger, QStringLiteral("数据库的表【登记】没有列【外来列】。")},
        {QByteArray(good).replace(">4110101082999</text>", ">4110101082998</text>"),
         QStringLiteral("登记号【4110101082999】的表【登记】中有一行的登记号不是【4110101082999】。")},
        {twoRows,
         QStringLiteral("登记号【4110101082999】写入表【登记】时出错：UNIQUE constraint failed: 登记.登记号 "
                        "Unable to fetch row")},
    };
    for (const Case& c : cases) {
        writeFile(QStringLiteral("bad.xml"), c.bytes);
        status = QStringLiteral("1");
        EXPECT_EQ(why(importFrom(path(QStringLiteral("bad.xml")), &status)), c.message);
        EXPECT_EQ(status, QStringLiteral("0"));
        EXPECT_EQ(counts(db()), without);
    }
    EXPECT_EQ(why(importFrom(path(QStringLiteral("missing.xml")))),
              QStringLiteral("文件不存在：%1").arg(path(QStringLiteral("missing.xml"))));
}

TEST_F(XmlLibraryTest, AFailedExportLeavesAnExistingFileAsItWas)
{
    const QString file = path(QStringLiteral("old.xml"));
    writeFile(QStringLiteral("old.xml"), "old content");
    QString status;
    EXPECT_EQ(why(exportTo(file, QStringLiteral("4999999999999"), &status)),
              QStringLiteral("登记号【4999999999999】在数据库中没有数据。"));
    EXPECT_EQ(status, QStringLiteral("0"));
    EXPECT_EQ(bytesOf(file), QByteArray("old content"));

    const QString nowhere = path(QStringLiteral("no-such-folder/x.xml"));
    EXPECT_EQ(why(exportTo(nowhere, kOdd)), QStringLiteral("无法写入文件：%1（文件夹不存在）").arg(nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));

    ASSERT_EQ(why(exportTo(file, kOdd, &status)), QString());
    EXPECT_EQ(status, QStringLiteral("1"));
    EXPECT_TRUE(readDocument(bytesOf(file)).ok());
}

TEST(QueryTemplate, NamesTheKeyColumnOrFails)
{
    EXPECT_EQ(*templateKeyColumn(QStringLiteral("select * from _0_ where 登记号= '_1_'")),
              QStringLiteral("登记号"));
    auto bad = templateKeyColumn(QStringLiteral("select * from _0_; drop table 登记"));
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().description,
              QStringLiteral("无法识别的查询模板“select * from _0_; drop table 登记”。"));
    EXPECT_EQ(tableList(QStringLiteral("登记;cb08")).error().description,
              QStringLiteral("表【cb08】不是登记数据表。"));
}

} // namespace
