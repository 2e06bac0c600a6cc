// The staff library's C boundary: a thin layer over accounts, maintenance and
// queries.  One connection serves every call, guarded by one process-wide
// lock; no error crosses the boundary.
#include "abi/rankwise_abi.h"
#include "abi/rw_list.h"
#include "accounts.h"
#include "db/shared_connection.h"
#include "grid_export.h"
#include "maintenance.h"
#include "queries.h"
#include "sheet/reader.h"
#include "staff_import.h"
#include "util/text.h"

using rw::arg;
using rw::db::Connection;

namespace {

rw::db::SharedConnection& staffDatabase()
{
    static rw::db::SharedConnection connection;
    return connection;
}

// Runs a list query; a failed one answers an empty list.
template <typename Work>
RwList* listOrEmpty(Work&& work) noexcept
{
    return rw::makeList(staffDatabase().runOr(rw::emp::FlatList{}, std::forward<Work>(work)));
}

} // namespace

extern "C" {

RW_EXPORT int I_Check_Login(const char* account, const char* password)
{
    const std::string user = arg(account);
    const std::string secret = arg(password);
    if (user == rw::emp::kAdminAccount)
        return secret == rw::emp::kAdminPassword ? 1 : 0;
    return staffDatabase().runOr(0, [&](Connection& db) { return rw::emp::Check_user(db, user, secret) ? 1 : 0; });
}

RW_EXPORT RwList* Get_user_logid(const char* account)
{
    const std::string user = arg(account);
    return rw::makeList(staffDatabase().runOr(rw::emp::FlatList{""},
                                              [&](Connection& db) { return rw::emp::loginRecord(db, user); }));
}

RW_EXPORT int Update_pass(const char* password, const char* account)
{
    const std::string secret = arg(password);
    const std::string user = arg(account);
    return staffDatabase().runOr(0, [&](Connection& db) {
        rw::emp::updatePassword(db, secret, user);
        return 1;
    });
}

RW_EXPORT int Get_userid()
{
    return staffDatabase().runOr(0, [](Connection& db) { return static_cast<int>(rw::emp::nextAccount(db)); });
}

RW_EXPORT int I_add_gw(const char* department, const char* post, const char* category, const char* duty,
                       const char* postId, const char* mode)
{
    const rw::emp::PostInput input{arg(department), arg(post), arg(category), arg(duty), arg(postId), arg(mode)};
    return staffDatabase().runOr(int(rw::emp::kSaveFailed),
                                 [&](Connection& db) { return rw::emp::savePost(db, input); });
}

RW_EXPORT int I_add_emp(const char* department, const char* post, const char* name, const char* remark,
                        const char* password, const char* employeeId, const char* mode)
{
    const rw::emp::EmployeeInput input{arg(department), arg(post),       arg(name), arg(remark),
                                       arg(password),   arg(employeeId), arg(mode)};
    return staffDatabase().runOr(int(rw::emp::kSaveFailed),
                                 [&](Connection& db) { return rw::emp::saveEmployee(db, input); });
}

RW_EXPORT int I_del_gw_emp(const char* kind, const char* id)
{
    const std::string which = arg(kind);
    const std::string record = arg(id);
    return staffDatabase().runOr(0, [&](Connection& db) { return rw::emp::deleteRecord(db, which, record) ? 1 : 0; });
}

RW_EXPORT int I_del_bm_and_lb()
{
    return staffDatabase().runOr(0, [](Connection& db) {
        rw::emp::sweepUnused(db);
        return 1;
    });
}

RW_EXPORT RwList* Get_bm_data()
{
    return listOrEmpty([](Connection& db) { return rw::emp::departments(db); });
}

RW_EXPORT RwList* Get_gw_data(const char* departmentId)
{
    const std::string id = arg(departmentId);
    return listOrEmpty([&](Connection& db) { return rw::emp::postsOfDepartment(db, id); });
}

RW_EXPORT RwList* Get_emp_data(const char* postId)
{
    const std::string id = arg(postId);
    return listOrEmpty([&](Connection& db) { return rw::emp::employeesOfPost(db, id); });
}

RW_EXPORT RwList* Get_all_gw_data()
{
    return listOrEmpty([](Connection& db) { return rw::emp::allPosts(db); });
}

RW_EXPORT RwList* Get_all_emp_data()
{
    return listOrEmpty([](Connection& db) { return rw::emp::allEmployees(db); });
}

RW_EXPORT RwList* GetregBydata(const char* departmentId, const char* secondId, const char* kind)
{
    const std::string department = arg(departmentId);
    const std::string second = arg(secondId);
    const std::string which = arg(kind);
    return listOrEmpty([&](Connection& db) { return rw::emp::registerRows(db, department, second, which); });
}

RW_EXPORT void SzCboList(const RwCombo* combo, const char* sql, int mode)
{
    if (!combo)
        return;
    const std::string statement = arg(sql);
    // The rows are read first and the lock is released before the client's
    // control is touched; a refused or failed statement leaves "请选择" alone.
    const auto rows = staffDatabase().runOr(std::vector<std::pair<std::string, std::string>>{},
                                            [&](Connection& db) { return rw::emp::comboRows(db, statement); });
    try {
        if (combo->clear)
            combo->clear(combo->ctx);
        if (combo->add_item) {
            combo->add_item(combo->ctx, "请选择", nullptr);
            for (const auto& [text, id] : rows)
                combo->add_item(combo->ctx, text.c_str(), id.c_str());
        }
        if (combo->set_index) {
            if (mode == 0)
                combo->set_index(combo->ctx, static_cast<int>(rows.size()));
            else if (mode == 1)
                combo->set_index(combo->ctx, 0);
        }
    } catch (...) {
    }
}

RW_EXPORT int Load_emp_gw_Excel(const RwProgress* progress, const RwGrid* grid, const char* fileName,
                                const char* kind)
{
    (void)grid; // the caller's grid is not read
    rw::sheet::Table table;
    if (!rw::sheet::readFirstSheet(arg(fileName), table))
        return 0;
    const std::string which = arg(kind);
    return staffDatabase().runOr(0, [&](Connection& db) { return rw::emp::importRows(db, table, which, progress) ? 1 : 0; });
}

RW_EXPORT int dc_excel(const RwGrid* grid, const char* fileName, const char* kind)
{
    try {
        return rw::emp::exportGrid(grid, arg(fileName), arg(kind)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
