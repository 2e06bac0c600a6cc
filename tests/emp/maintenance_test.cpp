// Saving posts and employees by name, deleting, and the sweep.
#include "emp_api.h"
#include "fresh_database.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rwtest;

namespace {

class Maintenance : public FreshDatabaseTest {
protected:
    // Rows as a direct query shows them, for checks beyond the exports.
    EmpApi emp;

    Strings categories() const
    {
        Strings names;
        for (const auto& item : emp.fillCombo("select id,lbname as sname from leibie order by px", 2).items)
            if (item.hasId)
                names.push_back(item.text);
        return names;
    }
    Strings departmentNames() const
    {
        Strings names;
        const Strings list = emp.departments();
        for (size_t i = 1; i < list.size(); i += 2)
            names.push_back(list[i]);
        return names;
    }
    // The post grid as records of 7.
    std::vector<Strings> postRows() const
    {
        std::vector<Strings> rows;
        const Strings list = emp.registerRows("0", "0", "1");
        for (size_t i = 0; i < list.size() / 7; ++i)
            rows.push_back(record(list, 7, i));
        return rows;
    }
    std::vector<Strings> staffRows() const
    {
        std::vector<Strings> rows;
        const Strings list = emp.registerRows("0", "0", "2");
        for (size_t i = 0; i < list.size() / 9; ++i)
            rows.push_back(record(list, 9, i));
        return rows;
    }
};

TEST_F(Maintenance, PostInNewDepartmentAndCategoryCreatesBoth)
{
    ASSERT_EQ(emp.addPost("生产部", "车间主任", "管理类", "负责车间"), 1);
    ASSERT_EQ(emp.addPost("生产部", "操作工", "技能类", "操作设备"), 1);
    ASSERT_EQ(emp.addPost("质检部", "质检员", "技能类", "检验"), 1);

    EXPECT_EQ(departmentNames(), (Strings{"生产部", "质检部"}));
    EXPECT_EQ(categories(), (Strings{"管理类", "技能类"}));
    const auto rows = postRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], "生产部");
    EXPECT_EQ(rows[0][2], "车间主任");
    EXPECT_EQ(rows[0][3], "管理类");
    EXPECT_EQ(rows[0][4], "负责车间");
    EXPECT_EQ(rows[1][5], rows[0][5]) << "second post reuses the department";
    EXPECT_EQ(rows[2][6], rows[1][6]) << "third post reuses the category";
}

TEST_F(Maintenance, PostNameIsUniqueWithinItsDepartment)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", ""), 1);
    struct Case {
        const char* department;
        const char* post;
        int expected;
    } cases[] = {
        {"生产部", "主任", 0},  // same name, same department
        {"质检部", "主任", 1},  // another department
        {"生产部", "主任 ", 1}, // names are compared exactly
    };
    for (const Case& c : cases)
        EXPECT_EQ(emp.addPost(c.department, c.post, "管理类", ""), c.expected) << c.department << c.post;
}

TEST_F(Maintenance, EditKeepsOrderExcludesItselfAndRefusesAnotherPostsName)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", "旧"), 1);
    ASSERT_EQ(emp.addPost("生产部", "副主任", "管理类", ""), 1);
    const std::string id = postRows()[0][0];

    EXPECT_EQ(emp.addPost("生产部", "主任", "管理类", "新", id, "edit"), 1);
    EXPECT_EQ(postRows()[0][4], "新");
    EXPECT_EQ(emp.addPost("生产部", "副主任", "管理类", "", id, "edit"), 0);
    EXPECT_EQ(emp.addPost("生产部", "新岗位", "管理类", "", "99999", "edit"), -1) << "no such post";
    EXPECT_EQ(emp.addPost("生产部", "主任二", "管理类", "", "", "other"), -1) << "unknown mode";
    EXPECT_EQ(postRows().size(), 2u);
}

