#include "DataCheckRules.h"

#include "CheckErrors.h"
#include "platform/TextNumber.h"

namespace checks::DataCheckRules {

namespace {

// The columns a rule pass reads, at their places in the rows of one statement.
struct Reader
{
    const CheckRow& row;
    const QList<int>& places;
    const QStringList& columns; // in the order of `places`
    const QString& table;
    CheckErrors& errors;

    // The place of the `k`th column; -1, with the failure recorded, when the row
    // has no such column.
    int place(qsizetype k) const
    {
        const int i = places.value(k, -1);
        if (i < 0) errors.missingColumn(table, columns.at(k));
        return i;
    }
    // The value of the `k`th column; false when the row lacks it.
    bool read(qsizetype k, QVariant* value) const
    {
        const int i = place(k);
        if (i >= 0) *value = row.value(i);
        return i >= 0;
    }
    // The value of a column that the required fields also test, for a range rule: an
    // empty text reads as Null, so that the rule passes what is reported as missing.
    bool readFilled(qsizetype k, QVariant* value) const
    {
        const int i = place(k);
        if (i >= 0) *value = row.isEmptyText(i) ? QVariant() : row.value(i);
        return i >= 0;
    }
};

// A rule's condition: true when the rule fails. A condition without a truth value
// passes; a condition that could not be tested fails.
bool fails(Truth t)
{
    return t == Truth::True;
}

// Integer part of a number's text: the text before its first ".".
int integerPartLength(const QString& text)
{
    const int point = int(text.indexOf(QLatin1Char('.')));
    return point < 0 ? int(text.size()) : point;
}

// The coordinate rules of the `k`th column, a centre-point one: empty, 0, integer
// part length.
void coordinateRules(const Reader& r, qsizetype k, const QList<int>& lengths, const QString& axis,
                     QStringList* out)
{
    const int i = r.place(k);
    if (i < 0 || r.row.isEmptyText(i)) {
        *out << QStringLiteral("),基本情况 中心点%1坐标没有填写。").arg(axis);
    } else if (fails(equalTo(r.row.value(i), 0))) {
        *out << QStringLiteral("),基本情况 %1坐标错填为0").arg(axis);
    } else if (!lengths.contains(integerPartLength(r.row.text(i)))) {
        *out << QStringLiteral("),基本情况 中心点%1坐标有误。").arg(axis);
    }
}

// A known reserve code of rule 1: the six codes as exact text, 111 and 122 also
// by value.
bool knownReserveCode(const QString& code)
{
    static const QStringList known{QStringLiteral("111"),  QStringLiteral("121"),  QStringLiteral("122"),
                                   QStringLiteral("111b"), QStringLiteral("121b"), QStringLiteral("122b")};
    if (known.contains(code)) return true;
    double n = 0;
    return TextNumber::readWhole(code, &n) && (n == 111.0 || n == 122.0);
}

Truth textIs(const QVariant& v, const QString& text)
{
    if (!v.isValid() || v.isNull()) return Truth::Unknown;
    return truthOf(v.toString() == text);
}

} // namespace

const QStringList& Region_Code_Columns()
{
    static const QStringList columns{QStringLiteral("行政区代码")};
    return columns;
}

const QStringList& First_Page_Columns()
{
    static const QStringList columns{QStringLiteral("矿区编号"), QStringLiteral("所属矿山编号"),
                                     QStringLiteral("中心点X坐标"), QStringLiteral("中心点Y坐标"),
                                     QStringLiteral("方位")};
    return columns;
}

const QStringList& Reserve_Columns()
{
    static const QStringList columns{QStringLiteral("矿产代码"),     QStringLiteral("储量类型"),
                                     QStringLiteral("基础储量类型"), QStringLiteral("资源量类型"),
                                     QStringLiteral("金属量1"),      QStringLiteral("矿石量1"),
                                     QStringLiteral("金属量2"),      QStringLiteral("矿石量2"),
                                     QStringLiteral("金属量3"),      QStringLiteral("矿石量3")};
    return columns;
}

QList<int> Listed_Columns(const CheckRow& row, const QStringList& listed)
{
    QList<int> columns;
    for (int i = 0; i < row.columnCount(); ++i)
        if (listed.contains(row.name(i))) columns << i;
    return columns;
}

QStringList Missing_Fields(const CheckRow& row, const QList<int>& columns)
{
    QStringList missing;
    for (int i : columns)
        if (row.isEmptyText(i)) missing << row.name(i);
    return missing;
}

QStringList Missing_Fields(const CheckRow& row, const QStringList& listed)
{
    return Missing_Fields(row, Listed_Columns(row, listed));
}

QString Missing_Fields_Text(const CheckRow& row, int keyColumn, const QStringList& missing)
{
    const QString key = keyColumn >= 0 && keyColumn < row.columnCount() ? row.name(keyColumn) : QString();
    return key + QLatin1Char('(') + row.text(keyColumn) + QStringLiteral("),以下数据没有填写：") +
           missing.join(QStringLiteral("、"));
}

bool Region_Code_Fails(const CheckRow& row, const QList<int>& places, const QString& table,
                       CheckErrors& errors)
{
    const Reader r{row, places, Region_Code_Columns(), table, errors};
    QVariant v;
    if (!r.readFilled(0, &v)) return true;
    return fails(outside(v, 110000, 659999));
}

QStringList First_Page_Rules(const CheckRow& row, const QList<int>& places, const QString& table,
                             CheckErrors& errors)
{
    // The columns at their places in First_Page_Columns.
    enum { Area, Mine, X, Y, Bearing };
    const Reader r{row, places, First_Page_Columns(), table, errors};
    QStringList out;
    QVariant v;
    if (!r.readFilled(Area, &v) || fails(outside(v, 110000000, 659999999)))
        out << QStringLiteral("),基本情况,矿区编号范围应处于110000000至659999999之间。");
    if (!r.readFilled(Mine, &v) || fails(greaterThan(v, 999)))
        out << QStringLiteral("),基本情况,所属矿山编号应是3位数字。");
    coordinateRules(r, X, {7, 2, 1}, QStringLiteral("X"), &out);
    coordinateRules(r, Y, {8, 3, 2}, QStringLiteral("Y"), &out);
    if (!r.readFilled(Bearing, &v) || fails(outside(v, 0, 360)))
        out << QStringLiteral("),基本情况,方位应处于0至360。");
    return out;
}

QStringList Reserve_Rules(const CheckRow& row, const QList<int>& places, const QString& table,
                          CheckErrors& errors)
{
    // The columns at their places in Reserve_Columns; the amounts 金属量n and 矿石量n
    // follow each other from Metal1 on.
    enum { Mineral, Code, Basic, Resource, Metal1 };
    const Reader r{row, places, Reserve_Columns(), table, errors};
    QStringList out;
    // The texts that lead a line, made once and only for a row that fails.
    QString number;
    QString longHead;
    auto shortHead = [&] {
        if (number.isNull())
            number = QStringLiteral("登记号(") + row.text(QStringLiteral("登记号")) +
                     QStringLiteral("),残留矿产资源储量 ");
        return number;
    };
    auto head = [&] {
        if (longHead.isNull())
            longHead = QStringLiteral(".登记号(") + row.text(QStringLiteral("登记号")) +
                       QStringLiteral("),矿产代码(") + row.text(places.value(Mineral, -1)) +
                       QStringLiteral("),残留矿产资源储量 ");
        return longHead;
    };

    QVariant code, basic, resource;
    const bool hasCode = r.read(Code, &code);
    const bool hasBasic = r.read(Basic, &basic);
    const bool hasResource = r.read(Resource, &resource);
    QVariant amount[7]; // 金属量1..3 at 1..3, 矿石量1..3 at 4..6
    bool hasAmount[7] = {};
    for (int i = 1; i <= 3; ++i) {
        hasAmount[i] = r.read(Metal1 + 2 * (i - 1), &amount[i]);
        hasAmount[i + 3] = r.read(Metal1 + 2 * (i - 1) + 1, &amount[i + 3]);
    }
    // 1: the reserve code must be one of the known codes (Null passes).
    if (!hasCode || (!code.isNull() && !knownReserveCode(code.toString())))
        out << head() + QStringLiteral("储量编码、基础储量编码、资源量编码与词表不符。");

    // 2 to 4: a reserve must not exceed its basic reserve.
    struct Pair
    {
        QString reserve;
        QString basic;
        QString line;
    };
    static const Pair pairs[] = {
        {QStringLiteral("111"), QStringLiteral("111b"),
         QStringLiteral("编码为111的储量(包括金属和矿石储量)应小于编码为111b的基础储量。")},
        {QStringLiteral("122"), QStringLiteral("122b"),
         QStringLiteral("编码为122的储量(包括金属和矿石储量)应小于编码为122b的基础储量。")},
        {QStringLiteral("121"), QStringLiteral("121b"),
         QStringLiteral("编码为121的储量(包括金属和矿石储量)应小于编码为121b的资源储量。")}};
    const bool pairRead = hasCode && hasBasic && hasAmount[1] && hasAmount[2] && hasAmount[4] && hasAmount[5];
    for (const Pair& p : pairs) {
        bool failed = !pairRead;
        // A row of other codes passes without its amounts being compared.
        const Truth codes = failed ? Truth::False : textIs(code, p.reserve) && textIs(basic, p.basic);
        if (codes != Truth::False)
            failed = fails(codes && (greaterThan(amount[1], amount[2]) || greaterThan(amount[4], amount[5])));
        if (failed) out << head() + p.line;
    }

    // 5: some amount must not be 0.
    bool allAmounts = true;
    for (int i = 1; i <= 6; ++i)
        allAmounts = allAmounts && hasAmount[i];
    Truth allZero = Truth::True;
    if (allAmounts)
        for (int i = 1; i <= 6; ++i)
            allZero = allZero && equalTo(amount[i], 0);
    if (!allAmounts || fails(allZero))
        out << QStringLiteral("、") + shortHead() +
                   QStringLiteral("一条资源储量记录中至少有一条储量、基础储量、资源量的金属或矿石量不为0。");

    // 6: no code and no metal amount: an empty placeholder.
    auto noCode = [](const QVariant& v) { return v.isNull() ? Truth::True : equalTo(v, 0); };
    bool failed6 = !hasCode || !hasBasic || !hasResource || !hasAmount[1] || !hasAmount[2] || !hasAmount[3];
    if (!failed6) {
        // Each part is read only while the ones before leave the rule open.
        Truth all = noCode(code);
        if (all != Truth::False) all = all && noCode(basic);
        if (all != Truth::False) all = all && noCode(resource);
        for (int i = 1; i <= 3 && all != Truth::False; ++i)
            all = all && equalTo(amount[i], 0);
        failed6 = fails(all);
    }
    if (failed6)
        out << QStringLiteral(".") + shortHead() +
                   QStringLiteral("矿产或统计对象的矿石类型或品级的质量记录存在时应有相应的资源储量记录。");
    return out;
}

} // namespace checks::DataCheckRules
