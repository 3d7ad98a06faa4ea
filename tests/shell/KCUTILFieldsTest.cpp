#include "support/ProgramFolder.h"

#include "platform/ColumnCatalog.h"
#include "platform/Database.h"
#include "shell/KCUTIL_Fields.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

using KCUTIL::FieldValue;

QVariant null(QMetaType type)
{
    return QVariant(type);
}

TEST(FieldKinds, TypeCodesClassify)
{
    for (int code : {2, 3, 4, 5, 14, 20, 131}) EXPECT_EQ(KCUTIL::Get_Field_Kind(code), 1) << code;
    for (int code : {7, 133, 134, 135}) EXPECT_EQ(KCUTIL::Get_Field_Kind(code), 2) << code;
    for (int code : {129, 130, 200, 202}) EXPECT_EQ(KCUTIL::Get_Field_Kind(code), 0) << code;
    for (int code : {201, 203}) EXPECT_EQ(KCUTIL::Get_Field_Kind(code), 3) << code;
    for (int code : {0, 6, 11, 17, 128, 204, 1000}) EXPECT_EQ(KCUTIL::Get_Field_Kind(code), 0) << code;
}

TEST(FieldReaders, NullIsTheEmptyTextEverywhere)
{
    for (int code : {int(Db::TypeDouble), int(Db::TypeInteger), int(Db::TypeDate), int(Db::TypeVarWChar),
                     int(Db::TypeLongVarWChar)}) {
        const QVariant v = null(QMetaType::fromType<QString>());
        EXPECT_EQ(KCUTIL::Get_Field_Text(code, v), QString()) << code;
        EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{v, code}), QString()) << code;
        EXPECT_EQ(KCUTIL::Get_Field_NumStr(FieldValue{v, code}), QString()) << code;
        EXPECT_EQ(KCUTIL::Get_Field_Num(FieldValue{v, code}), QString()) << code;
    }
}

TEST(FieldReaders, AmountsShowFourDecimalsAndZeroAsEmpty)
{
    auto numStr = [](const QVariant& v) { return KCUTIL::Get_Field_NumStr(FieldValue{v, Db::TypeDouble}); };
    EXPECT_EQ(numStr(5.0), QStringLiteral("5"));
    EXPECT_EQ(numStr(1234.56789), QStringLiteral("1234.5679"));
    EXPECT_EQ(numStr(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(numStr(0.00001), QString());
    EXPECT_EQ(numStr(-0.00001), QString());
    EXPECT_EQ(numStr(0.0), QString());
    EXPECT_EQ(numStr(-3.25), QStringLiteral("-3.25"));
    EXPECT_EQ(numStr(QStringLiteral("12abc")), QStringLiteral("12"));
    EXPECT_EQ(numStr(QStringLiteral("abc")), QString());

    // The plain reader keeps a zero as "0" and any other value as its text.
    auto num = [](const QVariant& v) { return KCUTIL::Get_Field_Num(FieldValue{v, Db::TypeDouble}); };
    EXPECT_EQ(num(0.0), QStringLiteral("0"));
    EXPECT_EQ(num(QStringLiteral("abc")), QStringLiteral("0"));
    EXPECT_EQ(num(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(num(1234.56789), QStringLiteral("1234.56789"));

    // Long texts are read through their size.
    EXPECT_EQ(KCUTIL::Get_Field_NumStr(FieldValue{QStringLiteral("7.10"), Db::TypeLongVarWChar}), QStringLiteral("7.10"));
    EXPECT_EQ(KCUTIL::Get_Field_Num(FieldValue{QString(""), Db::TypeLongVarWChar}), QString());
}

TEST(FieldReaders, DisplayTextByKind)
{
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeDouble, 0.5), QStringLiteral("0.5"));
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeDouble, QStringLiteral(".5")), QStringLiteral("0.5"));
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeInteger, qlonglong(420100)), QStringLiteral("420100"));
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeVarWChar, QStringLiteral("压覆")), QStringLiteral("压覆"));
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeLongVarWChar, QStringLiteral("1,2,")), QStringLiteral("1,2,"));
    // Boolean and currency are of kind 0 but no text: empty on display, their
    // ordinary text from the general reader.
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeBoolean, true), QString());
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeCurrency, 12.5), QString());
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{true, Db::TypeBoolean}), QStringLiteral("True"));
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{qlonglong(0), Db::TypeBoolean}), QStringLiteral("False"));
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{12.5, Db::TypeCurrency}), QStringLiteral("12.5"));
}

// Small grades and large amounts read in plain decimal form, never with an
// exponent, and without the noise of binary fractions.
TEST(FieldReaders, NumbersReadInPlainDecimalForm)
{
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{5e-05, Db::TypeDouble}), QStringLiteral("0.00005"));
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{-2.5e-7, Db::TypeDouble}), QStringLiteral("-0.00000025"));
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{1.5e15, Db::TypeDouble}), QStringLiteral("1500000000000000"));
    EXPECT_EQ(KCUTIL::Get_Field_Str(FieldValue{0.1 + 0.2, Db::TypeDouble}), QStringLiteral("0.3"));
    EXPECT_EQ(KCUTIL::Get_Field_Text(Db::TypeDouble, 0.00012), QStringLiteral("0.00012"));
    EXPECT_EQ(KCUTIL::Get_Field_Num(FieldValue{3.25e-6, Db::TypeDouble}), QStringLiteral("0.00000325"));
}

