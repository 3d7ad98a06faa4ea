#include "DataCheckRun.h"

#include "CheckReport.h"
#include "CheckRow.h"
#include "DataCheckRules.h"
#include "platform/ColumnCatalog.h"
#include "platform/Database.h"
#include "platform/FilePaths.h"
#include "platform/TextNumber.h"
#include "shell/KCUTIL_Paths.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <optional>

namespace checks {

namespace {

const QString kSource = QStringLiteral("DataCheck");

// The condition that selects overlay registrations.
QString overlayWhere()
{
    return QStringLiteral(" WHERE substr(登记号,1,1)='4'");
}

// The columns of a rule pass: the registration number and those the rules read.
QStringList withNumber(const QStringList& columns)
{
    return QStringList{QStringLiteral("登记号")} + columns;
}

QString blanksAndNumber(int blanks, int number)
{
    return QString(blanks, QLatin1Char(' ')) + QString::number(number);
}

// Part of a group key read as a whole number; false when the value is Null or
// reads as no number.
bool wholeNumber(const QVariant& v, qint64* n)
{
    if (v.isNull()) return false;
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
        *n = v.toLongLong();
        return true;
    }
    double d = 0;
    if (!TextNumber::readWhole(v.toString(), &d) || !std::isfinite(d)) return false;
    *n = qint64(std::nearbyint(d));
    return true;
}

} // namespace

DataCheckRun::DataCheckRun(QSqlDatabase db, Progress progress)
    : m_db(std::move(db)), m_progress(std::move(progress))
{
}

QString DataCheckRun::reportPath(const QString& programDir)
{
    return KCUTIL::joinPath(programDir, QStringLiteral("数据检查结果.txt"));
}

QString DataCheckRun::stoppedEarlyText()
{
    return QStringLiteral("数据检查中途停止，检查结果不完整！");
}

Result<DataCheckOutcome> DataCheckRun::run(const QString& typedPath, const QString& reportPath)
{
    DataCheckOutcome outcome;
    // A database kept in the report's file would be overwritten by its own report.
    if (FilePaths::sameFile(reportPath, typedPath)) {
        outcome.reportIsDatabase = true;
        return outcome;
    }
    m_counts.clear();
    m_stoppedEarly = false;
    bool overlayRows = false;
    Count_Overlay_Rows(QStringLiteral("压覆"), &overlayRows);
    if (overlayRows) {
        CheckReport report(reportPath, kSource);
        if (Status opened = report.open(); !opened) return opened.error();
        report.writeLine(QStringLiteral("路径：") + typedPath + QStringLiteral("\r\n"));
        Check_Cover_Page(report, QStringLiteral("登记"), QStringLiteral("压覆"),
                         QStringLiteral("登记号,填表人,填表负责人,填表日期"),
                         QStringLiteral("建设单位,行政区代码"), 0);
        Check_First_Page(
            report, QStringLiteral("压覆"), QStringLiteral("报告"),
            QStringLiteral("建设项目名称,建设项目类别,批准单位,矿区名称,矿区编号,所属矿山编号,县城名,方位,"
                           "至县直距,矿业权人,许可证号"),
            QStringLiteral("报告名称,报告提交日期,评审机构,评审日期,评审结论,评估师,备案机关,备案日期"), 0);
        Check_Review(report, QStringLiteral("登记"), QStringLiteral("资源储量"), QStringLiteral("质量"),
                     QStringLiteral("质量"), QStringLiteral("组分名,组分值,组分单位"),
                     QStringLiteral("登记号,审定意见,审定负责人,审定单位,审定日期"), 0);
        Check_Coordinates(report, QStringLiteral("坐标"),
                          QStringLiteral("登记号,矿权坐标,矿权面积,计算坐标,计算面积"), 0);
        if (m_stoppedEarly) report.writeLine(stoppedEarlyText());
        if (Status saved = report.commit(); !saved) return saved.error();
        outcome.reportWritten = true;
    }
    outcome.noData = !overlayRows;
    outcome.stoppedEarly = m_stoppedEarly;
    outcome.errors = m_errors.list();
    return outcome;
}

