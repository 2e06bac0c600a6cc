#include "organisation_steps.h"

#include "util/text.h"

#include <optional>
#include <tuple>

namespace rw::emp::steps {


const NamedTable kDepartments{
    "SELECT id FROM bumen WHERE bmname = ? ORDER BY id LIMIT 1",
    "SELECT (SELECT id FROM bumen WHERE bmname = ? ORDER BY id LIMIT 1) AS cnt, MAX(px) AS tpx FROM bumen"};
const NamedTable kCategories{
    "SELECT id FROM leibie WHERE lbname = ? ORDER BY id LIMIT 1",
    "SELECT (SELECT id FROM leibie WHERE lbname = ? ORDER BY id LIMIT 1) AS cnt, MAX(px) AS tpx FROM leibie"};

// The id of the first row of that name and the next sort order of the table.
static std::pair<Id, Id> idAndNextOrder(Connection& db, const NamedTable& table, const std::string& name)
{
    auto query = db.prepare(table.idAndNextOrder);
    query->bindAll(name);
    if (!query->step())
        return {0, 1};
    return {query->integer("cnt"), query->integer("tpx") + 1};
}

static Id nextOrder(Connection& db, const char* sql, std::optional<Id> department = std::nullopt)
{
    auto query = db.prepare(sql);
    if (department)
        query->bindAll(*department);
    return query->step() ? query->integer("tpx") + 1 : 1;
}

GwKeys Find_gw_keys(Connection& db, const std::string& department, const std::string& category)
{
    GwKeys keys;
    std::tie(keys.department, keys.nextDepartmentOrder) = idAndNextOrder(db, kDepartments, department);
    std::tie(keys.category, keys.nextCategoryOrder) = idAndNextOrder(db, kCategories, category);
    keys.nextPostOrder = nextOrder(db, "SELECT MAX(px) AS tpx FROM gangwei");
    return keys;
}

Id Get_gw_id(Connection& db, Id department, const std::string& post)
{
    auto query = db.prepare("SELECT id FROM gangwei WHERE bmid = ? AND gwname = ? ORDER BY id LIMIT 1");
    query->bindAll(department, post);
    return query->step() ? query->integer("id") : 0;
}

EmpKeys Find_emp_keys(Connection& db, const std::string& department, const std::string& post)
{
    EmpKeys keys;
    std::tie(keys.department, keys.nextDepartmentOrder) = idAndNextOrder(db, kDepartments, department);
    keys.nextCategoryOrder = nextOrder(db, "SELECT MAX(px) AS tpx FROM leibie");
    keys.post = Get_gw_id(db, keys.department, post);
    keys.nextPostOrder = nextOrder(db, "SELECT MAX(px) AS tpx FROM gangwei WHERE bmid = ?", keys.department);
    auto query = db.prepare("SELECT MAX(px) AS tpx, MAX(userid) AS logid FROM yuangong");
    if (query->step()) {
        keys.nextEmployeeOrder = query->integer("tpx") + 1;
        if (!query->isNull("logid"))
            keys.nextAccount = query->integer("logid") + 1;
    }
    return keys;
}

Id Get_top_id(Connection& db, const NamedTable& table, const std::string& name)
{
    auto query = db.prepare(table.idByName);
    query->bindAll(name);
    return query->step() ? query->integer("id") : 0;
}

void Add_bm(Connection& db, const std::string& name, Id order)
{
    db.prepare("INSERT INTO bumen (bmname, px) VALUES (?, ?)")->bindAll(name, order).execute();
}

void Add_lb(Connection& db, const std::string& name, Id order)
{
    db.prepare("INSERT INTO leibie (lbname, px) VALUES (?, ?)")->bindAll(name, order).execute();
}

// The department of that name, created with the next order when missing.
Id departmentFor(Connection& db, const std::string& name, Id found, Id nextOrder)
{
    if (found != 0)
        return found;
    Add_bm(db, name, nextOrder);
    return Get_top_id(db, kDepartments, name);
}

// Counts the rows of that name in that place, leaving out the record being
// edited (when its id is given).
static bool noOtherRow(Connection& db, const char* sql, const char* sqlExcluding, Id place,
                std::optional<Id> secondPlace, const std::string& name, const std::string& ownId)
{
    const auto own = parseInteger(ownId);
    auto query = db.prepare(own ? sqlExcluding : sql);
    int index = 0;
    query->bind(++index, place);
    if (secondPlace)
        query->bind(++index, *secondPlace);
    query->bind(++index, std::string_view(name));
    if (own)
        query->bind(++index, *own);
    return !query->step();
}

bool Gw_unique(Connection& db, Id department, const std::string& post, const std::string& postId)
{
    return noOtherRow(db, "SELECT id FROM gangwei WHERE bmid = ? AND gwname = ? LIMIT 1",
                      "SELECT id FROM gangwei WHERE bmid = ? AND gwname = ? AND id <> ? LIMIT 1",
                      department, std::nullopt, post, postId);
}

bool Emp_unique(Connection& db, Id department, Id post, const std::string& name, const std::string& employeeId)
{
    return noOtherRow(db, "SELECT id FROM yuangong WHERE bmid = ? AND gwid = ? AND empname = ? LIMIT 1",
                      "SELECT id FROM yuangong WHERE bmid = ? AND gwid = ? AND empname = ? AND id <> ? LIMIT 1",
                      department, post, name, employeeId);
}

void Add_gw_row(Connection& db, Id department, Id category, const std::string& post, const std::string& duty,
                Id order)
{
    db.prepare("INSERT INTO gangwei (bmid, lbid, gwname, mx, px) VALUES (?, ?, ?, ?, ?)")
        ->bindAll(department, category, post, duty, order)
        .execute();
}

// False when no post has that id.  Its employees move with it, so that they
// stay in the department their post belongs to.
bool Edit_gw_row(Connection& db, Id department, Id category, const std::string& post, const std::string& duty,
                 Id postId)
{
    const int changed = db.prepare("UPDATE gangwei SET bmid = ?, lbid = ?, gwname = ?, mx = ? WHERE id = ?")
                            ->bindAll(department, category, post, duty, postId)
                            .execute();
    if (changed == 0)
        return false;
    db.prepare("UPDATE yuangong SET bmid = ? WHERE gwid = ?")->bindAll(department, postId).execute();
    return true;
}

void Add_emp_row(Connection& db, Id department, Id post, const std::string& name, Id account,
                 const std::string& password, const std::string& remark, Id order)
{
    db.prepare("INSERT INTO yuangong (bmid, gwid, empname, userid, userpwd, beizhu, px)"
               " VALUES (?, ?, ?, ?, ?, ?, ?)")
        ->bindAll(department, post, name, account, password, remark, order)
        .execute();
}

// False when no employee has that id.  A blank password keeps the old one.
bool Edit_emp_row(Connection& db, Id department, Id post, const std::string& name, const std::string& remark,
                  Id employeeId, const std::string& password)
{
    if (trimmed(password).empty()) {
        return db.prepare("UPDATE yuangong SET bmid = ?, gwid = ?, empname = ?, beizhu = ? WHERE id = ?")
                   ->bindAll(department, post, name, remark, employeeId)
                   .execute() > 0;
    }
    return db.prepare("UPDATE yuangong SET bmid = ?, gwid = ?, empname = ?, beizhu = ?, userpwd = ? WHERE id = ?")
               ->bindAll(department, post, name, remark, password, employeeId)
               .execute() > 0;
}


Id categoryFor(Connection& db, const std::string& name, Id found, Id nextOrder)
{
    if (found != 0)
        return found;
    Add_lb(db, name, nextOrder);
    return Get_top_id(db, kCategories, name);
}

Id postForEmployee(Connection& db, const EmpKeys& keys, Id department, const std::string& post)
{
    if (keys.post != 0 || department == 0)
        return keys.post;
    // A new temporary category each time, as the post it carries is new.
    Add_lb(db, kTemporaryCategory, keys.nextCategoryOrder);
    const Id category = Get_top_id(db, kCategories, kTemporaryCategory);
    if (category == 0)
        return 0;
    Add_gw_row(db, department, category, post, kTemporaryDuty, keys.nextPostOrder);
    return Get_gw_id(db, department, post);
}

Id Get_emp_id(Connection& db, Id department, Id post, const std::string& name)
{
    auto query = db.prepare("SELECT id FROM yuangong WHERE bmid = ? AND gwid = ? AND empname = ? ORDER BY id LIMIT 1");
    query->bindAll(department, post, name);
    return query->step() ? query->integer("id") : 0;
}

} // namespace rw::emp::steps
