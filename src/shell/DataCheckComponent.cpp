#include "DataCheckComponent.h"

#include "platform/Prompt.h"

const QString& NoDataCheckComponent::message()
{
    static const QString text = QStringLiteral("没有安装数据检查组件，无法执行此项操作！");
    return text;
}

void NoDataCheckComponent::Check_Database(int, int, const QString&, const QString&, const QString&,
                                          const QString&, const QString&, const QString&, QWidget* mainWindow)
{
    Prompt::message(message(), QStringLiteral("提示"), Prompt::Icon::Information, mainWindow);
}

void NoDataCheckComponent::Define_Check_Items(int, int, const QString&, const QString&)
{
    Prompt::message(message(), QStringLiteral("提示"), Prompt::Icon::Information);
}
