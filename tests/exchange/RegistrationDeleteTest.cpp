// Deletion of chosen registrations from the six tables.

#include "ExchangeFixture.h"

#include "exchange/RegistrationDelete.h"

namespace {

const QString A = "4510104082001", B = "4510104082002", C = "4510104082003", D = "4510104082004";

class RegistrationDeleteTest : public ExchangeFixture
{
protected:
    void SetUp() override
    {
        ExchangeFixture::SetUp();
        for (const QString& n : {A, B, C, D})
            addRegistration(db(), n);
    }
};

} // namespace

TEST_F(RegistrationDeleteTest, DeletingThreeNumbersEmptiesTheSixTablesOfThemAndNothingElse)
{
    // A registration with rows in only some tables, and a number that is gone already.
    exec(db(), "INSERT INTO 资源储量 (登记号, 矿产代码) VALUES ('4510104082009', 22001)");
    QList<int> steps;
    const auto outcome =
        exchange::deleteRegistrations(db(), {A, "4510104082009", C, "4510104082077"}, [&](int d, int) {
            steps << d;
            return true;
        });
    EXPECT_TRUE(outcome.failed.isEmpty());
    EXPECT_EQ(outcome.deleted.size(), 4);
    EXPECT_EQ(steps, QList<int>({0, 1, 2, 3, 4}));
    EXPECT_EQ(rowsOf(db(), A), none());
    EXPECT_EQ(rowsOf(db(), C), none());
    EXPECT_EQ(rowsOf(db(), "4510104082009"), none());
    EXPECT_EQ(rowsOf(db(), B), full());
    EXPECT_EQ(rowsOf(db(), D), full());
    EXPECT_EQ(count(db(), "资源储量"), 4);
}

TEST_F(RegistrationDeleteTest, AFailingRegistrationStaysWholeAndIsReported)
{
    exec(db(), "CREATE TRIGGER keep_b BEFORE DELETE ON 坐标 WHEN old.登记号='4510104082002' "
               "BEGIN SELECT RAISE(ABORT, '坐标已锁定'); END");
    const auto outcome = exchange::deleteRegistrations(db(), {A, B, C});
    ASSERT_EQ(outcome.failed.size(), 1);
    EXPECT_EQ(outcome.failed[0].number, B);
    EXPECT_TRUE(outcome.failed[0].error.description.contains("坐标已锁定"));
    EXPECT_EQ(outcome.deleted, QStringList({A, C}));
    EXPECT_EQ(rowsOf(db(), B), full());
    EXPECT_EQ(rowsOf(db(), A), none());
}
