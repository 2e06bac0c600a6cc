#include "db/driver.h"
#include "db/schema.h"
#include "db/sqlcipher_driver.h"

#include <filesystem>

namespace rw::db {

namespace {
// The key every Rankwise program opens the shared database with.
constexpr std::string_view kDatabasePassword = "quartzo20473916";
constexpr std::string_view kServerScheme = "postgresql://";
} // namespace

std::unique_ptr<Connection> openDatabase(const std::string& location)
{
    if (location.rfind(kServerScheme, 0) == 0)
        throw Error("the database server driver is not available in this build");
    const std::filesystem::path path(location);
    if (path.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
    }
    auto connection = openSqlcipher(location, kDatabasePassword);
    ensureSchema(*connection);
    return connection;
}

} // namespace rw::db
