#pragma once

#include "support/ProgramFolder.h"

#include "entry/RegistrationFilter.h"
#include "platform/Database.h"
#include "shell/ProgramState.h"

#include <QVariant>

// A working database copied from the template, opened as the shared connection,
// with a few overlay registrations and helpers that add rows.
class QueryFixture : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_state.ViewFlag = QStringLiteral("1");
        Query_Filter().clear();
    }
    void TearDown() override
    {
        Query_Filter().clear();
        ProgramFolder::TearDown();
    }

    QSqlDatabase db() const { return m_state.Cn(); }

    void exec(const QString& sql, const QVariantList& values = {})
    {
        Db::Error e;
        ASSERT_TRUE(Db::exec(db(), sql, values, &e).has_value())
            << sql.toStdString() << ": " << e.description.toStdString();
    }

    // Rows in 登记 and 压覆, and one reserve row per mineral.
    void addOverlay(const QString& djh, int region, const QString& areaName, const QString& holder,
                    const QList<int>& minerals = {})
    {
        exec(QStringLiteral("INSERT INTO 登记 (登记号) VALUES (?)"), {djh});
        exec(QStringLiteral(
                 "INSERT INTO 压覆 (登记号, 行政区代码, 矿区编号, 矿区名称, 所属矿山编号, 矿业权人) "
                 "VALUES (?, ?, ?, ?, 1, ?)"),
             {djh, region, QString::number(region) + QStringLiteral("001"), areaName, holder});
        for (int mineral : minerals)
            exec(
                QStringLiteral("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, "
                               "资源量类型, 矿石量3, 显示序号) VALUES (?, ?, 0, 70010, 32, '333', 1.5, 101)"),
                {djh, mineral});
    }
};
