#include "CheckDataRun.h"

#include "CheckReport.h"
#include "exchange/TableCopier.h"
#include "platform/FileCopy.h"
#include "platform/FileGate.h"
#include "platform/FilePaths.h"
#include "shell/KCUTIL_Fields.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/myvbs.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

namespace checks {

namespace {

const QString kSource = QStringLiteral("FrmCheckData");

// The registration tables copied into the work database, in this order.
const QStringList kCopiedTables{QStringLiteral("登记"), QStringLiteral("查明"), QStringLiteral("占用"),
                                QStringLiteral("停办"), QStringLiteral("压覆"), QStringLiteral("资源储量"),
                                QStringLiteral("质量"), QStringLiteral("坐标"), QStringLiteral("报告")};
// The tables the checks have no use for, dropped from the work database.
const QStringList kDroppedTables{QStringLiteral("CB01"), QStringLiteral("CB04"), QStringLiteral("CB08"),
                                 QStringLiteral("CB13"), QStringLiteral("参数表")};

// A failure of a statement on the work copy `db`. One that could not write the file
// (a full disk, a file-size limit) names the work copy and the system's cause, as
// every file written does; it is asked before the next statement on `db`.
Db::Error workFailure(const QSqlDatabase& db, Db::Error error)
{
    if (const int cause = Db::writeFailureCause(db, error); cause != 0)
        return CheckReport::writeError(db.databaseName(), kSource, cause);
    error.source = kSource;
    return error;
}

// Runs a statement on the work copy `db`.
std::optional<Db::Error> exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    Db::Error error;
    if (!Db::exec(db, sql, values, &error)) return workFailure(db, error);
    return std::nullopt;
}

// A value of a finding's row as text: nothing for Null, numbers in plain digits.
QString valueText(const QVariant& v)
{
    return KCUTIL::Get_Field_Str(KCUTIL::FieldValue{v, Db::TypeVarWChar});
}

CheckStep finding(const QString& sql, const QString& prefix, const QString& suffix)
{
    return CheckStep{sql, prefix, suffix};
}

CheckStep statement(const QString& sql)
{
    return CheckStep{sql, QString(), QString()};
}

const QString kTwoLineEnds = QStringLiteral("\r\n\r\n");
const QString kOneLineEnd = QStringLiteral("\r\n");
const QString kOreKey = QStringLiteral("登记号,矿产代码,统计对象,矿石类型,矿石品级");

// The statements that pair the reserves of `reserve` with the basic reserves of
// `basic` into `table`.
QList<CheckStep> pairSteps(const QString& table, const QString& reserve, const QString& basic)
{
    return {
        statement(
            QStringLiteral("CREATE TABLE %1 AS SELECT %2,金属量1,矿石量1 FROM 资源储量 WHERE 储量类型 ='%3'")
                .arg(table, kOreKey, reserve)),
        statement(QStringLiteral("ALTER TABLE %1 ADD COLUMN 金属量2 REAL").arg(table)),
        statement(QStringLiteral("ALTER TABLE %1 ADD COLUMN 矿石量2 REAL").arg(table)),
        statement(QStringLiteral("ALTER TABLE %1 ADD COLUMN 资源储量类型 VARCHAR(10)").arg(table)),
        statement(QStringLiteral("CREATE TABLE \"04KC\" AS SELECT %1,金属量2,矿石量2 FROM 资源储量 WHERE "
                                 "基础储量类型 ='%2'")
                      .arg(kOreKey, basic)),
        statement(QStringLiteral("CREATE INDEX \"04KC_key\" ON \"04KC\" (%1)").arg(kOreKey)),
        statement(QStringLiteral(
                      "UPDATE %1 SET 金属量2 = B.金属量2, 矿石量2 = B.矿石量2 FROM \"04KC\" AS B "
                      "WHERE %1.登记号 = B.登记号 AND %1.矿产代码 = B.矿产代码 AND %1.统计对象 = B.统计对象 "
                      "AND %1.矿石类型 = B.矿石类型 AND %1.矿石品级 = B.矿石品级")
                      .arg(table)),
        statement(QStringLiteral("DROP TABLE \"04KC\"")),
        statement(QStringLiteral("UPDATE %1 SET 资源储量类型 = '%2-%3'").arg(table, reserve, basic)),
    };
}

} // namespace

CheckDataRun::CheckDataRun(const QString& programDir, const QString& databaseFile, Progress progress)
    : m_programDir(programDir), m_databaseFile(databaseFile), m_progress(std::move(progress))
{
}

QString CheckDataRun::reportPath(const QString& databaseFile)
{
    return databaseFile.left(databaseFile.size() - 3) + QStringLiteral("Txt");
}

