#pragma once

#include "upgrade/Module1.h"
#include "upgrade/PathRules.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The window of the upgrade program: the source and late-registration databases with
// their targets, and the button that runs the upgrade. The work itself is Upgrade's;
// this window reads its boxes, asks, shows progress and what the run answered.
class Frm_Main : public QDialog
{
    Q_OBJECT
public:
    explicit Frm_Main(const QString& programDir, QWidget* parent = nullptr);

    // The program's own title, on every box that names no other.
    static QString programTitle();

    // File choice for a database: the chosen file, the empty text when it does not
    // exist, "err" when the dialog was cancelled.
    QString selectMdb();
    // The message of the entry check; empty when the entries pass.
    QString isNull() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdSourceSearch_Click();
    void comSearchRepair_Click();
    void cmdSearchDes_Click();
    void cmdSearchRepairDesPath_Click();
    void cmdStart_Click();
    void cmdExit_Click();

    void chooseSource(QLineEdit* source, QLineEdit* target, bool repair);
    void chooseTarget(QLineEdit* target, bool repair);
    void readPaths();
    void isUpGrade();
    void saveErrorList(const QStringList& errors);
    void setBusy(bool busy);
    PathRules::Boxes pathBoxes() const;
    void message(const QString& text); // titled with the program's own title
    void refuse(const QString& text);  // titled "提示"

    QString m_programDir;
    Module1 m_run;
    bool m_busy = false;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtSource = nullptr;
    QLineEdit* txtRepairSource = nullptr;
    QLineEdit* txtDesSource = nullptr;
    QLineEdit* txtRepairDesPath = nullptr;
    QPushButton* cmdSourceSearch = nullptr;
    QPushButton* comSearchRepair = nullptr;
    QPushButton* cmdSearchDes = nullptr;
    QPushButton* cmdSearchRepairDesPath = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdExit = nullptr;
    QProgressBar* progress = nullptr;
};
