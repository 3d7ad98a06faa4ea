#include "ReferenceDialogs.h"

#include "entry/FitFont.h"
#include "platform/ErrorBox.h"
#include "shell/ProgramState.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidth = 1440; // twips

QPushButton* button(QWidget* parent, const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

namespace query {

// ---- Chooser --------------------------------------------------------------------------

FrmReference::FrmReference(QWidget* parent) : ModalDialog(parent, QString(), QString())
{
    setObjectName(QStringLiteral("Frm引用"));
    setWindowTitle(QStringLiteral("提示"));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* label = new QLabel(QStringLiteral("请选择要引用查明数据或者引用占用数据!"), this);
    label->setObjectName(QStringLiteral("Label1"));

    static const char16_t* const captions[3] = {u"查 明", u"占 用", u"取 消"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_command1[i] = button(this, QString::fromUtf16(captions[i]), QStringLiteral("Command1_%1").arg(i));
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(m_command1[i]);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(label, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void FrmReference::Command1_Click(int index)
{
    if (index == 0 || index == 1) {
        FrmReferenceList list(index == 0 ? ReferenceKind::Identified : ReferenceKind::Occupied, this);
        list.exec();
    }
    accept();
}

// ---- List dialog ------------------------------------------------------------------------

FrmReferenceList::FrmReferenceList(ReferenceKind kind, QWidget* parent)
    : ModalDialog(parent, QString(), QString()), m_kind(kind)
{
    const bool identified = kind == ReferenceKind::Identified;
    setObjectName(identified ? QStringLiteral("Frm引用查明") : QStringLiteral("Frm引用占用"));
    setWindowTitle(identified ? QStringLiteral("引用查明数据") : QStringLiteral("引用占用数据"));

    m_listView1 = new QTreeWidget(this);
    m_listView1->setObjectName(QStringLiteral("ListView1"));
    m_listView1->setRootIsDecorated(false);
    m_listView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listView1->setHeaderLabels({QString(), QStringLiteral("登记号"),
                                  identified ? QStringLiteral("探矿权人") : QStringLiteral("采矿权人"),
                                  QStringLiteral("矿区(井田)名称"), QStringLiteral("矿区(井田)编号"),
                                  QStringLiteral("所在行政区代码")});
    m_listView1->setColumnHidden(0, true);
    const int width = m_listView1->logicalDpiX() * ColumnWidth / 1440;
    for (int c = 1; c <= 5; ++c)
        m_listView1->setColumnWidth(c, width);
    // The columns keep their width; the font is made small enough for a whole
    // registration number within the cell's focus-frame margins.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_listView1) + 1);
    m_listView1->setFont(
        Fit_Font_To_Width(m_listView1->font(), QStringLiteral("4654326222002"), width - margin));
    connect(m_listView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1_DblClick(); });

    m_command1[0] = button(this, QStringLiteral("引  用"), QStringLiteral("Command1_0"));
    m_command1[1] = button(this, QStringLiteral("取  消"), QStringLiteral("Command1_1"));
    m_command1[0]->setEnabled(false);
    for (int i = 0; i < 2; ++i)
        connect(m_command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_command1[0]);
    buttons->addStretch();
    buttons->addWidget(m_command1[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_listView1, 1);
    layout->addLayout(buttons);
    resize(width * 5 + 40, identified ? 360 : 350);

    Form_Load();
}

void FrmReferenceList::Form_Load()
{
    const Result<QList<ReferenceItem>> items = Load_Reference_List(state().Cn(), m_kind);
    if (!items) {
        // The list stays empty; nothing can be referenced.
        ErrorBox::show(items.error(), this);
        return;
    }
    for (const ReferenceItem& r : *items) {
        auto* item = new QTreeWidgetItem(m_listView1);
        item->setText(1, r.djh);
        item->setText(2, r.holder);
        item->setText(3, r.areaName);
        item->setText(4, r.areaNumber);
        item->setText(5, r.regionCode);
    }
    m_command1[0]->setEnabled(!items->isEmpty());
}

void FrmReferenceList::pick()
{
    const QList<QTreeWidgetItem*> selected = m_listView1->selectedItems();
    if (selected.isEmpty()) return;
    Take_Over_Reference(m_kind, selected.first()->text(1).trimmed(), this);
}

void FrmReferenceList::ListView1_DblClick()
{
    if (m_listView1->selectedItems().isEmpty()) return;
    pick();
    accept();
}

void FrmReferenceList::Command1_Click(int index)
{
    if (index != 0) {
        reject();
        return;
    }
    // Without a selection the dialog closes and nothing is taken over.
    pick();
    accept();
}

} // namespace query
