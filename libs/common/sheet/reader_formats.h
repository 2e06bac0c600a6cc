// The readers of each file type, behind readFirstSheet().
#pragma once

#include "sheet/reader.h"

namespace rw::sheet::detail {

// Limits that keep a hostile file from exhausting memory.
inline constexpr size_t kMaxRows = 1'048'576;
inline constexpr size_t kMaxColumns = 16'384;
inline constexpr size_t kMaxCells = 20'000'000;

bool readXls(const std::string& path, Table& table, std::string& error);
bool readXlsx(const std::string& path, Table& table, std::string& error);

} // namespace rw::sheet::detail
