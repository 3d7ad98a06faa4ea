#include "support/FakePrinterService.h"
#include "support/ProgramFolder.h"

#include "platform/Database.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paper.h"
#include "shell/KCUTIL_Province.h"

namespace {

class PaperTest : public ProgramFolder
{
protected:
    FakePrinterService printer;
    ScopedPrinterService installed{printer};
    int flag = -1;
    QString text = QStringLiteral("x");
};

TEST_F(PaperTest, SetsA4PortraitAndGivesTheOldPaperBack)
{
    printer.paper = PrinterService::PaperA3;
    printer.orient = PrinterService::Landscape;
    KCUTIL::Check_Paper_Size(9, 1, flag, text);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(printer.paper, 9);
    EXPECT_EQ(printer.orient, 1);
    KCUTIL::Set_Paper_Size();
    EXPECT_EQ(printer.paper, 8);
    EXPECT_EQ(printer.orient, 2);
}

TEST_F(PaperTest, APrinterWithoutA4ReportsItAndKeepsItsPaper)
{
    printer.paper = PrinterService::PaperB4;
    printer.orient = PrinterService::Landscape;
    printer.papersTaken = {PrinterService::PaperB4};
    KCUTIL::Check_Paper_Size(9, 1, flag, text);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(text, QStringLiteral("[A4纵向]"));
    KCUTIL::Set_Paper_Size();
    EXPECT_EQ(printer.paper, 12);
    EXPECT_EQ(printer.orient, 2);
}

TEST_F(PaperTest, FailureTextsNameTheWantedPaper)
{
    EXPECT_EQ(KCUTIL::Paper_Failure_Text(8, 2), QStringLiteral("[A3横向]"));
    EXPECT_EQ(KCUTIL::Paper_Failure_Text(12, 1), QStringLiteral("[B4纵向]"));
    EXPECT_EQ(KCUTIL::Paper_Failure_Text(5, 3), QStringLiteral("[未知"));
}

TEST_F(PaperTest, WithoutAnyPrinterNothingHappens)
{
    printer.names.clear();
    printer.paper = PrinterService::PaperA3;
    m_state.Saved_Paper_Size = 77;
    KCUTIL::Check_Paper_Size(9, 1, flag, text);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(printer.paper, 8);
    EXPECT_EQ(m_state.Saved_Paper_Size, 77);
    KCUTIL::Set_Paper_Size();
    EXPECT_EQ(printer.paper, 8);
}

TEST_F(PaperTest, PrinterExists)
{
    printer.names << QStringLiteral("HP LaserJet");
    EXPECT_TRUE(KCUTIL::Printer_Exists(QStringLiteral("HP LaserJet")));
    EXPECT_TRUE(KCUTIL::Printer_Exists(PrinterService::pdfPrinterName()));
    EXPECT_FALSE(KCUTIL::Printer_Exists(QStringLiteral("Canon")));
}

TEST_F(PaperTest, ProvinceCodeGoesIntoAnotherDatabase)
{
    const QString file = copyTemplate(QStringLiteral("export.mdb"));
    Db::ScopedConnection db(QStringLiteral("export"), file, Db::OpenMode::ReadWrite);
    ASSERT_TRUE(db.ok());
    ASSERT_EQ(Db::scalar(db.db(), QStringLiteral("select count(*) from 参数表")).toInt(), 0);
    EXPECT_TRUE(KCUTIL::Store_Province_Code(db.db(), 510000));
    EXPECT_TRUE(KCUTIL::Store_Province_Code(db.db(), 420000));
    EXPECT_EQ(Db::scalar(db.db(), QStringLiteral("select count(*) from 参数表")).toInt(), 1);
    EXPECT_EQ(Db::scalar(db.db(), QStringLiteral("select 省代码 from 参数表")).toInt(), 420000);

    ASSERT_TRUE(Db::exec(db.db(), QStringLiteral("drop table 参数表")));
    const Status failed = KCUTIL::Store_Province_Code(db.db(), 410000);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().description.contains(QStringLiteral("参数表")));
    EXPECT_TRUE(Prompt::shown().isEmpty()) << "logic shows no box";
}

} // namespace
