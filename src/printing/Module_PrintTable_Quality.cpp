#include "Module_PrintTable_Quality.h"

#include "PrintSurface.h"

#include "platform/ColumnCatalog.h"
#include "platform/TextNumber.h"
#include "registration/form/FormControl.h"
#include "shell/KCUTIL_Dictionary.h"
#include "shell/KCUTIL_Fields.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace Module_PrintTable {

namespace {

const QString LF = QStringLiteral("\n");
const QString Source = QStringLiteral("Module_PrintTable");

// Widths of the four spanning cells (cm) and the widths their texts wrap to (twips).
constexpr float SpanWidths[4] = {1.3f, 1.3f, 1.7f, 3.14f};
constexpr float CodeWidth = 1.0f;
constexpr float AmountWidth = 2.0f;
constexpr float NameWrap = 539;
constexpr float ObjectWrap = 765;
constexpr float QualityWrap = 1582;
constexpr int MaxSumRows = 6;

// Where the page number of a continuation sheet stands (97 mm, 275 mm).
constexpr double PageNoX = (210.0 / 2 - 8) * 56.7;
constexpr double PageNoY = 275 * 56.7;

QString textOf(const QVariant& v)
{
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{v, Db::TypeVarWChar});
}

QString amountOf(const QVariant& v)
{
    return KCUTIL::Get_Field_Num(KCUTIL::FieldValue{v, Db::TypeDouble});
}

// Runs a select; on failure adds the error and returns nothing.
std::optional<QSqlQuery> select(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                                QList<Db::Error>& errors)
{
    Db::Error e;
    std::optional<QSqlQuery> q = Db::exec(db, sql, values, &e);
    if (!q) errors.append(e);
    return q;
}

// After the last row: a failure of the read itself.
void checkEnd(const QSqlQuery& q, QList<Db::Error>& errors)
{
    if (q.lastError().isValid()) errors.append(Db::errorOf(q.lastError(), Source));
}

void addError(const Db::Error& e, QList<Db::Error>& errors)
{
    if (e.isSet()) errors.append(e);
}

// The next piece of a spanning text: the whole rest when it holds fewer than four
// line feeds, else up to and including its third.
QString nextPiece(QString& rest)
{
    if (rest.count(LF) < 4) return std::exchange(rest, QString());
    qsizetype cut = -1;
    for (int i = 0; i < 3; ++i)
        cut = rest.indexOf(LF, cut + 1);
    const QString piece = rest.left(cut + 1);
    rest = rest.mid(cut + 1);
    return piece;
}

// Draws the rows of one group.
class GroupPrinter
{
public:
    GroupPrinter(PrintSurface& p, TableState& t) : m_p(p), m_t(t) {}

    QString texts[4];

    // One row: r counts within the group (0 draws the top side of the spanning
    // cells); `figures` may be null for an empty row.
    void row(int r, bool closing, const std::array<QString, 9>* figures)
    {
        const int rowHeight = Cm_To_Twips(1.2f);
        const int half = Cm_To_Twips(0.6f);
        // A row that would pass the bottom of the printable area goes to a new sheet.
        if (m_t.CellY2 + rowHeight > m_p.pageHeight()) breakPage();
        const int limit = m_t.Table_First_Page ? Cm_To_Twips(14.0f) : Cm_To_Twips(24.0f);
        if (m_t.CellY2 > limit) pageFull = true;
        const float top = m_t.CellY2;
        const float bottom = top + rowHeight;
        float x = m_t.Table_Left;
        for (int k = 0; k < 4; ++k) {
            m_t.CellBorders = {std::uint8_t(r == 0), 1, std::uint8_t(pageFull || closing), 1};
            setCell(x, top, SpanWidths[k], bottom);
            QString piece = nextPiece(texts[k]);
            Print_Cell(m_p, m_t, piece, AlignTopLeft);
            x = m_t.CellX2;
        }
        m_t.CellBorders = {1, 1, 1, 1};
        for (int c = 0; c < 3; ++c) {
            QString code = figures ? (*figures)[3 * c] : QString();
            QString metal = figures ? (*figures)[3 * c + 1] : QString();
            QString ore = figures ? (*figures)[3 * c + 2] : QString();
            setCell(x, top, CodeWidth, bottom);
            Print_Cell(m_p, m_t, code, AlignCentre);
            x = m_t.CellX2;
            setCell(x, top, AmountWidth, top + half);
            Print_Cell(m_p, m_t, metal, AlignCentre);
            setCell(x, top + half, AmountWidth, bottom);
            Print_Cell(m_p, m_t, ore, AlignCentre);
            x = m_t.CellX2;
        }
    }

    void breakPage()
    {
        m_p.newSheet();
        m_t.Table_First_Page = false;
        ++m_t.Table_Page_No;
        m_p.printText(PageNoX, PageNoY, QStringLiteral("4-") + QString::number(m_t.Table_Page_No));
        Print_Table_Header(m_p, m_t, true);
        pageFull = false;
    }

