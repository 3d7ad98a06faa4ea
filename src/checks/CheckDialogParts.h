#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QHBoxLayout;
class QProgressBar;
class QPushButton;
class QWidget;

// The pieces the check dialogs are built of.
namespace checks {

// The progress bar of a check dialog: hidden until work runs, and keeping its
// place while hidden, so that showing it moves nothing.
QProgressBar* newCheckProgressBar(QWidget* parent, const QString& name);

// The row of a check dialog's command buttons `name`_0, `name`_1 ... captioned
// `captions` by index, stored in `buttons` (as many as captions) and laid out in
// `order`, after a stretch when `stretch` is set. Enter presses none of them; a
// click calls `clicked` with the button's index.
QHBoxLayout* newCheckButtonRow(QWidget* parent, const QString& name, const QStringList& captions,
                               const QList<int>& order, bool stretch, QPushButton** buttons,
                               const std::function<void(int)>& clicked);

} // namespace checks
