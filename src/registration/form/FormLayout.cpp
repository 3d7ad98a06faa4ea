#include "registration/form/FormLayout.h"

#include <QHash>

namespace {

using Kind = FormControl::Kind;
using Align = FormControl::Align;

// Horizontal and vertical insets of a box inside its ruled cell.
constexpr int InsetX = 30;
constexpr int InsetY = 15;

// Builds the table page by page. Arrays whose elements lie on several pages (labels,
// lines, shapes) are numbered across the pages in the order the elements are added.
class Builder
{
public:
    QList<FormControl> out;

    void onPage(int page, const QString& container = FormLayout::PageContainer)
    {
        m_page = page;
        m_container = container;
    }

    FormControl& add(Kind kind, const QString& name, int index, int l, int t, int w, int h)
    {
        FormControl c;
        c.kind = kind;
        c.name = name;
        c.index = index;
        c.container = m_container;
        c.page = m_page;
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
        c.fontName = FormFonts::SongTi;
        c.fontSize = m_fontSize;
        out.append(c);
        return out.last();
    }

    int next(const QString& array) { return m_next[array]++; }

    void setFontSize(double size) { m_fontSize = size; }

    // A caption of the form.
    FormControl& label(const QString& caption, int l, int t, int w, int h, Align align = Align::Center,
                       const QString& tag = {}, const QString& name = QStringLiteral("KnLAB"))
    {
        FormControl& c = add(Kind::Label, name, next(name), l, t, w, h);
        c.caption = caption;
        c.alignment = align;
        c.tag = tag;
        return c;
    }
    // A section caption standing upright in a narrow column.
    FormControl& section(const QString& caption, int l, int t, int w, int h)
    {
        return label(caption, l, t, w, h, Align::Center, {}, QStringLiteral("Kn1lab"));
    }

    // A field box of a bound array, placed as given.
    FormControl& box(const QString& array, int index, const QString& column, int maxLength, int l, int t,
                     int w, int h, bool multiLine = false, const QString& tag = {})
    {
        FormControl& c = add(Kind::TextBox, array, index, l, t, w, h);
        c.column = column;
        c.maxLength = maxLength;
        c.multiLine = multiLine;
        c.tag = tag;
        return c;
    }
    // A field box filling a ruled cell.
    FormControl& cellBox(const QString& array, int index, const QString& column, int maxLength, int l, int t,
                         int w, int h, bool multiLine = false)
    {
        return box(array, index, column, maxLength, l + InsetX, t + InsetY, w - 2 * InsetX, h - 2 * InsetY,
                   multiLine);
    }

    // A date as three cells year / "年" / month / "月" / day / "日" from x = l; the
    // boxes carry `tag`. Returns the right edge.
    int date(const QString& array, int first, const QString& column, int l, int t, int h,
             const QString& tag = {})
    {
        int x = l;
        const int widths[3] = {560, 330, 330};
        const QString units[3] = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")};
        const int lengths[3] = {4, 2, 2};
        for (int i = 0; i < 3; ++i) {
            box(array, first + i, column, lengths[i], x + InsetX, t + InsetY, widths[i] - 2 * InsetX,
                h - 2 * InsetY, false, tag)
                .alignment = Align::Center;
            x += widths[i];
            label(units[i], x, t, 200, h);
            x += 200;
        }
        return x;
    }

