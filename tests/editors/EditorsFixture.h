#pragma once

#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "shell/ProgramState.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

// A working database with one overlay registration (DJH) shown in the entry window,
// and helpers that add its 质量 and 资源储量 rows and read them back.
class EditorsFixture : public ProgramFolder
{
protected:
    static inline const QString DJH = QStringLiteral("4510104082001");

    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        exec("INSERT INTO 登记 (登记号) VALUES (?)", {DJH});
        exec("INSERT INTO 压覆 (登记号, 行政区代码, 矿区编号, 所属矿山编号) VALUES (?, 510104, '510104001', "
             "3)",
             {DJH});
        m_state.Cur_DJH = DJH;
    }

    QSqlDatabase db() const { return m_state.Cn(); }

    void exec(const QString& sql, const QVariantList& values = {})
    {
        Db::Error e;
        ASSERT_TRUE(Db::exec(db(), sql, values, &e).has_value())
            << sql.toStdString() << ": " << e.description.toStdString();
    }

    // A component (or average) row of 质量.
    void quality(int mineral, int object, const QString& type, const QString& grade, int order,
                 const QVariant& name = QStringLiteral("TFe"), bool average = false)
    {
        exec("INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, "
             "均值标识, "
             "显示序号) VALUES (?, ?, ?, ?, ?, ?, 30.5, '%', ?, ?)",
             {DJH, mineral, object, type, grade, name, average ? 1 : 0, order});
    }

    // An own reserve row (a deduction when `deduction` is set).
    void reserve(int mineral, int object, int type, int grade, int combination = 1,
                 const QString& combinationName = QStringLiteral("单一矿产"),
                 const QVariant& deduction = QVariant(), int order = 101)
    {
        exec("INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 矿石量1, "
             "矿产组合码, "
             "矿产组合, 扣矿区编号, 显示序号) VALUES (?, ?, ?, ?, ?, '111', 12.5, ?, ?, ?, ?)",
             {DJH, mineral, object, type, grade, combination, combinationName, deduction, order});
    }

    // One column of every row of a query, as texts.
    QStringList column(const QString& sql, const QVariantList& values = {})
    {
        QStringList out;
        Db::Error e;
        auto q = Db::exec(db(), sql, values, &e);
        EXPECT_TRUE(q.has_value()) << e.description.toStdString();
        if (!q) return out;
        while (q->next())
            out << q->value(0).toString();
        return out;
    }
};
