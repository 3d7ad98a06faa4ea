#include "support/ProgramFolder.h"

#include "registration/form/FieldRegistry.h"
#include "registration/form/FormLayout.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

using Array = FormControl::Array;
using Kind = FormControl::Kind;
using Part = FieldRegistry::Part;

struct Expected
{
    int index;
    const char16_t* column;
    int maxLength; // 0: none set
    bool multiLine;
};

// The bound boxes as the registration form binds them.
const QList<Expected> Kn1 = {
    {0, u"登记号", 13, false},    {1, u"填表人", 10, false},    {2, u"填表负责人", 10, false},
    {3, u"填表日期", 4, false},   {4, u"填表日期", 2, false},   {5, u"填表日期", 2, false},
    {6, u"填报单位", 50, false},  {7, u"核实意见", 100, true},  {8, u"核实负责人", 10, false},
    {9, u"核实单位", 50, false},  {10, u"核实日期", 4, false},  {11, u"核实日期", 2, false},
    {12, u"核实日期", 2, false},  {13, u"初审意见", 100, true}, {14, u"初审负责人", 10, false},
    {15, u"初审单位", 50, false}, {16, u"初审日期", 4, false},  {17, u"初审日期", 2, false},
    {18, u"初审日期", 2, false},  {19, u"审定意见", 100, true}, {20, u"审定负责人", 10, false},
    {21, u"审定单位", 50, false}, {22, u"审定日期", 4, false},  {23, u"审定日期", 2, false},
    {24, u"审定日期", 2, false},
};
const QList<Expected> Kn2 = {
    {0, u"建设单位", 50, false},     {1, u"行政区代码", 6, false},     {2, u"建设单位", 50, true},
    {3, u"通讯地址", 50, true},      {4, u"邮政编码", 6, false},       {5, u"电话号码", 4, false},
    {6, u"电话号码", 8, false},      {7, u"电子邮箱", 30, false},      {8, u"建设项目名称", 50, true},
    {9, u"建设项目类别", 0, false},  {10, u"批准单位", 50, true},      {11, u"批准文号", 50, false},
    {12, u"批准日期", 4, false},     {13, u"批准日期", 2, false},      {14, u"批准日期", 2, false},
    {15, u"矿区名称", 50, true},     {16, u"矿区编号", 9, false},      {17, u"所属矿山编号", 3, false},
    {18, u"原登记号", 13, false},    {19, u"压覆性质", 0, false},      {20, u"利用现状", 0, false},
    {21, u"中心点Y坐标", 11, false}, {22, u"中心点X坐标", 11, false},  {23, u"县城名", 22, false},
    {24, u"方位", 9, false},         {25, u"至县直距", 4, false},      {26, u"矿业权人", 50, true},
    {27, u"许可证号", 23, false},    {28, u"矿业权人意见", 100, true}, {29, u"主管部门名称", 50, true},
    {30, u"地矿文号", 50, false},    {31, u"文号日期", 4, false},      {32, u"文号日期", 2, false},
    {33, u"文号日期", 2, false},     {34, u"主管部门意见", 100, true}, {35, u"截止日期", 4, false},
    {36, u"截止日期", 2, false},     {37, u"截止日期", 2, false},      {38, u"备注", 255, true},
};
const QList<Expected> Kn3 = {
    {0, u"报告名称", 50, true},     {1, u"勘查单位", 50, false},    {2, u"报告提交日期", 4, false},
    {3, u"报告提交日期", 2, false}, {4, u"报告提交日期", 2, false}, {5, u"汇交证书号", 20, false},
    {6, u"评审机构", 50, false},    {7, u"评审日期", 4, false},     {8, u"评审日期", 2, false},
    {9, u"评审日期", 2, false},     {10, u"评审文号", 50, false},   {11, u"评审结论", 100, true},
    {12, u"评估师", 50, false},     {13, u"备案机关", 50, false},   {14, u"备案日期", 4, false},
    {15, u"备案日期", 2, false},    {16, u"备案日期", 2, false},    {17, u"备案文号", 50, false},
};
const QList<Expected> Kn6 = {
    {0, u"矿权面积", 5, false}, {1, u"矿权最低标高", 8, false}, {2, u"矿权最高标高", 8, false},
    {3, u"计算面积", 5, false}, {4, u"计算最低标高", 8, false}, {5, u"计算最高标高", 8, false},
};

