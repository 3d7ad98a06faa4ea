#include "FrmPrintMany.h"

#include "PrintDialogSteps.h"

#include "platform/Database.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paper.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using namespace PrintDialogSteps;

namespace {
const QString Hint = QStringLiteral("提示");

QCheckBox* tickBox(const QString& caption, const QString& name, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}
} // namespace

FrmPrintMany::FrmPrintMany(QWidget* parent) : ModalDialog(parent, Keys::Print, Activity())
{
    setModal(false);
    setObjectName(QStringLiteral("FrmPrintMany"));
    setWindowTitle(QStringLiteral("批量打印"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeTitle(this));

    // The two lists with the move buttons between them.
    auto* lists = new QHBoxLayout;
    auto* frame2 = new QGroupBox(QStringLiteral("选择登记号"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* frame2Layout = new QVBoxLayout(frame2);
    m_list1 = new QListWidget(frame2);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    frame2Layout->addWidget(m_list1);
    lists->addWidget(frame2, 1);
    auto* moves = new QVBoxLayout;
    const QString captions[4] = {QStringLiteral(">"), QStringLiteral("<"), QStringLiteral(">>"),
                                 QStringLiteral("<<")};
    const QString tips[4] = {QStringLiteral("添加"), QStringLiteral("删除"), QStringLiteral("全部添加"),
                             QStringLiteral("全部删除")};
    moves->addStretch();
    for (int i = 0; i < 4; ++i) {
        m_command3[i] = new QPushButton(captions[i], this);
        m_command3[i]->setObjectName(QStringLiteral("Command3_%1").arg(i));
        m_command3[i]->setToolTip(tips[i]);
        m_command3[i]->setAutoDefault(false);
        moves->addWidget(m_command3[i]);
        connect(m_command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    }
    moves->addStretch();
    lists->addLayout(moves);
    m_list2 = new QListWidget(this);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lists->addWidget(m_list2, 1);
    layout->addLayout(lists);

    layout->addWidget(makeHint(this));
    auto* options = new QHBoxLayout;
    QGroupBox* pages = makePageBoxes(this, pageCaptions(), m_check1);
    options->addWidget(pages);
    auto* more = new QVBoxLayout;
    m_check5 = tickBox(QStringLiteral("打印全部"), QStringLiteral("Check5"), this);
    m_check3 = tickBox(QStringLiteral("打印奇数页"), QStringLiteral("Check3"), this);
    m_check4 = tickBox(QStringLiteral("打印偶数页"), QStringLiteral("Check4"), this);
    m_check2 = tickBox(QStringLiteral("打印登记号"), QStringLiteral("Check2"), this);
    m_check3->setEnabled(false);
    m_check4->setEnabled(false);
    for (QCheckBox* box : {m_check5, m_check3, m_check4, m_check2})
        more->addWidget(box);
    more->addLayout(makePrinterRow(this, m_printer));
    options->addLayout(more, 1);
    layout->addLayout(options);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_command1 = new QPushButton(QStringLiteral("打 印"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setToolTip(QStringLiteral("打印"));
    m_command2 = new QPushButton(QStringLiteral("取 消"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setToolTip(QStringLiteral("取消"));
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    layout->addLayout(buttons);
    connect(m_command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    for (int i = 0; i < 4; ++i)
        connect(m_check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    connect(m_check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
    connect(m_check5, &QCheckBox::clicked, this, [this] { Check5_Click(); });
    resize(560, 480);
    centreOnScreen();
    Form_Load();
}

void FrmPrintMany::Form_Load()
{
    m_check2->setChecked(state().Print_DJH_Flag);
    Db::Error e;
    std::optional<QSqlQuery> q =
        Db::exec(state().Cn(),
                 QStringLiteral("SELECT 登记号 FROM 登记 WHERE substr(登记号, 1, 1) = '4' "
                                "AND 登记号 IS NOT NULL ORDER BY 登记号"),
                 {}, &e);
    if (!q) {
        ErrorBox::show(e, this);
        return;
    }
    while (q->next())
        m_list1->addItem(q->value(0).toString());
    if (q->lastError().isValid())
        ErrorBox::show(Db::errorOf(q->lastError(), QStringLiteral("FrmPrintMany")), this);
}

void FrmPrintMany::Check1_Click(int)
{
    m_check2->setEnabled(m_check1[0]->isChecked());
}

void FrmPrintMany::Check2_Click()
{
    state().Print_DJH_Flag = m_check2->isChecked();
}

void FrmPrintMany::Check5_Click()
{
    const bool all = m_check5->isChecked();
    if (all) {
        m_check3->setChecked(false);
        m_check4->setChecked(false);
    }
    for (QCheckBox* box : m_check1)
        box->setChecked(all);
}

void FrmPrintMany::Command2_Click()
{
    close();
}

void FrmPrintMany::reject()
{
    if (m_running) return;
    ModalDialog::reject();
}

void FrmPrintMany::Command3_Click(int index)
{
    if (index < 0 || index > 3) return;
    QListWidget* source = index == 0 || index == 2 ? m_list1 : m_list2;
    QListWidget* target = source == m_list1 ? m_list2 : m_list1;
    if (source->count() == 0) return;
    if (index <= 1) {
        // From the last item up: several chosen numbers arrive in reverse order. The
        // chosen rows are taken before any moves, and making a row current leaves the
        // selection alone: a range chosen with Shift or a drag moves whole.
        QList<int> chosen;
        for (const QModelIndex& at : source->selectionModel()->selectedIndexes())
            chosen << at.row();
        std::sort(chosen.begin(), chosen.end(), std::greater<int>());
        for (int i : chosen) {
            source->setCurrentRow(i, QItemSelectionModel::NoUpdate);
            target->addItem(source->item(i)->text());
            delete source->takeItem(i);
        }
    } else {
        for (int i = 0; i < source->count(); ++i)
            target->addItem(source->item(i)->text());
        source->clear();
    }
}

void FrmPrintMany::Command1_Click()
{
    ProgramState& s = state();
    if (m_list2->count() == 0) {
        Prompt::message(QStringLiteral("没有选择登记号!"), Hint, Prompt::Icon::Information, this);
        return;
    }
    const std::array<bool, 4> pages = chosenPages(m_check1);
    if (std::none_of(pages.begin(), pages.end(), [](bool b) { return b; })) {
        Prompt::message(No_Page_Message(), Hint, Prompt::Icon::Information, this);
        return;
    }
    if (s.PrinterCount == 0) {
        Prompt::message(No_Printer_Message(), QStringLiteral("错误"), Prompt::Icon::Critical, this);
        mainWindow().pressButton(Keys::Print, false);
        return;
    }
    // The batch prints what is stored: unsaved edits of the entry window are offered
    // for saving first.
    if (!offerSave(this)) return;
    PrintDestination destination;
    if (!chooseDestination(this, chosenPrinter(m_printer), QStringLiteral("批量打印"), destination)) return;
    destination.title = Batch_Title(m_list2->count());
    PrintRun run(destination);
    if (!setPaper(this)) return;

    m_running = true;
    m_command1->setEnabled(false);
    m_progress->setRange(0, m_list2->count());
    m_progress->setValue(0);
    m_progress->setVisible(true);
    Module_PrintTable::PrintReport report;
    QStringList skipped;
    bool refused = false;
    PrintSurface* surface = run.surface();
    for (int i = 0; surface && i < m_list2->count(); ++i) {
        m_list2->setCurrentRow(i);
        const QString djh = m_list2->item(i)->text();
        // Each registration is read by its number; one that cannot be read is left out.
        Result<PrintedForm> form = PrintedForm::load(s.Cn(), djh);
        if (!form) {
            skipped << djh;
        } else if (!Module_PrintTable::Print_Registration_Form(*surface, destination.printerName, *form,
                                                               s.Cn(), pages, s.Print_DJH_Flag, report)) {
            refused = true;
        }
        m_progress->setValue(i + 1);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    const Status finished = finishRun(run, surface != nullptr, report);
    KCUTIL::Set_Paper_Size();
    m_progress->setVisible(false);
    m_command1->setEnabled(true);
    m_running = false;
    showReport(this, report);
    if (!skipped.isEmpty()) Prompt::message(Skipped_Message(skipped), Hint, Prompt::Icon::Exclamation, this);
    if (!finished) {
        ErrorBox::show(finished.error(), this);
        return;
    }
    if (surface && !refused && skipped.isEmpty())
        Prompt::message(Done_Message(), Hint, Prompt::Icon::Information, this);
}
