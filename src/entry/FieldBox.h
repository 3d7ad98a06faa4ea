#pragma once

#include "registration/form/FormControl.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// One field box of the entry window: a single-line box, or a multi-line box with a
// vertical scroll bar. Its tooltip text is its bound column. The maximum length
// binds typed text and text set by setText: a longer text is cut to the maximum
// without an error, in multi-line boxes as in single-line ones. setTextWhole shows
// a longer text whole (a stored value is never cut).
class FieldBox : public QWidget
{
    Q_OBJECT
public:
    explicit FieldBox(const FormControl& layout, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // As setText, but a text longer than the maximum shows whole; typing never takes
    // the box past the longer of its maximum and this text.
    void setTextWhole(const QString& text);

    QString column() const { return m_column; } // the tooltip text
    int maxLength() const { return m_maxLength; }
    bool isMultiLine() const { return m_plain != nullptr; }

    // The editing widget, for key handling and focus.
    QWidget* editor() const;
    QLineEdit* lineEdit() const { return m_line; }
    QPlainTextEdit* plainTextEdit() const { return m_plain; }

Q_SIGNALS:
    // After every change of the text, typed or set by code.
    void textChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void cutMultiLine();
    // Shows `text` in the multi-line box as set by code, uncut.
    void setPlainText(const QString& text);

    QString m_column;
    int m_maxLength = 0;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_plain = nullptr;
    bool m_cutting = false;
    int m_limit = 0;      // the longest text typing leaves in a multi-line box
    QString m_set;        // the text last set by code, and how the box shows it
    QString m_shownOfSet;
    bool m_crlf = false;  // that text broke its lines with CR LF
    int m_lastPosition = 0; // where the last edit of a multi-line box inserted, and how much
    int m_lastAdded = 0;
};