QList<Expected> expectedOf(Array a)
{
    switch (a) {
    case Array::Kn1Data:
        return Kn1;
    case Array::Kn2Data:
        return Kn2;
    case Array::Kn3Data:
        return Kn3;
    case Array::Kn6Data:
        return Kn6;
    case Array::None:
        break;
    }
    return {};
}

// The page a box stands on.
int pageOfBox(Array a, int index)
{
    switch (a) {
    case Array::Kn1Data:
        return index <= 6 ? 0 : 3;
    case Array::Kn2Data:
        return index <= 1 ? 0 : index >= 35 ? 3 : 1;
    case Array::Kn3Data:
        return 1;
    case Array::Kn6Data:
        return 2;
    case Array::None:
        break;
    }
    return -1;
}

class FormLayoutTest : public ProgramFolder
{
protected:
    // Column names of a table of the template.
    QStringList templateColumns(const QString& table)
    {
        QStringList out;
        const QString name = QStringLiteral("layout-template");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path(QStringLiteral("djk.sys")));
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)));
            while (q.next())
                out.append(q.value(1).toString());
        }
        QSqlDatabase::removeDatabase(name);
        return out;
    }
};

TEST_F(FormLayoutTest, EveryBoundBoxAsTheFormBindsIt)
{
    int total = 0;
    for (const Array a : FieldRegistry::arrays()) {
        const QList<Expected> expected = expectedOf(a);
        const QString table = FieldRegistry::tableOf(a);
        const QStringList columns = templateColumns(table);
        ASSERT_FALSE(columns.isEmpty()) << table.toStdString();
        ASSERT_EQ(FieldRegistry::count(a), expected.size()) << FieldRegistry::arrayName(a).toStdString();
        for (const Expected& e : expected) {
            SCOPED_TRACE(
                QStringLiteral("%1(%2)").arg(FieldRegistry::arrayName(a)).arg(e.index).toStdString());
            const FormControl* c = FieldRegistry::control(a, e.index);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->kind, Kind::TextBox);
            EXPECT_EQ(c->column, QString::fromUtf16(e.column));
            EXPECT_TRUE(columns.contains(c->column)) << "not a column of " << table.toStdString();
            EXPECT_EQ(c->maxLength, e.maxLength);
            EXPECT_EQ(c->multiLine, e.multiLine);
            EXPECT_EQ(c->page, pageOfBox(a, e.index));
            ++total;
        }
    }
    EXPECT_EQ(total, 88);

    // Three boxes are filled by other controls; 19 and 20 are never shown.
    EXPECT_FALSE(FieldRegistry::control(Array::Kn2Data, 19)->visible);
    EXPECT_FALSE(FieldRegistry::control(Array::Kn2Data, 20)->visible);
    int shown = 0;
    for (const FormControl& c : FormLayout::controls()) {
        if (c.isFieldBox() && c.visible) ++shown;
    }
    EXPECT_EQ(shown, 85);
}