TEST(FieldReaders, DatesShowOnlyInsideTheirBounds)
{
    auto show = [](const QVariant& v) { return KCUTIL::Get_Field_Text(Db::TypeDate, v); };
    EXPECT_EQ(show(QDate(1899, 12, 31)), QString());
    EXPECT_EQ(show(QDate(4000, 1, 2)), QString());
    EXPECT_EQ(show(QDate(1900, 1, 1)), QStringLiteral("1900/1/1"));
    EXPECT_EQ(show(QDate(4000, 1, 1)), QStringLiteral("4000/1/1"));
    EXPECT_EQ(show(QStringLiteral("2008-11-03")), QStringLiteral("2008/11/3"));
    EXPECT_EQ(show(QStringLiteral("not a date")), QString());
}

TEST(FieldWriters, TextToValue)
{
    const QVariant emptyNumber = KCUTIL::Text_To_Value(Db::TypeDouble, QString());
    EXPECT_TRUE(emptyNumber.isValid());
    EXPECT_TRUE(emptyNumber.isNull());
    EXPECT_EQ(KCUTIL::Text_To_Value(Db::TypeDouble, QStringLiteral("12abc")), QVariant(12.0));
    EXPECT_EQ(KCUTIL::Text_To_Value(Db::TypeInteger, QStringLiteral("abc")), QVariant(0.0));

    EXPECT_EQ(KCUTIL::Text_To_Value(Db::TypeDate, QStringLiteral("2008/2/29")), QVariant(QDate(2008, 2, 29)));
    const QVariant badDate = KCUTIL::Text_To_Value(Db::TypeDate, QStringLiteral("2007/2/29"));
    EXPECT_TRUE(badDate.isValid() && badDate.isNull());

    const QVariant emptyText = KCUTIL::Text_To_Value(Db::TypeVarWChar, QString(""));
    EXPECT_FALSE(emptyText.isNull());
    EXPECT_EQ(emptyText.toString(), QString());
    EXPECT_EQ(KCUTIL::Text_To_Value(Db::TypeLongVarWChar, QStringLiteral("x")), QVariant(QStringLiteral("x")));
    // No value for other types: the caller leaves the column out.
    EXPECT_FALSE(KCUTIL::Text_To_Value(Db::TypeBoolean, QStringLiteral("1")).isValid());
}

class RecordHelpersTest : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        openWorkingDatabase();
        db = m_state.Cn();
        ASSERT_TRUE(Db::exec(db, QStringLiteral("create table t (n REAL, s VARCHAR(10), CB06 INTEGER)")));
    }
    QSqlDatabase db;
};

TEST_F(RecordHelpersTest, EmptyTextsWriteNullIntoNumbersAndEmptyIntoTexts)
{
    ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into t (n, s) values (?, ?)"),
                         {KCUTIL::Text_To_Value(Db::columnTypeCode(db, QStringLiteral("t"), QStringLiteral("n")), QString()),
                          KCUTIL::Text_To_Value(Db::columnTypeCode(db, QStringLiteral("t"), QStringLiteral("s")), QString(""))}));
    EXPECT_EQ(Db::scalar(db, QStringLiteral("select count(*) from t where n is null and s = ''")).toInt(), 1);
}

TEST_F(RecordHelpersTest, CountingKeepsTheCurrentRow)
{
    auto q = Db::exec(db, QStringLiteral("select n from t where n > ?"), {0});
    ASSERT_TRUE(q);
    EXPECT_EQ(KCUTIL::Get_Record_Count(*q), 0);

    for (int i = 1; i <= 3; ++i) ASSERT_TRUE(Db::exec(db, QStringLiteral("insert into t (n) values (?)"), {i}));
    q = Db::exec(db, QStringLiteral("select n from t where n > ? order by n"), {0});
    ASSERT_TRUE(q && q->next() && q->next());
    EXPECT_EQ(KCUTIL::Get_Record_Count(*q), 3);
    EXPECT_EQ(q->value(0).toInt(), 2);
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(0).toInt(), 3);

    QSqlQuery inactive(db);
    EXPECT_EQ(KCUTIL::Get_Record_Count(inactive), -1);
}

TEST_F(RecordHelpersTest, ColumnNamesMatchWhateverTheirCase)
{
    auto q = Db::exec(db, QStringLiteral("select * from t"));
    ASSERT_TRUE(q);
    EXPECT_TRUE(KCUTIL::Get_Field_Index(QStringLiteral("cb06"), q->record()));
    EXPECT_TRUE(KCUTIL::Get_Field_Index(QStringLiteral("N"), q->record()));
    EXPECT_FALSE(KCUTIL::Get_Field_Index(QStringLiteral("cb07"), q->record()));
}

} // namespace
