#include "fresh_database.h"
#include "library.h"

#include "db/driver.h"

#include <cstdlib>
#include <random>

namespace rwtest {

std::string appDirectory()
{
    if (const char* dir = std::getenv("RW_APP_DIR"); dir && *dir)
        return dir;
    return RW_APP_DIR_DEFAULT;
}

FreshDatabase::FreshDatabase()
{
    std::random_device random;
    m_directory = std::filesystem::temp_directory_path() /
                  ("rankwise-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_directory);
    setenv("RANKWISE_DB", file().c_str(), 1);
}

void executeDirectly(const std::string& file, const std::string& sql)
{
    rw::db::openDatabase(file)->execute(sql);
}

FreshDatabase::~FreshDatabase()
{
    unsetenv("RANKWISE_DB");
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

} // namespace rwtest
