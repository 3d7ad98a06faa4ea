#pragma once

#include "support/ProgramFolder.h"

#include "platform/Database.h"

#include <QVariant>

// A working database from the template, opened as the shared connection, with
// helpers that add the quality and reserve rows of a registration.
class PrintFixture : public ProgramFolder
{
protected:
    static inline const QString Djh = QStringLiteral("4510104082001");

    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        m_state.Cur_DJH = Djh;
    }

    QSqlDatabase db() const { return m_state.Cn(); }

    void exec(const QString& sql, const QVariantList& values = {})
    {
        Db::Error e;
        ASSERT_TRUE(Db::exec(db(), sql, values, &e).has_value())
            << sql.toStdString() << ": " << e.description.toStdString();
    }

    // One 质量 row.
    void addQuality(int mineral, const QVariant& type, const QVariant& grade, const QVariant& name,
                    const QVariant& value, const QVariant& unit, bool average, int order)
    {
        exec(QStringLiteral(
                 "INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, "
                 "组分单位, 均值标识, 显示序号) VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, ?)"),
             {Djh, mineral, type, grade, name, value, unit, average ? 1 : 0, order});
    }

    // One 资源储量 row with a 储量 and a 资源量 figure.
    void addReserve(int mineral, int type, int grade, const QVariant& code, const QVariant& metal,
                    const QVariant& ore, const QVariant& resource, int order, const QVariant& origin = {})
    {
        exec(QStringLiteral(
                 "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, "
                 "矿石量1, 资源量类型, 矿石量3, 矿产组合, 原登记号, 显示序号) "
                 "VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, 10, '单一', ?, ?)"),
             {Djh, mineral, type, grade, code, metal, ore, resource, origin, order});
    }
};
