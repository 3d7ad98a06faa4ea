#include "NumberPickerPanel.h"

#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

NumberPickerPanel::NumberPickerPanel(NumberPicker::Variant variant, QWidget* parent)
    : NumberPickerPanel(variant, QStringLiteral("可选储量登记号："), QStringLiteral("已选储量登记号："),
                        parent)
{
}

NumberPickerPanel::NumberPickerPanel(NumberPicker::Variant variant, const QString& sourceLabel,
                                     const QString& chosenLabel, QWidget* parent)
    : QGroupBox(QStringLiteral("登记号选择"), parent), m_picker(variant)
{
    setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(this);
    const QString labels[2] = {sourceLabel, chosenLabel};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(labels[i], this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        grid->addWidget(label, 0, i * 2);
        m_lists[i] = new QListWidget(this);
        m_lists[i]->setObjectName(QStringLiteral("List1_%1").arg(i));
        m_lists[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_lists[i]->setMinimumWidth(170);
        grid->addWidget(m_lists[i], 1, i * 2);
        label->setBuddy(m_lists[i]);
        connect(m_lists[i], &QListWidget::itemPressed, this, [this, i] { List1_Click(i); });
        connect(m_lists[i], &QListWidget::itemSelectionChanged, this, [this, i] {
            if (!m_filling) List1_Click(i);
        });
        connect(m_lists[i], &QListWidget::itemDoubleClicked, this, [this, i] { List1_DblClick(i); });
    }
    auto* column = new QVBoxLayout;
    column->addStretch();
    const QString captions[4] = {QStringLiteral("→"), QStringLiteral("←"), QStringLiteral("全选"),
                                 QStringLiteral("全不选")};
    for (int i = 0; i < m_picker.buttonCount(); ++i) {
        m_buttons[i] = new QPushButton(captions[i], this);
        m_buttons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        column->addWidget(m_buttons[i]);
    }
    column->addStretch();
    grid->addLayout(column, 1, 1);
    showButtons();
}

void NumberPickerPanel::setSource(const QStringList& numbers)
{
    m_picker.setSource(numbers);
    showList(NumberPicker::Source);
    showList(NumberPicker::Chosen);
    showButtons();
}

void NumberPickerPanel::loadSource(const Result<QStringList>& numbers)
{
    if (!numbers) ErrorBox::show(numbers.error(), window());
    setSource(numbers.valueOr({}));
}

void NumberPickerPanel::openState()
{
    m_picker.openState();
    showButtons();
}

void NumberPickerPanel::Command1_Click(int index)
{
    const int from = index == NumberPicker::Remove ? NumberPicker::Chosen : NumberPicker::Source;
    QList<int> rows;
    for (const QModelIndex& i : m_lists[from]->selectionModel()->selectedRows())
        rows << i.row();
    {
        // Choosing all of a long list takes a moment.
        std::optional<BusyCursor> busy;
        if (index == NumberPicker::All && m_picker.variant() != NumberPicker::Variant::Import) busy.emplace();
        m_picker.press(index, rows);
        showList(NumberPicker::Chosen);
    }
    showButtons();
}

void NumberPickerPanel::List1_Click(int index)
{
    m_picker.click(index);
    showButtons();
}

void NumberPickerPanel::List1_DblClick(int index)
{
    if (m_picker.doubleClickActs()) Command1_Click(index);
}

void NumberPickerPanel::showList(int index)
{
    m_filling = true;
    QListWidget* list = m_lists[index];
    list->clear();
    list->addItems(index == NumberPicker::Source ? m_picker.source() : m_picker.chosen());
    m_filling = false;
}

void NumberPickerPanel::showButtons()
{
    for (int i = 0; i < m_picker.buttonCount(); ++i)
        m_buttons[i]->setEnabled(m_picker.enabled(i));
}
