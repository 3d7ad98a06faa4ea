#pragma once

#include <QString>

// The rules of the four path boxes of the upgrade window: the entry check before a run
// and the conflicts between a source or target and the late-registration pair. Each
// returns the message to show, or the empty text when the paths pass.
namespace PathRules {

struct Boxes
{
    QString source;       // txtSource
    QString repairSource; // txtRepairSource
    QString desSource;    // txtDesSource
    QString repairDes;    // txtRepairDesPath
};

// The entry check; a later failing check replaces the message of an earlier one.
QString isNull(const Boxes& boxes);

// Two boxes name the same file: equal after trimming, also when spelt differently
// (relative parts, "..", links). An empty box names nothing.
bool samePath(const QString& a, const QString& b);

// A source chosen for the main pair against the late-registration boxes.
QString sourceConflict(const QString& path, const Boxes& boxes);
// A late-registration database against the main boxes.
QString repairConflict(const QString& path, const Boxes& boxes);
// A target of the main pair against the late-registration boxes.
QString targetConflict(const QString& path, const Boxes& boxes);
// A late-registration target against the main boxes.
QString repairTargetConflict(const QString& path, const Boxes& boxes);

// A target of the main pair, or of the late-registration pair (`repair`), that is
// the template `templatePath`.
QString templateConflict(const QString& path, const QString& templatePath, bool repair);

// The same conflicts for paths that were typed rather than chosen, and the targets
// against the template, checked before a run: the first conflict found, or the
// empty text.
QString typedConflict(const Boxes& boxes, const QString& templatePath);

// The file chosen for the error list against every database of the run: the four
// boxes and the template.
QString errorListConflict(const QString& path, const Boxes& boxes, const QString& templatePath);

} // namespace PathRules
