#include "FrmKszl.h"

#include "EditorWidgets.h"

#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace editors {

namespace {

const QString Tip = QStringLiteral("提示");
const QString NameTip = QStringLiteral("组分名");
const QString ValueTip = QStringLiteral("组分值");
const QString UnitTip = QStringLiteral("组分单位");

// The ruled component table (Shape1), in twips.
constexpr int TableLeft = 510;
constexpr int TableTop = 1260;
constexpr int TableWidth = 4185;
constexpr int TableHeight = 3105;

constexpr int ClientWidth = 6660;
constexpr int ClientHeight = 5325;
constexpr int BoxCount = 32;
constexpr int DropWidth = 315;
constexpr int DropHeight = 285;
constexpr int ListWidth = 2060;
constexpr int ListHeight = 1500;

bool isValueBox(int i)
{
    return i >= 3 && i % 3 == 0;
}

} // namespace

FrmKszl::FrmKszl(QWidget* parent, const HandOver& handOver)
    : DetailEditor(parent, handOver, QStringLiteral("矿石质量信息已经修改，将不保存，确定要退出吗？")),
      m_openedType(handOver.Cur_KSLX), m_openedGrade(handOver.Cur_KSPJ)
{
    setObjectName(QStringLiteral("FrmKszl"));
    setWindowTitle(QStringLiteral("矿石质量输入"));
    buildControls();
    centreOnScreen();
    Load_Quality();
}

void FrmKszl::buildControls()
{
    setFixedSize(Twips::toPixelsX(ClientWidth), Twips::toPixelsY(ClientHeight));
    EditorWidgets::addBanner(this, QStringLiteral("矿石主要组分含量输入"));
    EditorWidgets::addHelp(
        this,
        QStringLiteral("如果为平均含量请在矿石类型描述、矿石品级描述中分别填写该矿产的矿石工业类型、"
                       "品级（牌号）描述信息。"),
        360, 6165);

    auto* table = new QFrame(this);
    table->setObjectName(QStringLiteral("Shape1"));
    table->setFrameShape(QFrame::Box);
    table->setGeometry(Twips::toPixels(TableLeft, TableTop, TableWidth, TableHeight));
    const int headLefts[] = {810, 2280, 3360};
    const QString heads[] = {NameTip, ValueTip, UnitTip};
    for (int i = 0; i < 3; ++i) {
        auto* head = new QLabel(heads[i], this);
        head->setGeometry(Twips::toPixels(headLefts[i], 1350, 1200, 240));
    }

    for (int i = 0; i < BoxCount; ++i) {
        QWidget* box = nullptr;
        if (i < 2) {
            auto* edit = new QPlainTextEdit(this);
            edit->setTabChangesFocus(true);
            connect(edit, &QPlainTextEdit::textChanged, this, [this, i] { Kn4Data_Change(i); });
            box = edit;
            box->setToolTip(i == 0 ? QStringLiteral("矿石类型") : QStringLiteral("矿石品级"));
            box->setGeometry(Twips::toPixels(4890, i == 0 ? 2370 : 3420, 1395, 660));
        } else {
            auto* edit = new QLineEdit(this);
            connect(edit, &QLineEdit::textChanged, this, [this, i] { Kn4Data_Change(i); });
            const int r = (i + 1) / 3;
            const int column = (i + 1) % 3; // 0 name, 1 value, 2 unit
            const int lefts[] = {540, 2100, 3120};
            const int widths[] = {1515, 975, 1545};
            edit->setToolTip(column == 0 ? NameTip : column == 1 ? ValueTip : UnitTip);
            if (column == 2) edit->setAlignment(Qt::AlignCenter);
            // The table's ruling frames the boxes.
            edit->setFrame(false);
            edit->setGeometry(Twips::toPixels(lefts[column], 1650 + 270 * (r - 1), widths[column], 240));
            box = edit;
        }
        box->setObjectName(QStringLiteral("Kn4Data_%1").arg(i));
        watchBox(box, i < 2);
        m_boxes << box;
    }

    ruleTable();

    m_check = new QCheckBox(QStringLiteral("平均含量"), this);
    m_check->setObjectName(QStringLiteral("Check1"));
    m_check->setGeometry(Twips::toPixels(4830, 1380, 1275, 255));
    connect(m_check, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    const QString descriptions[] = {QStringLiteral("矿石类型描述："), QStringLiteral("矿石品级描述：")};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(descriptions[i], this);
        label->setObjectName(QStringLiteral("Label3_%1").arg(i));
        label->setGeometry(Twips::toPixels(4890, i == 0 ? 2070 : 3150, 1275, 285));
        m_descriptionLabels << label;
    }

    auto* etch = new QFrame(this);
    etch->setFrameShape(QFrame::HLine);
    etch->setFrameShadow(QFrame::Sunken);
    etch->setGeometry(Twips::toPixels(0, 4740, ClientWidth, 30));
    addCommandButtons(2820, 4905);

    m_dropButton = new QToolButton(this);
    m_dropButton->setObjectName(QStringLiteral("Command2"));
    m_dropButton->setText(QStringLiteral("▼"));
    m_dropButton->setFocusPolicy(Qt::NoFocus);
    m_dropButton->hide();
    connect(m_dropButton, &QToolButton::clicked, this, [this] { Command2_Click(); });
    for (int k = 0; k < 2; ++k) {
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(k));
        list->hide();
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, k] { List1_Click(k); });
        connect(list, &QListWidget::itemActivated, this, [this, k] { List1_Click(k); });
        m_lists[k] = list;
    }

    // Tab order: the boxes by index, then 删除, 保存, 平均含量, 退出.
    for (int i = 1; i < BoxCount; ++i)
        setTabOrder(m_boxes[i - 1], m_boxes[i]);
    setTabOrder(m_boxes.last(), command(1));
    setTabOrder(command(1), command(0));
    setTabOrder(command(0), m_check);
    setTabOrder(m_check, command(2));
}

