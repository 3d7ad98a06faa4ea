#include "shell/KCUTIL_Dates.h"
#include "shell/KCUTIL_Numerals.h"
#include "shell/KCUTIL_Paths.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(DateCheck, ResultsInTheirOrder)
{
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S("2"), S("30")), 3);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S("2"), S("29")), 0);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2007"), S("2"), S("29")), 3);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S("13"), S("")), 2);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S("0"), S("")), 2);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("08"), S(""), S("")), 1);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S(" 2008"), S(""), S("")), 1); // the year is not trimmed
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("  "), S(" "), S("")), 0);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S(""), S("5")), 3);  // a day without a month
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("2008"), S("5"), S("")), 0);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S(""), S("5"), S("1")), 1);
    // A four-character year is not tested for digits ...
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("abcd"), S("5"), S("")), 0);
    EXPECT_EQ(KCUTIL::Is_Date_Text(S("abcd"), S("5"), S("1")), 3);
}

TEST(DateText, BuiltFromDigitsOnly)
{
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S("5"), S("1")), S("2008年5月1日"));
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S("5"), S("")), S("2008年5月"));
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S(""), S("")), S("2008年"));
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S(""), S("5"), S("1")), QString());
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S("05"), S("01")), S("2008年05月01日")); // no padding removed
    // ... but no stored date text is ever built from anything but digits.
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("abcd"), S("5"), S("")), QString());
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S("5x"), S("")), QString());
    EXPECT_EQ(KCUTIL::Date_To_Chinese(S("2008"), S("5 "), S("")), S("2008年5月"));
}

TEST(DateText, SplitsIntoItsParts)
{
    const QString d = S("2008年5月1日");
    EXPECT_EQ(KCUTIL::Get_Date_Part(d, S("年")), S("2008"));
    EXPECT_EQ(KCUTIL::Get_Date_Part(d, S("月")), S("5"));
    EXPECT_EQ(KCUTIL::Get_Date_Part(d, S("日")), S("1"));
    EXPECT_EQ(KCUTIL::Get_Date_Part(S("2008年"), S("月")), QString());
    EXPECT_EQ(KCUTIL::Get_Date_Part(S("2008年5月"), S("月")), S("5"));
    EXPECT_EQ(KCUTIL::Get_Date_Part(QString(), S("年")), QString());
    EXPECT_EQ(KCUTIL::Get_Date_Part(d, S("时")), QString());
}

TEST(Numerals, ChineseNumbers)
{
    EXPECT_EQ(KCUTIL::Num_To_Chinese(0), QString());
    EXPECT_EQ(KCUTIL::Num_To_Chinese(1), S("一"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(9), S("九"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(10), S("十"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(15), S("十五"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(20), S("二十"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(23), S("二十三"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(99), S("九十九"));
    EXPECT_EQ(KCUTIL::Num_To_Chinese(100), QString());
    EXPECT_EQ(KCUTIL::Num_To_Chinese(-5), QString());
    EXPECT_EQ(KCUTIL::Year_To_Chinese(2008), S("二○○八"));
    EXPECT_EQ(KCUTIL::Year_To_Chinese(1990), S("一九九○"));
}

TEST(Paths, FolderAndFileNameParts)
{
    EXPECT_EQ(KCUTIL::Get_File_Dir(S("C:\\data\\djk.mdb")), S("C:\\data"));
    EXPECT_EQ(KCUTIL::Get_File_Dir(S("C:\\djk.mdb")), S("C:"));
    EXPECT_EQ(KCUTIL::Get_Folder(S("C:\\djk.mdb")), S("C:\\"));
    EXPECT_EQ(KCUTIL::Get_Folder(S("C:\\data\\djk.mdb")), S("C:\\data"));
    EXPECT_EQ(KCUTIL::Get_File_Dir(S("djk.mdb")), QString());
    EXPECT_EQ(KCUTIL::Get_File_Name(S("djk.mdb")), S("djk.mdb"));
    EXPECT_EQ(KCUTIL::Get_File_Name(S("C:\\data\\djk.mdb")), S("djk.mdb"));
    EXPECT_EQ(KCUTIL::Get_File_Dir(S("/home/clerk/登记/djk.mdb")), S("/home/clerk/登记"));
    EXPECT_EQ(KCUTIL::Get_File_Name(S("/home/clerk/登记/djk.mdb")), S("djk.mdb"));
    EXPECT_EQ(KCUTIL::Get_Folder(S("/djk.mdb")), S("/"));
    EXPECT_EQ(KCUTIL::Get_File_Name(S("/data/")), QString());
}

} // namespace
