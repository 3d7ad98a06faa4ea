#pragma once

#include "registration/record/EntryValues.h"

class CommandTargets;
class NewTab;

// The entry window's side of checking, saving and deleting a registration: reads
// what the window holds, runs the record layer, shows its messages, and brings the
// window and its registration list up to date. The main window's Save and Delete
// reach these through its entry hooks (Register).
namespace EntryRecord {

// The checks before saving: the first fault is shown, its page selected and the
// cursor put into its box. False when a fault was shown or a question answered No
// (Check_Failed is then true).
bool Check_Before_Save(NewTab& window);

// Saves the registration shown. On success the Save mark is cleared, the extents
// follow the grids saved, the registration list shows the number and Cur_DJH
// becomes it. When nothing could be written, the failure is shown and the window is
// left as it was: Save stays enabled, Cur_DJH unchanged, Check_Failed true (so the
// close question keeps the window open). Returns true when saved.
bool Save_Data_All(NewTab& window);

// Deletes the registration selected in the list after the confirmation; the list
// changes only after the delete went through.
void Delete_Data_All(NewTab& window);

// Hands the main window the check, the save and the delete.
void Register(CommandTargets& targets);

} // namespace EntryRecord

class QWidget;

namespace KCUTIL {
// Shows Coord_System_Error_Text (OK button, the application's title).
void Show_Coord_System_Error(double X, double Y, QWidget* parent = nullptr);
} // namespace KCUTIL
