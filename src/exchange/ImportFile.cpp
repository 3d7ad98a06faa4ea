#include "ImportFile.h"

#include "ExchangeFiles.h"
#include "ExchangeWindow.h"
#include "ImportFileCheck.h"
#include "platform/BusyCursor.h"
#include "platform/ErrorBox.h"
#include "platform/FilePaths.h"
#include "platform/Prompt.h"
#include "shell/KCUTIL_Paths.h"
#include "shell/MAINBAS.h"
#include "shell/MainWindowServices.h"
#include "shell/ProgramState.h"
#include "shell/ShellNames.h"
#include "shell/myvbs.h"

#include <QCoreApplication>
#include <QDir>

namespace exchange {

namespace {
const QString Title = QStringLiteral("提示");

// A file that cannot be opened; a cause that the clerk can remedy is told with it.
void openFailed(const Db::Error& error, QWidget* parent)
{
    QString text = QStringLiteral("指定的导入文件打开出现错误,请检查是否允许打开该数据库！");
    if (error.number == Db::ReadOnlyRollback) text += QLatin1Char('\n') + error.description;
    Prompt::message(text, Title, Prompt::Icon::Information, parent);
}
} // namespace

QString backupPath()
{
    return KCUTIL::joinPath(state().ProgramDir, QStringLiteral("DATABASE_BAKUP.MDB"));
}

bool backupBeforeImport(QWidget* parent)
{
    const QString backup = backupPath();
    if (FilePaths::sameFile(workingDatabasePath(), backup)) {
        Prompt::message(QStringLiteral("当前数据库就是导入前备份用的文件：") +
                            QDir::toNativeSeparators(backup) +
                            QStringLiteral("\r导入时会用备份覆盖它，请打开其它数据库后再导入！"),
                        Title, Prompt::Icon::Exclamation, parent);
        return false;
    }
    Status saved;
    {
        BusyCursor busy;
        // The box the clerk answered has closed; what it covered is painted again,
        // with the status text, before the copy holds the program for seconds.
        const QString activity = mainWindow().panelText(1);
        mainWindow().setPanelText(1, StatusText::BackingUp);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        saved = backupDatabase(state().Cn(), backup);
        mainWindow().setPanelText(1, activity);
    }
    if (!saved) {
        ErrorBox::show(saved.error(), parent);
        return false;
    }
    return true;
}

ImportRun::ImportRun(const QString& source, QWidget* parent)
    : m_reading(source)
{
    m_backedUp = backupBeforeImport(parent);
    if (m_backedUp) m_busy.emplace();
}

bool acceptImportFile(const QString& path, const QString& table, const QString& noTable, bool checkVersion,
                      const QStringList& reads, QWidget* parent)
{
    Db::Error error;
    std::unique_ptr<Db::ScopedConnection> file;
    switch (Check_Import_File(path, table, &file, &error)) {
    case 1:
        break;
    case 0:
        Prompt::message(noTable, Title, Prompt::Icon::Information, parent);
        return false;
    default:
        openFailed(error, parent);
        return false;
    }
    // A damaged file is refused by its name before anything is written, as the
    // working database is at open: its reads would end part way.
    if (!MAINBAS::Check_Whole_File(file->db(), path, parent)) return false;
    // The file stays open for the checks that follow, all against one opening of
    // the template.
    const Db::ScopedConnection reference(QStringLiteral("template"), templatePath(), Db::OpenMode::ReadOnly);
    if (checkVersion) {
        switch (MAINBAS::Check_Import_DB(file->db(), reference)) {
        case 1:
            break;
        case -2:
            Prompt::message(QStringLiteral("指定的导入文件非固体登记数据库,请重新选择！"), Title,
                            Prompt::Icon::Information, parent);
            return false;
        case -3:
            Prompt::message(QStringLiteral("导入的数据库的版本过低，请先使用数据库升级模块进行数据库升级！"),
                            Title, Prompt::Icon::None, parent);
            return false;
        default:
            // The check itself failed and has shown why.
            return false;
        }
    }
    return acceptImportTables(file->db(), reference, reads, parent);
}

bool acceptChosenFile(const QString& path, const QString& table, const QString& noTable,
                      const QStringList& reads, QWidget* parent)
{
    if (!myvbs::FileExist(path)) {
        Prompt::message(QStringLiteral("文件不存在,请重新选择！"), Title, Prompt::Icon::Information, parent);
        return false;
    }
    return acceptImportSource(path, parent) && acceptImportFile(path, table, noTable, true, reads, parent);
}

bool acceptImportTables(const QString& path, const QStringList& reads, QWidget* parent)
{
    Db::ScopedConnection file(QStringLiteral("Import_Cn"), path, Db::OpenMode::ReadOnly);
    if (!file.ok()) {
        openFailed(file.error(), parent);
        return false;
    }
    const Db::ScopedConnection reference(QStringLiteral("shape"), templatePath(), Db::OpenMode::ReadOnly);
    return acceptImportTables(file.db(), reference, reads, parent);
}

bool acceptImportTables(const QSqlDatabase& file, const Db::ScopedConnection& reference,
                        const QStringList& reads, QWidget* parent)
{
    const Db::MissingColumn missing = missingImportColumn(file, reference, reads);
    if (!missing.isSet()) return true;
    Prompt::message(missingImportMessage(missing), Title, Prompt::Icon::Information, parent);
    return false;
}

QString missingImportMessage(const Db::MissingColumn& missing)
{
    return QStringLiteral("指定的导入文件") + MAINBAS::Missing_Table_Text(missing.table, missing.column) +
           QStringLiteral("，不能导入，请重新选择！");
}

bool acceptImportPath(const QString& path, QWidget* parent)
{
    if (path.isEmpty()) {
        Prompt::message(QStringLiteral("请先指定导入文件名！"), Title, Prompt::Icon::Information, parent);
        return false;
    }
    if (!myvbs::FileExist(path)) {
        Prompt::message(QStringLiteral("指定的导入文件不存在,请重新选择！"), Title, Prompt::Icon::Information,
                        parent);
        return false;
    }
    return acceptImportSource(path, parent);
}

bool acceptImportSource(const QString& path, QWidget* parent)
{
    if (!FilePaths::sameFile(path, workingDatabasePath()) && !FilePaths::sameFile(path, backupPath()))
        return true;
    Prompt::message(QStringLiteral("不能从当前数据库或其备份文件导入,请重新选择！"), Title,
                    Prompt::Icon::Information, parent);
    return false;
}

} // namespace exchange
