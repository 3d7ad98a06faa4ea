#include "FrmCode.h"

#include "CodeDictionary.h"
#include "ProgramState.h"
#include "ShellNames.h"
#include "platform/BusyCursor.h"
#include "platform/Prompt.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The widths of columns whose texts need `wanted`, from their widths `base`, in
// `room`: each column that needs more than its width gets it while the room lasts;
// when the room is short, the room beside the columns is shared out in proportion
// to what each needs. No column becomes narrower than its width.
QList<int> fittedWidths(const QList<int>& base, const QList<int>& wanted, int room)
{
    QList<int> widths = base;
    qint64 total = 0, need = 0;
    for (int c = 0; c < base.size(); ++c) {
        total += base[c];
        need += std::max(0, wanted.value(c) - base[c]);
    }
    const qint64 spare = room - total;
    if (need == 0 || spare <= 0) return widths;
    for (int c = 0; c < base.size(); ++c) {
        const qint64 more = std::max(0, wanted.value(c) - base[c]);
        widths[c] += int(need <= spare ? more : more * spare / need);
    }
    return widths;
}

} // namespace

FrmCode::FrmCode(QWidget* parent) : ModalDialog(parent, Keys::Code, QStringLiteral("数据词表浏览..."))
{
    setWindowTitle(QStringLiteral("数据词表"));

    auto* heading = new QLabel(QStringLiteral("固体资源储量数据词表"), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    heading->setFont(f);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("代码分类"), this));
    List2 = new QListWidget(this);
    List2->setFixedWidth(Twips::toPixelsX(1500));
    left->addWidget(List2, 1);

    auto* frame = new QGroupBox(QStringLiteral("浏览"), this);
    auto* fl = new QVBoxLayout(frame);
    MSFlex1 = new QTableWidget(frame);
    MSFlex1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlex1->verticalHeader()->hide();
    MSFlex1->horizontalHeader()->hide();
    fl->addWidget(MSFlex1);
    txtEdit = new QLineEdit(MSFlex1);
    txtEdit->hide();
    // Every row counts when a column's longest text is measured; the grid follows
    // the room it is given.
    MSFlex1->horizontalHeader()->setResizeContentsPrecision(-1);
    MSFlex1->viewport()->installEventFilter(this);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(frame, 1);

    auto* hint = new QLabel(QStringLiteral("请在代码分类中选择相应类别，浏览该类别数据词表。"), this);
    Command2 = new QPushButton(QStringLiteral("退  出"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(Command2);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading);
    v->addLayout(body, 1);
    v->addLayout(bottom);
    resize(Twips::toPixelsX(10500), Twips::toPixelsY(7000));

    connect(List2, &QListWidget::currentRowChanged, this, &FrmCode::List2_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmCode::Command2_Click);

    Form_Load();
}

void FrmCode::Form_Load()
{
    markOpen();
    List2->clear();
    List2->addItems(CodeDictionary::tableNames());
    List2->setCurrentRow(0); // shows cb01 through the list's row change
}

void FrmCode::List2_Click()
{
    txtEdit->hide();
    if (QListWidgetItem* item = List2->currentItem()) Show_Table(item->text());
}

void FrmCode::Command2_Click()
{
    reject();
}

bool FrmCode::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MSFlex1->viewport() && event->type() == QEvent::Resize) fitColumns();
    return ModalDialog::eventFilter(watched, event);
}

void FrmCode::fitColumns()
{
    const QList<int> widths = fittedWidths(m_baseWidths, m_textWidths, MSFlex1->viewport()->width());
    for (int c = 0; c < widths.size() && c < MSFlex1->columnCount(); ++c)
        if (MSFlex1->columnWidth(c) != widths[c]) MSFlex1->setColumnWidth(c, widths[c]);
}

void FrmCode::Show_Table(const QString& table)
{
    CodeDictionary::Table data;
    Db::Error error;
    bool ok = false;
    {
        BusyCursor busy;
        ok = CodeDictionary::read(state().Cn(), table, &data, &error);

        MSFlex1->clear();
        MSFlex1->setRowCount(1);
        MSFlex1->setColumnCount(int(data.columns.size()) + 1);
        for (int c = 0; c < MSFlex1->columnCount(); ++c) {
            if (c == 0) {
                MSFlex1->setColumnWidth(0, Twips::toPixelsX(300));
                continue;
            }
            auto* head = new QTableWidgetItem(data.columns.at(c - 1));
            head->setTextAlignment(Qt::AlignCenter);
            QFont hf = head->font();
            hf.setBold(true);
            head->setFont(hf);
            MSFlex1->setItem(0, c, head);
            MSFlex1->setColumnWidth(c, Twips::toPixelsX(c == 1 ? 1050 : c == 2 ? 1450 : 1500));
        }
        MSFlex1->setRowCount(int(data.rows.size()) + 1);
        for (int r = 0; r < data.rows.size(); ++r) {
            const QStringList& row = data.rows.at(r);
            for (int c = 0; c < row.size(); ++c) {
                auto* item = new QTableWidgetItem(row.at(c));
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                MSFlex1->setItem(r + 1, c + 1, item);
            }
        }
        for (int r = 0; r < MSFlex1->rowCount(); ++r)
            MSFlex1->setRowHeight(r, Twips::toPixelsY(320));
        m_baseWidths.clear();
        m_textWidths.clear();
        const QAbstractItemView* view = MSFlex1;
        for (int c = 0; c < MSFlex1->columnCount(); ++c) {
            m_baseWidths << MSFlex1->columnWidth(c);
            m_textWidths << (c == 0 ? 0 : view->sizeHintForColumn(c));
        }
        fitColumns();
        if (!data.rows.isEmpty()) MSFlex1->setCurrentCell(1, 1);
    }

    // A dictionary that cannot be read leaves an empty grid and the list usable.
    if (!ok)
        Prompt::message(CodeDictionary::failureText(table, error), QStringLiteral("提示"),
                        Prompt::Icon::Exclamation);
}
