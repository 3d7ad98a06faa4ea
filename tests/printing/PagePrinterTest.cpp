#include "PrintFixture.h"

#include "printing/Module_PrintTable_Page.h"
#include "printing/PrintRun.h"
#include "printing/PrintedForm.h"
#include "printing/RecordingSurface.h"

#include "coords/PrintTransform.h"
#include "platform/ColumnCatalog.h"
#include "platform/PrinterService.h"
#include "registration/coordgrid/CoordGridModel.h"
#include "registration/form/FieldRegistry.h"
#include "registration/form/FormFonts.h"
#include "registration/form/FormLayout.h"
#include "registration/record/RegistrationSnapshot.h"
#include "support/SampleRegistrations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <tuple>

using namespace Module_PrintTable;
using Op = RecordingSurface::Op;
using Array = FormControl::Array;

TEST(PrintOptions, OnlyTheFirstItemCarriesANumber)
{
    const PrintOptions a = Read_Print_Options(QStringLiteral("V120,X"));
    EXPECT_EQ(a.V, 120);
    EXPECT_TRUE(a.X);
    const PrintOptions b = Read_Print_Options(QStringLiteral("X,V120"));
    EXPECT_EQ(b.V, 0);
    EXPECT_TRUE(b.X);
    const PrintOptions c = Read_Print_Options(QStringLiteral("h-30,n,q,t,y,m,f"));
    EXPECT_EQ(c.H, -30);
    EXPECT_TRUE(c.N && c.T && c.Y && c.M && c.F);
}

TEST(PrintOptions, SpreadText)
{
    RecordingSurface p; // 9 pt: "中" 180 twips
    FormControl label;
    label.left = 1000, label.top = 500, label.width = 1000, label.height = 300;
    // Four characters with a blank: spread over the 1200 printed twips, the first at the left edge.
    Print_Spread_Text(p, label, QStringLiteral("建设 单位"));
    ASSERT_EQ(p.texts().size(), 4);
    const int left = To_Printer_X(1000);
    EXPECT_EQ(p.texts()[0].x, left);
    EXPECT_EQ(p.texts()[3].x, left + 3 * 340); // step 180 + (1200 - 720) / 3
    EXPECT_EQ(p.texts()[3].x2, left + 1200);
    EXPECT_EQ(p.texts()[0].y, To_Printer_Y(500) + (450 - 180) / 2);
    // One character: at the left edge, no division by zero.
    p.ops.clear();
    Print_Spread_Text(p, label, QStringLiteral(" 甲 "));
    ASSERT_EQ(p.texts().size(), 1);
    EXPECT_EQ(p.texts()[0].x, left);
}

namespace {
// A row of the coordinate list as printed: columns 1 to 5 five blanks apart.
QString listRow(int n)
{
    return QStringList{QString::number(n), QStringLiteral("X%1").arg(n), {}, {}, {}}.join(
        QStringLiteral("     "));
}
} // namespace

class PagePrinter : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        m_state.PrinterCount = 1;
    }

    // A registration of the sample generator, as the entry window would load it.
    PrintedForm sample()
    {
        Db::Error e;
        EXPECT_TRUE(SampleRegistrations::fill(db(), {3, 5}, &e)) << e.description.toStdString();
        QSqlQuery q(db());
        q.exec(QStringLiteral("SELECT 登记号 FROM 登记 ORDER BY 登记号 LIMIT 1"));
        q.next();
        Result<PrintedForm> f = PrintedForm::load(db(), q.value(0).toString());
        EXPECT_TRUE(f.ok());
        return f.valueOr({});
    }

    // A grid of `rows` corners.
    static void fillGrid(PrintedForm& form, int index, int rows)
    {
        auto grid = std::make_shared<CoordGridModel>();
        grid->setRows(rows + 2);
        for (int r = 1; r <= rows; ++r) {
            grid->setTextMatrix(r, 1, QString::number(r));
            grid->setTextMatrix(r, 2, QStringLiteral("X%1").arg(r));
        }
        form.ownedGrids[index] = grid;
        form.values.grids[index] = grid.get();
    }

    void printPage(const PrintedForm& form, int page, bool printDjh = true)
    {
        static const QString frames[4] = {QString(), FormLayout::FrameContainer, QString(), QString()};
        Print_Page(p, form, db(), page, frames[page], page == 2, printDjh, report);
    }

    RecordingSurface p;
    PrintReport report;
};

