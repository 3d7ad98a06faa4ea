#include "ExchangeReader.h"

#include "ExchangeText.h"

#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <optional>

namespace tabxfer {

namespace {

class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_xml(bytes) {}

    Result<ExchangeDocument> read();

private:
    // Moves to the next token that matters: comments and processing instructions
    // are passed over, and so is whitespace when `skipBlanks` is set. False on a
    // fault (m_error is then set).
    bool next(bool skipBlanks);
    bool fail(const QString& description);
    // Moves to the next child element of `parent`: Child when there is one (named
    // in `allowed`, any name when that is empty), End at the parent's end tag,
    // Fault otherwise.
    enum class Step { Child, End, Fault };
    Step nextChild(const QString& parent, const QStringList& allowed);
    bool failAt(qint64 line, const QString& description);
    // The value of a required attribute; no other attribute is allowed.
    std::optional<QString> attributes(const QStringList& names, QStringList* values);
    bool readRoot(ExchangeDocument* doc);
    bool readRegistration(ExchangeRegistration* reg);
    bool readTable(ExchangeTable* table);
    bool readRow(ExchangeRow* row);
    bool readValue(QVariant* value);
    // The character content of the current element up to its end tag, with
    // <char/> elements taken in when `withChars` is set.
    bool readContent(QString* text, bool withChars);

