#include "Module_PrintTable_Page.h"

#include "Module_PrintTable_Fit.h"
#include "Module_PrintTable_Quality.h"
#include "PrintSurface.h"
#include "PrintedForm.h"

#include "coords/AreaMapSource.h"
#include "coords/PrintTransform.h"
#include "platform/TextNumber.h"
#include "registration/form/FormLayout.h"
#include "shell/KCUTIL_Numerals.h"
#include "shell/KCUTIL_Paper.h"
#include "shell/ProgramState.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Module_PrintTable {

namespace {

using Kind = FormControl::Kind;

constexpr double FontScale = 1.143;
// The coordinate lists: data rows start 150 twips right of the grid's edge; 280
// twips come off every screen y; the row pitch is the heading height less 60.
constexpr int ListIndent = 150;
constexpr int ListRaise = 280;
constexpr int GridHeadingHeight = 300;
const QString HeadingGap = QStringLiteral("  ");
const QString CellGap = QStringLiteral("     ");

int whole(double v)
{
    return TextNumber::roundToInt32(v);
}

// The sketch map reads the form's grids and the map rectangle of the layout.
class FormMapSource : public AreaMapSource
{
public:
    explicit FormMapSource(const PrintedForm& form) : m_form(form) {}
    const CoordGrid* mapGrid(int index) const override
    {
        return index >= 0 && index < 2 ? m_form.values.grids[index] : nullptr;
    }
    QString mapRectText() const override { return FormLayout::mapRectText(); }

private:
    const PrintedForm& m_form;
};

class PagePrinter
{
public:
    PagePrinter(PrintSurface& p, const PrintedForm& form, bool printDjh, PrintReport& report)
        : m_p(p), m_form(form), m_printDjh(printDjh), m_report(report)
    {
    }

    // A control of the page at its place: the V, H and frame offsets applied.
    void drawControl(const FormControl& c, int dx, int dy)
    {
        const PrintOptions o = c.visible && !c.tag.isEmpty() ? Read_Print_Options(c.tag) : PrintOptions{};
        FormControl at = c;
        at.top += o.V + dy;
        at.left += o.H + dx;
        switch (c.kind) {
        case Kind::TextBox:
            textBox(at, o);
            break;
        case Kind::Label:
            label(at, o);
            break;
        case Kind::ComboBox:
            comboBox(at, o);
            break;
        case Kind::OptionBox:
        case Kind::CheckBox:
            tickBox(at, o);
            break;
        default:
            break;
        }
    }

    void lineOrShape(const FormControl& c)
    {
        const double l = To_Printer_X(c.left), t = To_Printer_Y(c.top);
        const double r = To_Printer_X(c.right()), b = To_Printer_Y(c.bottom());
        if (c.kind == Kind::Line) m_p.drawLine(l, t, r, b);
        if (c.kind == Kind::Shape) {
            m_p.drawLine(l, t, r, t);
            m_p.drawLine(l, t, l, b);
            m_p.drawLine(l, b, r, b);
            m_p.drawLine(r, t, r, b);
        }
    }

    // The label routine, also for the captions of the continuation sheet.
    void label(const FormControl& c, const PrintOptions& o)
    {
        if (!c.visible || c.caption.isEmpty()) return;
        setFontOf(c);
        if (o.F) {
            spread(c, Strip_Blanks(c.caption.trimmed()));
        } else if (!o.N) {
            int x = 0, y = 0;
            QString text = c.caption;
            double size = 0;
            const int lines = Fit_Text(m_p, boxWidth(c), boxHeight(c), x, y, text, int(c.alignment), 2, size);
            printLines(c, text, lines, To_Printer_X(c.left) + x, To_Printer_Y(c.top) + y);
        }
        if (o.X) bottomLine(c);
    }

    void coordinateLists(bool& more)
    {
        setGridFont();
        for (int g = 0; g < 2; ++g) {
            const CoordGrid* grid = m_form.values.grids[g];
            const FormControl* at = FormLayout::find(QStringLiteral("Area_Flex"), g);
            if (!grid || !at) continue;
            const int rows = dataRows(grid);
            if (rows >= ListRowsOnPage) more = true;
            heading(*grid, *at);
            for (int r = 1; r <= std::min(rows, ListRowsOnPage); ++r)
                listRow(*grid, *at, r, r);
        }
    }