TEST_F(PagePrinter, EveryValueOfTheFormIsPrinted)
{
    const PrintedForm form = sample();
    for (int page = 0; page < 4; ++page)
        printPage(form, page);
    EXPECT_TRUE(report.errors.isEmpty());
    // The texts of all sheets in drawing order: a wrapped value prints line after line.
    QString all;
    for (const Op& op : p.texts())
        all += op.text;
    int checked = 0;
    for (const Array a : FieldRegistry::arrays()) {
        for (int i = 0; i < FieldRegistry::count(a); ++i) {
            const FormControl* c = FieldRegistry::control(a, i);
            const QString text = form.values.text(a, i);
            if (!c->visible || text.isEmpty() || Read_Print_Options(c->tag).N) continue;
            EXPECT_TRUE(all.contains(text)) << c->column.toStdString() << ": " << text.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
    EXPECT_TRUE(all.contains(form.category));
    // Cover without a number; the others numbered 2, 3 and 4.
    EXPECT_EQ(p.documentCount(), 4);
    QStringList numbers;
    for (const Op& op : p.texts()) {
        if (op.x == PageNoX && op.y == PageNoY) numbers << QString::number(op.sheet) + u':' + op.text;
    }
    ASSERT_GE(numbers.size(), 3);
    EXPECT_EQ(numbers.mid(0, 2), (QStringList{"1:2", "2:3"})); // then the coordinate lists' "3-"n
    EXPECT_EQ(
        std::count_if(numbers.begin(), numbers.end(), [](const QString& n) { return n.endsWith(u":4"); }), 1)
        << numbers.join(u' ').toStdString();
}

// Every printed field filled to its column's full length stays clear of the lines
// around it: no text of a sheet crosses a line or a box edge drawn on that sheet.
TEST_F(PagePrinter, FieldsAtFullLengthCrossNoLine)
{
    PrintedForm form;
    form.djh = Djh;
    for (const Array a : FieldRegistry::arrays()) {
        for (int i = 0; i < FieldRegistry::count(a); ++i) {
            const FormControl* c = FieldRegistry::control(a, i);
            const int length = FieldRegistry::maxLength(a, i);
            if (!c->visible || length == 0) continue;
            // Figures where the box or its column takes a number, else the widest
            // characters.
            const PrintOptions o = Read_Print_Options(c->tag);
            const bool number =
                o.Y || o.M || FieldRegistry::partOf(a, i) != FieldRegistry::Part::Whole ||
                Db::columnTypeCode(db(), FieldRegistry::tableOf(a), c->column) != Db::TypeVarWChar;
            form.values.setText(a, i, QString(length, number ? u'9' : u'压'));
        }
    }
    // The category as long as its column in the template.
    int categoryLength = 0;
    for (const Db::Column& c : Db::columns(db(), QStringLiteral("压覆"))) {
        if (c.name == QStringLiteral("建设项目类别"))
            categoryLength =
                QRegularExpression(QStringLiteral("\\((\\d+)\\)")).match(c.declaredType).captured(1).toInt();
    }
    ASSERT_GT(categoryLength, 0);
    form.category = QString(categoryLength, u'压');
    // And a row of the table of the table page: its texts as long as their columns,
    // its figures (which have no length) of eight whole places.
    const double figure = 99999999.99;
    addQuality(21001, "20101", "1", QString(50, u'压'), figure, QString(20, u'压'), false, 1);
    exec(QStringLiteral(
             "INSERT INTO 资源储量 (登记号, 矿产代码, 统计对象, 矿石类型, 矿石品级, 储量类型, 金属量1, "
             "矿石量1, 资源量类型, 矿石量3, 矿产组合, 显示序号) VALUES (?, 21001, 0, 20101, 1, '1111', "
             "?, ?, '3333', ?, ?, 1)"),
         {Djh, figure, figure, figure, QString(50, u'压')});
    for (int page = 0; page < 4; ++page)
        printPage(form, page);
    ASSERT_GE(p.sheetCount(), 4);
    ASSERT_TRUE(p.joinedTexts().contains(QStringLiteral("99999999"))) << "no row in the table";

    // Lines and box edges as (x1, y1, x2, y2), each upright or level.
    QList<Op> lines = p.lines();
    for (const Op& b : p.boxes()) {
        for (const auto& [x1, y1, x2, y2] :
             {std::tuple{b.x, b.y, b.x2, b.y}, std::tuple{b.x, b.y2, b.x2, b.y2},
              std::tuple{b.x, b.y, b.x, b.y2}, std::tuple{b.x2, b.y, b.x2, b.y2}}) {
            Op edge = b;
            edge.x = x1, edge.y = y1, edge.x2 = x2, edge.y2 = y2;
            lines.append(edge);
        }
    }
    const auto inside = [](double v, double a, double b) { return v > std::min(a, b) && v < std::max(a, b); };
    const auto overlap = [](double a1, double a2, double b1, double b2) {
        return std::max(a1, a2) > std::min(b1, b2) && std::min(a1, a2) < std::max(b1, b2);
    };
    QStringList crossed;
    for (const Op& t : p.texts()) {
        if (t.text.isEmpty()) continue;
        for (const Op& l : lines) {
            if (l.sheet != t.sheet) continue;
            const bool level = l.y == l.y2, upright = l.x == l.x2;
            if ((level && inside(l.y, t.y, t.y2) && overlap(l.x, l.x2, t.x, t.x2)) ||
                (upright && inside(l.x, t.x, t.x2) && overlap(l.y, l.y2, t.y, t.y2)))
                crossed << QStringLiteral("sheet %1: \"%2\" (%3,%4)-(%5,%6) by the line (%7,%8)-(%9,%10)")
                               .arg(t.sheet)
                               .arg(t.text)
                               .arg(t.x)
                               .arg(t.y)
                               .arg(t.x2)
                               .arg(t.y2)
                               .arg(l.x)
                               .arg(l.y)
                               .arg(l.x2)
                               .arg(l.y2);
        }
    }
    EXPECT_TRUE(crossed.isEmpty()) << crossed.join(u'\n').toStdString();
}

TEST_F(PagePrinter, RegistrationNumberOnlyWhenChosen)
{
    PrintedForm form;
    form.values.setText(Array::Kn1Data, 0, Djh);
    printPage(form, 0, false);
    EXPECT_FALSE(p.findText(Djh));
    const int ruled = int(p.lines().size());
    EXPECT_GT(ruled, 8); // frames and the number's bottom line still print
    p.ops.clear();
    printPage(form, 0, true);
    const Op* number = p.findText(Djh);
    ASSERT_TRUE(number);
    EXPECT_EQ(int(p.lines().size()), ruled);
    EXPECT_FALSE(p.findText(QStringLiteral("1"))); // no page number on the cover
    // Text of a box tagged X stands on its bottom line.
    const FormControl* box = FieldRegistry::control(Array::Kn1Data, 0);
    EXPECT_NEAR(number->y2, To_Printer_Y(box->bottom()), number->size * 20);
}

TEST_F(PagePrinter, TickBoxes)
{
    PrintedForm form;
    form.setTick(QStringLiteral("Check11"), 1, 1);
    form.setTick(QStringLiteral("Check12"), 0, 2); // greyed: caption and empty square
    printPage(form, 1);
    EXPECT_EQ(p.countText(QStringLiteral("√")), 1);
    const Op* all = p.findText(QStringLiteral("全部压覆"));
    const Op* tick = p.findText(QStringLiteral("√"));
    ASSERT_TRUE(all && tick);
    EXPECT_EQ(tick->x, all->x2 + 50);
    EXPECT_TRUE(p.findText(QStringLiteral("未利用")));
    EXPECT_EQ(p.boxes().size(), 4);
    // The boxes of the frame print at the frame's place.
    const FormControl* frame = FormLayout::find(FormLayout::FrameContainer);
    EXPECT_EQ(all->y, To_Printer_Y(frame->top + FormLayout::find(QStringLiteral("Check11"), 1)->top));
}

TEST_F(PagePrinter, CoordinateListsAndContinuationSheets)
{
    PrintedForm form;
    fillGrid(form, 0, 8);
    fillGrid(form, 1, 2);
    printPage(form, 2);
    EXPECT_EQ(p.sheetCount(), 1);
    EXPECT_TRUE(std::any_of(p.ops.begin(), p.ops.end(), [](const Op& o) { return o.kind == Op::Kind::Map; }));
    EXPECT_TRUE(p.findText(listRow(8)));

    // Nine rows: all nine on the page and again on one continuation sheet "3-1".
    p = RecordingSurface();
    fillGrid(form, 0, 9);
    printPage(form, 2);
    EXPECT_EQ(p.sheetCount(), 2);
    EXPECT_EQ(p.countText(listRow(9), 0), 1);
    EXPECT_EQ(p.countText(listRow(1), 1), 2); // both grids
    EXPECT_TRUE(p.findText(QStringLiteral("3-1"), 1));
    EXPECT_TRUE(p.findText(QStringLiteral("压覆矿产资源储量登记书（拐点坐标续页）"), 1));

    // Forty rows: sheets "3-1" (rows 1 to 32) and "3-2" (rows 33 to 40), the first
    // row of a sheet in the place of row 1.
    p = RecordingSurface();
    fillGrid(form, 0, 40);
    printPage(form, 2);
    EXPECT_EQ(p.sheetCount(), 3);
    EXPECT_TRUE(p.findText(listRow(32), 1));
    const Op* r33 = p.findText(listRow(33), 2);
    ASSERT_TRUE(r33);
    EXPECT_EQ(r33->y, p.findText(listRow(1), 1)->y);
    EXPECT_TRUE(p.findText(QStringLiteral("3-2"), 2));

    // Sixty-four rows fill two sheets exactly: no third, empty one.
    p = RecordingSurface();
    fillGrid(form, 0, 64);
    printPage(form, 2);
    EXPECT_EQ(p.sheetCount(), 3);
    EXPECT_FALSE(p.findText(QStringLiteral("3-3")));
}

TEST_F(PagePrinter, TablePageEndsWithTheTable)
{
    PrintedForm form;
    form.djh = Djh;
    addQuality(21001, "20101", "1", "TFe", 30, "%", false, 101);
    printPage(form, 3);
    EXPECT_TRUE(p.findText(QStringLiteral("TFe 30 %")));
    EXPECT_TRUE(p.findText(QStringLiteral("4")));
    EXPECT_EQ(p.documentCount(), 1);
    EXPECT_EQ(p.ops.last().kind, Op::Kind::EndDocument);
}

TEST_F(PagePrinter, PrintEntryChecksPrinterAndPaper)
{
    PrintedForm form;
    fillGrid(form, 0, 3);
    // Cover and coordinate page: two documents, the map on the second.
    EXPECT_TRUE(Print_Registration_Form(p, PrinterService::pdfPrinterName(), form, db(),
                                        {true, false, true, false}, false, report));
    EXPECT_EQ(p.documentCount(), 2);
    EXPECT_EQ(
        std::find_if(p.ops.begin(), p.ops.end(), [](const Op& o) { return o.kind == Op::Kind::Map; })->sheet,
        1);

    // A4 landscape is refused, and so is a printer that is not there.
    RecordingSurface landscape;
    std::swap(landscape.paperW, landscape.paperH);
    PrintReport r;
    EXPECT_FALSE(Print_Registration_Form(landscape, PrinterService::pdfPrinterName(), form, db(),
                                         {true, true, true, true}, false, r));
    EXPECT_TRUE(landscape.ops.isEmpty());
    ASSERT_EQ(r.notices.size(), 1);
    EXPECT_EQ(r.notices[0], (PrintNotice{QStringLiteral("打印机页面设置不正确(应设置为A4[纵向]大小)..."),
                                         QStringLiteral("错误"), Prompt::Icon::Exclamation}));
    r = {};
    EXPECT_FALSE(Print_Registration_Form(p, QStringLiteral("no such printer"), form, db(),
                                         {true, true, true, true}, false, r));
    EXPECT_EQ(r.notices.value(0).text, QStringLiteral("当前设置的打印机不可用..."));
    // No printer counted: the page printer says so and prints nothing.
    m_state.PrinterCount = 0;
    RecordingSurface none;
    r = {};
    Print_Page(none, form, db(), 0, QString(), false, false, r);
    EXPECT_TRUE(none.ops.isEmpty());
    EXPECT_EQ(r.notices.value(0).text, QStringLiteral("未安装打印机！"));
}

TEST_F(PagePrinter, FormFromASnapshot)
{
    exec(QStringLiteral("INSERT INTO 登记 (登记号, 填表日期) VALUES (?, '2008年5月')"), {Djh});
    exec(QStringLiteral("INSERT INTO 压覆 (登记号, 压覆性质, 建设项目类别) VALUES (?, '全部压覆', ' 公路 ')"),
         {Djh});
    const Result<PrintedForm> f = PrintedForm::load(db(), Djh);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->tick(QStringLiteral("Check11"), 1), 1);
    EXPECT_EQ(f->tick(QStringLiteral("Check11"), 0), 0);
    EXPECT_EQ(f->category, QStringLiteral("公路"));
    EXPECT_EQ(f->values.text(Array::Kn1Data, 3), QStringLiteral("2008"));
    EXPECT_EQ(f->values.text(Array::Kn1Data, 4), QStringLiteral("5"));
    ASSERT_TRUE(f->values.grids[0]);
    EXPECT_EQ(f->values.grids[0]->rowCount(), 2); // headings and the entry row
    EXPECT_FALSE(PrintedForm::load(db(), QStringLiteral("4999999999999")).ok());
}

TEST_F(PagePrinter, FourPagesToAPdfFile)
{
    const PrintedForm form = sample();
    const QString dir = qEnvironmentVariable("ORVANE_PRINT_OUT", this->dir());
    const QString file = dir + QStringLiteral("/registration.pdf");
    QFile::remove(file);
    {
        PrintRun run({PrinterService::pdfPrinterName(), file});
        PrintSurface* surface = run.surface();
        ASSERT_TRUE(surface);
        EXPECT_TRUE(Print_Registration_Form(*surface, PrinterService::pdfPrinterName(), form, db(),
                                            {true, true, true, true}, true, report));
        EXPECT_TRUE(run.finish().ok());
    }
    EXPECT_TRUE(report.errors.isEmpty());
    EXPECT_GT(QFileInfo(file).size(), 10000);
    // No temporary file is left beside it.
    EXPECT_TRUE(QDir(dir).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty());
}

namespace {
// What a command prints, or nothing when it did not run.
QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}

// The text of the first `pages` of a PDF file as pdftotext reads it, line by line,
// without blanks.
QStringList pdfLines(const QString& file, int pages = 1)
{
    const QByteArray text =
        run(QStringLiteral("pdftotext"), QStringLiteral("-raw -l %1").arg(pages).split(' ')
                                             << file << QStringLiteral("-"));
    EXPECT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils) did not run";
    QStringList lines = QString::fromUtf8(text).remove(QLatin1Char(' ')).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

// The share of the ink of page 2 of a PDF file, at 150 dpi, that lies more than a
// pixel inside a stroke: a bold face's stems are that thick, a plain face's are not.
double thickShare(const QString& file)
{
    const QByteArray pgm =
        run(QStringLiteral("pdftoppm"), QStringLiteral("-gray -r 150 -f 2 -l 2").split(' ') << file);
    const QList<QByteArray> head = pgm.left(64).simplified().split(' '); // "P5 <width> <height> 255"
    const qsizetype w = head.value(1).toLongLong(), h = head.value(2).toLongLong();
    const auto dark = [&](qsizetype i) { return quint8(pgm[pgm.size() - w * h + i]) < 128; };
    qsizetype ink = 0, inside = 0;
    for (qsizetype i = w; i < w * (h - 1); ++i) {
        ink += dark(i);
        inside += dark(i) && dark(i - 1) && dark(i + 1) && dark(i - w) && dark(i + w);
    }
    return ink ? double(inside) / double(ink) : 0;
}

// Texts a clerk looks for in a printed form: letters and digits, ligatures a font
// would make, full-width signs and the ideographs that are also radicals.
const QStringList Sought =
    QStringLiteral("C1000000011450|HJ11450|office11450@example.cn|2M22|2S11|Al2O3 24.81 %|ffi|"
                   "～|／|页人石|K3+200～K5+800|压覆矿产资源储量登记书（拐点坐标续页）")
        .split(QLatin1Char('|'));
} // namespace

