#pragma once

#include <QString>

class QApplication;

// What every program of the installation sets up first: its name, Qt's own texts in
// Chinese, the font, set explicitly so that Chinese never falls back to another
// script, the icon of its windows (programIcon()), and a write past the file-size
// limit failing (prepareProcess()).
void prepareApplication(QApplication& app, const QString& name);

// A write past the file-size limit of the process (ulimit -f) fails with EFBIG,
// which every writer reports with the file and the cause, instead of ending the
// program by the signal. The first call of each main(), before anything is
// written: Qt's start-up already writes its warnings.
void prepareProcess();