    // Continuation sheets of the coordinate lists, 32 row numbers each; a sheet
    // without any row is not printed.
    void continuationSheets()
    {
        int m = 0;
        for (const CoordGrid* grid : m_form.values.grids)
            m = std::max(m, grid ? dataRows(grid) : 0);
        const int sheets = (m + ListRowsPerSheet - 1) / ListRowsPerSheet;
        for (int s = 1; s <= sheets; ++s) {
            m_p.newSheet();
            for (const FormControl* c : FormLayout::templateControls()) {
                if (c->kind == Kind::Shape || c->kind == Kind::Line) lineOrShape(*c);
                if (c->kind == Kind::Label) label(*c, {});
            }
            setGridFont();
            for (int g = 0; g < 2; ++g) {
                const CoordGrid* grid = m_form.values.grids[g];
                const FormControl* at = FormLayout::find(QStringLiteral("Area_Flex"), g);
                if (grid && at) heading(*grid, *at);
            }
            for (int k = 1; k <= ListRowsPerSheet; ++k) {
                const int row = (s - 1) * ListRowsPerSheet + k;
                for (int g = 0; g < 2; ++g) {
                    const CoordGrid* grid = m_form.values.grids[g];
                    const FormControl* at = FormLayout::find(QStringLiteral("Area_Flex"), g);
                    if (grid && at && row <= dataRows(grid)) listRow(*grid, *at, row, k);
                }
            }
            m_p.printText(PageNoX, PageNoY, QStringLiteral("3-") + QString::number(s));
        }
    }

private:
    // Data rows of a grid: its rows less the heading and the empty entry row.
    static int dataRows(const CoordGrid* grid) { return std::max(0, grid->rowCount() - 2); }

    void setGridFont()
    {
        const FormControl* g = FormLayout::find(QStringLiteral("Area_Flex"), 0);
        if (g) m_p.setFont(g->fontName, g->fontSize, g->fontBold);
    }

    void heading(const CoordGrid& grid, const FormControl& at)
    {
        QStringList cells;
        for (int c = 1; c <= 5; ++c)
            cells << grid.cellText(0, c);
        m_p.printText(To_Printer_X(at.left), To_Printer_Y(at.top + GridHeadingHeight - ListRaise),
                      cells.join(HeadingGap));
    }

    void listRow(const CoordGrid& grid, const FormControl& at, int row, int place)
    {
        QStringList cells;
        for (int c = 1; c <= 5; ++c)
            cells << grid.cellText(row, c);
        m_p.printText(To_Printer_X(at.left + ListIndent),
                      To_Printer_Y(at.top + (place + 1) * (GridHeadingHeight - 60) - ListRaise),
                      cells.join(CellGap));
    }

    void setFontOf(const FormControl& c) { m_p.setFont(c.fontName, c.fontSize * FontScale, c.fontBold); }
    int boxWidth(const FormControl& c) const { return whole(c.width * state().PrintScaleX); }
    int boxHeight(const FormControl& c) const { return whole(c.height * state().PrintScaleY); }

    void bottomLine(const FormControl& c)
    {
        m_p.drawLine(To_Printer_X(c.left), To_Printer_Y(c.bottom()), To_Printer_X(c.right()),
                     To_Printer_Y(c.bottom()));
    }

    void spread(const FormControl& c, const QString& s) { Print_Spread_Text(m_p, c, s); }

    // The lines of a fitted text: further lines a line height lower each, centred
    // under the first for a centred control.
    void printLines(const FormControl& c, const QString& wrapped, int lines, double x, double y)
    {
        QString text = wrapped;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
        QStringList parts = text.split(u'\r');
        if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
        if (parts.isEmpty()) return;
        if (lines == 1) {
            m_p.printText(x, y, parts.first());
            return;
        }
        const double h = m_p.textHeight(QStringLiteral("中"));
        const double firstWidth = m_p.textWidth(parts.first());
        for (int i = 0; i < parts.size(); ++i) {
            const double lx = c.alignment == FormControl::Align::Center && i > 0
                                  ? x + (firstWidth - m_p.textWidth(parts[i])) / 2
                                  : x;
            m_p.printText(lx, y + i * h, parts[i]);
        }
    }