// Every text printed to PDF reads back as it was printed, in both faces of the form,
// plain and bold, and bold text is inked as bold.
TEST_F(PagePrinter, PdfTextReadsBackInEachFaceAndWeight)
{
    for (const QString& face : {FormFonts::SongTi, FormFonts::HeiTi}) {
        for (const bool bold : {false, true}) {
            const QString file = path(QStringLiteral("%1-%2.pdf").arg(face).arg(bold));
            {
                PrintRun run({PrinterService::pdfPrinterName(), file});
                PrintSurface* surface = run.surface();
                ASSERT_TRUE(surface);
                surface->beginDocument();
                surface->setFont(face, 12, bold);
                for (qsizetype i = 0; i < Sought.size(); ++i)
                    surface->printText(1000, 1000 + 600 * double(i), Sought[i]);
                // Those that Noto cannot print on a sheet of their own, for their weight.
                surface->newSheet();
                surface->printText(1000, 1000, QStringLiteral("页人石"));
                surface->endDocument();
                ASSERT_TRUE(run.finish().ok());
            }
            const QStringList read = pdfLines(file);
            for (qsizetype i = 0; i < Sought.size(); ++i)
                EXPECT_EQ(read.value(i), QString(Sought[i]).remove(QLatin1Char(' ')))
                    << face.toStdString() << (bold ? " bold" : "");
            const double thick = thickShare(file);
            EXPECT_EQ(thick > 0.15, bold) << face.toStdString() << (bold ? " bold" : "") << ": " << thick;
        }
    }
}

