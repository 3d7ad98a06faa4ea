#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The outside data-check component. It is not part of the program: an installation
// provides one through ModMCD's factory. In checking mode it is handed the working
// database and the main window; it answers by writing checkinfodjk.xml into the
// program folder and emitting answered().
class DataCheckComponent : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~DataCheckComponent() override = default;

    // Checking mode: 0, 1, the system name, the connection text, two empty texts,
    // the program folder, the province prefix and the main window.
    virtual void Check_Database(int first, int second, const QString& systemName, const QString& connection,
                                const QString& empty1, const QString& empty2, const QString& programDir,
                                const QString& provincePrefix, QWidget* mainWindow) = 0;
    // Choosing the check items: 0, 1, the system name and the program folder.
    virtual void Define_Check_Items(int first, int second, const QString& systemName,
                                    const QString& programDir) = 0;

Q_SIGNALS:
    // The answer file is written.
    void answered();
};

// What the program uses while no component is installed: both modes say so.
class NoDataCheckComponent : public DataCheckComponent
{
    Q_OBJECT
public:
    using DataCheckComponent::DataCheckComponent;

    static const QString& message(); // "没有安装数据检查组件，无法执行此项操作！"

    void Check_Database(int, int, const QString&, const QString&, const QString&, const QString&,
                        const QString&, const QString&, QWidget* mainWindow) override;
    void Define_Check_Items(int, int, const QString&, const QString&) override;
};
