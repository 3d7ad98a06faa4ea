#pragma once

#include "exchange/ExchangeFixture.h"
#include "shell/MAINBAS.h"

#include <optional>

// The working database with registrations of several kinds and regions, and
// helpers to put such registrations into any database file.
class RegionFixture : public ExchangeFixture
{
protected:
    // A registration of kind table `kind` in region `region`: one row in 登记, in
    // the kind table, in 报告 and 坐标, two rows each in 质量 and 资源储量.
    static void addKind(const QSqlDatabase& db, const QString& kind, const QString& number, int region)
    {
        exec(db, "INSERT INTO 登记 (登记号, 填表人) VALUES (?, '王五')", {number});
        exec(db, "INSERT INTO " + kind + " (登记号, 行政区代码) VALUES (?, ?)", {number, region});
        exec(db, "INSERT INTO 报告 (登记号, 报告名称) VALUES (?, '评估报告')", {number});
        exec(db, "INSERT INTO 坐标 (登记号, 矿权坐标) VALUES (?, '1,4')", {number});
        for (int i = 1; i <= 2; ++i) {
            exec(db, "INSERT INTO 质量 (登记号, 矿产代码, 组分名, 显示序号) VALUES (?, 22001, 'Fe', ?)",
                 {number, i});
            exec(db,
                 "INSERT INTO 资源储量 (登记号, 矿产代码, 储量类型, 显示序号) VALUES (?, 22001, '111', ?)",
                 {number, i});
        }
    }

    // Rows of `number` in the six tables of its kind, "登记=1 查明=1 ...".
    static QString rowsIn(const QSqlDatabase& db, const QString& kind, const QString& number)
    {
        QStringList parts;
        for (const QString& table :
             {QStringLiteral("登记"), kind, QStringLiteral("报告"), QStringLiteral("质量"),
              QStringLiteral("资源储量"), QStringLiteral("坐标")})
            parts << table + "=" +
                         Db::scalar(db, "SELECT count(*) FROM " + table + " WHERE 登记号=?", {number})
                             .toString();
        return parts.join(' ');
    }
    static QString whole(const QString& kind)
    {
        return "登记=1 " + kind + "=1 报告=1 质量=2 资源储量=2 坐标=1";
    }
    static QString gone(const QString& kind)
    {
        return "登记=0 " + kind + "=0 报告=0 质量=0 资源储量=0 坐标=0";
    }

    // Overlay registrations in two cities of Sichuan and in Henan, an identified one
    // in Chengdu, an occupied one in Henan.
    void addSample(const QSqlDatabase& db)
    {
        addKind(db, "压覆", Chengdu1, 510104);
        addKind(db, "压覆", Chengdu2, 510105);
        addKind(db, "压覆", Mianyang, 510703);
        addKind(db, "压覆", Henan, 410102);
        addKind(db, "查明", Found, 510104);
        addKind(db, "占用", Used, 410102);
    }

    // Another connection that holds the working database's write lock, and a short
    // wait on `db` so that a write gives up quickly.
    static void holdWriteLock(std::optional<Db::ScopedConnection>& other, const QSqlDatabase& db)
    {
        other.emplace(QStringLiteral("locker"), MAINBAS::Database_File(), Db::OpenMode::ReadWrite);
        ASSERT_TRUE(other->ok());
        exec(other->db(), "BEGIN IMMEDIATE");
        exec(db, "PRAGMA busy_timeout=200");
    }

    const QString Chengdu1 = "4510104082001", Chengdu2 = "4510105082001", Mianyang = "4510703082001",
                  Henan = "4410102082001", Found = "1510104082001", Used = "2410102082001";
};