// A form printed to PDF reads back (pdftotext, a viewer's search or copy) as it was
// typed: 人, 山, 石 and the others that are also Kangxi radicals come back as
// themselves, in the values as in the captions, and so do numbers after letters.
TEST_F(PagePrinter, APdfFormReadsBackAsTyped)
{
    PrintedForm form = sample();
    const QString typed = QStringLiteral("石家庄市高面人工石料厂");
    const std::tuple<QString, QString, QString> values[] = {
        {QStringLiteral("压覆"), QStringLiteral("建设单位"), typed},
        {QStringLiteral("压覆"), QStringLiteral("许可证号"), Sought[0]},
        {QStringLiteral("报告"), QStringLiteral("汇交证书号"), Sought[1]},
        {QStringLiteral("压覆"), QStringLiteral("电子邮箱"), Sought[2]}};
    for (const auto& [table, column, text] : values)
        for (const FieldRegistry::Box& b : FieldRegistry::boxes(table, column))
            form.values.setText(b.array, b.index, text);
    fillGrid(form, 0, 9); // and a continuation sheet
    const QString file = path(QStringLiteral("registration.pdf"));
    {
        PrintRun run({PrinterService::pdfPrinterName(), file});
        ASSERT_TRUE(run.surface());
        ASSERT_TRUE(Print_Registration_Form(*run.surface(), PrinterService::pdfPrinterName(), form, db(),
                                            {true, true, true, true}, true, report));
        ASSERT_TRUE(run.finish().ok());
    }
    const QString read = pdfLines(file, 99).join(QString());
    for (const auto& [table, column, text] : values)
        EXPECT_TRUE(read.contains(text)) << text.toStdString() << " in " << read.toStdString();
    EXPECT_TRUE(read.contains(QStringLiteral("压覆矿产资源储量登记书"))); // the title, in 黑体
    EXPECT_TRUE(read.contains(Sought.last()));
    for (const QChar c : QStringLiteral("人子山工心文方日月止用目石示至行里面高"))
        EXPECT_TRUE(read.contains(c)) << QString(c).toStdString();
    // No radical (CJK Radicals Supplement, Kangxi Radicals) stands in for a character.
    QString radicals;
    for (const QChar c : read)
        if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF) radicals += c;
    EXPECT_TRUE(radicals.isEmpty()) << radicals.size() << " radicals: " << radicals.toStdString();
}

TEST_F(PagePrinter, ARunThatPrintsNothingWritesNoFile)
{
    const QString file = path(QStringLiteral("nothing.pdf"));
    {
        PrintRun run({PrinterService::pdfPrinterName(), file});
        ASSERT_TRUE(run.surface());
        EXPECT_TRUE(run.finish().ok());
    }
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(QDir(dir()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty());
}
