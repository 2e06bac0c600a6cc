// The list and sheet grid of every window, addressed as cells by column and
// row.  With one fixed row, row 0 is the header row (shown as the table's
// header, so it stays in view) and data rows start at 1; without fixed rows,
// row 0 holds data.
#pragma once

#include <QTableWidget>
#include <QVector>

namespace rw::client {

class Grid : public QTableWidget {
    Q_OBJECT
public:
    explicit Grid(int fixedRows = 1, QWidget* parent = nullptr);

    int fixedRows() const { return m_fixedRows; }

    // Counts include the header row, as cell addresses do.
    int rowCount() const;
    void setRowCount(int rows);
    int colCount() const { return columnCount(); }
    void setColCount(int cols) { setColumnCount(cols); }
    int addRow();                 // answers the new row
    void insertRowAt(int row);
    void removeRowAt(int row);

    // Empties a row: texts, check boxes, colours and merges.
    void clearRow(int row);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    int rowHeightOf(int row) const;
    void setRowHeightOf(int row, int height);
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return m_defaultRowHeight; }

    // Width 0 hides the column: it still holds data (ids, flags).
    void setColWidth(int col, int width);
    int colWidth(int col) const;

    void mergeCells(int col, int row, int cols, int rows);

    void setCellColor(int col, int row, const QColor& color);
    QColor cellColor(int col, int row) const;
    void setCellBold(int col, int row, bool bold);

    void addCheckBox(int col, int row, bool checked);
    bool hasCheckBox(int col, int row) const;
    bool isChecked(int col, int row) const;
    void setChecked(int col, int row, bool checked);

    // Rows whose cell in this column is not empty are drawn like the header.
    void setFlagColumn(int col) { m_flagColumn = col; }
    void refreshRowStyle(int row);

    // Selected rows in cell addressing, ascending; the current row when
    // nothing is selected.
    QList<int> selectedRowNumbers() const;
    void selectRow(int row);
    // Selects these rows (and only these), the first one current.
    void selectRows(const QList<int>& rows);
    int currentRowNumber() const;

    // Clicking a header sorts the data rows by that column, numbers as
    // numbers; a second click reverses.
    void setSortOnHeaderClick(bool enabled) { m_sortOnClick = enabled; }
    void sortRowsBy(int col, Qt::SortOrder order);

    // Lines the text takes when wrapped in the column's width.
    int wrappedLines(int col, const QString& text) const;
    // Grows the row by 'lineHeight' per wrapped line of its tallest cell,
    // never below the default row height.
    void fitRowHeight(int row, int lineHeight);

    // The cells as UTF-8, row 0 first, for a library to read.
    QVector<QVector<QByteArray>> snapshot() const;

signals:
    void headerClicked(int col);

private:
    int tableRow(int row) const { return row - m_fixedRows; }
    QTableWidgetItem* itemAt(int col, int row, bool create);
    const QTableWidgetItem* itemAt(int col, int row) const;
    void onHeaderClicked(int col);

    int m_fixedRows;
    int m_defaultRowHeight = 21;
    int m_flagColumn = -1;
    bool m_sortOnClick = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace rw::client
