#include "registration/record/RecordFixture.h"
#include "support/FaultInjection.h"

#include "registration/form/FieldRegistry.h"
#include "registration/record/RegistrationWriter.h"

#include "coords/CoordText.h"
#include "platform/ColumnCatalog.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace KCUTIL;
using A = FormControl::Array;

namespace {

class RegistrationWriter : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        db = m_state.Cn();
    }

    QVariant value(const QString& table, const QString& column, const QString& djh)
    {
        return Db::scalar(db, QStringLiteral("select \"%1\" from \"%2\" where 登记号 = ?").arg(column, table),
                          {djh});
    }
    int count(const QString& table, const QString& djh)
    {
        return Db::scalar(db, QStringLiteral("select count(*) from \"%1\" where 登记号 = ?").arg(table),
                          {djh})
            .toInt();
    }
    QByteArray fileHash()
    {
        QFile f(path(QStringLiteral("djk.mdb")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    void addDetailRows(const QString& djh, int rows)
    {
        for (int i = 0; i < rows; ++i) {
            ASSERT_TRUE(Db::exec(
                db, QStringLiteral("insert into 质量 (登记号, 矿产代码, 显示序号) values (?, 11001, ?)"),
                {djh, i}));
            ASSERT_TRUE(Db::exec(
                db,
                QStringLiteral("insert into 资源储量 (登记号, 矿产代码, 储量类型, 金属量1, 显示序号) "
                               "values (?, 11001, '111', 1.5, ?)"),
                {djh, i}));
        }
    }

    void TearDown() override
    {
        db = QSqlDatabase();
        ProgramFolder::TearDown();
    }

    QSqlDatabase db;
    const QString empty = QString(0, QChar()); // the empty text, not Null
};

} // namespace

TEST_F(RegistrationWriter, NewRegistrationGoesIntoFourTables)
{
    CoordGridModel g0 = makeGrid(planeRing(4));
    CoordGridModel g1 = makeGrid(planeRing(3, 4500000, 20500000));
    g0.setTextMatrix(5, 5, QString()); // the writer stores an empty 性质 as 1
    EntryValues v = validValues();
    v.grids = {&g0, &g1};
    v.setText(A::Kn1Data, 1, QStringLiteral("张三"));
    v.setText(A::Kn1Data, 10, QStringLiteral("2009")); // a year alone
    v.setText(A::Kn2Data, 0, QStringLiteral("封面单位"));
    v.setText(A::Kn2Data, 2, QStringLiteral("第一页单位"));
    v.setText(A::Kn2Data, 17, QStringLiteral("12"));
    v.setText(A::Kn2Data, 24, QStringLiteral("１２.５")); // full-width digits in a number box
    v.setText(A::Kn2Data, 25, QStringLiteral("约3"));     // no leading number
    v.setText(A::Kn3Data, 0, QStringLiteral("报告"));
    v.setText(A::Kn6Data, 0, QStringLiteral("2.5"));

    const SaveOutcome out = Save_Registration(db, QString(), v);
    ASSERT_TRUE(out.saved()) << out.error.description.toStdString();
    EXPECT_TRUE(out.inserted);
    const QString n = QStringLiteral("4110101082001");
    for (const QString& t :
         {QStringLiteral("登记"), QStringLiteral("压覆"), QStringLiteral("报告"), QStringLiteral("坐标")})
        EXPECT_EQ(count(t, n), 1) << t.toStdString();

    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("填表日期"), n).toString(),
              QStringLiteral("2008年5月1日"));
    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("核实日期"), n).toString(),
              QStringLiteral("2009年"));
    const QVariant noDate = value(QStringLiteral("登记"), QStringLiteral("初审日期"), n);
    EXPECT_FALSE(noDate.isNull()) << "a date without a year is the empty text, not Null";
    EXPECT_EQ(noDate.toString(), QString());
    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("填表人"), n).toString(), QStringLiteral("张三"));
    EXPECT_EQ(value(QStringLiteral("压覆"), QStringLiteral("建设单位"), n).toString(),
              QStringLiteral("第一页单位"));
    EXPECT_EQ(value(QStringLiteral("压覆"), QStringLiteral("电话号码"), n).toString(), QStringLiteral("-"));
    EXPECT_EQ(value(QStringLiteral("压覆"), QStringLiteral("行政区代码"), n).toInt(), 110101);
    EXPECT_EQ(value(QStringLiteral("压覆"), QStringLiteral("所属矿山编号"), n).toInt(), 12);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("方位"), n).toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("至县直距"), n).toDouble(), 0.0);
    EXPECT_TRUE(value(QStringLiteral("压覆"), QStringLiteral("中心点X坐标"), n).isNull())
        << "an empty number is Null";
    EXPECT_DOUBLE_EQ(value(QStringLiteral("坐标"), QStringLiteral("矿权面积"), n).toDouble(), 2.5);

    // The coordinate texts and the extent of the grids being saved.
    EXPECT_EQ(g0.TextMatrix(5, 5), QStringLiteral("1"));
    EXPECT_EQ(value(QStringLiteral("坐标"), QStringLiteral("矿权坐标"), n).toString(),
              Coord_Grid_To_Str(g0).text);
    EXPECT_EQ(value(QStringLiteral("坐标"), QStringLiteral("计算坐标"), n).toString(),
              Coord_Grid_To_Str(g1).text);
    const Coord_Extent e = Coord_Grid_To_Str(g0).extent;
    EXPECT_GT(e.X_Min, 116.0);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("东经起"), n).toDouble(), e.X_Min);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("东经止"), n).toDouble(), e.X_Max);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("北纬起"), n).toDouble(), e.Y_Min);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("压覆"), QStringLiteral("北纬止"), n).toDouble(), e.Y_Max);
    EXPECT_DOUBLE_EQ(out.area.extent.X_Max, e.X_Max);
}

