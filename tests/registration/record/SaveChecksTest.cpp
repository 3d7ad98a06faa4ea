#include "registration/record/RecordFixture.h"

#include "registration/record/SaveChecks.h"
#include "support/StatisticsDatabase.h"

#include "platform/Clock.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

using namespace KCUTIL;
using A = FormControl::Array;
using Outcome = SaveCheckResult::Outcome;

namespace {

// Records the questions and answers them from a queue (Yes when it is empty).
struct Questions
{
    QStringList asked;
    QList<bool> answers;
    Asker asker()
    {
        return [this](const QString& text, const QString& title, Prompt::Icon icon) {
            asked.append(title + QLatin1Char('|') + text + QLatin1Char('|') + QString::number(int(icon)));
            return answers.isEmpty() ? true : answers.takeFirst();
        };
    }
};

class SaveChecks : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        db = m_state.Cn();
    }
    SaveCheckResult check(EntryValues& v, DjhContext ctx = {})
    {
        return Check_Before_Save(db, v, ctx, stat, questions.asker());
    }
    void TearDown() override
    {
        db = QSqlDatabase();
        ProgramFolder::TearDown();
    }
    void addRegistration(const QString& djh)
    {
        ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into 登记 (登记号) values (?)"), {djh}));
    }

    QSqlDatabase db;
    FakeStat stat;
    Questions questions;
};

QString grid(CoordGridModel& g, bool geographic, Questions& q)
{
    const SaveCheckResult r = Check_Coord_Grid(g, geographic, q.asker());
    if (r.outcome == Outcome::Declined) return QStringLiteral("declined");
    if (r.passed()) return QString();
    EXPECT_EQ(r.title, QStringLiteral("错误"));
    EXPECT_EQ(r.icon, Prompt::Icon::Exclamation);
    EXPECT_EQ(r.page, 0);
    return r.message;
}

} // namespace

TEST_F(SaveChecks, ValidRegistrationPasses)
{
    EntryValues v = validValues();
    EXPECT_TRUE(check(v).passed());
    EXPECT_EQ(stat.calls, 0) << "no mining-area number: the statistics database is not consulted";
}

TEST_F(SaveChecks, StatisticsQuestionsComeFirst)
{
    EntryValues v = validValues(QString()); // the number is tested only later
    v.setText(A::Kn2Data, 16, QStringLiteral(" 110000001"));
    stat.answer = StatDatabase::NotFound;
    questions.answers = {false};
    SaveCheckResult r = check(v);
    EXPECT_EQ(r.outcome, Outcome::Declined);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0],
              QStringLiteral("提示|储量统计库中无压覆所对应的矿区或矿山！是否确定此操作？|0"));
    EXPECT_EQ(stat.kqbh, QStringLiteral(" 110000001")) << "the number is used as it stands";
    EXPECT_EQ(stat.year, 2000);
    EXPECT_EQ(stat.previousYear, 1999);
    EXPECT_FALSE(stat.djflbh.has_value());

    // Yes goes on to the number test.
    questions.asked.clear();
    stat.answer = StatDatabase::Unreadable;
    v.setText(A::Kn2Data, 17, QStringLiteral("12"));
    r = check(v);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0],
              QStringLiteral("提示|无法获取统计库连接，请检查统计库配置！是否确定此操作？|0"));
    EXPECT_EQ(stat.djflbh, 2012);
    EXPECT_EQ(r.message, QStringLiteral("【登记号】请填写13位代码！"));

    questions.asked.clear();
    stat.answer = StatDatabase::NotConfigured;
    v = validValues(QStringLiteral("4110101072001"));
    v.setText(A::Kn2Data, 16, QStringLiteral("110000001"));
    EXPECT_TRUE(check(v).passed());
    EXPECT_EQ(stat.year, 2007);
    EXPECT_EQ(stat.previousYear, 2006);
    ASSERT_EQ(questions.asked.size(), 1);

    questions.asked.clear();
    stat.answer = StatDatabase::Found;
    EXPECT_TRUE(check(v).passed());
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(SaveChecks, RegistrationNumberRules)
{
    struct Case
    {
        QString djh;
        QString message;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("【登记号】请填写13位代码！")},
        {QStringLiteral("411010108200"), QStringLiteral("【登记号】请填写13位代码！")},
        // 13 characters that read as a number, but are no registration number.
        {QStringLiteral("4.1100000E+12"), QStringLiteral("【登记号】请填写13位代码！")},
        {QStringLiteral("+411010108200"), QStringLiteral("【登记号】请填写13位代码！")},
        {QStringLiteral(" 411010108200"), QStringLiteral("【登记号】请填写13位代码！")},
        {QStringLiteral("４１１０１０１０８２００１"), QStringLiteral("【登记号】请填写13位代码！")},
        {QStringLiteral("3110101082001"), QStringLiteral("登记号第一位应该为4！")},
        {QStringLiteral("4659999994999"),
         QStringLiteral("登记号超过范围（应在1110000041000～4659999994999之间）！")},
        {QStringLiteral("4999999999999"),
         QStringLiteral("登记号超过范围（应在1110000041000～4659999994999之间）！")},
    };
    for (const Case& c : cases) {
        EntryValues v = validValues(c.djh);
        const SaveCheckResult r = check(v);
        EXPECT_EQ(r.message, c.message) << c.djh.toStdString();
        EXPECT_EQ(r.title, QStringLiteral("提示"));
        EXPECT_EQ(r.icon, Prompt::Icon::Information);
        EXPECT_EQ(r.page, 1);
        EXPECT_EQ(r.array, A::Kn1Data);
        EXPECT_EQ(r.index, 0);
    }
    EntryValues below = validValues(QStringLiteral("4659999994998"));
    EXPECT_TRUE(check(below).passed());
}

