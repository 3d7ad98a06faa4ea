#pragma once

#include "Module_PrintTable_Page.h"
#include "PrintRun.h"
#include "PrintedForm.h"

#include <QString>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QWidget;

// What the single and the batch print dialog share: their messages, the page
// boxes, the choice of printer, the paper setting around a run and the report of
// a run.
namespace PrintDialogSteps {

QString No_Page_Message();                     // "请先选择打印页！"
QString No_Printer_Message();                  // "没有安装任何打印机，无法执行打印操作..."
QString Done_Message();                        // "输出完毕!"
QString Paper_Question(const QString& wanted); // "打印设置错误，应为" + wanted + ",是否继续?"
QString Skipped_Message(const QStringList& numbers);
// The name of a batch's job in the printer's queue: "批量打印（共<count>份）".
QString Batch_Title(int count);
// The question of the entry window before closing with unsaved edits.
QString Unsaved_Question();

// How the printer lists show the print-to-PDF printer: "打印到PDF文件".
QString Pdf_Printer_Caption();
// The refusal of a PDF file that is the working database or the template.
QString Pdf_Database_Message(const QString& file);

// Status text while a print dialog is open: "打印登记书选择...".
QString Activity();
// The title "登记书打印设置" (Label1) and the hint (Label2) of both dialogs.
QLabel* makeTitle(QWidget* parent);
QLabel* makeHint(QWidget* parent);
// Captions of the page boxes, by page index.
QStringList pageCaptions();
// "打印机" and the printer list (see makePrinterBox).
QHBoxLayout* makePrinterRow(QWidget* parent, QComboBox*& box);

// The page boxes in a frame "选择页", with the captions given; each is Check1_<i>.
QGroupBox* makePageBoxes(QWidget* parent, const QStringList& captions, std::array<QCheckBox*, 4>& boxes);
// The printer list: every installed printer, the print-to-PDF printer included;
// the printer of the last run is chosen.
QComboBox* makePrinterBox(QWidget* parent);

// The name of the printer chosen in a printer list (the print-to-PDF printer by its
// own name, whatever the list shows).
QString chosenPrinter(const QComboBox* box);

// The page choice of the boxes.
std::array<bool, 4> chosenPages(const std::array<QCheckBox*, 4>& boxes);

// The destination of the chosen printer; for the print-to-PDF printer the file is
// asked for. False when the user cancelled.
bool chooseDestination(QWidget* parent, const QString& printerName, const QString& suggestedName,
                       PrintDestination& destination);

// Sets A4 portrait, asking whether to go on when the printer does not take it.
// False (the old paper given back) when the user stops.
bool setPaper(QWidget* parent);

// Finishes `run`. A run that had no surface to draw on fails with its own cause
// when it knows one (the PDF file cannot be made); otherwise the printer is noted
// in `report` as not usable.
Status finishRun(PrintRun& run, bool hadSurface, Module_PrintTable::PrintReport& report);

// Shows the messages and failures of a run, each distinct message once.
void showReport(QWidget* parent, const Module_PrintTable::PrintReport& report);

// The registration the entry window shows, as it stands (unsaved edits included);
// without the entry window the registration Cur_DJH as stored.
PrintedForm entryWindowForm();

// True when the entry window holds no unsaved edits, or the clerk chose to save
// them (and the save went through) or to leave them.
bool offerSave(QWidget* parent);

} // namespace PrintDialogSteps
