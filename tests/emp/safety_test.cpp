// Values with quotes, wildcards and SQL words are data, stored and found
// exactly; several threads may call at once.
#include "emp_api.h"
#include "fresh_database.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

using namespace rwtest;

namespace {

const char* const kAwkward[] = {
    "O'Brien",
    "x' OR '1'='1",
    "100%",
    "a;b",
    "_%_",
    "\"双引号\"",
    "Robert'); DROP TABLE yuangong;--",
    "select * from bumen",
    "\\'",
};

class AwkwardText : public FreshDatabaseTest, public ::testing::WithParamInterface<const char*> {
protected:
    EmpApi emp;
};

TEST_P(AwkwardText, IsStoredAndFoundExactlyInEveryArgument)
{
    const std::string text = GetParam();
    ASSERT_EQ(emp.addPost("普通部门", "普通岗位", "普通类", "普通"), 1);
    ASSERT_EQ(emp.addPost(text, text, text, text), 1);
    ASSERT_EQ(emp.addPost(text, text, text, text), 0) << "found again as the same name";
    ASSERT_EQ(emp.addEmployee(text, text, text, text, text), 1);
    ASSERT_EQ(emp.addEmployee(text, text, text, text, text), 0);

    const Strings posts = emp.registerRows("0", "0", "1");
    ASSERT_EQ(posts.size(), 14u);
    const Strings post = record(posts, 7, 1);
    EXPECT_EQ((Strings{post[1], post[2], post[3], post[4]}), (Strings{text, text, text, text}));

    const Strings staff = emp.registerRows("0", "0", "2");
    ASSERT_EQ(staff.size(), 9u);
    EXPECT_EQ((Strings{staff[2], staff[3], staff[4], staff[5], staff[6]}), (Strings{text, text, text, text, text}));

    EXPECT_EQ(emp.checkLogin("8001", text), 1);
    EXPECT_EQ(emp.checkLogin("8001", text + "x"), 0);
    EXPECT_EQ(emp.checkLogin(text, text), 0);
    EXPECT_EQ(emp.loginRecord(text), Strings{""});
    EXPECT_EQ(emp.loginRecord("8001")[1], text);

    // Editing with the same values keeps everything; the password changes only exactly.
    ASSERT_EQ(emp.addEmployee(text, text, text, text, text + "2", staff[0], "edit"), 1);
    EXPECT_EQ(emp.checkLogin("8001", text + "2"), 1);
    ASSERT_EQ(emp.updatePass(text, "8001"), 1);
    EXPECT_EQ(emp.checkLogin("8001", text), 1);

    ASSERT_EQ(emp.addPost(text, text, text, text + "!", post[0], "edit"), 1);
    EXPECT_EQ(record(emp.registerRows(post[5], "0", "1"), 7, 0)[4], text + "!");
    // Nothing else was touched along the way.
    EXPECT_EQ(emp.registerRows("0", "0", "1").size(), 14u);
    EXPECT_EQ(emp.departments().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Texts, AwkwardText, ::testing::ValuesIn(kAwkward));

class Threads : public FreshDatabaseTest {
protected:
    EmpApi emp;
};

TEST_F(Threads, ConcurrentCallsKeepAccountsUniqueAndCountsRight)
{
    constexpr int kThreads = 6;
    constexpr int kPerThread = 25;
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            const std::string department = "部门" + std::to_string(t % 3);
            for (int i = 0; i < kPerThread; ++i) {
                const std::string name = "员工" + std::to_string(t) + "-" + std::to_string(i);
                if (emp.addEmployee(department, "岗位" + std::to_string(i % 4), name) != 1)
                    ++failures;
                if (emp.nextAccount() < 8002)
                    ++failures;
                emp.registerRows("0", "0", "2");
                emp.departments();
                if (emp.checkLogin("qm470", "qm470") != 1)
                    ++failures;
            }
        });
    }
    for (auto& worker : workers)
        worker.join();

    EXPECT_EQ(failures.load(), 0);
    const Strings staff = emp.registerRows("0", "0", "2");
    ASSERT_EQ(staff.size(), size_t(kThreads * kPerThread * 9));
    std::set<std::string> accounts;
    for (size_t i = 0; i < staff.size(); i += 9)
        accounts.insert(staff[i + 1]);
    EXPECT_EQ(accounts.size(), size_t(kThreads * kPerThread));
    EXPECT_EQ(*accounts.begin(), "8001");
    EXPECT_EQ(emp.departments().size(), 6u) << "each department created once";
    EXPECT_EQ(emp.allPosts().size(), size_t(3 * 4 * 3)) << "each post created once per department";
}

} // namespace
