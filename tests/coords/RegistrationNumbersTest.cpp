#include "support/ProgramFolder.h"

#include "coords/RegistrationNumbers.h"
#include "platform/Database.h"

using namespace KCUTIL;

namespace {

int serial(const Result<HighestSerial>& r)
{
    EXPECT_TRUE(r.ok());
    return r.ok() ? r->serial : -1;
}

const QString Prefix = QStringLiteral("4110101082");

class RegistrationNumbersTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
    }
    void addNumbers(const QStringList& numbers)
    {
        for (const QString& n : numbers) {
            Db::Error e;
            ASSERT_TRUE(Db::exec(m_state.Cn(), QStringLiteral("INSERT INTO 登记(登记号) VALUES(?)"), {n}, &e))
                << e.description.toStdString();
        }
    }
    void addSerials(const QString& prefix, int from, int to)
    {
        QStringList numbers;
        for (int i = from; i <= to; ++i)
            numbers << prefix + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        addNumbers(numbers);
    }
};

TEST_F(RegistrationNumbersTest, FirstNumberUnderAPrefixGetsSerialOne)
{
    addNumbers({QStringLiteral("4110101081005"), QStringLiteral("4110102082007")}); // other prefixes
    EXPECT_EQ(serial(New_DJH(Prefix)), 0);
    const DjhAllocation a = Next_DJH(Prefix).value();
    EXPECT_EQ(a.status, DjhAllocation::Status::Ok);
    EXPECT_EQ(a.number, QStringLiteral("4110101082001"));
}

TEST_F(RegistrationNumbersTest, NextSerialFollowsTheHighestAndLeavesGaps)
{
    addSerials(Prefix, 1, 5);
    EXPECT_EQ(serial(New_DJH(Prefix)), 5);
    EXPECT_EQ(Next_DJH(Prefix)->number, QStringLiteral("4110101082006"));

    addNumbers({Prefix + QStringLiteral("040")});
    const DjhAllocation a = Next_DJH(Prefix).value();
    EXPECT_EQ(a.number, QStringLiteral("4110101082041"));
    EXPECT_TRUE(a.warning.isEmpty());
}

TEST_F(RegistrationNumbersTest, PrefixIsComparedAsText)
{
    addSerials(Prefix, 1, 3);
    // A prefix that only equals as a number finds nothing, and text that is no
    // number at all is just a prefix that is not in use.
    EXPECT_EQ(serial(New_DJH(QStringLiteral("4110101082.0"))), 0);
    EXPECT_EQ(serial(New_DJH(QStringLiteral(" 4110101082"))), 0);
    const Result<HighestSerial> quoted = New_DJH(QStringLiteral("41101'0108"));
    ASSERT_TRUE(quoted.ok());
    EXPECT_EQ(quoted->serial, 0);
}

TEST_F(RegistrationNumbersTest, AfterSerial999ThePrefixIsFull)
{
    addNumbers({Prefix + QStringLiteral("998"), Prefix + QStringLiteral("999")});
    EXPECT_EQ(serial(New_DJH(Prefix)), 999);
    const DjhAllocation a = Next_DJH(Prefix).value();
    EXPECT_EQ(a.status, DjhAllocation::Status::PrefixFull);
    EXPECT_TRUE(a.number.isEmpty());
}

TEST_F(RegistrationNumbersTest, NumberOfWrongLengthIsReportedAndStillCounts)
{
    addNumbers({Prefix + QStringLiteral("001"), Prefix + QStringLiteral("07")});
    const Result<HighestSerial> h = New_DJH(Prefix);
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(h->serial, 207); // "…07": its last three characters are "207"
    EXPECT_EQ(h->warning, QStringLiteral("库内登记号[411010108207]位数错，系统无法正确配号！"));
    EXPECT_EQ(Next_DJH(Prefix)->warning, h->warning);
}

TEST_F(RegistrationNumbersTest, PresenceComparesTheWholeText)
{
    addNumbers({QStringLiteral("4110101082001")});
    EXPECT_TRUE(Is_DJH_In_DB(QStringLiteral("4110101082001")).valueOr(false));
    EXPECT_FALSE(Is_DJH_In_DB(QStringLiteral("4110101082001 ")).valueOr(true));
    EXPECT_FALSE(Is_DJH_In_DB(QStringLiteral("411010108200")).valueOr(true));
    EXPECT_FALSE(Is_DJH_In_DB(QStringLiteral("4' OR '1'='1")).valueOr(true));
}

TEST_F(RegistrationNumbersTest, DatabaseFailureIsReportedToTheCaller)
{
    Db::close(m_state.CnName);
    const Result<bool> present = Is_DJH_In_DB(QStringLiteral("4110101082001"));
    ASSERT_FALSE(present.ok());
    EXPECT_TRUE(present.error().isSet());
    const Result<DjhAllocation> a = Next_DJH(Prefix);
    ASSERT_FALSE(a.ok());
    EXPECT_TRUE(a.error().isSet());
}

} // namespace