void FrmKszl::ruleTable()
{
    // Line2 (2 to 11): under the titles and between the component rows; Line4 (0, 1):
    // between the name, value and unit columns. Drawn over the boxes' edges.
    static const int tops[] = {1620, 1905, 2160, 2445, 2700, 2985, 3240, 3525, 3780, 4065};
    static const int lefts[] = {2070, 3090};
    const QRect frame = Twips::toPixels(TableLeft, TableTop, TableWidth, TableHeight);
    auto line = [this](const QString& name, QFrame::Shape shape, const QRect& geometry) {
        auto* l = new QFrame(this);
        l->setObjectName(name);
        l->setFrameShape(shape);
        l->setFrameShadow(QFrame::Plain);
        l->setGeometry(geometry);
        l->raise();
    };
    for (int i = 0; i < 10; ++i)
        line(QStringLiteral("Line2_%1").arg(i + 2), QFrame::HLine,
             QRect(frame.left(), Twips::toPixelsY(tops[i]), frame.width(), 1));
    for (int i = 0; i < 2; ++i)
        line(QStringLiteral("Line4_%1").arg(i), QFrame::VLine,
             QRect(Twips::toPixelsX(lefts[i]), frame.top(), 1, frame.height()));
}

QString FrmKszl::boxText(int index) const
{
    QWidget* box = m_boxes.at(index);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) return edit->text();
    return static_cast<QPlainTextEdit*>(box)->toPlainText();
}

void FrmKszl::setBoxText(int index, const QString& text)
{
    QWidget* box = m_boxes.at(index);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        edit->setText(text);
        edit->setCursorPosition(0); // a long value shows its start
    } else
        static_cast<QPlainTextEdit*>(box)->setPlainText(text);
}

bool FrmKszl::average() const
{
    return m_check->isChecked();
}

QualityEditing::Sheet FrmKszl::sheet() const
{
    QualityEditing::Sheet s;
    s.typeText = boxText(0);
    s.gradeText = boxText(1);
    for (int r = 1; r <= QualityEditing::ComponentRows; ++r)
        s.rows[r - 1] = {boxText(3 * r - 1), boxText(3 * r), boxText(3 * r + 1)};
    return s;
}