TEST_F(RegistrationWriter, RenameMovesEverySixTables)
{
    const QString oldN = QStringLiteral("4110101082001");
    const QString newN = QStringLiteral("4110101082007");
    EntryValues v = validValues(oldN);
    ASSERT_TRUE(Save_Registration(db, QString(), v).saved());
    addDetailRows(oldN, 3);
    addDetailRows(QStringLiteral("4110101082002"), 1); // another registration's rows stay

    // Loaded from another database, or another registration loaded: never rewritten.
    v.setText(A::Kn1Data, 0, newN);
    v.setText(A::Kn1Data, 1, QStringLiteral("李四"));
    const QByteArray before = fileHash();
    v.loaded = {oldN, QStringLiteral("/elsewhere/djk.mdb")};
    SaveOutcome refused = Save_Registration(db, oldN, v);
    EXPECT_EQ(refused.status, SaveOutcome::Status::NotLoaded);
    v.loaded = {QStringLiteral("4110101082002"), db.databaseName()};
    refused = Save_Registration(db, oldN, v);
    EXPECT_EQ(refused.status, SaveOutcome::Status::NotLoaded);
    EXPECT_EQ(fileHash(), before);

    v.loaded = {oldN, db.databaseName()};
    const SaveOutcome out = Save_Registration(db, oldN, v);
    ASSERT_TRUE(out.saved());
    EXPECT_FALSE(out.inserted);
    for (const QString& t : Registration_Tables()) {
        EXPECT_EQ(count(t, oldN), 0) << t.toStdString();
        EXPECT_EQ(count(t, newN), t == QStringLiteral("质量") || t == QStringLiteral("资源储量") ? 3 : 1)
            << t.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("质量"), QStringLiteral("4110101082002")), 1);
    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("填表人"), newN).toString(),
              QStringLiteral("李四"));

    // Unchanged number: the row is rewritten, nothing inserted.
    v.setText(A::Kn1Data, 1, QString());
    v.loaded = {newN, db.databaseName()};
    const SaveOutcome again = Save_Registration(db, newN, v);
    ASSERT_TRUE(again.saved());
    EXPECT_FALSE(again.inserted);
    EXPECT_EQ(count(QStringLiteral("登记"), newN), 1);
    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("填表人"), newN).toString(), QString());
    EXPECT_EQ(count(QStringLiteral("质量"), newN), 3);
}

TEST_F(RegistrationWriter, MissingRowsOfAnExistingRegistrationAreInserted)
{
    const QString n = QStringLiteral("4110101082001");
    ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into 登记 (登记号, 填表人) values (?, '王五')"), {n}));
    EntryValues v = validValues(n);
    v.loaded = {n, db.databaseName()};
    const SaveOutcome out = Save_Registration(db, n, v);
    ASSERT_TRUE(out.saved());
    EXPECT_FALSE(out.inserted);
    EXPECT_EQ(count(QStringLiteral("压覆"), n), 1);
    EXPECT_EQ(count(QStringLiteral("坐标"), n), 1);
}

