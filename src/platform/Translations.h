#pragma once

class QCoreApplication;

// Loads Qt's own Chinese texts (standard buttons, file dialog, context menus) so
// that every dialog of the program speaks Chinese. Returns false when Qt's
// translations are not installed; the program then goes on with Qt's English.
bool installChineseTranslations(QCoreApplication& app);
