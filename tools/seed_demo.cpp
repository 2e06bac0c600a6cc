// Fills the database beside the program with a demo organisation, through
// the staff library's own exports, so the program can be tried (or timed at
// scale) before any data has been entered by hand.
//
//   rankwise-seed                      a small demo organisation
//   rankwise-seed -d 50 -p 20 -s 10    50 departments x 20 posts x 10 staff
#include "abi/rankwise_abi.h"

#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Post {
    const char* name;
    const char* category;
    const char* duty;
};

struct Department {
    const char* name;
    std::vector<Post> posts;
};

const std::vector<Department> kDemo = {
    {"人力资源部",
     {{"人力资源经理", "管理类", "负责公司人力资源规划、招聘、培训与绩效体系建设。"},
      {"招聘专员", "职能类", "发布招聘信息，筛选简历，组织面试。"},
      {"薪酬专员", "职能类", "核算工资与社保，维护薪酬档案。"}}},
    {"财务部",
     {{"财务经理", "管理类", "主持财务工作，编制预算与财务报告。"},
      {"会计", "职能类", "负责凭证、账簿和报表的编制。"},
      {"出纳", "职能类", "负责现金、银行收付与票据保管。"}}},
    {"生产部",
     {{"生产经理", "管理类", "组织生产计划的执行，控制成本、质量与安全。"},
      {"车间主任", "管理类", "管理车间日常生产和人员调度。"},
      {"操作工", "技能类", "按工艺要求操作设备，完成生产任务。"}}},
    {"技术部",
     {{"技术总监", "管理类", "制定技术路线，领导研发团队。"},
      {"软件工程师", "技术类", "设计、开发和维护软件系统。"},
      {"测试工程师", "技术类", "编写测试用例，执行测试并跟踪缺陷。"}}},
};

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "周", "吴"};
const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "磊", "洋", "勇", "艳", "杰", "军", "强"};

std::string personName(int n)
{
    return std::string(kSurnames[n % 10]) + kGiven[(n / 10) % 12] + (n >= 120 ? std::to_string(n / 120) : "");
}

int argument(int argc, char** argv, const char* flag, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == flag)
            return std::atoi(argv[i + 1]);
    return fallback;
}

std::string programDirectory()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string library = programDirectory() + "/Sbin/emp.so";
    void* emp = dlopen(library.c_str(), RTLD_NOW);
    if (!emp) {
        std::fprintf(stderr, "cannot load %s: %s\n", library.c_str(), dlerror());
        return 1;
    }
    using AddPost = int(const char*, const char*, const char*, const char*, const char*, const char*);
    using AddEmployee = int(const char*, const char*, const char*, const char*, const char*, const char*, const char*);
    auto* addPost = reinterpret_cast<AddPost*>(dlsym(emp, "I_add_gw"));
    auto* addEmployee = reinterpret_cast<AddEmployee*>(dlsym(emp, "I_add_emp"));
    auto* nextAccount = reinterpret_cast<int (*)()>(dlsym(emp, "Get_userid"));
    if (!addPost || !addEmployee || !nextAccount) {
        std::fprintf(stderr, "%s lacks the staff exports\n", library.c_str());
        return 1;
    }

    const int departments = argument(argc, argv, "-d", 0);
    const int postsEach = argument(argc, argv, "-p", 3);
    const int staffEach = argument(argc, argv, "-s", 2);
    const char* password = "1";
    const int firstAccount = nextAccount();
    const auto started = std::chrono::steady_clock::now();
    int posts = 0, staff = 0, failures = 0, person = 0;

    auto seedPost = [&](const std::string& department, const std::string& post, const char* category,
                        const char* duty) {
        const int saved = addPost(department.c_str(), post.c_str(), category, duty, "", "add");
        if (saved == 1)
            ++posts;
        else if (saved != 0) // 0: already there from an earlier run
            ++failures;
        for (int i = 0; i < staffEach; ++i, ++person) {
            const int added = addEmployee(department.c_str(), post.c_str(), personName(person).c_str(), "", password,
                                          "", "add");
            if (added == 1)
                ++staff;
            else if (added != 0)
                ++failures;
        }
    };

    if (departments <= 0) {
        for (const Department& department : kDemo)
            for (const Post& post : department.posts)
                seedPost(department.name, post.name, post.category, post.duty);
    } else {
        for (int d = 1; d <= departments; ++d)
            for (int p = 1; p <= postsEach; ++p)
                seedPost("部门" + std::to_string(d), "岗位" + std::to_string(p), p % 2 ? "管理类" : "技术类",
                         "岗位职责说明");
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("added %d posts and %d employees in %.1f s", posts, staff, seconds);
    if (staff > 0)
        std::printf("; accounts %d to %d, password \"%s\"", firstAccount, firstAccount + staff - 1, password);
    std::printf("\n");
    if (failures > 0) {
        std::fprintf(stderr, "%d records could not be saved (is the database usable?)\n", failures);
        return 1;
    }
    return 0;
}
