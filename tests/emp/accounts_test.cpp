// Login, login record, password change and next account, through the exports.
#include "emp_api.h"
#include "fresh_database.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace rwtest;

namespace {

class Accounts : public FreshDatabaseTest {
protected:
    EmpApi emp;
};

TEST_F(Accounts, CheckLoginAnswersPerAccountAndPassword)
{
    ASSERT_EQ(emp.addEmployee("人力资源部", "人事专员", "张三", "", "secret"), 1); // account 8001
    struct Case {
        const char* account;
        const char* password;
        int expected;
    } cases[] = {
        {"qm470", "qm470", 1},     {"qm470", "wrong", 0},  {"qm470", "", 0},       {"qm470", "QM470", 0},
        {"8001", "secret", 1},     {"8001", "Secret", 0},  {"8001", "secret ", 0}, {"8001", "", 0},
        {"8002", "secret", 0},     {"abc", "secret", 0},   {"", "", 0},            {"8001 or 1=1", "secret", 0},
        {"8001", "' or '1'='1", 0}, {"8001.5", "secret", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(emp.checkLogin(c.account, c.password), c.expected) << c.account << " / " << c.password;
}

TEST_F(Accounts, AdministratorNeedsNoDatabase)
{
    // The administrator is answered before the database is touched.
    emp.checkLogin("qm470", "qm470");
    EXPECT_FALSE(std::filesystem::exists(database.file()));
    EXPECT_EQ(emp.checkLogin("qm470", "qm470"), 1);
}

TEST_F(Accounts, LoginRecordListsIdNamePostDepartmentAccount)
{
    ASSERT_EQ(emp.addEmployee("财务部", "会计", "李四"), 1);
    const Strings employees = emp.registerRows("0", "0", "2");
    ASSERT_EQ(employees.size(), 9u);

    EXPECT_EQ(emp.loginRecord("8001"), (Strings{employees[0], "李四", "会计", "财务部", "8001"}));
    EXPECT_EQ(emp.loginRecord("9999"), Strings{""});
    EXPECT_EQ(emp.loginRecord("qm470"), Strings{""});
    EXPECT_EQ(emp.loginRecord("abc"), Strings{""});
}

TEST_F(Accounts, LoginRecordOfEmployeeWithoutPostHasEmptyPostName)
{
    ASSERT_EQ(emp.addEmployee("财务部", "出纳", "王五"), 1);
    // The post disappears behind the library's back.
    executeDirectly(database.file(), "DELETE FROM gangwei");

    const Strings record = emp.loginRecord("8001");
    ASSERT_EQ(record.size(), 5u);
    EXPECT_EQ(record[1], "王五");
    EXPECT_EQ(record[2], "");
    EXPECT_EQ(record[3], "财务部");
    EXPECT_EQ(record[4], "8001");
}

TEST_F(Accounts, NextAccountStartsAt8001AndFollowsTheLargest)
{
    EXPECT_EQ(emp.nextAccount(), 8001);
    for (const char* name : {"甲", "乙", "丙", "丁", "戊"})
        ASSERT_EQ(emp.addEmployee("技术部", "工程师", name), 1);
    EXPECT_EQ(emp.nextAccount(), 8006);
    // Delete 8002..8004: the largest (8005) still decides.
    const Strings staff = emp.registerRows("0", "0", "2");
    for (size_t i = 0; i < staff.size() / 9; ++i) {
        const Strings r = record(staff, 9, i);
        if (r[1] != "8001" && r[1] != "8005") {
            ASSERT_EQ(emp.deleteRecord("2", r[0]), 1);
        }
    }
    EXPECT_EQ(emp.registerRows("0", "0", "2").size(), 18u);
    EXPECT_EQ(emp.nextAccount(), 8006);
}

TEST_F(Accounts, UpdatePassChangesOnlyThatAccount)
{
    ASSERT_EQ(emp.addEmployee("技术部", "工程师", "甲", "", "old"), 1);
    ASSERT_EQ(emp.addEmployee("技术部", "工程师", "乙", "", "old"), 1);

    EXPECT_EQ(emp.updatePass("new'pass", "8001"), 1);
    EXPECT_EQ(emp.checkLogin("8001", "old"), 0);
    EXPECT_EQ(emp.checkLogin("8001", "new'pass"), 1);
    EXPECT_EQ(emp.checkLogin("8002", "old"), 1);

    // An account that does not exist: the update runs and changes nothing.
    EXPECT_EQ(emp.updatePass("x", "9999"), 1);
    EXPECT_EQ(emp.updatePass("x", "8001 or 1=1"), 1);
    EXPECT_EQ(emp.checkLogin("8002", "old"), 1);
    EXPECT_EQ(emp.checkLogin("8001", "new'pass"), 1);
}

} // namespace
