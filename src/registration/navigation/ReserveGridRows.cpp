#include "registration/navigation/ReserveGridRows.h"

#include "platform/ColumnCatalog.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Dictionary.h"
#include "shell/KCUTIL_Fields.h"
#include "shell/ProgramState.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <array>
#include <optional>

namespace {

const QString LF = QStringLiteral("\n");
const QString AmountRule = QStringLiteral("\u2500\u2500");

// Up to six reserve lines of one ore row key: 储量 code and amount, 基础储量 code and
// amount, 资源量 code and amount. A line that received no entry is empty.
struct ReserveLines
{
    std::array<std::array<QString, 6>, 6> cells{};
    std::array<bool, 6> used{};
};

// A text value of a query column; Null gives the empty text.
QString textOf(const QVariant& v)
{
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{v, Db::TypeVarWChar});
}

QString numberOf(const QVariant& v)
{
    return KCUTIL::Get_Field_Num(KCUTIL::FieldValue{v, Db::TypeDouble});
}

// A code read from the text of 质量.矿石类型 / 矿石品级 is compared with the numeric
// columns of 资源储量 as a number when it reads as one.
QVariant codeValue(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(text);
}

class Builder
{
public:
    explicit Builder(const QString& djh) : m_djh(djh), m_db(state().Cn()) {}

    ReserveGridRows run();

private:
    void viewReserveRows(int mineral, int object, bool average, const QString& type, const QString& grade);
    QString amountText(const QVariant& metal, const QVariant& ore) const;
    void emitGroup();
    void fail(const Db::Error& e)
    {
        if (!m_result.error.isSet()) m_result.error = e;
    }

    QString m_djh;
    QSqlDatabase m_db;
    ReserveGridRows m_result;

    // The current group.
    QStringList m_prefix; // mineral name, combination, statistics object
    QString m_composition;
    ReserveLines m_lines;
    int m_unitFlag = 1;
};

QString Builder::amountText(const QVariant& metal, const QVariant& ore) const
{
    if (m_unitFlag != 0) return numberOf(metal) + LF + AmountRule + LF + numberOf(ore);
    return LF + numberOf(ore);
}

void Builder::viewReserveRows(int mineral, int object, bool average, const QString& type,
                              const QString& grade)
{
    m_prefix.clear();
    m_lines = ReserveLines();
    Db::Error e;

    QString combination;
    if (auto q = Db::exec(
            m_db,
            QStringLiteral("SELECT 矿产组合 FROM 资源储量 WHERE 矿产代码=? AND 统计对象=? AND 登记号=? "
                           "ORDER BY rowid"),
            {mineral, object, m_djh}, &e)) {
        if (q->next()) combination = textOf(q->value(0));
        if (!Db::finished(*q, &e)) return fail(e);
    } else {
        return fail(e);
    }
    m_prefix = {KCUTIL::Get_KCMC(mineral, &e), combination, KCUTIL::Get_Calc_Object(mineral, object, &e)};
    m_unitFlag = KCUTIL::Get_Calc_Unit_Flag(mineral, object, &e);
    if (e.isSet()) return fail(e);

    if (average) {
        // Sums per code over every ore type and grade of the mineral and object, one
        // pass per category; each pass fills its two cells of lines 0 to 5.
        static const char16_t* const passes[3][3] = {
            {u"储量类型", u"金属量1", u"矿石量1"},
            {u"基础储量类型", u"金属量2", u"矿石量2"},
            {u"资源量类型", u"金属量3", u"矿石量3"},
        };
        for (int p = 0; p < 3; ++p) {
            const QString code = QString::fromUtf16(passes[p][0]);
            const QString sql =
                QStringLiteral("SELECT ") + code + QStringLiteral(", sum(") +
                QString::fromUtf16(passes[p][1]) + QStringLiteral("), sum(") +
                QString::fromUtf16(passes[p][2]) +
                QStringLiteral(
                    ") FROM 资源储量 WHERE 矿产代码=? AND 统计对象=? AND 登记号=? AND 扣矿区编号 IS NULL "
                    "GROUP BY ") +
                code + QStringLiteral(" ORDER BY ") + code;
            auto q = Db::exec(m_db, sql, {mineral, object, m_djh}, &e);
            if (!q) return fail(e);
            int line = 0;
            while (q->next()) {
                const QString c = textOf(q->value(0));
                if (c.isEmpty()) continue;
                if (line < 6) {
                    m_lines.cells[line][2 * p] = c;
                    m_lines.cells[line][2 * p + 1] = amountText(q->value(1), q->value(2));
                    m_lines.used[line] = true;
                }
                ++line;
            }
            if (!Db::finished(*q, &e)) return fail(e);
        }
        return;
    }

    // One line per own reserve record of this ore type and grade.
    auto q = Db::exec(
        m_db,
        QStringLiteral(
            "SELECT 储量类型, 金属量1, 矿石量1, 基础储量类型, 金属量2, 矿石量2, 资源量类型, 金属量3, "
            "矿石量3 FROM 资源储量 WHERE 矿产代码=? AND 统计对象=? AND 矿石类型=? AND 矿石品级=? "
            "AND 登记号=? AND 扣矿区编号 IS NULL ORDER BY 显示序号"),
        {mineral, object, codeValue(type), codeValue(grade), m_djh}, &e);
    if (!q) return fail(e);
    int line = 0;
    while (q->next() && line < 6) {
        bool any = false;
        for (int p = 0; p < 3; ++p) {
            const QString c = textOf(q->value(3 * p));
            if (c.isEmpty()) continue;
            m_lines.cells[line][2 * p] = c;
            m_lines.cells[line][2 * p + 1] = amountText(q->value(3 * p + 1), q->value(3 * p + 2));
            any = true;
        }
        if (any) m_lines.used[line++] = true;
    }
    if (!Db::finished(*q, &e)) return fail(e);
}

