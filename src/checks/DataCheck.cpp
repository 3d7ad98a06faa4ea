#include "DataCheck.h"

#include "CheckDataRun.h"
#include "CheckDialogParts.h"
#include "DataCheckRun.h"
#include "ReportViewer.h"
#include "exchange/ImportFileCheck.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MAINBAS.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("提示");
}

DataCheck::DataCheck(QWidget* parent) : ModalDialog(parent, Keys::Check, QStringLiteral("数据检查..."))
{
    centreOnScreen();
    setObjectName(WindowNames::DataCheck);
    setWindowTitle(QStringLiteral("数据检查"));

    auto* Label1 = new QLabel(QStringLiteral("Garvish数据检查"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    Label1->setFont(bold);
    auto* Label2 = new QLabel(
        QStringLiteral("请先指定检查数据库路径，缺省为本机数据库。主要检查指定的Garvish基本数据项是否填写。"),
        this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    auto* Frame2 = new QGroupBox(QStringLiteral("检查数据库路径"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Text1 = new QLineEdit(Frame2);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(360);
    Command3 = new QPushButton(QStringLiteral("..."), Frame2);
    Command3->setObjectName(QStringLiteral("Command3"));
    // Enter in the path box opens no chooser.
    Command3->setAutoDefault(false);
    auto* pathRow = new QHBoxLayout(Frame2);
    pathRow->addWidget(Text1, 1);
    pathRow->addWidget(Command3);

    PBar = checks::newCheckProgressBar(this, QStringLiteral("PBar"));

    auto* buttons = checks::newCheckButtonRow(
        this, QStringLiteral("Command2"),
        {QStringLiteral("开  始"), QStringLiteral("退  出"), QStringLiteral("浏览结果")}, {2, 0, 1}, true,
        Command2, [this](int i) { Command2_Click(i); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(Label2);
    v->addWidget(Frame2);
    v->addWidget(PBar);
    v->addLayout(buttons);

    Form_Load();
}

DataCheck::~DataCheck() = default;

void DataCheck::Form_Load()
{
    Text1->setText(mainWindow().panelText(2));
    Command2[2]->hide();
}

void DataCheck::reject()
{
    // The run cannot be left half way; the dialog closes when it is done.
    if (m_running) return;
    ModalDialog::reject();
}

void DataCheck::refuse(const QString& text, bool focusPath)
{
    Prompt::message(text, kTitle, Prompt::Icon::Information, this);
    if (focusPath) Text1->setFocus();
}

void DataCheck::Command3_Click()
{
    const QString chosen = FileDialog::getOpenFileName(
        this, QStringLiteral("选择检查数据库文件"), Text1->text(), QStringLiteral("MS Access Files(*.mdb)"));
    if (chosen.isEmpty()) return;
    if (!myvbs::FileExist(chosen)) {
        refuse(QStringLiteral("文件不存在,请重新选择！"), false);
        return;
    }
    Text1->setText(chosen);
    if (Text1->text().trimmed() != MAINBAS::Database_File() &&
        !openChecked(Text1->text(), QStringLiteral("指定的数据库文件非固体登记数据库,请重新选择！")))
        return;
    m_own.reset();
}

bool DataCheck::openChecked(const QString& path, const QString& notRegistration)
{
    switch (exchange::Check_Import_File(path, QStringLiteral("压覆"), &m_own)) {
    case 1:
        return true;
    case 0:
        refuse(notRegistration, true);
        return false;
    default:
        refuse(QStringLiteral("指定的数据库文件打开出现错误,请检查是否允许打开该数据库！"), false);
        return false;
    }
}

void DataCheck::Command2_Click(int index)
{
    switch (index) {
    case 0:
        runCheck();
        break;
    case 1:
        reject();
        break;
    case 2:
        ReportViewer::open(checks::DataCheckRun::reportPath(state().ProgramDir), this);
        break;
    default:
        break;
    }
}

void DataCheck::runCheck()
{
    // The button opens the report of this run only: a run that is refused or
    // fails offers no earlier report, which may be another database's.
    Command2[2]->hide();
    const QString typed = Text1->text();
    if (typed.trimmed().isEmpty()) {
        refuse(QStringLiteral("请先指定检查数据库文件名！"), true);
        return;
    }
    if (!myvbs::FileExist(typed)) {
        refuse(QStringLiteral("指定的数据库文件不存在，请重新选择！"), true);
        return;
    }
    QSqlDatabase db;
    if (typed.trimmed() == MAINBAS::Database_File()) {
        db = state().Cn();
    } else {
        if (!openChecked(typed, QStringLiteral("指定的数据库文件非压覆矿产登记数据库,请重新选择！"))) return;
        // Another file is checked as the working database is at open: a damaged
        // one would end its scans part way and leave a report with gaps.
        if (!MAINBAS::Check_Whole_File(m_own->db(), typed, this)) {
            m_own.reset();
            return;
        }
        db = m_own->db();
    }

    m_running = true;
    for (QPushButton* b : Command2)
        b->setEnabled(false);
    Command3->setEnabled(false);
    m_sinceEvents.start();
    checks::DataCheckRun run(db, [this](int value, int maximum) { progress(value, maximum); });
    const Result<checks::DataCheckOutcome> result =
        run.run(typed, checks::DataCheckRun::reportPath(state().ProgramDir));
    PBar->hide();
    for (QPushButton* b : Command2)
        b->setEnabled(true);
    Command3->setEnabled(true);
    m_running = false;

    if (!result) {
        ErrorBox::show(result.error(), this);
        return;
    }
    if (result->reportIsDatabase) {
        refuse(checks::CheckDataRun::refusal(checks::CheckDataRun::Outcome::ReportIsDatabase, typed), true);
        return;
    }
    for (const Db::Error& e : result->errors)
        ErrorBox::show(e, this);
    Command2[2]->setVisible(result->reportWritten);
    if (result->stoppedEarly) {
        Prompt::message(checks::DataCheckRun::stoppedEarlyText(), kTitle, Prompt::Icon::Exclamation, this);
    } else if (result->reportWritten) {
        Prompt::message(QStringLiteral("数据检查完成！"), kTitle, Prompt::Icon::Information, this);
    } else if (result->noData) {
        Prompt::message(QStringLiteral("所查数据库没有“Orvane”数据,请填写!"), QStringLiteral("结果"),
                        Prompt::Icon::Information, this);
    }
}

void DataCheck::progress(int value, int maximum)
{
    if (maximum <= 0) {
        PBar->hide();
        return;
    }
    if (PBar->maximum() != maximum) PBar->setMaximum(maximum);
    PBar->setValue(value);
    if (!PBar->isVisible()) PBar->show();
    // The window keeps answering while the check runs.
    if (m_sinceEvents.elapsed() > 50) {
        QApplication::processEvents();
        m_sinceEvents.restart();
    }
}
