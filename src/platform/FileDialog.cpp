#include "FileDialog.h"

#include <QFileDialog>
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
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(Kind::Open, caption, &r)) return r;
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(Kind::Save, caption, &r)) return r;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString FileDialog::getOpenOrNewFileName(QWidget* parent, const QString& caption, const QString& dir,
                                         const QString& filter)
{
    QString r;
    if (fake(Kind::OpenOrNew, caption, &r)) return r;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString FileDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    QString r;
    if (fake(Kind::Directory, caption, &r)) return r;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
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
