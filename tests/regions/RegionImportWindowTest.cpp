// The import by region from the main window, and the duplicate prompt.

#include "RegionWindowFixture.h"
#include "support/DamagedDatabase.h"

#include "exchange/DataImport.h"
#include "exchange/DataImportAll.h"
#include "exchange/ImportFile.h"
#include "platform/FileDialog.h"
#include "platform/NewFile.h"
#include "platform/Prompt.h"
#include "regions/DataImportXzq.h"
#include "regions/FrmMsgbox.h"
#include "shell/MAINBAS.h"
#include "shell/MainWindowServices.h"
#include "shell/TabMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include <unistd.h>

namespace {

class RegionImportWindowTest : public RegionWindowFixture
{
protected:
    void SetUp() override
    {
        RegionWindowFixture::SetUp();
        source = copyTemplate("import.mdb");
        Db::ScopedConnection file("import", source, Db::OpenMode::ReadWrite);
        addKind(file.db(), "压覆", Fresh, 510104);
        exec(file.db(), "UPDATE cb08 SET MC = '蓉城' WHERE DM = 510100");
    }

    const QString Fresh = "4510104099001";
    QString source;
};

} // namespace

TEST_F(RegionImportWindowTest, ImportACityFromTheToolbar)
{
    const QString old = copyTemplate("old.mdb");
    runSql(old, {"UPDATE 数据库参数 SET 版本号 = '1.40'"});
    writeFile("junk.mdb", "not a database");
    runSql(path("other.mdb"), {"CREATE TABLE 查明 (登记号 TEXT)"});
    withDialog(
        [&] { main->Toolbar_ButtonClick("IMPORT"); },
        [&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "行政区数据导入");
            EXPECT_TRUE(main->buttonPressed("IMPORT"));
            EXPECT_EQ(main->panelText(1), "数据库导入...");
            click(d, "Command2_0");
            click(d, "Command1");
            for (const QString& name :
                 {path("none.mdb"), old, path("junk.mdb"), MAINBAS::Database_File(), path("other.mdb")}) {
                FileDialog::setNextFileName(name);
                click(d, "Command4");
            }
            EXPECT_EQ(d->findChild<QLineEdit*>("Text1")->text(), "");
            EXPECT_EQ(Prompt::shownTexts(),
                      QStringList({"请先指定导入文件名！", "请先指定导入文件名！", "文件不存在,请重新选择！",
                                   "导入的数据库的版本过低，请先使用数据库升级模块进行数据库升级！",
                                   "指定的导入文件打开出现错误,请检查是否允许打开该数据库！",
                                   "不能从当前数据库或其备份文件导入,请重新选择！",
                                   "指定的导入文件非固体登记数据库,请重新选择！"}));
            Prompt::clear();

            FileDialog::setNextFileName(source);
            click(d, "Command4");
            // The file's own regions and dictionary.
            pick(d, "蓉城");
            auto* tree = d->findChild<QTreeWidget*>("TreeView2");
            EXPECT_TRUE(tree->findItems("河南省", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
            EXPECT_EQ(d->findChild<QLineEdit*>("Text2_0")->text(), "5101");

            // A rejected file afterwards leaves the accepted one in place.
            FileDialog::setNextFileName(old);
            click(d, "Command4");
            EXPECT_EQ(QDir::fromNativeSeparators(d->findChild<QLineEdit*>("Text1")->text()), source);
            Prompt::clear();

            d->findChild<QLineEdit*>("Text2_0")->setText("51010");
            click(d, "Command2_0");
            d->findChild<QLineEdit*>("Text2_0")->setText("5101");
            Prompt::setNextAnswer(Prompt::Answer::Cancel);
            click(d, "Command2_0");
            EXPECT_FALSE(QFile::exists(exchange::backupPath())) << "no backup without the OK";
            const QSize size = d->size();
            const QPoint buttons = d->findChild<QPushButton*>("Command2_0")->pos();
            click(d, "Command2_0");
            EXPECT_EQ(d->size(), size);
            EXPECT_EQ(d->findChild<QPushButton*>("Command2_0")->pos(), buttons);
        });
    EXPECT_EQ(Prompt::shownTexts(), QStringList({"行政区代码应为2位、4位或6位数字！", "确定要导入数据吗?",
                                         "确定要导入数据吗?", "数据导入完成！"}));
    EXPECT_FALSE(main->buttonPressed("IMPORT"));
    EXPECT_EQ(main->panelText(1), "待命...");
    EXPECT_EQ(rowsIn(db(), "压覆", Fresh), whole("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Chengdu1), gone("压覆"));
    EXPECT_EQ(rowsIn(db(), "压覆", Mianyang), whole("压覆"));
    Db::ScopedConnection backup("backup", exchange::backupPath(), Db::OpenMode::ReadOnly);
    ASSERT_TRUE(backup.ok());
    EXPECT_EQ(rowsIn(backup.db(), "压覆", Chengdu1), whole("压覆"));
}

TEST_F(RegionImportWindowTest, TheWholeDatabaseQuestionAndAFailedImport)
{
    DataImportXzq d;
    d.findChild<QLineEdit*>("Text1")->setText(path("gone.mdb"));
    click(&d, "Command2_0");
    FileDialog::setNextFileName(source);
    click(&d, "Command4");
    Prompt::setNextAnswer(Prompt::Answer::Cancel);
    click(&d, "Command2_0");
    EXPECT_EQ(Prompt::shownTexts(),
              QStringList({"指定的导入文件不存在,请重新选择！", "行政区未选择,导入全库数据吗?"}));
    EXPECT_FALSE(QFile::exists(exchange::backupPath()));

    // A backup that cannot be written stops the import.
    ASSERT_TRUE(QDir(dir()).mkdir("DATABASE_BAKUP.MDB"));
    Prompt::clear();
    click(&d, "Command2_0");
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).title, "Error");
    EXPECT_EQ(rowsIn(db(), "压覆", Fresh), gone("压覆"));
    ASSERT_TRUE(QDir(dir()).rmdir("DATABASE_BAKUP.MDB"));

    // The identified registration's number as an overlay one clashes with its 登记 row,
    // which an overlay import keeps: nothing changes, the backup stays.
    {
        Db::ScopedConnection file("import", source, Db::OpenMode::ReadWrite);
        addKind(file.db(), "压覆", Found, 510104);
    }
    const QByteArray before = bytes(MAINBAS::Database_File());
    Prompt::clear();
    click(&d, "Command2_0");
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).title, "Error");
    EXPECT_TRUE(
        Prompt::shown().at(1).text.contains("已有登记号为“" + Found + "”的登记（行政区代码为510104）"))
        << Prompt::shown().at(1).text.toStdString();
    EXPECT_EQ(bytes(MAINBAS::Database_File()), before);
    EXPECT_TRUE(QFile::exists(exchange::backupPath()));
}

