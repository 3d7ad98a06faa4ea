#include "FileDialog.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QQueue>
#include <QStringList>

namespace {
struct DialogState
{
    bool testMode = false;
    QQueue<QString> names;
    QStringList captions;
    QList<FileDialog::Kind> kinds;
};

DialogState& st()
{
    static DialogState s;
    return s;
}

bool fake(FileDialog::Kind kind, const QString& caption, QString* result)
{
    DialogState& s = st();
    if (!s.testMode) return false;
    s.captions << caption;
    s.kinds << kind;
    *result = s.names.isEmpty() ? QString() : s.names.dequeue();
    return true;
}

// Icons and kinds of the files listed, from their names alone. The stock ones read
// the start of every file whose name does not settle its kind, and a folder shown
// may hold a database this program has open, under any name: closing that
// descriptor would let go SQLite's locks on it.
class IconsByName : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override
    {
        if (!info.isFile()) return QFileIconProvider::icon(info);
        const QIcon themed = QIcon::fromTheme(kindOf(info).iconName());
        return themed.isNull() ? QFileIconProvider::icon(File) : themed;
    }
    QString type(const QFileInfo& info) const override
    {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType kind = kindOf(info);
        return kind.comment().isEmpty() ? kind.name() : kind.comment();
    }

private:
    static QMimeType kindOf(const QFileInfo& info)
    {
        return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }
};

// The name chosen in a dialog of ours, empty when it was cancelled. The system's
// own dialog would list the folder with icons of its own, so it is not used.
QString ask(QWidget* parent, const QString& caption, const QString& dir, const QString& filter,
            QFileDialog::AcceptMode accept, QFileDialog::FileMode mode, QFileDialog::Options options = {})
{
    IconsByName icons; // the dialog keeps only a pointer: made first, it goes last
    // The folder and the file are chosen only once the icons are ours: choosing a file
    // looks its kind up there and then.
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setOptions(options | QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    if (const QFileInfo start(dir); start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (!dir.isEmpty()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(Kind::Open, caption, &r)) return r;
    return ask(parent, caption, dir, filter, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(Kind::Save, caption, &r)) return r;
    return ask(parent, caption, dir, filter, QFileDialog::AcceptSave, QFileDialog::AnyFile);
}

QString FileDialog::getOpenOrNewFileName(QWidget* parent, const QString& caption, const QString& dir,
                                         const QString& filter)
{
    QString r;
    if (fake(Kind::OpenOrNew, caption, &r)) return r;
    return ask(parent, caption, dir, filter, QFileDialog::AcceptSave, QFileDialog::AnyFile,
               QFileDialog::DontConfirmOverwrite);
}

QString FileDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    QString r;
    if (fake(Kind::Directory, caption, &r)) return r;
    return ask(parent, caption, dir, QString(), QFileDialog::AcceptOpen, QFileDialog::Directory,
               QFileDialog::ShowDirsOnly);
}

void FileDialog::setTestMode(bool on)
{
    st().testMode = on;
}

void FileDialog::setNextFileName(const QString& name)
{
    st().names.enqueue(name);
}

QStringList FileDialog::captions()
{
    return st().captions;
}

QList<FileDialog::Kind> FileDialog::kinds()
{
    return st().kinds;
}

void FileDialog::clear()
{
    st().kinds.clear();
    st().names.clear();
    st().captions.clear();
}