QString CheckDataRun::refusal(Outcome outcome, const QString& databaseFile)
{
    QString lead;
    if (outcome == Outcome::ReportIsDatabase)
        lead = QStringLiteral("检查结果文件就是被检查的数据库文件，检查结果会写在数据库上，不能检查：\n");
    else if (outcome == Outcome::WorkIsDatabase)
        lead = QStringLiteral("检查用的临时数据库就是被检查的数据库文件，检查会删除这个文件，不能检查：\n");
    else
        return QString();
    return lead + QDir::toNativeSeparators(databaseFile);
}

QString CheckDataRun::workPath(const QString& programDir)
{
    return KCUTIL::joinPath(programDir, QStringLiteral("临时.mdb"));
}

const QList<CheckStep>& CheckDataRun::Check_Required_Fields()
{
    const QString missing = QStringLiteral("条记录中以下必填数据项未填!") + kTwoLineEnds;
    auto text = [](const QString& column) {
        return QStringLiteral(" OR %1 IS NULL OR TRIM(%1) = ''").arg(column);
    };
    auto number = [](const QString& column) {
        return QStringLiteral(" OR %1 IS NULL OR %1 = 0").arg(column);
    };
    // The holder column first: its test opens the condition.
    auto condition = [&](const QString& holder, const QStringList& texts, const QStringList& numbers) {
        QString c = QStringLiteral(" WHERE (%1 IS NULL OR TRIM(%1) = ''").arg(holder);
        for (const QString& t : texts)
            c += text(t);
        for (const QString& n : numbers)
            c += number(n);
        return c + QLatin1Char(')');
    };
    static const QList<CheckStep> steps{
        finding(QStringLiteral("SELECT 登记号,探矿权人,矿区编号,行政区代码 FROM 查明") +
                    condition(QStringLiteral("探矿权人"),
                              {QStringLiteral("登记号"), QStringLiteral("矿区编号")},
                              {QStringLiteral("行政区代码")}),
                QStringLiteral("查明登记表中有"), missing),
        finding(QStringLiteral("SELECT 登记号,报告名称,评审文号,备案文号 FROM 报告") +
                    condition(QStringLiteral("报告名称"),
                              {QStringLiteral("评审文号"), QStringLiteral("备案文号")}, {}),
                QStringLiteral("报告表中有"), missing),
        finding(
            QStringLiteral("SELECT 登记号,采矿权人,矿区编号,所属矿山编号,矿区名称,行政区代码 FROM 占用") +
                condition(QStringLiteral("采矿权人"),
                          {QStringLiteral("登记号"), QStringLiteral("矿区编号"), QStringLiteral("矿区名称")},
                          {QStringLiteral("所属矿山编号"), QStringLiteral("行政区代码")}),
            QStringLiteral("占用登记表中有"), missing),
        finding(
            QStringLiteral("SELECT 登记号,建设单位,矿区编号,所属矿山编号,矿区名称,行政区代码 FROM 压覆") +
                condition(QStringLiteral("建设单位"),
                          {QStringLiteral("登记号"), QStringLiteral("矿区编号"), QStringLiteral("矿区名称")},
                          {QStringLiteral("行政区代码")}),
            QStringLiteral("压覆登记表中有"), missing),
        finding(
            QStringLiteral("SELECT 登记号,采矿权人,矿区编号,所属矿山编号,矿区名称,行政区代码 FROM 停办") +
                condition(QStringLiteral("采矿权人"),
                          {QStringLiteral("登记号"), QStringLiteral("矿区编号"), QStringLiteral("矿区名称")},
                          {QStringLiteral("所属矿山编号"), QStringLiteral("行政区代码")}),
            QStringLiteral("停办登记表中有"), missing),
        finding(QStringLiteral("SELECT 登记号 FROM 坐标 WHERE (矿权坐标 = '' OR 计算坐标 = '')"),
                QStringLiteral("坐标表中有"), QStringLiteral("条登记未填矿权坐标或计算坐标!") + kTwoLineEnds),
        finding(QStringLiteral(
                    "SELECT DISTINCT 登记号,矿产代码,统计对象,矿产组合码 FROM 资源储量 WHERE 矿产组合码 "
                    "NOT IN (1,2,3,4,5) ORDER BY 登记号,矿产代码,统计对象,矿产组合码"),
                QStringLiteral("资源储量表中有"), QStringLiteral("条记录中矿产组合码有错误!") + kTwoLineEnds),
        finding(QStringLiteral(
                    "SELECT DISTINCT 登记.登记号 AS 登记号 FROM 登记 LEFT JOIN 资源储量 ON 登记.登记号 = "
                    "资源储量.登记号 WHERE (资源储量.登记号 IS NULL OR TRIM(资源储量.登记号) = '') "
                    "ORDER BY 登记.登记号"),
                QStringLiteral("储量登记库DJK中有"), QStringLiteral("个登记无储量数据!") + kTwoLineEnds),
        finding(
            QStringLiteral("SELECT DISTINCT 登记.登记号 AS 登记号 FROM 登记 LEFT JOIN 质量 ON (登记.登记号 = "
                           "质量.登记号) WHERE (质量.登记号 IS NULL OR TRIM(质量.登记号) = '') "
                           "ORDER BY 登记.登记号"),
            QStringLiteral("储量登记库DJK有"), QStringLiteral("个登记无质量数据!") + kTwoLineEnds),
    };
    return steps;
}

