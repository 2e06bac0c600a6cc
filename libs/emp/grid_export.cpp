#include "grid_export.h"

#include "util/text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace rw::emp {

namespace {

using sheet::Colour;
using sheet::Format;

struct Layout {
    const char* title;
    std::vector<const char*> headings;
    std::vector<double> widths;
    std::vector<int> sourceColumns; // grid column of each sheet column
    int textColumns;                // leading columns formatted as text
};

const Layout kPosts{"岗位设置", {"部门", "岗位", "类别", "职责描述"}, {20, 20, 15, 55}, {0, 1, 2, 3}, 0};
const Layout kStaff{"人员设置",
                    {"账号", "密码", "部门", "岗位", "员工", "备注"},
                    {10, 10, 20, 15, 8, 55},
                    {0, 5, 1, 2, 3, 4},
                    2};

bool endsWith(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    return std::equal(tail.rbegin(), tail.rend(), text.rbegin(),
                      [](char wanted, char actual) { return std::tolower(static_cast<unsigned char>(actual)) == wanted; });
}

// Cells outside the grid read as empty; the grid is never asked for them.
std::string cellText(const RwGrid& grid, int col, int row)
{
    const int rows = grid.row_count ? grid.row_count(grid.ctx) : 0;
    const int cols = grid.col_count ? grid.col_count(grid.ctx) : 0;
    if (row < 0 || row >= rows || col < 0 || col >= cols)
        return {};
    const char* text = grid.cell ? grid.cell(grid.ctx, col, row) : nullptr;
    return text ? std::string(text) : std::string();
}

} // namespace

bool buildListSheet(const RwGrid& grid, const std::string& kind, sheet::Workbook& book)
{
    const std::string which = trimmed(kind);
    if (which != "1" && which != "2")
        return false;
    const Layout& layout = which == "1" ? kPosts : kStaff;
    const int last = static_cast<int>(layout.headings.size()) - 1;

    // Title: merged across, centred, blue, bold 16-point.
    book.merge(0, 0, 0, last);
    book.setRowHeight(0, 25);
    book.formatRange(0, 0, 0, last, [](Format& f) {
        f.border = true;
        f.hAlign = sheet::HAlign::Centre;
        f.vAlign = sheet::VAlign::Centre;
        f.fill = Colour{0xA6, 0xCA, 0xF0};
        f.fontName = "宋体";
        f.bold = true;
        f.fontSize = 16;
    });
    book.setText(0, 0, layout.title);

    // Headings on grey.
    for (int c = 0; c <= last; ++c) {
        book.setText(1, c, layout.headings[static_cast<size_t>(c)]);
        book.setColumnWidth(c, layout.widths[static_cast<size_t>(c)]);
    }
    book.formatRange(1, 0, 1, last, [](Format& f) {
        f.fill = Colour{0xC0, 0xC0, 0xC0};
        f.border = true;
    });

    // Data rows on white, 9-point, wrapped; accounts and passwords as text.
    const int rows = grid.row_count ? grid.row_count(grid.ctx) : 0;
    int r = 2;
    for (int gridRow = 1; gridRow < rows; ++gridRow, ++r) {
        for (int c = 0; c <= last; ++c) {
            book.setText(r, c, cellText(grid, layout.sourceColumns[static_cast<size_t>(c)], gridRow));
            Format& f = book.format(r, c);
            f.wrap = true;
            f.fill = Colour{0xFF, 0xFF, 0xFF};
            f.border = true;
            f.fontSize = 9;
            if (c < layout.textColumns)
                f.numberFormat = "@";
        }
    }
    return true;
}

std::string exportFileName(const std::string& name)
{
    if (endsWith(name, ".xls") || endsWith(name, ".xlsx"))
        return name;
    return name + ".xls";
}

bool exportGrid(const RwGrid* grid, const std::string& name, const std::string& kind)
{
    // Nothing loaded: nothing to write.
    if (!grid || !grid->cell || trimmed(cellText(*grid, 0, 1)).empty())
        return false;
    sheet::Workbook book("Sheet1");
    if (!buildListSheet(*grid, kind, book))
        return false;
    const std::string file = exportFileName(name);
    return endsWith(file, ".xlsx") ? sheet::saveXlsx(book, file) : sheet::saveXls(book, file);
}

} // namespace rw::emp