TEST_F(RegionImportWindowTest, TheDuplicatePromptAnswers)
{
    auto answer = [](const std::function<void(QDialog*)>& act) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "数据导入提示");
            EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "登记号【1】已经存在！");
            act(box);
        });
        return FrmMsgbox::ask("登记号【1】已经存在！");
    };
    auto press = [](int button, bool all) {
        return [=](QDialog* box) {
            box->findChild<QCheckBox*>("Check1")->setChecked(all);
            box->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(button))->click();
        };
    };
    EXPECT_EQ(answer(press(0, false)), 0);
    EXPECT_EQ(answer(press(0, true)), 1);
    EXPECT_EQ(answer(press(1, false)), 2);
    EXPECT_EQ(answer(press(1, true)), 3);
    EXPECT_EQ(answer(press(2, true)), 4);
    EXPECT_EQ(answer([](QDialog* box) { ModalDialogs::enter(box, "Command1_1"); }), 2) << "Enter presses the focused button";
    m_state.Prompt_Answer = 0;
    EXPECT_EQ(answer([](QDialog* box) { box->close(); }), 4) << "closing means cancel";

    // The window's prompting import asks through the prompt.
    DataImportXzq d;
    FileDialog::setNextFileName(source);
    click(&d, "Command4");
    exec(db(), "INSERT INTO 登记 (登记号, 填表人) VALUES (?, '王五')", {Fresh});
    m_state.Prompt_Answer = 0;
    QTimer::singleShot(
        0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("Command1_1")->click(); });
    d.Prompt_Import_Table("登记");
    EXPECT_EQ(m_state.Prompt_Answer, 2);
    EXPECT_EQ(Db::scalar(db(), "SELECT 填表人 FROM 登记 WHERE 登记号=?", {Fresh}).toString(), "王五");
}