    void line(int x1, int y1, int x2, int y2, const QString& name = QStringLiteral("KnLine"))
    {
        add(Kind::Line, name, name == QLatin1String("KnLine") ? next(name) : -1, x1, y1, x2 - x1, y2 - y1);
    }
    void hline(int x1, int x2, int y) { line(x1, y, x2, y); }
    void vline(int x, int y1, int y2) { line(x, y1, x, y2); }
    void shape(int l, int t, int r, int b, const QString& name = QStringLiteral("KnShape"), int index = -2)
    {
        add(Kind::Shape, name, index == -2 ? next(name) : index, l, t, r - l, b - t);
    }

private:
    int m_page = 0;
    QString m_container = FormLayout::PageContainer;
    double m_fontSize = 9.0;
    QHash<QString, int> m_next;
};

const QString Kn1 = QStringLiteral("Kn1Data");
const QString Kn2 = QStringLiteral("Kn2Data");
const QString Kn3 = QStringLiteral("Kn3Data");
const QString Kn6 = QStringLiteral("Kn6Data");

// Page 0, the cover: the registration number at the top right, the title, and the
// parties and dates on underlined lines.
void buildCover(Builder& b)
{
    b.onPage(0);
    b.shape(240, 240, 8010, 8760);
    b.shape(330, 330, 7920, 8670);

    b.setFontSize(12);
    b.label(QStringLiteral("登记号："), 4200, 700, 1100, 400, Align::Right);
    b.box(Kn1, 0, QStringLiteral("登记号"), 13, 5350, 700, 2300, 400, false, QStringLiteral("X")).alignment =
        Align::Center;

    FormControl& title = b.add(Kind::Label, QStringLiteral("KnTitle"), -1, 330, 2200, 7590, 800);
    title.caption = QStringLiteral("压覆矿产资源储量登记书");
    title.fontName = FormFonts::HeiTi;
    title.fontSize = 24;
    title.fontBold = true;
    title.alignment = Align::Center;

    // Label column and underlined value column.
    const int labelLeft = 1500, labelWidth = 1400, boxLeft = 3000, boxWidth = 3900, h = 400;
    const int rows[6] = {4200, 4850, 5500, 6150, 6800, 7450};
    const QString X = QStringLiteral("X");
    const QString F = QStringLiteral("F");

    b.label(QStringLiteral("建设单位"), labelLeft, rows[0], labelWidth, h, Align::Left, F);
    b.box(Kn2, 0, QStringLiteral("建设单位"), 50, boxLeft, rows[0], boxWidth, h, false, X);

    b.label(QStringLiteral("行政区代码"), labelLeft, rows[1], labelWidth, h, Align::Left, F);
    b.box(Kn2, 1, QStringLiteral("行政区代码"), 6, boxLeft, rows[1], boxWidth - 300, h, false, X);
    FormControl& drop =
        b.add(Kind::Button, QStringLiteral("Command7"), -1, boxLeft + boxWidth - 300, rows[1], 300, h);
    drop.caption = QStringLiteral("...");
    // The region picker drops under the region code box, as wide as box and button.
    FormControl& tree =
        b.add(Kind::Tree, QStringLiteral("TreeView2"), -1, boxLeft, rows[1] + h, boxWidth, 2000);
    tree.visible = false;

    b.label(QStringLiteral("填报单位"), labelLeft, rows[2], labelWidth, h, Align::Left, F);
    b.box(Kn1, 6, QStringLiteral("填报单位"), 50, boxLeft, rows[2], boxWidth, h, false, X);

    b.label(QStringLiteral("填表人"), labelLeft, rows[3], labelWidth, h, Align::Left, F);
    b.box(Kn1, 1, QStringLiteral("填表人"), 10, boxLeft, rows[3], boxWidth, h, false, X);

    b.label(QStringLiteral("填表负责人"), labelLeft, rows[4], labelWidth, h, Align::Left, F);
    b.box(Kn1, 2, QStringLiteral("填表负责人"), 10, boxLeft, rows[4], boxWidth, h, false, X);

    b.label(QStringLiteral("填表日期"), labelLeft, rows[5], labelWidth, h, Align::Left, F);
    int x = boxLeft;
    const int widths[3] = {800, 500, 500};
    const QString units[3] = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")};
    const int lengths[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i) {
        b.box(Kn1, 3 + i, QStringLiteral("填表日期"), lengths[i], x, rows[5], widths[i], h, false, X)
            .alignment = Align::Center;
        x += widths[i];
        b.label(units[i], x, rows[5], 300, h);
        x += 300;
    }
    b.setFontSize(9);
}

// Page 1: the construction unit and project, the overlaid mining area, the
// mining-right holder, the competent department and the assessment report, as a
// ruled table of sections with an upright section caption, a field caption column
// and one or two value cells per row.
void buildFirstPage(Builder& b)
{
    b.onPage(1);
    const int S0 = 240, S1 = 540, L1 = 1680, M0 = 4560, M1 = 5700, R = 8010;
    const int top = 150;
    const QString F = QStringLiteral("F");

    struct Row
    {
        int height;
        bool split; // a second caption and value cell from M0 on
    };
    struct Section
    {
        QString caption;
        QList<Row> rows;
    };
    const QList<Section> sections = {
        {QStringLiteral("建设单位"), {{450, false}, {450, true}, {300, true}}},
        {QStringLiteral("建设项目"), {{450, false}, {300, true}, {450, true}}},
        {QStringLiteral("压覆矿区"), {{450, true}, {300, true}, {300, true}, {300, true}, {300, true}}},
        {QStringLiteral("矿业权人"), {{450, true}, {600, false}}},
        {QStringLiteral("主管部门"), {{450, false}, {300, true}, {450, false}}},
        {QStringLiteral("评估报告"),
         {{450, false}, {300, true}, {300, true}, {300, true}, {450, false}, {300, true}, {300, true}}},
    };

    // Row tops, in order over all sections.
    QList<int> rowTop;
    QList<int> rowHeight;
    int y = top;
    for (const Section& s : sections) {
        for (const Row& r : s.rows) {
            rowTop.append(y);
            rowHeight.append(r.height);
            y += r.height;
        }
    }
    const int bottom = y;

    // Rulings: the frame, the two caption columns, the row and section lines and
    // the cell borders of the split rows.
    b.shape(S0, top, R, bottom);
    b.vline(S1, top, bottom);
    b.vline(L1, top, bottom);
    int n = 0;
    y = top;
    for (const Section& s : sections) {
        const int sectionTop = y;
        int runStart = -1;
        for (int i = 0; i < s.rows.size(); ++i, ++n) {
            const Row& r = s.rows[i];
            if (r.split && runStart < 0) runStart = y;
            if (!r.split && runStart >= 0) {
                b.vline(M0, runStart, y);
                b.vline(M1, runStart, y);
                runStart = -1;
            }
            y += r.height;
            const bool lastOfSection = i == s.rows.size() - 1;
            if (!lastOfSection) b.hline(S1, R, y);
        }
        if (runStart >= 0) {
            b.vline(M0, runStart, y);
            b.vline(M1, runStart, y);
        }
        if (y != bottom) b.hline(S0, R, y);
        b.section(s.caption, S0, sectionTop, S1 - S0, y - sectionTop);
    }

    // Cells of one row.
    // Captions are spread over their cell, less a margin that long captions give up.
    auto margin = [](const QString& text) { return text.size() >= 6 ? 30 : text.size() == 5 ? 60 : 90; };
    auto caption = [&](int row, const QString& text) {
        const int m = margin(text);
        b.label(text, S1 + m, rowTop[row], L1 - S1 - 2 * m, rowHeight[row], Align::Left, F);
    };
    auto caption2 = [&](int row, const QString& text) {
        const int m = margin(text);
        b.label(text, M0 + m, rowTop[row], M1 - M0 - 2 * m, rowHeight[row], Align::Left, F);
    };
    auto wide = [&](int row, const QString& array, int index, const QString& column, int maxLength,
                    bool multi) {
        b.cellBox(array, index, column, maxLength, L1, rowTop[row], R - L1, rowHeight[row], multi);
    };
    auto left = [&](int row, const QString& array, int index, const QString& column, int maxLength,
                    bool multi) {
        b.cellBox(array, index, column, maxLength, L1, rowTop[row], M0 - L1, rowHeight[row], multi);
    };
    auto right = [&](int row, const QString& array, int index, const QString& column, int maxLength) {
        b.cellBox(array, index, column, maxLength, M1, rowTop[row], R - M1, rowHeight[row]);
    };

    // 建设单位
    caption(0, QStringLiteral("单位名称"));
    wide(0, Kn2, 2, QStringLiteral("建设单位"), 50, true);
    caption(1, QStringLiteral("通讯地址"));
    left(1, Kn2, 3, QStringLiteral("通讯地址"), 50, true);
    caption2(1, QStringLiteral("邮政编码"));
    right(1, Kn2, 4, QStringLiteral("邮政编码"), 6);
    caption(2, QStringLiteral("电话号码"));
    b.cellBox(Kn2, 5, QStringLiteral("电话号码"), 4, L1, rowTop[2], 560, rowHeight[2]).alignment =
        Align::Center;
    b.label(QStringLiteral("-"), L1 + 560, rowTop[2], 200, rowHeight[2]);
    b.cellBox(Kn2, 6, QStringLiteral("电话号码"), 8, L1 + 760, rowTop[2], 1200, rowHeight[2]);
    caption2(2, QStringLiteral("电子邮箱"));
    right(2, Kn2, 7, QStringLiteral("电子邮箱"), 30);

    // 建设项目
    caption(3, QStringLiteral("项目名称"));
    wide(3, Kn2, 8, QStringLiteral("建设项目名称"), 50, true);
    caption(4, QStringLiteral("项目类别"));
    // The category is chosen in the list; its box takes the chosen text and is not
    // shown.
    b.cellBox(Kn2, 9, QStringLiteral("建设项目类别"), 0, L1, rowTop[4], M0 - L1, rowHeight[4]).visible =
        false;
    FormControl& combo = b.add(Kind::ComboBox, QStringLiteral("Combo5"), 0, L1 + InsetX, rowTop[4] + InsetY,
                               M0 - L1 - 2 * InsetX, rowHeight[4] - 2 * InsetY);
    combo.column = QStringLiteral("建设项目类别");
    caption2(4, QStringLiteral("批准文号"));
    right(4, Kn2, 11, QStringLiteral("批准文号"), 50);
    caption(5, QStringLiteral("批准单位"));
    left(5, Kn2, 10, QStringLiteral("批准单位"), 50, true);
    caption2(5, QStringLiteral("批准日期"));
    b.date(Kn2, 12, QStringLiteral("批准日期"), M1, rowTop[5], rowHeight[5]);

    // 压覆矿区
    caption(6, QStringLiteral("矿区名称"));
    left(6, Kn2, 15, QStringLiteral("矿区名称"), 50, true);
    caption2(6, QStringLiteral("矿区编号"));
    right(6, Kn2, 16, QStringLiteral("矿区编号"), 9);
    caption(7, QStringLiteral("所属矿山编号"));
    left(7, Kn2, 17, QStringLiteral("所属矿山编号"), 3, false);
    caption2(7, QStringLiteral("原登记号"));
    right(7, Kn2, 18, QStringLiteral("原登记号"), 13);

    // The two tick pairs sit in the frame Frame2; the boxes they write are not shown.
    const int frameTop = rowTop[8];
    b.add(Kind::Frame, FormLayout::FrameContainer, -1, S1, frameTop, R - S1, rowHeight[8]);
    b.cellBox(Kn2, 19, QStringLiteral("压覆性质"), 0, L1, frameTop, M0 - L1, rowHeight[8]).visible = false;
    b.cellBox(Kn2, 20, QStringLiteral("利用现状"), 0, M1, frameTop, R - M1, rowHeight[8]).visible = false;
    b.onPage(1, FormLayout::FrameContainer);
    b.label(QStringLiteral("压覆性质"), 90, 0, L1 - S1 - 180, rowHeight[8], Align::Left, F);
    const QString pairs[2][2] = {{QStringLiteral("部分压覆"), QStringLiteral("全部压覆")},
                                 {QStringLiteral("未利用"), QStringLiteral("已利用")}};
    for (int i = 0; i < 2; ++i) {
        FormControl& c = b.add(Kind::CheckBox, QStringLiteral("Check11"), i, L1 - S1 + 90 + i * 1400, InsetY,
                               1300, rowHeight[8] - 2 * InsetY);
        c.caption = pairs[0][i];
        c.column = QStringLiteral("压覆性质");
    }
    b.label(QStringLiteral("利用现状"), M0 - S1 + 90, 0, M1 - M0 - 180, rowHeight[8], Align::Left, F);
    for (int i = 0; i < 2; ++i) {
        FormControl& c = b.add(Kind::CheckBox, QStringLiteral("Check12"), i, M1 - S1 + 90 + i * 1100, InsetY,
                               1000, rowHeight[8] - 2 * InsetY);
        c.caption = pairs[1][i];
        c.column = QStringLiteral("利用现状");
    }
    b.onPage(1);

    caption(9, QStringLiteral("中心点坐标"));
    b.label(QStringLiteral("Y"), L1, rowTop[9], 200, rowHeight[9]);
    b.cellBox(Kn2, 21, QStringLiteral("中心点Y坐标"), 11, L1 + 200, rowTop[9], 1240, rowHeight[9]);
    b.label(QStringLiteral("X"), L1 + 1440, rowTop[9], 200, rowHeight[9]);
    b.cellBox(Kn2, 22, QStringLiteral("中心点X坐标"), 11, L1 + 1640, rowTop[9], 1240, rowHeight[9]);
    caption2(9, QStringLiteral("县城名"));
    right(9, Kn2, 23, QStringLiteral("县城名"), 22);
    caption(10, QStringLiteral("方位"));
    left(10, Kn2, 24, QStringLiteral("方位"), 9, false);
    caption2(10, QStringLiteral("至县直距"));
    b.cellBox(Kn2, 25, QStringLiteral("至县直距"), 4, M1, rowTop[10], 1000, rowHeight[10]);
    b.label(QStringLiteral("公里"), M1 + 1000, rowTop[10], 500, rowHeight[10], Align::Left);

    // 矿业权人
    caption(11, QStringLiteral("名称"));
    left(11, Kn2, 26, QStringLiteral("矿业权人"), 50, true);
    caption2(11, QStringLiteral("许可证号"));
    right(11, Kn2, 27, QStringLiteral("许可证号"), 23);
    caption(12, QStringLiteral("意见"));
    wide(12, Kn2, 28, QStringLiteral("矿业权人意见"), 100, true);

    // 主管部门
    caption(13, QStringLiteral("部门名称"));
    wide(13, Kn2, 29, QStringLiteral("主管部门名称"), 50, true);
    caption(14, QStringLiteral("地矿文号"));
    left(14, Kn2, 30, QStringLiteral("地矿文号"), 50, false);
    caption2(14, QStringLiteral("文号日期"));
    b.date(Kn2, 31, QStringLiteral("文号日期"), M1, rowTop[14], rowHeight[14]);
    caption(15, QStringLiteral("意见"));
    wide(15, Kn2, 34, QStringLiteral("主管部门意见"), 100, true);

    // 评估报告
    caption(16, QStringLiteral("报告名称"));
    wide(16, Kn3, 0, QStringLiteral("报告名称"), 50, true);
    caption(17, QStringLiteral("勘查单位"));
    left(17, Kn3, 1, QStringLiteral("勘查单位"), 50, false);
    caption2(17, QStringLiteral("提交日期"));
    b.date(Kn3, 2, QStringLiteral("报告提交日期"), M1, rowTop[17], rowHeight[17]);
    caption(18, QStringLiteral("汇交证书号"));
    left(18, Kn3, 5, QStringLiteral("汇交证书号"), 20, false);
    caption2(18, QStringLiteral("评审机构"));
    right(18, Kn3, 6, QStringLiteral("评审机构"), 50);
    caption(19, QStringLiteral("评审日期"));
    b.date(Kn3, 7, QStringLiteral("评审日期"), L1, rowTop[19], rowHeight[19]);
    caption2(19, QStringLiteral("评审文号"));
    right(19, Kn3, 10, QStringLiteral("评审文号"), 50);
    caption(20, QStringLiteral("评审结论"));
    wide(20, Kn3, 11, QStringLiteral("评审结论"), 100, true);
    caption(21, QStringLiteral("评估师"));
    left(21, Kn3, 12, QStringLiteral("评估师"), 50, false);
    caption2(21, QStringLiteral("备案机关"));
    right(21, Kn3, 13, QStringLiteral("备案机关"), 50);
    caption(22, QStringLiteral("备案日期"));
    b.date(Kn3, 14, QStringLiteral("备案日期"), L1, rowTop[22], rowHeight[22]);
    caption2(22, QStringLiteral("备案文号"));
    right(22, Kn3, 17, QStringLiteral("备案文号"), 50);
}

// Page 2: the two coordinate lists side by side, the sketch map below them and the
// areas and elevations of both ranges at the foot.
void buildCoordinatePage(Builder& b)
{
    b.onPage(2);
    const int S0 = 240, R = 8010, mid = 4125;
    b.shape(S0, 150, R, 8700);

    b.label(QStringLiteral("压覆矿区范围拐点坐标："), 300, 150, 2550, 300, Align::Left);
    FormControl& geo0 = b.add(Kind::CheckBox, QStringLiteral("Check1"), 0, 2800, 165, 1250, 270);
    geo0.caption = QStringLiteral("经纬度坐标");
    geo0.tag = QStringLiteral("N");
    b.label(QStringLiteral("压覆资源储量范围拐点坐标："), mid + 60, 150, 2500, 300, Align::Left);
    FormControl& geo1 = b.add(Kind::CheckBox, QStringLiteral("Check1"), 1, 6700, 165, 1250, 270);
    geo1.caption = QStringLiteral("经纬度坐标");
    geo1.tag = QStringLiteral("N");
    b.hline(S0, R, 450);
    b.vline(mid, 150, 2940);

    const QString gridTip = QStringLiteral("*号结束；矿体标识：矿体文字标注；性质：1表示主区，-1表示挖空区");
    b.add(Kind::Grid, QStringLiteral("Area_Flex"), 0, S0 + 15, 465, mid - S0 - 30, 2460).column = gridTip;
    b.add(Kind::Grid, QStringLiteral("Area_Flex"), 1, mid + 15, 465, R - mid - 30, 2460).column = gridTip;
    b.hline(S0, R, 2940);

    b.label(QStringLiteral("压覆范围示意图"), 300, 2950, 2200, 300, Align::Left);
    const QRect map = FormLayout::mapRect();
    b.add(Kind::MapArea, QStringLiteral("AreaMap"), -1, map.x(), map.y(), map.width(), map.height());

    const int footTop = 8100, h = 300;
    b.hline(S0, R, footTop);
    b.hline(S0, R, footTop + h);
    b.vline(1860, footTop, footTop + 2 * h);
    const QString names[2] = {QStringLiteral("压覆矿区范围"), QStringLiteral("压覆资源储量范围")};
    const QString prefixes[2] = {QStringLiteral("矿权"), QStringLiteral("计算")};
    for (int k = 0; k < 2; ++k) {
        const int y = footTop + k * h;
        b.label(names[k], S0 + 60, y, 1560, h, Align::Left);
        b.label(QStringLiteral("面积(km²)"), 1860, y, 1000, h);
        b.cellBox(Kn6, 3 * k, prefixes[k] + QStringLiteral("面积"), 5, 2860, y, 900, h);
        b.label(QStringLiteral("标高(m)"), 3760, y, 900, h);
        b.cellBox(Kn6, 3 * k + 1, prefixes[k] + QStringLiteral("最低标高"), 8, 4660, y, 1200, h);
        b.label(QStringLiteral("至"), 5860, y, 300, h);
        b.cellBox(Kn6, 3 * k + 2, prefixes[k] + QStringLiteral("最高标高"), 8, 6160, y, 1200, h);
    }
}

// Page 3: the three review opinions with their signatures and dates, the remarks,
// the cut-off date, and the quality and reserve table below.
void buildReviewPage(Builder& b)
{
    b.onPage(3);
    const int S0 = 240, S1 = 540, R = 8010, top = 150;
    const int blockHeight = 900, opinionHeight = 600, remarksHeight = 450;
    const int frameBottom = top + 3 * blockHeight + remarksHeight;

    // Shape1(0) frames the review; its left edge is the left edge of the table.
    b.shape(S0, top, R, frameBottom, QStringLiteral("Shape1"), 0);
    b.vline(S1, top, frameBottom);

    const QString names[3] = {QStringLiteral("核实"), QStringLiteral("初审"), QStringLiteral("审定")};
    for (int k = 0; k < 3; ++k) {
        const int y = top + k * blockHeight;
        const int first = 7 + 6 * k;
        b.section(names[k] + QStringLiteral("意见"), S0, y, S1 - S0, blockHeight);
        b.cellBox(Kn1, first, names[k] + QStringLiteral("意见"), 100, S1, y, R - S1, opinionHeight, true);
        const int ry = y + opinionHeight, rh = blockHeight - opinionHeight;
        b.hline(S1, R, ry);
        b.hline(S0, R, y + blockHeight);
        for (int x : {1240, 2340, 2940, 5640, 6190})
            b.vline(x, ry, ry + rh);
        b.label(QStringLiteral("负责人"), S1, ry, 700, rh);
        b.cellBox(Kn1, first + 1, names[k] + QStringLiteral("负责人"), 10, 1240, ry, 1100, rh);
        b.label(QStringLiteral("单位"), 2340, ry, 600, rh);
        b.cellBox(Kn1, first + 2, names[k] + QStringLiteral("单位"), 50, 2940, ry, 2700, rh);
        b.label(QStringLiteral("日期"), 5640, ry, 550, rh);
        b.date(Kn1, first + 3, names[k] + QStringLiteral("日期"), 6190, ry, rh);
    }
    const int remarksTop = top + 3 * blockHeight;
    b.section(QStringLiteral("备注"), S0, remarksTop, S1 - S0, remarksHeight);
    b.cellBox(Kn2, 38, QStringLiteral("备注"), 255, S1, remarksTop, R - S1, remarksHeight, true);

    const int cutTop = frameBottom + 60, h = 300;
    b.label(QStringLiteral("截止日期"), S0, cutTop, 1000, h, Align::Left);
    b.date(Kn2, 35, QStringLiteral("截止日期"), 1240, cutTop, h, QStringLiteral("X"));
    FormControl& edit =
        b.add(Kind::Button, QStringLiteral("Command2"), -1, R - 900, cutTop + InsetY, 900, h - 2 * InsetY);
    edit.caption = QStringLiteral("编辑");

    // The quality and reserve table: header grid and body grid (their sizes follow
    // from the column widths and row heights of the table layout).
    const int tableTop = cutTop + h + 60;
    b.add(Kind::Grid, QStringLiteral("THFLEX"), -1, S0, tableTop, 7768, 794);
    b.add(Kind::Grid, QStringLiteral("TBFLEX"), -1, S0, tableTop + 794 - 20, 7768, 3969);
}

// The continuation sheet of the coordinate lists: a frame, the line between the two
// lists, the sheet's title and the captions of the two lists. The lists themselves
// are printed at the places of the grids of the coordinate page.
void buildTemplate(Builder& b)
{
    b.onPage(-1, FormLayout::TemplateContainer);
    b.shape(240, 150, 8010, 8700, QStringLiteral("ComShape"), -1);
    b.line(4125, 150, 4125, 8700, QStringLiteral("ComLine"));
    FormControl& title = b.label(QStringLiteral("压覆矿产资源储量登记书（拐点坐标续页）"), 240, -300, 7770,
                                 400, Align::Center, {}, QStringLiteral("ComLAB"));
    title.fontSize = 12;
    title.fontBold = true;
    b.label(QStringLiteral("压覆矿区范围拐点坐标："), 300, 150, 2550, 300, Align::Left, {},
            QStringLiteral("ComLAB"));
    b.label(QStringLiteral("压覆资源储量范围拐点坐标："), 4185, 150, 2550, 300, Align::Left, {},
            QStringLiteral("ComLAB"));
}

QList<FormControl> build()
{
    Builder b;
    buildCover(b);
    buildFirstPage(b);
    buildCoordinatePage(b);
    buildReviewPage(b);
    buildTemplate(b);
    return b.out;
}

} // namespace

