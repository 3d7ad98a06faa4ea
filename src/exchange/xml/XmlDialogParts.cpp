#include "XmlDialogParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace XmlDialogParts {

QLabel* title(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont big = label->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    label->setFont(big);
    return label;
}

QLabel* hint(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QGroupBox* pathFrame(QWidget* parent, const QString& frameName, const QString& caption, QLineEdit** text,
                     QPushButton** browse, const QString& browseName)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(frameName);
    *text = new QLineEdit(frame);
    (*text)->setObjectName(QStringLiteral("Text1"));
    *browse = new QPushButton(QStringLiteral("..."), frame);
    (*browse)->setObjectName(browseName);
    (*browse)->setAutoDefault(false);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(*text, 1);
    row->addWidget(*browse);
    return frame;
}

QHBoxLayout* commandRow(QWidget* parent, const QString& first, const QString& second,
                        QPushButton* (&buttons)[2], const std::function<void(int)>& clicked)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    const QString texts[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QPushButton(texts[i], parent);
        buttons[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        buttons[i]->setAutoDefault(false);
        row->addWidget(buttons[i]);
        QObject::connect(buttons[i], &QPushButton::clicked, parent, [clicked, i] { clicked(i); });
    }
    return row;
}

} // namespace XmlDialogParts
