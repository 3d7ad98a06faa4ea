// The prompting import: numbers already present are put to the user.

#include "RegionFixture.h"

#include "exchange/TableCopier.h"
#include "regions/PromptingImport.h"

namespace {

class PromptingImportTest : public RegionFixture
{
protected:
    void SetUp() override
    {
        RegionFixture::SetUp();
        addSample(db());
        source = copyTemplate("import.mdb");
        {
            Db::ScopedConnection file("import", source, Db::OpenMode::ReadWrite);
            addKind(file.db(), "压覆", Chengdu1, 510104);
            addKind(file.db(), "压覆", Chengdu2, 510105);
            addKind(file.db(), "压覆", Fresh, 510104);
            exec(file.db(), "UPDATE 登记 SET 填表人 = '李四'");
            exec(file.db(), "UPDATE 质量 SET 组分名 = 'Cu'");
            exec(file.db(), "INSERT INTO 登记 (登记号) VALUES ('451010409900')");
            exec(file.db(), "INSERT INTO 压覆 (登记号, 行政区代码) VALUES ('451010409900', 510104)");
        }
        attached.emplace(db(), source, "src");
        ASSERT_TRUE(attached->ok());
        run.prefix = "5101";
        run.answer = &answer;
        run.skipped = &skipped;
        run.ask = [this](const QString& message) {
            asked << message;
            return answers.isEmpty() ? 0 : answers.takeFirst();
        };
    }
    void TearDown() override
    {
        attached.reset();
        RegionFixture::TearDown();
    }

    void import(const QString& table)
    {
        const auto done = regions::Prompt_Import_Kind_Table(db(), table, "压覆", run);
        ASSERT_TRUE(done) << done.error().description.toStdString();
    }
    QString filler(const QString& number)
    {
        return Db::scalar(db(), "SELECT 填表人 FROM 登记 WHERE 登记号=?", {number}).toString();
    }
    QString component(const QString& number)
    {
        return Db::scalar(db(), "SELECT group_concat(组分名) FROM 质量 WHERE 登记号=?", {number}).toString();
    }

    const QString Fresh = "4510104099001";
    QString source;
    std::optional<exchange::AttachedDatabase> attached;
    int answer = 0;
    QStringList skipped{QString()};
    QList<int> answers;
    QStringList asked;
    regions::PromptingRun run;
};

} // namespace

TEST_F(PromptingImportTest, EachPresentNumberIsAskedAbout)
{
    answers = {regions::LeaveOut, regions::Overwrite};
    import("登记");
    EXPECT_EQ(asked, QStringList({regions::duplicateMessage(Chengdu1), regions::duplicateMessage(Chengdu2)}));
    EXPECT_EQ(asked.first(), "登记号【4510104082001】已经存在！\n覆盖：覆盖已有数据    不导入：不导入该数据\n"
                             "取消：退出本次导入操作");
    EXPECT_EQ(skipped, QStringList{Chengdu1});
    EXPECT_EQ(filler(Chengdu1), "王五");
    EXPECT_EQ(filler(Chengdu2), "李四");
    EXPECT_EQ(filler(Fresh), "李四") << "a new number comes without a question";
    EXPECT_EQ(count(db(), "登记"), 7) << "a number of twelve characters never comes in";

    import("质量");
    EXPECT_EQ(component(Chengdu1), "Fe,Fe") << "left out for the rest of the run";
    EXPECT_EQ(component(Chengdu2), "Cu,Cu") << "its rows are replaced";
    EXPECT_EQ(component(Fresh), "Cu,Cu");
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(PromptingImportTest, AnAnswerForAllAndStopping)
{
    // A table before 登记 finds nothing left out.
    import("质量");
    EXPECT_EQ(component(Chengdu1), "Cu,Cu");

    answers = {regions::LeaveOutAll};
    import("登记");
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(skipped, QStringList({Chengdu1, Chengdu2}));

    // A run stopped before changes nothing more.
    answer = regions::StopImport;
    import("坐标");
    EXPECT_EQ(Db::scalar(db(), "SELECT count(*) FROM 坐标 WHERE 登记号=?", {Fresh}).toInt(), 0);
}
