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
};

DialogState& st()
{
    static DialogState s;
    return s;
}

bool fake(const QString& caption, QString* result)
{
    DialogState& s = st();
    if (!s.testMode) return false;
    s.captions << caption;
    *result = s.names.isEmpty() ? QString() : s.names.dequeue();
    return true;
}
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(caption, &r)) return r;
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    QString r;
    if (fake(caption, &r)) return r;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString FileDialog::getTargetFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter)
{
    QString r;
    if (fake(caption, &r)) return r;
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString FileDialog::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    QString r;
    if (fake(caption, &r)) return r;
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

void FileDialog::clear()
{
    st().names.clear();
    st().captions.clear();
}