void FrmKszl::Load_Quality()
{
    m_filling = true;
    for (int i = 0; i < BoxCount; ++i)
        setBoxText(i, QString());
    const bool averageKey = m_handOver.Cur_KSLX == 0 && m_handOver.Cur_KSPJ == 0;
    m_check->setChecked(averageKey);
    m_check->setEnabled(!averageKey);
    for (QLabel* label : m_descriptionLabels)
        label->setVisible(averageKey);
    m_boxes[0]->setVisible(averageKey);
    m_boxes[1]->setVisible(averageKey);

    const auto loaded =
        QualityEditing::Load_Quality(state().Cn(), QualityEditing::keyOf(m_handOver, averageKey));
    if (loaded) {
        const QualityEditing::Sheet& s = loaded->sheet;
        setBoxText(0, s.typeText);
        setBoxText(1, s.gradeText);
        for (int r = 1; r <= QualityEditing::ComponentRows; ++r) {
            setBoxText(3 * r - 1, s.rows[r - 1].name);
            setBoxText(3 * r, s.rows[r - 1].value);
            setBoxText(3 * r + 1, s.rows[r - 1].unit);
        }
    }
    m_storedRecords = loaded ? loaded->records : 0;
    m_filling = false;
    command(0)->setEnabled(false);
    const bool found = loaded && loaded->records > 0;
    command(1)->setEnabled(found);
    if (found && !averageKey) m_check->setEnabled(false);
    if (!loaded) {
        ErrorBox::show(loaded.error(), this);
        return;
    }
    if (m_storedRecords > QualityEditing::ComponentRows) tooManyRecords();
}

void FrmKszl::tooManyRecords()
{
    Prompt::message(QStringLiteral("该矿石的组分含量数据共有") + QString::number(m_storedRecords) +
                        QStringLiteral("组，这里只能显示前") +
                        QString::number(QualityEditing::ComponentRows) + QStringLiteral("组，不能在此保存！"),
                    Tip, Prompt::Icon::Exclamation, this);
}

void FrmKszl::Check1_Click()
{
    const bool ticked = m_check->isChecked();
    for (QLabel* label : m_descriptionLabels)
        label->setVisible(ticked);
    m_boxes[0]->setVisible(ticked);
    m_boxes[1]->setVisible(ticked);
    if (ticked) {
        m_handOver.Cur_KSLX = 0;
        m_handOver.Cur_KSPJ = 0;
        return;
    }
    // Back to the ore type and grade the row was opened with.
    m_handOver.Cur_KSLX = m_openedType;
    m_handOver.Cur_KSPJ = m_openedGrade;
    m_filling = true;
    setBoxText(0, QString::number(m_openedType));
    setBoxText(1, QString::number(m_openedGrade));
    m_filling = false;
}

void FrmKszl::Kn4Data_Change(int index)
{
    if (m_filling) return;
    command(0)->setEnabled(true);
    if (isValueBox(index) && QualityEditing::valueWarns(boxText(index)))
        Prompt::message(QStringLiteral("请填写数值型数据！"), Tip, Prompt::Icon::Information, this);
}

void FrmKszl::Kn4Data_GotFocus(int index)
{
    const QString tip = m_boxes[index]->toolTip();
    const bool offered = index == 2 || index == 4 || (tip == NameTip && !boxText(index - 3).isEmpty()) ||
                         (tip == UnitTip && !boxText(index - 2).isEmpty());
    if (!offered) {
        m_dropButton->hide();
        return;
    }
    const QRect box = m_boxes[index]->geometry();
    const int w = Twips::toPixelsX(DropWidth);
    const int h = qMin(Twips::toPixelsY(DropHeight), box.height());
    m_dropButton->setGeometry(box.right() + 1 - w, box.top() + (box.height() - h) / 2, w, h);
    m_dropButton->setToolTip(tip);
    m_dropBox = index;
    m_dropButton->show();
    m_dropButton->raise();
}

