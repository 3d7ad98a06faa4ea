#pragma once

#include "support/ProgramFolder.h"

#include "platform/Database.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantMap>

// A program folder with databases built row by row for the data checks.
class CheckFixture : public ProgramFolder
{
protected:
    // A copy of the template named `name` in the program folder, open for writing
    // under the fixture's own connection until closeDatabase().
    QString makeDatabase(const QString& name)
    {
        const QString file = copyTemplate(name);
        openDatabase(file);
        return file;
    }
    // Opens an existing file for writing rows into it.
    void openDatabase(const QString& file)
    {
        closeDatabase();
        m_db =
            std::make_unique<Db::ScopedConnection>(QStringLiteral("fixture"), file, Db::OpenMode::ReadWrite);
        EXPECT_TRUE(m_db->ok());
    }
    void closeDatabase() { m_db.reset(); }
    QSqlDatabase db() const { return m_db->db(); }

    void insert(const QString& table, const QVariantMap& values)
    {
        QStringList marks(values.size(), QStringLiteral("?"));
        QSqlQuery q(db());
        ASSERT_TRUE(
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, values.keys().join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
            << q.lastError().text().toStdString();
        int i = 0;
        for (const QVariant& v : values)
            q.bindValue(i++, v);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }

    // Rows of a complete registration, with `changes` over them.
    static QVariantMap with(QVariantMap row, const QVariantMap& changes)
    {
        for (auto it = changes.begin(); it != changes.end(); ++it)
            row.insert(it.key(), it.value());
        return row;
    }
    static QVariant null() { return QVariant(QMetaType::fromType<QString>()); }

    // clang-format off
    static QVariantMap header(const QString& djh)
    {
        return {{"登记号", djh}, {"填表人", "王伟"}, {"填表负责人", "李芳"}, {"填表日期", "2008年11月3日"},
                {"审定意见", "同意登记"}, {"审定负责人", "张强"}, {"审定单位", "国土资源厅"},
                {"审定日期", "2008年12月1日"}};
    }
    static QVariantMap overlay(const QString& djh)
    {
        return {{"登记号", djh}, {"建设单位", "京石高速公路有限公司"}, {"行政区代码", 110101},
                {"建设项目名称", "京石高速公路"}, {"建设项目类别", "公路"}, {"批准单位", "国家发展改革委"},
                {"矿区名称", "房山铁矿区"}, {"矿区编号", "110101001"}, {"所属矿山编号", 1},
                {"中心点X坐标", 4012345.5}, {"中心点Y坐标", 39512345.25}, {"县城名", "房山"}, {"方位", 45},
                {"至县直距", 12}, {"矿业权人", "房山矿业公司"}, {"许可证号", "C1100002008011110001"}};
    }
    static QVariantMap report(const QString& djh)
    {
        return {{"登记号", djh}, {"报告名称", "压覆矿产资源评估报告"}, {"报告提交日期", "2008年6月"},
                {"评审机构", "储量评审中心"}, {"评审日期", "2008年7月1日"}, {"评审文号", "评审[2008]1号"},
                {"评审结论", "通过"}, {"评估师", "赵敏"}, {"备案机关", "国土资源厅"},
                {"备案日期", "2008年8月1日"}, {"备案文号", "备案[2008]1号"}};
    }
    static QVariantMap coordinates(const QString& djh)
    {
        return {{"登记号", djh}, {"矿权面积", 1.5}, {"计算面积", 1.2},
                {"矿权坐标", "1,4,1,4012000,39512000,2,4012000,39513000,3,4013000,39513000,4,4013000,39512000,0,-100,,"},
                {"计算坐标", "1,4,1,4012100,39512100,2,4012100,39512900,3,4012900,39512900,4,4012900,39512100,0,-100,,"}};
    }
    // clang-format on
    static QVariantMap quality(const QString& djh, int mineral, int object, const QString& type,
                               const QString& grade, const QVariant& name, const QVariant& value,
                               const QVariant& unit, bool average, int order)
    {
        return {{"登记号", djh},    {"矿产代码", mineral}, {"统计对象", object},
                {"矿石类型", type}, {"矿石品级", grade},   {"组分名", name},
                {"组分值", value},  {"组分单位", unit},    {"均值标识", average ? 1 : 0},
                {"显示序号", order}};
    }
    // A reserve row: codes and the six amounts (metal 1, ore 1, metal 2, ore 2,
    // metal 3, ore 3).
    static QVariantMap reserve(const QString& djh, int mineral, const QVariant& code, const QVariant& basic,
                               const QVariant& resource, const QVariantList& amounts, int order = 101)
    {
        return {{"登记号", djh},         {"矿产代码", mineral},   {"统计对象", 0},
                {"矿石类型", 70010},     {"矿石品级", 32},        {"储量类型", code},
                {"金属量1", amounts[0]}, {"矿石量1", amounts[1]}, {"基础储量类型", basic},
                {"金属量2", amounts[2]}, {"矿石量2", amounts[3]}, {"资源量类型", resource},
                {"金属量3", amounts[4]}, {"矿石量3", amounts[5]}, {"矿产组合码", 1},
                {"显示序号", order}};
    }
    // Every row of a registration that no check finds fault with.
    void completeRegistration(const QString& djh)
    {
        insert(QStringLiteral("登记"), header(djh));
        insert(QStringLiteral("压覆"), overlay(djh));
        insert(QStringLiteral("报告"), report(djh));
        insert(QStringLiteral("坐标"), coordinates(djh));
        insert(QStringLiteral("质量"), quality(djh, 11001, 0, QStringLiteral("70010"), QStringLiteral("32"),
                                               "TFe", 35.5, "%", false, 101));
        insert(QStringLiteral("资源储量"),
               reserve(djh, 11001, "111", "111b", null(), {100, 1000, 120, 1200, 0, 0}));
    }

    static QByteArray readAll(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    void TearDown() override
    {
        closeDatabase();
        ProgramFolder::TearDown();
    }

    std::unique_ptr<Db::ScopedConnection> m_db;
};
