#pragma once

#include "HandOver.h"
#include "shell/ModalDialog.h"

#include <QList>
#include <QString>

class QPushButton;
class QWidget;

namespace editors {

// What the quality and reserve editors share: three command buttons ("保 存",
// "删 除", "退 出"), the enabled "保 存" as the mark of unsaved edits, the question
// before closing with unsaved edits, and the keys of the boxes: Enter and Down move
// to the next box, Up to the previous one, Esc is dropped, and Enter is dropped in
// single-line boxes (a multi-line box takes it as a line break).
class DetailEditor : public ModalDialog
{
    Q_OBJECT
public:
    // The ore row the editor works on, and after it closed the marker it hands back.
    const HandOver& handOver() const { return m_handOver; }

protected:
    DetailEditor(QWidget* parent, const HandOver& handOver, const QString& closeQuestion);

    // Makes the three buttons at (left, top) in twips, each 1125 x 285, 105 apart.
    void addCommandButtons(int left, int top);
    QPushButton* command(int index) const { return m_commands[index]; }
    // Boxes whose keys follow the shared rules; `multiLine` boxes keep Enter and the arrows.
    void watchBox(QWidget* box, bool multiLine);

    // The editor's routines behind the buttons.
    virtual void saveClicked() = 0;
    virtual void deleteClicked() = 0;

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    HandOver m_handOver;

private:
    QString m_closeQuestion;
    QPushButton* m_commands[3] = {};
    QList<QWidget*> m_singleLine;
    QList<QWidget*> m_multiLine;
};

} // namespace editors