TEST_F(Maintenance, RefusedSaveLeavesNoNewDepartmentOrCategory)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", ""), 1);
    ASSERT_EQ(emp.addPost("生产部", "主任", "新类别", ""), 0);
    EXPECT_EQ(categories(), Strings{"管理类"});
    ASSERT_EQ(emp.addPost("新部门", "主任", "新类别", "", "424242", "edit"), -1);
    EXPECT_EQ(departmentNames(), Strings{"生产部"});
    EXPECT_EQ(categories(), Strings{"管理类"});
}

TEST_F(Maintenance, EmployeeOfMissingPostCreatesTemporaryCategoryAndPost)
{
    ASSERT_EQ(emp.addEmployee("销售部", "销售代表", "赵一"), 1);
    ASSERT_EQ(emp.addEmployee("销售部", "区域经理", "钱二"), 1);

    EXPECT_EQ(categories(), (Strings{"临时类别", "临时类别"})) << "a new temporary category each time";
    const auto posts = postRows();
    ASSERT_EQ(posts.size(), 2u);
    for (const auto& post : posts) {
        EXPECT_EQ(post[3], "临时类别");
        EXPECT_EQ(post[4], "暂无");
    }
    EXPECT_EQ(posts[0][6], posts[1][6]) << "both posts use the first temporary category";
    const auto staff = staffRows();
    ASSERT_EQ(staff.size(), 2u);
    EXPECT_EQ(staff[0][3], "销售代表");
    EXPECT_EQ(staff[1][3], "区域经理");
}

TEST_F(Maintenance, EmployeeNameIsUniqueWithinDepartmentAndPost)
{
    ASSERT_EQ(emp.addPost("销售部", "销售代表", "业务类", ""), 1);
    ASSERT_EQ(emp.addPost("销售部", "经理", "业务类", ""), 1);
    ASSERT_EQ(emp.addEmployee("销售部", "销售代表", "赵一"), 1);
    EXPECT_EQ(emp.addEmployee("销售部", "销售代表", "赵一"), 0);
    EXPECT_EQ(emp.addEmployee("销售部", "经理", "赵一"), 1);
    EXPECT_EQ(emp.addEmployee("市场部", "销售代表", "赵一"), 1);
    EXPECT_EQ(staffRows().size(), 3u);
}

TEST_F(Maintenance, NewEmployeeGetsNextAccountAndEditKeepsAccountAndBlankPassword)
{
    ASSERT_EQ(emp.addEmployee("销售部", "销售代表", "赵一", "备注", "pw1"), 1);
    ASSERT_EQ(emp.addEmployee("销售部", "销售代表", "钱二", "", "pw2"), 1);
    auto staff = staffRows();
    EXPECT_EQ(staff[0][1], "8001");
    EXPECT_EQ(staff[1][1], "8002");
    EXPECT_EQ(staff[0][6], "pw1");

    const std::string id = staff[0][0];
    ASSERT_EQ(emp.addEmployee("销售部", "经理", "赵一改", "新备注", "  ", id, "edit"), 1);
    staff = staffRows();
    const auto edited = std::find_if(staff.begin(), staff.end(), [&](const Strings& r) { return r[0] == id; });
    ASSERT_NE(edited, staff.end());
    EXPECT_EQ((*edited)[1], "8001");
    EXPECT_EQ((*edited)[3], "经理");
    EXPECT_EQ((*edited)[4], "赵一改");
    EXPECT_EQ((*edited)[5], "新备注");
    EXPECT_EQ((*edited)[6], "pw1") << "a blank password keeps the old one";

    ASSERT_EQ(emp.addEmployee("销售部", "经理", "赵一改", "", "pw9", id, "edit"), 1);
    EXPECT_EQ(emp.checkLogin("8001", "pw9"), 1);
    EXPECT_EQ(emp.addEmployee("销售部", "经理", "钱二", "", "", id, "edit"), 1)
        << "same name in another post is no clash";
    EXPECT_EQ(emp.addEmployee("销售部", "经理", "无名", "", "", "77777", "edit"), -1) << "no such employee";
}