void Builder::emitGroup()
{
    QStringList head = m_prefix;
    while (head.size() < 3)
        head << QString();
    head << m_composition;
    bool emitted = false;
    for (int l = 0; l < 6; ++l) {
        if (!m_lines.used[l]) continue;
        QStringList row = head;
        for (const QString& c : m_lines.cells[l])
            row << c;
        m_result.rows << row;
        emitted = true;
    }
    if (!emitted) {
        QStringList row = head;
        while (row.size() < ReserveGridRows::ColumnCount)
            row << QString();
        m_result.rows << row;
    }
}

ReserveGridRows Builder::run()
{
    Db::Error e;
    auto q = Db::exec(
        m_db,
        QStringLiteral("SELECT 矿产代码, 统计对象, 矿石类型, 矿石品级, 组分名, 组分值, 组分单位, 均值标识 "
                       "FROM 质量 WHERE 登记号=? ORDER BY 显示序号"),
        {m_djh}, &e);
    if (!q) {
        fail(e);
        return m_result;
    }

    // The previous row's key. A Null in a key column of a row counts as no
    // difference and leaves the remembered value as it was.
    int prevMineral = 0, prevObject = 0;
    bool prevAverage = false;
    QString prevType, prevGrade;
    while (q->next()) {
        const QVariant mineralV = q->value(0), objectV = q->value(1), averageV = q->value(7);
        const QString type = textOf(q->value(2));
        const QString grade = textOf(q->value(3));
        const std::optional<int> mineral =
            mineralV.isNull() ? std::nullopt
                              : std::optional<int>(TextNumber::roundToInt32(mineralV.toDouble()));
        const std::optional<int> object =
            objectV.isNull() ? std::nullopt
                             : std::optional<int>(TextNumber::roundToInt16(objectV.toDouble()));
        const std::optional<bool> average =
            averageV.isNull() ? std::nullopt : std::optional<bool>(averageV.toDouble() != 0.0);

        const bool newGroup = (mineral && *mineral != prevMineral) || (object && *object != prevObject) ||
                              type != prevType || grade != prevGrade || (average && *average != prevAverage);

        const int keyMineral = mineral.value_or(prevMineral);
        const int keyObject = object.value_or(prevObject);
        const bool keyAverage = average.value_or(prevAverage);
        if (newGroup) {
            // The ore description: stored texts on average rows, names otherwise.
            QString typeText = type, gradeText = grade;
            if (!keyAverage) {
                Db::Error le;
                typeText = KCUTIL::Get_Ore_Type_Name(
                    keyMineral, TextNumber::roundToInt32(TextNumber::leading(type)), &le);
                gradeText = KCUTIL::Get_Ore_Grade_Name(
                    keyMineral, TextNumber::roundToInt32(TextNumber::leading(grade)), &le);
                if (le.isSet()) fail(le);
            }
            const QString description = QStringLiteral("(1)") + typeText + LF + QStringLiteral("(2)") +
                                        gradeText + LF + QStringLiteral("(3)") + LF;
            if (type == QStringLiteral("10002") && prevType == QStringLiteral("10001")) {
                // Mixed ore after oxidised ore shares its row and its reserve lines.
                m_composition += description;
            } else {
                if (!m_composition.isEmpty()) emitGroup();
                viewReserveRows(keyMineral, keyObject, keyAverage, type, grade);
                m_composition = description;
            }
        }
        m_composition += textOf(q->value(4)) + QStringLiteral(" ") +
                         KCUTIL::Get_Field_NumStr(KCUTIL::FieldValue{q->value(5), Db::TypeDouble}) +
                         QStringLiteral(" ") + textOf(q->value(6)) + LF;

        prevMineral = keyMineral;
        prevObject = keyObject;
        prevAverage = keyAverage;
        prevType = type;
        prevGrade = grade;
    }
    if (!Db::finished(*q, &e)) return ReserveGridRows{{}, {}, e}; // no part taken for the whole
    if (!m_composition.isEmpty()) emitGroup();
    m_result.spans = ReserveGridRows::spansOf(m_result.rows);
    return m_result;
}

} // namespace

ReserveGridRows ReserveGridRows::build(const QString& djh)
{
    return Builder(djh).run();
}

QList<ReserveGridRows::Span> ReserveGridRows::spansOf(const QList<QStringList>& rows)
{
    QList<Span> spans;
    for (int c = 0; c < 4; ++c) {
        int start = 0;
        for (int r = 1; r <= rows.size(); ++r) {
            const bool ends = r == rows.size() || rows.at(r).value(c) != rows.at(start).value(c);
            if (!ends) continue;
            if (r - start > 1) spans.append({start, c, r - start});
            start = r;
        }
    }
    return spans;
}
