#include "UpgradeFixture.h"

#include "platform/FileDialog.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"
#include "upgrade/ui/Frm_Main.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Answer = Prompt::Answer;

class FrmMainTest : public UpgradeFixture
{
protected:
    void SetUp() override
    {
        UpgradeFixture::SetUp();
        window = std::make_unique<Frm_Main>(dir());
        window->show();
    }
    QLineEdit* box(const char* name) { return window->findChild<QLineEdit*>(name); }
    void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    // What the boxes showed, each as its title and text.
    static QStringList shown()
    {
        QStringList out;
        for (const Prompt::Shown& s : Prompt::shown())
            out << s.title + ": " + s.text;
        Prompt::clear();
        return out;
    }
    std::unique_ptr<Frm_Main> window;
};

TEST_F(FrmMainTest, ChoosesASourceAndUpgradesItInPlace)
{
    EXPECT_EQ(window->windowTitle(), "数据库升级");
    const QString source = oldDatabase("old.mdb");
    FileDialog::setNextFileName(source);
    click("cmdSourceSearch");
    EXPECT_EQ(box("txtDesSource")->text(), source); // the target defaults to the source
    Prompt::setNextAnswer(Answer::No);
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"提示: 数据库不一致！是否要升级？"}));
    EXPECT_EQ(DjkDatabase::getVersion(source), "1.40");
    Prompt::setNextAnswer(Answer::Yes);
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"提示: 数据库不一致！是否要升级？", "Quillet: 升级完成！"}));
    EXPECT_EQ(DjkDatabase::getVersion(source), "1.44");
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "old.mdb"}));
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"Quillet: 数据库一致不需要升级！"}));
    // Without any deduction the completion says so without its exclamation mark.
    box("txtSource")->setText(oldDatabase("plain.mdb", QStringList{}));
    box("txtDesSource")->setText(path("plain.mdb"));
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"提示: 数据库不一致！是否要升级？", "Quillet: 升级完成"}));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrmMainTest, RefusesMissingFilesConflictsAndWhatIsNoRegistrationDatabase)
{
    const QString late = oldDatabase("late.mdb", QStringList{});
    FileDialog::setNextFileName(path("gone.mdb"));
    click("comSearchRepair");
    FileDialog::setNextFileName(late);
    click("comSearchRepair");
    FileDialog::setNextFileName(late);
    click("cmdSourceSearch");
    EXPECT_EQ(shown(), QStringList({"Quillet: 指定的文件路径不存在",
                                    "提示: 不能选择已挂补办库作为源库，请重新选择源库或者补办库"}));
    // An existing target: No empties the box, Yes checks it against the other pair.
    box("txtDesSource")->setText("typed");
    FileDialog::setNextFileName(late);
    Prompt::setNextAnswer(Answer::No);
    click("cmdSearchDes");
    EXPECT_EQ(box("txtDesSource")->text(), "");
    FileDialog::setNextFileName(late);
    click("cmdSearchDes");
    EXPECT_EQ(shown(), QStringList({"提示: 文件已经存在是否要覆盖？", "提示: 文件已经存在是否要覆盖？",
                                    "提示: 不能选择补办源数据库作为另存库！"}));
    FileDialog::setNextFileName(path("late-new.mdb"));
    click("cmdSearchRepairDesPath");
    EXPECT_EQ(box("txtRepairDesPath")->text(), path("late-new.mdb"));
    EXPECT_EQ(FileDialog::captions(),
              QStringList({"选择数据库", "选择数据库", "选择数据库", "请选择目标数据库", "请选择目标数据库",
                           "请选择补办数据库目标数据库"}));
    EXPECT_EQ(FileDialog::kinds().last(), FileDialog::Kind::OpenOrNew);

    // Typed paths: entry check, existence, conflicts, recognition.
    click("cmdStart");
    box("txtSource")->setText(path("gone.mdb"));
    box("txtDesSource")->setText(path("new.mdb"));
    click("cmdStart");
    box("txtSource")->setText(" " + late + " ");
    click("cmdStart");
    writeFile("text.mdb", "no database");
    box("txtSource")->setText(path("text.mdb"));
    box("txtRepairSource")->clear();
    click("cmdStart");
    EXPECT_EQ(shown(),
              QStringList({"Quillet: 请选择源数据库，源数据库不能为空！", "Quillet: 指定的文件路径不存在",
                           "提示: 不能选择已挂补办库作为源库，请重新选择源库或者补办库",
                           "Quillet: 源数据库不是登记库，请选择登记库！"}));
    box("txtSource")->setText(path("djk.sys"));
    box("txtRepairSource")->setText(path("text.mdb"));
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"Quillet: 挂接库不是登记库，请选择登记库！"}));
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "late.mdb", "text.mdb"}));
}

