#pragma once

#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "platform/ColumnCatalog.h"
#include "platform/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

// A working database with a few generated overlay registrations and one whose
// values are awkward on purpose: Null beside empty text, CR LF, control
// characters, Chinese, doubles that need all their digits, dates and Booleans.
class XmlFixture : public ProgramFolder
{
protected:
    static inline const QString kOdd = QStringLiteral("4110101082999");
    static inline const QStringList kTables = {QStringLiteral("登记"),     QStringLiteral("压覆"),
                                               QStringLiteral("报告"),     QStringLiteral("质量"),
                                               QStringLiteral("资源储量"), QStringLiteral("坐标")};

    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        Db::Error e;
        ASSERT_TRUE(SampleRegistrations::fill(db(), {4, 7}, &e)) << e.description.toStdString();
        exec(QStringLiteral(
                 "INSERT INTO 登记 (登记号, 填表人, 填表负责人, 填表日期, 核实意见) VALUES (?,?,?,?,?)"),
             {kOdd, QVariant(), QStringLiteral(""), QStringLiteral("2008年5月1日"),
              QStringLiteral("同意。\r\n请复核。\r\n")});
        exec(QStringLiteral("INSERT INTO 压覆 (登记号, 行政区代码, 中心点X坐标, 方位, 备注, 是否录入) "
                            "VALUES (?,?,?,?,?,?)"),
             {kOdd, 110101, 4412345.678901234, 0.1, QStringLiteral("\x01控制\t字符 "), QVariant()});
        exec(QStringLiteral("INSERT INTO 报告 (登记号, 评审日期, 可利用情况码) VALUES (?,?,?)"),
             {kOdd, QStringLiteral("2007年12月"), 0});
        exec(QStringLiteral("INSERT INTO 坐标 (登记号, 矿权坐标, 矿权面积) VALUES (?,?,?)"),
             {kOdd, QStringLiteral("1,4,1,39500000.5,4400000.25,\r\n2,1.5e-7,,"), 1.25});
        for (int flag : {1, 0})
            exec(QStringLiteral(
                     "INSERT INTO 质量 (登记号, 矿产代码, 统计对象, 矿石类型, 组分值, 均值标识, 显示序号) "
                     "VALUES (?,?,?,?,?,?,?)"),
                 {kOdd, 11001, 0, flag ? QStringLiteral("平均\r\n品位") : QStringLiteral("10001"),
                  3.14159265358979, flag, 101 + flag});
        exec(QStringLiteral("INSERT INTO 资源储量 (登记号, 矿产代码, 金属量1, 矿石量1, 原登记号, 扣矿区编号) "
                            "VALUES (?,?,?,?,?,?)"),
             {kOdd, 11001, 1e-7, 123456789012.5, QVariant(), QStringLiteral("")});
    }

    QSqlDatabase db() const { return m_state.Cn(); }

    void exec(const QString& sql, const QVariantList& values = {}, QSqlDatabase target = {})
    {
        Db::Error e;
        ASSERT_TRUE(Db::exec(target.isValid() ? target : db(), sql, values, &e).has_value())
            << sql.toStdString() << ": " << e.description.toStdString();
    }

    // Every row of `number` in the six tables, each column as its storage kind and
    // its exact content (text as UTF-8 bytes, reals with all their digits).
    static QStringList dump(const QSqlDatabase& target, const QString& number)
    {
        QStringList out;
        for (const QString& table : kTables) {
            QStringList parts;
            for (const Db::Column& c : Db::columns(target, table))
                parts << QStringLiteral("'%1=' || typeof(\"%1\") || ':' || CASE WHEN typeof(\"%1\")='real' "
                                        "THEN printf('%!.17g', \"%1\") ELSE hex(\"%1\") END")
                             .arg(c.name);
            QSqlQuery q(target);
            q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE 登记号 = ? ORDER BY rowid")
                          .arg(parts.join(QStringLiteral(" || ' ' || ")), table));
            q.addBindValue(number);
            EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
            while (q.next())
                out << table + QLatin1Char(' ') + q.value(0).toString();
        }
        return out;
    }

    // Row counts of the six tables.
    QList<int> counts(const QSqlDatabase& target) const
    {
        QList<int> n;
        for (const QString& table : kTables)
            n << Db::scalar(target, QStringLiteral("SELECT count(*) FROM ") + table).toInt();
        return n;
    }

    void deleteRegistration(const QString& number)
    {
        for (const QString& table : kTables)
            exec(QStringLiteral("DELETE FROM %1 WHERE 登记号 = ?").arg(table), {number});
    }
};
