// Each test gets a database file of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace rwtest {

// A fresh temporary directory; RANKWISE_DB names a database file inside it.
class FreshDatabase {
public:
    FreshDatabase();
    ~FreshDatabase();
    FreshDatabase(const FreshDatabase&) = delete;
    FreshDatabase& operator=(const FreshDatabase&) = delete;

    const std::filesystem::path& directory() const { return m_directory; }
    std::string file() const { return (m_directory / "Gw_db.db").string(); }

private:
    std::filesystem::path m_directory;
};

// Runs fixed SQL on a database file through a connection of the test's own.
void executeDirectly(const std::string& file, const std::string& sql);

class FreshDatabaseTest : public ::testing::Test {
protected:
    FreshDatabase database;
};

} // namespace rwtest
