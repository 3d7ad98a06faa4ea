#include "ExchangeWriter.h"

#include "ExchangeText.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace tabxfer {

namespace {

class Writer
{
public:
    explicit Writer(QByteArray* out) : m_buffer(out)
    {
        m_buffer.open(QIODevice::WriteOnly);
        m_xml.setDevice(&m_buffer);
        // No automatic indentation: it could put blanks into a text value. The
        // layout whitespace is written by hand between elements only.
        m_xml.setAutoFormatting(false);
    }

    Status write(const ExchangeDocument& doc);

private:
    Status attribute(const QString& name, const QString& value);
    void newline(int depth)
    {
        m_xml.writeCharacters(QLatin1Char('\n') + QString(depth * 2, QLatin1Char(' ')));
    }
    void content(const QString& text);
    Status value(const QString& column, const QVariant& v);

    QBuffer m_buffer;
    QXmlStreamWriter m_xml;
};

Status Writer::attribute(const QString& name, const QString& value)
{
    if (!isAttributeSafe(value))
        return failure(QStringLiteral("名称“%1”含有无法写入XML属性的字符。").arg(value));
    m_xml.writeAttribute(name, value);
    return Status::success();
}

// Text as it is, but carriage returns as character references and the code units
// XML 1.0 cannot carry at all as empty <char code="..."/> elements.
void Writer::content(const QString& text)
{
    QString run;
    auto flush = [&] {
        if (!run.isEmpty()) m_xml.writeCharacters(run);
        run.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            run += text.at(i);
            run += text.at(i + 1);
            ++i;
            continue;
        }
        if (isPlainContentUnit(u)) {
            run += text.at(i);
            continue;
        }
        flush();
        if (u == 0xD) {
            m_xml.writeEntityReference(QStringLiteral("#13"));
        } else {
            m_xml.writeEmptyElement(Tag::Char);
            m_xml.writeAttribute(Tag::Code, QString::number(uint(u), 16).toUpper());
        }
    }
    flush();
}

Status Writer::value(const QString& column, const QVariant& v)
{
    QString tag;
    QString text;
    if (!v.isValid() || v.isNull()) {
        tag = Tag::Null;
    } else {
        switch (v.typeId()) {
        case QMetaType::QString:
            tag = Tag::Text;
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            tag = Tag::Integer;
            text = QString::number(v.toLongLong());
            break;
        case QMetaType::Double:
            tag = Tag::Real;
            text = realText(v.toDouble());
            break;
        case QMetaType::QByteArray:
            tag = Tag::Blob;
            text = QString::fromLatin1(v.toByteArray().toBase64());
            break;
        default:
            return failure(QStringLiteral("列【%1】的值类型无法写入XML。").arg(column));
        }
    }
    if (tag == Tag::Null) {
        m_xml.writeEmptyElement(tag);
        return attribute(Tag::Column, column);
    }
    m_xml.writeStartElement(tag);
    if (Status s = attribute(Tag::Column, column); !s) return s;
    if (tag == Tag::Text)
        content(v.toString());
    else
        m_xml.writeCharacters(text);
    m_xml.writeEndElement();
    return Status::success();
}

Status Writer::write(const ExchangeDocument& doc)
{
    m_xml.writeStartDocument(QStringLiteral("1.0"));
    m_xml.writeCharacters(QStringLiteral("\n"));
    m_xml.writeStartElement(Tag::Root);
    m_xml.writeAttribute(Tag::Format, QString::number(kFormatVersion));
    if (Status s = attribute(Tag::System, doc.system); !s) return s;
    if (Status s = attribute(Tag::Database, doc.database); !s) return s;
    if (!doc.header.isEmpty()) {
        newline(1);
        m_xml.writeStartElement(Tag::Header);
        content(doc.header);
        m_xml.writeEndElement();
    }
    for (const ExchangeRegistration& reg : doc.registrations) {
        newline(1);
        m_xml.writeStartElement(Tag::Registration);
        if (Status s = attribute(Tag::Number, reg.number); !s) return s;
        for (const ExchangeTable& table : reg.tables) {
            newline(2);
            m_xml.writeStartElement(Tag::Table);
            if (Status s = attribute(Tag::Name, table.name); !s) return s;
            for (const ExchangeRow& row : table.rows) {
                newline(3);
                m_xml.writeStartElement(Tag::Row);
                for (qsizetype i = 0; i < row.columns.size(); ++i) {
                    newline(4);
                    if (Status s = value(row.columns.at(i), row.values.value(i)); !s) return s;
                }
                newline(3);
                m_xml.writeEndElement();
            }
            if (!table.rows.isEmpty()) newline(2);
            m_xml.writeEndElement();
        }
        newline(1);
        m_xml.writeEndElement();
    }
    newline(0);
    m_xml.writeEndElement();
    m_xml.writeEndDocument();
    if (m_xml.hasError()) return failure(QStringLiteral("XML写入失败。"));
    return Status::success();
}

} // namespace

Result<QByteArray> writeDocument(const ExchangeDocument& document)
{
    QByteArray bytes;
    {
        Writer writer(&bytes);
        if (Status s = writer.write(document); !s) return s.error();
    }
    return bytes;
}

} // namespace tabxfer
