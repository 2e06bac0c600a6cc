// Merging a spreadsheet of posts or employees into the organisation.
#pragma once

#include "abi/rankwise_abi.h"
#include "db/driver.h"
#include "sheet/reader.h"

#include <string>

namespace rw::emp {

// Rows from the third on: kind "1" department, post, category, duty; kind
// "2" department, post, employee, remark.  Rows lacking one of the first
// three cells (or naming an employee unfit for assignment texts) are passed
// over.  One transaction, a savepoint per row: when a row fails, the rows
// before it stay merged and the answer is false.
bool importRows(db::Connection& db, const sheet::Table& table, const std::string& kind,
                const RwProgress* progress);

} // namespace rw::emp
