// The lookup, creation and write steps behind saving and importing posts and
// employees.  Each runs inside the caller's transaction.
#pragma once

#include "db/driver.h"

#include <cstdint>
#include <string>

namespace rw::emp::steps {

using db::Connection;
using Id = std::int64_t;

// Ids found by name; 0 means "not found".
struct GwKeys {
    Id department = 0, category = 0;
    Id nextDepartmentOrder = 1, nextCategoryOrder = 1, nextPostOrder = 1;
};

struct EmpKeys {
    Id department = 0, post = 0;
    Id nextDepartmentOrder = 1, nextCategoryOrder = 1, nextPostOrder = 1, nextEmployeeOrder = 1;
    Id nextAccount = 8001;
};

// A table that is looked up by name.
struct NamedTable {
    const char* idByName;
    const char* idAndNextOrder;
};
extern const NamedTable kDepartments;
extern const NamedTable kCategories;

// Name and duty of the post created for an employee whose post is missing.
inline constexpr const char* kTemporaryCategory = "临时类别";
inline constexpr const char* kTemporaryDuty = "暂无";

GwKeys Find_gw_keys(Connection& db, const std::string& department, const std::string& category);
EmpKeys Find_emp_keys(Connection& db, const std::string& department, const std::string& post);
Id Get_top_id(Connection& db, const NamedTable& table, const std::string& name);
Id Get_gw_id(Connection& db, Id department, const std::string& post);
Id Get_emp_id(Connection& db, Id department, Id post, const std::string& name);
void Add_bm(Connection& db, const std::string& name, Id order);
void Add_lb(Connection& db, const std::string& name, Id order);

// The department (or category) of that name: the one found, or a new one
// with the next order.
Id departmentFor(Connection& db, const std::string& name, Id found, Id nextOrder);
Id categoryFor(Connection& db, const std::string& name, Id found, Id nextOrder);
// The employee's post: the one found, or a new post with duty "暂无" in a
// new temporary category.
Id postForEmployee(Connection& db, const EmpKeys& keys, Id department, const std::string& post);

bool Gw_unique(Connection& db, Id department, const std::string& post, const std::string& postId);
bool Emp_unique(Connection& db, Id department, Id post, const std::string& name, const std::string& employeeId);

void Add_gw_row(Connection& db, Id department, Id category, const std::string& post, const std::string& duty,
                Id order);
bool Edit_gw_row(Connection& db, Id department, Id category, const std::string& post, const std::string& duty,
                 Id postId);
void Add_emp_row(Connection& db, Id department, Id post, const std::string& name, Id account,
                 const std::string& password, const std::string& remark, Id order);
bool Edit_emp_row(Connection& db, Id department, Id post, const std::string& name, const std::string& remark,
                  Id employeeId, const std::string& password);

} // namespace rw::emp::steps