TEST_F(RegionImportWindowTest, APathTypedIntoTheBoxFillsTheTree)
{
    DataImportXzq d;
    d.show();
    d.findChild<QLineEdit*>("Text1")->setText(QDir::toNativeSeparators(source));
    pick(&d, "蓉城");
    EXPECT_EQ(d.findChild<QLineEdit*>("Text2_0")->text(), "5101");
    EXPECT_TRUE(Prompt::shown().isEmpty());
}

TEST_F(RegionImportWindowTest, EveryImportRefusesAFileLackingWhatItReadsBeforeTheBackup)
{
    struct Case
    {
        std::function<QDialog*()> open;
        const char* change;
        const char* refusal;
    };
    const Case cases[] = {
        {[] { return new DataImport; }, "DROP TABLE 坐标",
         "指定的导入文件缺少表【坐标】，不能导入，请重新选择！"},
        {[] { return new DataImportAll; }, "DROP TABLE 压覆",
         "指定的导入文件缺少表【压覆】，不能导入，请重新选择！"},
        {[] { return new DataImportXzq; }, "ALTER TABLE 资源储量 DROP COLUMN 矿产组合",
         "指定的导入文件的表【资源储量】缺少字段【矿产组合】，不能导入，请重新选择！"},
    };
    int i = 0;
    for (const Case& c : cases) {
        const QString file = copyTemplate(QStringLiteral("lacking%1.mdb").arg(++i));
        runSql(file, {QString::fromUtf8(c.change)});
        const std::unique_ptr<QDialog> d(c.open());
        d->findChild<QLineEdit*>("Text1")->setText(file);
        Prompt::clear();
        click(d.get(), "Command2_0");
        EXPECT_EQ(Prompt::lastText(), QString::fromUtf8(c.refusal)) << d->objectName().toStdString();
        EXPECT_FALSE(QFile::exists(exchange::backupPath()));
    }
    // A damaged file is refused by its name, as the working database is at open.
    const QString damaged = path(QStringLiteral("damaged.mdb"));
    ASSERT_TRUE(DamagedDatabase::make(templatePath(), damaged, 300));
    DataImportAll d;
    d.findChild<QLineEdit*>("Text1")->setText(damaged);
    Prompt::clear();
    click(&d, "Command2_0");
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("数据库文件已损坏，不能使用：") + damaged + '\r'))
        << Prompt::lastText().toStdString();
    EXPECT_FALSE(QFile::exists(exchange::backupPath()));
}

TEST_F(RegionImportWindowTest, NoImportIntoAWorkingDatabaseThatIsTheBackupFile)
{
    // The clerk opened the backup of an earlier import to undo it, and imports again.
    const QString backup = exchange::backupPath();
    ASSERT_TRUE(QFile::copy(MAINBAS::Database_File(), backup));
    m_state.DBName = QFileInfo(backup).fileName();
    ASSERT_TRUE(Db::open("TestBackupCn", backup, Db::OpenMode::ReadWrite));
    Db::close(m_state.CnName);
    m_state.CnName = "TestBackupCn";
    const QByteArray before = bytes(backup);
    const QString refusal = "当前数据库就是导入前备份用的文件：" + QDir::toNativeSeparators(backup) +
                            "\r导入时会用备份覆盖它，请打开其它数据库后再导入！";
    const std::function<QDialog*()> imports[] = {
        [] { return new DataImport; }, [] { return new DataImportAll; }, [] { return new DataImportXzq; }};
    for (const auto& open : imports) {
        const std::unique_ptr<QDialog> d(open());
        SCOPED_TRACE(d->objectName().toStdString());
        auto* text1 = d->findChild<QLineEdit*>("Text1");
        text1->setText(source);
        QMetaObject::invokeMethod(text1, "returnPressed");
        if (auto* chooseAll = d->findChild<QPushButton*>("Command1_2")) chooseAll->click();
        Prompt::clear();
        click(d.get(), "Command2_0");
        EXPECT_EQ(Prompt::lastText().toStdString(), refusal.toStdString());
        EXPECT_EQ(bytes(backup), before);
        EXPECT_EQ(rowsIn(db(), "压覆", Fresh), gone("压覆"));
    }
}

