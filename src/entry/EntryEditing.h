#pragma once

#include "registration/form/FormControl.h"

#include <QObject>
#include <QPoint>

#include <functional>

class NewTab;
class QTreeWidgetItem;

// What the entry window does while the clerk edits it: the change handlers of the
// four arrays of field boxes (the Save mark, the numeric warning, the advance of a
// full box, the test of a typed registration number, the number of a new
// registration, the navigation flag), Enter and the arrows moving between boxes,
// the region picker (Command7, TreeView2), the project-category list Combo5, the
// "编辑" button and the sketch-map menu of the coordinate page.
//
// One instance belongs to each entry window; attach() makes it.
class EntryEditing : public QObject
{
    Q_OBJECT
public:
    using Array = FormControl::Array;

    // Attaches the handlers to `window` once; returns the window's instance.
    static EntryEditing* attach(NewTab& window);
    static EntryEditing* of(const NewTab& window);

    // The detail editor of the registration's minerals, quality and reserves. Until
    // one is set, the "编辑" button stays disabled.
    using DetailEditor = std::function<void(NewTab&)>;
    static void setDetailEditor(DetailEditor editor);
    static bool hasDetailEditor();

    // ---- Handlers -------------------------------------------------------------
    void Kn_Change(Array array, int index);
    // True when the key was taken (the box does not see it).
    bool Kn_KeyDown(Array array, int index, int key);

    void Command7_Click();
    void TreeView2_Expand(QTreeWidgetItem* node);
    void TreeView2_NodeClick(QTreeWidgetItem* node);
    void TreeView2_DblClick();
    void TreeView2_LostFocus();
    void Combo5_Click(int index);
    bool Combo5_KeyDown(int index, int key);
    void Command2_Click();
    // A mouse button released over page `index` at `globalPos`.
    void KNPIC_MouseUp(int index, Qt::MouseButton button, const QPoint& globalPos);

    // The message shown when a prefix has no free serial left.
    static QString Prefix_Full_Message(const QString& prefix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EntryEditing(NewTab& window);
    void connectBoxes();
    void advance(Array array, int index);
    void testNumber();
    void makeNumber();
    void sendTab(bool backwards);
    void updateEditButton();

    NewTab& m_window;
    bool m_settingEditButton = false;
};
