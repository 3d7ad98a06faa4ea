#include "FrmPara.h"

#include "MAINBAS.h"
#include "MainWindowServices.h"
#include "ParaLogic.h"
#include "ProgramState.h"
#include "ShellNames.h"
#include "platform/FileDialog.h"
#include "platform/TextNumber.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString kFilter = QStringLiteral("MS Access Files(*.mdb)");
// The rows a dropped-down list shows, as a drop-down list box does.
constexpr int ListRows = 10;
} // namespace

FrmPara::FrmPara(QWidget* parent) : ModalDialog(parent, Keys::Para, QStringLiteral("参数设置..."))
{
    setWindowTitle(QStringLiteral("参数设置"));

    auto* heading = new QLabel(QStringLiteral("系统参数设置"), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    heading->setFont(f);

    SSTab1 = new QTabWidget(this);

    // Page 1: the province code.
    auto* page1 = new QWidget;
    auto* g1 = new QGridLayout(page1);
    g1->addWidget(new QLabel(QStringLiteral("省代码："), page1), 0, 0);
    Text1 = new QLineEdit(page1);
    Command1 = new QPushButton(QStringLiteral("▼"), page1);
    Command1->setFixedWidth(Twips::toPixelsX(300));
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(Text1);
    row->addWidget(Command1);
    g1->addLayout(row, 0, 1);
    auto* hint = new QLabel(QStringLiteral("请设置所在省级行政区代码，在系统运行时将提高加载效率。"), page1);
    hint->setWordWrap(true);
    g1->addWidget(hint, 1, 0, 1, 2);
    g1->setRowStretch(2, 1);
    SSTab1->addTab(page1, QStringLiteral("省代码"));

    // Page 2: the two databases.
    auto* page2 = new QWidget;
    auto* g2 = new QGridLayout(page2);
    g2->addWidget(new QLabel(QStringLiteral("系统连接数据库："), page2), 0, 0);
    Text2 = new QLineEdit(page2);
    Text2->setReadOnly(true);
    Command3 = new QPushButton(QStringLiteral("..."), page2);
    g2->addWidget(Text2, 0, 1);
    g2->addWidget(Command3, 0, 2);
    Check1 = new QCheckBox(QStringLiteral("设为默认数据库"), page2);
    g2->addWidget(Check1, 1, 1);
    g2->addWidget(new QLabel(QStringLiteral("统计数据库连接："), page2), 2, 0);
    txtTJK = new QLineEdit(page2);
    txtTJK->setReadOnly(true);
    Command4 = new QPushButton(QStringLiteral("..."), page2);
    g2->addWidget(txtTJK, 2, 1);
    g2->addWidget(Command4, 2, 2);
    g2->setRowStretch(3, 1);
    SSTab1->addTab(page2, QStringLiteral("数据库连接"));

    Command2[0] = new QPushButton(QStringLiteral("确 定"), this);
    Command2[1] = new QPushButton(QStringLiteral("退  出"), this);
    // Enter in a box means 确 定; it neither drops the list nor opens a chooser.
    for (QPushButton* b : {Command1, Command3, Command4})
        b->setAutoDefault(false);
    Command2[0]->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addWidget(SSTab1, 1);
    v->addLayout(buttons);
    // Tall enough for the province list to drop down its ten rows below the box.
    resize(Twips::toPixelsX(6600), Twips::toPixelsY(4800));

    // The pick list floats over the page, hidden until dropped down.
    List1 = new QListWidget(this);
    List1->hide();
    List1->installEventFilter(this);
    SSTab1->tabBar()->installEventFilter(this);
    page1->installEventFilter(this);
    page2->installEventFilter(this);

    connect(Command1, &QPushButton::clicked, this, &FrmPara::Command1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, &FrmPara::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &FrmPara::List1_DblClick);
    connect(Command3, &QPushButton::clicked, this, &FrmPara::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmPara::Command4_Click);
    connect(Command2[0], &QPushButton::clicked, this, [this] { Command2_Click(0); });
    connect(Command2[1], &QPushButton::clicked, this, [this] { Command2_Click(1); });

    Form_Load();
}

void FrmPara::Form_Load()
{
    const ProgramState& s = state();
    markOpen();

    Text1->clear();
    const QString name = ParaLogic::Get_Province_Name(s.Cn(), s.ProvinceCode);
    if (!name.isEmpty()) Text1->setText(QString::number(s.ProvinceCode) + QStringLiteral("   ") + name);

    List1->clear();
    List1->addItems(ParaLogic::Fill_Province_List(s.Cn()));

    Text2->setText(MAINBAS::Database_File());
    Check1->setChecked(false);
    Check1->setVisible(Text2->text() == s.Switched_DB_Path);

    txtTJK->setText(ParaLogic::configuredStatistics());
}

void FrmPara::Command1_Click()
{
    // The list shows as many rows as a drop-down list usually does, as far as the
    // dialog has room below the box.
    const QPoint topLeft = Text1->mapTo(this, QPoint(0, Text1->height()));
    const int frame = 2 * List1->frameWidth();
    const int rowHeight = std::max(1, List1->sizeHintForRow(0));
    const int rows = std::clamp((height() - topLeft.y() - frame) / rowHeight, 1,
                                std::max(1, std::min(ListRows, List1->count())));
    List1->setGeometry(topLeft.x(), topLeft.y(), Text1->width() + Command1->width(),
                       rows * rowHeight + frame);
    List1->raise();
    List1->show();
    // Dropping the list chooses nothing: the entry of the box's province becomes the
    // current one quietly, so that the focus does not pick the first entry and the
    // keys go on from the province shown.
    const QSignalBlocker quiet(List1);
    const int code = TextNumber::roundToInt32(ParaLogic::provinceValue(Text1->text()));
    int row = 0;
    for (int i = 0; i < List1->count(); ++i)
        if (TextNumber::roundToInt32(ParaLogic::provinceValue(List1->item(i)->text())) == code) row = i;
    List1->setCurrentRow(row);
    List1->setFocus();
}

void FrmPara::List1_Click()
{
    if (QListWidgetItem* item = List1->currentItem()) Text1->setText(item->text());
}

void FrmPara::List1_DblClick()
{
    List1_Click();
    hideList();
}

void FrmPara::hideList()
{
    List1->hide();
}

bool FrmPara::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        // Enter takes the entry and closes the list, as a double click does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            List1_DblClick();
            Text1->setFocus();
            return true;
        }
    }
    if (watched == List1 && event->type() == QEvent::FocusOut)
        hideList();
    else if (watched != List1 && event->type() == QEvent::MouseButtonPress)
        hideList();
    return QDialog::eventFilter(watched, event);
}

