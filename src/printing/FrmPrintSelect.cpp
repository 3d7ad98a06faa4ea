#include "FrmPrintSelect.h"

#include "PrintDialogSteps.h"

#include "platform/Prompt.h"
#include "shell/KCUTIL_Paper.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace PrintDialogSteps;

FrmPrintSelect::FrmPrintSelect(QWidget* parent) : ModalDialog(parent, Keys::Print, Activity())
{
    setObjectName(QStringLiteral("FrmPrintSelect"));
    setWindowTitle(QStringLiteral("打印登记表单"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeTitle(this));
    layout->addWidget(makeHint(this));
    layout->addWidget(makePageBoxes(this, pageCaptions(), m_check1));
    m_check2 = new QCheckBox(QStringLiteral("打印登记号"), this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    layout->addWidget(m_check2);

    layout->addLayout(makePrinterRow(this, m_printer));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QString captions[2] = {QStringLiteral("打印"), QStringLiteral("取消")};
    for (int i = 0; i < 2; ++i) {
        m_command1[i] = new QPushButton(captions[i], this);
        m_command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        m_command1[i]->setAutoDefault(i == 0);
        buttons->addWidget(m_command1[i]);
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    layout->addLayout(buttons);

    // The page boxes start ticked; the number box shows the last choice.
    for (int i = 0; i < 4; ++i) {
        m_check1[i]->setChecked(true);
        connect(m_check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    }
    m_check2->setChecked(state().Print_DJH_Flag);
    connect(m_check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
    centreOnScreen();
}

void FrmPrintSelect::Check1_Click(int)
{
    m_check2->setEnabled(m_check1[0]->isChecked());
}

void FrmPrintSelect::Check2_Click()
{
    state().Print_DJH_Flag = m_check2->isChecked();
}

void FrmPrintSelect::Command1_Click(int index)
{
    if (index == 1) {
        reject();
        return;
    }
    ProgramState& s = state();
    const std::array<bool, 4> pages = chosenPages(m_check1);
    if (std::none_of(pages.begin(), pages.end(), [](bool b) { return b; })) {
        Prompt::message(No_Page_Message(), QStringLiteral("提示"), Prompt::Icon::Information, this);
        return;
    }
    if (s.PrinterCount == 0) {
        Prompt::message(No_Printer_Message(), QStringLiteral("错误"), Prompt::Icon::Critical, this);
        mainWindow().pressButton(Keys::Print, false);
        return;
    }
    PrintDestination destination;
    const PrintedForm form = entryWindowForm();
    // The registration number names the PDF file and the job in the queue.
    const QString title = form.djh.isEmpty() ? QStringLiteral("登记书") : form.djh;
    if (!chooseDestination(this, chosenPrinter(m_printer), title, destination)) return;
    destination.title = title;
    PrintRun run(destination);
    if (!setPaper(this)) return;

    Module_PrintTable::PrintReport report;
    bool printed = false;
    Status finished = Status::success();
    {
        PrintSurface* surface = run.surface();
        if (surface)
            printed = Module_PrintTable::Print_Registration_Form(*surface, destination.printerName, form,
                                                                 s.Cn(), pages, s.Print_DJH_Flag, report);
        finished = finishRun(run, surface != nullptr, report);
    }
    KCUTIL::Set_Paper_Size();
    showReport(this, report);
    if (!finished) {
        showReport(this, {{}, {finished.error()}});
        return;
    }
    if (printed) Prompt::message(Done_Message(), QStringLiteral("提示"), Prompt::Icon::Information, this);
}
