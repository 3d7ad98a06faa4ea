#include "PrintDialogSteps.h"

#include "entry/EntryRecord.h"
#include "entry/NewTab.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/PrinterService.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paper.h"
#include "shell/MAINBAS.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QVBoxLayout>

namespace PrintDialogSteps {

namespace {
const QString Hint = QStringLiteral("提示");
QString lastPrinter;

// The run reads the working database: neither it nor the template is ever written
// over. A refusal is told.
bool acceptPdfFile(const QString& file, QWidget* parent)
{
    if (!MAINBAS::Is_Database_Or_Template(file)) return true;
    Prompt::message(Pdf_Database_Message(file), Hint, Prompt::Icon::Exclamation, parent);
    return false;
}
} // namespace

QString No_Page_Message()
{
    return QStringLiteral("请先选择打印页！");
}

QString No_Printer_Message()
{
    return QStringLiteral("没有安装任何打印机，无法执行打印操作...");
}

QString Done_Message()
{
    return QStringLiteral("输出完毕!");
}

QString Paper_Question(const QString& wanted)
{
    return QStringLiteral("打印设置错误，应为") + wanted + QStringLiteral(",是否继续?");
}

QString Skipped_Message(const QStringList& numbers)
{
    return QStringLiteral("以下登记号未能读取，没有打印：\n") + numbers.join(u'\n');
}

QString Batch_Title(int count)
{
    return QStringLiteral("批量打印（共%1份）").arg(count);
}

QString Unsaved_Question()
{
    return QStringLiteral("[") + NewTab::caption() + QStringLiteral("]已经发生改变,保存吗?");
}

QString Pdf_Printer_Caption()
{
    return QStringLiteral("打印到PDF文件");
}

QString Pdf_Database_Message(const QString& file)
{
    return QStringLiteral("不能输出到当前数据库文件或模板文件，请重新指定PDF文件！\n") +
           QDir::toNativeSeparators(file);
}

QString Activity()
{
    return QStringLiteral("打印登记书选择...");
}

QLabel* makeTitle(QWidget* parent)
{
    auto* title = new QLabel(QStringLiteral("登记书打印设置"), parent);
    title->setObjectName(QStringLiteral("Label1"));
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPointSize(12);
    f.setBold(true);
    title->setFont(f);
    return title;
}

QLabel* makeHint(QWidget* parent)
{
    auto* hint = new QLabel(QStringLiteral("请选择需要打印输出的登记书页。"), parent);
    hint->setObjectName(QStringLiteral("Label2"));
    return hint;
}

QStringList pageCaptions()
{
    return {QStringLiteral("封页"), QStringLiteral("第一页"), QStringLiteral("坐  标"),
            QStringLiteral("审  核")};
}

QHBoxLayout* makePrinterRow(QWidget* parent, QComboBox*& box)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("打印机"), parent));
    box = makePrinterBox(parent);
    row->addWidget(box, 1);
    return row;
}

QGroupBox* makePageBoxes(QWidget* parent, const QStringList& captions, std::array<QCheckBox*, 4>& boxes)
{
    auto* frame = new QGroupBox(QStringLiteral("选择页"), parent);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* layout = new QVBoxLayout(frame);
    for (int i = 0; i < 4; ++i) {
        boxes[i] = new QCheckBox(captions.value(i), frame);
        boxes[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        layout->addWidget(boxes[i]);
    }
    return frame;
}

QComboBox* makePrinterBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cboPrinter"));
    // Each item carries the printer's own name; the print-to-PDF printer is shown
    // by its Chinese caption.
    const QStringList names = printerService().printerNames();
    for (const QString& name : names)
        box->addItem(name == PrinterService::pdfPrinterName() ? Pdf_Printer_Caption() : name, name);
    QString current = lastPrinter;
    if (current.isEmpty()) {
        const QPrinter* p = printerService().printer();
        current = p && p->outputFormat() == QPrinter::NativeFormat ? p->printerName()
                                                                   : PrinterService::pdfPrinterName();
    }
    const int i = int(names.indexOf(current));
    box->setCurrentIndex(i >= 0 ? i : 0);
    QObject::connect(box, &QComboBox::currentIndexChanged, box,
                     [box](int) { lastPrinter = chosenPrinter(box); });
    return box;
}

QString chosenPrinter(const QComboBox* box)
{
    return box->currentData().toString();
}

