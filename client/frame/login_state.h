// Who is logged in: process-wide, filled by the login window.
#pragma once

#include <QString>
#include <QStringList>

namespace LoginState {

// Answer of the last account check: -1 not yet answered, 0 refused, 1 accepted.
extern int login_ret;
// The login record: employee id, name, post name, department name, account.
extern QStringList login_list;
// Employee id of the logged-in ordinary user; empty for the administrator.
extern QString cur_userid;

} // namespace LoginState
