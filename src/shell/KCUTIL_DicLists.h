#pragma once

#include "KCUTIL_Dictionary.h"

class QComboBox;
class QListWidget;

namespace KCUTIL {

// Appends the entries of Dic_List_Entries to the box (without clearing it first).
void Fill_Dic_List(int tableNo, QComboBox* box, const QString& table, Db::Error* error = nullptr);
void Fill_Dic_List(int tableNo, QListWidget* box, const QString& table, Db::Error* error = nullptr);

} // namespace KCUTIL