    bool pageFull = false;

private:
    void setCell(float x, float top, float widthCm, float bottom)
    {
        m_t.CellX1 = x;
        m_t.CellY1 = top;
        m_t.CellX2 = x + Cm_To_Twips(widthCm);
        m_t.CellY2 = bottom;
    }

    PrintSurface& m_p;
    TableState& m_t;
};

// Rows of the sums of an average group: code, metal sum and ore sum per category,
// each category filling its own slots from the top.
void readSums(const QSqlDatabase& db, const QString& djh, const OreGroup& g, int unitFlag,
              QList<std::array<QString, 9>>& rows, QList<Db::Error>& errors)
{
    static const char* const codes[3] = {"储量类型", "基础储量类型", "资源量类型"};
    static const char* const metals[3] = {"金属量1", "金属量2", "金属量3"};
    static const char* const ores[3] = {"矿石量1", "矿石量2", "矿石量3"};
    std::array<std::array<QString, 9>, MaxSumRows> sums{};
    for (int c = 0; c < 3; ++c) {
        const QString code = QString::fromUtf8(codes[c]);
        const QString sql =
            QStringLiteral("SELECT %1, sum(%2), sum(%3) FROM 资源储量 WHERE 矿产代码 = ? AND 统计对象 = ? "
                           "AND 登记号 = ? AND 原登记号 IS NULL GROUP BY %1 ORDER BY %1")
                .arg(code, QString::fromUtf8(metals[c]), QString::fromUtf8(ores[c]));
        std::optional<QSqlQuery> q = select(db, sql, {g.mineralCode, g.statObject, djh}, errors);
        if (!q) continue;
        int k = 0;
        while (q->next()) {
            const QString text = textOf(q->value(0));
            if (text.isEmpty()) continue;
            if (k >= MaxSumRows) continue; // further codes are dropped
            sums[k][3 * c] = text;
            sums[k][3 * c + 1] = unitFlag == 0 ? QString() : amountOf(q->value(1));
            sums[k][3 * c + 2] = amountOf(q->value(2));
            ++k;
        }
        checkEnd(*q, errors);
    }
    int n = 0;
    for (int k = 0; k < MaxSumRows; ++k) {
        if (!sums[k][0].isEmpty() || !sums[k][3].isEmpty() || !sums[k][6].isEmpty()) n = k + 1;
    }
    for (int k = 0; k < n; ++k)
        rows.append(sums[k]);
}

void readFigures(const QSqlDatabase& db, const QString& djh, const OreGroup& g, int unitFlag,
                 QList<std::array<QString, 9>>& rows, QList<Db::Error>& errors)
{
    // A type or grade that is no number names no reserve rows.
    double type = 0, grade = 0;
    if (!TextNumber::readWhole(g.oreType, &type) || !TextNumber::readWhole(g.oreGrade, &grade)) return;
    std::optional<QSqlQuery> q =
        select(db,
               QStringLiteral(
                   "SELECT 储量类型, 金属量1, 矿石量1, 基础储量类型, 金属量2, 矿石量2, 资源量类型, 金属量3, "
                   "矿石量3 FROM 资源储量 WHERE 矿产代码 = ? AND 统计对象 = ? AND 矿石类型 = ? AND "
                   "矿石品级 = ? AND 登记号 = ? AND 原登记号 IS NULL ORDER BY 显示序号"),
               {g.mineralCode, g.statObject, type, grade, djh}, errors);
    if (!q) return;
    while (q->next()) {
        std::array<QString, 9> r{};
        for (int c = 0; c < 3; ++c) {
            const QString code = textOf(q->value(3 * c));
            if (code.isEmpty()) continue;
            r[3 * c] = code;
            if (unitFlag != 0) r[3 * c + 1] = amountOf(q->value(3 * c + 1));
            r[3 * c + 2] = amountOf(q->value(3 * c + 2));
        }
        rows.append(r);
    }
    checkEnd(*q, errors);
}

} // namespace

void Set_Table_Font(PrintSurface& printer)
{
    printer.setFont(FormFonts::SongTi, 9, false);
}

Result<QList<OreGroup>> Read_Ore_Groups(const QSqlDatabase& db, const QString& djh)
{
    Db::Error e;
    std::optional<QSqlQuery> q =
        Db::exec(db,
                 QStringLiteral("SELECT 矿产代码, 统计对象, 矿石类型, 矿石品级, 均值标识, 组分名, "
                                "组分值, 组分单位 FROM 质量 WHERE 登记号 = ? ORDER BY 显示序号"),
                 {djh}, &e);
    if (!q) return e;
    QList<OreGroup> groups;
    OreGroup open; // the remembered key and the text gathered for it
    bool any = false;
    while (q->next()) {
        const int mineral = q->value(0).toInt();
        const int object = q->value(1).toInt();
        const QString type = textOf(q->value(2));
        const QString grade = textOf(q->value(3));
        const bool average = q->value(4).toInt() != 0;
        if (open.mineralCode != 0 &&
            (mineral != open.mineralCode || object != open.statObject || type != open.oreType ||
             grade != open.oreGrade || average != open.average)) {
            groups.append(open);
            open.lines.clear();
        }
        open.lines += textOf(q->value(5)) + u' ' +
                      KCUTIL::Get_Field_NumStr(KCUTIL::FieldValue{q->value(6), Db::TypeDouble}) + u' ' +
                      textOf(q->value(7)) + LF;
        open.mineralCode = mineral;
        open.statObject = object;
        open.oreType = type;
        open.oreGrade = grade;
        open.average = average;
        any = true;
    }
    if (q->lastError().isValid()) return Db::errorOf(q->lastError(), Source);
    if (any) groups.append(open);
    return groups;
}

