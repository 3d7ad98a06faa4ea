#pragma once

#include <QObject>
#include <QString>

#include <functional>

// F1 anywhere in the application, modal dialogs included, opens the help file.
// Install one on the application object; `helpFile` gives the file at the moment
// the key is pressed.
class HelpKeyFilter : public QObject
{
    Q_OBJECT
public:
    explicit HelpKeyFilter(std::function<QString()> helpFile, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<QString()> m_helpFile;
};