void DataCheckRun::failed(const Db::Error& error)
{
    m_errors.add(error);
    // SQLite's plain error is a table or column that the statement names and the
    // database lacks: the pass is left out and the run goes on. Any other failure
    // (damage, a lock, a vanished file) leaves rows unread.
    if ((error.number & 0xff) != 1) m_stoppedEarly = true;
}

int DataCheckRun::Count_Overlay_Rows(const QString& table, bool* hasRows)
{
    // Each table is counted once a run; its passes share the count.
    auto it = m_counts.constFind(table);
    if (it == m_counts.cend()) {
        Db::Error error;
        const QVariant n =
            Db::scalar(m_db, QStringLiteral("SELECT count(*) FROM ") + table + overlayWhere(), {}, &error);
        if (error.isSet()) failed(error);
        it = m_counts.insert(table, n.toInt());
    }
    *hasRows = *it > 0;
    return *it;
}

void DataCheckRun::scan(const QString& table, const Columns& columns, const QString& where, int count,
                        const std::function<void(const CheckRow&)>& onRow, int* keyIndex)
{
    // Only what the pass reads: a long text that is only tested for emptiness is
    // never fetched, and a column that no rule looks at is not read at all.
    // The row's columns are named and typed as the table declares them.
    QStringList list;
    QStringList names;
    QList<int> types;
    int key = -1;
    const QList<Db::Column> all = Db::columns(m_db, table);
    for (int i = 0; i < all.size(); ++i) {
        const Db::Column& c = all.at(i);
        const QString name = Db::quotedName(c.name);
        if (i == columns.keyColumn || columns.values.contains(c.name)) {
            if (i == columns.keyColumn) key = int(list.size());
            list << name;
        } else if (columns.tested.contains(c.name)) {
            list << CheckRow::emptyTextSql(name, c.typeCode) + QStringLiteral(" AS ") + name;
        } else {
            continue;
        }
        names << c.name;
        types << c.typeCode;
    }
    if (keyIndex) *keyIndex = key;
    if (list.isEmpty()) {
        // Nothing picked: every column is read, and a table that cannot be read
        // fails on its statement as it is.
        for (const Db::Column& c : all) {
            names << c.name;
            types << c.typeCode;
        }
    }
    const QString select = list.isEmpty() ? QStringLiteral("*") : list.join(QLatin1Char(','));
    scanSql(QStringLiteral("SELECT ") + select + QStringLiteral(" FROM ") + table + where,
            CheckRow(names, types), count, onRow);
}

void DataCheckRun::scanSql(const QString& sql, CheckRow row, int count,
                           const std::function<void(const CheckRow&)>& onRow)
{
    // The rows are stepped through SQLite itself: a value is converted only when a
    // rule asks for it.
    Db::Rows rows(m_db, sql);
    bool more = rows.next();
    Db::Error error;
    if (!more && !rows.finished(&error)) {
        // The statement failed before its first row.
        failed(error);
        return;
    }
    int value = 1;
    const int maximum = count + 1;
    if (m_progress) m_progress(value, maximum);
    row.read(rows);
    for (; more; more = rows.next()) {
        onRow(row);
        if (m_progress) m_progress(++value < maximum ? value : maximum, maximum);
    }
    if (!rows.finished(&error)) {
        error.source = kSource;
        m_errors.add(error);
        m_stoppedEarly = true;
    }
    if (m_progress) m_progress(0, 0);
}

void DataCheckRun::requiredFields(ReportSection& section, const QString& table, const QString& fields,
                                  const QString& where, int keyColumn, const QString& noRowsText,
                                  const QStringList& shownColumns, const MissingLine& lineText)
{
    const QStringList listed = fields.split(QLatin1Char(','));
    bool hasRows = false;
    const int count = Count_Overlay_Rows(table, &hasRows);
    if (!hasRows) {
        section.line(blanksAndNumber(3, section.next()) + noRowsText);
        return;
    }
    int key = -1;
    std::optional<QList<int>> columns; // the listed columns' places, the same in every row
    scan(
        table, Columns{shownColumns, listed, keyColumn}, where, count,
        [&](const CheckRow& row) {
            if (!columns) columns = DataCheckRules::Listed_Columns(row, listed);
            const QStringList missing = DataCheckRules::Missing_Fields(row, *columns);
            if (missing.isEmpty()) return;
            section.line(blanksAndNumber(3, section.next()) + QLatin1Char('.') +
                         (lineText ? lineText(row, key, missing)
                                   : DataCheckRules::Missing_Fields_Text(row, key, missing)));
        },
        &key);
}