const QList<CheckStep>& CheckDataRun::Check_Numeric_Rules()
{
    static const QList<CheckStep> steps = [] {
        QList<CheckStep> s{finding(
            QStringLiteral("SELECT %1 FROM 资源储量 WHERE (金属量1 < 0 OR 矿石量1 < 0 OR 金属量2 < 0 OR "
                           "矿石量2 < 0 OR 金属量3 < 0 OR 矿石量3 < 0) AND (扣矿区编号 IS NULL OR "
                           "TRIM(扣矿区编号) = '')")
                .arg(kOreKey),
            QStringLiteral("资源储量表中有"), QStringLiteral("条记录储量数据小于零!") + kTwoLineEnds)};
        s += pairSteps(QStringLiteral("基础储量"), QStringLiteral("111"), QStringLiteral("111b"));
        const QString columns = kOreKey + QStringLiteral(",金属量1,矿石量1,金属量2,矿石量2,资源储量类型");
        for (const auto& [reserve, basic] : {std::pair{QStringLiteral("121"), QStringLiteral("121b")},
                                             std::pair{QStringLiteral("122"), QStringLiteral("122b")}}) {
            s += pairSteps(QStringLiteral("基础储量1"), reserve, basic);
            s << statement(QStringLiteral("INSERT INTO 基础储量 (%1) SELECT %1 FROM 基础储量1").arg(columns))
              << statement(QStringLiteral("DROP TABLE 基础储量1"));
        }
        for (const QString& amount : {QStringLiteral("金属量1"), QStringLiteral("矿石量1"),
                                      QStringLiteral("金属量2"), QStringLiteral("矿石量2")})
            s << statement(QStringLiteral("UPDATE 基础储量 SET %1 = 0 WHERE %1 IS NULL").arg(amount));
        s << statement(QStringLiteral("DELETE FROM 基础储量 WHERE ABS(金属量1) <= ABS(金属量2) AND "
                                      "ABS(矿石量1) <= ABS(矿石量2)"))
          << finding(QStringLiteral("SELECT %1,资源储量类型,金属量1 AS 储量金属量,矿石量1 AS 储量矿石量,"
                                    "金属量2 AS 基础储量金属量,矿石量2 AS 基础储量矿石量 FROM 基础储量")
                         .arg(kOreKey),
                     QStringLiteral("资源储量表中有"),
                     QStringLiteral("条记录基础储量小于储量!") + kTwoLineEnds);
        return s;
    }();
    return steps;
}

