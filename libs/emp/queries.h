// Read-only views of the organisation, as flat lists of text.
#pragma once

#include "db/driver.h"

#include <string>
#include <vector>

namespace rw::emp {

using FlatList = std::vector<std::string>;

FlatList departments(db::Connection& db);                            // id, name
FlatList postsOfDepartment(db::Connection& db, const std::string& departmentId); // id, name
FlatList employeesOfPost(db::Connection& db, const std::string& postId);         // id, name
FlatList allPosts(db::Connection& db);                               // id, name, department id
FlatList allEmployees(db::Connection& db);                           // id, name, post id

// The post grid (kind "1", 7 per record) or the staff grid (kind "2", 9 per
// record); an id of "0" or empty means no filter.
FlatList registerRows(db::Connection& db, const std::string& departmentId, const std::string& secondId,
                      const std::string& kind);

// Rows of a caller's read-only select with columns id and sname, as pairs
// (sname, id).  Anything but one read-only SELECT is refused.
std::vector<std::pair<std::string, std::string>> comboRows(db::Connection& db, const std::string& sql);

} // namespace rw::emp