void DataCheckRun::Check_Cover_Page(CheckReport& report, const QString& regTable, const QString& kindTable,
                                    const QString& regFields, const QString& kindFields, int keyColumn)
{
    ReportSection section(report, QStringLiteral("【封  页】"));
    requiredFields(section, regTable, regFields, overlayWhere(), keyColumn,
                   QStringLiteral(".登记信息的数据项没有填写。"));
    requiredFields(section, kindTable, kindFields, overlayWhere(), keyColumn,
                   QStringLiteral(".建设单位、行政区代码没有填写。"));
    bool hasRows = false;
    const int count = Count_Overlay_Rows(kindTable, &hasRows);
    if (!hasRows) return;
    std::optional<QList<int>> places; // the rule's columns in the row, the same in every row
    scan(kindTable, Columns{withNumber(DataCheckRules::Region_Code_Columns()), {}, -1}, overlayWhere(), count,
         [&](const CheckRow& row) {
             if (!places) places = row.placesOf(DataCheckRules::Region_Code_Columns());
             if (!DataCheckRules::Region_Code_Fails(row, *places, kindTable, m_errors)) return;
             section.ruleLine(blanksAndNumber(2, section.next()) + QStringLiteral(".登记号(") +
                              row.text(QStringLiteral("登记号")) +
                              QStringLiteral("),行政区代码范围应处于110000至659999之间。"));
         });
}

void DataCheckRun::Check_First_Page(CheckReport& report, const QString& kindTable, const QString& reportTable,
                                    const QString& kindFields, const QString& reportFields, int keyColumn)
{
    ReportSection section(report, QStringLiteral("【第一页】"));
    requiredFields(section, kindTable, kindFields, overlayWhere(), keyColumn,
                   QStringLiteral(".基本情况,数据项没有填写。"));
    bool hasRows = false;
    const int count = Count_Overlay_Rows(kindTable, &hasRows);
    std::optional<QList<int>> places;
    if (hasRows)
        scan(kindTable, Columns{withNumber(DataCheckRules::First_Page_Columns()), {}, -1}, overlayWhere(),
             count, [&](const CheckRow& row) {
                 if (!places) places = row.placesOf(DataCheckRules::First_Page_Columns());
                 const QStringList messages =
                     DataCheckRules::First_Page_Rules(row, *places, kindTable, m_errors);
                 if (messages.isEmpty()) return;
                 const QString djh = row.text(QStringLiteral("登记号"));
                 for (const QString& message : messages)
                     section.ruleLine(blanksAndNumber(3, section.next()) + QStringLiteral(".登记号(") + djh +
                                      message);
             });
    requiredFields(section, reportTable, reportFields, overlayWhere(), keyColumn,
                   QStringLiteral(".压矿评估报告 基本数据项没有填写。"));
}

void DataCheckRun::Check_Review(CheckReport& report, const QString& regTable, const QString& reserveTable,
                                const QString& qualityTable, const QString& averageTable,
                                const QString& qualityFieldList, const QString& reviewFields, int keyColumn)
{
    ReportSection section(report, QStringLiteral("【审  核】"));
    requiredFields(section, regTable, reviewFields, overlayWhere(), keyColumn,
                   QStringLiteral(".核查数据均没有填写。"));
    qualityFields(section, qualityTable, qualityFieldList, keyColumn);
    averageRows(section, averageTable);
    reserveRules(section, reserveTable);
}