const QList<FormControl>& FormLayout::controls()
{
    static const QList<FormControl> table = build();
    return table;
}

QList<const FormControl*> FormLayout::pageControls(int page)
{
    QList<const FormControl*> out;
    for (const FormControl& c : controls()) {
        if (c.page == page && (c.container == PageContainer || c.container == FrameContainer)) out.append(&c);
    }
    return out;
}

QList<const FormControl*> FormLayout::templateControls()
{
    QList<const FormControl*> out;
    for (const FormControl& c : controls()) {
        if (c.container == TemplateContainer) out.append(&c);
    }
    return out;
}

const FormControl* FormLayout::find(const QString& name, int index)
{
    for (const FormControl& c : controls()) {
        if (c.name == name && c.index == index) return &c;
    }
    return nullptr;
}

QList<const FormControl*> FormLayout::array(const QString& name)
{
    QList<const FormControl*> out;
    for (const FormControl& c : controls()) {
        if (c.name == name && c.index >= 0) out.append(&c);
    }
    std::sort(out.begin(), out.end(),
              [](const FormControl* a, const FormControl* b) { return a->index < b->index; });
    return out;
}

int FormLayout::count(const QString& name)
{
    return int(array(name).size());
}

QRect FormLayout::mapRect()
{
    return QRect(362, 3160, 7843 - 362, 8036 - 3160);
}

QString FormLayout::mapRectText()
{
    const QRect r = mapRect();
    return QStringLiteral("(%1,%2)-(%3,%4)")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}
