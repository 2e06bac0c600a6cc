#include "maintenance.h"

#include "organisation_steps.h"

#include "db/transaction.h"
#include "util/text.h"

#include <optional>

namespace rw::emp {

using db::Connection;
using namespace steps;

int savePost(Connection& db, const PostInput& in)
{
    db::Transaction transaction(db);
    const GwKeys keys = Find_gw_keys(db, in.department, in.category);
    const Id department = departmentFor(db, in.department, keys.department, keys.nextDepartmentOrder);
    const Id category = categoryFor(db, in.category, keys.category, keys.nextCategoryOrder);
    if (department == 0 || category == 0)
        return kSaveFailed;
    if (!Gw_unique(db, department, in.post, in.postId))
        return kNameExists;

    if (in.mode == "add") {
        Add_gw_row(db, department, category, in.post, in.duty, keys.nextPostOrder);
    } else if (in.mode == "edit") {
        const auto postId = parseInteger(in.postId);
        if (!postId || !Edit_gw_row(db, department, category, in.post, in.duty, *postId))
            return kSaveFailed;
    } else {
        return kSaveFailed;
    }
    transaction.commit();
    return kSaved;
}

int saveEmployee(Connection& db, const EmployeeInput& in)
{
    db::Transaction transaction(db);
    const EmpKeys keys = Find_emp_keys(db, in.department, in.post);
    const Id department = departmentFor(db, in.department, keys.department, keys.nextDepartmentOrder);
    const Id post = postForEmployee(db, keys, department, in.post);
    if (department == 0 || post == 0)
        return kSaveFailed;
    if (!Emp_unique(db, department, post, in.name, in.employeeId))
        return kNameExists;

    if (in.mode == "add") {
        Add_emp_row(db, department, post, in.name, keys.nextAccount, in.password, in.remark,
                    keys.nextEmployeeOrder);
    } else if (in.mode == "edit") {
        const auto employeeId = parseInteger(in.employeeId);
        if (!employeeId || !Edit_emp_row(db, department, post, in.name, in.remark, *employeeId, in.password))
            return kSaveFailed;
    } else {
        return kSaveFailed;
    }
    transaction.commit();
    return kSaved;
}

bool deleteRecord(Connection& db, const std::string& kind, const std::string& id)
{
    const auto number = parseInteger(id);
    if (!number)
        return false;
    const std::string which = trimmed(kind);
    if (which == "1") {
        // Del_gw_row: the post and every employee of it, together.
        db::Transaction transaction(db);
        db.prepare("DELETE FROM gangwei WHERE id = ?")->bindAll(*number).execute();
        db.prepare("DELETE FROM yuangong WHERE gwid = ?")->bindAll(*number).execute();
        transaction.commit();
        return true;
    }
    if (which == "2") {
        db.prepare("DELETE FROM yuangong WHERE id = ?")->bindAll(*number).execute();
        return true;
    }
    return false;
}

void sweepUnused(Connection& db)
{
    db::Transaction transaction(db);
    // A department still named by an employee stays, so no employee drops
    // out of the staff list.
    db.execute("DELETE FROM bumen WHERE NOT EXISTS (SELECT 1 FROM gangwei WHERE gangwei.bmid = bumen.id)"
               " AND NOT EXISTS (SELECT 1 FROM yuangong WHERE yuangong.bmid = bumen.id)");
    db.execute("DELETE FROM leibie WHERE NOT EXISTS (SELECT 1 FROM gangwei WHERE gangwei.lbid = leibie.id)");
    transaction.commit();
}

} // namespace rw::emp