TEST_F(FormLayoutTest, RegistryFindsTheBoxesOfAColumn)
{
    using Box = FieldRegistry::Box;
    EXPECT_EQ(FieldRegistry::boxes(QStringLiteral("压覆"), QStringLiteral("电话号码")),
              (QList<Box>{{Array::Kn2Data, 5, Part::AreaCode}, {Array::Kn2Data, 6, Part::Number}}));
    EXPECT_EQ(FieldRegistry::boxes(QStringLiteral("压覆"), QStringLiteral("建设单位")),
              (QList<Box>{{Array::Kn2Data, 0, Part::Whole}, {Array::Kn2Data, 2, Part::Whole}}));
    EXPECT_EQ(FieldRegistry::boxes(QStringLiteral("登记"), QStringLiteral("登记号")),
              (QList<Box>{{Array::Kn1Data, 0, Part::Whole}}));
    EXPECT_TRUE(FieldRegistry::boxes(QStringLiteral("登记"), QStringLiteral("建设单位")).isEmpty());
    EXPECT_TRUE(FieldRegistry::boxes(QStringLiteral("质量"), QStringLiteral("登记号")).isEmpty());

    const QList<std::pair<QString, QString>> dates = {
        {QStringLiteral("登记"), QStringLiteral("填表日期")},
        {QStringLiteral("登记"), QStringLiteral("核实日期")},
        {QStringLiteral("登记"), QStringLiteral("初审日期")},
        {QStringLiteral("登记"), QStringLiteral("审定日期")},
        {QStringLiteral("压覆"), QStringLiteral("批准日期")},
        {QStringLiteral("压覆"), QStringLiteral("文号日期")},
        {QStringLiteral("压覆"), QStringLiteral("截止日期")},
        {QStringLiteral("报告"), QStringLiteral("报告提交日期")},
        {QStringLiteral("报告"), QStringLiteral("评审日期")},
        {QStringLiteral("报告"), QStringLiteral("备案日期")},
    };
    int dateColumns = 0;
    for (const Array a : FieldRegistry::arrays()) {
        const QString table = FieldRegistry::tableOf(a);
        for (const QString& column : FieldRegistry::columns(table)) {
            if (FieldRegistry::isDateColumn(table, column)) ++dateColumns;
        }
    }
    EXPECT_EQ(dateColumns, dates.size());
    for (const auto& [table, column] : dates) {
        SCOPED_TRACE(column.toStdString());
        const QList<Box> b = FieldRegistry::boxes(table, column);
        ASSERT_EQ(b.size(), 3);
        EXPECT_TRUE(FieldRegistry::isDateColumn(table, column));
        EXPECT_EQ(b[1].index, b[0].index + 1);
        EXPECT_EQ(b[2].index, b[0].index + 2);
        EXPECT_EQ(b[0].part, Part::Year);
        EXPECT_EQ(b[1].part, Part::Month);
        EXPECT_EQ(b[2].part, Part::Day);
        EXPECT_EQ(FieldRegistry::maxLength(b[0].array, b[0].index), 4);
    }
    EXPECT_EQ(FieldRegistry::columns(QStringLiteral("坐标")).size(), 6);
    EXPECT_EQ(FieldRegistry::arrayOf(QStringLiteral("报告")), Array::Kn3Data);
    EXPECT_EQ(FieldRegistry::arrayOf(QStringLiteral("资源储量")), Array::None);
}

TEST(FormLayout, ControlsAreUniqueAndArraysHaveNoGaps)
{
    QSet<QString> seen;
    QHash<QString, QList<int>> arrays;
    for (const FormControl& c : FormLayout::controls()) {
        const QString key = QStringLiteral("%1/%2").arg(c.name).arg(c.index);
        EXPECT_FALSE(seen.contains(key)) << key.toStdString();
        seen.insert(key);
        if (c.index >= 0) arrays[c.name].append(c.index);
    }
    for (auto it = arrays.begin(); it != arrays.end(); ++it) {
        QList<int> indexes = it.value();
        std::sort(indexes.begin(), indexes.end());
        for (int i = 0; i < indexes.size(); ++i)
            EXPECT_EQ(indexes[i], i) << it.key().toStdString();
    }
    EXPECT_EQ(FormLayout::count(QStringLiteral("Check1")), 2);
    EXPECT_EQ(FormLayout::count(QStringLiteral("Area_Flex")), 2);
    EXPECT_EQ(FormLayout::count(QStringLiteral("Combo5")), 1);
}

