#pragma once

#include "platform/Database.h"
#include "shell/ModalDialog.h"

#include <QElapsedTimer>

#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;

// The data-check dialog "数据检查": checks a whole registration database (the
// working one by default, any other file read-only) and writes the report
// 数据检查结果.txt in the program folder, which it opens in the text viewer.
class DataCheck : public ModalDialog
{
    Q_OBJECT
public:
    explicit DataCheck(QWidget* parent = nullptr);
    ~DataCheck() override;

    void Command3_Click();
    void Command2_Click(int index);

protected:
    void reject() override;

private:
    void Form_Load();
    void runCheck();
    void progress(int value, int maximum);
    void refuse(const QString& text, bool focusPath);
    // Opens another database file read-only into m_own; a file that cannot be
    // opened, or lacks the table 压覆 (`notRegistration`), is refused.
    bool openChecked(const QString& path, const QString& notRegistration);

    QLineEdit* Text1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2[3] = {nullptr, nullptr, nullptr};
    QProgressBar* PBar = nullptr;

    std::unique_ptr<Db::ScopedConnection> m_own;
    bool m_running = false;
    QElapsedTimer m_sinceEvents;
};