void DataCheckRun::qualityFields(ReportSection& section, const QString& table, const QString& fields,
                                 int keyColumn)
{
    // Val(登记号) above 4000000000000: the number the text begins with.
    requiredFields(section, table, fields, QStringLiteral(" WHERE CAST(登记号 AS REAL) > 4000000000000"),
                   keyColumn, QStringLiteral(".压覆矿产资源储量数据没有填写。"), {QStringLiteral("矿产代码")},
                   [](const CheckRow& row, int key, const QStringList& missing) {
                       const QString name = key >= 0 ? row.name(key) : QString();
                       return name + QLatin1Char('(') + row.text(key) + QStringLiteral("),矿产代码(") +
                              row.text(QStringLiteral("矿产代码")) + QStringLiteral(")以下数据没有填写：") +
                              missing.join(QStringLiteral("、"));
                   });
}

void DataCheckRun::averageRows(ReportSection& section, const QString& table)
{
    const QString columns = QStringLiteral("登记号,矿产代码,统计对象,矿石类型,矿石品级,均值标识");
    // The rows' columns, typed as the table declares them.
    const QStringList names = columns.split(QLatin1Char(','));
    QHash<QString, int> declared;
    for (const Db::Column& c : Db::columns(m_db, table))
        declared.insert(c.name, c.typeCode);
    QList<int> types;
    for (const QString& name : names)
        types << declared.value(name, Db::TypeVarWChar);
    const QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table +
                        overlayWhere() + QStringLiteral(" GROUP BY ") + columns +
                        QStringLiteral(" ORDER BY ") + columns;
    bool hasRows = false;
    const int count = Count_Overlay_Rows(table, &hasRows);

    struct Key
    {
        QString djh;
        qint64 mineral = 0;
        qint64 object = 0;
        bool operator==(const Key&) const = default;
    };
    Key previous;
    Key current;
    bool first = true;
    int rowsInGroup = 0;
    bool averageSeen = false;
    // What the report quotes of the group's last row when the group lacks its average row:
    // the group's key, 登记号, 矿产代码 and 统计对象, the first columns of the row.
    constexpr int KeyColumns = 3;
    CheckRow last(names, types);
    auto report = [&] {
        if (rowsInGroup > 1 && !averageSeen) {
            const int number = section.next();
            section.line(QStringLiteral("   ") + QString::number(number) + QStringLiteral("、登记号(") +
                         last.text(0) + QStringLiteral("),矿产代码(") + last.text(1) +
                         QStringLiteral("),统计对象(") + last.text(2) +
                         QStringLiteral(")缺少相应的质量均值记录。"));
        }
    };
    if (!hasRows) return;
    scanSql(sql, CheckRow(names, types), count, [&](const CheckRow& row) {
        // A part of the key that reads as no whole number keeps its value.
        current.djh = row.text(0);
        const bool mineralRead = wholeNumber(row.value(1), &current.mineral);
        const bool objectRead = wholeNumber(row.value(2), &current.object);
        if (!mineralRead || !objectRead)
            m_errors.add(Db::Error{13, kSource, QStringLiteral("类型不匹配：矿产代码或统计对象不是整数")});
        if (first) {
            previous = current;
            first = false;
        }
        if (current == previous) {
            ++rowsInGroup;
        } else {
            report();
            rowsInGroup = 1;
            averageSeen = false;
        }
        if (isTrue(row.value(5))) averageSeen = true;
        previous = current;
        last.keepValues(row, KeyColumns);
    });
    report();
}

void DataCheckRun::reserveRules(ReportSection& section, const QString& table)
{
    bool hasRows = false;
    const int count = Count_Overlay_Rows(table, &hasRows);
    if (!hasRows) return;
    std::optional<QList<int>> places;
    scan(table, Columns{withNumber(DataCheckRules::Reserve_Columns()), {}, -1}, overlayWhere(), count,
         [&](const CheckRow& row) {
             if (!places) places = row.placesOf(DataCheckRules::Reserve_Columns());
             for (const QString& text : DataCheckRules::Reserve_Rules(row, *places, table, m_errors))
                 section.ruleLine(blanksAndNumber(3, section.next()) + text);
         });
}

void DataCheckRun::Check_Coordinates(CheckReport& report, const QString& coordTable,
                                     const QString& coordFields, int keyColumn)
{
    ReportSection section(report, QStringLiteral("【坐  标】"));
    requiredFields(section, coordTable, coordFields, overlayWhere(), keyColumn,
                   QStringLiteral(".压覆矿产资源坐标数据项均没填写。"));
}

} // namespace checks