TEST(FormLayout, EveryControlLiesOnItsPage)
{
    for (int page = 0; page < FormLayout::PageCount; ++page) {
        for (const FormControl* c : FormLayout::pageControls(page)) {
            QRect r(c->left, c->top, c->width, c->height);
            if (c->container == FormLayout::FrameContainer) {
                const FormControl* frame = FormLayout::find(FormLayout::FrameContainer);
                ASSERT_NE(frame, nullptr);
                EXPECT_EQ(frame->page, page);
                EXPECT_LE(c->right(), frame->width) << c->name.toStdString();
                EXPECT_LE(c->bottom(), frame->height) << c->name.toStdString();
                r.translate(frame->left, frame->top);
            }
            SCOPED_TRACE(
                QStringLiteral("%1(%2) on page %3").arg(c->name).arg(c->index).arg(page).toStdString());
            EXPECT_GE(r.left(), 0);
            EXPECT_GE(r.top(), 0);
            EXPECT_LE(r.left() + r.width(), FormLayout::PageWidth);
            EXPECT_LE(r.top() + r.height(), FormLayout::PageHeight);
            if (c->kind != Kind::Line) {
                EXPECT_GT(c->width, 0);
                EXPECT_GT(c->height, 0);
            }
            if (c->kind == Kind::Label) {
                EXPECT_FALSE(c->caption.isEmpty());
            }
        }
    }
}

TEST(FormLayout, FieldBoxesOfAPageDoNotOverlap)
{
    for (int page = 0; page < FormLayout::PageCount; ++page) {
        QList<QPair<QRect, QString>> placed;
        for (const FormControl* c : FormLayout::pageControls(page)) {
            const bool input = c->kind == Kind::TextBox || c->kind == Kind::ComboBox ||
                               c->kind == Kind::CheckBox || c->kind == Kind::Grid || c->kind == Kind::Button;
            if (!input || !c->visible) continue;
            QRect r(c->left, c->top, c->width, c->height);
            if (c->container == FormLayout::FrameContainer) {
                const FormControl* frame = FormLayout::find(FormLayout::FrameContainer);
                r.translate(frame->left, frame->top);
            }
            const QString name = QStringLiteral("%1(%2)").arg(c->name).arg(c->index);
            for (const auto& [other, otherName] : placed) {
                // The body of the reserve table tucks 20 twips under the header's bottom line.
                if (name.startsWith(QLatin1String("TBFLEX")) && otherName.startsWith(QLatin1String("THFLEX")))
                    continue;
                EXPECT_FALSE(r.intersects(other))
                    << name.toStdString() << " overlaps " << otherName.toStdString();
            }
            placed.append({r, name});
        }
    }
}