    QXmlStreamReader m_xml;
    std::optional<Db::Error> m_error;
};

bool Reader::failAt(qint64 line, const QString& description)
{
    if (!m_error) m_error = invalidFile(QStringLiteral("第%1行：%2").arg(line).arg(description));
    return false;
}

bool Reader::fail(const QString& description)
{
    return failAt(m_xml.lineNumber(), description);
}

bool Reader::next(bool skipBlanks)
{
    for (;;) {
        const auto token = m_xml.readNext();
        switch (token) {
        case QXmlStreamReader::Invalid:
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                return fail(QStringLiteral("文件不完整，XML没有正常结束。"));
            return fail(QStringLiteral("XML格式错误（%1）。").arg(m_xml.errorString()));
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            continue;
        case QXmlStreamReader::DTD:
            return fail(QStringLiteral("文件不能含有文档类型定义（DTD）。"));
        case QXmlStreamReader::EntityReference:
            return fail(QStringLiteral("文件含有未定义的实体“%1”。").arg(m_xml.name().toString()));
        case QXmlStreamReader::Characters:
            if (skipBlanks && m_xml.isWhitespace()) continue;
            return true;
        default:
            return true;
        }
    }
}

Reader::Step Reader::nextChild(const QString& parent, const QStringList& allowed)
{
    if (!next(true)) return Step::Fault;
    if (m_xml.tokenType() == QXmlStreamReader::EndElement) return Step::End;
    if (m_xml.tokenType() != QXmlStreamReader::StartElement) {
        fail(QStringLiteral("元素<%1>中出现了多余的文字。").arg(parent));
        return Step::Fault;
    }
    if (!allowed.isEmpty() && !allowed.contains(m_xml.name().toString())) {
        fail(QStringLiteral("出现了不认识的元素<%1>。").arg(m_xml.name().toString()));
        return Step::Fault;
    }
    return Step::Child;
}

std::optional<QString> Reader::attributes(const QStringList& names, QStringList* values)
{
    const QXmlStreamAttributes attrs = m_xml.attributes();
    values->clear();
    for (const QString& name : names) {
        if (!attrs.hasAttribute(name)) {
            fail(QStringLiteral("元素<%1>缺少属性%2。").arg(m_xml.name().toString(), name));
            return std::nullopt;
        }
        values->append(attrs.value(name).toString());
    }
    for (const QXmlStreamAttribute& a : attrs) {
        if (!names.contains(a.qualifiedName().toString())) {
            fail(QStringLiteral("元素<%1>有不认识的属性%2。")
                     .arg(m_xml.name().toString(), a.qualifiedName().toString()));
            return std::nullopt;
        }
    }
    return QString();
}

bool Reader::readContent(QString* text, bool withChars)
{
    QString result = QStringLiteral(""); // empty text, but not Null
    result.detach();
    for (;;) {
        if (!next(false)) return false;
        switch (m_xml.tokenType()) {
        case QXmlStreamReader::Characters:
            result += m_xml.text();
            break;
        case QXmlStreamReader::EndElement:
            *text = result;
            return true;
        case QXmlStreamReader::StartElement: {
            if (!withChars || m_xml.name() != Tag::Char)
                return fail(QStringLiteral("出现了不认识的元素<%1>。").arg(m_xml.name().toString()));
            QStringList v;
            if (!attributes({Tag::Code}, &v)) return false;
            bool ok = false;
            const uint code = v.at(0).toUInt(&ok, 16);
            if (!ok || v.at(0).isEmpty() || v.at(0).size() > 4 || code > 0xFFFF || v.at(0).startsWith(u'+') ||
                v.at(0).startsWith(u'-'))
                return fail(QStringLiteral("字符代码“%1”无效。").arg(v.at(0)));
            if (!next(false) || m_xml.tokenType() != QXmlStreamReader::EndElement)
                return fail(QStringLiteral("元素<%1>必须是空元素。").arg(Tag::Char));
            result += QChar(char16_t(code));
            break;
        }
        default:
            return fail(QStringLiteral("XML格式错误。"));
        }
    }
}

bool Reader::readValue(QVariant* value)
{
    const QString tag = m_xml.name().toString();
    const qint64 line = m_xml.lineNumber();
    QStringList v;
    if (tag == Tag::Null) {
        if (!attributes({Tag::Column}, &v)) return false;
        QString text;
        if (!readContent(&text, false)) return false;
        if (!text.trimmed().isEmpty()) return failAt(line, QStringLiteral("空值<null>不能含有内容。"));
        *value = QVariant();
        return true;
    }
    if (tag == Tag::Text) {
        if (!attributes({Tag::Column}, &v)) return false;
        QString text;
        if (!readContent(&text, true)) return false;
        *value = text;
        return true;
    }
    if (tag == Tag::Integer || tag == Tag::Real || tag == Tag::Blob) {
        if (!attributes({Tag::Column}, &v)) return false;
        QString text;
        if (!readContent(&text, false)) return false;
        if (tag == Tag::Integer) {
            qlonglong n = 0;
            if (!parseInteger(text, &n)) return failAt(line, QStringLiteral("“%1”不是整数。").arg(text));
            *value = n;
        } else if (tag == Tag::Real) {
            double d = 0;
            if (!parseReal(text, &d)) return failAt(line, QStringLiteral("“%1”不是实数。").arg(text));
            *value = d;
        } else {
            const auto decoded =
                QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded) return failAt(line, QStringLiteral("二进制值不是有效的Base64编码。"));
            *value = *decoded;
        }
        return true;
    }
    return fail(QStringLiteral("出现了不认识的元素<%1>。").arg(tag));
}

bool Reader::readRow(ExchangeRow* row)
{
    QStringList v;
    if (!attributes({}, &v)) return false;
    QSet<QString> seen;
    for (;;) {
        if (const Step step = nextChild(Tag::Row, {}); step != Step::Child) return step == Step::End;
        const QString column = m_xml.attributes().value(Tag::Column).toString();
        QVariant value;
        if (!readValue(&value)) return false;
        if (seen.contains(column)) return fail(QStringLiteral("同一行中列【%1】出现了两次。").arg(column));
        seen.insert(column);
        row->columns.append(column);
        row->values.append(value);
    }
}

bool Reader::readTable(ExchangeTable* table)
{
    QStringList v;
    if (!attributes({Tag::Name}, &v)) return false;
    table->name = v.at(0);
    for (;;) {
        if (const Step step = nextChild(Tag::Table, {Tag::Row}); step != Step::Child)
            return step == Step::End;
        ExchangeRow row;
        if (!readRow(&row)) return false;
        table->rows.append(std::move(row));
    }
}

