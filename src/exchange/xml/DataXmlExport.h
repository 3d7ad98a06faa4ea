#pragma once

#include "shell/ModalDialog.h"

class NumberPickerPanel;
class QLineEdit;
class QProgressBar;

// The XML export dialog: one chosen overlay registration goes to an XML file
// through the conversion library. Its picker chooses at most one number.
class DataXmlExport : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataXmlExport(QWidget* parent = nullptr);

    void Command2_Click(int index); // 0 export, 1 close
    void Command3_Click();          // browse for the XML file

private:
    void Form_Load();
    void Load_Number_List();
    void Export_Xml();

    QLineEdit* Text1 = nullptr;
    NumberPickerPanel* m_picker = nullptr;
    QProgressBar* PBar = nullptr;
};
