#include "FrmZycl.h"

#include "EditorWidgets.h"
#include "ReserveStatCheck.h"

#include "entry/FitFont.h"

#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"
#include "shell/ProgramState.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <climits>

namespace editors {

namespace {

const QString Tip = QStringLiteral("提示");
constexpr int ClientWidth = 7005;
constexpr int ClientHeight = 6060;
constexpr int FrameLeft = 120;
constexpr int FrameTop = EditorWidgets::HelpBottom + 15;

// Left and width of the nine box columns inside the frame, in twips.
constexpr int Lefts[] = {150, 690, 690, 1410, 1980, 1980, 2640, 3210, 3210};
constexpr int Widths[] = {495, 675, 675, 525, 615, 615, 525, 795, 795};
constexpr int AmountMargin = 2; // pixels a line edit keeps free on either side of its text

} // namespace

FrmZycl::FrmZycl(QWidget* parent, const HandOver& handOver)
    : DetailEditor(parent, handOver, QStringLiteral("资源储量信息已经修改，将不保存，确定要退出吗？"))
{
    setObjectName(QStringLiteral("FrmZycl"));
    setWindowTitle(QStringLiteral("资源储量输入"));
    buildControls();
    centreOnScreen();
    Load_Reserves();
    Set_Amount_Boxes();
}

void FrmZycl::buildControls()
{
    setFixedSize(Twips::toPixelsX(ClientWidth), Twips::toPixelsY(ClientHeight));
    EditorWidgets::addBanner(this, QStringLiteral("资源储量类型编码及数量输入"));
    EditorWidgets::addHelp(
        this,
        QStringLiteral("填写该矿种各矿石类型、品级（牌号）的储量、基础储量、资源量中各类型编码及数量。"), 360,
        6300);

    m_frame = new QGroupBox(QStringLiteral("资源储量"), this);
    m_frame->setObjectName(QStringLiteral("Frame6"));
    m_frame->setGeometry(Twips::toPixels(FrameLeft, FrameTop, 4200, 900 + 480 * 7 + 30));
    const QString groups[] = {QStringLiteral("储量"), QStringLiteral("基础储量"), QStringLiteral("资源量")};
    for (int g = 0; g < 3; ++g) {
        const int left = Lefts[3 * g];
        const int width = Lefts[3 * g + 1] + Widths[3 * g + 1] - left;
        auto* head = new QLabel(groups[g], m_frame);
        head->setAlignment(Qt::AlignCenter);
        head->setGeometry(Twips::toPixels(left, 300, width, 255));
        auto* code = new QLabel(QStringLiteral("编码 "), m_frame);
        code->setGeometry(Twips::toPixels(left, 600, Widths[3 * g], 255));
        auto* amount = new QLabel(QStringLiteral("数 量"), m_frame);
        amount->setAlignment(Qt::AlignCenter);
        amount->setGeometry(Twips::toPixels(Lefts[3 * g + 1], 600, Widths[3 * g + 1], 255));
    }
    for (int i = 0; i < ReserveEditing::BoxCount; ++i) {
        const int r = i / ReserveEditing::BoxesPerRow;
        const int c = i % ReserveEditing::BoxesPerRow;
        auto* box = new QLineEdit(m_frame);
        box->setObjectName(QStringLiteral("Kn5Data_%1").arg(i));
        box->setToolTip(ReserveEditing::boxColumns().at(c));
        const int top = 900 + 480 * r + (ReserveEditing::isOreBox(c) ? 240 : 0);
        const int height = ReserveEditing::isCodeBox(c) ? 450 : 225;
        box->setGeometry(Twips::toPixels(Lefts[c], top, Widths[c], height));
        if (ReserveEditing::isCodeBox(c)) {
            box->setMaxLength(4);
            box->setReadOnly(true); // codes come from the lists only
        } else {
            box->setFrame(false); // an amount box is one line high
        }
        connect(box, &QLineEdit::textChanged, this, [this, i] { Kn5Data_Change(i); });
        box->installEventFilter(this);
        watchBox(box, false);
        m_boxes << box;
    }
    for (int i = 1; i < m_boxes.size(); ++i)
        setTabOrder(m_boxes[i - 1], m_boxes[i]);
    setFigureFont();

    addCommandButtons(ClientWidth - 3 * 1125 - 2 * 105 - 150, ClientHeight - 285 - 240);

    m_dropButton = new QToolButton(this);
    m_dropButton->setObjectName(QStringLiteral("Command5"));
    m_dropButton->setText(QStringLiteral("▼"));
    m_dropButton->setFont(EditorWidgets::songti(7));
    m_dropButton->setFocusPolicy(Qt::StrongFocus);
    m_dropButton->installEventFilter(this);
    m_dropButton->hide();
    connect(m_dropButton, &QToolButton::clicked, this, [this] { Command5_Click(); });
    for (int k = 0; k < 3; ++k) {
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("List2_%1").arg(k));
        list->hide();
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, k] { List2_Click(k); });
        connect(list, &QListWidget::itemActivated, this, [this, k] { List2_Click(k); });
        m_lists[k] = list;
    }
}

