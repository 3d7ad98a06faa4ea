#include "ExchangeWindow.h"

#include "ExchangeFiles.h"
#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MAINBAS.h"
#include "shell/ProgramState.h"
#include "shell/myvbs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSizePolicy>

namespace exchange {

QLabel* bannerLabel(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPointSize(14);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* dialogButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QLabel* hintLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label2"));
    label->setWordWrap(true);
    return label;
}

PathFrame pathFrame(const QString& caption, const QString& frameName, const QString& browseName,
                    QWidget* parent)
{
    PathFrame f;
    f.frame = new QGroupBox(caption, parent);
    f.frame->setObjectName(frameName);
    auto* row = new QHBoxLayout(f.frame);
    f.text = new QLineEdit(f.frame);
    f.text->setObjectName(QStringLiteral("Text1"));
    row->addWidget(f.text);
    f.browse = dialogButton(QStringLiteral("..."), browseName, f.frame);
    row->addWidget(f.browse);
    return f;
}

QHBoxLayout* commandRow(const QStringList& captions, QWidget* parent, const std::function<void(int)>& clicked)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = dialogButton(captions.at(i), QStringLiteral("Command2_%1").arg(i), parent);
        QObject::connect(b, &QPushButton::clicked, parent, [clicked, i] { clicked(i); });
        row->addWidget(b);
    }
    return row;
}

QProgressBar* progressBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("PBar"));
    // Its room is kept while it is hidden, so the dialog neither grows nor moves its
    // buttons when the bar comes and goes.
    QSizePolicy policy = bar->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    bar->setSizePolicy(policy);
    bar->setVisible(false);
    return bar;
}

Progress barProgress(QProgressBar* bar)
{
    return [bar](int done, int total) {
        // A single step shows no bar.
        if (total < 2) return true;
        if (bar->maximum() != total) bar->setMaximum(total);
        bar->setValue(done);
        bar->setVisible(true);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
}

void hideProgress(QProgressBar* bar)
{
    bar->setVisible(false);
    bar->setValue(0);
}

void focusAfterImport(QWidget* dialog)
{
    if (auto* exit = dialog->findChild<QPushButton*>(QStringLiteral("Command2_1"))) exit->setFocus();
}

void showOldDates(const QList<OldDate>& dates, QWidget* parent)
{
    for (const OldDate& d : dates)
        Prompt::message(oldDateMessage(d), QStringLiteral("错误"), Prompt::Icon::Critical, parent);
}

QString typedExportTarget(QLineEdit* box, const QString& title, QWidget* parent)
{
    const QString target = QDir::fromNativeSeparators(box->text().trimmed());
    if (target.isEmpty()) {
        Prompt::message(QStringLiteral("请先指定导出文件名！"), title, Prompt::Icon::Information, parent);
        box->setFocus();
    }
    return target;
}

void chooseExportTarget(QLineEdit* box, QWidget* parent)
{
    const QString name =
        FileDialog::getOpenOrNewFileName(parent, QStringLiteral("选择导出文件"), box->text().trimmed(),
                                         QStringLiteral("MS Access Files(*.mdb)"));
    if (name.isEmpty()) return;
    if (myvbs::FileExist(name) &&
        Prompt::ask(QStringLiteral("文件已经存在,是否覆盖?"), QStringLiteral("提示"), Prompt::Buttons::YesNo,
                    Prompt::Icon::Question, parent) != Prompt::Answer::Yes)
        return;
    box->setText(QDir::toNativeSeparators(name));
}

namespace {

bool refuseTarget(const QString& refusal, QLineEdit* box, QWidget* parent)
{
    Prompt::message(refusal, QStringLiteral("提示"), Prompt::Icon::Exclamation, parent);
    box->setFocus();
    return false;
}

} // namespace

bool acceptExportTarget(const QString& target, QLineEdit* box, QWidget* parent)
{
    if (!QDir(KCUTIL::Get_Folder(target)).exists())
        return refuseTarget(QStringLiteral("指定的导出文件路径不存在！"), box, parent);
    return acceptNotDatabaseTarget(target, box, parent);
}

bool acceptNotDatabaseTarget(const QString& target, QLineEdit* box, QWidget* parent)
{
    // Writing over the working database or the template would destroy it.
    if (!MAINBAS::Is_Database_Or_Template(target)) return true;
    return refuseTarget(databaseOrTemplateMessage(), box, parent);
}

QString workingDatabasePath()
{
    return MAINBAS::Database_File();
}

QString templatePath()
{
    return KCUTIL::joinPath(state().ProgramDir, QStringLiteral("djk.sys"));
}

} // namespace exchange
