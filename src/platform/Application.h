#pragma once

#include <QString>

class QApplication;

// What every program of the installation sets up first: its name, Qt's own texts in
// Chinese, and the font, set explicitly so that Chinese never falls back to another
// script.
void prepareApplication(QApplication& app, const QString& name);
