#include "platform/PrinterService.h"

#include <gtest/gtest.h>

namespace {

TEST(PrinterService, ThePdfPrinterAlwaysCounts)
{
    PrinterService& p = printerService();
    EXPECT_TRUE(p.printerNames().contains(PrinterService::pdfPrinterName()));
    EXPECT_GE(p.printerCount(), 1);
    EXPECT_TRUE(p.printerExists(PrinterService::pdfPrinterName()));
    EXPECT_FALSE(p.printerExists(QStringLiteral("no such printer 4711")));
    EXPECT_FALSE(p.printerExists(QString()));
    EXPECT_NE(p.printer(), nullptr);
}

TEST(PrinterService, PaperAndOrientationCodes)
{
    PrinterService& p = printerService();
    ASSERT_TRUE(p.setPaperSize(PrinterService::PaperA3));
    EXPECT_EQ(p.paperSize(), 8);
    ASSERT_TRUE(p.setPaperSize(PrinterService::PaperB4));
    EXPECT_EQ(p.paperSize(), 12);
    ASSERT_TRUE(p.setPaperSize(PrinterService::PaperA4));
    EXPECT_EQ(p.paperSize(), 9);
    ASSERT_TRUE(p.setOrientation(PrinterService::Landscape));
    EXPECT_EQ(p.orientation(), 2);
    ASSERT_TRUE(p.setOrientation(PrinterService::Portrait));
    EXPECT_EQ(p.orientation(), 1);
    // Codes the program has no paper for are refused and change nothing.
    EXPECT_FALSE(p.setPaperSize(77));
    EXPECT_FALSE(p.setOrientation(3));
    EXPECT_EQ(p.paperSize(), 9);
    EXPECT_EQ(p.orientation(), 1);
}

} // namespace
