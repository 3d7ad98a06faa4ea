#pragma once

#include "registration/navigation/NodeTable.h"
#include "registration/navigation/RegistrationFilter.h"

#include "platform/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The navigation trees of the entry window: which registrations the mode box shows
// and how. Everything here reads the database and returns node lists; the window
// puts them into its trees.
namespace NAVIGATE {

// The four texts of the mode box.
inline const QString ModeDJH = QStringLiteral("登记号");
inline const QString ModeKQ = QStringLiteral("矿山-->登记号");
inline const QString ModeXZQ_KQ = QStringLiteral("行政区-->矿山");
inline const QString ModeXZQ_DJH = QStringLiteral("行政区-->登记号");

// The text of the node that closes a flat list.
inline const QString ClosingText = QStringLiteral("...");

// Flat list of the overlay registrations that pass the filter, closed by "...".
Result<NodeTable> Load_Tree_DJH(const QSqlDatabase& db, const RegistrationFilter& filter);
// The same for the registrations of one region (6-digit code).
Result<NodeTable> Load_Tree_DJH_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                    const RegistrationFilter& filter);
// Province / city / county tree of the regions that hold a registration passing
// the filter: keys "A", "B", "C" and the code, texts "name(code)".
Result<NodeTable> Load_Tree_XZQ(const QSqlDatabase& db, const RegistrationFilter& filter);
// Mining area / mine / registration tree (keys "A" 矿区编号, "B" 矿区编号 矿山编号,
// "C" 登记号), labelled by number when viewFlag is "0" and by name otherwise.
Result<NodeTable> Load_Tree_KQ(const QSqlDatabase& db, const RegistrationFilter& filter,
                               const QString& viewFlag);
// The statements of the flat lists (of one region when `regionCode` is given) and of
// the region tree, with their bound values.
SqlPart Registration_List_Query(const QString* regionCode, const RegistrationFilter& filter);
SqlPart Region_Tree_Query(const RegistrationFilter& filter);
// The statement the two mining-area lists read (of one region when `regionCode` is
// given), with its bound values. Its order is the order of an index of 压覆.
SqlPart Mine_Tree_Query(const QString* regionCode, const RegistrationFilter& filter);
// The same for the registrations of one region.
Result<NodeTable> Load_Tree_KQ_XZQ(const QSqlDatabase& db, const QString& regionCode,
                                   const RegistrationFilter& filter, const QString& viewFlag);

// The whole list of overlay registrations of 登记, unfiltered, closed by "...": the
// list the entry window opens with.
Result<NodeTable> All_Registrations(const QSqlDatabase& db);

// True in the modes whose registration tree carries different labels in text and
// tag (the two mine modes).
bool Has_Swappable_Labels(const QString& mode);
// Exchanges text and tag of every node.
void Swap_Labels(NodeTable& nodes);

// The registration a node of the registration tree stands for: its text in the flat
// modes, its key without the level letter in the mine modes.
QString Node_Registration(const QString& mode, const QString& key, const QString& text);
// The two mine modes label registration nodes by name and keep the number in the key.
bool Is_Mine_Mode(const QString& mode);

// Whether the last `length` characters of `key` equal `value`. Empty keys and an
// empty value never match.
bool Key_Has_Suffix(QStringView key, QStringView value, int length);

} // namespace NAVIGATE