TEST_F(SaveChecks, NumberHeldByAnotherRegistration)
{
    addRegistration(QStringLiteral("4110101082001"));
    EntryValues v = validValues(QStringLiteral("4110101082001"));
    EXPECT_EQ(check(v).message, QStringLiteral("登记号在数据库中已经存在，请重新输入！"));
    // The registration's own number, shown from its list node.
    EXPECT_TRUE(check(v, {QStringLiteral("4110101082001"), true}).passed());
    // The same number without a registration node selected belongs to another one.
    EXPECT_FALSE(check(v, {QStringLiteral("4110101082001"), false}).passed());
    EXPECT_FALSE(check(v, {QStringLiteral("4110101082002"), true}).passed());

    EXPECT_EQ(DJH_Is_Free(db, QStringLiteral("4110101082001 "), {}).valueOr(DjhFree::Taken), DjhFree::Free);
}

TEST_F(SaveChecks, NumberTestFailsWhenTheTableCannotBeRead)
{
    ASSERT_TRUE(Db::exec(db, QStringLiteral("drop table 登记")));
    EntryValues v = validValues();
    const SaveCheckResult r = check(v);
    EXPECT_FALSE(r.passed());
    EXPECT_EQ(r.title, QStringLiteral("Error"));
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("Error # "))) << r.message.toStdString();
}

