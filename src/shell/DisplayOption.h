#pragma once

#include <QString>

// The display option of the navigation tree: registration nodes labelled by name
// (ViewFlag "1") or by number (ViewFlag "0"), kept in view.ini.
namespace DisplayOption {

// True when the dialog opens with "名称" ticked: any ViewFlag but "0".
bool showsNames(const QString& viewFlag);

// Applies the choice: when it differs from ViewFlag, sets ViewFlag and writes
// view.ini in `programDir`. True when the option changed (the tree is relabelled).
bool apply(bool byName, const QString& programDir);

} // namespace DisplayOption
