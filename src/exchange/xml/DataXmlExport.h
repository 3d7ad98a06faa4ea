#pragma once

#include "shell/ModalDialog.h"

class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

// The XML export dialog: one chosen overlay registration goes to an XML file
// through the conversion library. Its picker chooses at most one number.
class DataXmlExport : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataXmlExport(QWidget* parent = nullptr);

    void Command1_Click(int index); // 0 "→", 1 "←"
    void Command2_Click(int index); // 0 export, 1 close
    void Command3_Click();          // browse for the XML file
    void List1_Click(int index);

private:
    void Form_Load();
    void Load_Number_List();
    void Export_Xml();

    QLineEdit* Text1 = nullptr;
    QListWidget* List1[2] = {nullptr, nullptr};
    QPushButton* Command1[2] = {nullptr, nullptr};
    QPushButton* Command2[2] = {nullptr, nullptr};
    QPushButton* Command3 = nullptr;
    QProgressBar* PBar = nullptr;
};
