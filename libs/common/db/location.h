// Where the shared database lives.
#pragma once

#include <string>

namespace rw::db {

// RANKWISE_DB when set, otherwise database/Gw_db.db beside the running program.
std::string databaseLocation();

// The directory of the running program, with a trailing separator.
std::string programDirectory();

} // namespace rw::db
