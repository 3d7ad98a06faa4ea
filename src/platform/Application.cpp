#include "Application.h"

#include "Translations.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QThreadPool>

#include <csignal>

void prepareApplication(QApplication& app, const QString& name)
{
    QApplication::setApplicationName(name);
    // A write past the file-size limit of the process (ulimit -f) fails with EFBIG,
    // which every writer reports with the file and the cause, instead of ending the
    // program by the signal and leaving its temporary file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // The first window waits for the list of the system's fonts, which does not
    // depend on the program: it is read in the background while the program reads
    // its settings and opens its database.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    installChineseTranslations(app);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);
}
