#include "db/location.h"

#include <cstdlib>
#include <filesystem>

namespace rw::db {

std::string programDirectory()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return exe.parent_path().string() + "/";
}

std::string databaseLocation()
{
    if (const char* configured = std::getenv("RANKWISE_DB"); configured && *configured)
        return configured;
    return programDirectory() + "database/Gw_db.db";
}

} // namespace rw::db
