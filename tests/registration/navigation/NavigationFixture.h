#pragma once

#include "support/ProgramFolder.h"

#include "registration/navigation/RegistrationFilter.h"
#include "platform/Database.h"
#include "shell/ProgramState.h"

#include <QVariant>

// A working database copied from the template, opened as the shared connection,
// with helpers that add overlay registrations row by row.
class NavigationFixture : public ProgramFolder
{
protected:
    struct Overlay
    {
        QString djh;
        QVariant region;     // 行政区代码
        QVariant areaNumber; // 矿区编号
        QVariant areaName;   // 矿区名称
        QVariant mine;       // 所属矿山编号
        QVariant project;    // 建设项目名称
        QVariant holder;     // 矿业权人
    };

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

    // Rows in 登记 and 压覆.
    void addRegistration(const Overlay& o)
    {
        exec(QStringLiteral("INSERT INTO 登记 (登记号) VALUES (?)"), {o.djh});
        exec(QStringLiteral("INSERT INTO 压覆 (登记号, 行政区代码, 矿区编号, 矿区名称, 所属矿山编号, "
                            "建设项目名称, 矿业权人) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {o.djh, o.region, o.areaNumber, o.areaName, o.mine, o.project, o.holder});
    }

    void addReserve(const QString& djh, int mineral)
    {
        exec(QStringLiteral("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, "
                            "资源量类型, 矿石量3, 显示序号) "
                            "VALUES (?, ?, 0, 70010, 32, '333', 1.5, 101)"),
             {djh, mineral});
    }

    // Five registrations: three in 锦江区 (two of them in one mining area), one in
    // 青羊区 and one in 长安区 without a mining area; iron reserves in two of them,
    // copper in one.
    void addStandardRegistrations()
    {
        addRegistration({"4510104082001", 510104, "510104001", "锦江铁矿区", 1, "成渝高速公路", "四川矿业"});
        addRegistration(
            {"4510104082002", 510104, "510104001", "锦江铁矿区", QVariant(), QVariant(), "成都矿业"});
        addRegistration({"4510104102003", 510104, "510104002", "锦江铜矿区", 1, "锦江大道", "锦江公司"});
        addRegistration({"4510105092001", 510105, "510105001", "青羊煤矿区", 2, "青羊新区", "四川煤业"});
        addRegistration(
            {"4130102082001", 130102, QVariant(), QVariant(), QVariant(), "石家庄环路", "河北公司"});
        addReserve("4510104082001", 21001);
        addReserve("4510104082001", 21001);
        addReserve("4510105092001", 21001);
        addReserve("4510105092001", 22001);
    }
};
