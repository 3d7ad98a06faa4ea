#include "KCUTIL_DicLists.h"

#include <QComboBox>
#include <QListWidget>

namespace KCUTIL {

void Fill_Dic_List(int tableNo, QComboBox* box, const QString& table, Db::Error* error)
{
    box->addItems(Dic_List_Entries(tableNo, table, error));
}

void Fill_Dic_List(int tableNo, QListWidget* box, const QString& table, Db::Error* error)
{
    box->addItems(Dic_List_Entries(tableNo, table, error));
}

} // namespace KCUTIL