TEST(FormLayout, PagesHoldTheirParts)
{
    const FormControl* title = FormLayout::find(QStringLiteral("KnTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->page, 0);
    EXPECT_EQ(title->caption, QStringLiteral("压覆矿产资源储量登记书"));
    EXPECT_EQ(title->fontName, FormFonts::HeiTi);

    const QList<std::pair<QString, int>> placed = {
        {QStringLiteral("Command7"), 0}, {QStringLiteral("TreeView2"), 0}, {QStringLiteral("Frame2"), 1},
        {QStringLiteral("Command2"), 3}, {QStringLiteral("THFLEX"), 3},    {QStringLiteral("TBFLEX"), 3},
        {QStringLiteral("AreaMap"), 2},
    };
    for (const auto& [name, page] : placed) {
        const FormControl* c = FormLayout::find(name);
        ASSERT_NE(c, nullptr) << name.toStdString();
        EXPECT_EQ(c->page, page) << name.toStdString();
    }
    EXPECT_EQ(FormLayout::find(QStringLiteral("Command7"))->caption, QStringLiteral("..."));
    EXPECT_EQ(FormLayout::find(QStringLiteral("Command2"))->caption, QStringLiteral("编辑"));
    EXPECT_FALSE(FormLayout::find(QStringLiteral("TreeView2"))->visible);
    EXPECT_EQ(FormLayout::find(QStringLiteral("Combo5"), 0)->page, 1);
    EXPECT_EQ(FormLayout::find(QStringLiteral("Combo5"), 0)->column, QStringLiteral("建设项目类别"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(FormLayout::find(QStringLiteral("Area_Flex"), i)->page, 2);
        EXPECT_EQ(FormLayout::find(QStringLiteral("Check1"), i)->caption, QStringLiteral("经纬度坐标"));
        EXPECT_EQ(FormLayout::find(QStringLiteral("Check1"), i)->tag, QStringLiteral("N"));
    }

    // The tick pairs stand in Frame2, element 0 before element 1.
    const QStringList captions11 = {QStringLiteral("部分压覆"), QStringLiteral("全部压覆")};
    const QStringList captions12 = {QStringLiteral("未利用"), QStringLiteral("已利用")};
    for (int i = 0; i < 2; ++i) {
        const FormControl* a = FormLayout::find(QStringLiteral("Check11"), i);
        const FormControl* b = FormLayout::find(QStringLiteral("Check12"), i);
        EXPECT_EQ(a->container, FormLayout::FrameContainer);
        EXPECT_EQ(a->caption, captions11[i]);
        EXPECT_EQ(a->column, QStringLiteral("压覆性质"));
        EXPECT_EQ(b->caption, captions12[i]);
        EXPECT_EQ(b->column, QStringLiteral("利用现状"));
    }

    // The sketch map's rectangle, as the map routine reads it from the window.
    EXPECT_EQ(FormLayout::mapRectText(), QStringLiteral("(362,3160)-(7843,8036)"));
    const FormControl* map = FormLayout::find(QStringLiteral("AreaMap"));
    EXPECT_EQ(QRect(map->left, map->top, map->width, map->height), FormLayout::mapRect());
    // Nothing but the page's caption of the map stands inside the map's rectangle.
    for (const FormControl* c : FormLayout::pageControls(2)) {
        if (c->kind == Kind::MapArea || c->kind == Kind::Line || c->kind == Kind::Shape ||
            c->kind == Kind::Label)
            continue;
        EXPECT_FALSE(QRect(c->left, c->top, c->width, c->height).intersects(FormLayout::mapRect()))
            << c->name.toStdString();
    }
}

TEST(FormLayout, ReserveTableStandsUnderTheReviewFrame)
{
    const FormControl* shape = FormLayout::find(QStringLiteral("Shape1"), 0);
    const FormControl* header = FormLayout::find(QStringLiteral("THFLEX"));
    const FormControl* body = FormLayout::find(QStringLiteral("TBFLEX"));
    ASSERT_TRUE(shape && header && body);
    EXPECT_EQ(shape->page, 3);
    EXPECT_EQ(header->left, shape->left);
    EXPECT_EQ(body->left, header->left);
    EXPECT_EQ(header->width, 7768);
    EXPECT_EQ(header->height, 794);
    EXPECT_EQ(body->top, header->top + header->height - 20);
    EXPECT_GE(header->top, shape->bottom());
    // Every opinion and signature of the review page lies above the table.
    for (const FormControl* c : FormLayout::pageControls(3)) {
        if (c->isFieldBox()) {
            EXPECT_LT(c->bottom(), header->top) << c->index;
        }
    }
}

TEST(FormLayout, ContinuationSheetTemplate)
{
    const QList<const FormControl*> t = FormLayout::templateControls();
    QStringList names;
    for (const FormControl* c : t) {
        names.append(QStringLiteral("%1(%2)").arg(c->name).arg(c->index));
        EXPECT_EQ(c->page, -1);
        EXPECT_EQ(c->container, FormLayout::TemplateContainer);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("ComLAB(0)"), QStringLiteral("ComLAB(1)"),
                                  QStringLiteral("ComLAB(2)"), QStringLiteral("ComLine(-1)"),
                                  QStringLiteral("ComShape(-1)")}));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(FormLayout::find(QStringLiteral("ComLAB"), i)->caption.isEmpty());
    // The lists of a continuation sheet are printed where the grids stand on page 2;
    // its captions stand where the page's captions stand.
    EXPECT_EQ(FormLayout::find(QStringLiteral("ComLAB"), 1)->top, 150);
}

TEST(FormLayout, PrintOptionsUseOnlyTheFormsLetters)
{
    for (const FormControl& c : FormLayout::controls()) {
        for (const QString& item : c.tag.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            EXPECT_TRUE(item == QLatin1String("N") || item == QLatin1String("X") ||
                        item == QLatin1String("F"))
                << c.name.toStdString() << ": " << c.tag.toStdString();
        }
        EXPECT_TRUE(c.fontName == FormFonts::SongTi || c.fontName == FormFonts::HeiTi)
            << c.name.toStdString();
    }
    // The cover's boxes stand on lines.
    for (int i : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_EQ(FieldRegistry::control(Array::Kn1Data, i)->tag, QStringLiteral("X"));
}

} // namespace
