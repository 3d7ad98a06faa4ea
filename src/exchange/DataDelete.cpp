#include "DataDelete.h"

#include "ExchangeWindow.h"
#include "NumberPickerPanel.h"
#include "RegistrationDelete.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("提示");
}

DataDelete::DataDelete(QWidget* parent) : ModalDialog(parent, QString(), QString())
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataDelete"));
    setWindowTitle(QStringLiteral("数据删除"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据删除"), QStringLiteral("Label1_2"), this));
    m_picker = new NumberPickerPanel(NumberPicker::Variant::Delete, this);
    layout->addWidget(m_picker);
    m_bar = exchange::progressBar(this);
    layout->addWidget(m_bar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* remove = exchange::dialogButton(QStringLiteral("删除"), QStringLiteral("CommandDelete"), this);
    connect(remove, &QPushButton::clicked, this, &DataDelete::CommandDelete_Click);
    buttons->addWidget(remove);
    auto* out = exchange::dialogButton(QStringLiteral("退出"), QStringLiteral("CommandOut"), this);
    connect(out, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(out);
    layout->addLayout(buttons);

    Load_Number_List();
    m_picker->openState();
}

void DataDelete::showEvent(QShowEvent* event)
{
    mainWindow().setPanelText(1, QStringLiteral("数据库删除..."));
    ModalDialog::showEvent(event);
}

void DataDelete::Load_Number_List()
{
    m_picker->loadSource(loadRegistrationNumbers(state().Cn()));
}

void DataDelete::CommandDelete_Click()
{
    if (Prompt::ask(QStringLiteral("确定要删除？"), Title, Prompt::Buttons::YesNo, Prompt::Icon::None,
                    this) != Prompt::Answer::Yes)
        return;
    const QStringList chosen = m_picker->picker().chosen();
    if (chosen.isEmpty()) {
        Prompt::message(QStringLiteral("请选择删除的登记号！"), Title, Prompt::Icon::Information, this);
        return;
    }
    const exchange::DeleteOutcome outcome =
        exchange::deleteRegistrations(state().Cn(), chosen, exchange::barProgress(m_bar));
    exchange::hideProgress(m_bar);
    // A registration that could not be deleted stays whole; say which.
    for (const exchange::DeleteFailure& f : outcome.failed) {
        Db::Error e = f.error;
        e.description = QStringLiteral("登记号【") + f.number + QStringLiteral("】未删除：") + e.description;
        ErrorBox::show(e, this);
    }
    if (outcome.failed.isEmpty())
        Prompt::message(QStringLiteral("删除成功"), Title, Prompt::Icon::Information, this);
    Load_Number_List();
    if (!mainWindow().entryWindowOpen()) mainWindow().openWindow(WindowNames::NewTab);
    mainWindow().refreshNavigation();
}
