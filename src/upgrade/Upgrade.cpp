#include "Upgrade.h"

#include "Deductions.h"
#include "DjkDatabase.h"
#include "GradeRemap.h"
#include "LateRegistration.h"
#include "NewDatabase.h"

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileError.h"
#include "platform/FileGate.h"
#include "platform/FilePaths.h"
#include "platform/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

#include <optional>

namespace {
const QString kSource = QStringLiteral("src");
const QString kRepair = QStringLiteral("rep");
} // namespace

Upgrade::Upgrade(Module1& state, const QString& programDir, Progress progress)
    : m(state), m_programDir(programDir), m_progress(std::move(progress))
{
}

QString Upgrade::templatePath(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("djk.sys"));
}

void Upgrade::step()
{
    ++m_done;
    if (m_progress) m_progress(m_done, m_total);
}

void Upgrade::deleteNewFiles()
{
    for (QString* path : {&m.newDbPath, &m.newRepairDbPath}) {
        if (!path->isEmpty() && QFileInfo::exists(*path)) {
            QFile::setPermissions(*path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            NewFile::discard(*path);
        }
        path->clear();
    }
}

// Fills the new file at `newPath` from the database at `sourcePath`. With a
// `repairPath`, the deductions are checked against both databases and faulty ones end
// the work (answered in `errors`, nothing committed); without one, against the source
// alone and unchecked. Answers the number of distinct deducted numbers.
Result<int> Upgrade::upgradeInto(const QString& newPath, const QString& target, const QString& sourcePath,
                                 const QString& repairPath, QStringList* errors)
{
    Db::ScopedConnection c(QStringLiteral("upgrade-new"), newPath, Db::OpenMode::ReadWrite);
    if (!c.ok()) return c.error();
    auto filled = fill(c.db(), sourcePath, repairPath, errors);
    if (filled) return filled;
    // A failure to write the hidden work file is said of the target the clerk chose,
    // with the system's cause; any other failure (of a source, of the data) as it is.
    Db::Error e = filled.error();
    if (const int cause = Db::writeFailureCause(c.db(), e); cause != 0)
        e.description = FileError::text(target, cause);
    return e;
}

Result<int> Upgrade::fill(const QSqlDatabase& db, const QString& sourcePath, const QString& repairPath,
                          QStringList* errors)
{
    Db::Error error;
    if (!Db::attach(db, sourcePath, kSource, Db::OpenMode::ReadOnly, &error)) return error;
    const bool withRepair = !repairPath.isEmpty();
    if (withRepair && !Db::attach(db, repairPath, kRepair, Db::OpenMode::ReadOnly, &error)) return error;

    Db::TransactionGuard tx(db);
    if (!tx.started()) return tx.beginError(QStringLiteral("SQLite"));
    if (Status s = NewDatabase::copyTables(db, kSource, m.tableNames, [this] { step(); }); !s)
        return s.error();
    if (errors) {
        if (withRepair)
            if (Status s = LateRegistration::doConnectionRepairBusiness(db, kRepair); !s) return s.error();
        auto faulty = Deductions::checkKcOrigin(db, withRepair);
        if (!faulty) return faulty.error();
        step();
        if (!faulty->isEmpty()) {
            *errors = *faulty;
            return 0;
        }
    }
    auto deducted = Deductions::fillKc(db, withRepair);
    if (!deducted) return deducted.error();
    if (withRepair)
        if (Status s = LateRegistration::deleteTempTable(db); !s) return s.error();
    step();
    if (Status s = GradeRemap::remapGrade11001(db); !s) return s.error();
    step();
    if (!tx.commit(&error)) return error;
    return *deducted;
}

Result<Upgrade::Outcome> Upgrade::doBusiness()
{
    // The sources are read from before anything is swept until the new files are put
    // in place: a source that bears the name of a stale temporary or work file beside
    // a target stays. A source that is a target of the run (upgraded in place) is not
    // declared, or the gate would refuse its own new file.
    const auto isTarget = [this](const QString& file) {
        return FilePaths::sameFile(file, m.desPath) ||
               (m.isRepair && FilePaths::sameFile(file, m.repairDesPath));
    };
    std::optional<FileGate::Reading> readingSource, readingRepair;
    if (!isTarget(m.sourcePath)) readingSource.emplace(m.sourcePath);
    if (m.isRepair && !isTarget(m.repairSourcePath)) readingRepair.emplace(m.repairSourcePath);
    const QDateTime started = Clock::now();
    m.newDbPath.clear();
    m.newRepairDbPath.clear();
    const auto fail = [this](const Db::Error& e) -> Result<Outcome> {
        deleteNewFiles();
        return e;
    };
    // Every folder is known before anything is made.
    if (NewDatabase::StripPathName(m.sourcePath).isEmpty() ||
        NewDatabase::StripPathName(m.desPath).isEmpty() ||
        (m.isRepair && NewDatabase::StripPathName(m.repairDesPath).isEmpty()))
        return Db::Error{-1, QStringLiteral("Quillet"), QStringLiteral("源数据库路径选择不正确！")};

    bool repairOlder = false;
    if (m.isRepair) {
        const auto current = DjkDatabase::isConsistent(m.repairSourcePath, templatePath(m_programDir));
        if (!current) return current.error();
        repairOlder = !*current;
    }
    const int tables = int(m.tableNames.size());
    m_done = 0;
    m_total = (tables + 3) + (repairOlder ? tables + 2 : 0) + 1;

    auto made = NewDatabase::createNewDb(templatePath(m_programDir), m.desPath, started);
    if (!made) return fail(made.error());
    m.newDbPath = *made;
    Outcome outcome;
    auto deducted = upgradeInto(m.newDbPath, m.desPath, m.sourcePath,
                                m.isRepair ? m.repairSourcePath : QString(), &outcome.errors);
    if (!deducted) return fail(deducted.error());
    if (!outcome.errors.isEmpty()) {
        deleteNewFiles();
        outcome.ending = Ending::FaultyDeductions;
        return outcome;
    }
    outcome.ending = *deducted > 0 ? Ending::Completed : Ending::CompletedWithoutDeductions;

    if (repairOlder) {
        auto repair = NewDatabase::createNewDb(templatePath(m_programDir), m.repairDesPath, started);
        if (!repair) return fail(repair.error());
        m.newRepairDbPath = *repair;
        auto filled = upgradeInto(m.newRepairDbPath, m.repairDesPath, m.repairSourcePath, QString(), nullptr);
        if (!filled) return fail(filled.error());
    }

    // Nothing is swept from here on.
    readingSource.reset();
    readingRepair.reset();
    if (Status s = NewDatabase::replaceTarget(m.newDbPath, m.desPath); !s) return fail(s.error());
    m.newDbPath.clear();
    if (repairOlder) {
        if (Status s = NewDatabase::replaceTarget(m.newRepairDbPath, m.repairDesPath); !s)
            return fail(s.error());
        m.newRepairDbPath.clear();
        outcome.repairUpgraded = true;
    }
    step();
    return outcome;
}
