// Changes to the organisation: posts and employees, saved by name of their
// department, category and post, which are created on first use.
#pragma once

#include "db/driver.h"

#include <string>

namespace rw::emp {

// Answers of the save functions.
enum SaveResult { kSaveFailed = -1, kNameExists = 0, kSaved = 1 };

struct PostInput {
    std::string department, post, category, duty, postId, mode;
};

struct EmployeeInput {
    std::string department, post, name, remark, password, employeeId, mode;
};

// Each runs in one transaction: a save that does not answer kSaved leaves
// the database as it was.
int savePost(db::Connection& db, const PostInput& input);
int saveEmployee(db::Connection& db, const EmployeeInput& input);

// kind "1" a post with its employees, "2" an employee; true when deleted
// (or already absent).
bool deleteRecord(db::Connection& db, const std::string& kind, const std::string& id);

// Removes departments and categories that nothing refers to any more.
void sweepUnused(db::Connection& db);

} // namespace rw::emp
