#pragma once

#include "TableCopier.h"

#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// Small pieces the exchange dialogs share.
namespace exchange {

// The banner line of a dialog ("Garvish数据导出" ...), in 宋体.
QLabel* bannerLabel(const QString& text, const QString& objectName, QWidget* parent);
// A push button that Enter does not press by default.
QPushButton* dialogButton(const QString& caption, const QString& objectName, QWidget* parent);
// The dialog's progress bar PBar, hidden until work runs.
QProgressBar* progressBar(QWidget* parent);

// A progress callback that drives `bar` (shown while work runs) and keeps the
// window painted; the bar is hidden again by hideProgress.
Progress barProgress(QProgressBar* bar);
void hideProgress(QProgressBar* bar);

// Path of the working database and of the template.
QString workingDatabasePath();
QString templatePath();

} // namespace exchange
