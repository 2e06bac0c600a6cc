// What the post and staff windows share across their lifetimes.
#pragma once

#include <QStringList>

namespace OrgState {

// The records shown in the post or staff grid (7 or 9 strings each).
extern QStringList gw_list;
// The grid row to select again after a reload; -1 for none.
extern int gw_row;
// The staff library's answer to the last save of the editor.
extern int add_gw_ret;

// Strings per record of gw_list in the mode.
inline int strideOf(const QString& mode) { return mode.trimmed() == QLatin1String("1") ? 7 : 9; }

} // namespace OrgState
