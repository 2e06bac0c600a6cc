// The organisation lists, the grid queries and the combo-box filler.
#include "emp_api.h"
#include "fresh_database.h"

#include <gtest/gtest.h>

using namespace rwtest;

namespace {

class Queries : public FreshDatabaseTest {
protected:
    EmpApi emp;

    // Two departments, three posts, four employees.
    void seed()
    {
        ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", "管车间"), 1);
        ASSERT_EQ(emp.addPost("生产部", "操作工", "技能类", "操作"), 1);
        ASSERT_EQ(emp.addPost("质检部", "质检员", "技能类", "检验"), 1);
        ASSERT_EQ(emp.addEmployee("生产部", "主任", "甲", "r1", "p1"), 1);
        ASSERT_EQ(emp.addEmployee("生产部", "操作工", "乙", "r2", "p2"), 1);
        ASSERT_EQ(emp.addEmployee("生产部", "操作工", "丙", "r3", "p3"), 1);
        ASSERT_EQ(emp.addEmployee("质检部", "质检员", "丁", "r4", "p4"), 1);
    }
};

TEST_F(Queries, EmptyTablesGiveEmptyListsAndAloneSelectItem)
{
    EXPECT_EQ(emp.departments(), Strings{});
    EXPECT_EQ(emp.posts("1"), Strings{});
    EXPECT_EQ(emp.employees("1"), Strings{});
    EXPECT_EQ(emp.allPosts(), Strings{});
    EXPECT_EQ(emp.allEmployees(), Strings{});
    EXPECT_EQ(emp.registerRows("0", "0", "1"), Strings{});
    EXPECT_EQ(emp.registerRows("", "", "2"), Strings{});

    const auto combo = emp.fillCombo("select id,bmname as sname from bumen order by px", 1);
    ASSERT_EQ(combo.items.size(), 1u);
    EXPECT_EQ(combo.items[0].text, "请选择");
    EXPECT_FALSE(combo.items[0].hasId);
    EXPECT_EQ(combo.index, 0);
}

TEST_F(Queries, TreeListsHaveTheirStridesAndOrder)
{
    seed();
    const Strings departments = emp.departments();
    ASSERT_EQ(departments.size(), 4u);
    EXPECT_EQ(departments[1], "生产部");
    EXPECT_EQ(departments[3], "质检部");

    const Strings posts = emp.posts(departments[0]);
    ASSERT_EQ(posts.size(), 4u);
    EXPECT_EQ(posts[1], "主任");
    EXPECT_EQ(posts[3], "操作工");
    const Strings staff = emp.employees(posts[2]);
    EXPECT_EQ(staff.size(), 4u);
    EXPECT_EQ(staff[1], "乙");
    EXPECT_EQ(staff[3], "丙");

    const Strings allPosts = emp.allPosts();
    ASSERT_EQ(allPosts.size(), 9u);
    EXPECT_EQ(record(allPosts, 3, 2), (Strings{emp.posts(departments[2])[0], "质检员", departments[2]}));
    const Strings allStaff = emp.allEmployees();
    ASSERT_EQ(allStaff.size(), 12u);
    EXPECT_EQ(record(allStaff, 3, 0)[2], posts[0]);

    for (const char* bad : {"", "abc", "1 or 1=1", "99999"}) {
        EXPECT_EQ(emp.posts(bad), Strings{}) << bad;
        EXPECT_EQ(emp.employees(bad), Strings{}) << bad;
    }
}

TEST_F(Queries, PostGridRecordsAndFilters)
{
    seed();
    const Strings all = emp.registerRows("0", "0", "1");
    ASSERT_EQ(all.size(), 21u);
    const Strings first = record(all, 7, 0);
    EXPECT_EQ(first[1], "生产部");
    EXPECT_EQ(first[2], "主任");
    EXPECT_EQ(first[3], "管理类");
    EXPECT_EQ(first[4], "管车间");
    const std::string production = first[5], management = first[6];
    const std::string skills = record(all, 7, 1)[6];
    const std::string inspection = record(all, 7, 2)[5];

    struct Case {
        std::string department, category;
        size_t records;
    } cases[] = {
        {"", "", 3},           {"0", "0", 3},       {production, "0", 2}, {inspection, "", 1},
        {"0", skills, 2},      {production, skills, 1}, {inspection, management, 0},
        {"abc", "0", 0},       {"0", "1;drop", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(emp.registerRows(c.department, c.category, "1").size(), c.records * 7)
            << c.department << "/" << c.category;
    EXPECT_EQ(emp.registerRows("0", "0", "3"), Strings{});
}

TEST_F(Queries, StaffGridPutsAccountSecondAndPasswordSeventh)
{
    seed();
    const Strings all = emp.registerRows("0", "0", "2");
    ASSERT_EQ(all.size(), 36u);
    const Strings first = record(all, 9, 0);
    EXPECT_EQ(first[1], "8001");
    EXPECT_EQ(first[2], "生产部");
    EXPECT_EQ(first[3], "主任");
    EXPECT_EQ(first[4], "甲");
    EXPECT_EQ(first[5], "r1");
    EXPECT_EQ(first[6], "p1");

    const std::string operatorPost = record(all, 9, 1)[8];
    EXPECT_EQ(emp.registerRows("0", operatorPost, "2").size(), 18u);
    EXPECT_EQ(emp.registerRows(first[7], "0", "2").size(), 27u);
}

TEST_F(Queries, RecordsWithMissingReferencesLeaveTheGridOnly)
{
    seed();
    executeDirectly(database.file(), "DELETE FROM leibie WHERE lbname = '管理类'");
    const Strings departments = emp.departments();

    EXPECT_EQ(emp.registerRows("0", "0", "1").size(), 14u) << "the 主任 post lost its category";
    EXPECT_EQ(emp.allPosts().size(), 9u);
    EXPECT_EQ(emp.posts(departments[0]).size(), 4u);
}

TEST_F(Queries, ComboFillerRunsTheCallersSelects)
{
    seed();
    struct Case {
        const char* sql;
        int mode;
        size_t rows;
        int index;
    } cases[] = {
        {"select id,bmname as sname from bumen order by px", 1, 2, 0},
        {"select id,lbname as sname from Leibie order by px", 0, 2, 2},
        {"select id,gwname as sname from gangwei order by px", 0, 3, 3},
        {"select id,gwname as sname from gangwei order by px", 5, 3, -1},
        {"SELECT id, empname AS sname FROM yuangong;", 1, 4, 0},
    };
    for (const Case& c : cases) {
        const auto combo = emp.fillCombo(c.sql, c.mode);
        ASSERT_EQ(combo.items.size(), c.rows + 1) << c.sql;
        EXPECT_EQ(combo.items[0].text, "请选择");
        EXPECT_TRUE(combo.items[1].hasId);
        EXPECT_FALSE(combo.items[1].id.empty());
        EXPECT_EQ(combo.index, c.index) << c.sql;
        EXPECT_EQ(combo.clears, 1);
    }
    const auto departments = emp.fillCombo("select id,bmname as sname from bumen order by px", 1);
    EXPECT_EQ(departments.items[1].text, "生产部");
    EXPECT_EQ(departments.items[1].id, emp.departments()[0]);
}

TEST_F(Queries, ComboFillerRefusesAnythingButOneReadOnlySelect)
{
    seed();
    const char* refused[] = {
        "delete from yuangong",
        "update yuangong set userpwd='x'",
        "select id,bmname as sname from bumen; delete from yuangong",
        "insert into bumen(bmname,px) values('x',1)",
        "drop table yuangong",
        "pragma rekey='x'",
        "attach database 'elsewhere.db' as other",
        "select id from bumen", // no sname column
        "select nonsense",
        "",
    };
    for (const char* sql : refused) {
        const auto combo = emp.fillCombo(sql, 0);
        ASSERT_EQ(combo.items.size(), 1u) << sql;
        EXPECT_EQ(combo.items[0].text, "请选择");
        EXPECT_EQ(combo.index, 0) << sql;
    }
    EXPECT_EQ(emp.registerRows("0", "0", "2").size(), 36u) << "nothing was changed";
    EXPECT_EQ(emp.checkLogin("8001", "p1"), 1);
    EXPECT_EQ(emp.departments().size(), 4u);
}

} // namespace
