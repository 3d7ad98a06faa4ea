#include "printing/Module_PrintTable_Fit.h"
#include "printing/PainterSurface.h"
#include "printing/RecordingSurface.h"

#include "coords/PrintTransform.h"
#include "registration/form/FormControl.h"

#include <QFontMetricsF>
#include <QImage>

#include <gtest/gtest.h>

using namespace Module_PrintTable;

TEST(FitText, OneLineAlignedInsideTheBox)
{
    RecordingSurface p;
    p.setFont(QStringLiteral("f"), 10, false); // "中" 200 twips
    int x = 100, y = 500;
    QString text = QStringLiteral("中文");
    double size = 0;
    EXPECT_EQ(Fit_Text(p, 1000, 600, x, y, text, 0, 2, size), 1);
    EXPECT_EQ(text, QStringLiteral("中文\r"));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 500 + (600 - 200) / 2);
    EXPECT_EQ(size, 10);

    // Right and bottom keep a margin of 20; centre halves the rest.
    x = 0, y = 0, text = QStringLiteral("中文");
    Fit_Text(p, 1000, 600, x, y, text, 1, 1, size);
    EXPECT_EQ(x, 1000 - 400 - 20);
    EXPECT_EQ(y, 600 - 200 - 20);
    x = 0, y = 0, text = QStringLiteral("中文");
    Fit_Text(p, 1000, 600, x, y, text, 2, 7, size);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 0); // an unknown code leaves the offset
}

TEST(FitText, LineBreaksAndShrinking)
{
    RecordingSurface p;
    p.setFont(QStringLiteral("f"), 10, false);
    int x = 0, y = 0;
    double size = 0;
    // An input CR LF starts a new line; a lone CR is dropped.
    QString text = QStringLiteral("甲\r\n乙\r丙");
    EXPECT_EQ(Fit_Text(p, 2000, 2000, x, y, text, 0, 0, size), 2);
    EXPECT_EQ(text, QStringLiteral("甲\r\n乙丙\r"));

    // Four characters in a box two wide and one line high: the font shrinks in half
    // points until all four fit on one line.
    text = QStringLiteral("一二三四");
    EXPECT_EQ(Fit_Text(p, 400, 200, x, y, text, 0, 0, size), 1);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(p.fontSize(), 5);
}

TEST(FitText, ShrinksDownToHalfAPointAndAlwaysEnds)
{
    RecordingSurface p;
    p.setFont(QStringLiteral("f"), 9, false);
    int x = 0, y = 0;
    double size = 0;
    // A box 15 twips high: a line is 20 high at 1 point and fits at 0.5.
    QString text = QStringLiteral("甲乙");
    Fit_Text(p, 1000, 15, x, y, text, 0, 0, size);
    EXPECT_EQ(size, 0.5);
    EXPECT_EQ(p.fontSize(), 0.5);

    // A box too low for any line: the text prints as wrapped at 0.5, at 1 point.
    p.setFontSize(9);
    text = QStringLiteral("甲乙");
    Fit_Text(p, 1000, 5, x, y, text, 0, 0, size);
    EXPECT_EQ(size, 1);
    EXPECT_EQ(text, QStringLiteral("甲乙\r"));

    // A character wider than the box at every size stands on a line of its own.
    p.setFontSize(9);
    text = QStringLiteral("甲乙");
    EXPECT_EQ(Fit_Text(p, 5, 1000, x, y, text, 0, 0, size), 2);
    EXPECT_EQ(size, 0.5);
    EXPECT_EQ(text, QStringLiteral("甲\r乙\r"));

    // A blank wider than the box is placed as well, without a shrink.
    p.setFontSize(9);
    text = QStringLiteral(" ");
    EXPECT_EQ(Fit_Text(p, 10, 1000, x, y, text, 0, 0, size), 1);
    EXPECT_EQ(size, 9);
}

TEST(FitText, StripBlanks)
{
    EXPECT_EQ(Strip_Blanks(QStringLiteral(" 1 2\t3")), QStringLiteral("123"));
    EXPECT_EQ(Strip_Blanks(QStringLiteral(" \t ")), QString());
}

TEST(FitText, BoxedCharacters)
{
    RecordingSurface p;
    FormControl box;
    box.kind = FormControl::Kind::TextBox;
    box.left = 1000, box.top = 500, box.width = 2600, box.height = 300;
    box.tag = QStringLiteral("T13");
    ASSERT_TRUE(Print_Boxed_Text(p, box, QStringLiteral("4510104082001"), 0));
    EXPECT_EQ(p.boxes().size(), 13);
    EXPECT_EQ(p.texts().size(), 13);
    const int w = 2600 * 1.2 / 13; // 240, below the height 450: the row moves down by (450 - 240) / 2
    EXPECT_EQ(p.boxes()[1].x, To_Printer_X(1000) + w);
    EXPECT_EQ(p.boxes()[0].y, To_Printer_Y(500) + 105);
    EXPECT_EQ(p.texts()[12].text, QStringLiteral("1"));
    EXPECT_EQ(p.texts()[12].x, To_Printer_X(1000) + 12 * w + (w - 90) / 2);

    p.ops.clear();
    box.tag = QStringLiteral("T");
    EXPECT_FALSE(Print_Boxed_Text(p, box, QStringLiteral("4510104082001"), 0));
    EXPECT_TRUE(p.ops.isEmpty());
    EXPECT_EQ(Boxed_Text_Message(), QStringLiteral("出现异常错误：方格个数为0"));
}

// The printer keeps the metrics of each face, size and weight it has measured in;
// going back to a font measures as that font, and a character alone as in a line.
TEST(FitText, PrinterMeasuresInTheFontSetLast)
{
    QImage page(100, 100, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622); // 600 dpi
    page.setDotsPerMeterY(23622);
    PainterSurface p(page);
    const QString serif = QStringLiteral("Noto Serif CJK SC"), sans = QStringLiteral("Noto Sans CJK SC");
    const struct
    {
        QString family;
        double size;
        bool bold;
    } fonts[] = {{serif, 9, false}, {serif, 8.5, false}, {serif, 9, true}, {sans, 9, false},
                 {serif, 9, false}, {sans, 12, true},    {serif, 8.5, false}};
    for (const auto& f : fonts) {
        p.setFont(f.family, 20, false);
        p.setFontSize(f.size);
        p.setFont(f.family, f.size, f.bold);
        PainterSurface fresh(page); // that font alone
        fresh.setFont(f.family, f.size, f.bold);
        for (const QString& text :
             {QStringLiteral("W"), QStringLiteral("中"), QStringLiteral("TFe 30 % 压覆")})
            EXPECT_DOUBLE_EQ(p.textWidth(text), fresh.textWidth(text))
                << text.toStdString() << " in " << f.family.toStdString() << " " << f.size
                << (f.bold ? " bold" : "");
    }
}
