// A workbook to write: one sheet of text and number cells with the
// formatting our exports use.  Saved as a genuine .xls (BIFF8 in a compound
// file) or as .xlsx.  Rows and columns are 0-based.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace rw::sheet {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
    bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
};

enum class HAlign { General, Left, Centre, Right };
enum class VAlign { Bottom, Centre, Top };

struct Format {
    std::string fontName = "宋体";
    double fontSize = 11; // points
    bool bold = false;
    std::optional<Colour> fill;   // solid fill
    bool border = false;          // thin continuous line on all four sides
    HAlign hAlign = HAlign::General;
    VAlign vAlign = VAlign::Bottom;
    bool wrap = false;
    std::string numberFormat = "General"; // or "@" for text, or any format code
    bool operator==(const Format&) const = default;
};

struct Cell {
    std::string text;            // shown text (UTF-8) when not a number
    std::optional<double> number; // a numeric cell
    Format format;
};

struct Merge {
    int firstRow, firstCol, lastRow, lastCol;
};

class Workbook {
public:
    explicit Workbook(std::string sheetName = "Sheet1") : m_sheetName(std::move(sheetName)) {}

    // Writing a value keeps the cell's format; formatting keeps its value.
    void setText(int row, int col, const std::string& text);
    void setNumber(int row, int col, double value);
    Format& format(int row, int col); // creates an empty cell when needed
    // Applies a change to the format of every cell of the range (inclusive).
    template <typename Change>
    void formatRange(int firstRow, int firstCol, int lastRow, int lastCol, Change&& change)
    {
        for (int r = firstRow; r <= lastRow; ++r)
            for (int c = firstCol; c <= lastCol; ++c)
                change(format(r, c));
    }
    void merge(int firstRow, int firstCol, int lastRow, int lastCol);
    void setRowHeight(int row, double points);
    void setColumnWidth(int col, double characters); // in widths of the digit "0"

    const std::string& sheetName() const { return m_sheetName; }
    // Cells by (row, col), in row order.
    const std::map<std::pair<int, int>, Cell>& cells() const { return m_cells; }
    const std::vector<Merge>& merges() const { return m_merges; }
    const std::map<int, double>& rowHeights() const { return m_rowHeights; }
    const std::map<int, double>& columnWidths() const { return m_columnWidths; }
    int rowCount() const;    // last used row + 1
    int columnCount() const; // last used column + 1

private:
    std::string m_sheetName;
    std::map<std::pair<int, int>, Cell> m_cells;
    std::vector<Merge> m_merges;
    std::map<int, double> m_rowHeights;
    std::map<int, double> m_columnWidths;
};

// Both answer false, with a reason, when the file cannot be written.
bool saveXls(const Workbook& book, const std::string& path, std::string* error = nullptr);
bool saveXlsx(const Workbook& book, const std::string& path, std::string* error = nullptr);

} // namespace rw::sheet
