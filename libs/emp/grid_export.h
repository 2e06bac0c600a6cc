// Writing the post or staff list grid to a formatted workbook.
#pragma once

#include "abi/rankwise_abi.h"
#include "sheet/workbook.h"

#include <string>

namespace rw::emp {

// The sheet for kind "1" (posts) or "2" (staff) from the grid's data rows;
// false for another kind.
bool buildListSheet(const RwGrid& grid, const std::string& kind, sheet::Workbook& book);

// The file actually written: ".xls" is added unless the name already ends in
// ".xls" or ".xlsx" (either case).
std::string exportFileName(const std::string& name);

// Writes .xlsx when the file name says so, .xls otherwise.
bool exportGrid(const RwGrid* grid, const std::string& name, const std::string& kind);

} // namespace rw::emp
