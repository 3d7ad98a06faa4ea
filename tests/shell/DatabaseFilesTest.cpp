// What start-up and the switch of the working database do with files that are not
// what they should be: damaged, of the wrong shape, not writable, not judged.
#include "support/DamagedDatabase.h"
#include "support/ProgramFolder.h"
#include "support/SampleRegistrations.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Province.h"
#include "shell/MAINBAS.h"
#include "shell/ParaLogic.h"
#include "shell/ShellNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <optional>
#include <string>

namespace {

class DatabaseFilesTest : public ProgramFolder
{
protected:
    MAINBAS::StartResult start()
    {
        return MAINBAS::Main(dir(), [] {});
    }
    void configure(const QString& file)
    {
        writeFile(QStringLiteral("djk.ini"), (QFileInfo(file).path() + QStringLiteral("\r\n") +
                                              QFileInfo(file).fileName() + QStringLiteral("\r\n"))
                                                 .toUtf8());
    }
    // Points the state at `file` and opens it as the switch does.
    bool switchTo(const QString& file)
    {
        m_state.DBPath = QFileInfo(file).path();
        m_state.DBName = QFileInfo(file).fileName();
        return MAINBAS::Open_Connection();
    }
    static QByteArray hashOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
                                           : QByteArray();
    }
    QString native(const QString& file) const { return QDir::toNativeSeparators(file); }
    // A sample of 300 registrations at `name` whose table 坐标 `damage` damaged,
    // named in djk.ini as the working database.
    QString damagedSample(const QString& name, bool (*damage)(const QString&, const QString&))
    {
        const QString file = path(name);
        EXPECT_TRUE(SampleRegistrations::makeDatabase(templatePath(), file, {300, 20080501}));
        EXPECT_TRUE(damage(file, QStringLiteral("坐标")));
        configure(file);
        return file;
    }
};

TEST_F(DatabaseFilesTest, ADamagedFileIsRefusedByNameAtStartAndAtTheSwitch)
{
    // Damage at the start of a table: the check at the open sees it.
    const QString damaged = damagedSample(QStringLiteral("damaged.mdb"), DamagedDatabase::damageRoot);
    const QByteArray before = hashOf(damaged);
    ASSERT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_TRUE(Prompt::shown().at(0).text.startsWith(QStringLiteral("数据库文件已损坏，不能使用：") +
                                                      native(damaged) + QLatin1Char('\r')))
        << Prompt::shown().at(0).text.toStdString();
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("错误"));
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
    EXPECT_FALSE(m_state.Cn().isOpen());

    Prompt::clear();
    openWorkingDatabase();
    const QString working = m_state.CnName;
    EXPECT_FALSE(switchTo(damaged));
    EXPECT_EQ(m_state.CnName, working);
    EXPECT_EQ(Prompt::shown().size(), 1);
    EXPECT_TRUE(Prompt::lastText().contains(native(damaged)));
    EXPECT_EQ(hashOf(damaged), before);
}

// Damage past the first pages of a table opens (the check of every page runs once
// the window is up), is told as soon as that check finds it, and stops every write.
TEST_F(DatabaseFilesTest, DamageThatOnlyTheWholeFileCheckFindsIsToldOnceTheWindowIsUpAndWritesStop)
{
    const QString damaged = damagedSample(QStringLiteral("deep.mdb"), DamagedDatabase::damageMiddleLeaf);
    const QByteArray before = hashOf(damaged);
    bool shown = false;
    ASSERT_EQ(MAINBAS::Main(dir(), [&] { shown = Prompt::shown().isEmpty(); }),
              MAINBAS::StartResult::MainWindowShown);
    EXPECT_TRUE(shown) << "the window came up before any message";
    ASSERT_TRUE(QTest::qWaitFor([] { return !Prompt::shown().isEmpty(); }, 10000));
    ASSERT_EQ(Prompt::shown().size(), 1);
    const QString message = Prompt::lastText();
    EXPECT_TRUE(message.startsWith(QStringLiteral("数据库文件已损坏，不能使用：") + native(damaged) +
                                   QLatin1Char('\r')))
        << message.toStdString();
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("错误"));
    EXPECT_EQ(Prompt::shown().at(0).icon, Prompt::Icon::Critical);

    // A save begins its transaction and is refused with the same message; a lone
    // statement fails too.
    {
        Db::TransactionGuard save(m_state.Cn());
        EXPECT_FALSE(save.started());
        EXPECT_EQ(save.beginError(QStringLiteral("Save_Data_All")).description, message);
        EXPECT_FALSE(Db::exec(m_state.Cn(), QStringLiteral("delete from 参数表")).has_value());
    }
    Db::close(m_state.CnName);
    EXPECT_EQ(hashOf(damaged), before);
}