// The backup file named as the file to import: the backup made before the import
// would be put over the file it imports. Every import refuses it, by its own check
// or by the gate, and the backup stays as it was.
TEST_F(RegionImportWindowTest, NoImportFromTheBackupFile)
{
    const QString backup = exchange::backupPath();
    ASSERT_TRUE(QFile::copy(source, backup));
    const QByteArray before = bytes(backup);
    const QStringList refusals = {"不能从当前数据库或其备份文件导入,请重新选择！",
                                  "不能改写或删除文件：" + QDir::toNativeSeparators(backup) +
                                      "\r它是程序正在读取的文件。"};
    const std::function<QDialog*()> imports[] = {
        [] { return new DataImport; }, [] { return new DataImportAll; }, [] { return new DataImportXzq; }};
    for (const auto& open : imports) {
        const std::unique_ptr<QDialog> d(open());
        SCOPED_TRACE(d->objectName().toStdString());
        Prompt::clear();
        auto* text1 = d->findChild<QLineEdit*>("Text1");
        text1->setText(backup);
        QMetaObject::invokeMethod(text1, "returnPressed");
        if (auto* chooseAll = d->findChild<QPushButton*>("Command1_2")) chooseAll->click();
        if (auto* region = d->findChild<QLineEdit*>("Text2_0")) region->setText("5101");
        click(d.get(), "Command2_0");
        // The gate's refusal comes in the error box of the failed backup.
        const QString said = Prompt::lastText();
        EXPECT_TRUE(said.endsWith(refusals[0]) || said.endsWith(refusals[1]))
            << Prompt::shownTexts().join(" | ").toStdString();
        EXPECT_EQ(bytes(backup), before);
        EXPECT_EQ(rowsIn(db(), "压覆", Fresh), gone("压覆"));
    }
}

TEST_F(RegionImportWindowTest, EveryImportBacksUpWithTheBusyPointerAndAStatusTextAndKeepsItsSource)
{
    // What the clerk is shown while the backup is written through to the disk. That the
    // answered box is gone from the screen is not seen here: a box is hidden once its
    // exec() returns, whatever is painted, and the offscreen screen grabs only windows shown.
    struct Seen
    {
        int backups = 0;
        bool busy = false;
        QString status;
    };
    static Seen seen;
    NewFile::setDiskCalls(
        [](int fd) {
            if (seen.backups++ == 0) {
                seen.busy = QApplication::overrideCursor() &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                seen.status = mainWindow().panelText(1);
            }
            return ::fsync(fd);
        },
        nullptr);
    // Real boxes, each answered OK once it is shown (a list of duplicates closed).
    Prompt::setTestMode(false);
    const auto testMode = qScopeGuard([] { Prompt::setTestMode(true); });
    QStringList answered;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answered << box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto* list = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            list->accept();
        }
    });
    answer.start(10);

    const struct
    {
        std::function<QDialog*()> open;
        // The question answered before the backup; the append import asks none.
        QString firstBox;
    } imports[] = {
        {[] { return new DataImport; }, "确定要导入数据吗?"},
        {[] { return new DataImportAll; }, "数据导入完成！"},
        {[] { return new DataImportXzq; }, "确定要导入数据吗?"},
    };
    // The source bears the name of a stale temporary file beside the backup, which
    // the write of the backup sweeps away: it stays.
    const QString stale = path(".orvane-AbCdEf.tmp");
    ASSERT_TRUE(QFile::rename(source, stale));
    for (const auto& import : imports) {
        const std::unique_ptr<QDialog> d(import.open());
        SCOPED_TRACE(d->objectName().toStdString());
        seen = {};
        answered.clear();
        auto* text1 = d->findChild<QLineEdit*>("Text1");
        text1->setText(stale);
        QMetaObject::invokeMethod(text1, "returnPressed");
        if (auto* chooseAll = d->findChild<QPushButton*>("Command1_2")) chooseAll->click();
        if (auto* region = d->findChild<QLineEdit*>("Text2_0")) region->setText("5101");
        const QString activity = main->panelText(1);
        click(d.get(), "Command2_0");
        ASSERT_FALSE(answered.isEmpty());
        EXPECT_EQ(answered.first(), import.firstBox);
        EXPECT_EQ(answered.last(), "数据导入完成！");
        ASSERT_GT(seen.backups, 0);
        EXPECT_TRUE(seen.busy);
        EXPECT_EQ(seen.status, "正在备份数据库，请稍候……");
        EXPECT_EQ(main->panelText(1), activity);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(QFile::exists(stale));
    }
}
