#include "Frm_Main.h"

#include "upgrade/Deductions.h"
#include "upgrade/DjkDatabase.h"
#include "upgrade/PathRules.h"
#include "upgrade/Upgrade.h"

#include "platform/BusyCursor.h"
#include "platform/FileDialog.h"
#include "platform/FileGate.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <optional>

namespace {

const QString kDatabaseFilter = QStringLiteral("MS Access Files(*.mdb)");
const QString kStartName = QStringLiteral("DJK.mdb");

// True when the file system lists a file of that name.
bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && info.isFile();
}

} // namespace

QString Frm_Main::programTitle()
{
    return QStringLiteral("Quillet");
}

Frm_Main::Frm_Main(const QString& programDir, QWidget* parent) : QDialog(parent), m_programDir(programDir)
{
    setObjectName(QStringLiteral("Frm_Main"));
    setWindowTitle(QStringLiteral("数据库升级"));
    // The template is never an output of the run.
    FileGate::setTemplate(Upgrade::templatePath(programDir));
    setFixedSize(Twips::toPixelsX(7905), Twips::toPixelsY(3960));

    const auto place = [](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(Twips::toPixels(left, top, width, height));
    };
    const auto frame = [&](const char* name, double top) {
        auto* f = new QGroupBox(this);
        f->setObjectName(QString::fromLatin1(name));
        place(f, 120, top, 7575, 1455);
        return f;
    };
    const auto row = [&](QGroupBox* f, const char* label, const QString& caption, const char* box,
                         const char* button, double top) {
        auto* l = new QLabel(caption, f);
        l->setObjectName(QString::fromLatin1(label));
        place(l, 240, top, 1400, 375);
        auto* t = new QLineEdit(f);
        t->setObjectName(QString::fromLatin1(box));
        place(t, 1680, top, 4695, 375);
        // The caption is shown whole: where the font needs more room than the form
        // gives it, the box starts that much further right.
        if (const int right = l->x() + l->sizeHint().width(); right > l->geometry().right()) {
            l->resize(l->sizeHint().width(), l->height());
            const int gap = Twips::toPixelsX(40);
            if (right + gap > t->x()) t->setGeometry(t->geometry().adjusted(right + gap - t->x(), 0, 0, 0));
        }
        l->setBuddy(t);
        auto* b = new QPushButton(QStringLiteral("浏览..."), f);
        b->setObjectName(QString::fromLatin1(button));
        place(b, 6480, top, 855, 375);
        return std::pair{t, b};
    };

    Frame1 = frame("Frame1", 360);
    std::tie(txtSource, cmdSourceSearch) =
        row(Frame1, "Label1", QStringLiteral("新增登记库路径："), "txtSource", "cmdSourceSearch", 240);
    std::tie(txtRepairSource, comSearchRepair) =
        row(Frame1, "Label2", QStringLiteral("补办登记库路径："), "txtRepairSource", "comSearchRepair", 720);
    Frame2 = frame("Frame2", 1800);
    std::tie(txtDesSource, cmdSearchDes) =
        row(Frame2, "Label3", QStringLiteral("目标数据库路径："), "txtDesSource", "cmdSearchDes", 360);
    std::tie(txtRepairDesPath, cmdSearchRepairDesPath) =
        row(Frame2, "Label4", QStringLiteral("补办登记库路径："), "txtRepairDesPath",
            "cmdSearchRepairDesPath", 840);

    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    place(progress, 120, 3480, 4935, 375);
    progress->setTextVisible(false);
    progress->hide();

    cmdStart = new QPushButton(QStringLiteral("开始"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    place(cmdStart, 5280, 3480, 975, 375);
    cmdExit = new QPushButton(QStringLiteral("退出"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    place(cmdExit, 6600, 3480, 1095, 375);

    // 开始 comes first in the tab order and holds the focus when the window opens.
    QWidget::setTabOrder(cmdStart, cmdExit);
    QWidget::setTabOrder(cmdExit, txtSource);
    QWidget::setTabOrder(txtSource, cmdSourceSearch);
    QWidget::setTabOrder(cmdSourceSearch, txtRepairSource);
    QWidget::setTabOrder(txtRepairSource, comSearchRepair);
    QWidget::setTabOrder(comSearchRepair, txtDesSource);
    QWidget::setTabOrder(txtDesSource, cmdSearchDes);
    QWidget::setTabOrder(cmdSearchDes, txtRepairDesPath);
    QWidget::setTabOrder(txtRepairDesPath, cmdSearchRepairDesPath);
    cmdStart->setFocus();
    // Enter in a path box starts the run, as the focused 开始 does.
    cmdStart->setDefault(true);

    connect(cmdSourceSearch, &QPushButton::clicked, this, [this] { cmdSourceSearch_Click(); });
    connect(comSearchRepair, &QPushButton::clicked, this, [this] { comSearchRepair_Click(); });
    connect(cmdSearchDes, &QPushButton::clicked, this, [this] { cmdSearchDes_Click(); });
    connect(cmdSearchRepairDesPath, &QPushButton::clicked, this, [this] { cmdSearchRepairDesPath_Click(); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void Frm_Main::message(const QString& text)
{
    Prompt::message(text, programTitle(), Prompt::Icon::None, this);
}

void Frm_Main::refuse(const QString& text)
{
    Prompt::message(text, QStringLiteral("提示"), Prompt::Icon::None, this);
}

QString Frm_Main::selectMdb()
{
    const QString name =
        FileDialog::getOpenFileName(this, QStringLiteral("选择数据库"), kStartName, kDatabaseFilter);
    if (name.isEmpty()) return QStringLiteral("err");
    return fileExists(name) ? name : QString();
}

void Frm_Main::chooseSource(QLineEdit* source, QLineEdit* target, bool repair)
{
    const QString path = selectMdb();
    const auto emptyPair = [&] {
        source->clear();
        target->clear();
    };
    if (path.isEmpty()) {
        message(QStringLiteral("指定的文件路径不存在"));
        emptyPair();
        return;
    }
    if (path == QLatin1String("err")) {
        emptyPair();
        return;
    }
    const PathRules::Boxes boxes = pathBoxes();
    const QString conflict =
        repair ? PathRules::repairConflict(path, boxes) : PathRules::sourceConflict(path, boxes);
    if (!conflict.isEmpty()) {
        refuse(conflict);
        emptyPair();
        return;
    }
    // The target defaults to the chosen file itself.
    source->setText(path);
    target->setText(path);
}

void Frm_Main::cmdSourceSearch_Click()
{
    chooseSource(txtSource, txtDesSource, false);
}

void Frm_Main::comSearchRepair_Click()
{
    chooseSource(txtRepairSource, txtRepairDesPath, true);
}

void Frm_Main::chooseTarget(QLineEdit* target, bool repair)
{
    const QString name = FileDialog::getOpenOrNewFileName(
        this, repair ? QStringLiteral("请选择补办数据库目标数据库") : QStringLiteral("请选择目标数据库"),
        kStartName, kDatabaseFilter);
    if (name.isEmpty()) {
        target->clear();
        return;
    }
    if (QFileInfo::exists(name)) {
        if (Prompt::ask(QStringLiteral("文件已经存在是否要覆盖？"), QStringLiteral("提示"),
                        Prompt::Buttons::YesNoCancel, Prompt::Icon::Question, this) != Prompt::Answer::Yes) {
            target->clear();
            return;
        }
        const PathRules::Boxes boxes = pathBoxes();
        QString conflict =
            repair ? PathRules::repairTargetConflict(name, boxes) : PathRules::targetConflict(name, boxes);
        if (conflict.isEmpty())
            conflict = PathRules::templateConflict(name, Upgrade::templatePath(m_programDir), repair);
        if (!conflict.isEmpty()) {
            refuse(conflict);
            target->clear();
            return;
        }
    }
    target->setText(name);
}

void Frm_Main::cmdSearchDes_Click()
{
    chooseTarget(txtDesSource, false);
}

void Frm_Main::cmdSearchRepairDesPath_Click()
{
    chooseTarget(txtRepairDesPath, true);
}

PathRules::Boxes Frm_Main::pathBoxes() const
{
    return {txtSource->text(), txtRepairSource->text(), txtDesSource->text(), txtRepairDesPath->text()};
}

QString Frm_Main::isNull() const
{
    return PathRules::isNull(pathBoxes());
}

void Frm_Main::readPaths()
{
    m_run.sourcePath = txtSource->text().trimmed();
    m_run.desPath = txtDesSource->text().trimmed();
    m_run.isRepair = !txtRepairSource->text().trimmed().isEmpty();
    m_run.repairSourcePath = m_run.isRepair ? txtRepairSource->text().trimmed() : QString();
    m_run.repairDesPath = m_run.isRepair ? txtRepairDesPath->text().trimmed() : QString();
}

void Frm_Main::cmdStart_Click()
{
    if (m_busy) return;
    if (const QString m = isNull(); !m.isEmpty()) {
        message(m);
        return;
    }
    // Typed paths get the checks that chosen ones get.
    const PathRules::Boxes boxes = pathBoxes();
    if (const QString conflict = PathRules::typedConflict(boxes, Upgrade::templatePath(m_programDir));
        !conflict.isEmpty()) {
        refuse(conflict);
        return;
    }
    readPaths();
    if (!fileExists(m_run.sourcePath) || (m_run.isRepair && !fileExists(m_run.repairSourcePath))) {
        message(QStringLiteral("指定的文件路径不存在"));
        return;
    }
    m_run.tableNames = DjkDatabase::initTableList();

    const auto isDjk = [this](const QString& path, const QString& refusal) {
        const auto djk = DjkDatabase::isDjkDatabase(path);
        if (!djk)
            message(djk.error().description);
        else if (!*djk)
            message(refusal);
        return djk && *djk;
    };
    if (!isDjk(m_run.sourcePath, QStringLiteral("源数据库不是登记库，请选择登记库！"))) return;
    if (m_run.isRepair && !isDjk(m_run.repairSourcePath, QStringLiteral("挂接库不是登记库，请选择登记库！")))
        return;
    const auto current = DjkDatabase::isConsistent(m_run.sourcePath, Upgrade::templatePath(m_programDir));
    if (!current) {
        message(current.error().description);
        return;
    }
    if (*current) {
        message(QStringLiteral("数据库一致不需要升级！"));
        return;
    }
    isUpGrade();
}

void Frm_Main::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame2, cmdStart, cmdExit})
        w->setEnabled(!busy);
    progress->setVisible(busy);
    progress->setValue(0);
    if (!busy) cmdStart->setFocus();
}

void Frm_Main::isUpGrade()
{
    if (Prompt::ask(QStringLiteral("数据库不一致！是否要升级？"), QStringLiteral("提示"),
                    Prompt::Buttons::YesNo, Prompt::Icon::Question, this) != Prompt::Answer::Yes)
        return;
    std::optional<Result<Upgrade::Outcome>> result;
    {
        BusyCursor busy;
        setBusy(true);
        Upgrade run(m_run, m_programDir, [this](int done, int total) {
            progress->setRange(0, total);
            progress->setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        result.emplace(run.doBusiness());
        setBusy(false);
    }
    if (!*result) {
        message(result->error().description);
        return;
    }
    switch ((*result)->ending) {
    case Upgrade::Ending::Completed:
        message(QStringLiteral("升级完成！"));
        break;
    case Upgrade::Ending::CompletedWithoutDeductions:
        message(QStringLiteral("升级完成"));
        break;
    case Upgrade::Ending::FaultyDeductions:
        if (Prompt::ask(
                QStringLiteral("储量扣减的原登记号有错误，请用原系统修改后再升级！是否保存错误信息的列表？"),
                QStringLiteral("提示"), Prompt::Buttons::YesNoCancel, Prompt::Icon::Question,
                this) == Prompt::Answer::Yes)
            saveErrorList((*result)->errors);
        // Nothing was written; the program ends.
        close();
        QCoreApplication::quit();
        break;
    }
}

void Frm_Main::saveErrorList(const QStringList& errors)
{
    // The write of the list sweeps its folder too: the sources, still as they were, stay.
    const FileGate::Reading readingSource(m_run.sourcePath);
    std::optional<FileGate::Reading> readingRepair;
    if (m_run.isRepair) readingRepair.emplace(m_run.repairSourcePath);
    for (;;) {
        const QString name =
            FileDialog::getOpenOrNewFileName(this, QStringLiteral("请选择保存文件路径"),
                                             QStringLiteral("错误列表.txt"), QStringLiteral("(*.txt)"));
        if (name.isEmpty()) return;
        // The list never takes the place of a database of the run.
        if (const QString conflict =
                PathRules::errorListConflict(name, pathBoxes(), Upgrade::templatePath(m_programDir));
            !conflict.isEmpty()) {
            refuse(conflict);
            continue;
        }
        if (QFileInfo::exists(name) &&
            Prompt::ask(QStringLiteral("文件已经存在是否要覆盖？"), QStringLiteral("提示"),
                        Prompt::Buttons::YesNoCancel, Prompt::Icon::Question, this) != Prompt::Answer::Yes)
            continue;
        const Status written = Deductions::WriteTxt(name, errors);
        if (written) return;
        // Said with its cause; the clerk may choose another place.
        Prompt::message(QStringLiteral("错误列表没有保存。\n") + written.error().description,
                        QStringLiteral("提示"), Prompt::Icon::Exclamation, this);
    }
}

void Frm_Main::cmdExit_Click()
{
    close();
}

void Frm_Main::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