std::array<bool, 4> chosenPages(const std::array<QCheckBox*, 4>& boxes)
{
    std::array<bool, 4> pages{};
    for (int i = 0; i < 4; ++i)
        pages[i] = boxes[i]->isChecked();
    return pages;
}

bool chooseDestination(QWidget* parent, const QString& printerName, const QString& suggestedName,
                       PrintDestination& destination)
{
    destination = PrintDestination{printerName, QString()};
    if (!destination.isPdf()) return true;
    const QString file =
        FileDialog::getSaveFileName(parent, Pdf_Printer_Caption(),
                                    QDir(state().ProgramDir).filePath(suggestedName + QStringLiteral(".pdf")),
                                    QStringLiteral("PDF文件 (*.pdf)"));
    if (file.isEmpty()) return false;
    if (file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        destination.pdfFile = file; // the chooser has asked about an existing file
        return acceptPdfFile(file, parent);
    }
    // A name typed without ".pdf" gets it here, after the chooser looked at the name
    // as typed: an existing file of the full name is only replaced on Yes.
    destination.pdfFile = file + QStringLiteral(".pdf");
    return acceptPdfFile(destination.pdfFile, parent) &&
           (!QFileInfo::exists(destination.pdfFile) ||
            Prompt::ask(QStringLiteral("文件已经存在,是否覆盖?"), Hint, Prompt::Buttons::YesNo,
                        Prompt::Icon::Question, parent) == Prompt::Answer::Yes);
}

bool setPaper(QWidget* parent)
{
    int failed = 0;
    QString wanted;
    KCUTIL::Check_Paper_Size(PrinterService::PaperA4, PrinterService::Portrait, failed, wanted);
    if (failed == 0) return true;
    if (Prompt::ask(Paper_Question(wanted), Hint, Prompt::Buttons::YesNo, Prompt::Icon::Question, parent) ==
        Prompt::Answer::Yes)
        return true;
    KCUTIL::Set_Paper_Size(); // the printer gets its paper back on every path
    return false;
}

Status finishRun(PrintRun& run, bool hadSurface, Module_PrintTable::PrintReport& report)
{
    Status finished = run.finish();
    if (!hadSurface && finished)
        report.notices.append({Module_PrintTable::Printer_Unavailable_Message(), QStringLiteral("错误"),
                               Prompt::Icon::Exclamation});
    return finished;
}

void showReport(QWidget* parent, const Module_PrintTable::PrintReport& report)
{
    QList<Module_PrintTable::PrintNotice> shown;
    for (const Module_PrintTable::PrintNotice& n : report.notices) {
        if (shown.contains(n)) continue;
        shown.append(n);
        Prompt::message(n.text, n.title, n.icon, parent);
    }
    QStringList seen;
    for (const Db::Error& e : report.errors) {
        if (seen.contains(e.description)) continue;
        seen.append(e.description);
        ErrorBox::show(e, parent);
    }
}

PrintedForm entryWindowForm()
{
    const ProgramState& s = state();
    if (NewTab* window = NewTab::instance()) {
        PrintedForm form;
        form.djh = s.Cur_DJH;
        form.values = window->values();
        form.category = window->category();
        for (const QString& group :
             {QStringLiteral("Check1"), QStringLiteral("Check11"), QStringLiteral("Check12")}) {
            const QList<int> ticks = window->ticks(group);
            for (int i = 0; i < ticks.size(); ++i)
                form.setTick(group, i, ticks[i]);
        }
        return form;
    }
    if (!s.Cur_DJH.isEmpty()) {
        Result<PrintedForm> loaded = PrintedForm::load(s.Cn(), s.Cur_DJH);
        if (loaded) return std::move(loaded).value();
    }
    return PrintedForm{};
}

bool offerSave(QWidget* parent)
{
    MainWindowServices& host = mainWindow();
    if (!NewTab::instance() || !host.buttonEnabled(Keys::Save)) return true;
    if (Prompt::ask(Unsaved_Question(), Hint, Prompt::Buttons::YesNo, Prompt::Icon::Question, parent) !=
        Prompt::Answer::Yes)
        return true;
    state().Check_Failed = false;
    host.clickButton(Keys::Save);
    return !state().Check_Failed && !host.buttonEnabled(Keys::Save);
}

} // namespace PrintDialogSteps