void FrmZycl::setFigureFont()
{
    // Every amount of the sheet in one size, whatever its box or its value: the
    // largest at which four digits and two decimals show whole in the narrowest box.
    int narrowest = INT_MAX;
    for (int i = 0; i < ReserveEditing::BoxCount; ++i)
        if (ReserveEditing::isAmountBox(i)) narrowest = qMin(narrowest, m_boxes[i]->width());
    const QFont figures = Fit_Font_To_Width(font(), QStringLiteral("8888.88"), narrowest - 2 * AmountMargin);
    for (int i = 0; i < ReserveEditing::BoxCount; ++i)
        if (ReserveEditing::isAmountBox(i)) m_boxes[i]->setFont(figures);
}

ReserveEditing::Boxes FrmZycl::boxes() const
{
    ReserveEditing::Boxes b;
    for (int i = 0; i < ReserveEditing::BoxCount; ++i)
        b[i] = m_boxes[i]->text();
    return b;
}

void FrmZycl::Load_Reserves()
{
    m_filling = true;
    for (QLineEdit* box : m_boxes)
        box->clear();
    const auto loaded = ReserveEditing::Load_Reserves(state().Cn(), m_handOver);
    if (loaded) {
        for (int i = 0; i < ReserveEditing::BoxCount; ++i) {
            m_boxes[i]->setText(loaded->boxes[i]);
            m_boxes[i]->setCursorPosition(0); // a long amount shows its start
        }
        m_storedRows = loaded->rows;
    }
    m_filling = false;
    command(0)->setEnabled(false);
    command(1)->setEnabled(loaded && loaded->rows > 0);
    if (!loaded) {
        ErrorBox::show(loaded.error(), this);
        return;
    }
    if (m_storedRows > ReserveEditing::Rows)
        Prompt::message(QStringLiteral("该矿石的资源储量数据共有") + QString::number(m_storedRows) +
                            QStringLiteral("行，这里只能显示前7行，不能在此保存！"),
                        Tip, Prompt::Icon::Exclamation, this);
}

void FrmZycl::Set_Amount_Boxes()
{
    const auto units =
        ReserveEditing::Set_Amount_Boxes(state().Cn(), m_handOver.Cur_KCDM, m_handOver.Cur_TJDX);
    if (!units) ErrorBox::show(units.error(), this);
    const ReserveEditing::Units u = units.valueOr({});
    for (int i = 0; i < ReserveEditing::BoxCount; ++i) {
        bool enabled = true;
        if (ReserveEditing::isMetalBox(i)) enabled = u.metal;
        if (ReserveEditing::isOreBox(i)) enabled = u.ore;
        m_boxes[i]->setEnabled(enabled);
    }
}

void FrmZycl::Kn5Data_Change(int index)
{
    if (m_filling) return;
    command(0)->setEnabled(true);
    if (ReserveEditing::isAmountBox(index) && ReserveEditing::amountWarns(m_boxes[index]->text()))
        Prompt::message(QStringLiteral("请填写数值型数据！"), Tip, Prompt::Icon::Information, this);
}

void FrmZycl::Kn5Data_GotFocus(int index)
{
    m_dropButton->hide();
    if (!ReserveEditing::isCodeBox(index)) return;
    QLineEdit* box = m_boxes[index];
    const QPoint topLeft = box->mapTo(this, QPoint(0, 0));
    const int w = Twips::toPixelsX(165);
    const int h = Twips::toPixelsY(195);
    m_dropButton->setGeometry(topLeft.x() + box->width() - w, topLeft.y(), w, h);
    m_dropBox = index;
    m_dropButton->show();
    m_dropButton->raise();
    m_dropButton->setFocus(Qt::OtherFocusReason);
}

void FrmZycl::Command5_Click()
{
    if (m_dropBox < 0) return;
    for (QListWidget* list : m_lists)
        list->hide();
    m_openList = ReserveEditing::listOfBox(m_dropBox);
    const ReserveEditing::Boxes b = boxes();
    for (int k = 0; k < 3; ++k) {
        m_lists[k]->clear();
        m_lists[k]->addItems(ReserveEditing::Fill_Free_Codes(b, k));
    }
    QListWidget* list = m_lists[m_openList];
    QLineEdit* box = m_boxes[m_dropBox];
    const QPoint topLeft = box->mapTo(this, QPoint(0, 0));
    int top = topLeft.y() + box->height();
    const int h = Twips::toPixelsY(1500);
    if (top + h > height()) top = topLeft.y() - h;
    list->setGeometry(topLeft.x(), top, Twips::toPixelsX(1245), h);
    list->show();
    list->raise();
    list->setFocus(Qt::OtherFocusReason);
    if (list->count() > 0) list->setCurrentRow(0);
}

