#pragma once

#include "platform/Database.h"
#include "support/ProgramFolder.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <gtest/gtest.h>

// A program folder with the working database open and a few helpers to put
// registrations into it (or into another database file) and to count their rows.
class ExchangeFixture : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
    }

    QSqlDatabase db() const { return m_state.Cn(); }

    static void exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
    {
        Db::Error e;
        ASSERT_TRUE(Db::exec(db, sql, values, &e).has_value())
            << sql.toStdString() << ": " << e.description.toStdString();
    }

    // A registration with one row in 登记, 压覆, 报告 and 坐标 and two rows each in
    // 质量 and 资源储量.
    static void addRegistration(const QSqlDatabase& db, const QString& number, const QString& project = {})
    {
        exec(db, "INSERT INTO 登记 (登记号, 填表人) VALUES (?, '王五')", {number});
        exec(db, "INSERT INTO 压覆 (登记号, 建设项目名称, 行政区代码) VALUES (?, ?, 510104)",
             {number, project.isEmpty() ? QStringLiteral("项目") + number.right(3) : project});
        exec(db, "INSERT INTO 报告 (登记号, 报告名称) VALUES (?, '评估报告')", {number});
        exec(db, "INSERT INTO 坐标 (登记号, 矿权坐标, 矿权面积) VALUES (?, '1,4', 2.5)", {number});
        for (int i = 1; i <= 2; ++i) {
            exec(
                db,
                "INSERT INTO 质量 (登记号, 矿产代码, 组分名, 组分值, 显示序号) VALUES (?, 22001, 'Fe', ?, ?)",
                {number, 30.5 + i, 100 + i});
            exec(db,
                 "INSERT INTO 资源储量 (登记号, 矿产代码, 储量类型, 矿石量1, 显示序号) VALUES (?, 22001, "
                 "'111', ?, ?)",
                 {number, 1000 * i, 100 + i});
        }
    }

    // Rows of `number` in each of the six tables, "登记=1 压覆=1 ...".
    static QString rowsOf(const QSqlDatabase& db, const QString& number)
    {
        QStringList parts;
        for (const char* t : {"登记", "压覆", "报告", "质量", "资源储量", "坐标"}) {
            const QString table = QString::fromUtf8(t);
            parts << table + "=" +
                         Db::scalar(db, "SELECT count(*) FROM " + table + " WHERE 登记号=?", {number})
                             .toString();
        }
        return parts.join(' ');
    }

    // Repeats the row of `number` in `table` of the closed database file `file`,
    // whose table is first made without its key, as an older file's may be.
    static void repeatRow(const QString& file, const QString& table, const QString& number)
    {
        Db::ScopedConnection f(QStringLiteral("repeat"), file, Db::OpenMode::ReadWrite);
        ASSERT_TRUE(f.ok());
        const QString create =
            Db::scalar(f.db(), "SELECT sql FROM sqlite_master WHERE name=?", {table}).toString();
        for (const QString& sql :
             {"ALTER TABLE " + table + " RENAME TO 旧表",
              QString(create).replace("NOT NULL PRIMARY KEY", "NOT NULL"),
              "INSERT INTO " + table + " SELECT * FROM 旧表", QStringLiteral("DROP TABLE 旧表"),
              "INSERT INTO " + table + " SELECT * FROM " + table + " WHERE 登记号=?"})
            exec(f.db(), sql, sql.endsWith('?') ? QVariantList{number} : QVariantList{});
    }

    static int count(const QSqlDatabase& db, const QString& table)
    {
        return Db::scalar(db, "SELECT count(*) FROM " + table).toInt();
    }

    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static const QString& full() // rowsOf for a whole registration of addRegistration
    {
        static const QString s = QStringLiteral("登记=1 压覆=1 报告=1 质量=2 资源储量=2 坐标=1");
        return s;
    }
    static const QString& none()
    {
        static const QString s = QStringLiteral("登记=0 压覆=0 报告=0 质量=0 资源储量=0 坐标=0");
        return s;
    }
};
