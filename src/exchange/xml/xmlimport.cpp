#include "xmlimport.h"

#include "ExchangeText.h"
#include "XmlCallArguments.h"
#include "tabxfer.h"

#include "exchange/ExchangeWindow.h"
#include "platform/BusyCursor.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MainWindowServices.h"
#include "shell/myvbs.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("提示");
} // namespace

xmlimport::xmlimport(QWidget* parent) : ModalDialog(parent, QString(), QStringLiteral("XML数据追加导入..."))
{
    centreOnScreen();
    setWindowTitle(QStringLiteral("导入XML数据"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("GarvishXML数据全部追加导入"), QStringLiteral("Label1"), this));
    layout->addWidget(exchange::hintLabel(QStringLiteral("请指定导入XML文件路径，然后进行数据导入。"), this));
    const exchange::PathFrame path = exchange::pathFrame(
        QStringLiteral("导入XML文件路径"), QStringLiteral("Frame1"), QStringLiteral("Command4"), this);
    Text1 = path.text;
    connect(path.browse, &QPushButton::clicked, this, [this] { Command4_Click(); });
    layout->addWidget(path.frame);
    layout->addStretch(1);
    layout->addLayout(exchange::commandRow({QStringLiteral("导入"), QStringLiteral("退出")}, this,
                                           [this](int i) { Command2_Click(i); }));
    resize(520, 220);
}

void xmlimport::Command4_Click()
{
    const QString chosen =
        FileDialog::getOpenFileName(this, QStringLiteral("选择导入文件"),
                                    KCUTIL::Get_File_Name(Text1->text()), QStringLiteral("XML(*.xml)"));
    if (chosen.isEmpty()) return;
    if (myvbs::FileExist(chosen))
        Text1->setText(chosen);
    else
        Prompt::message(QStringLiteral("文件不存在,请重新选择！"), kTitle, Prompt::Icon::Information, this);
}

void xmlimport::Command2_Click(int index)
{
    if (index == 0) {
        Import_Xml(Text1->text());
        exchange::focusAfterImport(this);
    } else if (index == 1) {
        reject();
    }
}

void xmlimport::Import_Xml(const QString& path)
{
    tabxfer::ImportArguments args = XmlCallArguments::forImport(path);
    // The main window's progress bar follows the registrations written.
    QProgressBar* bar = mainWindow().progressBar();
    Status outcome;
    {
        BusyCursor busy;
        outcome = tabxfer::xmlimport(args, [bar](int done, int total) {
            if (bar) {
                bar->setRange(0, total);
                bar->setValue(done);
            }
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        if (bar) {
            bar->setRange(0, 100);
            bar->setValue(0);
        }
    }
    if (args.status == QLatin1String("1")) return;
    // The file was refused or could not be written; nothing of it is in the database.
    // Only a file that is no valid exchange file is called damaged; the library's
    // reason follows on the second line.
    const bool invalid = !outcome && tabxfer::isInvalidFile(outcome.error());
    QString text = invalid ? QStringLiteral("导入失败，XML文件不合法或已损坏，请重新选择！ ")
                           : QStringLiteral("导入失败！");
    if (!outcome) text += QLatin1Char('\n') + outcome.error().description;
    Prompt::message(text, kTitle, Prompt::Icon::None, this);
}
