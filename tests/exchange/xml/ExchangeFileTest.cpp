#include "exchange/xml/ExchangeReader.h"
#include "exchange/xml/ExchangeWriter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using namespace tabxfer;

// Exact sameness of two values: kind, Null-ness and content (doubles bit for bit).
void expectSameValue(const QVariant& a, const QVariant& b, const QString& column)
{
    SCOPED_TRACE(column.toStdString());
    ASSERT_EQ(a.isValid(), b.isValid());
    if (!a.isValid()) return;
    ASSERT_EQ(a.typeId(), b.typeId());
    if (a.typeId() == QMetaType::Double) {
        const double x = a.toDouble(), y = b.toDouble();
        EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << x << " " << y;
    } else if (a.typeId() == QMetaType::QString) {
        EXPECT_EQ(a.toString().isNull(), b.toString().isNull());
        EXPECT_EQ(a.toString(), b.toString());
    } else {
        EXPECT_EQ(a, b);
    }
}

ExchangeDocument sampleDocument()
{
    ExchangeRow row;
    const QString lone = QString(QChar(char16_t(0xD800))) + QStringLiteral("x");
    const QList<QPair<QString, QVariant>> values = {
        {QStringLiteral("登记号"), QStringLiteral("4110101082001")},
        {QStringLiteral("空值"), QVariant()},
        {QStringLiteral("空文字"), QStringLiteral("")},
        {QStringLiteral("多行"), QStringLiteral("第一行\r\n第二行\r\n\r\n")},
        {QStringLiteral("单独回车"), QStringLiteral("a\rb\n\tc")},
        {QStringLiteral("控制字符"), QStringLiteral("\x01\x1f\x0b\x0c") + QChar(char16_t(0xFFFE)) + lone},
        {QStringLiteral("空白"), QStringLiteral("  两端空白  ")},
        {QStringLiteral("只有空白"), QStringLiteral(" \n ")},
        {QStringLiteral("标记"), QStringLiteral("<a href=\"x\">&amp;]]></a>")},
        {QStringLiteral("扩展字符"), QStringLiteral("𠀀😀")},
        {QStringLiteral("最大整数"), QVariant(std::numeric_limits<qlonglong>::max())},
        {QStringLiteral("最小整数"), QVariant(std::numeric_limits<qlonglong>::min())},
        {QStringLiteral("十分之一"), QVariant(0.1)},
        {QStringLiteral("次正规数"), QVariant(5e-324)},
        {QStringLiteral("负零"), QVariant(-0.0)},
        {QStringLiteral("大数"), QVariant(1.7976931348623157e308)},
        {QStringLiteral("无穷"), QVariant(std::numeric_limits<double>::infinity())},
        {QStringLiteral("负无穷"), QVariant(-std::numeric_limits<double>::infinity())},
        {QStringLiteral("坐标"), QVariant(39512345.678901234)},
        {QStringLiteral("二进制"), QVariant(QByteArray("\0\xff\x10", 3))},
    };
    for (const auto& [c, v] : values) {
        row.columns << c;
        row.values << v;
    }
    ExchangeDocument doc;
    doc.system = QStringLiteral("DJK");
    doc.database = QStringLiteral("MDB");
    doc.header = QStringLiteral("Tarnwick;压覆登记;;;;;;;;DJH;4110101082001;");
    ExchangeRegistration reg;
    reg.number = QStringLiteral("4110101082001");
    reg.tables << ExchangeTable{QStringLiteral("登记"), {row}} << ExchangeTable{QStringLiteral("质量"), {}};
    doc.registrations << reg;
    return doc;
}

QByteArray sampleBytes()
{
    auto bytes = writeDocument(sampleDocument());
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : QByteArray();
}

// The line of the first `needle` in `bytes`.
int lineOf(const QByteArray& bytes, const QByteArray& needle)
{
    return int(bytes.left(bytes.indexOf(needle)).count('\n')) + 1;
}

QString readError(const QByteArray& bytes)
{
    auto doc = readDocument(bytes);
    return doc ? QStringLiteral("(read)") : doc.error().description;
}

TEST(ExchangeFile, EveryValueReadsBackExactly)
{
    const ExchangeDocument original = sampleDocument();
    const QByteArray bytes = sampleBytes();
    auto read = readDocument(bytes);
    ASSERT_TRUE(read.ok()) << read.error().description.toStdString();
    EXPECT_EQ(read->system, original.system);
    EXPECT_EQ(read->database, original.database);
    EXPECT_EQ(read->header, original.header);
    ASSERT_EQ(read->registrations.size(), 1);
    const ExchangeRegistration& reg = read->registrations.first();
    EXPECT_EQ(reg.number, QStringLiteral("4110101082001"));
    ASSERT_EQ(reg.tables.size(), 2);
    EXPECT_EQ(reg.tables.at(1).name, QStringLiteral("质量"));
    EXPECT_TRUE(reg.tables.at(1).rows.isEmpty());
    const ExchangeRow& got = reg.tables.at(0).rows.at(0);
    const ExchangeRow& want = original.registrations.first().tables.at(0).rows.at(0);
    ASSERT_EQ(got.columns, want.columns);
    for (int i = 0; i < want.values.size(); ++i)
        expectSameValue(got.values.at(i), want.values.at(i), want.columns.at(i));
    // The file is plain UTF-8 XML that any reader takes: Chinese as it is, line ends
    // as character references, forbidden code units as <char/> elements.
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("第一行&#13;\n第二行").toUtf8()));
    EXPECT_TRUE(bytes.contains("<char code=\"D800\"/>x"));
    EXPECT_TRUE(bytes.contains("<null col=\"空值\"/>"));
    EXPECT_TRUE(bytes.contains("<text col=\"空文字\"/>"));
}