const QList<CheckStep>& CheckDataRun::Check_Consistency()
{
    static const QList<CheckStep> steps{
        statement(
            QStringLiteral("CREATE TABLE TEMP19006 AS SELECT %1,COUNT(*) AS 个数 FROM 资源储量 GROUP BY %1")
                .arg(kOreKey)),
        statement(QStringLiteral("CREATE TABLE TEMP19008 AS SELECT * FROM TEMP19006 WHERE 1=2")),
        statement(QStringLiteral("INSERT INTO TEMP19008 (%1,个数) SELECT %1,COUNT(*) AS 个数 FROM 质量 WHERE "
                                 "(组分名 IS NOT NULL AND TRIM(组分名) <> '') AND 均值标识 = 0 GROUP BY %1")
                      .arg(kOreKey)),
        statement(QStringLiteral(
            "CREATE TABLE 无质量数据 AS SELECT A.登记号 AS 登记号,A.矿产代码 AS 矿产代码,"
            "A.统计对象 AS 统计对象,A.矿石类型 AS 矿石类型,A.矿石品级 AS 矿石品级,A.个数 AS 个数,"
            "B.个数 AS 质量个数 FROM TEMP19006 A LEFT JOIN TEMP19008 B ON A.登记号=B.登记号 AND "
            "A.矿产代码=B.矿产代码 AND A.统计对象=B.统计对象 AND A.矿石类型=B.矿石类型 AND "
            "A.矿石品级=B.矿石品级 WHERE B.个数 IS NULL")),
        statement(QStringLiteral("DROP TABLE TEMP19006")),
        statement(QStringLiteral("DROP TABLE TEMP19008")),
        statement(
            QStringLiteral("CREATE TABLE TEMP19006 AS SELECT 登记号,矿产代码,统计对象,COUNT(*) AS 个数 FROM "
                           "(SELECT DISTINCT %1 FROM 资源储量) AS D GROUP BY 登记号,矿产代码,统计对象")
                .arg(kOreKey)),
        statement(QStringLiteral("DELETE FROM TEMP19006 WHERE 个数 = 1")),
        statement(QStringLiteral("CREATE TABLE TEMP19008 AS SELECT 登记号,矿产代码,统计对象 FROM 质量 WHERE "
                                 "均值标识 = 1")),
        statement(
            QStringLiteral("CREATE TABLE 质量无对应均值 AS SELECT A.登记号 AS 登记号,A.矿产代码 AS 矿产代码,"
                           "A.统计对象 AS 统计对象,A.个数 AS 个数 FROM TEMP19006 A LEFT JOIN TEMP19008 B ON "
                           "(A.登记号=B.登记号 AND A.矿产代码=B.矿产代码 AND A.统计对象=B.统计对象) "
                           "WHERE B.登记号 IS NULL")),
        statement(QStringLiteral("DROP TABLE TEMP19006")),
        statement(QStringLiteral("DROP TABLE TEMP19008")),
        finding(QStringLiteral("SELECT %1 FROM 无质量数据").arg(kOreKey), QStringLiteral("储量登记库DJK中有"),
                QStringLiteral("条记录有储量无对应质量数据!") + kOneLineEnd),
        finding(QStringLiteral("SELECT 登记号,矿产代码,统计对象 FROM 质量无对应均值"),
                QStringLiteral("储量登记库DJK中有"),
                QStringLiteral("条记录储量有多类型、品级无对应质量均值数据!") + kOneLineEnd),
    };
    return steps;
}

void CheckDataRun::advance()
{
    ++m_value;
    if (m_progress) m_progress(qMin(m_value, m_maximum), m_maximum);
}

Result<CheckDataRun::Outcome> CheckDataRun::run(const CheckGroups& groups)
{
    m_value = 0;
    m_maximum = int(kCopiedTables.size() + kDroppedTables.size()) +
                (groups.required ? int(Check_Required_Fields().size()) : 0) +
                (groups.numeric ? int(Check_Numeric_Rules().size()) : 0) +
                (groups.consistency ? int(Check_Consistency().size()) : 0);
    // A database whose name ends in "Txt" would be its own report.
    if (FilePaths::sameFile(reportPath(m_databaseFile), m_databaseFile)) return Outcome::ReportIsDatabase;
    // The work copy is made anew in the program folder, over whatever file is there.
    if (FilePaths::sameFile(workPath(m_programDir), m_databaseFile)) return Outcome::WorkIsDatabase;
    // The checked file is read in steps, not always under a connection.
    const FileGate::Reading reading(m_databaseFile);
    // The report is written beside its old self and replaces it only when complete.
    CheckReport report(reportPath(m_databaseFile), kSource);
    if (Status opened = report.open(); !opened) return opened.error();
    bool templateMissing = false;
    if (Status made = Copy_To_Work_DB(&templateMissing); !made) {
        if (templateMissing) return Outcome::TemplateMissing;
        return made.error();
    }
    {
        Db::ScopedConnection work(QStringLiteral("work"), workPath(m_programDir), Db::OpenMode::ReadWrite);
        if (!work.ok()) return work.error();
        // The work database is scratch: one transaction makes the checks quick.
        Db::TransactionGuard guard(work.db());
        if (!guard.started()) return guard.beginError(kSource);
        for (const QString& table : kDroppedTables) {
            if (auto e = exec(work.db(), QStringLiteral("DROP TABLE ") + table)) return *e;
            advance();
        }
        if (groups.required)
            if (Status s = runSteps(work.db(), Check_Required_Fields(), report); !s) return s.error();
        if (groups.numeric)
            if (Status s = runSteps(work.db(), Check_Numeric_Rules(), report); !s) return s.error();
        if (groups.consistency)
            if (Status s = runSteps(work.db(), Check_Consistency(), report); !s) return s.error();
        Db::Error error;
        if (!guard.commit(&error)) return workFailure(work.db(), error);
    }
    if (Status saved = report.commit(); !saved) return saved.error();
    return Outcome::Done;
}

