// .xlsx through libxlsxwriter, for users who choose that type.
#include "sheet/workbook.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <set>

namespace rw::sheet {

namespace {

lxw_format* makeFormat(lxw_workbook* book, const Format& f)
{
    lxw_format* format = workbook_add_format(book);
    format_set_font_name(format, f.fontName.c_str());
    format_set_font_size(format, f.fontSize);
    if (f.bold)
        format_set_bold(format);
    if (f.fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, (f.fill->r << 16) | (f.fill->g << 8) | f.fill->b);
    }
    if (f.border)
        format_set_border(format, LXW_BORDER_THIN);
    switch (f.hAlign) {
    case HAlign::Left: format_set_align(format, LXW_ALIGN_LEFT); break;
    case HAlign::Centre: format_set_align(format, LXW_ALIGN_CENTER); break;
    case HAlign::Right: format_set_align(format, LXW_ALIGN_RIGHT); break;
    case HAlign::General: break;
    }
    switch (f.vAlign) {
    case VAlign::Centre: format_set_align(format, LXW_ALIGN_VERTICAL_CENTER); break;
    case VAlign::Top: format_set_align(format, LXW_ALIGN_VERTICAL_TOP); break;
    case VAlign::Bottom: break;
    }
    if (f.wrap)
        format_set_text_wrap(format);
    if (f.numberFormat != "General")
        format_set_num_format(format, f.numberFormat.c_str());
    return format;
}

} // namespace

bool saveXlsx(const Workbook& book, const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    if (book.rowCount() > LXW_ROW_MAX || book.columnCount() > LXW_COL_MAX)
        return fail("too many rows or columns for a workbook");

    // Written beside the target, then moved over it, so a failure leaves no
    // half-written file behind.
    const std::string temporary = path + ".part.xlsx";
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(temporary.c_str(), &options);
    if (!workbook)
        return fail("cannot create " + path);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, book.sheetName().c_str());

    std::vector<std::pair<Format, lxw_format*>> formats;
    auto formatFor = [&](const Format& f) {
        for (const auto& [known, made] : formats)
            if (known == f)
                return made;
        formats.emplace_back(f, makeFormat(workbook, f));
        return formats.back().second;
    };

    for (const auto& [row, height] : book.rowHeights())
        worksheet_set_row(sheet, static_cast<lxw_row_t>(row), height, nullptr);
    for (const auto& [col, width] : book.columnWidths())
        worksheet_set_column(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col), width, nullptr);

    std::set<std::pair<int, int>> mergedAway;
    for (const Merge& m : book.merges()) {
        const auto first = book.cells().find({m.firstRow, m.firstCol});
        const Format f = first != book.cells().end() ? first->second.format : Format{};
        const std::string text = first != book.cells().end() ? first->second.text : std::string();
        worksheet_merge_range(sheet, static_cast<lxw_row_t>(m.firstRow), static_cast<lxw_col_t>(m.firstCol),
                              static_cast<lxw_row_t>(m.lastRow), static_cast<lxw_col_t>(m.lastCol), text.c_str(),
                              formatFor(f));
        for (int r = m.firstRow; r <= m.lastRow; ++r)
            for (int c = m.firstCol; c <= m.lastCol; ++c)
                mergedAway.insert({r, c});
    }

    for (const auto& [at, cell] : book.cells()) {
        if (mergedAway.count(at))
            continue;
        const auto row = static_cast<lxw_row_t>(at.first);
        const auto col = static_cast<lxw_col_t>(at.second);
        lxw_format* format = formatFor(cell.format);
        if (cell.number)
            worksheet_write_number(sheet, row, col, *cell.number, format);
        else if (!cell.text.empty())
            worksheet_write_string(sheet, row, col, cell.text.c_str(), format);
        else
            worksheet_write_blank(sheet, row, col, format);
    }

    if (workbook_close(workbook) != LXW_NO_ERROR) {
        std::remove(temporary.c_str());
        return fail("cannot write " + path);
    }
    std::error_code moved;
    std::filesystem::rename(temporary, path, moved);
    if (moved) {
        std::remove(temporary.c_str());
        return fail("cannot write " + path);
    }
    return true;
}

} // namespace rw::sheet
