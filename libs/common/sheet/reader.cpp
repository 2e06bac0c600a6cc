#include "sheet/reader.h"

#include "sheet/reader_formats.h"
#include "util/text.h"

#include <charconv>
#include <cmath>
#include <fstream>

namespace rw::sheet {

const std::string& Table::cell(size_t row, size_t col) const
{
    static const std::string empty;
    if (row >= rows.size() || col >= rows[row].size())
        return empty;
    return rows[row][col];
}

std::string numberText(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return {};
    if (value == 0)
        return "0";
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return {};
    return std::string(buffer, end);
}

bool readFirstSheet(const std::string& path, Table& table, std::string* error)
{
    auto fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail("cannot open " + path);
    char magic[4] = {};
    in.read(magic, 4);
    if (in.gcount() < 4)
        return fail("not a workbook");
    in.close();

    table.rows.clear();
    std::string why;
    bool ok = false;
    if (static_cast<unsigned char>(magic[0]) == 0xD0 && static_cast<unsigned char>(magic[1]) == 0xCF &&
        static_cast<unsigned char>(magic[2]) == 0x11 && static_cast<unsigned char>(magic[3]) == 0xE0)
        ok = detail::readXls(path, table, why);
    else if (magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4)
        ok = detail::readXlsx(path, table, why);
    else
        return fail("not a workbook");
    if (!ok) {
        table.rows.clear();
        return fail(why);
    }

    size_t width = 0;
    for (auto& row : table.rows) {
        for (auto& value : row)
            value = trimmed(value);
        width = std::max(width, row.size());
    }
    for (auto& row : table.rows)
        row.resize(width);
    return true;
}

} // namespace rw::sheet
