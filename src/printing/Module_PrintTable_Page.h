#pragma once

#include "platform/Database.h"
#include "platform/Prompt.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>

class PrintSurface;
struct FormControl;
struct PrintedForm;

// The page printer and the print entry: the pages of the registration form drawn
// from the form layout with the values of one registration.
namespace Module_PrintTable {

// A message a print run has for the user once it is done.
struct PrintNotice
{
    QString text;
    QString title;
    Prompt::Icon icon = Prompt::Icon::None;
    bool operator==(const PrintNotice&) const = default;
};

// What a print run reports: messages, and failures of the table's reads (shown
// in the generic error box).
struct PrintReport
{
    QList<PrintNotice> notices;
    QList<Db::Error> errors;
};

// The print options of a control's tag: only the first letter of each
// comma-separated item counts; the number of V, H and T is read from the whole tag
// from its second character on, so it takes effect only in the first item.
struct PrintOptions
{
    bool F = false; // spread
    bool X = false; // bottom line
    bool N = false; // not printed
    bool T = false; // boxed characters
    bool Y = false; // year in Chinese digits
    bool M = false; // number in Chinese numerals
    int V = 0;      // vertical shift, twips
    int H = 0;      // horizontal shift, twips
};
PrintOptions Read_Print_Options(const QString& tag);

// Spread text: the characters of `text` (blanks left out) one at a time, evenly
// spread over the printed width of `box`, the first at its left edge; a single
// character stands at the left edge.
void Print_Spread_Text(PrintSurface& printer, const FormControl& box, const QString& text);

// The page number position: 97 mm across, 275 mm down.
constexpr double PageNoX = (210.0 / 2 - 8) * 56.7;
constexpr double PageNoY = 275 * 56.7;

// Rows of each coordinate list on the coordinate page, and on a continuation sheet.
constexpr int ListRowsOnPage = 9;
constexpr int ListRowsPerSheet = 32;

// Prints page `page` (0 cover, 1 first page, 2 coordinates, 3 review with the
// quality and reserve table) as one document: the controls of the page and of
// frame `frameName`, then lines and shapes, the sketch map and the coordinate lists
// with their continuation sheets "3-"n on the coordinate page, the page number
// (none on the cover), and the table on page 3. The registration number prints
// only with `printDjh`.
void Print_Page(PrintSurface& printer, const PrintedForm& form, const QSqlDatabase& db, int page,
                const QString& frameName, bool coordinatePage, bool printDjh, PrintReport& report);

// Messages of the print entry.
QString Printer_Unavailable_Message(); // "当前设置的打印机不可用..."
QString Paper_Message();               // "打印机页面设置不正确(应设置为A4[纵向]大小)..."
QString No_Printer_Message();          // "未安装打印机！"

// Smallest paper printed on: 209 mm by 296 mm, in twips.
constexpr double MinPaperWidth = 1440 / 25.4 * 209;
constexpr double MinPaperHeight = 1440 / 25.4 * 296;

// The print entry: checks that printer `printerName` can be used and that the
// paper is at least A4 portrait, then prints each chosen page in page order.
// False when nothing could be printed (the report says why).
bool Print_Registration_Form(PrintSurface& printer, const QString& printerName, const PrintedForm& form,
                             const QSqlDatabase& db, const std::array<bool, 4>& pages, bool printDjh,
                             PrintReport& report);

} // namespace Module_PrintTable
