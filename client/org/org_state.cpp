#include "org_state.h"

namespace OrgState {

QStringList gw_list;
int gw_row = -1;
int add_gw_ret = -1;

} // namespace OrgState