TEST_F(RegistrationWriter, EmptyCurrentNumberNeverAdoptsStrayRows)
{
    // Rows that carry an empty number, left by some earlier fault.
    ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into 登记 (登记号, 填表人) values ('', '旧')")));
    ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into 压覆 (登记号, 建设单位) values ('', '旧')")));
    addDetailRows(empty, 2);
    EntryValues v = validValues();
    const SaveOutcome out = Save_Registration(db, QString(), v);
    ASSERT_TRUE(out.saved());
    EXPECT_TRUE(out.inserted);
    EXPECT_EQ(count(QStringLiteral("登记"), empty), 1);
    EXPECT_EQ(count(QStringLiteral("压覆"), empty), 1);
    EXPECT_EQ(count(QStringLiteral("质量"), empty), 2);
    EXPECT_EQ(count(QStringLiteral("资源储量"), empty), 2);
    EXPECT_EQ(count(QStringLiteral("质量"), v.djh()), 0);
    EXPECT_EQ(value(QStringLiteral("登记"), QStringLiteral("填表人"), v.djh()).toString(), QString());
}

TEST_F(RegistrationWriter, NoNumberWritesNothing)
{
    const QByteArray before = fileHash();
    EntryValues v = validValues(QString());
    EXPECT_EQ(Save_Registration(db, QString(), v).status, SaveOutcome::Status::NoNumber);
    EXPECT_EQ(No_Number_Message(), QStringLiteral("关键字【登记号】无数据！请设置行政区代码！"));
    EXPECT_EQ(fileHash(), before);
}

TEST_F(RegistrationWriter, AWriteInterruptedAtAnyTableOrAtTheCommitLeavesTheFileUnchanged)
{
    using K = FaultInjection::Kind;
    const QString oldN = QStringLiteral("4110101082001");
    EntryValues v = validValues(oldN);
    CoordGridModel g0 = makeGrid(planeRing(3));
    v.grids = {&g0, nullptr};
    ASSERT_TRUE(Save_Registration(db, QString(), v).saved());
    v.loaded = {oldN, db.databaseName()};
    addDetailRows(oldN, 2);
    const QByteArray before = fileHash();
    // A rename updates all six tables; a new registration inserts into four.
    v.setText(A::Kn1Data, 0, QStringLiteral("4110101082009"));
    v.setText(A::Kn2Data, 0, QStringLiteral("新单位"));

    FaultInjection faults(db);
    auto expectFailure = [&](const std::string& where) {
        SaveOutcome out = Save_Registration(db, oldN, v);
        EXPECT_EQ(out.status, SaveOutcome::Status::Failed) << where;
        EXPECT_TRUE(out.error.description.contains(FaultInjection::Message)) << where;
        if (where != "质量" && where != "资源储量") {
            EntryValues fresh = validValues(QStringLiteral("4110101082003"));
            EXPECT_FALSE(Save_Registration(db, QString(), fresh).saved()) << where;
        }
        EXPECT_EQ(fileHash(), before) << where;
        faults.clear();
    };
    for (const QString& table : Registration_Tables()) {
        faults.failOn(table, K::Update);
        faults.failOn(table, K::Insert);
        expectFailure(table.toStdString());
    }
    faults.failCommit();
    SaveOutcome out = Save_Registration(db, oldN, v);
    EXPECT_EQ(out.status, SaveOutcome::Status::Failed);
    EXPECT_EQ(out.error.number, 5) << out.error.description.toStdString();
    faults.clear();
    EXPECT_EQ(fileHash(), before);

    // The connection is still usable afterwards.
    EXPECT_EQ(count(QStringLiteral("质量"), oldN), 2);
    EXPECT_TRUE(Save_Registration(db, oldN, v).saved());
}

TEST_F(RegistrationWriter, CommaInAGridCellIsRefusedBeforeWriting)
{
    const QByteArray before = fileHash();
    QList<QStringList> rows = planeRing(3);
    rows[0][0] = QStringLiteral("1,2");
    CoordGridModel g = makeGrid(rows);
    EntryValues v = validValues();
    v.grids = {nullptr, &g};
    const SaveOutcome out = Save_Registration(db, QString(), v);
    EXPECT_EQ(out.status, SaveOutcome::Status::Failed);
    EXPECT_EQ(out.error.description, QStringLiteral("第1行坐标数据不能含有逗号..."));
    EXPECT_EQ(fileHash(), before);
}