TEST_F(FrmMainTest, FaultyDeductionsOfferTheErrorListAndEndTheProgram)
{
    // The sources bear the names of stale temporary files beside the list, which the
    // write of the list sweeps away: they stay.
    const QString source =
        oldDatabase(".orvane-AbCdEf.tmp", {"INSERT INTO 资源储量 (登记号, 原登记号, 显示序号) VALUES "
                                           "('4110101082001', '2110101082001', 101)"});
    const QString late = oldDatabase(".orvane-GhIjKl.tmp", QStringList{});
    box("txtSource")->setText(source);
    box("txtRepairSource")->setText(late);
    box("txtDesSource")->setText(path("new.mdb"));
    box("txtRepairDesPath")->setText(path("late-new.mdb"));
    const QByteArray sourceBefore = hash(source), lateBefore = hash(late);
    writeFile("错误列表.txt", "old list");
    // upgrade, save, not saved, no overwrite, overwrite
    for (Answer a : {Answer::Yes, Answer::Yes, Answer::Ok, Answer::No, Answer::Yes})
        Prompt::setNextAnswer(a);
    // A place that cannot be written is said so, and the chooser comes again.
    const QString nowhere = path("no-such-folder/错误列表.txt");
    FileDialog::setNextFileName(nowhere);
    FileDialog::setNextFileName(path("错误列表.txt"));
    FileDialog::setNextFileName(path("错误列表.txt"));
    click("cmdStart");
    EXPECT_EQ(shown(),
              QStringList({"提示: 数据库不一致！是否要升级？",
                           "提示: 储量扣减的原登记号有错误，请用原系统修改后再升级！是否保存错误信息的列表？",
                           "提示: 错误列表没有保存。\n无法写入文件：" + nowhere + "（文件夹不存在）",
                           "提示: 文件已经存在是否要覆盖？", "提示: 文件已经存在是否要覆盖？"}));
    EXPECT_EQ(FileDialog::captions(),
              QStringList({"请选择保存文件路径", "请选择保存文件路径", "请选择保存文件路径"}));
    QStringList lines;
    ASSERT_EQ(TextFile::readLines(path("错误列表.txt"), &lines), TextFile::ReadStatus::Ok);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(files(dir()),
              QStringList({".orvane-AbCdEf.tmp", ".orvane-GhIjKl.tmp", "djk.sys", "错误列表.txt"}));
    EXPECT_EQ(hash(source), sourceBefore);
    EXPECT_EQ(hash(late), lateBefore);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FrmMainTest, NoTargetNorErrorListIsTheTemplateOrADatabaseOfTheRun)
{
    const QString source = oldDatabase("old.mdb", {"INSERT INTO 资源储量 (登记号, 原登记号, 显示序号) VALUES "
                                                   "('4110101082001', '2110101082001', 101)"});
    const QString late = oldDatabase("late.mdb", QStringList{});
    ASSERT_TRUE(QFile::link(path("djk.sys"), path("late-new.mdb")));
    const QByteArray templateBytes = hash(path("djk.sys")), sourceBytes = hash(source),
                     lateBytes = hash(late);
    FileDialog::setNextFileName(source);
    click("cmdSourceSearch");
    // Chosen, typed with "..", and through a link.
    FileDialog::setNextFileName(path("djk.sys"));
    Prompt::setNextAnswer(Answer::Yes);
    click("cmdSearchDes");
    EXPECT_EQ(box("txtDesSource")->text(), "");
    box("txtDesSource")->setText(path("gone/../djk.sys"));
    click("cmdStart");
    box("txtDesSource")->setText(path("new.mdb"));
    box("txtRepairSource")->setText(late);
    box("txtRepairDesPath")->setText(path("late-new.mdb"));
    click("cmdStart");
    EXPECT_EQ(shown(), QStringList({"提示: 文件已经存在是否要覆盖？", "提示: 不能选择模板数据库作为另存库！",
                                    "提示: 不能选择模板数据库作为另存库！",
                                    "提示: 不能选择模板数据库作为新保存数据库！"}));
    // The error list: the source, then the template (through a link that no box
    // names), are refused and the chooser comes again each time.
    box("txtRepairSource")->clear();
    box("txtRepairDesPath")->clear();
    Prompt::setNextAnswer(Answer::Yes);
    Prompt::setNextAnswer(Answer::Yes);
    FileDialog::setNextFileName(source);
    FileDialog::setNextFileName(path("late-new.mdb"));
    click("cmdStart");
    EXPECT_EQ(shown(),
              QStringList({"提示: 数据库不一致！是否要升级？",
                           "提示: 储量扣减的原登记号有错误，请用原系统修改后再升级！是否保存错误信息的列表？",
                           "提示: 不能选择升级用到的数据库作为错误列表文件！",
                           "提示: 不能选择升级用到的数据库作为错误列表文件！"}));
    EXPECT_EQ(FileDialog::captions().mid(1), QStringList({"请选择目标数据库", "请选择保存文件路径",
                                                          "请选择保存文件路径", "请选择保存文件路径"}));
    EXPECT_EQ(hash(path("djk.sys")), templateBytes);
    EXPECT_EQ(hash(source), sourceBytes);
    EXPECT_EQ(hash(late), lateBytes);
    EXPECT_EQ(files(dir()), QStringList({"djk.sys", "late-new.mdb", "late.mdb", "old.mdb"}));
}

TEST_F(FrmMainTest, ShowsEachPathCaptionWhole)
{
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        auto* label = window->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().endsWith(QStringLiteral("："))) << name;
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
        auto* box = qobject_cast<QLineEdit*>(label->buddy());
        ASSERT_NE(box, nullptr);
        EXPECT_GT(box->x(), label->geometry().right()) << name;
        EXPECT_LT(box->geometry().right(), box->parentWidget()->width()) << name;
    }
}

} // namespace