TEST_F(SaveChecks, DatesInOrderWithTheirPageAndBox)
{
    struct Case
    {
        A array;
        int year;
        QString y, m, d;
        QString column;
        int page;
        int focus; // box index
    };
    const Case cases[] = {
        {A::Kn1Data, 3, QStringLiteral("08"), {}, {}, QStringLiteral("填表日期"), 1, 3},
        {A::Kn1Data, 10, QStringLiteral("2008"), QStringLiteral("13"), {}, QStringLiteral("核实日期"), 4, 11},
        {A::Kn1Data, 16, QStringLiteral("2008"), {}, QStringLiteral("3"), QStringLiteral("初审日期"), 4, 18},
        {A::Kn1Data, 22, QStringLiteral("2008"), QStringLiteral("2"), QStringLiteral("30"),
         QStringLiteral("审定日期"), 4, 24},
        {A::Kn2Data, 12, QStringLiteral("20081"), {}, {}, QStringLiteral("批准日期"), 2, 12},
        {A::Kn2Data, 31, {}, QStringLiteral("1"), {}, QStringLiteral("文号日期"), 2, 31},
        {A::Kn2Data, 35, QStringLiteral("2008"), QStringLiteral("0"), {}, QStringLiteral("截止日期"), 4, 36},
        {A::Kn3Data, 2, QStringLiteral("2008"), QStringLiteral("4"), QStringLiteral("31"),
         QStringLiteral("报告提交日期"), 2, 4},
        {A::Kn3Data, 7, QStringLiteral("２００８"), {}, {}, QStringLiteral("评审日期"), 2, 7},
        {A::Kn3Data, 14, QStringLiteral("2008"), QStringLiteral("５"), {}, QStringLiteral("备案日期"), 2, 15},
    };
    for (const Case& c : cases) {
        EntryValues v = validValues();
        v.setText(c.array, c.year, c.y);
        v.setText(c.array, c.year + 1, c.m);
        v.setText(c.array, c.year + 2, c.d);
        const SaveCheckResult r = check(v);
        EXPECT_EQ(r.message, QStringLiteral("【") + c.column + QStringLiteral("】应填写日期型数值！"));
        EXPECT_EQ(r.page, c.page) << c.column.toStdString();
        EXPECT_EQ(r.array, c.array);
        EXPECT_EQ(r.index, c.focus) << c.column.toStdString();
    }
    // A year alone passes; the first faulty date is the one reported.
    EntryValues v = validValues();
    v.setText(A::Kn3Data, 14, QStringLiteral("2008"));
    v.setText(A::Kn1Data, 22, QStringLiteral("2008"));
    v.setText(A::Kn1Data, 24, QStringLiteral("3"));
    v.setText(A::Kn3Data, 8, QStringLiteral("13"));
    EXPECT_EQ(check(v).message, QStringLiteral("【审定日期】应填写日期型数值！"));
    v.setText(A::Kn1Data, 24, QString());
    v.setText(A::Kn3Data, 8, QString());
    EXPECT_TRUE(check(v).passed());
}

TEST_F(SaveChecks, GridsAreCheckedAfterTheDatesGridZeroFirst)
{
    CoordGridModel g0 =
        makeGrid({{QStringLiteral("1"), QStringLiteral("4400000"), QStringLiteral("39500000")}});
    CoordGridModel g1 = makeGrid({{QString(), QStringLiteral("1"), QStringLiteral("2")}});
    EntryValues v = validValues();
    v.grids = {&g0, &g1};
    SaveCheckResult r = check(v);
    EXPECT_EQ(r.message, QStringLiteral("最后一个区域没有结束标记..."));
    EXPECT_EQ(r.page, 0);
    EXPECT_EQ(r.array, A::None);

    v.setText(A::Kn1Data, 4, QStringLiteral("13"));
    EXPECT_EQ(check(v).message, QStringLiteral("【填表日期】应填写日期型数值！"));
    v.setText(A::Kn1Data, 4, QStringLiteral("5"));

    CoordGridModel ring = makeGrid(planeRing(3));
    v.grids = {&ring, &g1};
    EXPECT_EQ(check(v).message, QStringLiteral("第1行<拐点号>列中必须填写数值..."));
    v.grids = {&ring, &ring};
    EXPECT_TRUE(check(v).passed());
}

TEST(CoordGridCheck, RingsAndCorners)
{
    Questions q;
    CoordGridModel empty;
    empty.setRows(2);
    EXPECT_EQ(grid(empty, false, q), QString()) << "a grid without data rows passes";

    CoordGridModel two =
        makeGrid({{QStringLiteral("1"), QStringLiteral("4400000"), QStringLiteral("39500000")},
                  {QStringLiteral("2"), QStringLiteral("4400100"), QStringLiteral("39500000")},
                  {QStringLiteral(" * "), QStringLiteral("1"), QStringLiteral("2")}});
    EXPECT_EQ(grid(two, false, q), QStringLiteral("第3行以上区域拐点个数小于3..."));

    QList<QStringList> rows = planeRing(3);
    rows[3][4] = QStringLiteral("0");
    CoordGridModel zero = makeGrid(rows);
    EXPECT_EQ(grid(zero, false, q), QString());
    rows[3][4] = QStringLiteral("-1");
    CoordGridModel minus = makeGrid(rows);
    EXPECT_EQ(grid(minus, false, q), QString());
    rows[3][4] = QStringLiteral("2");
    CoordGridModel two2 = makeGrid(rows);
    EXPECT_EQ(grid(two2, false, q), QStringLiteral("第4行<性质>数据填写错误..."));
    rows[3][4] = QStringLiteral("  ");
    CoordGridModel blank = makeGrid(rows);
    EXPECT_EQ(grid(blank, false, q), QString());
    EXPECT_EQ(blank.TextMatrix(4, 5), QStringLiteral("1")) << "an empty 性质 shows 1 afterwards";

    // The second ring: its corners are counted afresh.
    QList<QStringList> twoRings = planeRing(3) + planeRing(2);
    CoordGridModel second = makeGrid(twoRings);
    EXPECT_EQ(grid(second, false, q), QStringLiteral("第7行以上区域拐点个数小于3..."));

    CoordGridModel open = makeGrid(planeRing(3).mid(0, 3));
    EXPECT_EQ(grid(open, false, q), QStringLiteral("最后一个区域没有结束标记..."));
    EXPECT_TRUE(q.asked.isEmpty());
}