void FrmPara::mousePressEvent(QMouseEvent* event)
{
    hideList();
    QDialog::mousePressEvent(event);
}

void FrmPara::Command3_Click()
{
    const QString chosen =
        FileDialog::getOpenOrNewFileName(this, QStringLiteral("选择数据库"), Text2->text(), kFilter);
    const auto r = ParaLogic::chooseRegistration(chosen, MAINBAS::Database_File(), state().ProgramDir);
    if (r.focusProvince) Text1->setFocus();
    if (!r.changed) return;
    if (r.provinceText) Text1->setText(*r.provinceText);
    if (r.showDefault) {
        Check1->setChecked(false);
        Check1->setVisible(*r.showDefault);
    }
    Text2->setText(r.path);
}

void FrmPara::Command4_Click()
{
    const QString chosen =
        FileDialog::getOpenFileName(this, QStringLiteral("选择统计库"), txtTJK->text(), kFilter);
    const auto r = ParaLogic::chooseStatistics(chosen, ParaLogic::configuredStatistics());
    if (!r.changed) return;
    txtTJK->setText(r.path);
    if (r.focus) txtTJK->setFocus();
}

void FrmPara::Command2_Click(int index)
{
    if (index != 0) {
        reject();
        return;
    }
    ParaLogic::AcceptInput in;
    in.provinceText = Text1->text();
    in.databasePath = Text2->text();
    in.defaultShown = !Check1->isHidden();
    in.defaultTicked = Check1->isChecked();
    in.statisticsPath = txtTJK->text();
    const auto r = ParaLogic::accept(in, state().Form_Opened[1], [] { mainWindow().reloadEntryList(); });
    if (r.clearStatistics) txtTJK->clear();
    if (r.focusProvince) {
        SSTab1->setCurrentIndex(0);
        Text1->setFocus();
    }
    if (!r.close) return;
    mainWindow().setPanelText(2, MAINBAS::Database_File());
    accept();
}
