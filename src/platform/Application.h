#pragma once

#include <QString>

class QApplication;

// What every program of the installation sets up first: its name, Qt's own texts in
// Chinese, the font, set explicitly so that Chinese never falls back to another
// script, and a write past the file-size limit failing rather than ending the program.
void prepareApplication(QApplication& app, const QString& name);