TEST_F(Maintenance, DeletingAPostDeletesItsEmployeesAndTheSweepItsDepartment)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", ""), 1);
    ASSERT_EQ(emp.addPost("质检部", "质检员", "技能类", ""), 1);
    ASSERT_EQ(emp.addEmployee("生产部", "主任", "甲"), 1);
    ASSERT_EQ(emp.addEmployee("生产部", "主任", "乙"), 1);
    ASSERT_EQ(emp.addEmployee("质检部", "质检员", "丙"), 1);
    const std::string post = postRows()[0][0];

    EXPECT_EQ(emp.deleteRecord("1", post), 1);
    EXPECT_EQ(emp.employees(post), Strings{});
    EXPECT_EQ(staffRows().size(), 1u);
    EXPECT_EQ(departmentNames(), (Strings{"生产部", "质检部"})) << "only the sweep removes departments";

    EXPECT_EQ(emp.sweep(), 1);
    EXPECT_EQ(departmentNames(), Strings{"质检部"});
    EXPECT_EQ(categories(), Strings{"技能类"});
}

TEST_F(Maintenance, DeleteAnswersPerKindAndId)
{
    ASSERT_EQ(emp.addEmployee("生产部", "主任", "甲"), 1);
    const auto staff = staffRows();
    struct Case {
        const char* kind;
        std::string id;
        int expected;
    } cases[] = {
        {"3", staff[0][8], 0},  // unknown kind
        {"", staff[0][0], 0},   //
        {"2", "abc", 0},        // not an id
        {"2", "1 or 1=1", 0},   //
        {"1", "99999", 1},      // absent post: nothing to delete
        {"2", "99999", 1},      //
    };
    for (const Case& c : cases)
        EXPECT_EQ(emp.deleteRecord(c.kind, c.id), c.expected) << c.kind << "/" << c.id;
    EXPECT_EQ(staffRows().size(), 1u);
    EXPECT_EQ(postRows().size(), 1u);

    EXPECT_EQ(emp.deleteRecord("2", staff[0][0]), 1);
    EXPECT_EQ(staffRows().size(), 0u);
    EXPECT_EQ(postRows().size(), 1u) << "deleting an employee keeps the post";
}

TEST_F(Maintenance, EmployeesFollowTheirPostToAnotherDepartment)
{
    ASSERT_EQ(emp.addPost("生产部", "主任", "管理类", ""), 1);
    ASSERT_EQ(emp.addEmployee("生产部", "主任", "甲"), 1);
    const std::string post = postRows()[0][0];

    ASSERT_EQ(emp.addPost("技术部", "主任", "管理类", "", post, "edit"), 1);
    ASSERT_EQ(emp.sweep(), 1);
    EXPECT_EQ(departmentNames(), Strings{"技术部"});
    const auto staff = staffRows();
    ASSERT_EQ(staff.size(), 1u) << "the employee is still listed";
    EXPECT_EQ(staff[0][2], "技术部");
    EXPECT_EQ(staff[0][8], post);
}

TEST_F(Maintenance, SweepKeepsADepartmentThatEmployeesStillBelongTo)
{
    ASSERT_EQ(emp.addEmployee("生产部", "主任", "甲"), 1);
    // An employee left in a department without posts (an older file).
    executeDirectly(database.file(), "UPDATE gangwei SET bmid = 777");
    ASSERT_EQ(emp.sweep(), 1);
    EXPECT_EQ(departmentNames(), Strings{"生产部"});
}

TEST_F(Maintenance, OrdersFollowTheLargestExistingOrder)
{
    ASSERT_EQ(emp.addPost("一部", "岗一", "类一", ""), 1);
    ASSERT_EQ(emp.addPost("二部", "岗二", "类二", ""), 1);
    ASSERT_EQ(emp.addPost("一部", "岗三", "类一", ""), 1);
    // Departments and posts come back in their order of creation.
    EXPECT_EQ(departmentNames(), (Strings{"一部", "二部"}));
    const Strings all = emp.allPosts();
    EXPECT_EQ((Strings{all[1], all[4], all[7]}), (Strings{"岗一", "岗二", "岗三"}));
}

} // namespace