bool Reader::readRegistration(ExchangeRegistration* reg)
{
    QStringList v;
    if (!attributes({Tag::Number}, &v)) return false;
    reg->number = v.at(0);
    if (reg->number.isEmpty()) return fail(QStringLiteral("登记号为空。"));
    QSet<QString> seen;
    for (;;) {
        if (const Step step = nextChild(Tag::Registration, {Tag::Table}); step != Step::Child)
            return step == Step::End;
        const qint64 line = m_xml.lineNumber();
        ExchangeTable table;
        if (!readTable(&table)) return false;
        if (seen.contains(table.name))
            return failAt(line,
                          QStringLiteral("登记号【%1】的表【%2】出现了两次。").arg(reg->number, table.name));
        seen.insert(table.name);
        reg->tables.append(std::move(table));
    }
}

bool Reader::readRoot(ExchangeDocument* doc)
{
    if (m_xml.name() != Tag::Root) return fail(QStringLiteral("文件不是本系统的XML交换文件。"));
    QStringList v;
    if (!attributes({Tag::Format, Tag::System, Tag::Database}, &v)) return false;
    if (v.at(0) != QString::number(kFormatVersion))
        return fail(QStringLiteral("文件的格式版本“%1”不受支持。").arg(v.at(0)));
    doc->system = v.at(1);
    doc->database = v.at(2);
    bool headerSeen = false;
    QSet<QString> numbers;
    for (;;) {
        const QStringList allowed = headerSeen || !doc->registrations.isEmpty()
                                        ? QStringList{Tag::Registration}
                                        : QStringList{Tag::Header, Tag::Registration};
        if (const Step step = nextChild(Tag::Root, allowed); step != Step::Child) {
            if (step == Step::Fault) return false;
            break;
        }
        if (m_xml.name() == Tag::Header) {
            headerSeen = true;
            if (!attributes({}, &v) || !readContent(&doc->header, true)) return false;
            continue;
        }
        const qint64 line = m_xml.lineNumber();
        ExchangeRegistration reg;
        if (!readRegistration(&reg)) return false;
        if (numbers.contains(reg.number))
            return failAt(line, QStringLiteral("登记号【%1】在文件中出现了两次。").arg(reg.number));
        numbers.insert(reg.number);
        doc->registrations.append(std::move(reg));
    }
    if (doc->registrations.isEmpty()) return fail(QStringLiteral("文件中没有登记数据。"));
    return true;
}

Result<ExchangeDocument> Reader::read()
{
    ExchangeDocument doc;
    if (!next(true)) return *m_error;
    if (m_xml.tokenType() == QXmlStreamReader::StartDocument) {
        const QString encoding = m_xml.documentEncoding().toString();
        if (!encoding.isEmpty() && encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) {
            fail(QStringLiteral("文件的编码“%1”不是UTF-8。").arg(encoding));
            return *m_error;
        }
        if (!next(true)) return *m_error;
    }
    if (m_xml.tokenType() != QXmlStreamReader::StartElement) {
        fail(QStringLiteral("文件不是本系统的XML交换文件。"));
        return *m_error;
    }
    if (!readRoot(&doc)) return *m_error;
    if (!next(true)) return *m_error;
    if (m_xml.tokenType() != QXmlStreamReader::EndDocument) {
        fail(QStringLiteral("文件结尾处有多余的内容。"));
        return *m_error;
    }
    return doc;
}

} // namespace

Result<ExchangeDocument> readDocument(QByteArrayView bytes)
{
    if (bytes.size() > kMaxFileBytes) return invalidFile(QStringLiteral("文件太大（超过256MB）。"));
    if (bytes.isEmpty()) return invalidFile(QStringLiteral("文件是空的。"));
    // Every byte must be UTF-8: a reader would otherwise put replacement
    // characters in the place of faulty bytes without a word.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    if (utf8.hasError()) return invalidFile(QStringLiteral("文件不是UTF-8编码的文本。"));
    Q_UNUSED(decoded);
    Reader reader(bytes.toByteArray());
    return reader.read();
}

void fuzzReadDocument(const std::uint8_t* data, std::size_t size)
{
    if (size > std::size_t(kMaxFileBytes)) return;
    const auto result = readDocument(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    Q_UNUSED(result);
}

} // namespace tabxfer
