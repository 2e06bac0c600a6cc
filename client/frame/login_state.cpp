#include "login_state.h"

namespace LoginState {

int login_ret = -1;
QStringList login_list;
QString cur_userid;

} // namespace LoginState
