#pragma once

#include "shell/ModalDialog.h"

class QLineEdit;

// The XML import dialog: the registrations of an XML exchange file are appended to
// the working database through the conversion library.
class xmlimport : public ModalDialog
{
    Q_OBJECT
public:
    explicit xmlimport(QWidget* parent = nullptr);

    void Command2_Click(int index); // 0 import, 1 close
    void Command4_Click();          // choose the XML file

private:
    void Import_Xml(const QString& path);

    QLineEdit* Text1 = nullptr;
};
