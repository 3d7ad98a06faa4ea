#pragma once

#include "TableCopier.h"

#include <QString>
#include <QStringList>

#include <functional>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

// Small pieces the exchange dialogs share.
namespace exchange {

// The banner line of a dialog ("Garvish数据导出" ...), in 宋体.
QLabel* bannerLabel(const QString& text, const QString& objectName, QWidget* parent);
// A push button that Enter does not press by default.
QPushButton* dialogButton(const QString& caption, const QString& objectName, QWidget* parent);
// The dialog's hint text Label2.
QLabel* hintLabel(const QString& text, QWidget* parent);
// The frame `caption` (object name Frame1 or Frame2) holding the path box Text1 and
// the browse button "..." (`browseName`).
struct PathFrame
{
    QGroupBox* frame = nullptr;
    QLineEdit* text = nullptr;
    QPushButton* browse = nullptr;
};
PathFrame pathFrame(const QString& caption, const QString& frameName, const QString& browseName,
                    QWidget* parent);
// The row of the buttons Command2_0, Command2_1 ... with `captions`; a click
// calls `clicked` with the button's index.
QHBoxLayout* commandRow(const QStringList& captions, QWidget* parent,
                        const std::function<void(int)>& clicked);
// The dialog's progress bar PBar, hidden until work runs; its room is kept for it.
QProgressBar* progressBar(QWidget* parent);

// A progress callback that drives `bar` (shown while work runs) and keeps the
// window painted; the bar is hidden again by hideProgress.
Progress barProgress(QProgressBar* bar);
void hideProgress(QProgressBar* bar);

// Once an import has ended, however it ended, the focus leaves "导入" (Command2_0)
// for "退出" (Command2_1): the Enter that closes the last message must not start
// the import again.
void focusAfterImport(QWidget* dialog);

// One message "错误" per date that the copy turned into Null.
void showOldDates(const QList<OldDate>& dates, QWidget* parent);

// "..." of an export dialog: the save dialog "选择导出文件" starting at `box`'s
// path; an existing file is taken only when "文件已经存在,是否覆盖?" is answered Yes.
void chooseExportTarget(QLineEdit* box, QWidget* parent);
// The export target typed in `box`; an empty box is told ("请先指定导出文件名！"),
// puts the focus into it and gives the empty text.
QString typedExportTarget(QLineEdit* box, const QString& title, QWidget* parent);
// The folder of an export target must exist, and the target must be neither the
// working database nor the template; a refusal is told and puts the focus into
// `box`.
bool acceptExportTarget(const QString& target, QLineEdit* box, QWidget* parent);
// The second of these checks alone, for an export that leaves the folder to its writer.
bool acceptNotDatabaseTarget(const QString& target, QLineEdit* box, QWidget* parent);

// Path of the working database and of the template.
QString workingDatabasePath();
QString templatePath();

} // namespace exchange
