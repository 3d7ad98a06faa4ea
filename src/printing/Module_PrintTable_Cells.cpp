#include "Module_PrintTable_Cells.h"

#include "PrintSurface.h"

#include "coords/PrintTransform.h"
#include "registration/form/FormLayout.h"

#include <cmath>

namespace Module_PrintTable {

namespace {
const QString LF = QStringLiteral("\n");
constexpr int CellInset = 30;
constexpr int LineGap = 20;

int roundTwips(double v)
{
    return int(std::nearbyint(v));
}

void drawSides(PrintSurface& p, const TableState& t)
{
    const auto& b = t.CellBorders;
    if (b[0] == 1) p.drawLine(t.CellX1, t.CellY1, t.CellX2, t.CellY1);
    if (b[1] == 1) p.drawLine(t.CellX2, t.CellY1, t.CellX2, t.CellY2);
    if (b[2] == 1) p.drawLine(t.CellX2, t.CellY2, t.CellX1, t.CellY2);
    if (b[3] == 1) p.drawLine(t.CellX1, t.CellY2, t.CellX1, t.CellY1);
}
} // namespace

int Cm_To_Twips(float cm)
{
    return roundTwips(double(cm) * 1440.0 / 2.54);
}

int Count_Lines(const QString& text, const QString& separator)
{
    if (separator.isEmpty()) return 1;
    return int(text.count(separator)) + 1;
}

void Wrap_Text(PrintSurface& printer, float maxWidth, const QString& text, int& lineCount, QString& wrapped)
{
    wrapped.clear();
    QString line;
    lineCount = 1;
    for (const QChar c : text) {
        if (c == u'\n') {
            wrapped += c;
            line.clear();
            ++lineCount;
            continue;
        }
        if (printer.textWidth(line) >= maxWidth) {
            wrapped += LF;
            wrapped += c;
            line = c;
            ++lineCount;
        } else {
            wrapped += c;
            line += c;
        }
    }
}

void Print_Text_At(PrintSurface& printer, int x, int y, const QString& text)
{
    printer.printText(x, y, text);
}

void Print_Cell(PrintSurface& printer, TableState& t, QString& text, int alignment)
{
    if (!text.isEmpty()) {
        const double charWidth =
            printer.textWidth(t.TableHeaderMode ? QStringLiteral("中") : QStringLiteral("1"));
        const double charHeight = printer.textHeight(QStringLiteral("中"));
        const int lines = std::max(1, Count_Lines(text, LF));
        const double blockHeight = lines * charHeight;
        const double x1 = t.CellX1, y1 = t.CellY1, x2 = t.CellX2, y2 = t.CellY2;
        if (!text.contains(LF)) {
            const double width = text.size() * charWidth;
            if (alignment == AlignTopLeft)
                Print_Text_At(printer, roundTwips(x1 + CellInset), roundTwips(y1 + CellInset), text);
            else if (alignment == AlignCentre)
                Print_Text_At(printer, roundTwips((x2 - x1 - width) / 2 + x1),
                              roundTwips((y2 - y1 - blockHeight) / 2 + y1), text);
            text.clear();
        } else {
            // A block is placed by its first line; every line starts at the same x.
            const double blockWidth = text.indexOf(LF) * charWidth;
            for (int i = 1; i <= lines; ++i) {
                const qsizetype cut = text.indexOf(LF);
                const QString piece = cut < 0 ? text : text.left(cut);
                text = cut < 0 ? QString() : text.mid(cut + 1);
                const double step = (i - 1) * (charHeight + LineGap);
                if (alignment == AlignTopLeft)
                    Print_Text_At(printer, roundTwips(x1 + CellInset), roundTwips(y1 + CellInset + step),
                                  piece);
                else if (alignment == AlignCentre)
                    Print_Text_At(printer, roundTwips((x2 - x1 - blockWidth) / 2 + x1),
                                  roundTwips((y2 - y1 - blockHeight) / 2 + y1 + step), piece);
            }
            text.clear();
        }
    }
    drawSides(printer, t);
}

int Table_Left_Edge()
{
    const FormControl* shape = FormLayout::find(QStringLiteral("Shape1"), 0);
    return To_Printer_X(shape ? shape->left : 0);
}

void Print_Table_Header(PrintSurface& printer, TableState& t, bool onNewPage)
{
    const int x = Table_Left_Edge();
    int y = Cm_To_Twips(2.0f);
    if (!onNewPage) {
        const FormControl* grid = FormLayout::find(QStringLiteral("THFLEX"));
        y = To_Printer_Y(grid ? grid->top : 0);
    }
    t.CellBorders = {1, 1, 1, 1};
    t.TableHeaderMode = true;

    const int full = Cm_To_Twips(2.0f);
    const int half = Cm_To_Twips(1.0f);
    auto cell = [&](float left, float top, float widthCm, int height, QString text) {
        t.CellX1 = left;
        t.CellY1 = top;
        t.CellX2 = left + Cm_To_Twips(widthCm);
        t.CellY2 = top + height;
        Print_Cell(printer, t, text, AlignCentre);
    };

    float left = x;
    const struct
    {
        float width;
        const char16_t* text;
    } spanning[4] = {{1.3f, u"矿产\n名称"},
                     {1.3f, u"矿产\n组合"},
                     {1.7f, u"统计对\n象及单\n位"},
                     {3.14f, u"矿石类型、品级\n（牌号）及主要\n组份含量"}};
    for (const auto& s : spanning) {
        cell(left, y, s.width, full, QString::fromUtf16(s.text));
        left = t.CellX2;
    }
    for (const char16_t* group : {u"储 量", u"基础储量", u"资源量"}) {
        cell(left, y, 3.0f, half, QString::fromUtf16(group));
        cell(left, y + half, 1.0f, half, QStringLiteral("编码"));
        cell(t.CellX2, y + half, 2.0f, half, QStringLiteral("数 量"));
        left = t.CellX2;
    }
    t.TableHeaderMode = false;
}

} // namespace Module_PrintTable