QString Quality_Text(const OreGroup& g, QList<Db::Error>& errors)
{
    QString type = g.oreType;
    QString grade = g.oreGrade;
    if (!g.average) {
        Db::Error e1, e2;
        type = KCUTIL::Get_Ore_Type_Name(g.mineralCode,
                                         TextNumber::roundToInt32(TextNumber::leading(g.oreType)), &e1);
        grade = KCUTIL::Get_Ore_Grade_Name(g.mineralCode,
                                           TextNumber::roundToInt32(TextNumber::leading(g.oreGrade)), &e2);
        addError(e1, errors);
        addError(e2, errors);
    }
    return QStringLiteral("(1)") + type + LF + QStringLiteral("(2)") + grade + LF + QStringLiteral("(3)") +
           LF + g.lines;
}

GroupRows Read_Group_Rows(const QSqlDatabase& db, const QString& djh, const OreGroup& g,
                          QList<Db::Error>& errors)
{
    GroupRows out;
    out.average = g.average;
    std::optional<QSqlQuery> q = select(
        db,
        QStringLiteral(
            "SELECT 矿产组合 FROM 资源储量 WHERE 矿产代码 = ? AND 统计对象 = ? AND 登记号 = ? LIMIT 1"),
        {g.mineralCode, g.statObject, djh}, errors);
    if (q) {
        if (q->next()) out.combination = textOf(q->value(0));
        checkEnd(*q, errors);
    }
    Db::Error e;
    out.name = KCUTIL::Get_KCMC(g.mineralCode, &e);
    addError(std::exchange(e, {}), errors);
    out.object = KCUTIL::Get_Calc_Object(g.mineralCode, g.statObject, &e);
    addError(std::exchange(e, {}), errors);
    out.unitFlag = KCUTIL::Get_Calc_Unit_Flag(g.mineralCode, g.statObject, &e);
    addError(e, errors);
    if (g.average)
        readSums(db, djh, g, out.unitFlag, out.rows, errors);
    else
        readFigures(db, djh, g, out.unitFlag, out.rows, errors);
    return out;
}

void Print_Reserve_Group(PrintSurface& printer, TableState& table, const GroupRows& rows,
                         const QString& qualityText)
{
    GroupPrinter g(printer, table);
    int lines = 1;
    Wrap_Text(printer, QualityWrap, qualityText, lines, g.texts[3]);
    int unused = 0;
    Wrap_Text(printer, NameWrap, rows.name, unused, g.texts[0]);
    Wrap_Text(printer, NameWrap, rows.combination, unused, g.texts[1]);
    Wrap_Text(printer, ObjectWrap, rows.object, unused, g.texts[2]);

    const int n = int(rows.rows.size());
    for (int r = 0; r < n; ++r) {
        const bool last = r == n - 1;
        g.row(r, last && lines <= 3 * n, &rows.rows[r]);
        // After its last row a composition group breaks the page only on the table's
        // first sheet, an average group only when it has a single sum row.
        const bool lastBreaks = rows.average ? n == 1 : table.Table_First_Page;
        if (g.pageFull && (!last || lastBreaks)) g.breakPage();
    }
    if (lines > 3 * n) {
        const int extra = int((lines - 3 * n) / 3.0 + 0.99);
        for (int e = 0; e < extra; ++e) {
            const bool last = e == extra - 1;
            g.row(1, last, nullptr);
            if (!last && g.pageFull) g.breakPage();
        }
    }
}

void Print_Quality_Table(PrintSurface& printer, const QSqlDatabase& db, const QString& djh,
                         QList<Db::Error>& errors)
{
    TableState table;
    table.Table_Left = Table_Left_Edge();
    table.Table_First_Page = true;
    table.Table_Page_No = 0;
    Set_Table_Font(printer);
    Print_Table_Header(printer, table, false);
    const Result<QList<OreGroup>> groups = Read_Ore_Groups(db, djh);
    if (!groups) {
        errors.append(groups.error());
    } else {
        for (const OreGroup& g : *groups) {
            const QString text = Quality_Text(g, errors);
            Print_Reserve_Group(printer, table, Read_Group_Rows(db, djh, g, errors), text);
        }
    }
    printer.endDocument();
}

} // namespace Module_PrintTable
