#include "About.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QStringList About::texts()
{
    return {QStringLiteral("Dunmarrow"),
            QStringLiteral("Pellory（四）"),
            QStringLiteral("Orvane"),
            QStringLiteral("版本: 2.0"),
            QStringLiteral("研制单位：Tarnwick 软件工作室"),
            QStringLiteral("网址：http://www.tarnwick.example")};
}

About::About(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于Orvane"));
    setModal(true);
    auto* v = new QVBoxLayout(this);
    const QStringList t = texts();
    for (int i = 0; i < t.size(); ++i) {
        auto* label = new QLabel(t.at(i), this);
        label->setObjectName(QStringLiteral("aboutText%1").arg(i));
        if (i == 0 || i == 2) {
            QFont f = label->font();
            f.setBold(true);
            f.setPointSize(f.pointSize() + (i == 0 ? 6 : 3));
            label->setFont(f);
        }
        label->setAlignment(Qt::AlignCenter);
        v->addWidget(label);
    }
    COMMAND1 = new QPushButton(QStringLiteral("确 定"), this);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(COMMAND1);
    row->addStretch(1);
    v->addLayout(row);
    connect(COMMAND1, &QPushButton::clicked, this, &About::Command1_Click);
}

void About::Command1_Click()
{
    accept();
}