void FrmKszl::Command2_Click()
{
    const QString tip = m_dropButton->toolTip();
    const int k = tip == NameTip ? 0 : tip == UnitTip ? 1 : -1;
    if (k < 0) return;
    QListWidget* list = m_lists[k];
    const int left = m_boxes[k == 0 ? 2 : 4]->x();
    const int h = Twips::toPixelsY(ListHeight);
    int top = m_dropButton->geometry().bottom() + 1;
    if (top + h > height()) top = m_dropButton->y() - h - Twips::toPixelsY(100);
    list->setGeometry(left, top, Twips::toPixelsX(ListWidth), h);
    list->show();
    list->raise();
    list->setFocus(Qt::OtherFocusReason);
    const auto entries = QualityEditing::Fill_Item_List(state().Cn(), k, m_handOver.Cur_KCDM);
    list->clear();
    if (!entries) {
        ErrorBox::show(entries.error(), this);
        return;
    }
    list->addItems(*entries);
}

void FrmKszl::List1_Click(int index)
{
    QListWidgetItem* item = m_lists[index]->currentItem();
    if (!item || m_dropBox < 0 || !m_lists[index]->isVisible()) return;
    setBoxText(m_dropBox, QualityEditing::pickedText(index, item->text()));
    m_lists[index]->hide();
    m_boxes[m_dropBox]->setFocus();
}

void FrmKszl::hideLists()
{
    m_dropButton->hide();
    for (QListWidget* list : m_lists)
        list->hide();
}

void FrmKszl::mousePressEvent(QMouseEvent* event)
{
    hideLists();
    DetailEditor::mousePressEvent(event);
}

bool FrmKszl::eventFilter(QObject* watched, QEvent* event)
{
    const int index = m_boxes.indexOf(qobject_cast<QWidget*>(watched));
    if (index >= 0 && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        Kn4Data_GotFocus(index);
    if (event->type() == QEvent::FocusOut) {
        for (QListWidget* list : m_lists)
            if (watched == list && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                list->hide();
    }
    return DetailEditor::eventFilter(watched, event);
}

void FrmKszl::saveClicked()
{
    if (m_storedRecords > QualityEditing::ComponentRows) {
        tooManyRecords();
        return;
    }
    const QualityEditing::Sheet s = sheet();
    const QualityEditing::Check check = QualityEditing::Check_Quality(s, average());
    if (check.remindDescriptions)
        Prompt::message(QStringLiteral("请填写平均组分含量描述信息：矿石类型/矿石品级！"), Tip,
                        Prompt::Icon::Information, this);
    if (check.problem == QualityEditing::Problem::Incomplete) {
        Prompt::message(QStringLiteral("请将第") + QString::number(check.row) +
                            QStringLiteral("组数据填写完整！"),
                        Tip, Prompt::Icon::Information, this);
        return;
    }
    if (check.problem == QualityEditing::Problem::NotNumeric) {
        Prompt::message(QStringLiteral("第") + QString::number(check.row) +
                            QStringLiteral("组的组分值不是数值，无法保存！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    const auto saved = QualityEditing::Save_Quality(
        state().Cn(), QualityEditing::keyOf(m_handOver, average()), s, m_handOver.Cur_XSXH);
    if (!saved) {
        ErrorBox::show(saved.error(), this);
        return;
    }
    m_handOver.Kszl_Flag = *saved;
    command(0)->setEnabled(false);
    command(1)->setEnabled(true);
}

void FrmKszl::deleteClicked()
{
    const QString question = average() ? QStringLiteral("确定要删除平均组分含量数据吗？")
                                       : QStringLiteral("确定要删除组分含量数据吗？");
    if (Prompt::ask(question, Tip, Prompt::Buttons::OkCancel, Prompt::Icon::Question, this) ==
        Prompt::Answer::Cancel)
        return;
    const Status deleted =
        QualityEditing::Delete_Quality(state().Cn(), QualityEditing::keyOf(m_handOver, average()));
    if (!deleted) {
        ErrorBox::show(deleted.error(), this);
        return;
    }
    m_handOver.Kszl_Flag.clear();
    Load_Quality();
    command(0)->setEnabled(false);
    command(1)->setEnabled(false);
}

} // namespace editors
