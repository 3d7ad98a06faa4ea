#pragma once

#include <QString>

class QProgressBar;
class QWidget;

namespace checks {

// The progress bar of a check dialog: hidden until work runs, and keeping its
// place while hidden, so that showing it moves nothing.
QProgressBar* newCheckProgressBar(QWidget* parent, const QString& name);

} // namespace checks
