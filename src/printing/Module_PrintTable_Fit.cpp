#include "Module_PrintTable_Fit.h"

#include "PrintSurface.h"

#include "coords/PrintTransform.h"
#include "platform/TextNumber.h"
#include "registration/form/FormControl.h"
#include "shell/ProgramState.h"

#include <cmath>

namespace Module_PrintTable {

namespace {
constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr int Margin = 20;

struct Wrapped
{
    QString text;
    int lines = 0;
    bool shrink = false; // a character is wider than the box at this size
};

// One pass of the line breaking at the printer's current font size. At the
// smallest size a character wider than the box is put on a line of its own.
Wrapped wrapOnce(PrintSurface& p, const QString& input, double width)
{
    Wrapped out;
    const bool smallest = p.fontSize() <= MinFontSize;
    QString line;
    double lineWidth = 0;
    auto endLine = [&] {
        ++out.lines;
        line.clear();
        lineWidth = 0;
    };
    qsizetype i = 0;
    const qsizetype n = input.size();
    while (i < n) {
        const QChar c = input.at(i);
        if (c == CR) {
            if (i + 1 < n && input.at(i + 1) == LF) {
                out.text += CR;
                out.text += LF;
                i += 2;
                endLine();
            } else {
                ++i; // a lone carriage return is dropped
                if (i >= n && !line.isEmpty()) {
                    out.text += CR;
                    endLine();
                }
            }
            continue;
        }
        const double w = p.textWidth(QString(c));
        if (w > width && c != u' ' && !smallest) {
            out.shrink = true;
            return out;
        }
        if (w + lineWidth <= width || line.isEmpty()) {
            // A character that fits, or one too wide for any line: it starts the line.
            line += c;
            out.text += c;
            ++i;
            if (w > width || i >= n) {
                out.text += CR;
                endLine();
            } else {
                lineWidth = p.textWidth(line); // what the next character is measured against
            }
        } else {
            out.text += CR;
            endLine();
        }
    }
    if (n == 0 || !line.isEmpty()) endLine();
    if (out.lines == 0) out.lines = 1;
    return out;
}

// Where a text `extent` long starts in a box `span` long from `start`: 0 after the
// margin at the start, 1 before the margin at the end, 2 in the middle; any other
// alignment keeps `start`. The same rule serves across and down.
int aligned(int start, int span, double extent, int align)
{
    switch (align) {
    case 0:
        return start + Margin;
    case 1:
        return TextNumber::roundToInt32(start + span - extent - Margin);
    case 2:
        return TextNumber::roundToInt32(start + (span - extent) / 2);
    default:
        return start;
    }
}
} // namespace

int Fit_Text(PrintSurface& printer, int width, int height, int& x, int& y, QString& text, int hAlign,
             int vAlign, double& fontSize)
{
    const QString input = text;
    Wrapped w;
    for (;;) {
        const double lineHeight = printer.textHeight(QStringLiteral("字"));
        w = wrapOnce(printer, input, width);
        const double size = printer.fontSize();
        if (w.shrink) {
            printer.setFontSize(std::max(MinFontSize, size - FontStep));
            continue;
        }
        if (w.lines * lineHeight <= height) break;
        if (size > MinFontSize) {
            printer.setFontSize(std::max(MinFontSize, size - FontStep));
            continue;
        }
        printer.setFontSize(GiveUpFontSize);
        break;
    }
    text = w.text;
    fontSize = printer.fontSize();

    const qsizetype cr = text.indexOf(CR);
    const QString first = cr < 0 ? text : text.left(cr);
    const double firstWidth = printer.textWidth(first);
    x = aligned(x, width, firstWidth, hAlign);
    const double h = w.lines * printer.textHeight(QStringLiteral("中"));
    y = aligned(y, height, h, vAlign);
    return w.lines;
}

QString Strip_Blanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t') out += c;
    }
    return out;
}

QString Boxed_Text_Message()
{
    return QStringLiteral("出现异常错误：方格个数为0");
}

bool Print_Boxed_Text(PrintSurface& printer, const FormControl& box, const QString& text, int xOffset)
{
    const QString chars = Strip_Blanks(text.trimmed());
    const int n =
        box.tag.size() <= 1 ? 0 : TextNumber::roundToInt32(TextNumber::leading(QStringView(box.tag).mid(1)));
    if (n < 1) return false;
    const ProgramState& s = state();
    int y = To_Printer_Y(box.top);
    const int h = TextNumber::roundToInt32(box.height * s.PrintScaleY);
    const int w = TextNumber::roundToInt32(box.width * s.PrintScaleX / n);
    const int left = To_Printer_X(box.left);
    for (int i = 0; i < chars.size(); ++i) {
        if (i == 0 && w < h) y += TextNumber::roundToInt32((h - w) / 2.0);
        const int x = left + i * w;
        printer.printText(x + (w - printer.textWidth(QStringLiteral("9"))) / 2 + xOffset,
                          y + (w - printer.textHeight(QStringLiteral("9"))) / 2, QString(chars.at(i)));
    }
    for (int i = 0; i < n; ++i)
        printer.drawBox(left + i * w + xOffset, y, w, h);
    return true;
}

} // namespace Module_PrintTable
