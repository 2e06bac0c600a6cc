// Reading the first worksheet of a workbook the user chose: .xls (BIFF5 or
// BIFF8) or .xlsx, told apart by content, not by name.
#pragma once

#include <string>
#include <vector>

namespace rw::sheet {

// The used range as text: rows[r][c], every cell trimmed, numbers in their
// shortest form ("8001", not "8001.0").  Rows are padded to equal length.
struct Table {
    std::vector<std::vector<std::string>> rows;

    const std::string& cell(size_t row, size_t col) const;
};

// False, with a reason, for a missing, foreign or damaged file.
bool readFirstSheet(const std::string& path, Table& table, std::string* error = nullptr);

// The shortest text that reads back as the same number.
std::string numberText(double value);

} // namespace rw::sheet
