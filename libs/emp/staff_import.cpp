#include "staff_import.h"

#include "db/transaction.h"
#include "organisation_steps.h"
#include "util/names.h"
#include "util/text.h"

namespace rw::emp {

namespace {

using namespace steps;

constexpr size_t kHeaderRows = 2;

void importPost(Connection& db, const std::string& department, const std::string& post,
                const std::string& category, const std::string& duty)
{
    const GwKeys keys = Find_gw_keys(db, department, category);
    const Id departmentId = departmentFor(db, department, keys.department, keys.nextDepartmentOrder);
    const Id categoryId = categoryFor(db, category, keys.category, keys.nextCategoryOrder);
    if (departmentId == 0 || categoryId == 0)
        return;
    // A post already there moves to the category and takes the new duty.
    if (const Id postId = Get_gw_id(db, departmentId, post))
        Edit_gw_row(db, departmentId, categoryId, post, duty, postId);
    else
        Add_gw_row(db, departmentId, categoryId, post, duty, keys.nextPostOrder);
}

void importEmployee(Connection& db, const std::string& department, const std::string& post,
                    const std::string& name, const std::string& remark)
{
    const EmpKeys keys = Find_emp_keys(db, department, post);
    const Id departmentId = departmentFor(db, department, keys.department, keys.nextDepartmentOrder);
    const Id postId = postForEmployee(db, keys, departmentId, post);
    if (departmentId == 0 || postId == 0)
        return;
    // An employee already there only takes the new remark; a new one gets
    // the next account, which is also the first password.
    if (const Id employeeId = Get_emp_id(db, departmentId, postId, name))
        Edit_emp_row(db, departmentId, postId, name, remark, employeeId, "");
    else
        Add_emp_row(db, departmentId, postId, name, keys.nextAccount, std::to_string(keys.nextAccount), remark,
                    keys.nextEmployeeOrder);
}

void report(const RwProgress* progress, void (*RwProgress::*call)(void*, int), int value)
{
    if (progress && progress->*call)
        (progress->*call)(progress->ctx, value);
}

} // namespace

bool importRows(Connection& db, const sheet::Table& table, const std::string& kind, const RwProgress* progress)
{
    const std::string which = trimmed(kind);
    const int rows = static_cast<int>(table.rows.size() > kHeaderRows ? table.rows.size() - kHeaderRows : 0);
    report(progress, &RwProgress::set_total, rows);

    db::Transaction transaction(db);
    bool complete = true;
    for (int b = 1; b <= rows; ++b) {
        report(progress, &RwProgress::set_position, b);
        const size_t r = kHeaderRows + static_cast<size_t>(b) - 1;
        const std::string& first = table.cell(r, 0);
        const std::string& second = table.cell(r, 1);
        const std::string& third = table.cell(r, 2);
        const std::string& fourth = table.cell(r, 3);
        if (first.empty() || second.empty() || third.empty())
            continue;
        if (which == "2" && !isSafeName(third))
            continue;
        db.savepoint("import_row");
        try {
            if (which == "1")
                importPost(db, first, second, third, fourth);
            else if (which == "2")
                importEmployee(db, first, second, third, fourth);
            db.releaseSavepoint("import_row");
        } catch (const db::Error&) {
            db.rollbackToSavepoint("import_row");
            db.releaseSavepoint("import_row");
            complete = false;
            break;
        }
    }
    transaction.commit();
    return complete;
}

} // namespace rw::emp
