#include "sheet/workbook.h"

#include <algorithm>

namespace rw::sheet {

void Workbook::setText(int row, int col, const std::string& text)
{
    Cell& cell = m_cells[{row, col}];
    cell.text = text;
    cell.number.reset();
}

void Workbook::setNumber(int row, int col, double value)
{
    Cell& cell = m_cells[{row, col}];
    cell.text.clear();
    cell.number = value;
}

Format& Workbook::format(int row, int col)
{
    return m_cells[{row, col}].format;
}

void Workbook::merge(int firstRow, int firstCol, int lastRow, int lastCol)
{
    m_merges.push_back({firstRow, firstCol, lastRow, lastCol});
    // Every cell of a merged range exists, so its borders and fill show.
    formatRange(firstRow, firstCol, lastRow, lastCol, [](Format&) {});
}

void Workbook::setRowHeight(int row, double points)
{
    m_rowHeights[row] = points;
}

void Workbook::setColumnWidth(int col, double characters)
{
    m_columnWidths[col] = characters;
}

int Workbook::rowCount() const
{
    return m_cells.empty() ? 0 : m_cells.rbegin()->first.first + 1;
}

int Workbook::columnCount() const
{
    int last = -1;
    for (const auto& [at, cell] : m_cells)
        last = std::max(last, at.second);
    return last + 1;
}

} // namespace rw::sheet
