#pragma once

#include <QString>

#include <functional>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The pieces both XML dialogs are built of. Every widget gets its object name.
namespace XmlDialogParts {

// The large title line and the hint under it.
QLabel* title(QWidget* parent, const QString& name, const QString& text);
QLabel* hint(QWidget* parent, const QString& name, const QString& text);

// A frame holding the path box "Text1" and its browse button "...".
QGroupBox* pathFrame(QWidget* parent, const QString& frameName, const QString& caption, QLineEdit** text,
                     QPushButton** browse, const QString& browseName);

// The row of the two command buttons "Command2_0" and "Command2_1", right-aligned;
// a click calls `clicked` with the button's index.
QHBoxLayout* commandRow(QWidget* parent, const QString& first, const QString& second,
                        QPushButton* (&buttons)[2], const std::function<void(int)>& clicked);

} // namespace XmlDialogParts