TEST_F(RegistrationWriter, TextsRoundTripUnchanged)
{
    // Quotes, percent signs, backslashes, and every text box filled to its maximum length.
    const QString tricky = QStringLiteral("O'Brien \"矿\" 100% \\n\\ _%'--");
    EntryValues v = validValues();
    QHash<QString, QString> expected; // "table.column" -> text
    for (const A a : FieldRegistry::arrays()) {
        const QString table = FieldRegistry::tableOf(a);
        QHash<QString, int> types;
        for (const Db::Column& c : Db::columns(db, table))
            types.insert(c.name, c.typeCode);
        for (int i = 0; i < FieldRegistry::count(a); ++i) {
            const QString column = FieldRegistry::column(a, i);
            if (FieldRegistry::partOf(a, i) != FieldRegistry::Part::Whole ||
                column == QStringLiteral("登记号"))
                continue;
            if (types.value(column) != Db::TypeVarWChar && types.value(column) != Db::TypeLongVarWChar)
                continue;
            const int max = FieldRegistry::maxLength(a, i);
            QString text = i % 2 ? tricky : QStringLiteral("压覆");
            if (max > 0) {
                while (text.size() < max)
                    text += QStringLiteral("字");
                text = text.left(max);
            }
            v.setText(a, i, text);
            expected.insert(table + QLatin1Char('.') + column, text);
        }
    }
    v.setText(A::Kn2Data, 5, QStringLiteral("0'1%"));
    v.setText(A::Kn2Data, 6, QStringLiteral("\\5"));
    ASSERT_FALSE(expected.isEmpty());
    ASSERT_TRUE(Save_Registration(db, QString(), v).saved());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QStringList tc = it.key().split(QLatin1Char('.'));
        EXPECT_EQ(value(tc[0], tc[1], v.djh()).toString(), it.value()) << it.key().toStdString();
    }
    EXPECT_EQ(value(QStringLiteral("压覆"), QStringLiteral("电话号码"), v.djh()).toString(),
              QStringLiteral("0'1%-\\5"));
}

TEST_F(RegistrationWriter, DeleteRemovesEverySixTablesInOneGo)
{
    const QString n = QStringLiteral("4110101082001");
    const QString other = QStringLiteral("4110101082002");
    EntryValues v = validValues(n);
    ASSERT_TRUE(Save_Registration(db, QString(), v).saved());
    EntryValues w = validValues(other);
    ASSERT_TRUE(Save_Registration(db, QString(), w).saved());
    addDetailRows(n, 2);
    addDetailRows(other, 1);

    EXPECT_EQ(Delete_Question(n), QStringLiteral("确定要删除该压覆储量数据吗？\r登记号：4110101082001"));

    // Interrupted at each table's statement or at the commit, the delete leaves the file unchanged.
    const QByteArray before = fileHash();
    {
        FaultInjection faults(db);
        for (const QString& table : Registration_Tables()) {
            faults.failOn(table, FaultInjection::Kind::Delete);
            const Status failed = Delete_Registration(db, n);
            ASSERT_FALSE(failed) << table.toStdString();
            EXPECT_TRUE(failed.error().description.contains(FaultInjection::Message));
            EXPECT_EQ(fileHash(), before) << table.toStdString();
            faults.clear();
        }
        faults.failCommit();
        const Status failed = Delete_Registration(db, n);
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().number, 5);
        faults.clear();
        EXPECT_EQ(fileHash(), before);
    }

    const Status deleted = Delete_Registration(db, n);
    ASSERT_TRUE(deleted) << deleted.error().description.toStdString();
    for (const QString& t : Registration_Tables()) {
        EXPECT_EQ(count(t, n), 0) << t.toStdString();
        EXPECT_GE(count(t, other), 1) << t.toStdString();
    }
    // Rows missing in some tables are no fault.
    ASSERT_TRUE(Db::exec(db, QStringLiteral("delete from 报告 where 登记号 = ?"), {other}));
    EXPECT_TRUE(Delete_Registration(db, other));
    EXPECT_EQ(count(QStringLiteral("登记"), other), 0);
}
