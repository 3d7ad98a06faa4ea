#include "FieldBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Boxes sit inside the ruled cells of the page: flat, on a faint tint that shows
// where to type.
const QString BoxStyle = QStringLiteral(
    "QLineEdit, QPlainTextEdit { border: none; background: #f3f6fb; padding: 0px; margin: 0px; }"
    "QLineEdit:focus, QPlainTextEdit:focus { background: #fffbe6; }"
    "QLineEdit:disabled, QPlainTextEdit:disabled { background: #f3f6fb; color: #000000; }");
const QString UnderlinedStyle = QStringLiteral("QLineEdit, QLineEdit:disabled { background: transparent; }");

Qt::Alignment alignmentOf(FormControl::Align a)
{
    switch (a) {
    case FormControl::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case FormControl::Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case FormControl::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

FieldBox::FieldBox(const FormControl& layout, QWidget* parent)
    : QWidget(parent), m_column(layout.column), m_maxLength(layout.maxLength), m_limit(layout.maxLength)
{
    const QFont font = FormFonts::fontOf(layout);
    setToolTip(m_column);
    // An underlined box (print option X) stands on its line without a tint.
    const bool underlined = layout.tag.contains(QLatin1Char('X'), Qt::CaseInsensitive);
    setStyleSheet(underlined ? BoxStyle + UnderlinedStyle : BoxStyle);

    if (layout.multiLine) {
        m_plain = new QPlainTextEdit(this);
        m_plain->setFont(font);
        m_plain->setFrameShape(QFrame::NoFrame);
        m_plain->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_plain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_plain->setTabChangesFocus(true);
        m_plain->document()->setDocumentMargin(1);
        m_plain->setToolTip(m_column);
        connect(m_plain->document(), &QTextDocument::contentsChange, this,
                [this](int position, int, int added) {
                    if (m_cutting) return;
                    m_lastPosition = position;
                    m_lastAdded = added;
                });
        connect(m_plain, &QPlainTextEdit::textChanged, this, [this] {
            if (m_cutting) return;
            cutMultiLine();
            Q_EMIT textChanged(m_plain->toPlainText());
        });
        setFocusProxy(m_plain);
    } else {
        m_line = new QLineEdit(this);
        m_line->setFont(font);
        m_line->setFrame(false);
        m_line->setTextMargins(1, 0, 1, 0);
        m_line->setAlignment(alignmentOf(layout.alignment));
        if (m_maxLength > 0) m_line->setMaxLength(m_maxLength);
        m_line->setToolTip(m_column);
        connect(m_line, &QLineEdit::textChanged, this, &FieldBox::textChanged);
        setFocusProxy(m_line);
    }
}

QWidget* FieldBox::editor() const
{
    return m_plain ? static_cast<QWidget*>(m_plain) : static_cast<QWidget*>(m_line);
}

QString FieldBox::text() const
{
    if (m_line) return m_line->text();
    // A multi-line box shows every line end as one break: a text that was not
    // edited reads back exactly as it was set (CR LF and all), an edited one
    // keeps the line ends of the text it was set to.
    const QString shown = m_plain->toPlainText();
    if (shown == m_shownOfSet) return m_set;
    if (!m_crlf) return shown;
    QString t = shown;
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

void FieldBox::setTextWhole(const QString& text)
{
    if (m_maxLength <= 0 || text.size() <= m_maxLength) return setText(text);
    if (m_plain) return setPlainText(text);
    m_line->setMaxLength(int(text.size()));
    m_line->setText(text);
    m_line->setCursorPosition(0);
}

void FieldBox::setText(const QString& text)
{
    if (m_line) {
        if (m_maxLength > 0) m_line->setMaxLength(m_maxLength);
        m_line->setText(text); // cut to the maximum length by the box itself
        m_line->setCursorPosition(0); // a long value shows its start
        return;
    }
    setPlainText(m_maxLength > 0 ? text.left(m_maxLength) : text);
}

void FieldBox::setPlainText(const QString& text)
{
    const QString before = this->text();
    m_cutting = true;
    m_plain->setPlainText(text);
    m_cutting = false;
    m_set = text;
    m_shownOfSet = m_plain->toPlainText();
    m_limit = std::max(m_maxLength, int(m_shownOfSet.size()));
    m_crlf = text.contains(QLatin1String("\r\n"));
    if (text != before) Q_EMIT textChanged(text);
}

void FieldBox::cutMultiLine()
{
    if (m_maxLength <= 0) return;
    const int excess = int(m_plain->toPlainText().size()) - m_limit;
    if (excess <= 0) return;
    // Typed or pasted text past the maximum: the characters that do not fit are
    // dropped from what was just inserted, as a single-line box refuses them.
    m_cutting = true;
    QTextCursor cursor(m_plain->document());
    const int insertedEnd = m_lastPosition + m_lastAdded;
    const int drop = std::min(excess, m_lastAdded);
    if (drop > 0 && insertedEnd <= m_plain->document()->characterCount() - 1) {
        cursor.setPosition(insertedEnd - drop);
        cursor.setPosition(insertedEnd, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    const QString t = m_plain->toPlainText();
    if (t.size() > m_limit) m_plain->setPlainText(t.left(m_limit));
    m_cutting = false;
}

void FieldBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    editor()->setGeometry(rect());
}