TEST(ExchangeFile, RefusesWhatIsNotAWellFormedFileOfOurs)
{
    const QByteArray good = sampleBytes();
    EXPECT_EQ(readError(good.left(good.size() * 2 / 3)),
              QStringLiteral("第%1行：文件不完整，XML没有正常结束。")
                  .arg(good.left(good.size() * 2 / 3).count('\n') + 1));
    EXPECT_EQ(readError("<?xml version=\"1.0\"?>\n<html><body/></html>"),
              QStringLiteral("第2行：文件不是本系统的XML交换文件。"));
    EXPECT_EQ(readError(QByteArray(good).replace("format=\"1\"", "format=\"2\"")),
              QStringLiteral("第2行：文件的格式版本“2”不受支持。"));
    EXPECT_EQ(
        readError(QByteArray("<!DOCTYPE r [<!ENTITY a \"aaaa\">]>\n") + good.mid(good.indexOf('\n') + 1)),
        QStringLiteral("第1行：文件不能含有文档类型定义（DTD）。"));
    EXPECT_EQ(
        readError(QByteArray(good).replace("<integer col=\"最大整数\">", "<integer col=\"最大整数\">x")),
        QStringLiteral("第%1行：“x9223372036854775807”不是整数。").arg(lineOf(good, "最大整数")));
    EXPECT_EQ(readError(QByteArray(good).replace("INF", "NaN")),
              QStringLiteral("第%1行：“NaN”不是实数。").arg(lineOf(good, "INF")));
    EXPECT_EQ(readError(QByteArray(good).replace("col=\"空文字\"", "col=\"空值\"")),
              QStringLiteral("第%1行：同一行中列【空值】出现了两次。").arg(lineOf(good, "空文字")));
    EXPECT_EQ(readError(QByteArray(good).replace("第一行", "\xff\xfe")),
              QStringLiteral("文件不是UTF-8编码的文本。"));
    EXPECT_EQ(readError(""), QStringLiteral("文件是空的。"));
    const QByteArray empty =
        "<registration-exchange format=\"1\" system=\"DJK\" database=\"MDB\"></registration-exchange>";
    EXPECT_EQ(readError(empty), QStringLiteral("第1行：文件中没有登记数据。"));

    // The same registration twice.
    const int start = good.indexOf("  <registration ");
    const int end = good.indexOf("</registration>") + int(strlen("</registration>"));
    QByteArray twice = good;
    twice.insert(end, "\n" + good.mid(start, end - start));
    EXPECT_EQ(readError(twice), QStringLiteral("第%1行：登记号【4110101082001】在文件中出现了两次。")
                                    .arg(twice.left(twice.lastIndexOf("<registration ")).count('\n') + 1));
}

// A bounded random-mutation run over the reader (the fuzzing entry point): flipped,
// dropped, doubled and inserted bytes and cut files never crash it, and every
// refusal says why.
TEST(ExchangeFile, MutatedFilesNeverCrashTheReader)
{
    const QByteArray good = sampleBytes();
    const QList<QByteArray> pieces = {"<",
                                      ">",
                                      "&",
                                      "&#0;",
                                      "&#13;",
                                      "\"",
                                      "<char code=\"110000\"/>",
                                      "</row>",
                                      "<row>",
                                      "<!DOCTYPE x>",
                                      "\xe4\xb8",
                                      "]]>",
                                      "\0"};
    QRandomGenerator rand(20081103);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + int(rand.bounded(4));
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = int(rand.bounded(bytes.size()));
            switch (rand.bounded(5)) {
            case 0:
                bytes[at] = char(rand.bounded(256));
                break;
            case 1:
                bytes.remove(at, 1 + int(rand.bounded(8)));
                break;
            case 2:
                bytes.insert(at, bytes.mid(at, 1 + int(rand.bounded(40))));
                break;
            case 3:
                bytes.insert(at, pieces.at(int(rand.bounded(pieces.size()))));
                break;
            default:
                bytes.truncate(at);
                break;
            }
        }
        fuzzReadDocument(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        auto doc = readDocument(bytes);
        if (!doc) {
            ++refused;
            EXPECT_FALSE(doc.error().description.isEmpty());
        }
    }
    EXPECT_GT(refused, 1000);
}

} // namespace
