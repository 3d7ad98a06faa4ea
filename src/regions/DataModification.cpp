#include "DataModification.h"

#include "RegionCodeReplacement.h"
#include "exchange/ExchangeWindow.h"
#include "platform/BusyCursor.h"
#include "platform/DigitsOnly.h"
#include "platform/ErrorBox.h"
#include "platform/Prompt.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {
const QString Title = QStringLiteral("提示");
const QString Field = QStringLiteral("行政区代码");
} // namespace

DataModification::DataModification(QWidget* parent) : ModalDialog(parent, QString(), QString())
{
    centreOnScreen();
    setObjectName(QStringLiteral("DataModification"));
    setWindowTitle(QStringLiteral("数据修改"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        exchange::bannerLabel(QStringLiteral("Garvish数据修改"), QStringLiteral("Label1_5"), this));
    auto* grid = new QGridLayout;
    const QString labels[3] = {QStringLiteral("修改字段"), QStringLiteral("被替换内容"),
                               QStringLiteral("替换内容")};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(labels[i], this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        grid->addWidget(label, i, 0);
    }
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->addItem(Field);
    m_combo1->setCurrentIndex(-1);
    connect(m_combo1, &QComboBox::activated, this, &DataModification::Combo1_Click);
    grid->addWidget(m_combo1, 0, 1);
    m_replaced = new QLineEdit(this);
    m_replaced->setObjectName(QStringLiteral("txtReplaced"));
    grid->addWidget(m_replaced, 1, 1);
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("txtReplace"));
    grid->addWidget(m_replace, 2, 1);
    for (QLineEdit* box : {m_replaced, m_replace})
        box->installEventFilter(this);
    layout->addLayout(grid);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* options = new QVBoxLayout(frame);
    const QString captions[2] = {QStringLiteral("仅压覆登记"),
                                 QStringLiteral("查明、占用、停办、压覆全部登记")};
    for (int i = 0; i < 2; ++i) {
        m_option[i] = new QRadioButton(captions[i], frame);
        m_option[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options->addWidget(m_option[i]);
    }
    m_option[0]->setChecked(true);
    layout->addWidget(frame);

    auto* row = new QHBoxLayout;
    row->addStretch();
    const QString buttons[2] = {QStringLiteral("确定"), QStringLiteral("退出")};
    for (int i = 0; i < 2; ++i) {
        auto* b = exchange::dialogButton(buttons[i], QStringLiteral("Command1_%1").arg(i), this);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        row->addWidget(b);
    }
    layout->addLayout(row);
}

void DataModification::showEvent(QShowEvent* event)
{
    // The text stays in the status bar after the dialog has closed.
    mainWindow().setPanelText(1, QStringLiteral("修改行政区代码..."));
    ModalDialog::showEvent(event);
}

bool DataModification::fieldChosen() const
{
    return m_combo1->currentText() == Field;
}

void DataModification::Combo1_Click()
{
    if (!fieldChosen()) return;
    for (QLineEdit* box : {m_replaced, m_replace}) {
        box->setMaxLength(6);
        // Digits only, whether typed, pasted or composed by an input method.
        if (!box->validator()) box->setValidator(digitsOnlyValidator(box));
    }
}

bool DataModification::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || (box != m_replaced && box != m_replace)) return ModalDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && fieldChosen()) {
        // Digits_Only: a typed character other than a digit is swallowed with a
        // beep. Keys whose text is a control character (Tab, Delete, Backspace)
        // and shortcuts (Ctrl+V ...) do their usual work; the validator keeps what
        // they bring in to digits.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                           !text.isEmpty() &&
                           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
        if (typed && !std::all_of(text.begin(), text.end(),
                                  [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); })) {
            QApplication::beep();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) m_keyInBox = true;
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        m_keyInBox = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    }
    if (event->type() == QEvent::KeyRelease && !fieldChosen() &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        if (!m_keyInBox) return ModalDialog::eventFilter(watched, event);
        m_keyInBox = false;
        box->clear();
        Prompt::message(QStringLiteral("请先选择修改的字段"), Title, Prompt::Icon::None, this);
        return true;
    }
    return ModalDialog::eventFilter(watched, event);
}

void DataModification::Command1_Click(int index)
{
    std::optional<BusyCursor> busy(std::in_place);
    if (index != 0) {
        reject();
        return;
    }
    if (!fieldChosen()) {
        busy.reset();
        Prompt::message(QStringLiteral("修改字段不能为空！"), Title, Prompt::Icon::None, this);
        return;
    }
    const QSqlDatabase db = state().Cn();
    const bool allKinds = m_option[1]->isChecked();
    const regions::InputCheck check =
        regions::Check_Input(db, m_replaced->text().trimmed(), m_replace->text().trimmed(), allKinds);
    busy.reset();
    for (const Db::Error& e : check.queryErrors)
        Prompt::message(e.description, Title, Prompt::Icon::None, this);
    if (!check.refusal.isEmpty()) {
        QLineEdit* box = check.box == regions::CodeRole::Old ? m_replaced : m_replace;
        box->clear();
        box->setFocus();
        Prompt::message(check.refusal, Title, Prompt::Icon::None, this);
        return;
    }
    busy.emplace();
    const auto replaced =
        regions::Replace_Region_Code(db, m_replace->text().trimmed(), m_replaced->text().trimmed(), allKinds);
    busy.reset();
    if (!replaced) {
        ErrorBox::show(replaced.error(), this);
        return;
    }
    Prompt::message(QStringLiteral("替换完成！"), Title, Prompt::Icon::None, this);
    if (mainWindow().entryWindowOpen()) mainWindow().refreshNavigation();
    accept();
}
