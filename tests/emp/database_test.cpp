// The database file: keyed, versioned, created on first use; and what every
// export answers when it cannot be used.
#include "db/driver.h"
#include "db/schema.h"
#include "emp_api.h"
#include "fresh_database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace rwtest;

namespace {

class DatabaseFile : public FreshDatabaseTest {
protected:
    EmpApi emp;

    // Exit code of Debian's python reading the file with plain SQLite.
    int plainSqliteRead(const std::string& file) const
    {
        const std::string command = "/usr/bin/python3 -c \"import sqlite3,sys; "
                                    "sqlite3.connect(sys.argv[1]).execute('select count(*) from yuangong').fetchall()\" '" +
                                    file + "' 2>/dev/null";
        return std::system(command.c_str());
    }
};

TEST_F(DatabaseFile, IsCreatedOnFirstUseAndUnreadableWithoutTheKey)
{
    ASSERT_EQ(emp.addEmployee("人力资源部", "专员", "甲", "", "pw"), 1);
    ASSERT_TRUE(std::filesystem::exists(database.file()));

    std::ifstream in(database.file(), std::ios::binary);
    std::string header(16, '\0');
    in.read(header.data(), 16);
    EXPECT_NE(header, std::string("SQLite format 3\0", 16)) << "the file must not be plain SQLite";
    EXPECT_NE(plainSqliteRead(database.file()), 0);

    // With the key the data is there.
    auto connection = rw::db::openDatabase(database.file());
    auto query = connection->prepare("SELECT empname FROM yuangong WHERE userid = ?");
    query->bind(1, std::int64_t(8001));
    ASSERT_TRUE(query->step());
    EXPECT_EQ(query->text("empname"), "甲");
}

TEST_F(DatabaseFile, CarriesTheSchemaVersionAndReopensWithItsData)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", ""), 1);
    {
        auto connection = rw::db::openDatabase(database.file());
        EXPECT_EQ(rw::db::schemaVersion(*connection), rw::db::currentSchemaVersion());
        rw::db::ensureSchema(*connection); // a second time changes nothing
    }
    EXPECT_EQ(emp.registerRows("0", "0", "1").size(), 7u);
}

TEST_F(DatabaseFile, AccountsAreUniqueInTheSchema)
{
    ASSERT_EQ(emp.addEmployee("人力资源部", "专员", "甲"), 1);
    auto connection = rw::db::openDatabase(database.file());
    EXPECT_THROW(connection->execute("INSERT INTO yuangong (bmid, gwid, empname, userid) VALUES (1, 1, 'x', 8001)"),
                 rw::db::Error);
}

// Where the database cannot be opened, every export answers its failure value.
class UnusableDatabase : public FreshDatabaseTest, public ::testing::WithParamInterface<const char*> {
protected:
    EmpApi emp;

    void SetUp() override
    {
        const std::string kind = GetParam();
        if (kind == "server") {
            setenv("RANKWISE_DB", "postgresql://localhost/rankwise", 1);
        } else if (kind == "directory") {
            std::filesystem::create_directories(database.file());
        } else if (kind == "plain") {
            ASSERT_EQ(std::system(("/usr/bin/python3 -c \"import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); "
                                   "c.execute('create table t(x)'); c.commit()\" '" +
                                   database.file() + "'")
                                      .c_str()),
                      0);
        } else if (kind == "garbage") {
            std::ofstream(database.file()) << std::string(8192, 'x');
        }
    }
};

TEST_P(UnusableDatabase, EveryExportAnswersItsFailureValue)
{
    EXPECT_EQ(emp.checkLogin("8001", "1"), 0);
    EXPECT_EQ(emp.checkLogin("qm470", "qm470"), 1) << "the administrator needs no database";
    EXPECT_EQ(emp.loginRecord("8001"), Strings{""});
    EXPECT_EQ(emp.updatePass("x", "8001"), 0);
    EXPECT_EQ(emp.nextAccount(), 0);
    EXPECT_EQ(emp.addPost("部", "岗", "类", ""), -1);
    EXPECT_EQ(emp.addEmployee("部", "岗", "人"), -1);
    EXPECT_EQ(emp.deleteRecord("1", "1"), 0);
    EXPECT_EQ(emp.sweep(), 0);
    EXPECT_EQ(emp.departments(), Strings{});
    EXPECT_EQ(emp.posts("1"), Strings{});
    EXPECT_EQ(emp.employees("1"), Strings{});
    EXPECT_EQ(emp.allPosts(), Strings{});
    EXPECT_EQ(emp.allEmployees(), Strings{});
    EXPECT_EQ(emp.registerRows("0", "0", "1"), Strings{});
    const auto combo = emp.fillCombo("select id,bmname as sname from bumen", 1);
    ASSERT_EQ(combo.items.size(), 1u);
    EXPECT_EQ(combo.items[0].text, "请选择");
}

INSTANTIATE_TEST_SUITE_P(Locations, UnusableDatabase, ::testing::Values("server", "directory", "plain", "garbage"));

TEST(Boundary, NullArgumentsAndNullControlsAreSafe)
{
    FreshDatabase database;
    EmpApi emp;
    EXPECT_EQ(emp.lib.fn<int(const char*, const char*)>("I_Check_Login")(nullptr, nullptr), 0);
    emp.lib.take(emp.lib.fn<RwList*(const char*)>("Get_user_logid")(nullptr));
    emp.lib.fn<void(const RwCombo*, const char*, int)>("SzCboList")(nullptr, "select 1", 0);
    RwCombo empty{nullptr, nullptr, nullptr, nullptr};
    emp.lib.fn<void(const RwCombo*, const char*, int)>("SzCboList")(&empty, nullptr, 0);
    emp.lib.fn<void(RwList*)>("rw_list_free")(nullptr);
}

} // namespace