TEST(CoordGridCheck, ElevationQuestionOncePerRow)
{
    Questions q;
    QList<QStringList> rows = planeRing(3) + planeRing(3);
    rows[3][1] = QString();
    rows[7][2] = QStringLiteral("高");
    CoordGridModel g = makeGrid(rows);
    EXPECT_EQ(grid(g, false, q), QString());
    ASSERT_EQ(q.asked.size(), 2);
    EXPECT_EQ(q.asked[0],
              QStringLiteral("警告|第4行<标高>数据不全,继续?|%1").arg(int(Prompt::Icon::Question)));
    EXPECT_EQ(q.asked[1],
              QStringLiteral("警告|第8行<标高>数据不全,继续?|%1").arg(int(Prompt::Icon::Question)));

    q.asked.clear();
    q.answers = {false};
    EXPECT_EQ(grid(g, false, q), QStringLiteral("declined"));
    EXPECT_EQ(q.asked.size(), 1);
}

TEST(CoordGridCheck, CornerCells)
{
    Questions q;
    auto one = [&](const QString& c1, const QString& x, const QString& y, bool geo) {
        QList<QStringList> rows = planeRing(3);
        if (geo) {
            rows[0] = {QStringLiteral("1"), QStringLiteral("116.3"), QStringLiteral("39.3")};
            rows[2] = {QStringLiteral("3"), QStringLiteral("116.31"), QStringLiteral("39.31")};
        }
        rows[1] = {c1, x, y};
        CoordGridModel g = makeGrid(rows);
        return grid(g, geo, q);
    };
    EXPECT_EQ(one(QStringLiteral("五个汉字拐"), QStringLiteral("4400000"), QStringLiteral("39500000"), false),
              QStringLiteral("第2行<拐点号>数据填写超长(>8)..."));
    EXPECT_EQ(one(QStringLiteral("12345678"), QStringLiteral("4400000"), QStringLiteral("39500000"), false),
              QString());
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("abc"), QStringLiteral("39500000"), false),
              QStringLiteral("第2行<坐标>列必须输入数据值..."));
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("４４００００"), QStringLiteral("39500000"), false),
              QStringLiteral("第2行<坐标>列必须输入数据值..."));
    // The cells are read as the writer of the stored text reads them.
    for (const char* bad : {"116.30e1", "inf", "nan", "1e2"})
        EXPECT_EQ(one(QStringLiteral("2"), QString::fromLatin1(bad), QStringLiteral("39.3"), true),
                  QStringLiteral("第2行<坐标>列必须输入数据值..."))
            << bad;
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("10000000"), QStringLiteral("100000000"), false),
              QString());
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("1000000"), QStringLiteral("10000000"), false),
              QString());
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("999999"), QStringLiteral("39500000"), false),
              QStringLiteral("第2行<X_坐标>列数据超范围..."));
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("4400000"), QStringLiteral("100000001"), false),
              QStringLiteral("第2行<Y_坐标>列数据超范围..."));
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("4400000"), QStringLiteral("1,5"), false),
              QStringLiteral("第2行坐标数据不能含有逗号..."));
    // Geographic grids: packed degrees-minutes-seconds, ranges inclusive.
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("140"), QStringLiteral("0"), true), QString());
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("70"), QStringLiteral("55"), true), QString());
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("140.0001"), QStringLiteral("30"), true),
              QStringLiteral("第2行<经度坐标>列数据超范围..."));
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("116.3"), QStringLiteral("55.0001"), true),
              QStringLiteral("第2行<纬度坐标>列数据超范围..."));
    EXPECT_EQ(one(QStringLiteral("2"), QStringLiteral("69.5959"), QStringLiteral("30"), true),
              QStringLiteral("第2行<经度坐标>列数据超范围..."));
}