// What the open or the switch would write on its own (the index of the template a
// file lacks, the province code of the switch) waits for the check of every page: it
// goes into a sound file once the check is through, and never into a file whose
// damage only that check finds.
TEST_F(DatabaseFilesTest, TheOpenAndTheSwitchWriteIntoAFileOnlyOnceItIsFoundSound)
{
    struct Case
    {
        const char* name;
        bool lacksIndex;
        std::function<bool(const QString& file)> use;
    };
    const QList<Case> cases{
        {"start", true,
         [&](const QString& file) {
             configure(file);
             return start() == MAINBAS::StartResult::MainWindowShown;
         }},
        {"switch", false,
         [&](const QString& file) {
             openWorkingDatabase();
             ParaLogic::AcceptInput input;
             input.provinceText = QStringLiteral("510000");
             input.databasePath = file;
             return ParaLogic::accept(input, false, {}).close;
         }},
    };
    for (const Case& c : cases) {
        for (const bool damaged : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (damaged ? " damaged" : " sound"));
            Prompt::clear();
            const QString file = path(QString::fromLatin1(c.name) +
                                      (damaged ? QStringLiteral("-damaged.mdb") : QStringLiteral(".mdb")));
            ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), file, {300, 20080501}));
            if (c.lacksIndex) runSql(file, {QStringLiteral("drop index idx_压覆_矿区顺序")});
            if (damaged) {
                ASSERT_TRUE(DamagedDatabase::damageMiddleLeaf(file, QStringLiteral("坐标")));
            }
            const QByteArray before = hashOf(file);

            ASSERT_TRUE(c.use(file));
            if (damaged) {
                const QString message = QStringLiteral("数据库文件已损坏，不能使用：") + native(file);
                EXPECT_TRUE(QTest::qWaitFor([&] { return Prompt::lastText().startsWith(message); }, 10000))
                    << Prompt::lastText().toStdString();
                QTest::qWait(50);
                EXPECT_EQ(hashOf(file), before);
            } else {
                EXPECT_TRUE(QTest::qWaitFor([&] { return hashOf(file) != before; }, 10000));
            }
            Db::close(m_state.CnName);
        }
    }
}

