#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the system's name, series, version and maker.
class About : public QDialog
{
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);

    // The texts the box shows, top to bottom.
    static QStringList texts();

    void Command1_Click();
    QPushButton* COMMAND1 = nullptr;
};