    QString boxText(const FormControl& c, const PrintOptions& o) const
    {
        if (o.N) return QString();
        if (!m_printDjh && c.toolTipText() == QStringLiteral("登记号")) return QString();
        QString text = c.isFieldBox() ? m_form.values.text(c.array(), c.index) : QString();
        if ((o.Y || o.M) && !text.trimmed().isEmpty()) {
            double v = 0;
            if (!TextNumber::readWhole(text, &v)) return QString(); // no number: nothing to print
            if (o.Y) text = KCUTIL::Year_To_Chinese(whole(v));
            if (o.M) text = KCUTIL::Num_To_Chinese(whole(TextNumber::leading(text)));
        }
        return text;
    }

    void textBox(const FormControl& c, const PrintOptions& o)
    {
        setFontOf(c);
        QString text = boxText(c, o);
        if (o.T) {
            if (!Print_Boxed_Text(m_p, c, text, 0))
                m_report.notices.append(
                    {Boxed_Text_Message(), QStringLiteral("错误"), Prompt::Icon::Exclamation});
        } else if (c.visible && !text.isEmpty() && !o.F && !o.N) {
            const int vAlign = c.multiLine ? 0 : 2;
            int x = 0, y = 0;
            double size = 0;
            const int lines =
                Fit_Text(m_p, boxWidth(c), boxHeight(c), x, y, text, int(c.alignment), vAlign, size);
            const double h = m_p.textHeight(QStringLiteral("中"));
            // A box with a bottom line sets its text on the line; any other box
            // shows it where the fitting placed it (top, or centred in one line).
            // Set on the line, a text of several lines would hang below it: its
            // last line ends on the line at the lowest.
            int top = To_Printer_Y(c.top) + y;
            if (o.X && !c.multiLine)
                top = std::min(To_Printer_Y(whole(c.top + c.height - h)) + y,
                               int(std::floor(To_Printer_Y(c.bottom()) - lines * h)));
            printLines(c, text, lines, To_Printer_X(c.left) + x, top);
        } else if (o.F && !o.N) {
            spread(c, Strip_Blanks(text));
        }
        if (o.X) bottomLine(c);
    }

    void comboBox(const FormControl& c, const PrintOptions& o)
    {
        m_p.setFont(FormFonts::SongTi, c.fontSize, false);
        QString text = o.N ? QString() : m_form.category.trimmed();
        if (text.isEmpty()) return;
        int x = 0, y = 0;
        double size = 0;
        // A text too long for one line prints as it was fitted, line under line.
        const int lines = Fit_Text(m_p, boxWidth(c), boxHeight(c), x, y, text, 0, 2, size);
        printLines(c, text, lines, To_Printer_X(c.left) + x, To_Printer_Y(c.top) + y);
    }

    void tickBox(const FormControl& c, const PrintOptions& o)
    {
        if (o.N) return;
        setFontOf(c);
        const int x = To_Printer_X(c.left), y = To_Printer_Y(c.top);
        m_p.printText(x, y, c.caption);
        const double x2 = x + m_p.textWidth(c.caption) + 50;
        m_p.drawBox(x2, y, c.height, c.height);
        const int value = m_form.tick(c.name, c.index);
        if (c.kind == Kind::OptionBox) {
            if (value != 0) m_p.printText(x2, y, QStringLiteral("√"));
        } else if (value == 1) {
            m_p.setFontSize(c.fontSize * 0.9);
            m_p.printText(x2, y, QStringLiteral("√"));
            m_p.setFontSize(c.fontSize * FontScale);
        }
    }

    PrintSurface& m_p;
    const PrintedForm& m_form;
    bool m_printDjh;
    PrintReport& m_report;
};

} // namespace