// The indexes the lists are read along come with the template; a working database
// made from an older template gets them when it is opened, unless it cannot be written.
TEST_F(DatabaseFilesTest, AWorkingDatabaseGetsTheIndexesOfTheTemplateItLacksWhenWritable)
{
    const QString index = QStringLiteral("idx_压覆_矿区顺序");
    const auto hasIndex = [&](const QString& file) {
        Db::ScopedConnection c(QStringLiteral("indexes"), file, Db::OpenMode::ReadOnly);
        return Db::scalar(c.db(), QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name=?"), {index})
                   .toInt() == 1;
    };
    ASSERT_TRUE(hasIndex(templatePath()));
    const QString older = copyTemplate(QStringLiteral("older.mdb"));
    const QString readOnly = copyTemplate(QStringLiteral("readonly.mdb"));
    for (const QString& file : {older, readOnly})
        runSql(file, {QStringLiteral("drop index ") + index});
    ASSERT_TRUE(DamagedDatabase::markReadOnly(readOnly));

    // They are made once the check of every page has found the file sound.
    EXPECT_TRUE(switchTo(older));
    EXPECT_TRUE(Prompt::shown().isEmpty());
    MAINBAS::Check_Working_Database();
    EXPECT_TRUE(QTest::qWaitFor([&] { return hasIndex(older); }, 10000));
    EXPECT_TRUE(switchTo(readOnly));
    EXPECT_EQ(Prompt::shown().size(), 1);
    Db::close(m_state.CnName);
    EXPECT_TRUE(hasIndex(older));
    EXPECT_FALSE(hasIndex(readOnly));
}

TEST_F(DatabaseFilesTest, AFileLackingATableOrFieldOfTheTemplateIsRefusedNamingIt)
{
    openWorkingDatabase();
    const QString working = m_state.CnName;
    const QString noCoords = copyTemplate(QStringLiteral("nocoords.mdb"));
    runSql(noCoords, {QStringLiteral("drop table 坐标")});
    EXPECT_FALSE(switchTo(noCoords));
    EXPECT_EQ(Prompt::lastText(),
              MAINBAS::Missing_Table_Message(noCoords, QStringLiteral("坐标"), QString()));
    EXPECT_EQ(Prompt::lastText(), QStringLiteral("数据库文件") + native(noCoords) +
                                      QStringLiteral("缺少表【坐标】，不是本系统的登记库，不能使用！"));
    EXPECT_EQ(m_state.CnName, working);

    const QString noArea = copyTemplate(QStringLiteral("noarea.mdb"));
    runSql(noArea, {QStringLiteral("alter table 坐标 drop column 矿权面积")});
    EXPECT_FALSE(switchTo(noArea));
    EXPECT_EQ(Prompt::lastText(),
              QStringLiteral("数据库文件") + native(noArea) +
                  QStringLiteral("的表【坐标】缺少字段【矿权面积】，不是本系统的登记库，不能使用！"));
    EXPECT_EQ(m_state.CnName, working);

    // The same at start-up, after the version check has passed.
    Prompt::clear();
    configure(noArea);
    EXPECT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
}

TEST_F(DatabaseFilesTest, AFileThatCannotBeWrittenIsOpenedForReadingAfterSayingSo)
{
    const QString file = copyTemplate(QStringLiteral("readonly.mdb"));
    runSql(file, {QStringLiteral("insert into 登记 (登记号) values ('4110101082001')")});
    ASSERT_TRUE(DamagedDatabase::markReadOnly(file));
    configure(file);
    ASSERT_EQ(start(), MAINBAS::StartResult::MainWindowShown);
    ASSERT_EQ(Prompt::shown().size(), 1);
    EXPECT_EQ(Prompt::lastText(),
              MAINBAS::Read_Only_Message(
                  file, QStringLiteral("数据库文件只读，或文件所在的文件夹只读，或文件已被移走、"
                                       "删除，不能写入")));
    EXPECT_TRUE(Prompt::lastText().startsWith(QStringLiteral("数据库文件不能写入，只能查看，不能保存：") +
                                              native(file) + QLatin1Char('\r')));
    EXPECT_EQ(Db::scalar(m_state.Cn(), QStringLiteral("select count(*) from 登记")).toInt(), 1);

    // A write fails with the plain cause.
    Db::Error error;
    EXPECT_FALSE(Db::exec(m_state.Cn(), QStringLiteral("delete from 登记"), {}, &error));
    EXPECT_EQ(error.number & 0xff, 8);
    EXPECT_EQ(error.description, Db::plainCause(8));
}

TEST_F(DatabaseFilesTest, AVersionCheckThatCannotBeMadeRefusesTheFile)
{
    const QString older = copyTemplate(QStringLiteral("older.mdb"));
    runSql(older, {QStringLiteral("update 数据库参数 set 版本号='1.0'")});
    const QByteArray before = hashOf(older);
    QFile::remove(path(QStringLiteral("djk.sys")));

    // At start-up: the failure in one generic box, then the open error.
    configure(older);
    EXPECT_EQ(start(), MAINBAS::StartResult::Ended);
    ASSERT_EQ(Prompt::shown().size(), 2);
    EXPECT_EQ(Prompt::shown().at(0).title, QStringLiteral("Error"));
    EXPECT_TRUE(Prompt::shown().at(0).text.contains(QStringLiteral("djk.sys")));
    EXPECT_EQ(Prompt::shown().at(1).text, ParaLogic::kOpenError);
    EXPECT_FALSE(m_state.Cn().isOpen());
    EXPECT_EQ(hashOf(older), before);
}

// A write that waits for the check of every page (here the province code of a
// switch) is made once the file is found sound, never inside a transaction of the
// clerk's (whose rollback would take it along) but after it, only into the file that
// was checked, unless a newer write of its name has taken its place; otherwise it is
// told as not made, naming the file; a file found damaged is refused as a whole instead.
TEST_F(DatabaseFilesTest, AWaitingWriteIsMadeOrToldAsNotMadeWhateverEndsItsWait)
{
    // The clerk's transaction open on the connection when the verdict comes, and
    // when the program is told to end.
    enum class Clerk { None, Commits, RollsBack, EndsTheProgramInside, EndsTheProgramAfter };
    // What happens while the write waits: another database is opened, and then the
    // file turns read-only, another file is put at its path, or it is opened again
    // and another code set.
    enum class Meanwhile { Nothing, OtherOpened, TurnsReadOnly, IsReplaced, OpenedAgain, SavedDirectly };
    struct Case
    {
        const char* name;
        Clerk clerk;
        bool damaged;
        bool locked;  // another program holds the file beyond the wait
        bool afterIt; // the write comes after the verdict, nothing waiting before it
        Meanwhile meanwhile;
        bool made;
        QString told; // the start of the one message shown, with the file for %1
    };
    const QString unwritten = QStringLiteral("没有写入数据库文件%1：模板的索引、省代码510000\r");
    const QList<Case> cases{
        {"sound", Clerk::None, false, false, false, Meanwhile::Nothing, true, {}},
        {"damaged", Clerk::None, true, false, false, Meanwhile::Nothing, false,
         QStringLiteral("数据库文件已损坏，不能使用：%1\r")},
        {"locked", Clerk::None, false, true, false, Meanwhile::Nothing, false,
         unwritten + QStringLiteral("未能检查文件的每一页，不能确定文件完好：")},
        {"after-commit", Clerk::Commits, false, false, false, Meanwhile::Nothing, true, {}},
        {"after-rollback", Clerk::RollsBack, false, false, false, Meanwhile::Nothing, true, {}},
        {"end-inside", Clerk::EndsTheProgramInside, false, false, false, Meanwhile::Nothing, false,
         unwritten + QStringLiteral("程序结束时，数据库的另一项写入尚未完成")},
        {"end-after", Clerk::EndsTheProgramAfter, false, false, false, Meanwhile::Nothing, true, {}},
        {"after-verdict", Clerk::None, false, false, true, Meanwhile::Nothing, true, {}},
        {"replaced", Clerk::None, false, false, false, Meanwhile::OtherOpened, true, {}},
        // The file found sound refuses the write itself (the template's indexes it has).
        {"read-only", Clerk::None, false, false, false, Meanwhile::TurnsReadOnly, false,
         QStringLiteral("没有写入数据库文件%1：省代码510000\r") + Db::plainCause(8)},
        // Another file put at its path is not the file found sound.
        {"file-replaced", Clerk::None, false, false, false, Meanwhile::IsReplaced, false, unwritten},
        // Held back by the clerk's transaction, the write is overtaken: the file, opened
        // again after another, gets the code 430000, which stays whatever comes later.
        {"overtaken", Clerk::Commits, false, false, false, Meanwhile::OpenedAgain, false, {}},
        // The clerk sets the code 430000 for the file in use: the waiting write never undoes it.
        {"saved-directly", Clerk::None, false, false, false, Meanwhile::SavedDirectly, false, {}},
    };
    const auto provinceIn = [](const QString& file) {
        Db::ScopedConnection c(QStringLiteral("province"), file, Db::OpenMode::ReadOnly);
        return Db::scalar(c.db(), QStringLiteral("select 省代码 from 参数表")).toInt();
    };
    const auto registerWrite = [](int code) {
        MAINBAS::When_Found_Sound(
            WriteKeys::ProvinceCode, QStringLiteral("省代码") + QString::number(code),
            [code](const QSqlDatabase& db) { return KCUTIL::Store_Province_Code(db, code); });
    };
    const auto endTheProgram = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prompt::clear();
        const QString file = path(QString::fromLatin1(c.name) + QStringLiteral(".mdb"));
        ASSERT_TRUE(SampleRegistrations::makeDatabase(templatePath(), file, {300, 20080501}));
        if (c.damaged) {
            ASSERT_TRUE(DamagedDatabase::damageMiddleLeaf(file, QStringLiteral("坐标")));
        }
        // Without the template the open has no write of its own to wait.
        if (c.afterIt) QFile::rename(path(QStringLiteral("djk.sys")), path(QStringLiteral("away.sys")));
        ASSERT_TRUE(switchTo(file));
        if (!c.afterIt) registerWrite(510000);
        std::optional<Db::ScopedConnection> other;
        if (c.locked) {
            other.emplace(QStringLiteral("other"), file, Db::OpenMode::ReadWrite);
            ASSERT_TRUE(Db::exec(other->db(), QStringLiteral("BEGIN EXCLUSIVE")).has_value());
        }
        std::optional<Db::TransactionGuard> clerk;
        if (c.clerk != Clerk::None) clerk.emplace(m_state.Cn());
        // The verdict.
        MAINBAS::Check_Working_Database();
        if (c.meanwhile == Meanwhile::OtherOpened || c.meanwhile == Meanwhile::TurnsReadOnly ||
            c.meanwhile == Meanwhile::IsReplaced) {
            ASSERT_TRUE(switchTo(copyTemplate(QStringLiteral("other.mdb"))));
        }
        if (c.meanwhile == Meanwhile::TurnsReadOnly) {
            ASSERT_TRUE(DamagedDatabase::markReadOnly(file));
        }
        if (c.meanwhile == Meanwhile::IsReplaced) {
            const QString another = copyTemplate(QStringLiteral("another.mdb"));
            ASSERT_TRUE(QFile::remove(file) && QFile::rename(another, file));
        }
        Db::waitForBackgroundChecks();
        // Before the verdict is taken.
        if (c.meanwhile == Meanwhile::SavedDirectly) {
            ASSERT_TRUE(ParaLogic::Save_Province_Code(QStringLiteral("430000")));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        other.reset();
        if (c.afterIt) {
            QFile::rename(path(QStringLiteral("away.sys")), path(QStringLiteral("djk.sys")));
            registerWrite(510000);
            EXPECT_EQ(provinceIn(file), 510000) << "made at once";
        }
        if (c.clerk == Clerk::Commits) {
            EXPECT_TRUE(clerk->commit());
        }
        if (c.clerk == Clerk::EndsTheProgramInside) endTheProgram();
        clerk.reset();
        if (c.meanwhile == Meanwhile::OpenedAgain) {
            ASSERT_TRUE(switchTo(copyTemplate(QStringLiteral("other.mdb"))));
            ASSERT_TRUE(switchTo(file));
            registerWrite(430000);
            MAINBAS::Check_Working_Database();
            Db::waitForBackgroundChecks();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        }
        if (c.clerk == Clerk::EndsTheProgramAfter) endTheProgram();
        // A program that ends runs no more timers: what it makes, it makes at once.
        const bool ends = c.clerk == Clerk::EndsTheProgramInside || c.clerk == Clerk::EndsTheProgramAfter;
        EXPECT_EQ(ends ? provinceIn(file) == 510000
                       : QTest::qWaitFor([&] { return provinceIn(file) == 510000; }, c.made ? 5000 : 300),
                  c.made);
        if (c.meanwhile == Meanwhile::OpenedAgain || c.meanwhile == Meanwhile::SavedDirectly) {
            EXPECT_EQ(provinceIn(file), 430000);
        }
        if (c.told.isEmpty()) {
            EXPECT_TRUE(Prompt::shown().isEmpty()) << Prompt::lastText().toStdString();
        } else {
            ASSERT_EQ(Prompt::shown().size(), 1) << Prompt::lastText().toStdString();
            EXPECT_TRUE(Prompt::lastText().startsWith(c.told.arg(native(file))))
                << Prompt::lastText().toStdString();
        }
    }
}

// A newer waiting write takes the place of an older one of its key, whatever the two
// say to the clerk; writes of different keys are all made, however alike their words.
TEST_F(DatabaseFilesTest, AWaitingWriteTakesThePlaceOfOneOfItsKeyNotOfItsWords)
{
    struct Write
    {
        QString key;
        QString what;
    };
    struct Case
    {
        const char* name;
        QList<Write> writes;
        QStringList made; // the `what` of each write made, in order
    };
    const QList<Case> cases{
        {"same-key", {{"a", QStringLiteral("甲1")}, {"a", QStringLiteral("乙2")}}, {QStringLiteral("乙2")}},
        {"other-key",
         {{"a", QStringLiteral("省代码510000")}, {"b", QStringLiteral("省代码430000")}},
         {QStringLiteral("省代码510000"), QStringLiteral("省代码430000")}},
    };
    // Without the template the open has no write of its own to wait.
    QFile::rename(path(QStringLiteral("djk.sys")), path(QStringLiteral("away.sys")));
    QStringList made;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(switchTo(copyTemplate(QString::fromLatin1(c.name) + QStringLiteral(".mdb"))));
        made.clear();
        for (const Write& w : c.writes)
            MAINBAS::When_Found_Sound(w.key, w.what, [&made, what = w.what](const QSqlDatabase&) {
                made << what;
                return Status::success();
            });
        MAINBAS::Check_Working_Database();
        Db::waitForBackgroundChecks();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        EXPECT_TRUE(QTest::qWaitFor([&] { return made.size() >= c.made.size(); }, 5000));
        EXPECT_EQ(made, c.made);
    }
}

} // namespace
