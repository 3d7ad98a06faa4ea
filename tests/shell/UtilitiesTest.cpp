#include "support/ProgramFolder.h"

#include "shell/myvbs.h"
#include "shell/myvbsControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class UtilitiesTest : public ProgramFolder
{
};

// What FileExist answers of `file` in a process of a user who may read none of the
// files here (the superuser gives up its rights first).
bool existsForAnotherUser(const QString& file)
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(myvbs::FileExist(file) ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST_F(UtilitiesTest, FileExistForFilesReadableOrNotButNotForFolders)
{
    writeFile(QStringLiteral("a.txt"), "x");
    const QString a = path(QStringLiteral("a.txt"));
    QFile::setPermissions(a, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                     QFileDevice::ExeOther);
    EXPECT_TRUE(myvbs::FileExist(a));
    EXPECT_TRUE(existsForAnotherUser(a));
    EXPECT_FALSE(myvbs::FileExist(path(QStringLiteral("b.txt"))));
    EXPECT_FALSE(myvbs::FileExist(dir()));
    EXPECT_FALSE(myvbs::FileExist(QString()));
}

TEST_F(UtilitiesTest, CountSetFlags)
{
    EXPECT_EQ(myvbs::Count_Set_Flags(), -1);
    m_state.Form_Opened[1] = true;
    EXPECT_EQ(myvbs::Count_Set_Flags(), 0);
    m_state.Form_Opened[5] = true;
    EXPECT_EQ(myvbs::Count_Set_Flags(), 1);
}

TEST(Myvbs, LenACountsTwoBytesBeyondAscii)
{
    EXPECT_EQ(myvbs::LenA(QStringLiteral("abc")), 3);
    EXPECT_EQ(myvbs::LenA(QStringLiteral("压覆a")), 5);
    EXPECT_EQ(myvbs::LenA(QString()), 0);
}

TEST(Myvbs, DegreesMinutesSeconds)
{
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("39.3000")), 39.5);
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("116.2030")), 116.341666666667);
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("5.3")), 5.5);
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("116.3")), 116.5);
    EXPECT_NEAR(myvbs::DMS_To_Degree(QStringLiteral("116.305")), 116.0 + 30.0 / 60 + 50.0 / 3600, 1e-12);
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("116")), 116.0);
    // Fractions of seconds are dropped.
    EXPECT_DOUBLE_EQ(myvbs::DMS_To_Degree(QStringLiteral("116.203099")), 116.341666666667);
}

TEST(Myvbs, StripCrLf)
{
    EXPECT_EQ(myvbs::Strip_CrLf(QStringLiteral("a\r\nb\nc\r")), QStringLiteral("abc"));
}

TEST(Myvbs, ComboValueSelectsTheFirstEntryContainingIt)
{
    QComboBox box;
    box.addItems({QStringLiteral("铁路"), QStringLiteral("高速公路"), QStringLiteral("公路")});
    box.setCurrentIndex(0);
    myvbs::Set_Combo_Value(&box, QStringLiteral("公路"));
    EXPECT_EQ(box.currentIndex(), 1);
    myvbs::Set_Combo_Value(&box, QStringLiteral("   "));
    EXPECT_EQ(box.currentIndex(), 1);
    myvbs::Set_Combo_Value(&box, QStringLiteral("机场"));
    EXPECT_EQ(box.currentIndex(), 1);
    // The blank put in front lets a value with a leading blank match the first entry.
    myvbs::Set_Combo_Value(&box, QStringLiteral(" 铁"));
    EXPECT_EQ(box.currentIndex(), 0);
}

TEST(Myvbs, OptionByCaptionTicksTheFirstMatchOnly)
{
    QCheckBox a(QStringLiteral("部分压覆")), b(QStringLiteral("全部压覆")), c(QStringLiteral("全部压覆"));
    a.setChecked(true);
    myvbs::Set_Option_By_Caption({&a, &b, &c}, QStringLiteral("全部压覆"));
    EXPECT_TRUE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
    EXPECT_FALSE(c.isChecked());
    myvbs::Set_Option_By_Caption({&a, &b, &c}, QStringLiteral("无"));
    EXPECT_FALSE(c.isChecked());
    myvbs::Set_Option_By_Caption({&a, &b, &c}, QStringLiteral(" 全部压覆"));
    EXPECT_FALSE(c.isChecked());
}

TEST(Myvbs, ValidDatesLieBetween1900And4000)
{
    EXPECT_TRUE(myvbs::Is_Valid_Date(QStringLiteral("1900-01-01")));
    EXPECT_TRUE(myvbs::Is_Valid_Date(QStringLiteral("4000/1/1")));
    EXPECT_TRUE(myvbs::Is_Valid_Date(QStringLiteral("2008年11月3日")));
    EXPECT_FALSE(myvbs::Is_Valid_Date(QStringLiteral("1899-12-31")));
    EXPECT_FALSE(myvbs::Is_Valid_Date(QStringLiteral("4000-01-02")));
    EXPECT_FALSE(myvbs::Is_Valid_Date(QStringLiteral("2008-02-30")));
    EXPECT_FALSE(myvbs::Is_Valid_Date(QStringLiteral("abc")));
    EXPECT_FALSE(myvbs::Is_Valid_Date(QString()));
}

} // namespace