Status CheckDataRun::Copy_To_Work_DB(bool* templateMissing)
{
    *templateMissing = false;
    const QString work = workPath(m_programDir);
    // A run that was killed may have left the old copy's journal beside it: SQLite
    // would roll it into the new copy and damage it. It goes with the old copy.
    QStringList files = {work};
    for (const QString& suffix : FilePaths::sideFileSuffixes())
        files << work + suffix;
    // None of them is touched unless all may be.
    for (const QString& file : files)
        if (const QString why = FileGate::refusal(file); !why.isEmpty()) return Db::Error{75, kSource, why};
    for (const QString& file : files)
        if (const Status removed = FileGate::remove(file); !removed)
            return Db::Error{75, kSource, removed.error().description};
    const QString sys = KCUTIL::joinPath(m_programDir, QStringLiteral("djk.sys"));
    if (!myvbs::FileExist(sys)) {
        *templateMissing = true;
        return Db::Error{53, kSource, QStringLiteral("找不到文件 ") + sys};
    }
    QString why;
    if (!FileCopy::copyFile(sys, work, true, &why)) return Db::Error{75, kSource, why};

    Db::ScopedConnection cn(QStringLiteral("work"), work, Db::OpenMode::ReadWrite);
    if (!cn.ok()) return cn.error();
    const QSqlDatabase db = cn.db();
    // The checked database is only read: attached read-only, another program's write
    // lock on it does not stop the copy.
    Db::Error attachError;
    if (!Db::attach(db, m_databaseFile, QStringLiteral("src"), Db::OpenMode::ReadOnly, &attachError))
        return attachError;
    std::optional<Db::Error> failed;
    {
        Db::TransactionGuard guard(db);
        if (!guard.started()) failed = guard.beginError(kSource);
        for (const QString& table : kCopiedTables) {
            if (failed) break;
            // Columns matched by name; a column the working database lacks stays empty.
            const auto source = exchange::tableColumns(db, QStringLiteral("src"), table);
            const auto target = exchange::tableColumns(db, QStringLiteral("main"), table);
            if (!source || !target) {
                failed = source ? target.error() : source.error();
                failed->source = kSource;
                break;
            }
            QStringList sourceNames;
            for (const exchange::CopyColumn& c : *source)
                sourceNames << c.name;
            QStringList shared;
            for (const exchange::CopyColumn& c : *target)
                if (sourceNames.contains(c.name, Qt::CaseInsensitive)) shared << Db::quotedName(c.name);
            const QString list = shared.join(QLatin1Char(','));
            failed =
                exec(db, QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM src.%1").arg(table, list));
            if (failed) break;
            advance();
        }
        Db::Error error;
        if (!failed && !guard.commit(&error)) failed = workFailure(db, error);
    }
    Db::detach(db, QStringLiteral("src"));
    if (failed) return *failed;
    return Status::success();
}

Status CheckDataRun::runSteps(const QSqlDatabase& work, const QList<CheckStep>& steps, CheckReport& report)
{
    for (const CheckStep& step : steps) {
        Db::Error error;
        if (step.isFinding()) {
            // The header gives the number of rows ahead of them: they are counted
            // first, so that a finding is written as it is read, never held whole.
            const QVariant rows = Db::scalar(
                work, QStringLiteral("SELECT count(*) FROM (") + step.sql + QLatin1Char(')'), {}, &error);
            if (error.isSet()) {
                error.source = kSource;
                return error;
            }
            if (rows.toLongLong() > 0) {
                auto q = Db::exec(work, step.sql, {}, &error);
                if (!q) {
                    error.source = kSource;
                    return error;
                }
                if (Status s = Write_Finding(report, step.prefix + rows.toString() + step.suffix, *q); !s)
                    return s;
            }
        } else if (auto e = exec(work, step.sql)) {
            return *e;
        }
        advance();
    }
    return Status::success();
}

Status CheckDataRun::Write_Finding(CheckReport& report, const QString& header, QSqlQuery& rows)
{
    report.write(header);
    const QSqlRecord record = rows.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i) + QStringLiteral("：");
    QString block;
    while (rows.next()) {
        block.clear();
        for (int i = 0; i < names.size(); ++i)
            block += names.at(i) + valueText(rows.value(i)) + QStringLiteral("\r\n");
        report.write(block + QStringLiteral("\r\n"));
    }
    Db::Error error;
    if (!Db::finished(rows, &error)) {
        error.source = kSource;
        return error;
    }
    return Status::success();
}

} // namespace checks
