// Login accounts: the check, the login record, password change, next account.
#pragma once

#include "db/driver.h"

#include <string>
#include <vector>

namespace rw::emp {

// The built-in administrator, known without a database row.
inline constexpr const char* kAdminAccount = "qm470";
inline constexpr const char* kAdminPassword = "qm470";
// The first account handed out when no employee exists yet.
inline constexpr std::int64_t kFirstAccount = 8001;

bool Check_user(db::Connection& db, const std::string& account, const std::string& password);

// id, name, post name, department name, account as passed; or one empty
// entry when there is no such account.
std::vector<std::string> loginRecord(db::Connection& db, const std::string& account);

void updatePassword(db::Connection& db, const std::string& password, const std::string& account);

std::int64_t nextAccount(db::Connection& db);

} // namespace rw::emp