void FrmZycl::List2_Click(int index)
{
    QListWidgetItem* item = m_lists[index]->currentItem();
    const int box = m_dropBox;
    if (!item || box < 0 || !m_lists[index]->isVisible()) return;
    const QString code = item->text();
    m_boxes[box]->setText(code);
    QString partner;
    const int target = ReserveEditing::partnerBox(boxes(), box, code, &partner);
    if (target >= 0) m_boxes[target]->setText(partner);
    // On to the amount beside the code (hiding the list moves the focus first).
    QLineEdit* next = m_boxes[box + 1]->isEnabled()   ? m_boxes[box + 1]
                      : m_boxes[box + 2]->isEnabled() ? m_boxes[box + 2]
                                                      : m_boxes[box];
    next->setFocus(Qt::OtherFocusReason);
    hideLists();
    if (next == m_boxes[box]) Kn5Data_GotFocus(box);
}

void FrmZycl::hideLists()
{
    for (QListWidget* list : m_lists)
        list->hide();
    m_dropButton->hide();
}

void FrmZycl::mousePressEvent(QMouseEvent* event)
{
    hideLists();
    DetailEditor::mousePressEvent(event);
}

bool FrmZycl::eventFilter(QObject* watched, QEvent* event)
{
    const int index = m_boxes.indexOf(qobject_cast<QLineEdit*>(watched));
    if (index >= 0 && event->type() == QEvent::FocusIn) Kn5Data_GotFocus(index);
    // The button stands for its code box: Enter opens the list, the moving keys go on
    // from the box.
    if (watched == m_dropButton && event->type() == QEvent::KeyPress && m_dropBox >= 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        int next = -1;
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_F4) {
            Command5_Click();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Tab) next = m_dropBox + 1;
        if (key == Qt::Key_Up || key == Qt::Key_Backtab) next = m_dropBox - 1;
        if (next >= 0 && next < m_boxes.size()) {
            while (next >= 0 && next < m_boxes.size() && !m_boxes[next]->isEnabled())
                next += key == Qt::Key_Up || key == Qt::Key_Backtab ? -1 : 1;
            if (next >= 0 && next < m_boxes.size()) m_boxes[next]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        for (QListWidget* list : m_lists) {
            if (watched == list && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                hideLists();
        }
    }
    return DetailEditor::eventFilter(watched, event);
}

void FrmZycl::saveClicked()
{
    if (m_storedRows > ReserveEditing::Rows) {
        Prompt::message(QStringLiteral("该矿石的资源储量数据共有") + QString::number(m_storedRows) +
                            QStringLiteral("行，这里只能显示前7行，不能在此保存！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    const ReserveEditing::Boxes b = boxes();
    const ReserveEditing::Check check = ReserveEditing::Check_Values(b);
    if (check.problem == ReserveEditing::Problem::NotNumeric) {
        Prompt::message(QStringLiteral("第") + QString::number(check.row) +
                            QStringLiteral("行的数量不是数值，无法保存！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    if (check.problem == ReserveEditing::Problem::AmountWithoutCode) {
        Prompt::message(QStringLiteral("第") + QString::number(check.row) +
                            QStringLiteral("行有数量但没有类型编码，无法保存！"),
                        Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    // An empty sheet saves nothing and asks nothing.
    if (ReserveEditing::allEmpty(b)) return;
    const auto stat =
        ReserveStatCheck::Check_Stat_Reserves(state().Cn(), state().TJPath, state().TJName, m_handOver, b);
    if (!stat) Prompt::message(stat.error().description, Tip, Prompt::Icon::Information, this);
    if (!stat || !*stat) {
        if (Prompt::ask(QStringLiteral("当前登记号对应储量数据与储量库不一致，是否继续?"), Tip,
                        Prompt::Buttons::YesNo, Prompt::Icon::Information, this) == Prompt::Answer::No)
            return;
    }
    const QStringList pairs = ReserveEditing::Pair_Check(b);
    if (!pairs.isEmpty()) {
        Prompt::message(pairs.join(QStringLiteral("\r\n")), Tip, Prompt::Icon::Exclamation, this);
        return;
    }
    const auto saved = ReserveEditing::Save_Reserves(state().Cn(), m_handOver, b);
    if (!saved) {
        ErrorBox::show(saved.error(), this);
        return;
    }
    m_handOver.Zycl_Flag = *saved;
    command(0)->setEnabled(false);
    command(1)->setEnabled(true);
}

void FrmZycl::deleteClicked()
{
    if (Prompt::ask(QStringLiteral("确定要删除资源储量数据吗？"), Tip, Prompt::Buttons::OkCancel,
                    Prompt::Icon::Question, this) == Prompt::Answer::Cancel)
        return;
    const Status deleted = ReserveEditing::Delete_Reserves(state().Cn(), m_handOver);
    if (!deleted) {
        ErrorBox::show(deleted.error(), this);
        return;
    }
    m_handOver.Zycl_Flag.clear();
    command(0)->setEnabled(false);
    command(1)->setEnabled(false);
}

} // namespace editors