void Print_Spread_Text(PrintSurface& printer, const FormControl& c, const QString& text)
{
    const QString s = Strip_Blanks(text);
    const qsizetype n = s.size();
    if (n == 0) return;
    const ProgramState& st = state();
    const double h = printer.textHeight(QStringLiteral("中"));
    const int width = whole(c.width * st.PrintScaleX);
    const int height = whole(c.height * st.PrintScaleY);
    const int step = n > 1 ? whole(h + (width - n * h) / (n - 1)) : 0;
    const int dy = whole((height - h) / 2);
    int x = To_Printer_X(c.left);
    const int y = To_Printer_Y(c.top);
    for (const QChar ch : s) {
        printer.printText(x, y + dy, QString(ch));
        x += step;
    }
}

PrintOptions Read_Print_Options(const QString& tag)
{
    PrintOptions o;
    const int number = tag.size() > 1 ? whole(TextNumber::leading(QStringView(tag).mid(1))) : 0;
    for (const QString& item : tag.split(u',')) {
        if (item.isEmpty()) continue;
        switch (item.at(0).toUpper().unicode()) {
        case u'F':
            o.F = true;
            break;
        case u'X':
            o.X = true;
            break;
        case u'N':
            o.N = true;
            break;
        case u'T':
            o.T = true;
            break;
        case u'Y':
            o.Y = true;
            break;
        case u'M':
            o.M = true;
            break;
        case u'V':
            o.V = number;
            break;
        case u'H':
            o.H = number;
            break;
        default:
            break;
        }
    }
    return o;
}

QString Printer_Unavailable_Message()
{
    return QStringLiteral("当前设置的打印机不可用...");
}

QString Paper_Message()
{
    return QStringLiteral("打印机页面设置不正确(应设置为A4[纵向]大小)...");
}

QString No_Printer_Message()
{
    return QStringLiteral("未安装打印机！");
}

void Print_Page(PrintSurface& printer, const PrintedForm& form, const QSqlDatabase& db, int page,
                const QString& frameName, bool coordinatePage, bool printDjh, PrintReport& report)
{
    if (state().PrinterCount == 0) {
        report.notices.append({No_Printer_Message(), QStringLiteral("提示"), Prompt::Icon::Information});
        return;
    }
    printer.beginDocument();
    const int lineWidth = printer.lineWidth();
    printer.setLineWidth(2);

    PagePrinter pp(printer, form, printDjh, report);
    const FormControl* frame = frameName.isEmpty() ? nullptr : FormLayout::find(frameName);
    for (const FormControl& c : FormLayout::controls()) {
        if (c.container.compare(FormLayout::PageContainer, Qt::CaseInsensitive) == 0 && c.page == page)
            pp.drawControl(c, 0, 0);
        else if (frame && c.container == frameName)
            pp.drawControl(c, frame->left, frame->top);
    }
    for (const FormControl& c : FormLayout::controls()) {
        if (c.container.compare(FormLayout::PageContainer, Qt::CaseInsensitive) == 0 && c.page == page)
            pp.lineOrShape(c);
    }
    bool more = false;
    if (coordinatePage) {
        printer.drawAreaMap(FormMapSource(form));
        pp.coordinateLists(more);
    }
    if (page != 0) printer.printText(PageNoX, PageNoY, QString::number(page + 1));
    if (more) pp.continuationSheets();
    if (page == 3) Print_Quality_Table(printer, db, form.djh, report.errors);
    printer.endDocument();
    printer.setLineWidth(lineWidth);
}

bool Print_Registration_Form(PrintSurface& printer, const QString& printerName, const PrintedForm& form,
                             const QSqlDatabase& db, const std::array<bool, 4>& pages, bool printDjh,
                             PrintReport& report)
{
    if (!KCUTIL::Printer_Exists(printerName)) {
        report.notices.append(
            {Printer_Unavailable_Message(), QStringLiteral("错误"), Prompt::Icon::Exclamation});
        return false;
    }
    if (printer.paperWidth() < MinPaperWidth || printer.paperHeight() < MinPaperHeight) {
        report.notices.append({Paper_Message(), QStringLiteral("错误"), Prompt::Icon::Exclamation});
        return false;
    }
    static const QString frames[4] = {QString(), FormLayout::FrameContainer, QString(), QString()};
    for (int i = 0; i < 4; ++i) {
        if (pages[i]) Print_Page(printer, form, db, i, frames[i], i == 2, printDjh, report);
    }
    return true;
}

} // namespace Module_PrintTable