class StatLookup : public ProgramFolder
{
};

TEST_F(StatLookup, ReadsKclKsByAreaMineAndYear)
{
    StatisticsDatabase s;
    s.mines = {{QStringLiteral("110000001"), 2012, 2008},
               {QStringLiteral("110000002"), 1000, 2007},
               {QStringLiteral("110000003"), 1000, 1998}};
    ASSERT_TRUE(s.create(path(QStringLiteral("tjk.mdb"))));
    const SqliteStatDatabase stat(dir(), QStringLiteral("tjk.mdb"));
    // Year 2008 from the number, or the year before: a registration of 1999 finds 1998.
    EXPECT_EQ(Check_Stat_Mine(stat, QStringLiteral("4110101082001"), QStringLiteral("110000001"),
                              QStringLiteral("12")),
              StatDatabase::Found);
    EXPECT_EQ(Check_Stat_Mine(stat, QStringLiteral("4110101992001"), QStringLiteral("110000003"), QString()),
              StatDatabase::Found);
    EXPECT_EQ(Check_Stat_Mine(stat, QStringLiteral("4110101102001"), QStringLiteral("110000001"), QString()),
              StatDatabase::NotFound);
    EXPECT_EQ(Check_Stat_Mine(stat, QStringLiteral("4110101082001"), QStringLiteral("110000001"),
                              QStringLiteral("13")),
              StatDatabase::NotFound);
    EXPECT_EQ(Check_Stat_Mine(stat, QStringLiteral("4110101082001"), QStringLiteral("110000002"), QString()),
              StatDatabase::Found);
    // A quote in the number is a value like any other.
    EXPECT_EQ(
        Check_Stat_Mine(stat, QStringLiteral("4110101082001"), QStringLiteral("1' or '1'='1"), QString()),
        StatDatabase::NotFound);
}

TEST(StatYear, TwoDigitsAboveThisYearAreOfTheLastCentury)
{
    // (today's year, the digits of the number, the statistics year)
    const struct
    {
        int today;
        const char* yy;
        int year;
    } cases[] = {
        {2008, "08", 2008}, {2008, "09", 1909}, {2025, "99", 1999}, {2025, "ab", 2000}, {2000, "01", 1901}};
    for (const auto& c : cases) {
        Clock::setFixed(QDateTime(QDate(c.today, 6, 1), QTime(12, 0)));
        EXPECT_EQ(Stat_Year(QStringLiteral("4110101") + QLatin1String(c.yy) + QStringLiteral("2001")), c.year)
            << c.today << " " << c.yy;
    }
    Clock::reset();
}

TEST_F(StatLookup, MissingOrBrokenDatabases)
{
    EXPECT_EQ(SqliteStatDatabase(QString(), QString()).findMine(QStringLiteral("1"), {}, 2008, 2007),
              StatDatabase::NotConfigured);
    EXPECT_EQ(
        SqliteStatDatabase(dir(), QStringLiteral("none.mdb")).findMine(QStringLiteral("1"), {}, 2008, 2007),
        StatDatabase::Unreadable);
    EXPECT_EQ(SqliteStatDatabase(dir(), QString()).findMine(QStringLiteral("1"), {}, 2008, 2007),
              StatDatabase::Unreadable);
    writeFile(QStringLiteral("text.mdb"), "not a database at all");
    EXPECT_EQ(
        SqliteStatDatabase(dir(), QStringLiteral("text.mdb")).findMine(QStringLiteral("1"), {}, 2008, 2007),
        StatDatabase::Unreadable);
    StatisticsDatabase s;
    s.tables = StatisticsDatabase::KCL_SJKCS;
    ASSERT_TRUE(s.create(path(QStringLiteral("nokcl.mdb"))));
    EXPECT_EQ(
        SqliteStatDatabase(dir(), QStringLiteral("nokcl.mdb")).findMine(QStringLiteral("1"), {}, 2008, 2007),
        StatDatabase::Unreadable);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("none.mdb")))) << "looking never creates a file";
}
