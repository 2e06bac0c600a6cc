#pragma once

#include "db/driver.h"

namespace rw::db {

// Opens (creating when absent) an SQLCipher file with the given key; throws
// Error when the file cannot be opened or the key does not fit.
std::unique_ptr<Connection> openSqlcipher(const std::string& path, std::string_view key);

} // namespace rw::db
